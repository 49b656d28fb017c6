// The main window's view of the graphics surface: zoom, displayed size and
// offset in the client area, and the tables that scale the surface.
#pragma once
#include <stdint.h>

extern double Zoom;          // window pixels per surface pixel
extern int32_t DisplayWidth, DisplayHeight;
extern int32_t DisplayStride;  // bytes per row of ZoomBuffer
extern int32_t DisplayOffsetX, DisplayOffsetY;
extern uint8_t Zoomed;  // the displayed size differs from the surface size
extern uint8_t* ZoomBuffer;
extern int32_t ZoomBufferSize;
// Surface column (row from the top) to display column (row), and display
// column to surface column, display row to the byte offset of the surface
// row shown there.
extern int32_t* ZoomColumns;
extern int32_t* ZoomRows;
extern int32_t* UnzoomColumns;
extern int32_t* UnzoomRowOffsets;

// The view as at start-up: zoom 1, a 1 x 1 display at the corner. The tables
// stay; they are rebuilt once they no longer fit.
void ResetDisplayGeometry();

void BuildZoomTables();
// Rebuilds the tables when the surface size, the display size or the zoom
// differs from what they were built for.
void UpdateZoomTables();
