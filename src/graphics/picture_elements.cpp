// The picture value elements: size in fields, mirrors, resize with a free
// dimension and negative sizes, colour scaling, rotation, masking, and
// pictures from a map or an icon.
#include <math.h>
#include "base/rounding.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "values/picture.h"

// A requested side in pixels outside this range is free.
const int32_t MaxRequestedSide = 32768;

static bool IsFree(int32_t side) { return side < -MaxRequestedSide || side > MaxRequestedSide; }

static int32_t LimitRequested(int32_t side) {
  return side < -MaxRequestedSide ? -MaxRequestedSide : side > MaxRequestedSide ? MaxRequestedSide : side;
}

// Picture: its width in fields (pixels / 32).
double ExecNumPictureWidth() {
  Picture p;
  RunValue(p);
  return p.Width() / PixelsPerField;
}

// Picture: its height in fields.
double ExecNumPictureHeight() {
  Picture p;
  RunValue(p);
  return p.Height() / PixelsPerField;
}

// Picture: each row reversed (left-right mirror).
void ExecPictureMirrorX(Picture& r) {
  RunValue(r);
  r.MirrorX();
}

// Picture: row order reversed (top-bottom mirror).
void ExecPictureMirrorY(Picture& r) {
  RunValue(r);
  r.MirrorY();
}

// The resize of a picture to w x h pixels: a free side keeps the aspect
// ratio (both free: unchanged), a zero side gives the empty picture, and a
// negative side mirrors, before an enlarging resize and after a shrinking one.
static void ResizePicture(Picture& r, int32_t w, int32_t h, bool smooth, bool dither) {
  if (IsFree(w) && IsFree(h)) return;
  int32_t width = r.Width(), height = r.Height();
  if (width <= 0 || height <= 0 || w == 0 || h == 0) return r.Empty();
  if (IsFree(w)) w = LimitRequested(RoundToInt((double)h / height * width));
  if (IsFree(h)) h = LimitRequested(RoundToInt((double)w / width * height));
  if (w == 0 || h == 0) return r.Empty();
  bool mirrorX = w < 0, mirrorY = h < 0;
  if (mirrorX) w = -w;
  if (mirrorY) h = -h;
  bool xBefore = mirrorX && w > width, yBefore = mirrorY && h > height;
  if (xBefore) r.MirrorX();
  if (yBefore) r.MirrorY();
  r.Resize(w, h, smooth, dither);
  if (mirrorX && !xBefore) r.MirrorX();
  if (mirrorY && !yBefore) r.MirrorY();
}

// Picture, width and height (fields; beyond 1024 fields free), smooth,
// dither: ResizePicture.
void ExecPictureResize(Picture& r) {
  RunValue(r);
  int32_t w = EvalNextPixels();
  int32_t h = EvalNextPixels();
  bool smooth = RunBool() != 0;
  bool dither = RunBool() != 0;
  ResizePicture(r, w, h, smooth, dither);
}

// Picture, factor, smooth: every colour times |factor| (at most 1000); 1, -1
// and NaN change nothing.
void ExecPictureScaleColors(Picture& r) {
  RunValue(r);
  double factor = RunNum();
  bool smooth = RunBool() != 0;
  r.ScaleColors(factor, smooth);
}

// Picture, angle (radians), smooth, dither: turned counter-clockwise; a
// non-finite angle changes nothing.
void ExecPictureRotate(Picture& r) {
  RunValue(r);
  double angle = RunNum();
  bool smooth = RunBool() != 0;
  bool dither = RunBool() != 0;
  r.Rotate(angle, smooth, dither);
}

// Map: a picture of its cells' icons side by side.
void ExecPictureFromMap(Picture& r) {
  Map map;
  RunValue(map);
  r.FromMap(map);
}

// Icon: a 32 x 32 picture of its pixels.
void ExecPictureFromIcon(Picture& r) {
  Icon icon;
  RunValue(icon);
  r.FromIcon(icon);
}

// Picture, mask picture: pixels become 0 where the mask's are 0 or where it
// does not reach.
void ExecPictureMask(Picture& r) {
  RunValue(r);
  Picture mask;
  RunValue(mask);
  r.Mask(mask);
}
