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
  int32_t NextSprite;  // place in VisibleSprites, or in the tile's bucket, counting down
  bool InRange;
  int32_t FirstColumn, LastColumn, LastRow;
  int32_t AtColumn, AtRow;
};

static ClosureFrame* ClosureStack;
static int32_t ClosureCapacity;

struct SpriteRect {
  int64_t Left, Bottom, Right, Top;
};

static SpriteRect RectOf(int32_t i) {
  const Sprite& s = Sprites[i];
  return {s.PixelX, s.PixelY, (int64_t)s.PixelX + SpriteWidth(i), (int64_t)s.PixelY + SpriteHeight(i)};
}

static bool OverlapsTile(const SpriteRect& r, int32_t column, int32_t row) {
  int64_t a = (int64_t)column * TileSide, b = (int64_t)row * TileSide;
  return a + TileSide > r.Left && a < r.Right && b + TileSide > r.Bottom && b < r.Top;
}

// While CollectDirtySprites runs, each tile has a bucket: the places in
// VisibleSprites whose sprite overlaps it, in ascending order, so a tile
// looks only at its own sprites, still from the last place to the first.
// Sprites do not move during a collection. Outside one (ScanActive clear),
// or when the buckets would be too large, every visible sprite is looked at.
static int32_t* BucketStart;  // per tile, plus one: where its bucket begins
static int32_t* BucketPlaces;
static int32_t BucketTiles, BucketCapacity;
static bool ScanActive;
static const int64_t MaxBucketEntries = 1 << 22;

static int32_t FloorDiv(int64_t pixel) {
  int64_t q = pixel / TileSide;
  if (pixel % TileSide < 0) q--;
  return q < INT32_MIN ? INT32_MIN : q > INT32_MAX ? INT32_MAX : (int32_t)q;
}

// The tiles that may overlap r, held to the map: columns c0..c1, rows r0..r1.
static bool CandidateTiles(const SpriteRect& r, int32_t& c0, int32_t& c1, int32_t& r0, int32_t& r1) {
  c0 = FloorDiv(r.Left);
  c1 = FloorDiv(r.Right);
  r0 = FloorDiv(r.Bottom);
  r1 = FloorDiv(r.Top);
  if (c0 < 0) c0 = 0;
  if (r0 < 0) r0 = 0;
  if (c1 > TileColumns - 1) c1 = TileColumns - 1;
  if (r1 > TileRows - 1) r1 = TileRows - 1;
  return c0 <= c1 && r0 <= r1;
}

// Two passes over the visible sprites: count each tile's entries, then fill
// the buckets in place order. False (no buckets) when they would be too big.
static void FillBuckets(int32_t n, bool fill) {
  for (int32_t k = 0; k < n; k++) {
    SpriteRect rect = RectOf(VisibleSprites[k]);
    int32_t c0, c1, r0, r1;
    if (!CandidateTiles(rect, c0, c1, r0, r1)) continue;
    for (int32_t r = r0; r <= r1; r++)
      for (int32_t c = c0; c <= c1; c++) {
        if (!OverlapsTile(rect, c, r)) continue;
        int32_t t = r * TileColumns + c;
        if (fill)
          BucketPlaces[BucketStart[t]++] = k;
        else
          BucketStart[t + 1]++;
      }
  }
}

static bool PrepareBuckets() {
  int32_t n = VisibleSprites.Count, tiles = TileColumns * TileRows;
  if (tiles + 1 > BucketTiles) {
    MemFree(BucketStart);
    BucketStart = (int32_t*)AllocRecord(0, tiles + 1, sizeof(int32_t));
    BucketTiles = tiles + 1;
  }
  memset(BucketStart, 0, (tiles + 1) * sizeof(int32_t));
  FillBuckets(n, false);
  int64_t total = 0;
  for (int32_t t = 1; t <= tiles; t++) {
    total += BucketStart[t];
    if (total > MaxBucketEntries) return false;
    BucketStart[t] = (int32_t)total;
  }
  if (total > BucketCapacity) {
    MemFree(BucketPlaces);
    BucketPlaces = (int32_t*)AllocRecord(0, (int32_t)total, sizeof(int32_t));
    BucketCapacity = (int32_t)total;
  }
  FillBuckets(n, true);  // moves each start to the next bucket's start
  for (int32_t t = tiles; t > 0; t--) BucketStart[t] = BucketStart[t - 1];
  BucketStart[0] = 0;
  return true;
}

static ClosureFrame& PushTile(int32_t& depth, int32_t column, int32_t row) {
  if (depth == ClosureCapacity) {
    int32_t capacity = ClosureCapacity ? ClosureCapacity * 2 : 64;
    ClosureStack = (ClosureFrame*)MemRealloc(ClosureStack, (int32_t)(capacity * sizeof(ClosureFrame)));
    ClosureCapacity = capacity;
  }
  ClosureFrame& f = ClosureStack[depth++];
  f.Column = column;
  f.Row = row;
  int32_t t = row * TileColumns + column;
  f.NextSprite = ScanActive ? BucketStart[t + 1] - 1 : VisibleSprites.Count - 1;
  f.InRange = false;
  int32_t a = column * TileSide, bottom = SurfaceHeight - row * TileSide;
  WidenDirtyRect(a, bottom - TileSide, a + TileSide, bottom);
  return f;
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
    int32_t first = ScanActive ? BucketStart[f.Row * TileColumns + f.Column] : 0;
    if (f.NextSprite < first) {
      depth--;
      continue;
    }
    int32_t k = f.NextSprite--;
    int32_t i = VisibleSprites[ScanActive ? BucketPlaces[k] : k];
    if (Sprites[i].Queued) continue;
    if (!ScanActive && !OverlapsTile(RectOf(i), f.Column, f.Row)) continue;
    AddSpriteToDrawList(i);
    EnterRange(f, i);
  }
}

// Each walk visits the dirty-tile map from its last byte to its first.
void CollectDirtySprites() {
  ScanActive = PrepareBuckets();
  for (int32_t k = TileColumns * TileRows - 1; k >= 0; k--)
    if (DirtyTiles[k]) CollectSpritesOverTile(k % TileColumns, k / TileColumns);
  ScanActive = false;
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
