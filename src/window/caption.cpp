// Caption and status line: the texts shown, the texts the program requested
// (applied by the next display refresh) and the bar that grows the window.
#include "base/global_storage.h"
#include "exec/interpreter.h"
#include "exec/pump_hooks.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "window/font_cache.h"
#include "window/window_ids.h"

GLOBAL_OBJECT(Text, Caption);
GLOBAL_OBJECT(Text, StatusText);
GLOBAL_OBJECT(Text, PendingCaption);
GLOBAL_OBJECT(Text, PendingStatusText);
uint8_t CaptionChanged;
uint8_t StatusTextChanged;

void InitCaptionTexts() {
  Caption.InitEmpty();
  StatusText.InitEmpty();
  PendingCaption.InitEmpty();
  PendingStatusText.InitEmpty();
}

void ResetCaptionTexts() {
  Caption.Empty();
  StatusText.Empty();
  PendingCaption.Empty();
  PendingStatusText.Empty();
  CaptionChanged = StatusTextChanged = 0;
}

void CutAtCarriageReturn(Text& text) {
  int32_t at = text.FindChar(13);
  if (at >= 0) text = text.Left(at);
}

void UpdateConsoleTitle() {
  if (InConsoleMode()) SetConsoleTitleA(Caption.Chars());
}

void SetCaption(const Text& text) {
  if (text.Equals(Caption)) return;
  Caption = text;
  SetWindowTextA(MainWindow, Caption.Chars());
  Windows[0].Text = text;
  Windows[0].TextValid = 1;
  UpdateConsoleTitle();
}

void SetStatusText(const Text& text) {
  if (text.Equals(StatusText) || !StatusBar) return;
  StatusText = text;
  SetWindowTextA(StatusBar, StatusText.Chars());
}

// The main window grows or shrinks by the bar, so the client area keeps its size.
void ShowStatusBar(bool on) {
  if ((uint8_t)on == StatusBarVisible) return;
  StatusBarVisible = on;
  RECT r;
  GetWindowRect(MainWindow, &r);
  int32_t b = StatusBarHeight();
  if (on) {
    MoveWindow(MainWindow, r.left, r.top, r.right - r.left, r.bottom - r.top + b, TRUE);
    HFONT previous = StatusBarFont;
    StatusBarFont = GetCachedFont(0, 0, 0, 0, 0, 0, 0, 0.0, 0.0);
    SendMessageA(StatusBar, WM_SETFONT, (WPARAM)StatusBarFont, 0);
    ShowWindow(StatusBar, SW_SHOW);
    if (previous) ReleaseCachedFont(previous);
  } else {
    ShowWindow(StatusBar, SW_HIDE);
    MoveWindow(MainWindow, r.left, r.top, r.right - r.left, r.bottom - r.top - b, TRUE);
  }
  WindowItem::UpdateMetrics(0);
}

void ApplyPendingTexts() {
  if (CaptionChanged) {
    CaptionChanged = 0;
    CutAtCarriageReturn(PendingCaption);
    SetCaption(PendingCaption);
  }
  if (StatusTextChanged && !InConsoleMode()) {
    StatusTextChanged = 0;
    CutAtCarriageReturn(PendingStatusText);
    bool show = PendingStatusText.Length() > 0 && !InFullScreen();
    if (!show) ShowStatusBar(false);
    SetStatusText(PendingStatusText);
    if (show) ShowStatusBar(true);
  }
}

// Text operand: the status text the next refresh shows.
void ExecCmdStatusText() {
  Text t;
  RunValue(t);
  PendingStatusText = t;
  StatusTextChanged = 1;
}

// Text operand: the caption the next refresh shows (at once in console mode).
void ExecCmdCaption() {
  Text t;
  RunValue(t);
  PendingCaption = t;
  CaptionChanged = 1;
  if (InConsoleMode()) Pump.RefreshDisplay();
}

void ExecTextStatusText(Text& r) { r = PendingStatusText; }

void ExecTextCaption(Text& r) { r = PendingCaption; }
