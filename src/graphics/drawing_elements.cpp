// The pen commands: point, line and box outline, and the box fill.
#include <math.h>
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/number_operand.h"
#include "graphics/drawing.h"
#include "graphics/surface.h"

static int32_t CappedWidth(int32_t w) { return w > MaxPenWidth ? MaxPenWidth : w; }

// Colour, pen width, x, y: one pen dot; nothing for a width below 1.
void ExecCmdPoint() {
  DrawColor = EvalNextColorIndex();
  PenWidth = CappedWidth(EvalNextInt());
  int32_t x = EvalNextPixels();
  int32_t y = EvalNextPixels();
  if (PenWidth > 0) DrawPenDot(x, y);
}

// One one-pixel stroke of a line: len pixels from major0 along the major axis
// (rows when steep, columns else) in direction step, the minor position p
// changing by dp per pixel. Only the pixels on the surface are visited; a
// long run up to the surface is passed over by one multiplication instead
// of adding dp pixel by pixel.
static void DrawLineStroke(bool steep, int64_t major0, int32_t step, int64_t len, double p, double dp) {
  int64_t limit = steep ? SurfaceHeight : SurfaceWidth;
  int64_t first, end;
  if (step > 0) {
    first = major0 < 0 ? -major0 : 0;
    end = limit - major0 < len ? limit - major0 : len;
  } else {
    first = major0 - limit + 1 > 0 ? major0 - limit + 1 : 0;
    end = major0 + 1 < len ? major0 + 1 : len;
  }
  if (first >= end) return;
  const int64_t stepwise = 65536;
  if (first < stepwise) {
    for (int64_t n = 0; n < first; n++) p += dp;
  } else {
    p += (double)first * dp;
  }
  for (int64_t n = first; n < end; n++, p += dp) {
    int64_t major = major0 + step * n, minor = TruncPixel(p + 0.5);
    if (steep)
      PlotPixelUnmarked(minor, major);
    else
      PlotPixelUnmarked(major, minor);
  }
}

// The parallel strokes of a line whose end points are ordered x1 <= x2.
static void DrawLineStrokes(int32_t w, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  int64_t dx = x2 - x1, dy = y2 > y1 ? y2 - y1 : y1 - y2;
  if (dx == 0 && dy == 0) return;  // no slope: the end dots alone
  bool steep = dx <= dy, up = y1 <= y2;
  double k = steep ? (double)dx / (double)dy : (double)dy / (double)dx;
  int64_t count = TruncPixel(w * sqrt(k * k + 1) + 0.4);
  int64_t m = (count - 1) / 2;
  int64_t len = steep ? dy : dx;
  for (int64_t i = 0; i < count; i++) {
    double across = (double)(i - m);
    if (up) {
      int64_t j = (count + 1) / 2 - i;
      if (steep) {
        int64_t r0 = TruncPixel(y1 + j * k * 0.7 + 0.5);
        DrawLineStroke(true, r0, 1, len, (r0 - y1) * k + (x1 + across), k);
      } else {
        int64_t c0 = TruncPixel(x1 + j * k * 0.7 + 0.5);
        DrawLineStroke(false, c0, 1, len, (c0 - x1) * k + (y1 + across), k);
      }
    } else {
      double slide = ((count - 2) * 0.5 - i) * k * 0.7;
      if (steep) {
        int64_t r0 = TruncPixel(y1 - slide);
        DrawLineStroke(true, r0, -1, len, (y1 - r0) * k + (x1 + across), k);
      } else {
        int64_t c0 = TruncPixel(x1 - slide);
        DrawLineStroke(false, c0, 1, len, (x1 - c0) * k + (y1 + across), -k);
      }
    }
  }
}

// Colour, pen width, x1, y1, x2, y2: a thick line with a pen dot at each end;
// nothing for a width below 1.
void ExecCmdLine() {
  DrawColor = EvalNextColorIndex();
  PenWidth = CappedWidth(EvalNextInt());
  int32_t x1 = EvalNextPixels(), y1 = EvalNextPixels();
  int32_t x2 = EvalNextPixels(), y2 = EvalNextPixels();
  int32_t w = PenWidth;
  if (w <= 0) return;
  if (x1 > x2) {
    int32_t t = x1;
    x1 = x2;
    x2 = t;
    t = y1;
    y1 = y2;
    y2 = t;
  }
  int64_t h = w / 2, low = y1 < y2 ? y1 : y2, high = y1 < y2 ? y2 : y1;
  MarkPixelRect64(x1 - h - 1, low - h - 1, x2 + h + 1, high + h + 1);
  DrawLineStrokes(w, x1, y1, x2, y2);
  DrawPenDot(x1, y1);
  DrawPenDot(x2, y2);
}

static void Order(int32_t& a, int32_t& b) {
  if (a <= b) return;
  int32_t t = a;
  a = b;
  b = t;
}

// Colour, pen width, x1, y1, x2, y2: the rectangle's outline with pen dots at
// its corners; nothing for a width below 1.
void ExecCmdBox() {
  DrawColor = EvalNextColorIndex();
  PenWidth = CappedWidth(EvalNextInt());
  int32_t x1 = EvalNextPixels(), y1 = EvalNextPixels();
  int32_t x2 = EvalNextPixels(), y2 = EvalNextPixels();
  int32_t w = PenWidth;
  if (w <= 0) return;
  Order(x1, x2);
  Order(y1, y2);
  int64_t h = w / 2;
  MarkPixelRect64((int64_t)x1 - h - 1, (int64_t)y1 - h - 1, (int64_t)x2 + h + 1, (int64_t)y2 + h + 1);
  DrawHorizontalStroke(x1, x2, y1);
  DrawHorizontalStroke(x1, x2, y2);
  DrawVerticalStroke(x1, y1, y2);
  DrawVerticalStroke(x2, y1, y2);
  DrawPenDot(x1, y1);
  DrawPenDot(x2, y1);
  DrawPenDot(x1, y2);
  DrawPenDot(x2, y2);
}

static int32_t Clamp(int32_t v, int32_t low, int32_t high) { return v < low ? low : v > high ? high : v; }

// Colour, x1, y1, x2, y2: the rectangle filled, its far edges excluded and
// clipped to the surface; nothing when it has no width or height.
void ExecCmdBoxFill() {
  DrawColor = EvalNextColorIndex();
  int32_t x1 = EvalNextPixels(), y1 = EvalNextPixels();
  int32_t x2 = EvalNextPixels(), y2 = EvalNextPixels();
  Order(x1, x2);
  Order(y1, y2);
  x1 = Clamp(x1, 0, SurfaceWidth);
  x2 = Clamp(x2, 0, SurfaceWidth);
  y1 = Clamp(y1, 0, SurfaceHeight);
  y2 = Clamp(y2, 0, SurfaceHeight);
  if (x1 == x2 || y1 == y2) return;
  MarkPixelRectDirty(x1, y1, x2, y2);
  for (int32_t r = y1; r < y2; r++) FillRow(r, x1, x2 - 1, DrawColor);
}
