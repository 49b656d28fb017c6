// The graphics surface's buffers, the dirty-tile marks and the dirty rectangle.
#include "graphics/surface.h"
#include <string.h>
#include "base/memory.h"
#include "graphics/display_geometry.h"
#include "values/map.h"
#include "values/palette_rule.h"

int32_t TileColumns, TileRows;
int32_t SurfaceWidth, SurfaceHeight;
int32_t SurfaceStride;
int32_t TileRowStride;
uint8_t* BackgroundLayer;
uint8_t* FrameBuffer;
uint8_t* TextMaskBits;
uint8_t* DirtyTiles;
int32_t DirtyLeft, DirtyRight, DirtyTop, DirtyBottom;

static int32_t SurfaceBytes;  // the size of each buffer last allocated

static uint8_t* Reallocate(uint8_t* old, int32_t n) {
  MemFree(old);
  return (uint8_t*)MemAlloc(n);
}

void InitGraphicsSurface() {
  int32_t oldWidth = SurfaceWidth, oldHeight = SurfaceHeight;
  const Map& main = Maps.Get(0);
  // Sizes in 64 bits: a surface beyond what one allocation can give ends the
  // run as exhausted memory does.
  int64_t width = (int64_t)main.Width() * TileSide, height = (int64_t)main.Height() * TileSide;
  int64_t stride = (width + 3) & ~(int64_t)3;
  int64_t n = stride * height;
  if (n > INT32_MAX) ShowMemoryError();
  TileColumns = main.Width();
  TileRows = main.Height();
  SurfaceWidth = (int32_t)width;
  SurfaceHeight = (int32_t)height;
  SurfaceStride = (int32_t)stride;
  TileRowStride = SurfaceStride * TileSide;
  if (n > SurfaceBytes) {
    BackgroundLayer = Reallocate(BackgroundLayer, (int32_t)n);
    FrameBuffer = Reallocate(FrameBuffer, (int32_t)n);
    TextMaskBits = Reallocate(TextMaskBits, (int32_t)n);
    DirtyTiles = Reallocate(DirtyTiles, (int32_t)n);
    SurfaceBytes = (int32_t)n;
  }
  if (SurfaceWidth != oldWidth || SurfaceHeight != oldHeight) {
    memset(BackgroundLayer, BlackColor, (size_t)n);
    BuildZoomTables();
  }
  // A rectangle of the old surface could reach outside this one.
  SetDirtyRectEmpty();
  DisplayOffsetX = DisplayOffsetY = 0;
  MarkAllTilesDirty();
}

void MarkAllTilesDirty() {
  if (DirtyTiles) memset(DirtyTiles, 1, (size_t)TileColumns * TileRows);
}

void MarkPixelRectDirty(int32_t left, int32_t bottom, int32_t right, int32_t top) {
  MarkTileRectDirty(left / TileSide, bottom / TileSide, right / TileSide, top / TileSide);
}

void MarkTileRectDirty(int32_t firstColumn, int32_t firstRow, int32_t lastColumn, int32_t lastRow) {
  if (firstColumn < 0) firstColumn = 0;
  if (firstRow < 0) firstRow = 0;
  if (lastColumn > TileColumns - 1) lastColumn = TileColumns - 1;
  if (lastRow > TileRows - 1) lastRow = TileRows - 1;
  if (firstColumn > lastColumn || firstRow > lastRow) return;
  for (int32_t r = firstRow; r <= lastRow; r++)
    memset(DirtyTiles + (size_t)r * TileColumns + firstColumn, 1, (size_t)(lastColumn - firstColumn + 1));
}

void SetDirtyRectEmpty() {
  DirtyLeft = SurfaceWidth;
  DirtyRight = 0;
  DirtyTop = SurfaceHeight;
  DirtyBottom = 0;
}

void SetDirtyRectWhole() {
  DirtyLeft = 0;
  DirtyRight = SurfaceWidth;
  DirtyTop = 0;
  DirtyBottom = SurfaceHeight;
}

void WidenDirtyRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (left < DirtyLeft) DirtyLeft = left;
  if (right > DirtyRight) DirtyRight = right;
  if (top < DirtyTop) DirtyTop = top;
  if (bottom > DirtyBottom) DirtyBottom = bottom;
}
