// Moving every sprite at once, and the rectangle outside which no sprite is
// drawn.
#include <math.h>
#include "base/rounding.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "graphics/sprite_engine.h"
#include "graphics/surface.h"
#include "values/sprite.h"

// Every sprite, built-in, global or local, shown or not, moves with its
// target, so walks go on from and to the shifted places.
static void ShiftSprites(double d, bool inX) {
  for (int32_t i = 0; i < Sprites.Count; i++) {
    Sprite& s = Sprites[i];
    if (inX) {
      s.TargetX += d;
      s.X += d;
      s.PixelX = RoundToInt(s.X * 32);
    } else {
      s.TargetY += d;
      s.Y += d;
      s.PixelY = RoundToInt(s.Y * 32);
    }
  }
  MarkAllTilesDirty();
}

// Number d (fields, not rounded): every sprite moves by d in x (or y). 0,
// and a distance that is not finite, change nothing.
void ExecCmdShiftSpritesX() {
  double d = RunNum();
  if (d != 0 && isfinite(d)) ShiftSprites(d, true);
}
void ExecCmdShiftSpritesY() {
  double d = RunNum();
  if (d != 0 && isfinite(d)) ShiftSprites(d, false);
}

// The next operand in pixels, held to the clipping limits. The limits are
// taken on the scaled number, so a huge positive edge is the upper limit
// rather than the integer indefinite; NaN gives the lower limit, as that
// indefinite would.
static int32_t NextClipPixels() {
  double v = StoredDouble((long double)RunNum() * PixelsPerField);
  if (isnan(v) || v <= -SpriteClipLimit) return -SpriteClipLimit;
  if (v >= SpriteClipLimit) return SpriteClipLimit;
  return RoundToInt(v);
}

// A changed edge redraws everything; an equal one changes nothing.
static void SetClipEdge(int32_t& edge) {
  int32_t v = NextClipPixels();
  if (v == edge) return;
  edge = v;
  MarkAllTilesDirty();
}

// Number (fields): one edge of the sprite clipping rectangle.
void ExecCmdSpriteClipLeft() { SetClipEdge(SpriteClipLeft); }
void ExecCmdSpriteClipBottom() { SetClipEdge(SpriteClipBottom); }
void ExecCmdSpriteClipRight() { SetClipEdge(SpriteClipRight); }
void ExecCmdSpriteClipTop() { SetClipEdge(SpriteClipTop); }

// No operand: the edge in fields.
double ExecNumSpriteClipLeft() { return SpriteClipLeft / PixelsPerField; }
double ExecNumSpriteClipBottom() { return SpriteClipBottom / PixelsPerField; }
double ExecNumSpriteClipRight() { return SpriteClipRight / PixelsPerField; }
double ExecNumSpriteClipTop() { return SpriteClipTop / PixelsPerField; }
