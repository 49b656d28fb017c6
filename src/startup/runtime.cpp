// The start-up sequence from the system's facts to the main run.
#include "startup/runtime.h"
#include "base/language.h"
#include "audio/mixer.h"
#include "base/memory.h"
#include "base/random.h"
#include "base/text.h"
#include "base/value_lists.h"
#include "compiler/compile.h"
#include "window/font_cache.h"
#include "controls/dialogs.h"
#include "controls/program_windows.h"
#include "controls/window_texts.h"
#include "exec/numbers.h"
#include "exec/constants.h"
#include "audio/music_player.h"
#include "graphics/drawing.h"
#include "graphics/sprite_engine.h"
#include "image/image_loader.h"
#include "system/data_files.h"
#include "system/file_aliases.h"
#include "values/palette.h"
#include "values/sprite.h"
#include "values/sound.h"
#include "values/music.h"
#include "run/main_run.h"
#include "window/main_window.h"
#include "run/window_proc.h"
#include "window/window_table.h"

// Constructors of the global objects, run in order at start-up.
Initializer Initializers[] = {
    InitCommandLine, InitModulePath, InitEmptyText,
    InitEmptyIcon, InitEmptyMap, InitEmptyPicture, InitEmptySprite, InitEmptySound, InitEmptyMusic,
    InitNumbers, InitTexts, InitLogics,
    InitIcons, InitMaps, InitPictures, InitSprites, InitSounds, InitMusics,
    InitListRecords,
    InitWindows,
    // The other subsystems' global objects.
    InitNewLineText,
    InitCaptionTexts,
    InitDataFileNames,
    InitAliasTexts,
    InitControlClassNames,
    InitFontTexts,
    InitMusicTempFile,
    InitMixer,
    InitSpriteLists,
    InitDrawingState,
    InitWindowTexts,
    InitInputDialogTexts,
};
Initializer* InitializersEnd = Initializers + sizeof Initializers / sizeof Initializers[0];

void RunInitializers(Initializer* first, Initializer* last) {
  for (Initializer* p = first; p < last; p++)
    if (*p && (uintptr_t)*p != SkippedInitializer) (*p)();
}

void ApplySystemCodePage(uint32_t codePage) {
  SystemCharset = CharsetOfCodePage(codePage);
  if (codePage == 1250 || codePage == 1253 || codePage == 1254 || codePage == 1256) {
    LanguageTable[EnglishLanguageIndex].CodePage = (int32_t)codePage;
    LanguageTable[EnglishLanguageIndex].Charset = SystemCharset;
  }
}

int32_t TimerPeriodFor(int32_t windowsVersion) {
  return windowsVersion <= 0 ? 30 : 60;
}

// x87 precision control 64-bit mantissa, rounding to nearest; the exception
// masks and the other bits stay.
void SetFloatingPointControl() {
  uint16_t cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  cw = (uint16_t)((cw & ~0x0F00) | 0x0300);
  __asm__ volatile("fldcw %0" : : "m"(cw));
}

int32_t CheckImageMagic(const uint8_t* image, int32_t size) {
  if (!image || size < MinImageSize) return -1;
  uint32_t magic = image[0] | image[1] << 8 | image[2] << 16 | (uint32_t)image[3] << 24;
  if (magic == ('Y' | 'L' << 8 | 'T' << 16 | 1u << 24)) return 0;
  if (magic == ('R' | 'E' << 8 | 'L' << 16 | 1u << 24)) return 1;
  return -1;
}

static void ReadSystemFacts() {
  WindowsVersion = (int32_t)GetVersion();
  VersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  GetVersionExA(&VersionInfo);
  Instance = GetModuleHandleA(nullptr);
}

static void LookUpOptionalFunctions() {
  bool nt = VersionInfo.dwPlatformId == VER_PLATFORM_WIN32_NT;
  bool late9x =
      VersionInfo.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && LOWORD(VersionInfo.dwBuildNumber) > 1000;
  if (nt || late9x) {
    HMODULE kernel = LoadLibraryA("KERNEL32.DLL");
    if (kernel) GetDiskFreeSpaceExProc = GetProcAddress(kernel, "GetDiskFreeSpaceExA");
  }
  HMODULE ddraw = LoadLibraryA("DDRAW.DLL");
  if (ddraw) DirectDrawCreateProc = GetProcAddress(ddraw, "DirectDrawCreate");
}

void ReadScreenMetrics() {
  MaxClientWidth = GetSystemMetrics(SM_CXFULLSCREEN);
  MaxClientHeight = GetSystemMetrics(SM_CYFULLSCREEN);
  ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  WindowCenterX = MaxClientWidth / 2;
  WindowCenterY = MaxClientHeight / 2;
}

// Whether [offset, offset + size) lies inside the loaded module.
static bool ImageInsideModule(uint32_t offset, uint32_t size) {
  const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)Instance;
  const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)((const uint8_t*)Instance + dos->e_lfanew);
  return offset != 0 && (uint64_t)offset + size <= nt->OptionalHeader.SizeOfImage;
}

static void LocateProgramImage() {
  uint32_t offset = ImageLocation.Words[0], size = ImageLocation.Words[1];
  ProgramImage = (const uint8_t*)Instance + offset;
  ProgramImageSize = (int32_t)size;
  // Unpatched words, or words pointing outside the module, mean no image.
  if (!ImageInsideModule(offset, size)) ExitRuntime(ExitBadImage);
  int32_t kind = CheckImageMagic(ProgramImage, ProgramImageSize);
  if (kind < 0) ExitRuntime(ExitBadImage);
  ImageTextsTransformed = (uint8_t)kind;
}

void RuntimeMain() {
  ReadSystemFacts();
  ApplySystemCodePage(GetACP());
  ChooseStartupLanguage();
  LookUpOptionalFunctions();
  ForegroundAtExit = GetForegroundWindow();
  ReadScreenMetrics();
  if (!InitMemory()) ExitRuntime(ExitNoMemory);
  TimerPeriod = TimerPeriodFor(WindowsVersion);
  SeedRandomFromLocalTime();
  SetFloatingPointControl();
  AllocateEmptyImagePixels();
  CreateEmptySpriteData();
  CreateEmptyMapData();
  RunInitializers(Initializers, InitializersEnd);
  ModulePath.LoadModuleFileName(Instance);
  if (!BuildPaletteTables()) ExitRuntime(ExitBadImage);
  BuildFactorialTable();
  BuildDarkerColors();
  CommandLine.AssignChars(GetCommandLineA());
  LocateProgramImage();
  LoadProgramImage();
  if (!CompileProgram()) ExitRuntime(ExitBadImage);
  if (!CreateMainWindow(WindowProc)) ExitRuntime(ExitNoMainWindow);
  if (LanguageId != LANG_ENGLISH) LoadLanguageKeyboardLayout();
  RunCompiledProgram();
  ExitRuntime(ReturnCode);
}

