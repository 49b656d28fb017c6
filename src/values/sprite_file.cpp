// Sprite file reading (header checks, colour import, pictures) and writing
// (header, the palette, one compressed stream of every picture).
#include "values/sprite_file.h"
#include <math.h>
#include <string.h>
#include "values/palette.h"
#include "values/pixel_code.h"

static const uint8_t SpriteFileMagic[4] = {'Y', 'S', 'P', 'R'};

static int32_t ReadI32(const uint8_t* p) { return (int32_t)(p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24); }
static int32_t ReadU16(const uint8_t* p) { return p[0] | p[1] << 8; }
static int32_t ReadI16(const uint8_t* p) { return (int16_t)ReadU16(p); }
static void WriteI32(uint8_t* p, int32_t v) { memcpy(p, &v, 4); }
static void WriteI16(uint8_t* p, int32_t v) {
  p[0] = (uint8_t)v;
  p[1] = (uint8_t)(v >> 8);
}

static bool InRange(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }

bool ParseSpriteFileHeader(const uint8_t* bytes, int32_t available, SpriteFileHeader* h) {
  uint8_t b[SpriteFileHeaderSize] = {};
  memcpy(b, bytes, available < SpriteFileHeaderSize ? (available < 0 ? 0 : available) : SpriteFileHeaderSize);
  if (memcmp(b, SpriteFileMagic, 4) != 0) return false;
  h->PhaseCount = ReadI32(b + 4);
  h->DirectionCount = ReadI32(b + 8);
  h->RestPhaseCount = ReadI32(b + 12);
  h->Width = ReadU16(b + 16);
  h->Height = ReadU16(b + 18);
  h->Delay = ReadI32(b + 20);
  h->Level = ReadI32(b + 24);
  memcpy(&h->Step, b + 28, 8);
  h->ColorCount = available < 38 ? 0 : ReadI16(b + 36);
  h->Compression = ReadI16(b + 38);
  if (!InRange(h->PhaseCount, 1, 2048) || !InRange(h->DirectionCount, 1, 1024)) return false;
  if (!InRange(h->RestPhaseCount, 1, 1024) || h->RestPhaseCount > h->PhaseCount ||
      h->PhaseCount - h->RestPhaseCount > 1024)
    return false;
  // 32768 passes the file's own range but is wider than a picture can be.
  if (!InRange(h->Width, 1, MaxPictureSide) || !InRange(h->Height, 1, MaxPictureSide)) return false;
  if (!InRange(h->Delay, 0, 3600000)) return false;
  if (isnan(h->Step) || h->Step < 0 || h->Step > 1e6) return false;
  if (!InRange(h->ColorCount, 10, 256) || h->Compression > 1) return false;
  int64_t length = (int64_t)h->Width * h->Height * h->PhaseCount * h->DirectionCount;
  if (length > MaxSpritePixelBytes) return false;
  h->Length = (int32_t)length;
  return true;
}

void ImportSpriteFileColors(const SpriteFileHeader& header, const uint8_t* colors) {
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
  } info = {};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biBitCount = 8;
  info.Header.biClrUsed = header.ColorCount;
  memcpy(info.Colors, colors, 4 * header.ColorCount);
  info.Colors[TransparentColor] = DibHeader->bmiColors[TransparentColor];
  if (header.ColorCount >= SpriteFileColorCount)
    info.Colors[ShadowColor] = DibHeader->bmiColors[ShadowColor];
  BuildColorImportMap(reinterpret_cast<const BITMAPINFO*>(&info));
}

void BuildSpriteFromPixels(Sprite& sprite, const SpriteFileHeader& h, const uint8_t* pixels) {
  sprite.NewData(h.PhaseCount, h.DirectionCount);
  SpriteData* data = sprite.Data.Data;
  data->SetRestPhaseCount(h.RestPhaseCount);
  data->Delay = h.Delay;
  data->Level = h.Level;
  data->Step = h.Step;
  int32_t pictureBytes = h.Width * h.Height;
  Picture* pictures = data->Pictures();
  for (int32_t k = 0, n = data->PictureCount(); k < n; k++) {
    pictures[k].New(h.Width, h.Height);
    pictures[k].ImportPixels(pixels + (int64_t)k * pictureBytes);
  }
}

// `wanted` bytes from data[offset..size) into `to`, zeros for what is missing;
// returns the offset after what was taken.
static int32_t TakeBytes(uint8_t* to, int32_t wanted, const uint8_t* data, int32_t size, int32_t offset) {
  int32_t present = size - offset;
  if (present > wanted) present = wanted;
  if (present < 0) present = 0;
  memcpy(to, data + offset, present);
  memset(to + present, 0, wanted - present);
  return offset + present;
}

int32_t ReadSpriteFile(Sprite& sprite, const uint8_t* data, int32_t size) {
  SpriteFileHeader h;
  if (!ParseSpriteFileHeader(data, size, &h)) return -1;
  int32_t offset = SpriteFileHeaderSize;

  uint8_t colors[4 * 256];
  offset = TakeBytes(colors, 4 * h.ColorCount, data, size, offset);
  ImportSpriteFileColors(h, colors);

  uint8_t* pixels = (uint8_t*)MemAlloc(h.Length);
  if (h.Compression == 1) {
    uint8_t countBytes[4];
    offset = TakeBytes(countBytes, 4, data, size, offset);
    uint32_t count = (uint32_t)ReadI32(countBytes);
    // The stored count is not trusted: the stream ends with the data at the latest.
    int32_t present = size - offset;
    int32_t codeSize = count < (uint32_t)present ? (int32_t)count : present;
    DecompressPixels(pixels, h.Length, h.Width, data + offset, codeSize);
    offset += codeSize;
  } else {
    offset = TakeBytes(pixels, h.Length, data, size, offset);
  }
  BuildSpriteFromPixels(sprite, h, pixels);
  MemFree(pixels);
  return offset;
}

// The pictures' pixels one after another, each cut or padded with zeros to
// picture 0's size.
static void GatherPixels(uint8_t* to, SpriteData* data, int32_t pictureBytes) {
  const Picture* pictures = data->Pictures();
  for (int32_t k = 0, n = data->PictureCount(); k < n; k++) {
    const Picture& picture = pictures[k];
    const uint8_t* from = picture.Pixels();
    int32_t bytes = picture.Data->PixelCount();
    if (bytes > pictureBytes) bytes = pictureBytes;
    uint8_t* slot = to + (int64_t)k * pictureBytes;
    memcpy(slot, from, bytes);
    memset(slot + bytes, 0, pictureBytes - bytes);
  }
}

static void WriteSpriteFileHeader(uint8_t* b, const SpriteData* d, int32_t width, int32_t height) {
  memcpy(b, SpriteFileMagic, 4);
  WriteI32(b + 4, d->PhaseCount);
  WriteI32(b + 8, d->DirectionCount);
  WriteI32(b + 12, ClampRestPhaseCount(d->RestPhaseCount, d->PhaseCount));
  WriteI16(b + 16, width);
  WriteI16(b + 18, height);
  WriteI32(b + 20, d->Delay);
  WriteI32(b + 24, d->Level);
  memcpy(b + 28, &d->Step, 8);
  WriteI16(b + 36, SpriteFileColorCount);
  WriteI16(b + 38, 1);
  RGBQUAD* colors = reinterpret_cast<RGBQUAD*>(b + SpriteFileHeaderSize);
  for (int32_t i = 0; i < SpriteFileColorCount; i++) {
    colors[i] = DibHeader->bmiColors[i];
    colors[i].rgbReserved = 0;
  }
}

int32_t SpriteFileBufferSize(int32_t length) {
  return SpriteFileCodeOffset + (int32_t)CompressedPixelBound(length);
}

int32_t WriteSpriteFile(const Sprite& sprite, uint8_t** file) {
  SpriteData* data = sprite.Data.Data;
  const Picture& first = data->Pictures()[0];
  int32_t width = first.Width(), height = first.Height();
  int32_t pictureBytes = width * height;
  int64_t length = (int64_t)pictureBytes * data->PictureCount();
  *file = nullptr;
  if (length > MaxSpritePixelBytes) return 0;

  uint8_t* pixels = (uint8_t*)MemAlloc((int32_t)length);
  GatherPixels(pixels, data, pictureBytes);
  uint8_t* out = (uint8_t*)MemAlloc(SpriteFileBufferSize((int32_t)length));
  WriteSpriteFileHeader(out, data, width, height);
  int32_t count = CompressPixels(out + SpriteFileCodeOffset, pixels, (int32_t)length, width);
  WriteI32(out + SpriteFileCodeOffset - 4, count);
  MemFree(pixels);
  *file = out;
  return SpriteFileCodeOffset + count;
}
