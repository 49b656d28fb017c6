// The transparent command: the background layer becomes the desktop that
// lies under the displayed surface, mapped through the colour cube.
#include <windows.h>
#include <string.h>
#include "base/memory.h"
#include "base/rounding.h"
#include "code/exec_functions.h"
#include "exec/pump_hooks.h"
#include "graphics/display_geometry.h"
#include "graphics/display_refresh.h"
#include "graphics/surface.h"
#include "values/palette.h"
#include "window/main_window.h"

// The screen point of the surface's top-left pixel: the surface-sized
// rectangle centred in the displayed (zoomed) surface.
static POINT SurfaceScreenPoint() {
  POINT p;
  p.x = RoundToInt((Zoom - 1) * SurfaceWidth * 0.5) + DisplayOffsetX;
  p.y = RoundToInt((Zoom - 1) * SurfaceHeight * 0.5) + DisplayOffsetY;
  ClientToScreen(MainWindow, &p);
  return p;
}

// Copies the screen rectangle at at into the bitmap selected in memory,
// clipped to the screen; what lies off the screen stays as it was.
static void CopyScreenPart(HDC screen, HDC memory, POINT at) {
  int32_t screenWidth = GetDeviceCaps(screen, HORZRES), screenHeight = GetDeviceCaps(screen, VERTRES);
  int64_t toX = 0, toY = 0, fromX = at.x, fromY = at.y, w = SurfaceWidth, h = SurfaceHeight;
  if (fromX < 0) {
    toX = -fromX;
    w += fromX;
    fromX = 0;
  }
  if (fromY < 0) {
    toY = -fromY;
    h += fromY;
    fromY = 0;
  }
  if (fromX + w > screenWidth) w = screenWidth - fromX;
  if (fromY + h > screenHeight) h = screenHeight - fromY;
  if (w > 0 && h > 0) BitBlt(memory, (int)toX, (int)toY, (int)w, (int)h, screen, (int)fromX, (int)fromY, SRCCOPY);
}

// The bitmap as bottom-up 24-bit rows into the layer; false (the layer
// unchanged) unless every line is delivered.
static bool ReadCapture(HDC memory, HBITMAP bitmap) {
  int64_t rowBytes = (3 * (int64_t)SurfaceWidth + 3) & ~(int64_t)3;
  int64_t size = (rowBytes + 15) * (SurfaceHeight + 2);
  if (size > INT32_MAX) return false;
  uint8_t* buffer = (uint8_t*)MemAlloc((int32_t)size);
  BITMAPINFO info;
  memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = SurfaceWidth;
  info.bmiHeader.biHeight = SurfaceHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  bool whole = GetDIBits(memory, bitmap, 0, SurfaceHeight, buffer, &info, DIB_RGB_COLORS) == SurfaceHeight;
  if (whole) {
    for (int64_t r = 0; r < SurfaceHeight; r++) {
      const uint8_t* from = buffer + r * rowBytes;
      uint8_t* to = BackgroundLayer + r * SurfaceStride;
      for (int64_t c = 0; c < SurfaceWidth; c++, from += 3) to[c] = ColorCube[ColorCubeCell(from[2], from[1], from[0])];
    }
  }
  MemFree(buffer);
  return whole;
}

static void Capture(POINT at) {
  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!screen) return;
  HPALETTE oldScreenPalette = SelectPalette(screen, PaletteHandle, FALSE);
  RealizePalette(screen);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(screen, SurfaceWidth, SurfaceHeight) : nullptr;
  if (bitmap) {
    HPALETTE oldMemoryPalette = SelectPalette(memory, PaletteHandle, FALSE);
    RealizePalette(memory);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    RECT all = {0, 0, SurfaceWidth, SurfaceHeight};
    FillRect(memory, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
    CopyScreenPart(screen, memory, at);
    SelectObject(memory, oldBitmap);
    ReadCapture(memory, bitmap);
    if (oldMemoryPalette) SelectPalette(memory, oldMemoryPalette, FALSE);
    DeleteObject(bitmap);
  }
  if (memory) DeleteDC(memory);
  if (oldScreenPalette) SelectPalette(screen, oldScreenPalette, FALSE);
  DeleteDC(screen);
}

// No operands: the main window is hidden for nine ticks so that what lies
// under it repaints, the screen under the surface is read into the layer
// (black off the screen; unchanged when the capture fails), every tile is
// marked and the window shown again.
void ExecCmdTransparent() {
  POINT at = SurfaceScreenPoint();
  bool shown = MainWindowShown != 0;
  if (shown) {
    ShowWindow(MainWindow, SW_HIDE);
    Pump.WaitTicks(9);
  }
  Capture(at);
  MarkAllTilesDirty();
  if (shown) ShowWindow(MainWindow, SW_SHOW);
}
