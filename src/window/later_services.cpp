// Stand-ins for the services of subsystems not built yet, called by the main
// window, the window procedure and the main run at their places. Each does
// the least that keeps the run sound; its subsystem replaces it.
#include "window/later_services.h"
#include "base/global_storage.h"
#include "exec/pump_hooks.h"
#include "window/main_window.h"
#include "window/window_table.h"

// Font cache: no fonts are taken, so none is released.
void InitFontCache() {}
void ReleaseFontCache() {}
HFONT TakeDefaultFont() { return nullptr; }
void ReleaseCachedFont(HFONT) {}

// Full screen: never entered.
bool InFullScreen() { return false; }
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
void ServiceMusic() {}
void StopMusic() {}
void ServiceCdAudio() {}
uint32_t MusicDevice;
uint8_t MusicEndNotified;
void HandleMusicEnd() {}

// Data files and console: none is opened.
GLOBAL_OBJECT(Text, ReadFileName);
GLOBAL_OBJECT(Text, WriteFileName);
uint8_t FileError;
int32_t FileIdleTicks;
void InitDataFileNames() {
  ReadFileName.InitEmpty();
  WriteFileName.InitEmpty();
}
void CloseFiles() {}
bool InConsoleMode() { return false; }
void FreeProgramConsole() {}

// Input and program windows: no message is recorded, no program window exists.
bool FilterInputMessage(MSG*) { return false; }
bool ApplyCursorRegion(int32_t, int32_t) { return false; }
bool InDialogMode() { return false; }
void DestroyWindowItem(int32_t index) {
  HWND window = Windows[index].Handle;
  Windows.FreeItem(index);
  DestroyWindow(window);
}

