// The sprite engine's lists, the draw list and the drawing of one sprite:
// clipped, with transparent and shadow pixels and the optional status bar.
#include "graphics/sprite_engine.h"
#include <emmintrin.h>
#include <string.h>
#include "base/global_storage.h"
#include "base/rounding.h"
#include "graphics/surface.h"
#include "values/palette.h"
#include "values/sprite.h"

GLOBAL_OBJECT(IntList, VisibleSprites);
GLOBAL_OBJECT(IntList, MovingSprites);
GLOBAL_OBJECT(IntList, AnimatedSprites);
GLOBAL_OBJECT(IntList, SpriteDrawOrder);
GLOBAL_OBJECT(IntList, SpriteDrawLevels);
GLOBAL_OBJECT(RealList, SpriteDrawKeys);

int32_t SpriteClipLeft = 0, SpriteClipBottom = 0;
int32_t SpriteClipRight = SpriteClipLimit, SpriteClipTop = SpriteClipLimit;

// Set while the draw list runs by level from high to low and by key from small
// to large with no NaN key: the place the walk from the end stops at is then
// the first entry that it would pass, found by halving. A NaN key stops walks
// of its level wherever it stands, so the list keeps the walk until emptied.
static bool DrawListOrdered = true;

void InitSpriteLists() {
  VisibleSprites.Init();
  MovingSprites.Init();
  AnimatedSprites.Init();
  SpriteDrawOrder.Init();
  SpriteDrawLevels.Init();
  SpriteDrawKeys.Init();
}

void ResetSpriteEngine() {
  VisibleSprites.RemoveAll();
  MovingSprites.RemoveAll();
  AnimatedSprites.RemoveAll();
  SpriteDrawOrder.RemoveAll();
  SpriteDrawLevels.RemoveAll();
  SpriteDrawKeys.RemoveAll();
  DrawListOrdered = true;
  SpriteClipLeft = SpriteClipBottom = 0;
  SpriteClipRight = SpriteClipTop = SpriteClipLimit;
}

int32_t SpriteWidth(int32_t i) { return Sprites[i].Held()->Pictures()[0].Width(); }
int32_t SpriteHeight(int32_t i) { return Sprites[i].Held()->Pictures()[0].Height(); }

void InvalidateSprite(int32_t i) {
  const Sprite& s = Sprites[i];
  if (!s.Visible) return;
  MarkPixelRectDirty(s.PixelX, s.PixelY, ClampToInt32((int64_t)s.PixelX + SpriteWidth(i)),
                     ClampToInt32((int64_t)s.PixelY + SpriteHeight(i)));
}

// Whether the walk from the end passes entry k on its way to the place of a
// sprite of this level and key.
static bool WalksPast(int32_t k, int32_t level, double key) {
  return SpriteDrawLevels[k] < level || (SpriteDrawLevels[k] == level && SpriteDrawKeys[k] > key);
}

void AddSpriteToDrawList(int32_t i) {
  Sprite& s = Sprites[i];
  if (s.Queued) return;
  s.Queued = 1;
  int32_t level = s.Held()->Level;
  double key = s.Y;
  int32_t n = SpriteDrawOrder.Count;
  if (n == 0) DrawListOrdered = true;
  if (DrawListOrdered && key == key) {
    int32_t low = 0;  // entries before low are not passed, from n on they are
    while (low < n) {
      int32_t mid = low + (n - low) / 2;
      if (WalksPast(mid, level, key))
        n = mid;
      else
        low = mid + 1;
    }
  } else {
    while (n > 0 && WalksPast(n - 1, level, key)) n--;
  }
  if (key != key) DrawListOrdered = false;
  SpriteDrawOrder.Insert(n, i);
  SpriteDrawLevels.Insert(n, level);
  SpriteDrawKeys.Insert(n, key);
}

static void DrawQueued(bool back) {
  for (int32_t k = SpriteDrawOrder.Count - 1; k >= 0; k--) {
    int32_t i = SpriteDrawOrder[k];
    Sprite& s = Sprites[i];
    if ((s.Held()->Level < 0) != back) continue;
    s.Queued = 0;
    DrawSprite(i);
  }
}

void DrawBackSprites() { DrawQueued(true); }

void DrawFrontSprites() {
  DrawQueued(false);
  SpriteDrawOrder.RemoveAll();
  SpriteDrawLevels.RemoveAll();
  SpriteDrawKeys.RemoveAll();
}

static int32_t Clamp(int32_t v, int32_t high) { return v < 0 ? 0 : v > high ? high : v; }

// The visible block of a sprite picture in the frame buffer.
struct SpriteBlock {
  int32_t X0, X1;           // columns, x1 exclusive
  int32_t YStart, YEnd;     // rows from the top, yEnd exclusive
  int32_t SourceColumn, SourceRow;
  int32_t Width() const { return X1 - X0; }
  int32_t Height() const { return YEnd - YStart; }
};

// The picture of w x h at (px, py) clipped to the clip rectangle and the
// surface, in 64 bits so positions near the ends of the 32-bit range never
// wrap; false when nothing is visible.
static bool ClipSprite(int64_t px, int64_t py, int32_t w, int32_t h, SpriteBlock& b) {
  int64_t l = Clamp(SpriteClipLeft, SurfaceWidth), r = Clamp(SpriteClipRight, SurfaceWidth);
  int64_t bottom = Clamp(SpriteClipBottom, SurfaceHeight), top = Clamp(SpriteClipTop, SurfaceHeight);
  if (l > r) { int64_t t = l; l = r; r = t; }
  if (bottom > top) { int64_t t = bottom; bottom = top; top = t; }
  if (l == r || bottom == top) return false;
  int64_t x0 = px, x1 = px + w, sourceColumn = 0;
  if (x0 < l) {
    sourceColumn = l - x0;
    x0 = l;
  }
  if (x1 > r) x1 = r;
  if (x1 - x0 <= 0) return false;
  int64_t sh = SurfaceHeight, yEnd = sh - py, sourceRow = 0, rows = h;
  if (py < bottom) {
    sourceRow = bottom - py;
    rows -= sourceRow;
    yEnd = sh - bottom;
  }
  int64_t yStart = yEnd - rows;
  if (yStart < sh - top) yStart = sh - top;
  if (yEnd - yStart <= 0) return false;
  b = {(int32_t)x0, (int32_t)x1, (int32_t)yStart, (int32_t)yEnd, (int32_t)sourceColumn, (int32_t)sourceRow};
  return true;
}

// Pixel 0 leaves the frame pixel, 1 darkens it, any other replaces it.
// Sixteen pixels at a time: all transparent is skipped, none transparent or
// shadow is copied, otherwise each byte is taken from the picture or kept from
// the frame, and then the kept shadow bytes are darkened one by one.
static void DrawMaskedRow(uint8_t* to, const uint8_t* from, int32_t n) {
  const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi8(1);
  int32_t x = 0;
  for (; x + 16 <= n; x += 16) {
    __m128i p = _mm_loadu_si128((const __m128i*)(from + x));
    __m128i clear = _mm_cmpeq_epi8(p, zero), shadow = _mm_cmpeq_epi8(p, one);
    __m128i keep = _mm_or_si128(clear, shadow);
    int kept = _mm_movemask_epi8(keep), shaded = _mm_movemask_epi8(shadow);
    if (kept == 0xFFFF && shaded == 0) continue;
    if (kept != 0) {
      __m128i f = _mm_loadu_si128((const __m128i*)(to + x));
      p = _mm_or_si128(_mm_and_si128(keep, f), _mm_andnot_si128(keep, p));
    }
    _mm_storeu_si128((__m128i*)(to + x), p);
    while (shaded) {
      int k = __builtin_ctz((unsigned)shaded);
      to[x + k] = DarkerColor[to[x + k]];
      shaded &= shaded - 1;
    }
  }
  for (; x < n; x++) {
    uint8_t p = from[x];
    if (p > 1)
      to[x] = p;
    else if (p == 1)
      to[x] = DarkerColor[to[x]];
  }
}

// White frame on three sides and a three-row gauge along the top edge.
static void DrawStatusBar(const Sprite& s, const SpriteBlock& b) {
  int32_t w = b.Width(), h = b.Height();
  if (w < 3 || h < 5) return;
  int32_t filled = s.Status <= 0 ? 0 : s.Status >= 1.0 ? w : RoundToInt(s.Status * w);
  uint8_t color = s.Status >= 0.5 ? GreenColor : s.Status >= 0.25 ? YellowColor : RedColor;
  uint8_t* row = FrameBuffer + (int64_t)(SurfaceHeight - b.YEnd) * SurfaceStride + b.X0;
  memset(row, WhiteColor, w);
  for (int32_t k = 1; k <= h - 4; k++) {
    row[k * SurfaceStride] = WhiteColor;
    row[k * SurfaceStride + w - 1] = WhiteColor;
  }
  for (int32_t k = h - 3; k < h; k++) {
    memset(row + k * SurfaceStride, color, filled);
    memset(row + k * SurfaceStride + filled, BlackColor, w - filled);
  }
}

void DrawSprite(int32_t i) {
  Sprite& s = Sprites[i];
  if (!s.Visible) return;
  SpriteData* d = s.Held();
  // A sprite that neither moves nor animates takes its pending phase when it
  // is drawn. Nothing counts its countdown down, so the countdown a walk left
  // behind does not hold the phase back.
  if (!s.Moving && !s.Animating && (uint32_t)s.PendingPhase < (uint32_t)d->PhaseCount) {
    s.Phase = s.PendingPhase;
    s.PendingPhase = -1;
  }
  const Picture& picture = s.CurrentPicture();
  SpriteBlock b;
  if (!ClipSprite(s.PixelX, s.PixelY, picture.Width(), picture.Height(), b)) return;
  ImageState state = picture.Classify();
  const uint8_t* source = picture.Pixels() + (int64_t)b.SourceRow * picture.Width() + b.SourceColumn;
  uint8_t* frame = FrameBuffer + (int64_t)(SurfaceHeight - b.YEnd) * SurfaceStride + b.X0;
  int32_t w = b.Width(), h = b.Height();
  if (state == Opaque) {
    for (int32_t k = 0; k < h; k++) memcpy(frame + k * SurfaceStride, source + k * picture.Width(), w);
  } else if (state == Masked) {
    for (int32_t k = 0; k < h; k++) DrawMaskedRow(frame + k * SurfaceStride, source + k * picture.Width(), w);
  }
  if (s.StatusShown) DrawStatusBar(s, b);
  WidenDirtyRect(b.X0, b.YStart, b.X1, b.YEnd);
}

// Removes every entry from first on; parallel lists lose the same places.
static void DropIndexesFrom(IntList& list, int32_t first, IntList* levels, RealList* keys) {
  for (int32_t k = list.Count - 1; k >= 0; k--) {
    if (list[k] < first) continue;
    list.RemoveAt(k);
    if (levels) levels->RemoveAt(k);
    if (keys) keys->RemoveAt(k);
  }
}

void ForgetSpritesFrom(int32_t first) {
  for (int32_t i = first; i < Sprites.Count; i++) InvalidateSprite(i);
  DropIndexesFrom(VisibleSprites, first, nullptr, nullptr);
  DropIndexesFrom(MovingSprites, first, nullptr, nullptr);
  DropIndexesFrom(AnimatedSprites, first, nullptr, nullptr);
  DropIndexesFrom(SpriteDrawOrder, first, &SpriteDrawLevels, &SpriteDrawKeys);
}
