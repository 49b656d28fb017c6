// The mouse elements: buttons, click latches, the position in fields, the
// test for a rectangle and for a window under the mouse.
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "base/process.h"
#include "input/mouse_state.h"
#include "window/window_table.h"

// No operand: the left or the right button is down, as the last message said.
uint8_t ExecBoolMouseL() { return MouseLeftDown; }
uint8_t ExecBoolMouseR() { return MouseRightDown; }

// A latch read and cleared.
static uint8_t TakeLatch(uint8_t& latch) {
  uint8_t v = latch;
  latch = 0;
  return v;
}

// No operand: a press (or a double click) since the last test; the test clears it.
uint8_t ExecBoolMouseLClick() { return TakeLatch(MouseLeftClick); }
uint8_t ExecBoolMouseRClick() { return TakeLatch(MouseRightClick); }
uint8_t ExecBoolMouseLDoubleClick() { return TakeLatch(MouseLeftDoubleClick); }
uint8_t ExecBoolMouseRDoubleClick() { return TakeLatch(MouseRightDoubleClick); }

// No operand: the position in fields the last pump computed.
double ExecNumMouseX() { return MouseX; }
double ExecNumMouseY() { return MouseY; }

// Operands x, y, w, h in fields: x <= mouse x < x + w and likewise for y;
// NaN anywhere gives false.
uint8_t ExecBoolMouseRegion() {
  double x = RunNum();
  double y = RunNum();
  double w = RunNum();
  double h = RunNum();
  return x <= MouseX && MouseX < x + w && y <= MouseY && MouseY < y + h;
}

// A window id: its rectangle in fields, y upward from the screen bottom for a
// window and from the parent's client bottom for a control. An id that is no
// live entry gives true when negative, false otherwise.
uint8_t ExecBoolMouseOverWindow() {
  int32_t id = EvalNextInt();
  if (!Windows.IsLive(id)) return id < 0;
  const WindowItem& item = Windows[id];
  double base;
  if (item.IsTopLevel())
    base = ScreenHeight;
  else if (Windows.IsLive(item.Parent))
    base = Windows[item.Parent].ClientHeight;
  else
    return 0;
  double left = item.X / 32.0, bottom = (base - item.Y - item.Height) / 32;
  double right = left + item.Width / 32.0, top = bottom + item.Height / 32.0;
  return left <= MouseX && MouseX < right && bottom <= MouseY && MouseY < top;
}
