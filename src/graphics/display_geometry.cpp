// The main window's view of the graphics surface and its zoom tables.
#include "graphics/display_geometry.h"
#include "base/memory.h"
#include "base/rounding.h"
#include "graphics/surface.h"
#include "values/value_handle.h"

double Zoom = 1.0;
int32_t DisplayWidth = 1, DisplayHeight = 1;
int32_t DisplayStride;
int32_t DisplayOffsetX, DisplayOffsetY;
uint8_t Zoomed;
uint8_t* ZoomBuffer;
int32_t ZoomBufferSize;
int32_t* ZoomColumns;
int32_t* ZoomRows;
int32_t* UnzoomColumns;
int32_t* UnzoomRowOffsets;

void ResetDisplayGeometry() {
  Zoom = 1.0;
  DisplayWidth = DisplayHeight = 1;
  DisplayOffsetX = DisplayOffsetY = 0;
}

// What the tables were last built for.
static int32_t BuiltSurfaceWidth, BuiltSurfaceHeight, BuiltDisplayWidth, BuiltDisplayHeight;
static double BuiltZoom;

static int32_t* NewTable(int32_t* old, int32_t entries) {
  MemFree(old);
  return (int32_t*)AllocRecord(0, entries < 1 ? 1 : entries, sizeof(int32_t));
}

// RoundToInt(v), replaced by limit - 1 when it reaches the limit.
static int32_t RoundBelow(double v, int32_t limit) {
  int32_t r = RoundToInt(v);
  return r >= limit ? limit - 1 : r;
}

void BuildZoomTables() {
  BuiltSurfaceWidth = SurfaceWidth;
  BuiltSurfaceHeight = SurfaceHeight;
  BuiltDisplayWidth = DisplayWidth;
  BuiltDisplayHeight = DisplayHeight;
  BuiltZoom = Zoom;
  if (DisplayWidth == SurfaceWidth && DisplayHeight == SurfaceHeight) {
    Zoomed = 0;
    return;
  }
  Zoomed = 1;
  int64_t need = (int64_t)DisplayStride * DisplayHeight;
  if (need > ZoomBufferSize) {
    MemFree(ZoomBuffer);
    ZoomBuffer = (uint8_t*)AllocRecord(0, need, 1);
  }
  ZoomBufferSize = (int32_t)need;
  ZoomColumns = NewTable(ZoomColumns, SurfaceWidth);
  ZoomRows = NewTable(ZoomRows, SurfaceHeight);
  UnzoomColumns = NewTable(UnzoomColumns, DisplayWidth);
  UnzoomRowOffsets = NewTable(UnzoomRowOffsets, DisplayHeight);
  for (int32_t x = 0; x < SurfaceWidth; x++) ZoomColumns[x] = RoundBelow(x * Zoom, DisplayWidth);
  for (int32_t y = 0; y < SurfaceHeight; y++) ZoomRows[y] = RoundBelow(y * Zoom, DisplayHeight);
  for (int32_t i = 0; i < DisplayWidth; i++) UnzoomColumns[i] = RoundBelow(i / Zoom, SurfaceWidth);
  for (int32_t j = 0; j < DisplayHeight; j++) {
    int32_t row = RoundBelow(j / Zoom, SurfaceHeight);
    UnzoomRowOffsets[j] = (SurfaceHeight - row - 1) * SurfaceStride;
  }
}

void UpdateZoomTables() {
  if (SurfaceWidth != BuiltSurfaceWidth || SurfaceHeight != BuiltSurfaceHeight ||
      DisplayWidth != BuiltDisplayWidth || DisplayHeight != BuiltDisplayHeight || Zoom != BuiltZoom)
    BuildZoomTables();
}
