// WM_SIZE of every window and WM_SIZING of the main window: the zoom, the
// displayed size and its centring in the client area.
#include "graphics/window_sizing.h"
#include "base/rounding.h"
#include "graphics/display_geometry.h"
#include "graphics/surface.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "window/window_ids.h"
#include "graphics/full_screen.h"

// The zoom rounded down to its step: 1/32 windowed, 1/4 in full screen; at
// least 1/32. The 4 pixels of slack let a client a few pixels short still
// show the larger zoom, cropped.
static void FitZoomToClient() {
  double z = (MainClientWidth + 4) / (double)SurfaceWidth;
  double zh = (MainClientHeight + 4) / (double)SurfaceHeight;
  if (zh < z) z = zh;
  int32_t steps = InFullScreen() ? 4 : 32;
  z = TruncToInt(z * steps) / (double)steps;
  if (!(z >= 1.0 / 32)) z = 1.0 / 32;
  Zoom = z;
}

static void PlaceDisplay() {
  FitZoomToClient();
  if (!InFullScreen() && !IsZoomed(MainWindow) && !IsIconic(MainWindow)) WindowedZoom = Zoom;
  DisplayWidth = RoundToInt(SurfaceWidth * Zoom);
  DisplayStride = (DisplayWidth + 3) & ~3;
  DisplayHeight = RoundToInt(SurfaceHeight * Zoom);
  DisplayOffsetX = (MainClientWidth - DisplayWidth) / 2;
  DisplayOffsetY = (MainClientHeight - DisplayHeight) / 2;
  UpdateZoomTables();
}

void WindowItem::OnResize(int32_t index) {
  if (index == 0 && !InFullScreen() && StatusBar) SendMessageA(StatusBar, WM_SIZE, 0, 0);
  WindowItem::UpdateMetrics(index);
  // Before the main run builds the surface there is nothing to fit.
  if (index == 0 && SurfaceWidth > 0) PlaceDisplay();
  WindowItem::PaintClient(index);
}

// The edges that move for a change of width and of height, by WMSZ_ code 1..8.
static bool MovesRight(WPARAM e) { return e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOM || e == WMSZ_BOTTOMRIGHT; }
static bool MovesBottom(WPARAM e) { return e == WMSZ_RIGHT || e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT; }

void SnapWindowSizing(WPARAM edge, RECT* proposed) {
  if (InDialogMode() || SurfaceWidth <= 0) return;
  RECT outer, client;
  GetWindowRect(MainWindow, &outer);
  GetClientRect(MainWindow, &client);
  if (StatusBarVisible) client.bottom -= StatusBarHeight();
  int32_t w1 = (proposed->right - proposed->left) - (outer.right - outer.left) + (client.right - client.left);
  int32_t h1 = (proposed->bottom - proposed->top) - (outer.bottom - outer.top) + (client.bottom - client.top);
  double z = ((double)h1 / SurfaceHeight + (double)w1 / SurfaceWidth) / 2;
  int32_t steps = InFullScreen() ? 4 : 32;
  z = RoundToInt(z * steps) / (double)steps;
  if (!(z >= 1.0 / 32)) z = 1.0 / 32;
  int32_t dx = w1 - TruncToInt(SurfaceWidth * z + 0.01);
  int32_t dy = h1 - TruncToInt(SurfaceHeight * z + 0.01);
  if (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT) return;
  if (dx != 0) {
    if (MovesRight(edge))
      proposed->right -= dx;
    else
      proposed->left += dx;
  }
  if (dy != 0) {
    if (MovesBottom(edge))
      proposed->bottom -= dy;
    else
      proposed->top += dy;
  }
}
