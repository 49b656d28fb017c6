// The picture transformations: mask, mirrors, resize (nearest pixel or
// smooth), colour scaling and rotation (exact quarter turns or any angle).
#include <math.h>
#include <string.h>
#include "base/pi.h"
#include "base/rounding.h"
#include "values/color_pixels.h"
#include "values/palette.h"
#include "values/picture.h"

const double ExactTurnTolerance = 0.0001;
const double MaxColorFactor = 1000;

static int32_t LimitSide(int32_t n) { return n < 1 ? 1 : n > MaxPictureSide ? MaxPictureSide : n; }

void Picture::Mask(const Picture& other) {
  const uint8_t* mask = other.Pixels();
  int32_t maskWidth = other.Width(), maskHeight = other.Height();
  MakeUnique();
  int32_t width = Data->Width;
  for (int32_t y = 0; y < Data->Height; y++) {
    uint8_t* row = Data->Pixels + (int64_t)y * width;
    if (y >= maskHeight) {
      memset(row, 0, width);
      continue;
    }
    const uint8_t* maskRow = mask + (int64_t)y * maskWidth;
    for (int32_t x = 0; x < width; x++)
      if (x >= maskWidth || maskRow[x] == 0) row[x] = 0;
  }
  Data->State = Unclassified;
}

void Picture::MirrorX() {
  MakeUnique();
  int32_t width = Data->Width;
  for (int32_t y = 0; y < Data->Height; y++) {
    uint8_t* row = Data->Pixels + (int64_t)y * width;
    for (int32_t k = 0; k < width / 2; k++) {
      uint8_t t = row[k];
      row[k] = row[width - 1 - k];
      row[width - 1 - k] = t;
    }
  }
}

void Picture::MirrorY() {
  MakeUnique();
  int32_t width = Data->Width, height = Data->Height;
  for (int32_t k = 0; k < height / 2; k++) {
    uint8_t* a = Data->Pixels + (int64_t)k * width;
    uint8_t* b = Data->Pixels + (int64_t)(height - 1 - k) * width;
    for (int32_t x = 0; x < width; x++) {
      uint8_t t = a[x];
      a[x] = b[x];
      b[x] = t;
    }
  }
}

// Output column i takes source column min(floor(i * (W / W')), W - 1).
static void ResizeNearest(Picture& p, int32_t newWidth, int32_t newHeight) {
  int32_t width = p.Width(), height = p.Height();
  Picture result(newWidth, newHeight);
  double xRatio = (double)width / newWidth, yRatio = (double)height / newHeight;
  const uint8_t* from = p.Pixels();
  uint8_t* to = result.Data->Pixels;
  for (int32_t j = 0; j < newHeight; j++) {
    int32_t sy = FloorToInt(j * yRatio);
    if (sy > height - 1) sy = height - 1;
    const uint8_t* row = from + (int64_t)sy * width;
    for (int32_t i = 0; i < newWidth; i++) {
      int32_t sx = FloorToInt(i * xRatio);
      *to++ = row[sx > width - 1 ? width - 1 : sx];
    }
  }
  p = result;
}

// A shrinking height is resampled first, so the wider pass runs on fewer rows.
static void ResizeSmooth(Picture& p, int32_t newWidth, int32_t newHeight, bool dither) {
  int32_t width = p.Width(), height = p.Height();
  ColorPixel* colors = p.ToColorPixels();
  if (newHeight < height) {
    ColorPixel* next = AllocColorPixels((int64_t)width * newHeight);
    ResampleColumns(colors, width, height, next, newHeight);
    MemFree(colors);
    colors = next;
    height = newHeight;
  }
  if (newWidth != width) {
    ColorPixel* next = AllocColorPixels((int64_t)newWidth * height);
    ResampleRows(colors, width, height, next, newWidth);
    MemFree(colors);
    colors = next;
  }
  if (newHeight != height) {
    ColorPixel* next = AllocColorPixels((int64_t)newWidth * newHeight);
    ResampleColumns(colors, newWidth, height, next, newHeight);
    MemFree(colors);
    colors = next;
  }
  p.New(newWidth, newHeight);
  p.FromColorPixels(colors, dither);
  MemFree(colors);
}

void Picture::Resize(int32_t width, int32_t height, bool smooth, bool dither) {
  width = LimitSide(width);
  height = LimitSide(height);
  if (width == Data->Width && height == Data->Height) return;
  Decompress();
  if (smooth)
    ResizeSmooth(*this, width, height, dither);
  else
    ResizeNearest(*this, width, height);
}

// Each channel times the factor, saturating; the classes 0 and 1 stay.
static void ScalePaletteColors(Picture& p, double factor) {
  uint8_t map[256];
  map[TransparentColor] = TransparentColor;
  map[ShadowColor] = ShadowColor;
  for (int32_t i = PaletteColorCount; i < 256; i++) map[i] = BlackColor;
  for (int32_t i = FirstGroupColor; i < PaletteColorCount; i++) {
    const RGBQUAD& q = DibHeader->bmiColors[i];
    const uint8_t channels[3] = {q.rgbRed, q.rgbGreen, q.rgbBlue};
    uint32_t cell[3];
    for (int c = 0; c < 3; c++) {
      int32_t v = RoundToInt(factor * channels[c]);
      cell[c] = v >= 256 ? 63 : (uint32_t)v >> 2;
    }
    map[i] = ColorCube[cell[2] << 12 | cell[1] << 6 | cell[0]];
  }
  p.MakeUnique();
  uint8_t* pixels = p.Data->Pixels;
  for (int32_t i = 0, n = p.Data->PixelCount(); i < n; i++) pixels[i] = map[pixels[i]];
}

static void ScaleSmoothColors(Picture& p, double factor) {
  uint8_t table[256];
  for (int32_t v = 0; v < 256; v++) {
    int32_t t = RoundToInt(factor * v);
    table[v] = (uint8_t)(t > 255 ? 255 : t);
  }
  ColorPixel* colors = p.ToColorPixels();
  for (int32_t i = 0, n = p.Data->PixelCount(); i < n; i++) {
    colors[i].Blue = table[colors[i].Blue];
    colors[i].Green = table[colors[i].Green];
    colors[i].Red = table[colors[i].Red];
  }
  p.FromColorPixels(colors, true);
  MemFree(colors);
}

void Picture::ScaleColors(double factor, bool smooth) {
  double c = fabs(factor);
  if (isnan(c) || c == 1) return;
  if (c > MaxColorFactor) c = MaxColorFactor;
  Decompress();
  if (smooth)
    ScaleSmoothColors(*this, c);
  else
    ScalePaletteColors(*this, c);
}

// A quarter turn into a new picture of width H and height W: counter-clockwise
// (y upward) new (x, y) is old (y, H - 1 - x); clockwise old (W - 1 - y, x).
static void QuarterTurn(Picture& p, bool counterClockwise) {
  int32_t width = p.Width(), height = p.Height();
  Picture result(height, width);
  const uint8_t* from = p.Pixels();
  uint8_t* to = result.Data->Pixels;
  for (int32_t y = 0; y < width; y++)
    for (int32_t x = 0; x < height; x++) {
      int32_t sx = counterClockwise ? y : width - 1 - y;
      int32_t sy = counterClockwise ? height - 1 - x : x;
      *to++ = from[(int64_t)sy * width + sx];
    }
  p = result;
}

static void HalfTurn(Picture& p) {
  p.MakeUnique();
  uint8_t* pixels = p.Data->Pixels;
  for (int32_t a = 0, b = p.Data->PixelCount() - 1; a < b; a++, b--) {
    uint8_t t = pixels[a];
    pixels[a] = pixels[b];
    pixels[b] = t;
  }
}

static int32_t BoxSide(double v) { return LimitSide(RoundToInt(v)); }

// Any angle r in (0, 2 pi): the bounding box of the turned picture, each
// output pixel taken from the source pixel that turns onto it, 0 outside.
static void RotateFree(Picture& p, double r) {
  int32_t width = p.Width(), height = p.Height();
  double alpha = atan2((double)height, (double)width);
  double d = sqrt((double)width * width + (double)height * height);
  int32_t q = FloorToInt(r / (Pi / 2));
  if (q < 0) q = 0;
  if (q > 3) q = 3;
  int32_t newWidth, newHeight;
  switch (q) {
    case 0:
      newWidth = BoxSide(d * cos(r - alpha) + 0.4);
      newHeight = BoxSide(d * sin(r + alpha) + 0.4);
      break;
    case 1:
      newWidth = BoxSide(0.4 - d * cos(r + alpha));
      newHeight = BoxSide(d * sin(r - alpha) + 0.4);
      break;
    case 2:
      newWidth = BoxSide(0.4 - d * cos(r - alpha));
      newHeight = BoxSide(0.4 - d * sin(r + alpha));
      break;
    default:
      newWidth = BoxSide(d * cos(r + alpha) + 0.4);
      newHeight = BoxSide(0.4 - d * sin(r - alpha));
      break;
  }
  int32_t cx = newWidth / 2, cy = newHeight / 2;
  int32_t sourceCx = width - (width + 1) / 2, sourceCy = height - (height + 1) / 2;
  Picture result(newWidth, newHeight);
  const uint8_t* from = p.Pixels();
  uint8_t* to = result.Data->Pixels;
  for (int32_t y = 0; y < newHeight; y++)
    for (int32_t x = 0; x < newWidth; x++) {
      double dx = x - cx, dy = y - cy;
      double theta = atan2(dy, dx) - r;
      double rho = sqrt(dx * dx + dy * dy);
      int32_t sx = RoundToInt(rho * cos(theta)) + sourceCx;
      int32_t sy = RoundToInt(rho * sin(theta)) + sourceCy;
      bool inside = (uint32_t)sx < (uint32_t)width && (uint32_t)sy < (uint32_t)height;
      *to++ = inside ? from[(int64_t)sy * width + sx] : TransparentColor;
    }
  p = result;
}

static bool Near(double r, double turn) { return fabs(r - turn) <= ExactTurnTolerance; }

void Picture::Rotate(double angle, bool smooth, bool dither) {
  if (Data->Width < 1 || Data->Height < 1 || !isfinite(angle)) return;
  // fmod, not repeated additions: huge angles take no longer than small ones.
  double r = fmod(angle, 2 * Pi);
  if (r < 0) r += 2 * Pi;
  if (r >= 2 * Pi) r -= 2 * Pi;
  if (r < ExactTurnTolerance) return;
  Decompress();
  if (Near(r, Pi / 2)) return QuarterTurn(*this, true);
  if (Near(r, Pi)) return HalfTurn(*this);
  if (Near(r, 3 * Pi / 2)) return QuarterTurn(*this, false);
  // The smooth way turns the doubled picture and halves the result; the
  // doubled sides are read back from the picture, which limits them.
  if (smooth) Resize(2 * Data->Width, 2 * Data->Height, false, false);
  RotateFree(*this, r);
  if (smooth) Resize((Data->Width + 1) / 2, (Data->Height + 1) / 2, true, dither);
}
