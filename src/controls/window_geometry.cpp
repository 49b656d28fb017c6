// Position, size, frame, caption bar and always-on-top state of the selected
// window or control, kept in step between its entry and its system window.
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "graphics/full_screen.h"
#include "base/process.h"
#include "window/main_window.h"
#include "window/window_table.h"

static WindowItem* SelectedItem() {
  return Windows.IsLive(SelectedWindowId) ? &Windows[SelectedWindowId] : nullptr;
}

// Differences of pixel fields are taken in 64 bits and stored saturated, so
// huge operands never wrap a field.
static int32_t Saturate(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return (int32_t)v;
}

void WindowItem::ApplyGeometry(int32_t index) {
  WindowItem& item = Windows[index];
  if (!item.Handle) return;
  SetWindowPos(item.Handle, nullptr, item.X, item.Y, item.Width, item.Height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER);
  if (Windows[index].IsTopLevel()) WindowItem::UpdateMetrics(index);
}

// The height the language's y is measured up from: the parent's client area
// for a control, the screen for a top-level window.
static int64_t ParentClientHeight(const WindowItem& item) {
  if (item.IsTopLevel() || !Windows.IsLive(item.Parent)) return ScreenHeight;
  return Windows[item.Parent].ClientHeight;
}

// Pixel fields as fields of 32.
static double InFields(int64_t pixels) { return (double)pixels / PixelsPerField; }

// window_x: operand in fields; the left edge moves when it differs.
void ExecCmdWindowX() {
  int32_t v = EvalNextPixels();
  WindowItem* item = SelectedItem();
  if (!item || item->X == v) return;
  item->X = v;
  WindowItem::ApplyGeometry(SelectedWindowId);
}

double ExecNumWindowX() {
  WindowItem* item = SelectedItem();
  return item ? InFields(item->X) : 0;
}

// window_y: operand in fields from the bottom of the parent's client area to
// the item's bottom edge.
void ExecCmdWindowY() {
  int32_t v = EvalNextPixels();
  WindowItem* item = SelectedItem();
  if (!item) return;
  int32_t y = Saturate(ParentClientHeight(*item) - item->Height - (int64_t)v);
  if (item->Y == y) return;
  item->Y = y;
  WindowItem::ApplyGeometry(SelectedWindowId);
}

double ExecNumWindowY() {
  WindowItem* item = SelectedItem();
  return item ? InFields(ParentClientHeight(*item) - item->Height - item->Y) : 0;
}

// Outer and client width and height in fields. The size set changes by the
// difference, its twin (the client size of an outer size, the outer size of a
// client size) by as much, and a new height keeps the bottom edge where it was.
template <int32_t WindowItem::*Size, int32_t WindowItem::*Twin, bool KeepsBottom>
static void SetSize() {
  int32_t v = EvalNextPixels();
  WindowItem* item = SelectedItem();
  if (!item || item->*Size == v) return;
  int64_t d = (int64_t)v - item->*Size;
  item->*Size = v;
  item->*Twin = Saturate(item->*Twin + d);
  if (KeepsBottom) item->Y = Saturate(item->Y - d);
  WindowItem::ApplyGeometry(SelectedWindowId);
}

void ExecCmdWindowW() { SetSize<&WindowItem::Width, &WindowItem::ClientWidth, false>(); }
void ExecCmdWindowH() { SetSize<&WindowItem::Height, &WindowItem::ClientHeight, true>(); }
void ExecCmdWindowWInt() { SetSize<&WindowItem::ClientWidth, &WindowItem::Width, false>(); }
void ExecCmdWindowHInt() { SetSize<&WindowItem::ClientHeight, &WindowItem::Height, true>(); }

// A size read in fields; without a live item, the screen's size for the
// outer size and the largest client area's for the client size.
template <int32_t WindowItem::*Size, int32_t* Outside>
static double ReadSize() {
  WindowItem* item = SelectedItem();
  return InFields(item ? item->*Size : *Outside);
}

double ExecNumWindowW() { return ReadSize<&WindowItem::Width, &ScreenWidth>(); }
double ExecNumWindowH() { return ReadSize<&WindowItem::Height, &ScreenHeight>(); }
double ExecNumWindowWInt() { return ReadSize<&WindowItem::ClientWidth, &MaxClientWidth>(); }
double ExecNumWindowHInt() { return ReadSize<&WindowItem::ClientHeight, &MaxClientHeight>(); }

// The styles that the frame and caption flags add, by the kind of item.
static void AddFrameStyles(int32_t index, uint32_t& style, uint32_t& ex) {
  const WindowItem& item = Windows[index];
  if (item.HasFrame) {
    style |= WS_BORDER;
    if (index == 0) {
      style |= WS_THICKFRAME;
      ex |= WS_EX_WINDOWEDGE;
    } else if (item.IsTopLevel()) {
      ex |= WS_EX_DLGMODALFRAME;
    } else {
      ex |= WS_EX_CLIENTEDGE;
      if (item.HasCaption) ex |= WS_EX_DLGMODALFRAME;
    }
    if (item.HasCaption && item.IsTopLevel()) style |= WS_CAPTION;
  } else if (item.HasCaption) {
    if (item.IsTopLevel()) style |= WS_CAPTION;
    ex |= WS_EX_STATICEDGE;
  }
}

void WindowItem::ApplyFrameStyle(int32_t index) {
  HWND h = Windows[index].Handle;
  // In full screen the main window keeps its frameless style; only the
  // windowed style that leaving full screen gives back changes.
  bool stored = index == 0 && InFullScreen();
  // The frame styles go; AddFrameStyles gives back those the flags ask for.
  const uint32_t frame = WS_CAPTION | WS_THICKFRAME;
  const uint32_t exFrame = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
  uint32_t style = (stored ? MainWindowStyle : (uint32_t)GetWindowLongA(h, GWL_STYLE)) & ~frame;
  uint32_t ex = (stored ? MainWindowExStyle : (uint32_t)GetWindowLongA(h, GWL_EXSTYLE)) & ~exFrame;
  AddFrameStyles(index, style, ex);
  if (index == 0) {
    MainWindowStyle = style;
    MainWindowExStyle = ex;
  }
  if (!h || stored) return;
  SetWindowLongA(h, GWL_EXSTYLE, (LONG)ex);
  SetWindowLongA(h, GWL_STYLE, (LONG)style);
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                   SWP_NOOWNERZORDER);
  WindowItem::UpdateMetrics(index);
}

// Frame and caption bar: the logic operand; the styles change when the
// flag does. The values read the flags, false without a live item.
template <uint8_t WindowItem::*Flag>
static void SetFrameFlag() {
  uint8_t on = RunBool() != 0;
  WindowItem* item = SelectedItem();
  if (!item || item->*Flag == on) return;
  item->*Flag = on;
  WindowItem::ApplyFrameStyle(SelectedWindowId);
}

template <uint8_t WindowItem::*Flag>
static uint8_t ReadFrameFlag() {
  WindowItem* item = SelectedItem();
  return item ? item->*Flag : 0;
}

void ExecCmdWindowFrame() { SetFrameFlag<&WindowItem::HasFrame>(); }
uint8_t ExecBoolWindowFrame() { return ReadFrameFlag<&WindowItem::HasFrame>(); }
void ExecCmdWindowCaption() { SetFrameFlag<&WindowItem::HasCaption>(); }
uint8_t ExecBoolWindowCaption() { return ReadFrameFlag<&WindowItem::HasCaption>(); }

// Always on top, for top-level windows only (controls stay as they are); the
// main window also remembers it in its extended style.
void ExecCmdWindowTop() {
  uint8_t on = RunBool() != 0;
  WindowItem* item = SelectedItem();
  if (!item || !item->IsTopLevel() || item->TopMost == on) return;
  item->TopMost = on;
  if (SelectedWindowId == 0)
    MainWindowExStyle = on ? MainWindowExStyle | WS_EX_TOPMOST : MainWindowExStyle & ~WS_EX_TOPMOST;
  SetWindowPos(item->Handle, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

uint8_t ExecBoolWindowTop() { return ReadFrameFlag<&WindowItem::TopMost>(); }
