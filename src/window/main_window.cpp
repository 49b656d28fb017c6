// The main window: class, creation at start-up, its outer rectangle, the
// metrics kept for every item, and the window activated at exit.
#include "window/main_window.h"
#include <commctrl.h>
#include "base/rounding.h"
#include "base/value_lists.h"
#include "image/image_texts.h"
#include "image/item_links.h"
#include "base/process.h"
#include "values/icon.h"
#include "values/map.h"
#include "window/window_table.h"
#include "window/window_ids.h"

HWND MainWindow;
uint32_t MainWindowStyle = InitialMainWindowStyle;
uint32_t MainWindowExStyle = InitialMainWindowExStyle;
HWND StatusBar;
uint8_t StatusBarVisible;
HFONT StatusBarFont;
uint32_t ButtonTextColor, ButtonFaceColor;
uint32_t EditTextColor, EditBackColor;
HBRUSH ButtonFaceBrush, EditBackBrush;
HCURSOR ArrowCursor;
HCURSOR FullScreenCursor;
RECT MainClientRect;
int32_t MainClientWidth, MainClientHeight;
double WindowedZoom = 1.0;
const char WindowClassName[] = "YeltoProgClass";

Text MainFunctionCaption() {
  for (int32_t i = GlobalItemCount - 1; i >= 0; i--) {
    const ProgramItem& item = GlobalItems[i];
    if (item.DataTable == DataLocal && item.DataIndex == 0) return Texts.Get(item.TextIndex);
  }
  return Text();
}

static void ReadSystemColors() {
  ButtonTextColor = GetSysColor(COLOR_BTNTEXT) & 0x00FFFFFF;
  ButtonFaceColor = GetSysColor(COLOR_BTNFACE) & 0x00FFFFFF;
  EditTextColor = GetSysColor(COLOR_WINDOWTEXT) & 0x00FFFFFF;
  EditBackColor = GetSysColor(COLOR_WINDOW) & 0x00FFFFFF;
  ButtonFaceBrush = CreateSolidBrush(ButtonFaceColor);
  EditBackBrush = CreateSolidBrush(EditBackColor);
}

void RegisterWindowClass(WNDPROC windowProc) {
  WNDCLASSA c = {};
  c.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  c.lpfnWndProc = windowProc;
  c.cbWndExtra = 4;  // the table index
  c.hInstance = Instance;
  c.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(WindowIconResourceId));
  c.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
  c.lpszClassName = WindowClassName;
  RegisterClassA(&c);  // a second registration fails harmlessly
}

static void FillMainEntry(int32_t i, HWND window) {
  WindowItem& item = Windows[i];
  item.Handle = window;
  item.Parent = -1;
  item.Type = 0;
  item.Text = Caption;
  item.Visible = 1;
  item.TextColor = ButtonTextColor;
  item.BackColor = ButtonFaceColor;
  item.BackBrush = ButtonFaceBrush;
  item.HasFrame = 1;
  item.HasCaption = 1;
  item.TopMost = 0;
  SetWindowLongA(window, 0, i);
}

// CreateStatusWindowA is imported from the common controls by ordinal 6.
static HWND CreateStatusBar(HWND parent) {
  return CreateStatusWindowA(WS_CHILD | SBARS_SIZEGRIP, StatusText.Chars(), parent, StatusBarId);
}

static void LanguageCaptionHandOff(int32_t stamp, const Text& text) {
  if (Caption.Data->ImageTextIndex == stamp) SetCaption(text);
}

static void LanguageStatusHandOff(int32_t stamp, const Text& text) {
  if (StatusText.Data->ImageTextIndex == stamp) SetStatusText(text);
}

bool CreateMainWindow(WNDPROC windowProc) {
  Caption = MainFunctionCaption();
  ReadSystemColors();
  RegisterWindowClass(windowProc);
  RECT r = ComputeMainWindowRect();
  HWND window = CreateWindowExA(MainWindowExStyle, WindowClassName, Caption.Chars(), MainWindowStyle, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, Instance, nullptr);
  if (!window) return false;
  MainWindow = window;
  FillMainEntry(Windows.NewItem(), window);
  StatusBar = CreateStatusBar(window);
  if (!StatusBar) return false;
  ArrowCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
  FullScreenCursor = LoadCursorA(Instance, MAKEINTRESOURCEA(FullScreenCursorResourceId));
  EmptyIconData.Cursor = ArrowCursor;
  CaptionHandOff = LanguageCaptionHandOff;
  StatusTextHandOff = LanguageStatusHandOff;
  WindowItem::UpdateMetrics(0);
  return true;
}

void ResetMainWindow() {
  if (MainWindow && IsWindow(MainWindow)) DestroyWindow(MainWindow);
  MainWindow = nullptr;
  StatusBar = nullptr;
  StatusBarVisible = 0;
  StatusBarFont = nullptr;
  MainWindowStyle = InitialMainWindowStyle;
  MainWindowExStyle = InitialMainWindowExStyle;
  WindowedZoom = 1.0;
}

int32_t StatusBarHeight() {
  RECT r;
  if (!StatusBar || !GetWindowRect(StatusBar, &r)) return 0;
  return r.bottom - r.top;
}

RECT CentredWindowRect(int32_t clientWidth, int32_t clientHeight, int32_t statusBarHeight) {
  RECT a = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&a, MainWindowStyle, FALSE, MainWindowExStyle);
  int32_t w = a.right - a.left, h = a.bottom - a.top + statusBarHeight;
  if (w > ScreenWidth) w = ScreenWidth;
  if (h > ScreenHeight) h = ScreenHeight;
  int32_t left = WindowCenterX - w / 2, top = WindowCenterY - h / 2;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  return RECT{left, top, left + w, top + h};
}

RECT ComputeMainWindowRect() {
  const Map& main = Maps.Get(0);
  int32_t w = CeilToInt(main.Width() * 32 * WindowedZoom);
  int32_t h = CeilToInt(main.Height() * 32 * WindowedZoom);
  if (w > ScreenWidth) w = ScreenWidth;
  if (h > ScreenHeight) h = ScreenHeight;
  return CentredWindowRect(w, h, StatusBarVisible ? StatusBarHeight() : 0);
}

void WindowItem::UpdateMetrics(int32_t index) {
  WindowItem& item = Windows[index];
  RECT r;
  if (item.IsTopLevel() && GetWindowRect(item.Handle, &r)) {
    item.X = r.left;
    item.Y = r.top;
    item.Width = r.right - r.left;
    item.Height = r.bottom - r.top;
  }
  if (index == 0 && InFullScreen()) {
    MainClientWidth = item.ClientWidth = MaxClientWidth;
    MainClientHeight = item.ClientHeight = MaxClientHeight;
    return;
  }
  if (index == 0) {
    if (GetWindowRect(item.Handle, &r)) {
      WindowCenterX = (r.left + r.right) / 2;
      WindowCenterY = (r.top + r.bottom) / 2;
    }
    GetClientRect(item.Handle, &MainClientRect);
    if (StatusBarVisible) MainClientRect.bottom -= StatusBarHeight();
    MainClientWidth = item.ClientWidth = MainClientRect.right - MainClientRect.left;
    MainClientHeight = item.ClientHeight = MainClientRect.bottom - MainClientRect.top;
    return;
  }
  GetClientRect(item.Handle, &r);
  item.ClientWidth = r.right - r.left;
  item.ClientHeight = r.bottom - r.top;
}

// The first window below the main one in Z order that looks like another
// application's main window: visible, enabled, neither popup nor child, with
// caption, system menu, sizing frame and both boxes.
void PickForegroundAtExit() {
  if (!MainWindow || !IsWindow(MainWindow)) return;
  HWND w = MainWindow;
  for (int32_t step = 0; step < 100; step++) {
    w = GetWindow(w, GW_HWNDNEXT);
    if (!w) return;
    uint32_t style = (uint32_t)GetWindowLongA(w, GWL_STYLE);
    const uint32_t kind = WS_POPUP | WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_OVERLAPPEDWINDOW;
    if (style != 0 && (style & kind) == (WS_VISIBLE | WS_OVERLAPPEDWINDOW)) {
      ForegroundAtExit = w;
      return;
    }
  }
}
