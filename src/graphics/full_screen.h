// Full-screen mode: DirectDraw started on demand, the 8-bit display modes,
// the exclusive mode that holds the surface, and the way back to the window.
#pragma once
#include <windows.h>
#include <ddraw.h>
#include <stdint.h>
#include "window/window_ids.h"  // the mode itself (FullScreen, InFullScreen)

struct DisplayMode {
  int32_t Width, Height;
};
const int32_t MaxDisplayModes = 128;

extern IDirectDraw* DirectDraw;
extern uint8_t DirectDrawTried;
extern DisplayMode* DisplayModes;  // room for MaxDisplayModes, sorted
extern int32_t DisplayModeCount;
extern IDirectDrawSurface* PrimarySurface;
extern IDirectDrawPalette* DirectDrawPalette;
extern uint8_t WasMaximized;

// DirectDraw and the mode list exist; a failed start is not tried again
// until StopDirectDraw.
bool StartDirectDraw();
// Releases everything DirectDraw; the next start enumerates again.
void StopDirectDraw();
// The mode for a surface of w x h pixels: the first that holds it, else the
// last (largest). The list must not be empty.
const DisplayMode& ChooseDisplayMode(int32_t w, int32_t h);

// On or off; every failure of switching on takes the whole off path.
void SetFullScreen(bool on);
void LeaveFullScreen();
void ReselectFullScreenMode();  // after the main map changed its pixel size
// WM_ACTIVATEAPP: the primary surface's memory may have been lost.
void RestorePrimarySurface();

// The primary surface's device context, null when there is none.
HDC PrimarySurfaceDC();
void ReleasePrimarySurfaceDC(HDC dc);
// w x h bytes, rows bottom-up `stride` apart from the lowest, written straight
// to the primary surface at (x, y), clipped to it; false when that cannot be
// done (no surface, a failed lock, not 8 bits per pixel).
bool CopyToPrimarySurface(const uint8_t* lowest, int32_t stride, int32_t x, int32_t y, int32_t w, int32_t h);
