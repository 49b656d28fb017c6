// Pictures to true colour and back (through the colour cube, with or without
// error diffusion), and the cubic resampling of colour-pixel rows and columns.
#include "values/color_pixels.h"
#include <math.h>
#include <string.h>
#include "base/rounding.h"
#include "values/palette.h"
#include "values/picture.h"

ColorPixel* AllocColorPixels(int64_t count) {
  return (ColorPixel*)AllocRecord(0, count, (int32_t)sizeof(ColorPixel));
}

ColorPixel* Picture::ToColorPixels() const {
  const uint8_t* pixels = Pixels();
  int32_t n = Data->PixelCount();
  ColorPixel* colors = AllocColorPixels(n);
  for (int32_t i = 0; i < n; i++) {
    uint8_t p = pixels[i];
    ColorPixel& c = colors[i];
    if (p == TransparentColor) {
      c = ColorPixel{0, 0, 0, 255, 0};
    } else if (p == ShadowColor) {
      c = ColorPixel{0, 0, 0, 0, 255};
    } else {
      const RGBQUAD& q = DibHeader->bmiColors[p];
      c = ColorPixel{q.rgbBlue, q.rgbGreen, q.rgbRed, 0, 0};
    }
  }
  return colors;
}

static uint8_t ClampChannel(int32_t v) { return (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v); }

// Transparent and shadow pixels by their weights; the rest is left to the caller.
static bool IsClassPixel(const ColorPixel& c, uint8_t& index) {
  if (c.Transparency > 128) {
    index = TransparentColor;
    return true;
  }
  if (c.Transparency + c.Shadow > 128) {
    index = ShadowColor;
    return true;
  }
  return false;
}

static void FromColorsPlain(const ColorPixel* colors, uint8_t* pixels, int32_t n) {
  for (int32_t i = 0; i < n; i++) {
    const ColorPixel& c = colors[i];
    if (!IsClassPixel(c, pixels[i])) pixels[i] = ColorCube[ColorCubeCell(c.Red, c.Green, c.Blue)];
  }
}

// One error row of (blue, green, red) per column with a spare column on each
// side, carried from row to row: entry c + 1 holds column c. Left of the
// current pixel it already holds this row's errors, from it on the last row's.
static void FromColorsDithered(const ColorPixel* colors, uint8_t* pixels, int32_t width, int32_t height) {
  int64_t entries = ((int64_t)width + 2) * 3;
  int32_t* errors = (int32_t*)AllocRecord(0, entries, (int32_t)sizeof(int32_t));
  memset(errors, 0, (size_t)entries * sizeof(int32_t));
  for (int32_t y = 0; y < height; y++) {
    for (int32_t x = 0; x < width; x++) {
      int32_t i = y * width + x;
      const ColorPixel& c = colors[i];
      int32_t* e = errors + (x + 1) * 3;
      if (IsClassPixel(c, pixels[i])) {
        e[0] = e[1] = e[2] = 0;
        continue;
      }
      const uint8_t original[3] = {c.Blue, c.Green, c.Red};
      uint8_t corrected[3];
      for (int k = 0; k < 3; k++)
        corrected[k] = ClampChannel(original[k] - (e[k - 3] + e[k] + e[k + 3]) * 5 / 8);
      uint8_t index = ColorCube[ColorCubeCell(corrected[2], corrected[1], corrected[0])];
      pixels[i] = index;
      const RGBQUAD& q = DibHeader->bmiColors[index];
      e[0] = q.rgbBlue - original[0];
      e[1] = q.rgbGreen - original[1];
      e[2] = q.rgbRed - original[2];
    }
  }
  MemFree(errors);
}

void Picture::FromColorPixels(const ColorPixel* colors, bool dither) {
  Decompress();
  if (Data->RefCount > 1) New(Data->Width, Data->Height);
  if (dither)
    FromColorsDithered(colors, Data->Pixels, Data->Width, Data->Height);
  else
    FromColorsPlain(colors, Data->Pixels, Data->PixelCount());
}

double ResampleKernel(double x) {
  double a = fabs(x);
  if (a < 1) return (7 * a * a * a - 12 * a * a + 16.0 / 3) / 6;
  if (a < 2) return (-7.0 / 3 * a * a * a + 12 * a * a - 20 * a + 32.0 / 3) / 6;
  return 0;
}

// The taps of one output position: source indexes first .. first + count - 1.
struct ResampleTaps {
  int32_t First, Count;
  double* Weights;
};

static void ComputeTaps(ResampleTaps& t, int32_t i, double scale, double e, int32_t len, int32_t capacity) {
  double u = i / scale;
  double radius = 2 * e + 1e-7;
  int32_t first = RoundToInt(u - radius);
  if (first < 0) first = 0;
  int32_t last = RoundToInt(u + radius);
  double sum = 0;
  int32_t n = 0;
  for (int32_t k = first; k <= last && k < len && n < capacity; k++, n++) {
    t.Weights[n] = ResampleKernel((k - u) / e) / e;
    sum += t.Weights[n];
  }
  if (sum != 0 && sum != 1)
    for (int32_t k = 0; k < n; k++) t.Weights[k] /= sum;
  t.First = first;
  t.Count = n;
}

// One output pixel from its taps, each channel summed in extended precision;
// colours under a partly transparent or shadow sum are brightened back.
static void ResamplePixel(const ColorPixel* line, int32_t tapStride, const ResampleTaps& t, ColorPixel& out) {
  long double s[5] = {0, 0, 0, 0, 0};
  const ColorPixel* p = line + (int64_t)t.First * tapStride;
  for (int32_t k = 0; k < t.Count; k++, p += tapStride) {
    long double w = t.Weights[k];
    s[0] += w * p->Blue;
    s[1] += w * p->Green;
    s[2] += w * p->Red;
    s[3] += w * p->Transparency;
    s[4] += w * p->Shadow;
  }
  long double a = s[3] + s[4];
  if (a > 0.0001L && a < 254) {
    long double f = sqrtl(1 / (1 - a / 255));
    for (int c = 0; c < 3; c++) s[c] *= f;
  }
  out.Blue = ClampChannel(RoundToInt((double)s[0]));
  out.Green = ClampChannel(RoundToInt((double)s[1]));
  out.Red = ClampChannel(RoundToInt((double)s[2]));
  out.Transparency = ClampChannel(RoundToInt((double)s[3]));
  out.Shadow = ClampChannel(RoundToInt((double)s[4]));
}

// `lines` lines of len pixels to lines of count pixels. A line's pixels lie
// tapStride apart in the source and outStride apart in the target; line j
// starts at j * lineStride and j * outLineStride.
static void Resample(const ColorPixel* source, int32_t len, int32_t lines, int32_t tapStride,
                     int32_t lineStride, ColorPixel* target, int32_t count, int32_t outStride,
                     int32_t outLineStride) {
  double scale = (double)count / len;
  double support = 2 / scale;
  if (support < 2) support = 2;
  double e = 1 / scale > 1 ? 1 / scale : 1;
  int32_t capacity = RoundToInt(2 * support + 3);
  ResampleTaps taps;
  taps.Weights = (double*)AllocRecord(0, capacity, (int32_t)sizeof(double));
  for (int32_t i = 0; i < count; i++) {
    ComputeTaps(taps, i, scale, e, len, capacity);
    for (int32_t j = 0; j < lines; j++)
      ResamplePixel(source + (int64_t)j * lineStride, tapStride, taps,
                    target[(int64_t)j * outLineStride + (int64_t)i * outStride]);
  }
  MemFree(taps.Weights);
}

void ResampleRows(const ColorPixel* source, int32_t oldWidth, int32_t rows, ColorPixel* target,
                  int32_t newWidth) {
  Resample(source, oldWidth, rows, 1, oldWidth, target, newWidth, 1, newWidth);
}

void ResampleColumns(const ColorPixel* source, int32_t width, int32_t oldHeight, ColorPixel* target,
                     int32_t newHeight) {
  Resample(source, oldHeight, width, width, 1, target, newHeight, width, 1);
}
