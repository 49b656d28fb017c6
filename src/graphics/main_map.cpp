// The main map's assignment: the step, then the surface, the main window and
// the full redraw.
#include "graphics/main_map.h"
#include <windows.h>
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "exec/variable_access.h"
#include "graphics/surface.h"
#include "base/process.h"
#include "window/main_window.h"
#include "values/map.h"
#include "window/window_table.h"
#include "graphics/full_screen.h"

// The normal rectangle becomes the one the new size needs around its
// centre. A window not shown yet stays hidden until the first refresh (the
// placement read from it would otherwise show it) and is only moved.
static void PlaceMainWindow() {
  WINDOWPLACEMENT p = {};
  p.length = sizeof p;
  GetWindowPlacement(MainWindow, &p);
  WindowCenterX = (p.rcNormalPosition.left + p.rcNormalPosition.right) / 2;
  WindowCenterY = (p.rcNormalPosition.top + p.rcNormalPosition.bottom) / 2;
  RECT r = ComputeMainWindowRect();
  p.rcNormalPosition = r;
  bool hidden = !IsWindowVisible(MainWindow);
  if (hidden) p.showCmd = SW_HIDE;
  SetWindowPlacement(MainWindow, &p);
  UINT show = p.showCmd;
  bool normal = show != 0 && show != 2 && show != 3 && show != 6 && show != 7;
  if (hidden || normal)
    SetWindowPos(MainWindow, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, 0x104);
}

void MainMapAssigned() {
  int32_t oldWidth = SurfaceWidth, oldHeight = SurfaceHeight;
  InitGraphicsSurface();
  SetDirtyRectWhole();
  MarkAllTilesDirty();
  if (!Windows.IsLive(0)) return;  // no main window yet: nothing to place
  if (SurfaceWidth != oldWidth || SurfaceHeight != oldHeight) {
    if (InFullScreen())
      ReselectFullScreenMode();
    else
      PlaceMainWindow();
  }
  WindowItem::OnResize(0);
}

// Maps entry 0 is the main map: it takes a private copy of the value, then
// the graphics surface and the main window follow its size. Only the global
// form with Param1 0 does this; another entry takes the value as any map
// variable does.
void ExecCmdSetMapGlobal() {
  if (OwnStep().Param1 != 0) {
    Assign<MapKind, GlobalTarget<MapKind>>();
    return;
  }
  Map v;
  RunValue(v);
  if (!Maps.Inside(0)) return;
  Maps[0] = v;
  Maps[0].MakeUnique();
  MainMapAssigned();
}
