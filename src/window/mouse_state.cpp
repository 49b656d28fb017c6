// The mouse position the program reads.
#include "window/mouse_state.h"
#include "controls/window_ids.h"
#include "graphics/display_geometry.h"
#include "window/later_services.h"
#include "window/time_seam.h"
#include "window/window_table.h"

uint8_t MouseMoved;
POINT MouseScreenPos;
POINT MouseWindowPos;
double MouseX, MouseY;

// Fields of 32 pixels, y upward; over the main window's graphics area through
// the zoom and the displayed surface's place. Neither rounded nor clamped.
void UpdateMousePosition() {
  WindowItem& current = Windows[CurrentWindowId];
  if (!MouseMoved) {
    TimeSys.GetCursorPos(&MouseScreenPos);
    MouseWindowPos = MouseScreenPos;
    ScreenToClient(current.Handle, &MouseWindowPos);
  }
  double wx = MouseWindowPos.x, wy = MouseWindowPos.y;
  if (InDialogMode() || CurrentWindowId != 0) {
    MouseX = wx / 32;
    MouseY = (current.ClientHeight - wy - 1) / 32;
  } else {
    MouseX = (wx - DisplayOffsetX) / Zoom / 32;
    MouseY = (DisplayOffsetY + DisplayHeight - 1 - wy) / Zoom / 32;
  }
}
