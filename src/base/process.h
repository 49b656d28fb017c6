// The process-wide facts start-up reads once (system version, module, screen
// size, the program image's place, the return code), the exit codes, and the
// one way out of the process.
#pragma once
#include <windows.h>
#include <stdint.h>

extern int32_t WindowsVersion;
extern OSVERSIONINFOA VersionInfo;
extern HINSTANCE Instance;
extern int32_t SystemCharset;
extern FARPROC GetDiskFreeSpaceExProc;
extern FARPROC DirectDrawCreateProc;
extern HWND ForegroundAtExit;
extern int32_t MaxClientWidth, MaxClientHeight;
extern int32_t ScreenWidth, ScreenHeight;
extern int32_t WindowCenterX, WindowCenterY;
extern int32_t TimerPeriod;
extern const uint8_t* ProgramImage;
extern int32_t ProgramImageSize;
extern uint8_t ImageTextsTransformed;
extern uint32_t ReturnCode;

// Image offset from the module base and size, patched by the binder. The
// marker before them lets the binder find them in the file.
struct ImageLocationBlock {
  char Marker[16];
  uint32_t Words[2];
};
extern volatile ImageLocationBlock ImageLocation;
#define IMAGE_LOCATION_MARKER "YeltoImageWords"

const uint32_t ExitBadImage = 251;
const uint32_t ExitNoMainWindow = 252;
const uint32_t ExitNoMemory = 253;

// What the exits ask of the layers above: the memory error writes what the
// data files hold pending before its message, and every exit deletes the
// program's palette before the memory goes. Each layer sets its entry when it
// starts; until then the entries do nothing.
struct ExitHooks {
  void (*CloseDataFiles)();
  void (*DeletePalette)();
};
extern ExitHooks Exits;

[[noreturn]] void ExitRuntime(uint32_t code);
