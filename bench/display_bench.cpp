// The display benchmark (not a test): milliseconds per RefreshDisplay after
// MarkAllTilesDirty on a 20 x 15 map with 0, 64 and 1024 visible masked
// 32 x 32 sprites at zoom 1 and 1.5, one tick with 64 walking sprites, and
// beside them the bare StretchDIBits of the same area, the floor. Each figure
// is the minimum of several rounds; the phases (collect, backgrounds, sprites,
// icons, copy) are timed on a refresh done step by step in the same order.
#include <windows.h>
#include <initializer_list>
#include <stdio.h>
#include <string.h>
#include "base/memory.h"
#include "bench_engine.h"
#include "base/random.h"
#include "graphics/display_geometry.h"
#include "graphics/composition.h"
#include "graphics/display_refresh.h"
#include "graphics/sprite_engine.h"
#include "graphics/sprite_motion.h"
#include "graphics/surface.h"
#include "startup/runtime.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/palette.h"
#include "values/sprite.h"
#include "window/main_window.h"
#include "run/window_proc.h"
#include "window/window_table.h"

static double Now() {
  LARGE_INTEGER c, f;
  QueryPerformanceCounter(&c);
  QueryPerformanceFrequency(&f);
  return c.QuadPart * 1000.0 / f.QuadPart;
}

static void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

static void SetClient(int w, int h) {
  RECT r = {0, 0, w, h};
  AdjustWindowRectEx(&r, MainWindowStyle, FALSE, MainWindowExStyle);
  SetWindowPos(MainWindow, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
  Pump();
}

// A disc of colour 150 with a shadow rim; the corners are transparent.
static int32_t MaskedSprite() {
  Sprite s(1, 1);
  Picture& p = s.Held()->Pictures()[0];
  p.New(32, 32);
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) {
      int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
      p.Data->Pixels[y * 32 + x] = d < 150 ? 150 : d < 220 ? 1 : 0;
    }
  return Sprites.Append(s);
}

static double RefreshMs(int reps) {
  GdiFlush();
  double t = Now();
  for (int k = 0; k < reps; k++) {
    MarkAllTilesDirty();
    RefreshDisplay();
    GdiFlush();
  }
  return (Now() - t) / reps;
}

// One refresh done step by step, each step's milliseconds added to phase[].
static void PhasedRefresh(double* phase) {
  MarkAllTilesDirty();
  double t0 = Now();
  CollectDirtySprites();
  double t1 = Now();
  ComposeBackgrounds();
  double t2 = Now();
  DrawBackSprites();
  ComposeMapIcons();
  double t3 = Now();
  DrawFrontSprites();
  double t4 = Now();
  CopyDirtyRectToWindow();
  SetDirtyRectEmpty();
  GdiFlush();
  double t5 = Now();
  phase[0] += t1 - t0;
  phase[1] += t2 - t1;
  phase[2] += t3 - t2;
  phase[3] += t4 - t3;
  phase[4] += t5 - t4;
}

static double FloorMs(int reps) {
  HDC dc = GetDC(MainWindow);
  HPALETTE old = SelectPalette(dc, PaletteHandle, FALSE);
  RealizePalette(dc);
  int w = DisplayWidth, h = DisplayHeight;
  uint8_t* bits = (uint8_t*)MemAlloc(((w + 3) & ~3) * h);
  memset(bits, 100, ((w + 3) & ~3) * h);
  DibHeader->bmiHeader.biWidth = w;
  DibHeader->bmiHeader.biHeight = h;
  SetStretchBltMode(dc, COLORONCOLOR);
  GdiFlush();
  double t = Now();
  for (int k = 0; k < reps; k++) {
    StretchDIBits(dc, DisplayOffsetX, DisplayOffsetY, w, h, 0, 0, w, h, bits, DibHeader, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
  }
  double ms = (Now() - t) / reps;
  SelectPalette(dc, old, FALSE);
  ReleaseDC(MainWindow, dc);
  MemFree(bits);
  return ms;
}

int main() {
  if (int failed = StartBenchEngine()) return failed;
  Icons.AppendNew();
  memset(Icons[0].WritablePixels(), 80, IconPixelCount);
  Maps.AppendNew(20, 15);
  Sprites.AppendNew();
  Sprites.AppendNew();
  if (!CreateMainWindow(WindowProc)) return 5;
  InitGraphicsSurface();
  RefreshDisplay();  // the first refresh shows the window
  Pump();
  int32_t sprites[1024];
  for (int k = 0; k < 1024; k++) {
    sprites[k] = MaskedSprite();
    MoveSpriteTo(sprites[k], NextRandom() * 19, NextRandom() * 14);
  }
  printf("case                          ms/refresh   floor ms (bare StretchDIBits)\n");
  int shown = 0;
  for (int n : {0, 64, 1024}) {
    for (; shown < n; shown++) SetSpriteVisible(sprites[shown], true);
    for (int zoomed = 0; zoomed < 2; zoomed++) {
      SetClient(zoomed ? 960 : 640, zoomed ? 720 : 480);
      RefreshMs(3);
      double ms = 1e9, floor = 1e9, best[5] = {1e9, 1e9, 1e9, 1e9, 1e9};
      for (int round = 0; round < 7; round++) {
        double r = RefreshMs(20), f = FloorMs(20);
        if (r < ms) ms = r;
        if (f < floor) floor = f;
        double phase[5] = {0, 0, 0, 0, 0};
        for (int k = 0; k < 20; k++) PhasedRefresh(phase);
        for (int q = 0; q < 5; q++)
          if (phase[q] / 20 < best[q]) best[q] = phase[q] / 20;
      }
      printf("%4d sprites, zoom %.2f       %8.3f     %8.3f    (%.2fx)\n", n, Zoom, ms, floor, ms / floor);
      printf("      phases: collect %.3f  backgrounds %.3f  icons+back %.3f  front sprites %.3f  copy %.3f\n",
             best[0], best[1], best[2], best[3], best[4]);
    }
  }
  for (int k = 64; k < 1024; k++) SetSpriteVisible(sprites[k], false);
  SetClient(640, 480);
  const int ticks = 100;
  double tick = 1e9;
  for (int round = 0; round < 5; round++) {
    for (int k = 0; k < 64; k++) MoveSpriteTo(sprites[k], NextRandom() * 19, NextRandom() * 14);
    GdiFlush();
    double t = Now();
    for (int k = 0; k < ticks; k++) {
      MoveSprites();
      AnimateSprites();
      RefreshDisplay();
      GdiFlush();
    }
    if ((Now() - t) / ticks < tick) tick = (Now() - t) / ticks;
  }
  printf("tick with 64 walking sprites, motion and refresh: %.3f ms\n", tick);
  fflush(stdout);
  ExitProcess(0);
}
