// The main window's view of the graphics surface.
#include "graphics/display_geometry.h"

double Zoom = 1.0;
double WindowedZoom = 1.0;
int32_t DisplayWidth = 1, DisplayHeight = 1;
int32_t DisplayOffsetX, DisplayOffsetY;
