# bmp_to_png.py IN.bmp OUT.png: converts the window probe's 24- or 32-bit BMP
# screenshot into an RGB PNG (plain zlib, no image library needed).
import struct
import sys
import zlib


def rows_of(bmp):
    offset = struct.unpack_from('<I', bmp, 10)[0]
    width, height = struct.unpack_from('<ii', bmp, 18)
    bits = struct.unpack_from('<H', bmp, 28)[0]
    if bits not in (24, 32):
        sys.exit('bmp_to_png: %d-bit BMP not handled' % bits)
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = abs(height) - 1 - y if height > 0 else y  # bottom-up unless negative
        row = bmp[offset + source * stride:offset + source * stride + width * step]
        rgb = bytearray()
        for x in range(0, width * step, step):
            rgb += bytes((row[x + 2], row[x + 1], row[x]))
        rows.append(b'\0' + bytes(rgb))
    return width, abs(height), rows


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: bmp_to_png.py IN.bmp OUT.png')
    with open(sys.argv[1], 'rb') as f:
        width, height, rows = rows_of(f.read())
    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9))
    png += chunk(b'IEND', b'')
    with open(sys.argv[2], 'wb') as f:
        f.write(png)


main()
