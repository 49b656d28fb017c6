// Pictures on the background layer and read back from it: a picture's block
// drawn with its transparent and shadow pixels, a picture or an icon of a
// block of the layer, the colour of one pixel, and the two colour numbers.
#include <string.h>
#include "base/rounding.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "exec/number_operand.h"
#include "graphics/surface.h"
#include "values/palette.h"
#include "values/picture.h"

static uint8_t* LayerAt(int64_t x, int64_t y) { return BackgroundLayer + y * SurfaceStride + x; }

// Width w of a row of source drawn over the layer by the picture's state.
static void DrawPictureRow(ImageState state, const uint8_t* source, uint8_t* layer, int64_t w) {
  if (state == Opaque) {
    memcpy(layer, source, (size_t)w);
    return;
  }
  for (int64_t i = 0; i < w; i++) {
    uint8_t p = source[i];
    if (p == TransparentColor) continue;
    layer[i] = p == ShadowColor ? DarkerColor[layer[i]] : p;
  }
}

// Picture, x, y, then the block bx, by, bw, bh (pixels; the block's defaults
// take the whole picture): the block drawn with its bottom-left corner at
// (x, y), clipped to the picture and the surface. Opaque pictures are copied
// row by row; transparent pixels keep the layer, shadow pixels darken it;
// an invisible picture draws nothing but still marks the clipped rectangle.
void ExecCmdBackgroundDisp() {
  Picture picture;
  RunValue(picture);
  int64_t x = EvalNextPixels(), y = EvalNextPixels();
  int64_t bx = EvalNextPixels(), by = EvalNextPixels();
  int64_t bw = EvalNextPixels(), bh = EvalNextPixels();
  int64_t pw = picture.Width(), ph = picture.Height();
  bx = bx < 0 ? 0 : bx > pw ? pw : bx;
  by = by < 0 ? 0 : by > ph ? ph : by;
  if (bx + bw > pw) bw = pw - bx;
  if (by + bh > ph) bh = ph - by;
  if (bw <= 0 || bh <= 0) return;
  int64_t left = x, right = x + bw, bottom = y, top = y + bh;
  picture.Decompress();
  int64_t sx = bx, sy = by;
  if (x < 0) {
    sx -= x;
    left = 0;
  }
  if (y < 0) {
    sy -= y;
    bottom = 0;
  }
  if (right > SurfaceWidth) right = SurfaceWidth;
  if (top > SurfaceHeight) top = SurfaceHeight;
  if (left >= right || bottom >= top) return;
  ImageState state = picture.Classify();
  if (state != Invisible) {
    const uint8_t* pixels = picture.Pixels();
    for (int64_t r = bottom; r < top; r++)
      DrawPictureRow(state, pixels + (sy + r - bottom) * pw + sx, LayerAt(left, r), right - left);
  }
  MarkPixelRectDirty((int32_t)left, (int32_t)bottom, (int32_t)right, (int32_t)top);
}

// A block size: the whole surface from 100000 pixels on, at most what a
// picture can hold.
static int64_t BlockSide(int64_t n, int32_t surfaceSide) {
  if (n >= 100000) n = surfaceSide;
  return n > MaxPictureSide ? MaxPictureSide : n;
}

// x, y, w, h (pixels): a new w x h picture of that block of the layer, black
// (223) wherever the block leaves the surface; the empty picture for a block
// without width or height. Sides are limited to 32767.
void ExecPictureBackgroundGet(Picture& r) {
  r.Empty();
  int64_t x = EvalNextPixels(), y = EvalNextPixels();
  int64_t w = BlockSide(EvalNextPixels(), SurfaceWidth), h = BlockSide(EvalNextPixels(), SurfaceHeight);
  if (w <= 0 || h <= 0) return;
  r.New((int32_t)w, (int32_t)h);
  uint8_t* to = r.Data->Pixels;
  // The columns of the block on the surface: [left, right) of the block.
  int64_t left = x < 0 ? -x : 0, right = SurfaceWidth - x < w ? SurfaceWidth - x : w;
  for (int64_t j = 0; j < h; j++, to += w) {
    int64_t row = y + j;
    if (row < 0 || row >= SurfaceHeight || left >= right) {
      memset(to, BlackColor, (size_t)w);
      continue;
    }
    memset(to, BlackColor, (size_t)left);
    memcpy(to + left, LayerAt(x + left, row), (size_t)(right - left));
    memset(to + right, BlackColor, (size_t)(w - right));
  }
}

// The visible part of a 32-pixel side starting at *at: its length, with *at
// moved onto the surface.
static int64_t VisibleSide(int64_t& at, int32_t surfaceSide) {
  int64_t n = IconSide;
  if (at < 0) {
    n = at + IconSide;
    at = 0;
  }
  if (at > surfaceSide) at = surfaceSide;
  if (n < 0) n = 0;
  if (n > surfaceSide) n = surfaceSide;
  if (n > surfaceSide - at) n = surfaceSide - at;
  return n;
}

// x, y (pixels): a new icon of the 32 x 32 block whose bottom-left corner is
// (x, y); a block partly off the surface gives its visible pixels centred on
// a transparent icon; the empty icon when none is visible.
void ExecIconBackgroundGet(Icon& r) {
  r.Empty();
  int64_t x = EvalNextPixels(), y = EvalNextPixels();
  int64_t w = VisibleSide(x, SurfaceWidth), h = VisibleSide(y, SurfaceHeight);
  if (w <= 0 || h <= 0) return;
  r.New();
  uint8_t* pixels = r.WritablePixels();
  if (w < IconSide || h < IconSide) memset(pixels, TransparentColor, IconPixelCount);
  int64_t column = (IconSide - w) / 2, row = (IconSide - h) / 2;
  for (int64_t j = 0; j < h; j++)
    memcpy(pixels + (row + j) * IconSide + column, LayerAt(x, y + j), (size_t)w);
}

// x, y (pixels): the colour of that layer pixel as 0x00BBGGRR; 0 off the surface.
double ExecNumGetPoint() {
  int32_t x = EvalNextPixels(), y = EvalNextPixels();
  if ((uint32_t)x >= (uint32_t)SurfaceWidth || (uint32_t)y >= (uint32_t)SurfaceHeight) return 0;
  return PaletteColors[*LayerAt(x, y)];
}

// Colour, level (1.0 the brightest): the colour's shade at that level among
// its group's six shades and black (the greys: eleven and black); a level of
// 0, below it or NaN gives black, 0.
double ExecNumColorLevel() {
  int32_t c = EvalNextColorIndex();
  double level = RunNumOperand();
  int32_t g = (c - FirstGroupColor) / ShadesPerGroup * ShadesPerGroup + FirstGroupColor, levels = ShadesPerGroup + 1;
  if (g >= FirstGreyColor) {
    g = FirstGreyColor;
    levels = GreyCount;
  }
  int32_t i = RoundToInt(StoredDouble((long double)level * (levels - 1)));
  if (i < 0) i = 0;
  if (i >= levels) i = levels - 1;
  if (i == 0) return 0;
  return PaletteColors[g + levels - 1 - i];
}

// Red, green, blue (0..1 each, EvalNextByte): red + green x 256 + blue x 65536.
double ExecNumColorRGB() {
  int32_t red = EvalNextByte();
  int32_t green = EvalNextByte();
  int32_t blue = EvalNextByte();
  return red + green * 256 + blue * 65536;
}
