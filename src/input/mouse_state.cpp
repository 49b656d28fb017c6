// The mouse state: its recording from the messages of every window of the
// program, and the position the program reads.
#include "input/mouse_state.h"
#include "window/window_ids.h"
#include "graphics/display_geometry.h"
#include "input/input_filter.h"
#include "window/time_seam.h"
#include "window/window_table.h"

uint8_t MouseMoved;
POINT MouseScreenPos = {MouseUnknownPos, MouseUnknownPos};
POINT MouseWindowPos = {MouseUnknownPos, MouseUnknownPos};
double MouseX, MouseY;
uint8_t MouseLeftDown, MouseRightDown;
uint8_t MouseLeftClick, MouseRightClick;
uint8_t MouseLeftDoubleClick, MouseRightDoubleClick;

void ResetMouseState() {
  MouseMoved = 0;
  MouseScreenPos = MouseWindowPos = {MouseUnknownPos, MouseUnknownPos};
  MouseX = MouseY = 0;
  MouseLeftDown = MouseRightDown = 0;
  MouseLeftClick = MouseRightClick = 0;
  MouseLeftDoubleClick = MouseRightDoubleClick = 0;
}

static POINT PointOf(LPARAM lParam) { return {(int16_t)LOWORD(lParam), (int16_t)HIWORD(lParam)}; }

static void NoteScreenPos(POINT screen) {
  MouseScreenPos = screen;
  MouseWindowPos = screen;
  ScreenToClient(Windows[CurrentWindowId].Handle, &MouseWindowPos);
  MouseMoved = 1;
}

// A client-area message: the buttons from wParam, the position from the
// message's own window.
static void NoteClientMessage(const MSG* m) {
  MouseLeftDown = (m->wParam & MK_LBUTTON) != 0;
  MouseRightDown = (m->wParam & MK_RBUTTON) != 0;
  POINT p = PointOf(m->lParam);
  ClientToScreen(m->hwnd, &p);
  NoteScreenPos(p);
}

// The non-client messages set no click latch; their position is on the screen.
void RecordMouseMessage(const MSG* m) {
  switch (m->message) {
    case WM_LBUTTONDBLCLK:
      MouseLeftDoubleClick = 1;
      // fall through
    case WM_LBUTTONDOWN:
      MouseLeftClick = 1;
      NoteClientMessage(m);
      break;
    case WM_RBUTTONDBLCLK:
      MouseRightDoubleClick = 1;
      // fall through
    case WM_RBUTTONDOWN:
      MouseRightClick = 1;
      NoteClientMessage(m);
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      NoteClientMessage(m);
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
      MouseLeftDown = m->message != WM_NCLBUTTONUP;
      NoteScreenPos(PointOf(m->lParam));
      break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
      MouseRightDown = m->message != WM_NCRBUTTONUP;
      NoteScreenPos(PointOf(m->lParam));
      break;
    default:
      break;
  }
}

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
