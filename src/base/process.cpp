// The process-wide facts, the exit hooks and the one exit of the process.
#include "base/process.h"
#include "base/memory.h"

int32_t WindowsVersion;
OSVERSIONINFOA VersionInfo;
HINSTANCE Instance;
int32_t SystemCharset;
FARPROC GetDiskFreeSpaceExProc;
FARPROC DirectDrawCreateProc;
HWND ForegroundAtExit;
int32_t MaxClientWidth, MaxClientHeight;
int32_t ScreenWidth, ScreenHeight;
int32_t WindowCenterX, WindowCenterY;
int32_t TimerPeriod;
const uint8_t* ProgramImage;
int32_t ProgramImageSize;
uint8_t ImageTextsTransformed;
uint32_t ReturnCode;

// Initialised data, so the binder finds the marker and patches the words.
volatile ImageLocationBlock ImageLocation = {IMAGE_LOCATION_MARKER, {0, 0}};

static void NothingToDo() {}
ExitHooks Exits = {NothingToDo, NothingToDo};

void ExitRuntime(uint32_t code) {
  Exits.DeletePalette();
  TermMemory();
  SetForegroundWindow(ForegroundAtExit);
  ExitProcess(code);
}
