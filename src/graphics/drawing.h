// The pen the drawing commands share and the pixel, pen-dot and stroke
// operations they draw with, all on the background layer.
#pragma once
#include <stdint.h>

extern uint8_t DrawColor;  // palette index of the pen
extern int32_t PenWidth;   // pixels; the dot and the strokes read it
extern uint8_t FillTarget; // the colour a running flood fill replaces

// The widest pen and the largest dot or sphere diameter.
const int32_t MaxPenWidth = 20000;

void InitDrawingState();

// DrawColor at (x, y) when on the surface, marking its tile.
void PlotPixel(int32_t x, int32_t y);
// The same without the mark; the caller marks the area.
void PlotPixelUnmarked(int64_t x, int64_t y);
// Bytes [from, to] of one layer row with a colour, clipped to the surface.
void FillRow(int64_t row, int64_t from, int64_t to, uint8_t color);
// The pen's footprint centred on (x, y).
void DrawPenDot(int32_t x, int32_t y);
// PenWidth rows (columns) around y (x), each from the first to the last
// coordinate inclusive, clipped to the surface; they mark nothing.
void DrawHorizontalStroke(int32_t xFrom, int32_t xTo, int32_t y);
void DrawVerticalStroke(int32_t x, int32_t yFrom, int32_t yTo);
// MarkPixelRectDirty of edges computed in 64 bits.
void MarkPixelRect64(int64_t left, int64_t bottom, int64_t right, int64_t top);

// The candidate rectangle of a disc of diameter w centred on (x, y), clipped
// to the surface: columns [left, right), rows [bottom, top).
struct DiscBounds {
  int64_t Left, Right, Bottom, Top;
};
DiscBounds DiscBoundsOf(int32_t x, int32_t y, int32_t w);
// The columns of row r inside the disc: (2r - 2y)^2 + (2c - 2x)^2 <= w^2;
// false when none.
bool DiscRowSpan(int32_t x, int32_t y, int32_t w, int64_t r, int64_t& first, int64_t& last);

// v truncated toward zero; beyond +-2^62 (and NaN, taken as the low end) the
// result is held at +-2^62, far off any surface yet safe to add to.
inline int64_t TruncPixel(double v) {
  const double limit = 4611686018427387904.0;
  if (v > -limit && v < limit) return (int64_t)v;
  return v >= limit ? (int64_t)1 << 62 : -((int64_t)1 << 62);
}
