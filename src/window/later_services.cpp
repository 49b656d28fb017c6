// Stand-ins for the services of subsystems not built yet, called by the main
// window, the window procedure and the main run at their places. Each does
// the least that keeps the run sound; its subsystem replaces it.
#include "window/later_services.h"
#include "base/global_storage.h"
#include "exec/pump_hooks.h"
#include "window/main_window.h"
#include "window/window_table.h"

// Full screen: never entered.
bool InFullScreen() { return false; }
void SetFullScreen(bool) {}
void LeaveFullScreen() {}
void StopDirectDraw() {}
void RestorePrimarySurface() {}
void ReselectFullScreenMode() {}
HDC PrimarySurfaceDC() { return nullptr; }
void ReleasePrimarySurfaceDC(HDC) {}
bool CopyToPrimarySurface(const uint8_t*, int32_t, int32_t, int32_t, int32_t, int32_t) { return false; }

// Audio: no device is opened.
void PrepareWaveOutput() {}
void ServiceWaveOutput() {}
void StopAllSounds() {}

// Console: none is opened.
bool InConsoleMode() { return false; }
void FreeProgramConsole() {}


