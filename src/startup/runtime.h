// Start-up sequence, the globals it sets, and the one way out of the process.
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
const int32_t MinImageSize = 500;

typedef void (*Initializer)();
// An initializer table entry of all bits set is, like a null one, an empty
// slot that RunInitializers skips.
const uintptr_t SkippedInitializer = 0xFFFFFFFF;
extern Initializer Initializers[];
extern Initializer* InitializersEnd;

[[noreturn]] void RuntimeMain();
[[noreturn]] void ExitRuntime(uint32_t code);
void RunInitializers(Initializer* first, Initializer* last);

// Pieces of the sequence, separate so tests can run them with given facts.
int32_t CharsetOfCodePage(uint32_t codePage);
void ApplySystemCodePage(uint32_t codePage);
int32_t TimerPeriodFor(int32_t windowsVersion);
void SetFloatingPointControl();
// 0 for a plain image, 1 for transformed texts, -1 for a bad magic or size.
int32_t CheckImageMagic(const uint8_t* image, int32_t size);
