// Full-screen mode: DirectDraw started on demand, the 8-bit mode list and
// choice, switching on and off, following the map's size, and the element full_screen.
#include "graphics/full_screen.h"
#include <string.h>
#include "base/memory.h"
#include "window/window_ids.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "graphics/display_refresh.h"
#include "graphics/surface.h"
#include "base/process.h"
#include "values/palette.h"
#include "window/main_window.h"
#include "window/window_table.h"

IDirectDraw* DirectDraw;
uint8_t DirectDrawTried;
DisplayMode* DisplayModes;
int32_t DisplayModeCount;
IDirectDrawSurface* PrimarySurface;
IDirectDrawPalette* DirectDrawPalette;
uint8_t WasMaximized;

const DWORD ExclusiveLevel = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT;  // 0x13
const uint32_t FullScreenExStyle = WS_EX_CONTROLPARENT;
const uint32_t FullScreenStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU;

typedef HRESULT(WINAPI* DirectDrawCreateFunction)(GUID*, IDirectDraw**, IUnknown*);

// One mode of the enumeration: 8 bits, 128..8192 each way, a size not listed
// yet (the same size comes again for each refresh rate), room left.
static HRESULT WINAPI CollectDisplayMode(DDSURFACEDESC* d, void*) {
  if (DisplayModeCount >= MaxDisplayModes || d->ddpfPixelFormat.dwRGBBitCount != 8) return DDENUMRET_OK;
  int32_t w = (int32_t)d->dwWidth, h = (int32_t)d->dwHeight;
  if (w < 128 || w > 8192 || h < 128 || h > 8192) return DDENUMRET_OK;
  for (int32_t i = 0; i < DisplayModeCount; i++)
    if (DisplayModes[i].Width == w && DisplayModes[i].Height == h) return DDENUMRET_OK;
  DisplayModes[DisplayModeCount++] = DisplayMode{w, h};
  return DDENUMRET_OK;
}

static bool ModeBefore(const DisplayMode& a, const DisplayMode& b) {
  return a.Width < b.Width || (a.Width == b.Width && a.Height < b.Height);
}

// Ascending by width, then height; an exchange sort over at most 128 entries.
static void SortDisplayModes() {
  for (int32_t i = 0; i < DisplayModeCount; i++)
    for (int32_t j = i + 1; j < DisplayModeCount; j++)
      if (ModeBefore(DisplayModes[j], DisplayModes[i])) {
        DisplayMode t = DisplayModes[i];
        DisplayModes[i] = DisplayModes[j];
        DisplayModes[j] = t;
      }
}

bool StartDirectDraw() {
  if (DirectDrawTried) return DirectDraw != nullptr;
  DirectDrawTried = 1;
  DirectDraw = nullptr;
  if (!DirectDrawCreateProc) return false;
  IDirectDraw* dd = nullptr;
  DirectDrawCreateFunction create = reinterpret_cast<DirectDrawCreateFunction>((void*)DirectDrawCreateProc);
  if (create(nullptr, &dd, nullptr) != DD_OK || !dd) return false;
  DirectDraw = dd;
  DisplayModes = (DisplayMode*)MemAlloc(MaxDisplayModes * (int32_t)sizeof(DisplayMode));
  DisplayModeCount = 0;
  if (dd->EnumDisplayModes(0, nullptr, nullptr, CollectDisplayMode) != DD_OK || DisplayModeCount == 0) {
    dd->Release();
    MemFree(DisplayModes);
    DisplayModes = nullptr;
    DisplayModeCount = 0;
    DirectDraw = nullptr;
    return false;
  }
  SortDisplayModes();
  return true;
}

void StopDirectDraw() {
  if (DirectDrawPalette) DirectDrawPalette->Release();
  DirectDrawPalette = nullptr;
  if (PrimarySurface) PrimarySurface->Release();
  PrimarySurface = nullptr;
  if (DirectDraw) DirectDraw->Release();
  DirectDraw = nullptr;
  if (DisplayModes) MemFree(DisplayModes);
  DisplayModes = nullptr;
  DisplayModeCount = 0;
  DirectDrawTried = 0;
}

const DisplayMode& ChooseDisplayMode(int32_t w, int32_t h) {
  for (int32_t i = 0; i < DisplayModeCount; i++)
    if (DisplayModes[i].Width >= w && DisplayModes[i].Height >= h) return DisplayModes[i];
  return DisplayModes[DisplayModeCount - 1];
}

static void TakeModeSize(const DisplayMode& m) {
  MaxClientWidth = ScreenWidth = m.Width;
  MaxClientHeight = ScreenHeight = m.Height;
}

// The primary surface and its palette (the 224 colours and 32 black
// entries); on failure neither is kept.
static bool CreatePrimarySurface() {
  DDSURFACEDESC d = {};
  d.dwSize = sizeof d;  // 108
  d.dwFlags = DDSD_CAPS;
  d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  IDirectDrawSurface* s = nullptr;
  if (DirectDraw->CreateSurface(&d, &s, nullptr) != DD_OK || !s) {
    PrimarySurface = nullptr;
    return false;
  }
  PrimarySurface = s;
  IDirectDrawPalette* p = nullptr;
  if (DirectDraw->CreatePalette(DDPCAPS_8BIT, LogPalette->palPalEntry, &p, nullptr) != DD_OK || !p) {
    DirectDrawPalette = nullptr;
    PrimarySurface->Release();
    PrimarySurface = nullptr;
    return false;
  }
  DirectDrawPalette = p;
  return true;
}

static void ResizeMainWindowItem() {
  WindowItem::UpdateMetrics(0);
  WindowItem::OnResize(0);
}

// Full screen asked for before the first refresh: that refresh would have
// shown and focused the window, so this does, or it gets no keys.
static void ShowFirstTime(bool first) {
  if (!first) return;
  ShowWindow(MainWindow, SW_SHOW);
  SetFocus(MainWindow);
}

// The window covers the screen first, then the mode is set; false on any
// failure, which the caller turns into the whole off path.
static bool SwitchOn(bool first) {
  WasMaximized = IsZoomed(MainWindow) ? 1 : 0;
  FullScreen = 1;
  ShowStatusBar(false);
  ResizeMainWindowItem();
  SetWindowLongA(MainWindow, GWL_EXSTYLE, FullScreenExStyle);
  SetWindowLongA(MainWindow, GWL_STYLE, (LONG)FullScreenStyle);
  SetWindowPos(MainWindow, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_FRAMECHANGED);
  UpdateWindow(MainWindow);
  ShowFirstTime(first);
  DisplayMode m = ChooseDisplayMode(SurfaceWidth, SurfaceHeight);
  if (DirectDraw->SetCooperativeLevel(MainWindow, ExclusiveLevel) != DD_OK) return false;
  if (DirectDraw->SetDisplayMode(m.Width, m.Height, 8) != DD_OK) return false;
  TakeModeSize(m);
  if (!CreatePrimarySurface()) return false;
  PrimarySurface->SetPalette(DirectDrawPalette);
  FullScreen = 1;
  ResizeMainWindowItem();  // the client is the mode; the zoom steps by quarters
  ShowCursor(TRUE);
  return true;
}

// Back to the desktop mode and the configured styles. A main window the
// program made topmost stays topmost.
static void SwitchOff(bool first) {
  if (DirectDraw) {
    DirectDraw->RestoreDisplayMode();
    DirectDraw->SetCooperativeLevel(MainWindow, DDSCL_NORMAL);
  }
  StopDirectDraw();
  MaxClientWidth = GetSystemMetrics(SM_CXFULLSCREEN);
  MaxClientHeight = GetSystemMetrics(SM_CYFULLSCREEN);
  ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  SetWindowLongA(MainWindow, GWL_EXSTYLE, (LONG)MainWindowExStyle);
  SetWindowLongA(MainWindow, GWL_STYLE, (LONG)MainWindowStyle);
  RECT r = ComputeMainWindowRect();
  HWND order = Windows.IsLive(0) && Windows[0].TopMost ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(MainWindow, order, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  FullScreen = 0;
  if (WasMaximized) ShowWindow(MainWindow, SW_SHOWMAXIMIZED);
  ResizeMainWindowItem();
  InvalidateRect(nullptr, nullptr, TRUE);  // every window repaints
  StatusTextChanged = 1;
  ShowFirstTime(first);
  ShowCursor(TRUE);
}

// Refused in dialog mode and while a program window is current; nothing on
// NT before version 5. The cursor is hidden during the switch and shown
// again on every way out.
void SetFullScreen(bool on) {
  if ((uint8_t)on == FullScreen) return;
  if (!StartDirectDraw()) return;
  if (on && (InDialogMode() || CurrentWindowId != 0)) return;
  if (VersionInfo.dwPlatformId == VER_PLATFORM_WIN32_NT && VersionInfo.dwMajorVersion < 5) return;
  bool first = !MainWindowShown;
  MainWindowShown = 1;
  StatusTextChanged = 1;
  ShowCursor(FALSE);
  if (on && SwitchOn(first)) return;
  SwitchOff(first);
}

void LeaveFullScreen() { SetFullScreen(false); }

// A failed mode change keeps the old mode, which shows the new surface
// zoomed and centred; a failed surface or palette ends full screen.
void ReselectFullScreenMode() {
  if (!FullScreen || !DirectDraw || DisplayModeCount == 0) return;
  DisplayMode m = ChooseDisplayMode(SurfaceWidth, SurfaceHeight);
  if (m.Width == MaxClientWidth && m.Height == MaxClientHeight) return;
  ShowCursor(FALSE);
  if (DirectDraw->SetDisplayMode(m.Width, m.Height, 8) != DD_OK) {
    ShowCursor(TRUE);
    return;
  }
  TakeModeSize(m);
  if (DirectDrawPalette) DirectDrawPalette->Release();
  DirectDrawPalette = nullptr;
  if (PrimarySurface) PrimarySurface->Release();
  PrimarySurface = nullptr;
  if (CreatePrimarySurface()) {
    PrimarySurface->SetPalette(DirectDrawPalette);
    ResizeMainWindowItem();
    ShowCursor(TRUE);
    return;
  }
  ShowCursor(TRUE);
  SetFullScreen(false);
}

void RestorePrimarySurface() {
  if (PrimarySurface) PrimarySurface->Restore();
}

HDC PrimarySurfaceDC() {
  HDC dc = nullptr;
  if (!PrimarySurface || PrimarySurface->GetDC(&dc) != DD_OK) return nullptr;
  return dc;
}

void ReleasePrimarySurfaceDC(HDC dc) {
  if (PrimarySurface && dc) PrimarySurface->ReleaseDC(dc);
}

// The locked surface's size: what the lock reports, else the mode's.
static void LockedSize(const DDSURFACEDESC& d, int64_t& w, int64_t& h) {
  w = (d.dwFlags & DDSD_WIDTH) ? (int64_t)d.dwWidth : ScreenWidth;
  h = (d.dwFlags & DDSD_HEIGHT) ? (int64_t)d.dwHeight : ScreenHeight;
  if (w > d.lPitch) w = d.lPitch;  // a row never runs into the next
}

bool CopyToPrimarySurface(const uint8_t* lowest, int32_t stride, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!PrimarySurface) return false;
  DDSURFACEDESC d = {};
  d.dwSize = sizeof d;
  if (PrimarySurface->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr) != DD_OK) return false;
  if (d.ddpfPixelFormat.dwRGBBitCount != 8 || !d.lpSurface) {
    PrimarySurface->Unlock(d.lpSurface);
    return false;
  }
  int64_t width, height;
  LockedSize(d, width, height);
  int64_t x0 = x < 0 ? 0 : x, x1 = (int64_t)x + w < width ? (int64_t)x + w : width;
  int64_t y0 = y < 0 ? 0 : y, y1 = (int64_t)y + h < height ? (int64_t)y + h : height;
  uint8_t* surface = (uint8_t*)d.lpSurface;
  for (int64_t row = y0; row < y1 && x0 < x1; row++) {
    const uint8_t* from = lowest + ((int64_t)h - 1 - (row - y)) * stride + (x0 - x);
    memcpy(surface + row * d.lPitch + x0, from, (size_t)(x1 - x0));
  }
  PrimarySurface->Unlock(d.lpSurface);
  return true;
}

// Logic operand: full screen on or off; a refused or failed switch leaves
// the value of full_screen as it was.
void ExecCmdFullScreen() {
  bool on = RunBool() != 0;
  SetFullScreen(on);
}

// Full screen switched to the other state.
void ExecCmdToggleFullScreen() { SetFullScreen(!FullScreen); }

// Whether full screen is on.
uint8_t ExecBoolFullScreen() { return FullScreen; }
