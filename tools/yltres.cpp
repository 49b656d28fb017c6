// yltres OUTDIR: writes the engine's generated resources: the packed colour
// cube (cube.bin), the window icon (yelto.ico), the arrow cursor (arrow.cur)
// and the text input dialog template (input.dlg).
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "lib/lz_encode.h"
#include "values/lz_decode.h"
#include "values/palette_rule.h"

namespace {

typedef std::vector<uint8_t> Bytes;

void Put16(Bytes& b, uint32_t v) {
  b.push_back((uint8_t)v);
  b.push_back((uint8_t)(v >> 8));
}

void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

bool WriteFile(const std::string& path, const Bytes& data) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) {
    fprintf(stderr, "yltres: cannot create %s\n", path.c_str());
    return false;
  }
  bool ok = fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = fclose(f) == 0 && ok;
  if (!ok) fprintf(stderr, "yltres: cannot write %s\n", path.c_str());
  return ok;
}

// The stored resource: a six-byte header the engine skips, then the stream.
bool BuildCube(Bytes& resource) {
  std::vector<uint8_t> cube(ColorCubeSize), check(ColorCubeSize);
  ComputeColorCube(cube.data());
  Bytes stream = CompressResource(cube.data(), cube.size());
  int32_t n = DecompressResource(check.data(), ColorCubeSize, stream.data(), (int32_t)stream.size());
  if (n != ColorCubeSize || check != cube) {
    fprintf(stderr, "yltres: the packed colour cube does not unpack to itself\n");
    return false;
  }
  static const uint8_t header[6] = {0x1B, 0x58, 0x43, 0x44, 0x00, 0x00};
  resource.assign(header, header + 6);
  resource.insert(resource.end(), stream.begin(), stream.end());
  return true;
}

const int Side = 32;
const uint32_t InfoHeaderSize = 40;

// Icon and cursor images: a bitmap info header of twice the height (picture
// plus AND mask), colour table, picture rows and mask rows, bottom row first.
void PutImageHeader(Bytes& b, int bitCount, int colors, uint32_t imageBytes) {
  Put32(b, InfoHeaderSize);
  Put32(b, Side);
  Put32(b, Side * 2);
  Put16(b, 1);
  Put16(b, (uint32_t)bitCount);
  Put32(b, 0);  // BI_RGB
  Put32(b, imageBytes);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, (uint32_t)colors);
  Put32(b, 0);
}

// One-image directory: type 1 icon, 2 cursor; for a cursor the two words
// after the colour count hold the hot spot instead of planes and bit count.
void PutDirectory(Bytes& b, int type, int colorCount, uint32_t word1, uint32_t word2,
                  uint32_t imageSize) {
  Put16(b, 0);
  Put16(b, (uint32_t)type);
  Put16(b, 1);
  b.push_back(Side);
  b.push_back(Side);
  b.push_back((uint8_t)colorCount);
  b.push_back(0);
  Put16(b, word1);
  Put16(b, word2);
  Put32(b, imageSize);
  Put32(b, 6 + 16);
}

void PutMask(Bytes& b, const bool transparent[Side][Side]) {
  for (int y = Side - 1; y >= 0; y--) {
    for (int x = 0; x < Side; x += 8) {
      uint8_t bits = 0;
      for (int i = 0; i < 8; i++)
        if (transparent[y][x + i]) bits |= (uint8_t)(0x80 >> i);
      b.push_back(bits);
    }
  }
}

// Icon colours, taken from the engine's palette.
const uint8_t IconColors[16] = {
    BlackColor, WhiteColor, YellowColor, YellowColor + 2, BlueColor - 6, BlueColor - 5,
    BlueColor - 4, BlueColor - 3, BlueColor - 2, BlackColor, BlackColor, BlackColor,
    BlackColor, BlackColor, BlackColor, BlackColor};

// A shaded blue disc with a highlight and a yellow diamond; -1 outside it.
int IconPixel(int x, int y) {
  int dx = 2 * x - 31, dy = 2 * y - 31;  // twice the offset from the centre
  int r2 = dx * dx + dy * dy;
  if (r2 > 31 * 31) return -1;
  if (r2 > 29 * 29) return 0;  // black rim
  int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
  if (ax + ay <= 12) return 2;
  if (ax + ay <= 16) return 3;
  int hx = 2 * x - 19, hy = 2 * y - 17;
  if (hx * hx + hy * hy <= 5 * 5) return 1;
  return 4 + r2 * 5 / (29 * 29 + 1);  // lighter at the centre
}

Bytes BuildIcon() {
  const uint32_t imageSize = InfoHeaderSize + 16 * 4 + Side * Side / 2 + Side * Side / 8;
  Bytes b;
  PutDirectory(b, 1, 16, 1, 4, imageSize);
  PutImageHeader(b, 4, 16, Side * Side / 2 + Side * Side / 8);
  for (uint8_t index : IconColors) {
    PaletteRgb c = PaletteColorAt(index);
    b.push_back(c.Blue);
    b.push_back(c.Green);
    b.push_back(c.Red);
    b.push_back(0);
  }
  bool transparent[Side][Side];
  for (int y = Side - 1; y >= 0; y--) {
    for (int x = 0; x < Side; x += 2) {
      int left = IconPixel(x, y), right = IconPixel(x + 1, y);
      transparent[y][x] = left < 0;
      transparent[y][x + 1] = right < 0;
      b.push_back((uint8_t)((left < 0 ? 0 : left) << 4 | (right < 0 ? 0 : right)));
    }
  }
  PutMask(b, transparent);
  return b;
}

// The arrow, tip at the top left: B black, W white, anything else transparent.
const char* const Arrow[] = {
    "B",
    "BB",
    "BWB",
    "BWWB",
    "BWWWB",
    "BWWWWB",
    "BWWWWWB",
    "BWWWWWWB",
    "BWWWWWWWB",
    "BWWWWBBBBB",
    "BWWWWB",
    "BWBBWWB",
    "BB  BWWB",
    "B    BWWB",
    "      BWWB",
    "       BWWB",
    "        BB",
};

Bytes BuildCursor() {
  const uint32_t imageSize = InfoHeaderSize + 2 * 4 + Side * Side / 8 * 2;
  Bytes b;
  PutDirectory(b, 2, 2, 0, 0, imageSize);  // hot spot at the tip (0, 0)
  PutImageHeader(b, 1, 2, Side * Side / 8 * 2);
  Put32(b, 0x000000);
  Put32(b, 0xFFFFFF);
  bool transparent[Side][Side];
  const int rows = (int)(sizeof Arrow / sizeof Arrow[0]);
  for (int y = Side - 1; y >= 0; y--) {
    const char* line = y < rows ? Arrow[y] : "";
    int length = (int)strlen(line);
    for (int x = 0; x < Side; x += 8) {
      uint8_t bits = 0;
      for (int i = 0; i < 8; i++) {
        char c = x + i < length ? line[x + i] : ' ';
        transparent[y][x + i] = c != 'B' && c != 'W';
        if (c == 'W') bits |= (uint8_t)(0x80 >> i);
      }
      b.push_back(bits);
    }
  }
  PutMask(b, transparent);
  return b;
}

// The text input dialog: a DLGTEMPLATE of 228 bytes in dialog units, an edit
// field, OK and Cancel and three centred prompt lines.
void PutWideText(Bytes& b, const char* s) {
  for (; *s; s++) Put16(b, (uint8_t)*s);
  Put16(b, 0);
}

void AlignToWord32(Bytes& b) {
  while (b.size() % 4) b.push_back(0);
}

struct DialogItem {
  uint32_t Style;
  int X, Y, Width, Height, Id;
  uint16_t ClassAtom;  // 0x80 button, 0x81 edit, 0x82 static
  const char* Text;
};

const DialogItem InputDialogItems[] = {
    {0x50810080, 2, 42, 241, 12, 1093, 0x81, ""},
    {0x50010001, 65, 61, 50, 14, 1, 0x80, "OK"},
    {0x50010000, 131, 61, 50, 14, 2, 0x80, ""},
    {0x50020001, 4, 7, 238, 8, 1146, 0x82, "-"},
    {0x50020001, 4, 16, 238, 8, 1147, 0x82, "-"},
    {0x50020001, 4, 25, 238, 8, 1148, 0x82, "-"},
};

Bytes BuildInputDialog() {
  Bytes b;
  Put32(b, 0x80C800C0);  // popup, caption, system menu, modal frame, font
  Put32(b, 0);
  Put16(b, 6);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, 246);
  Put16(b, 82);
  Put16(b, 0);  // no menu
  Put16(b, 0);  // the standard dialog class
  Put16(b, 0);  // empty title
  Put16(b, 8);
  PutWideText(b, "MS Sans Serif");
  for (const DialogItem& item : InputDialogItems) {
    AlignToWord32(b);
    Put32(b, item.Style);
    Put32(b, 0);
    Put16(b, (uint32_t)item.X);
    Put16(b, (uint32_t)item.Y);
    Put16(b, (uint32_t)item.Width);
    Put16(b, (uint32_t)item.Height);
    Put16(b, (uint32_t)item.Id);
    Put16(b, 0xFFFF);
    Put16(b, item.ClassAtom);
    PutWideText(b, item.Text);
    Put16(b, 0);  // no creation data
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: yltres OUTDIR\n");
    return 2;
  }
  std::string dir = argv[1];
  Bytes cube;
  if (!BuildCube(cube)) return 1;
  bool ok = WriteFile(dir + "/cube.bin", cube);
  ok = WriteFile(dir + "/yelto.ico", BuildIcon()) && ok;
  ok = WriteFile(dir + "/arrow.cur", BuildCursor()) && ok;
  Bytes dialog = BuildInputDialog();
  if (dialog.size() != 228) {
    fprintf(stderr, "yltres: the input dialog template has %zu bytes, not 228\n", dialog.size());
    return 1;
  }
  ok = WriteFile(dir + "/input.dlg", dialog) && ok;
  return ok ? 0 : 1;
}
