// The main window: its class, creation, metrics, caption and status bar, and
// the window brought to the front at exit.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"

extern HWND MainWindow;
extern uint32_t MainWindowStyle;
extern uint32_t MainWindowExStyle;
extern HWND StatusBar;
extern uint8_t StatusBarVisible;
extern HFONT StatusBarFont;
extern Text& Caption;
extern Text& StatusText;
extern Text& PendingCaption;
extern Text& PendingStatusText;
extern uint8_t CaptionChanged;
extern uint8_t StatusTextChanged;
extern uint32_t ButtonTextColor, ButtonFaceColor;
extern uint32_t EditTextColor, EditBackColor;
extern HBRUSH ButtonFaceBrush, EditBackBrush;
extern HCURSOR ArrowCursor;
extern HCURSOR FullScreenCursor;
extern RECT MainClientRect;
extern int32_t MainClientWidth, MainClientHeight;
extern double WindowedZoom;  // last windowed zoom; sizes the main window

const uint32_t InitialMainWindowStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
const uint32_t InitialMainWindowExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
const int StatusBarId = 12524;
const int WindowIconResourceId = 1;
const int FullScreenCursorResourceId = 4;
extern const char WindowClassName[];  // "YeltoProgClass"

// Start-up's step: false when the window or its status bar cannot be made.
// The class's window procedure is the run loop's (WindowProc).
bool CreateMainWindow(WNDPROC windowProc);
// Back to before CreateMainWindow: the window destroyed, no status bar, the
// initial styles and zoom. For the tests, which make one per test.
void ResetMainWindow();
// Registers the class of the main window and of every program window.
void RegisterWindowClass(WNDPROC windowProc);
// The caption start-up gives the main window: the text of the last GLOBAL
// item that declares the main function.
Text MainFunctionCaption();
RECT ComputeMainWindowRect();
// The outer rectangle for a client of w x h pixels: adjusted by the styles,
// grown by the status bar, limited to the screen, centred on the centre point
// and never at negative coordinates.
RECT CentredWindowRect(int32_t clientWidth, int32_t clientHeight, int32_t statusBarHeight);
int32_t StatusBarHeight();

void SetCaption(const Text& text);
void SetStatusText(const Text& text);
void ShowStatusBar(bool on);
void UpdateConsoleTitle();
void PickForegroundAtExit();
// What every display refresh does with the texts the program requested.
void ApplyPendingTexts();
// Drops the first carriage return and everything after it, in place.
void CutAtCarriageReturn(Text& text);

// Start-up constructs the four texts empty.
void InitCaptionTexts();
// The four texts empty again and no change pending, as at start-up.
void ResetCaptionTexts();
