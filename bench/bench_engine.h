// Start-up of the engine's globals for a benchmark program linked with the
// engine core: the screen metrics, memory, floating point, the empty values,
// the global objects and the palette, as the engine's own start-up makes them.
#pragma once
#include <windows.h>
#include "base/memory.h"
#include "startup/runtime.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/palette.h"
#include "values/sprite.h"
#include "window/main_window.h"

// 0 when the engine is ready; otherwise the benchmark's exit code.
inline int StartBenchEngine() {
  Instance = GetModuleHandleA(nullptr);
  MaxClientWidth = GetSystemMetrics(SM_CXFULLSCREEN);
  MaxClientHeight = GetSystemMetrics(SM_CYFULLSCREEN);
  ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  WindowCenterX = MaxClientWidth / 2;
  WindowCenterY = MaxClientHeight / 2;
  if (!InitMemory()) return 3;
  SetFloatingPointControl();
  AllocateEmptyImagePixels();
  CreateEmptySpriteData();
  CreateEmptyMapData();
  RunInitializers(Initializers, InitializersEnd);
  if (!BuildPaletteTables()) return 4;
  BuildDarkerColors();
  return 0;
}
