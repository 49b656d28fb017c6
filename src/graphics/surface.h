// The graphics surface: the main map's size in 32 x 32 tiles, the background
// layer, the frame buffer, the dirty-tile map and the dirty rectangle.
#pragma once
#include <stdint.h>

const int32_t TileSide = 32;

extern int32_t TileColumns, TileRows;
extern int32_t SurfaceWidth, SurfaceHeight;
extern int32_t SurfaceStride;  // bytes per pixel row
extern int32_t TileRowStride;  // bytes per row of tiles
// Palette indexes, rows bottom-up: what drawing paints.
extern uint8_t* BackgroundLayer;
// The composed image the refresh copies to the window, same layout.
extern uint8_t* FrameBuffer;
extern uint8_t* TextMaskBits;
// One byte per tile, row 0 the bottom row, row stride TileColumns: 1 = recompose.
extern uint8_t* DirtyTiles;

// The part of FrameBuffer the next refresh copies; rows counted from the top.
// Empty when left >= right or top >= bottom.
extern int32_t DirtyLeft, DirtyRight, DirtyTop, DirtyBottom;

// (Re)builds the surface for the current main map. Buffers only grow; a
// surface of another size starts black.
void InitGraphicsSurface();
void MarkAllTilesDirty();
// The tiles under a pixel rectangle (y up); edges are divided by 32 toward
// zero and taken inclusive, so an edge on a tile boundary marks the next tile.
void MarkPixelRectDirty(int32_t left, int32_t bottom, int32_t right, int32_t top);
// Tiles first..last inclusive, clipped to the map; nothing when empty.
void MarkTileRectDirty(int32_t firstColumn, int32_t firstRow, int32_t lastColumn, int32_t lastRow);
void SetDirtyRectEmpty();
void SetDirtyRectWhole();
// Widens the dirty rectangle to a block given in rows from the top.
void WidenDirtyRect(int32_t left, int32_t top, int32_t right, int32_t bottom);

// A 64-bit value held to the 32-bit range.
inline int32_t ClampToInt32(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : (int32_t)v;
}
