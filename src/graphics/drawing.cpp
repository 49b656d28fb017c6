// The drawing pen, pixel writes, the pen dot and the thick strokes of boxes.
#include "graphics/drawing.h"
#include <math.h>
#include <string.h>
#include "graphics/surface.h"
#include "values/palette_rule.h"

uint8_t DrawColor;
int32_t PenWidth;
uint8_t FillTarget;

void InitDrawingState() {
  DrawColor = YellowColor;
  PenWidth = 1;
}

static bool OnSurface(int64_t x, int64_t y) {
  return x >= 0 && x < SurfaceWidth && y >= 0 && y < SurfaceHeight;
}

void PlotPixel(int32_t x, int32_t y) {
  if ((uint32_t)x >= (uint32_t)SurfaceWidth || (uint32_t)y >= (uint32_t)SurfaceHeight) return;
  BackgroundLayer[(int64_t)y * SurfaceStride + x] = DrawColor;
  DirtyTiles[(y / TileSide) * TileColumns + x / TileSide] = 1;
}

void PlotPixelUnmarked(int64_t x, int64_t y) {
  if (OnSurface(x, y)) BackgroundLayer[y * SurfaceStride + x] = DrawColor;
}

void FillRow(int64_t row, int64_t from, int64_t to, uint8_t color) {
  if (row < 0 || row >= SurfaceHeight || to < 0 || from >= SurfaceWidth) return;
  if (from < 0) from = 0;
  if (to > SurfaceWidth - 1) to = SurfaceWidth - 1;
  if (from > to) return;
  memset(BackgroundLayer + row * SurfaceStride + from, color, (size_t)(to - from + 1));
}

void MarkPixelRect64(int64_t left, int64_t bottom, int64_t right, int64_t top) {
  MarkPixelRectDirty(ClampToInt32(left), ClampToInt32(bottom), ClampToInt32(right), ClampToInt32(top));
}

// The fixed dots of widths 2 to 9, as bands of rows: rows y + From .. y + To,
// each covering columns x + Left .. x + Right.
struct DotBand {
  int8_t Width, From, To, Left, Right;
};
static const DotBand DotBands[] = {
    {2, 0, 1, 0, 1},
    {3, -1, 1, -1, 1},
    {4, 2, 2, 0, 1},   {4, 0, 1, -1, 2},  {4, -1, -1, 0, 1},
    {5, 2, 2, -1, 1},  {5, -1, 1, -2, 2}, {5, -2, -2, -1, 1},
    {6, 3, 3, -1, 2},  {6, -1, 2, -2, 3}, {6, -2, -2, -1, 2},
    {7, 3, 3, -1, 1},  {7, 2, 2, -2, 2},  {7, -1, 1, -3, 3}, {7, -2, -2, -2, 2}, {7, -3, -3, -1, 1},
    {8, 4, 4, -1, 2},  {8, 3, 3, -2, 3},  {8, -1, 2, -3, 4}, {8, -2, -2, -2, 3}, {8, -3, -3, -1, 2},
    {9, 4, 4, -2, 2},  {9, 3, 3, -3, 3},  {9, -2, 2, -4, 4}, {9, -3, -3, -3, 3}, {9, -4, -4, -2, 2},
};

// Each pixel through PlotPixel, so each marks its own tile.
static void DrawFixedDot(int32_t x, int32_t y, int32_t w) {
  for (const DotBand& band : DotBands) {
    if (band.Width != w) continue;
    for (int32_t dy = band.From; dy <= band.To; dy++)
      for (int32_t dx = band.Left; dx <= band.Right; dx++)
        PlotPixel(ClampToInt32((int64_t)x + dx), ClampToInt32((int64_t)y + dy));
  }
}

DiscBounds DiscBoundsOf(int32_t x, int32_t y, int32_t w) {
  int64_t h = (w - 1) / 2, reach = w / 2 + 1;
  DiscBounds b;
  b.Left = x - h < 0 ? 0 : x - h;
  b.Right = x + reach < SurfaceWidth ? x + reach : SurfaceWidth;
  b.Bottom = y - h < 0 ? 0 : y - h;
  b.Top = y + reach < SurfaceHeight ? y + reach : SurfaceHeight;
  return b;
}

// The largest s with s * s <= n (n >= 0).
static int64_t IntSqrt(int64_t n) {
  int64_t s = (int64_t)sqrt((double)n);
  while (s * s > n) s--;
  while ((s + 1) * (s + 1) <= n) s++;
  return s;
}

bool DiscRowSpan(int32_t x, int32_t y, int32_t w, int64_t r, int64_t& first, int64_t& last) {
  int64_t dy = 2 * r - 2 * (int64_t)y;
  int64_t room = (int64_t)w * w - dy * dy;
  if (room < 0) return false;
  // (2c - 2x)^2 <= room holds exactly for |c - x| <= isqrt(room) / 2.
  int64_t half = IntSqrt(room) / 2;
  first = x - half;
  last = x + half;
  return true;
}

// The disc of the wide pens: its rectangle marked once, rows filled in spans.
static void DrawDiscDot(int32_t x, int32_t y, int32_t w) {
  DiscBounds b = DiscBoundsOf(x, y, w);
  MarkPixelRect64(b.Left, b.Bottom, b.Right, b.Top);
  for (int64_t r = b.Bottom; r < b.Top; r++) {
    int64_t first, last;
    if (!DiscRowSpan(x, y, w, r, first, last)) continue;
    if (first < b.Left) first = b.Left;
    if (last > b.Right - 1) last = b.Right - 1;
    FillRow(r, first, last, DrawColor);
  }
}

void DrawPenDot(int32_t x, int32_t y) {
  int32_t w = PenWidth > MaxPenWidth ? MaxPenWidth : PenWidth;
  if (w <= 0) return;
  if (w == 1) return PlotPixel(x, y);
  if (w <= 9) return DrawFixedDot(x, y, w);
  DrawDiscDot(x, y, w);
}

// The offsets i of the pen's PenWidth lines around centre whose line
// centre - (PenWidth - 1) / 2 + i lies in 0 .. limit - 1.
static void PenLinesOnSurface(int64_t centre, int32_t limit, int64_t& first, int64_t& end) {
  int64_t w = PenWidth > MaxPenWidth ? MaxPenWidth : PenWidth;
  int64_t start = centre - (w - 1) / 2;
  first = start < 0 ? -start : 0;
  end = limit - start < w ? limit - start : w;
}

void DrawHorizontalStroke(int32_t xFrom, int32_t xTo, int32_t y) {
  if (xTo < 0 || xFrom >= SurfaceWidth) return;
  int64_t first, end, start = (int64_t)y - ((PenWidth > MaxPenWidth ? MaxPenWidth : PenWidth) - 1) / 2;
  PenLinesOnSurface(y, SurfaceHeight, first, end);
  for (int64_t i = first; i < end; i++) FillRow(start + i, xFrom, xTo, DrawColor);
}

void DrawVerticalStroke(int32_t x, int32_t yFrom, int32_t yTo) {
  if (yTo < 0 || yFrom >= SurfaceHeight) return;
  int64_t from = yFrom < 0 ? 0 : yFrom, to = yTo > SurfaceHeight - 1 ? SurfaceHeight - 1 : yTo;
  int64_t first, end, start = (int64_t)x - ((PenWidth > MaxPenWidth ? MaxPenWidth : PenWidth) - 1) / 2;
  PenLinesOnSurface(x, SurfaceWidth, first, end);
  for (int64_t i = first; i < end; i++)
    for (int64_t r = from; r <= to; r++) BackgroundLayer[r * SurfaceStride + start + i] = DrawColor;
}
