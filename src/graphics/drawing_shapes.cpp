// The area commands: flood fill, circle outline, filled circle, shaded
// sphere and filled triangle.
#include <math.h>
#include "base/memory.h"
#include "base/rounding.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/number_operand.h"
#include "graphics/drawing.h"
#include "graphics/surface.h"
#include "values/palette_rule.h"

// Runs still to paint, kept on an explicit work list so that a winding
// region of many runs never deepens the call stack.
struct FillSeed {
  int32_t X, Y;
};
static FillSeed* FillSeeds;
static int32_t FillSeedCapacity;

static void PushSeed(int32_t& count, int32_t x, int32_t y) {
  if (count == FillSeedCapacity) {
    int32_t capacity = FillSeedCapacity ? FillSeedCapacity * 2 : 1024;
    FillSeeds = (FillSeed*)MemRealloc(FillSeeds, (int32_t)(capacity * sizeof(FillSeed)));
    FillSeedCapacity = capacity;
  }
  FillSeeds[count].X = x;
  FillSeeds[count].Y = y;
  count++;
}

static uint8_t* LayerRow(int32_t y) { return BackgroundLayer + (int64_t)y * SurfaceStride; }

// A seed for every run of FillTarget pixels of row y within left .. right.
static void SeedRuns(int32_t& count, int32_t y, int32_t left, int32_t right) {
  const uint8_t* row = LayerRow(y);
  for (int32_t c = left; c <= right; c++)
    if (row[c] == FillTarget && (c == left || row[c - 1] != FillTarget)) PushSeed(count, c, y);
}

// The run through (x, y) painted and marked; the runs it touches below and
// above become seeds.
static void FillSpan(int32_t& count, int32_t x, int32_t y) {
  uint8_t* row = LayerRow(y);
  if (row[x] != FillTarget) return;  // painted since it was seeded
  int32_t left = x, right = x;
  while (left > 0 && row[left - 1] == FillTarget) left--;
  while (right < SurfaceWidth - 1 && row[right + 1] == FillTarget) right++;
  memset(row + left, DrawColor, (size_t)(right - left + 1));
  MarkPixelRectDirty(left, y, right, y);
  if (y < SurfaceHeight - 1) SeedRuns(count, y + 1, left, right);
  if (y > 0) SeedRuns(count, y - 1, left, right);  // taken first
}

// Colour, x, y: the 4-connected region of the start pixel's colour painted;
// nothing off the surface or when that colour is the pen's.
void ExecCmdFill() {
  DrawColor = EvalNextColorIndex();
  int32_t x = EvalNextPixels();
  int32_t y = EvalNextPixels();
  if ((uint32_t)x >= (uint32_t)SurfaceWidth || (uint32_t)y >= (uint32_t)SurfaceHeight) return;
  FillTarget = LayerRow(y)[x];
  if (FillTarget == DrawColor) return;
  int32_t count = 0;
  PushSeed(count, x, y);
  while (count > 0) {
    count--;
    FillSpan(count, FillSeeds[count].X, FillSeeds[count].Y);
  }
}

// Values n of 0 .. last for which one of the eight points of a ring can lie
// on the surface: cx +- n a column or cy +- n a row of it. Up to four
// ranges, merged in order.
struct NRange {
  int64_t From, To;
};
static int32_t RingRanges(int64_t cx, int64_t cy, int64_t last, NRange out[4]) {
  NRange r[4] = {{cx - SurfaceWidth + 1, cx}, {-cx, SurfaceWidth - 1 - cx},
                 {cy - SurfaceHeight + 1, cy}, {-cy, SurfaceHeight - 1 - cy}};
  int32_t n = 0;
  for (NRange& a : r) {
    if (a.From < 0) a.From = 0;
    if (a.To > last) a.To = last;
    if (a.From <= a.To) out[n++] = a;
  }
  for (int32_t i = 1; i < n; i++)
    for (int32_t j = i; j > 0 && out[j].From < out[j - 1].From; j--) {
      NRange t = out[j];
      out[j] = out[j - 1];
      out[j - 1] = t;
    }
  int32_t merged = 0;
  for (int32_t i = 0; i < n; i++) {
    if (merged && out[i].From <= out[merged - 1].To + 1) {
      if (out[i].To > out[merged - 1].To) out[merged - 1].To = out[i].To;
    } else {
      out[merged++] = out[i];
    }
  }
  return merged;
}

// One ring of radius R: the eight-way points of the octant n <= 0.72 R + 0.8.
static void DrawRing(int64_t cx, int64_t cy, double R) {
  int64_t last = TruncPixel(R * 0.72 + 0.8);
  NRange ranges[4];
  int32_t count = RingRanges(cx, cy, last, ranges);
  for (int32_t k = count - 1; k >= 0; k--) {
    for (int64_t n = ranges[k].To; n >= ranges[k].From; n--) {
      int64_t f = n > R ? 0 : TruncPixel(sqrt(R * R - (double)n * n) + 0.5);
      PlotPixelUnmarked(cx - n, cy + f);
      PlotPixelUnmarked(cx + n, cy + f);
      PlotPixelUnmarked(cx - n, cy - f);
      PlotPixelUnmarked(cx + n, cy - f);
      PlotPixelUnmarked(cx - f, cy + n);
      PlotPixelUnmarked(cx + f, cy + n);
      PlotPixelUnmarked(cx - f, cy - n);
      PlotPixelUnmarked(cx + f, cy - n);
    }
  }
}

// The distances from (cx, cy) to the nearest and the farthest surface pixel.
static void SurfaceDistances(double cx, double cy, double& nearest, double& farthest) {
  double w = SurfaceWidth - 1, h = SurfaceHeight - 1;
  double dx = cx < 0 ? -cx : cx > w ? cx - w : 0, dy = cy < 0 ? -cy : cy > h ? cy - h : 0;
  nearest = sqrt(dx * dx + dy * dy);
  double fx = fmax(fabs(cx), fabs(cx - w)), fy = fmax(fabs(cy), fabs(cy - h));
  farthest = sqrt(fx * fx + fy * fy);
}

// Colour, pen width (pixels, not rounded), centre x, y, radius (fields, not
// rounded): rings 0.7 pixel apart from the radius less half the width
// outward. Nothing for a width of 0.4 or less; rings that cannot reach the
// surface are passed over.
void ExecCmdCircle() {
  DrawColor = EvalNextColorIndex();
  double w = RunNumOperand() - 0.4;
  int32_t cx = EvalNextPixels(), cy = EvalNextPixels();
  double radius = RunNumOperand();
  double d = trunc((radius * 32 + 0.2) * 2);
  double R = d / 2 - w / 2;
  if (R < 0.5) {
    w += R - 0.5;
    R = 0.5;
  }
  MarkPixelRectDirty(RoundToInt(cx - R - w), RoundToInt(cy - R - w), RoundToInt(cx + R + w), RoundToInt(cy + R + w));
  if (!(w > 0) || !isfinite(R) || !isfinite(w)) return;
  double nearest, farthest;
  SurfaceDistances(cx, cy, nearest, farthest);
  // Every point of a ring lies within a pixel of its radius.
  double skip = floor((nearest - 2 - R) / 0.7);
  if (skip > 65536) {
    R += skip * 0.7;
    w -= skip * 0.7;
  }
  for (; w > 0 && R <= farthest + 2; R += 0.7, w -= 0.7)
    if (R >= nearest - 2) DrawRing(cx, cy, R);
}

// Colour, centre x, y, radius (EvalNextDiameter): one pen dot of that
// diameter, at most 20000; nothing below 1.
void ExecCmdCircleFill() {
  DrawColor = EvalNextColorIndex();
  int32_t cx = EvalNextPixels(), cy = EvalNextPixels();
  int32_t d = EvalNextDiameter();
  if (d < 1) return;
  PenWidth = d > MaxPenWidth ? MaxPenWidth : d;
  DrawPenDot(cx, cy);
}

// The shades from c down to black: the rest of c's group (or of the greys),
// then black. Gives the number of entries.
static int32_t ShadeRamp(uint8_t c, uint8_t ramp[GreyCount]) {
  int32_t n = c < FirstGreyColor ? ShadesPerGroup + 1 - (c + 4) % ShadesPerGroup : PaletteColorCount - c;
  for (int32_t i = 0; i < n - 1; i++) ramp[i] = (uint8_t)(c + i);
  ramp[n - 1] = BlackColor;
  return n;
}

// Colour (not stored as the pen's), centre x, y, radius (EvalNextDiameter):
// a disc shaded from a highlight up and to the left through the colour's
// darker shades to black, with a 2 x 2 ordered dither; nothing below 1.
void ExecCmdSphere() {
  uint8_t ramp[GreyCount];
  int32_t n = ShadeRamp(EvalNextColorIndex(), ramp);
  int32_t x = EvalNextPixels(), y = EvalNextPixels();
  int32_t d = EvalNextDiameter();
  if (d < 1) return;
  if (d > MaxPenWidth) d = MaxPenWidth;
  int64_t hx = (int64_t)x - d / 4, hy = (int64_t)y + d / 4;
  DiscBounds b = DiscBoundsOf(x, y, d);
  MarkPixelRect64(b.Left, b.Bottom, b.Right, b.Top);
  for (int64_t r = b.Bottom; r < b.Top; r++) {
    int64_t first, last;
    if (!DiscRowSpan(x, y, d, r, first, last)) continue;
    if (first < b.Left) first = b.Left;
    if (last > b.Right - 1) last = b.Right - 1;
    uint8_t* row = BackgroundLayer + r * SurfaceStride;
    for (int64_t c = first; c <= last; c++) {
      double ex = (double)(2 * c - 2 * hx), ey = (double)(2 * r - 2 * hy);
      int64_t a = TruncPixel(sqrt(ex * ex + ey * ey) * n * 2.2 / d);
      int64_t shade = a / 4;
      switch (a % 4) {
        case 1: shade += c & r & 1; break;
        case 2: shade += (c + r) & 1; break;
        case 3: shade += (c | r) & 1; break;
      }
      row[c] = ramp[shade < n - 1 ? shade : n - 1];
    }
  }
}

// a * b / c truncated toward zero, for 0 <= b <= c, c > 0: exact while the
// product fits 63 bits, else through long double (only far off the surface).
static int64_t ScaleEdge(int64_t a, int64_t b, int64_t c) {
  const int64_t small = (int64_t)1 << 31;
  if (a > -small && a < small && b < small) return a * b / c;
  return TruncPixel((double)((long double)a * b / c));
}

struct Corner {
  int64_t X, Y;
};

static void Swap(Corner& a, Corner& b) {
  Corner t = a;
  a = b;
  b = t;
}

// Colour (not stored as the pen's), x1, y1, x2, y2, x3, y3: the triangle
// filled row by row between its edges, only rows on the surface computed;
// edge arithmetic in 64 bits.
void ExecCmdTriangleFill() {
  uint8_t color = EvalNextColorIndex();
  Corner p[3];
  for (Corner& c : p) {
    c.X = EvalNextPixels();
    c.Y = EvalNextPixels();
  }
  if (p[1].Y < p[0].Y) Swap(p[0], p[1]);
  if (p[2].Y < p[0].Y) Swap(p[0], p[2]);
  if (p[2].Y < p[1].Y) Swap(p[1], p[2]);
  int64_t minX = p[0].X, maxX = p[0].X;
  for (const Corner& c : p) {
    if (c.X < minX) minX = c.X;
    if (c.X > maxX) maxX = c.X;
  }
  MarkPixelRect64(minX, p[0].Y, maxX, p[2].Y);
  int64_t from = p[0].Y < 0 ? 0 : p[0].Y, to = p[2].Y > SurfaceHeight - 1 ? SurfaceHeight - 1 : p[2].Y;
  for (int64_t r = from; r <= to; r++) {
    int64_t xa, xb;
    if (r < p[1].Y) {
      xa = p[0].X + ScaleEdge(p[1].X - p[0].X, r - p[0].Y, p[1].Y - p[0].Y);
      xb = p[0].X + ScaleEdge(p[2].X - p[0].X, r - p[0].Y, p[2].Y - p[0].Y);
    } else if (p[1].Y == p[2].Y) {
      xa = p[1].X;
      xb = p[2].X;
    } else {
      xa = p[1].X + ScaleEdge(p[2].X - p[1].X, r - p[1].Y, p[2].Y - p[1].Y);
      xb = p[0].X + ScaleEdge(p[2].X - p[0].X, r - p[0].Y, p[2].Y - p[0].Y);
    }
    if (xa > xb) {
      int64_t t = xa;
      xa = xb;
      xb = t;
    }
    FillRow(r, xa, xb, color);
  }
}
