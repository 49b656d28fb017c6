// The main window's view of the graphics surface: zoom, displayed size and
// offset in the client area.
#pragma once
#include <stdint.h>

extern double Zoom;          // window pixels per surface pixel
extern double WindowedZoom;  // last windowed zoom; sizes the main window
extern int32_t DisplayWidth, DisplayHeight;
extern int32_t DisplayOffsetX, DisplayOffsetY;
