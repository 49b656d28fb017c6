// The display refresh in its order, the copies of the frame buffer to the
// window (unscaled, or through the zoom tables) and the window backgrounds.
#include "graphics/display_refresh.h"
#include <windows.h>
#include <string.h>
#include "exec/pump_hooks.h"
#include "graphics/composition.h"
#include "graphics/display_geometry.h"
#include "graphics/sprite_engine.h"
#include "graphics/surface.h"
#include "values/palette.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "window/window_ids.h"
#include "graphics/full_screen.h"

uint8_t MainWindowShown;

void ResetDisplayRefresh() { MainWindowShown = 0; }

void RefreshDisplay() {
  if (InConsoleMode()) {
    ApplyPendingTexts();  // in console mode only the caption
    DisplayCountdown = 4;
    return;
  }
  if (!MainWindowShown) {
    // The resize paints the margins and refreshes again, composing the first image.
    MainWindowShown = 1;
    WindowItem::OnResize(0);
    ShowWindow(MainWindow, SW_SHOW);
    SetFocus(MainWindow);
    return;
  }
  bool dialog = InDialogMode();
  if (!dialog) {
    CollectDirtySprites();
    ComposeBackgrounds();
    DrawBackSprites();
    ComposeMapIcons();
    DrawFrontSprites();
  }
  ApplyPendingTexts();
  if (!dialog && DirtyLeft < DirtyRight && DirtyTop < DirtyBottom) {
    CopyDirtyRectToWindow();
    SetDirtyRectEmpty();
  }
  DisplayCountdown = 4;
}

// The window's device context, or in full screen the primary surface's.
static HDC TakeDisplayDC(bool& primary) {
  HDC dc = InFullScreen() ? PrimarySurfaceDC() : nullptr;
  primary = dc != nullptr;
  return primary ? dc : GetDC(MainWindow);
}

static void ReleaseDisplayDC(HDC dc, bool primary) {
  if (primary)
    ReleasePrimarySurfaceDC(dc);
  else
    ReleaseDC(MainWindow, dc);
}

// Rows bottom-up, `width` pixels each; source and destination of one size.
static void StretchThroughPalette(int32_t x, int32_t y, int32_t sourceX, int32_t width, int32_t w, int32_t h,
                                  const uint8_t* bits) {
  bool primary;
  HDC dc = TakeDisplayDC(primary);
  HPALETTE previous = SelectPalette(dc, PaletteHandle, FALSE);
  RealizePalette(dc);
  DibHeader->bmiHeader.biWidth = width;
  DibHeader->bmiHeader.biHeight = h;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, w, h, sourceX, 0, w, h, bits, DibHeader, DIB_RGB_COLORS, SRCCOPY);
  SelectPalette(dc, previous, FALSE);
  ReleaseDisplayDC(dc, primary);
}

static void CopyUnzoomed(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  int32_t w = right - left, h = bottom - top;
  const uint8_t* lowest = FrameBuffer + (int64_t)(SurfaceHeight - bottom) * SurfaceStride;
  if (InFullScreen() &&
      CopyToPrimarySurface(lowest + left, SurfaceStride, DisplayOffsetX + left, DisplayOffsetY + top, w, h))
    return;
  StretchThroughPalette(DisplayOffsetX + left, DisplayOffsetY + top, left, SurfaceWidth, w, h, lowest);
}

// The area is widened by about one surface pixel on each side and scaled
// into ZoomBuffer by two table lookups per display pixel; a display row that
// shows the same surface row as the one above it is copied from that one.
static void CopyZoomed(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  int32_t x0 = left > 0 ? ZoomColumns[left - 1] : 0;
  int32_t y0 = top > 0 ? ZoomRows[top - 1] : 0;
  int32_t x1 = right < SurfaceWidth - 1 ? ZoomColumns[right + 1] : DisplayWidth;
  int32_t y1 = bottom < SurfaceHeight - 1 ? ZoomRows[bottom + 1] : DisplayHeight;
  int32_t dw = x1 - x0, dh = y1 - y0, s = (dw + 3) & ~3;
  if (dw <= 0 || dh <= 0 || (int64_t)s * dh > ZoomBufferSize) return;
  for (int32_t j = y0; j < y1; j++) {
    uint8_t* to = ZoomBuffer + (int64_t)(dh - 1 - (j - y0)) * s;
    if (j > y0 && UnzoomRowOffsets[j] == UnzoomRowOffsets[j - 1]) {
      memcpy(to, to + s, dw);  // the same surface row as the display row above
      continue;
    }
    const uint8_t* row = FrameBuffer + UnzoomRowOffsets[j];
    for (int32_t i = x0; i < x1; i++) to[i - x0] = row[UnzoomColumns[i]];
  }
  const uint8_t* lowest = ZoomBuffer;
  if (InFullScreen() && CopyToPrimarySurface(lowest, s, DisplayOffsetX + x0, DisplayOffsetY + y0, dw, dh)) return;
  StretchThroughPalette(DisplayOffsetX + x0, DisplayOffsetY + y0, 0, dw, dw, dh, lowest);
}

void CopyDirtyRectToWindow() {
  // Held to the surface, so no copy reads outside the frame buffer.
  int32_t left = DirtyLeft < 0 ? 0 : DirtyLeft, top = DirtyTop < 0 ? 0 : DirtyTop;
  int32_t right = DirtyRight > SurfaceWidth ? SurfaceWidth : DirtyRight;
  int32_t bottom = DirtyBottom > SurfaceHeight ? SurfaceHeight : DirtyBottom;
  if (left >= right || top >= bottom) return;
  if (Zoomed)
    CopyZoomed(left, top, right, bottom);
  else
    CopyUnzoomed(left, top, right, bottom);
}

static void FillBand(HDC dc, HBRUSH brush, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (left >= right || top >= bottom) return;
  RECT r = {left, top, right, bottom};
  FillRect(dc, &r, brush);
}

// The background around the displayed surface (the whole client area of any
// other window, or in dialog mode), then the whole surface copied again.
void WindowItem::PaintClient(int32_t index) {
  if (index == 0 && !MainWindowShown) return;
  WindowItem& item = Windows[index];
  bool primary = index == 0 && InFullScreen();
  HDC dc = primary ? PrimarySurfaceDC() : nullptr;
  HBRUSH brush = (HBRUSH)GetStockObject(BLACK_BRUSH);
  if (!dc) {
    primary = false;
    dc = GetDC(item.Handle);
    SetTextColor(dc, item.TextColor);
    SetBkColor(dc, item.BackColor);
    brush = item.BackBrush;
  }
  if (InDialogMode() || index != 0) {
    FillBand(dc, brush, 0, 0, item.ClientWidth, item.ClientHeight);
  } else {
    int32_t below = DisplayOffsetY + DisplayHeight, right = DisplayOffsetX + DisplayWidth;
    FillBand(dc, brush, 0, 0, item.ClientWidth, DisplayOffsetY);
    FillBand(dc, brush, 0, below, item.ClientWidth, MainClientHeight);
    FillBand(dc, brush, 0, 0, DisplayOffsetX, below);
    FillBand(dc, brush, right, 0, MainClientWidth, below);
  }
  if (primary)
    ReleasePrimarySurfaceDC(dc);
  else
    ReleaseDC(item.Handle, dc);
  SetDirtyRectWhole();
  if (SurfaceWidth > 0) RefreshDisplay();
}

// Group boxes are drawn again over the freshly filled background.
void WindowItem::OnPaint(int32_t index) {
  PAINTSTRUCT ps;
  BeginPaint(Windows[index].Handle, &ps);
  EndPaint(Windows[index].Handle, &ps);
  WindowItem::PaintClient(index);
  if (!InDialogMode() && index == 0) return;
  for (int32_t k = Windows.Capacity - 1; k >= 0; k--) {
    if (!Windows.IsLive(k) || Windows[k].Type != 11 || Windows[k].Parent != index) continue;
    InvalidateRect(Windows[k].Handle, nullptr, FALSE);
    UpdateWindow(Windows[k].Handle);
  }
}
