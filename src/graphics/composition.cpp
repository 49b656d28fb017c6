// The dirty-tile closure and the composition of backgrounds and map icons.
#include "graphics/composition.h"
#include <string.h>
#include "base/memory.h"
#include "graphics/sprite_engine.h"
#include "graphics/surface.h"
#include "values/map.h"
#include "values/palette.h"
#include "values/sprite.h"

// The map icon of a tile; a tile outside the main map (its size changed
// without the surface being rebuilt) shows the empty icon.
static const Icon& TileIcon(int32_t column, int32_t row) {
  const Map& main = Maps.Get(0);
  return main.Inside(column, row) ? main.Cell(column, row).Icon : EmptyIcon;
}

static uint8_t* TileStart(uint8_t* buffer, int32_t column, int32_t row) {
  return buffer + (int64_t)row * TileRowStride + (int64_t)column * TileSide;
}

// One level of the closure: a tile whose sprites are being looked at, and,
// while a sprite's tiles are being marked, that sprite's tile range and the
// next tile of it.
struct ClosureFrame {
  int32_t Column, Row;
  int32_t NextSprite;  // index into VisibleSprites, counting down
  bool InRange;
  int32_t FirstColumn, LastColumn, LastRow;
  int32_t AtColumn, AtRow;
};

static ClosureFrame* ClosureStack;
static int32_t ClosureCapacity;

static ClosureFrame& PushTile(int32_t& depth, int32_t column, int32_t row) {
  if (depth == ClosureCapacity) {
    int32_t capacity = ClosureCapacity ? ClosureCapacity * 2 : 64;
    ClosureStack = (ClosureFrame*)MemRealloc(ClosureStack, (int32_t)(capacity * sizeof(ClosureFrame)));
    ClosureCapacity = capacity;
  }
  ClosureFrame& f = ClosureStack[depth++];
  f.Column = column;
  f.Row = row;
  f.NextSprite = VisibleSprites.Count - 1;
  f.InRange = false;
  int32_t a = column * TileSide, t = SurfaceHeight - row * TileSide;
  WidenDirtyRect(a, t - TileSide, a + TileSide, t);
  return f;
}

static bool OverlapsTile(const Sprite& s, int32_t w, int32_t h, int32_t column, int32_t row) {
  int64_t a = (int64_t)column * TileSide, b = (int64_t)row * TileSide;
  return a + TileSide > s.PixelX && a < (int64_t)s.PixelX + w && b + TileSide > s.PixelY && b < (int64_t)s.PixelY + h;
}

static int32_t TileFloor(int64_t pixel) { return (int32_t)(pixel / TileSide); }

// Starts marking the tiles of sprite i's range (rows upward, columns to the
// right); false when the range is empty.
static bool EnterRange(ClosureFrame& f, int32_t i) {
  const Sprite& s = Sprites[i];
  int64_t px = s.PixelX, py = s.PixelY;
  int32_t c0 = TileFloor(px), r0 = TileFloor(py);
  int64_t c1 = TileFloor(px + SpriteWidth(i)) + (int64_t)1, r1 = TileFloor(py + SpriteHeight(i)) + (int64_t)1;
  if (c0 < 0) c0 = 0;
  if (r0 < 0) r0 = 0;
  if (c1 > TileColumns) c1 = TileColumns;
  if (r1 > TileRows) r1 = TileRows;
  if (c0 > c1 - 1 || r0 > r1 - 1) return false;
  f.InRange = true;
  f.FirstColumn = c0;
  f.LastColumn = (int32_t)c1 - 1;
  f.LastRow = (int32_t)r1 - 1;
  f.AtColumn = c0;
  f.AtRow = r0;
  return true;
}

// The recursion of the closure on an explicit stack, in the same depth-first
// order: the order in which sprites are queued breaks ties of the draw order.
void CollectSpritesOverTile(int32_t column, int32_t row) {
  int32_t depth = 0;
  PushTile(depth, column, row);
  while (depth > 0) {
    ClosureFrame& f = ClosureStack[depth - 1];
    if (f.InRange) {
      if (f.AtRow > f.LastRow) {
        f.InRange = false;
        continue;
      }
      int32_t c = f.AtColumn, r = f.AtRow;
      if (++f.AtColumn > f.LastColumn) {
        f.AtColumn = f.FirstColumn;
        f.AtRow++;
      }
      uint8_t& mark = DirtyTiles[(int64_t)r * TileColumns + c];
      if (!mark) {
        mark = 1;
        PushTile(depth, c, r);
      }
      continue;
    }
    if (f.NextSprite < 0) {
      depth--;
      continue;
    }
    int32_t i = VisibleSprites[f.NextSprite--];
    const Sprite& s = Sprites[i];
    if (s.Queued || !OverlapsTile(s, SpriteWidth(i), SpriteHeight(i), f.Column, f.Row)) continue;
    AddSpriteToDrawList(i);
    EnterRange(f, i);
  }
}

// Each walk visits the dirty-tile map from its last byte to its first.
void CollectDirtySprites() {
  for (int32_t k = TileColumns * TileRows - 1; k >= 0; k--)
    if (DirtyTiles[k]) CollectSpritesOverTile(k % TileColumns, k / TileColumns);
}

static void CopyTile(uint8_t* to, const uint8_t* from) {
  for (int32_t y = 0; y < TileSide; y++) memcpy(to + y * SurfaceStride, from + y * SurfaceStride, TileSide);
}

void ComposeBackgrounds() {
  for (int32_t k = TileColumns * TileRows - 1; k >= 0; k--) {
    if (!DirtyTiles[k]) continue;
    int32_t c = k % TileColumns, r = k / TileColumns;
    const Icon& icon = TileIcon(c, r);
    icon.Decompress();
    if (icon.Data->State != Opaque) CopyTile(TileStart(FrameBuffer, c, r), TileStart(BackgroundLayer, c, r));
  }
}

// Pixel 0 leaves the frame pixel, 1 darkens it, any other replaces it.
static void DrawMaskedTile(uint8_t* to, const uint8_t* from) {
  for (int32_t y = 0; y < TileSide; y++, to += SurfaceStride, from += IconSide) {
    for (int32_t x = 0; x < TileSide; x++) {
      uint8_t p = from[x];
      if (p > 1)
        to[x] = p;
      else if (p == 1)
        to[x] = DarkerColor[to[x]];
    }
  }
}

// An unclassified icon is classified here, once, in its shared record.
static void ComposeMapIcon(int32_t column, int32_t row) {
  const Icon& icon = TileIcon(column, row);
  ImageState state = icon.Classify();
  uint8_t* to = TileStart(FrameBuffer, column, row);
  if (state == Opaque) {
    for (int32_t y = 0; y < TileSide; y++) memcpy(to + y * SurfaceStride, icon.Data->Pixels + y * IconSide, TileSide);
  } else if (state == Masked) {
    DrawMaskedTile(to, icon.Data->Pixels);
  }
}

void ComposeMapIcons() {
  for (int32_t k = TileColumns * TileRows - 1; k >= 0; k--) {
    if (!DirtyTiles[k]) continue;
    DirtyTiles[k] = 0;
    ComposeMapIcon(k % TileColumns, k / TileColumns);
  }
}
