// Stand-ins for the services of subsystems not built yet, called by the main
// window, the window procedure and the main run at their places. Each does
// the least that keeps the run sound; its subsystem replaces it.
#include "window/later_services.h"
#include "base/global_storage.h"
#include "exec/pump_hooks.h"
#include "window/main_window.h"
#include "window/window_table.h"

// Graphics surface and sprites: nothing to compose yet.
void InitGraphicsSurface() {}
void MarkAllTilesDirty() {}
// Like the real handler, a resize of the shown main window refreshes it.
void OnResizeItem(int32_t index) {
  WindowItem::UpdateMetrics(index);
  if (index == 0 && MainWindowShown) RefreshDisplay();
}
void OnPaintItem(int32_t index) {
  PAINTSTRUCT ps;
  BeginPaint(Windows[index].Handle, &ps);
  EndPaint(Windows[index].Handle, &ps);
}
void PaintClient(int32_t index) { InvalidateRect(Windows[index].Handle, nullptr, TRUE); }
void SnapWindowSizing(WPARAM, RECT*) {}
void MoveSprites() {}
void AnimateSprites() {}
bool InFullScreen() { return false; }
void SetFullScreen(bool) {}
void LeaveFullScreen() {}
void StopDirectDraw() {}
void RestorePrimarySurface() {}




uint8_t MainWindowShown;

void RefreshDisplay() {
  if (!MainWindowShown) {
    MainWindowShown = 1;
    OnResizeItem(0);
    ShowWindow(MainWindow, SW_SHOW);
    SetFocus(MainWindow);
    return;
  }
  ApplyPendingTexts();
  DisplayCountdown = 4;
}
