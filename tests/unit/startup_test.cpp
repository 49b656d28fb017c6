// Start-up's decisions from the system's facts: charset, the English row,
// timer period, floating-point control, image magic, initializer ranges, and
// its exits when the heap or the main window cannot be had.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "base/memory.h"
#include "base/language.h"
#include "startup/runtime.h"
#include "audio/mixer.h"
#include "base/value_lists.h"
#include "window/font_cache.h"
#include "controls/program_windows.h"
#include "controls/window_texts.h"
#include "exec/constants.h"
#include "graphics/drawing.h"
#include "system/data_files.h"
#include "values/palette_rule.h"
#include "values/map.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "lib/image_writer.h"
#include "lib/program_asm.h"

namespace {

struct CodePageCase {
  uint32_t CodePage;
  int32_t Charset;
  bool EnglishRowTakesIt;
};

TEST(StartupCodePage, CharsetAndEnglishRow) {
  const CodePageCase cases[] = {
      {1250, 238, true},  {1251, 204, false}, {1252, 0, false}, {1253, 161, true},
      {1254, 162, true},  {1255, 1, false},   {1256, 178, true}, {1257, 186, false},
      {932, 1, false},    {437, 1, false},
  };
  const LanguageRow saved = LanguageTable[EnglishLanguageIndex];
  for (const CodePageCase& c : cases) {
    LanguageTable[EnglishLanguageIndex] = saved;
    ApplySystemCodePage(c.CodePage);
    EXPECT_EQ(c.Charset, SystemCharset) << "code page " << c.CodePage;
    const LanguageRow& en = LanguageTable[EnglishLanguageIndex];
    EXPECT_EQ(c.EnglishRowTakesIt ? (int32_t)c.CodePage : 1252, en.CodePage) << c.CodePage;
    EXPECT_EQ(c.EnglishRowTakesIt ? c.Charset : 0, en.Charset) << c.CodePage;
  }
  LanguageTable[EnglishLanguageIndex] = saved;
}

TEST(StartupTimer, PeriodBySignedVersionWord) {
  // The 95/98 family has the top bit of GetVersion set.
  EXPECT_EQ(30, TimerPeriodFor((int32_t)0xC0000A04));
  EXPECT_EQ(30, TimerPeriodFor(0));
  EXPECT_EQ(60, TimerPeriodFor(0x0A280105));
}

TEST(StartupFloatingPoint, ExtendedPrecisionRoundToNearestOtherBitsKept) {
  // Chop, 24-bit precision, and the infinity bit as a marker of the other bits;
  // every exception stays masked.
  uint16_t before, after, odd = 0x1C7F;
  __asm__ volatile("fnstcw %0" : "=m"(before));
  __asm__ volatile("fldcw %0" : : "m"(odd));
  SetFloatingPointControl();
  __asm__ volatile("fnstcw %0" : "=m"(after));
  EXPECT_EQ(0x0300, after & 0x0F00);  // 64-bit mantissa, to nearest
  EXPECT_EQ(odd & 0xF0FF, after & 0xF0FF);
  __asm__ volatile("fldcw %0" : : "m"(before));
}

TEST(StartupImage, MagicWordAndMinimumSize) {
  struct Case { const char* Bytes; int32_t Size; int32_t Expected; } cases[] = {
      {"YLT\x01", 500, 0}, {"REL\x01", 500, 1},  {"YLT\x01", 499, -1}, {"YLT\x02", 600, -1},
      {"REL\x00", 600, -1}, {"ylt\x01", 600, -1}, {"XYZ\x01", 600, -1}, {"YLT\x01", -1, -1},
  };
  static uint8_t image[600];
  for (const Case& c : cases) {
    memcpy(image, c.Bytes, 4);
    EXPECT_EQ(c.Expected, CheckImageMagic(image, c.Size)) << c.Bytes << " size " << c.Size;
  }
}

int Calls[4];
void First() { Calls[0]++; }
void Second() { Calls[1] = Calls[0] * 10 + 1; }  // records that First ran before

TEST(StartupInitializers, SkipsZeroAndAllOnesInOrder) {
  Initializer table[] = {First, nullptr, (Initializer)(uintptr_t)0xFFFFFFFFu, Second};
  memset(Calls, 0, sizeof Calls);
  RunInitializers(table, table + 4);
  EXPECT_EQ(1, Calls[0]);
  EXPECT_EQ(11, Calls[1]);
  RunInitializers(table, table);  // an empty range calls nothing
  EXPECT_EQ(1, Calls[0]);
}

HANDLE WINAPI RefuseHeapCreate(DWORD, SIZE_T, SIZE_T) { return nullptr; }

TEST(StartupMemoryDeathTest, NoHeapEndsWith253) {
  // The child starts over without a heap and with HeapCreate refusing.
  EXPECT_EXIT(
      {
        TermMemory();
        MemoryHeap = nullptr;
        MemorySys.HeapCreate = RefuseHeapCreate;
        RuntimeMain();
      },
      testing::ExitedWithCode(253), "");
}

// Room inside this module for an image that start-up finds as if bound.
uint8_t BoundImage[65536];

// Points the image location words at a copy of image in BoundImage.
void BindImage(const std::vector<uint8_t>& image) {
  if (image.size() > sizeof BoundImage) ExitProcess(99);
  memcpy(BoundImage, image.data(), image.size());
  ImageLocation.Words[0] = (uint32_t)(BoundImage - (const uint8_t*)GetModuleHandleA(nullptr));
  ImageLocation.Words[1] = (uint32_t)image.size();
}

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return FALSE;
  return DefWindowProcA(window, message, wParam, lParam);
}

// The main window's class is taken first by one whose windows run `proc`:
// the engine's own registration fails and its CreateWindowExA uses this one.
void TakeMainWindowClass(WNDPROC proc) {
  WNDCLASSA c = {};
  c.lpfnWndProc = proc;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = WindowClassName;
  if (!RegisterClassA(&c)) ExitProcess(98);
}

// The same start-up runs the bound program to its end (exit code 0) when the
// window can be made, so 252 comes from the window alone.
TEST(StartupMainWindowDeathTest, NoMainWindowEndsWith252) {
  EXPECT_EXIT(
      {
        BindImage(MinimalImage());
        RuntimeMain();
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      {
        BindImage(MinimalImage());
        TakeMainWindowClass(RefuseCreation);
        RuntimeMain();
      },
      testing::ExitedWithCode(252), "");
}

// What start-up made of the global objects, seen from the main window's
// first message: the point where every step before the window has run.
// Each object must have been constructed before the step that fills or reads
// it, and not again after it; the empty values must hold the records the
// steps before the initialisers made. Failures go to stderr, the verdict to
// the exit code (100: all hold).
int StartupFailures;
void Check(bool ok, const char* what) {
  if (ok) return;
  fprintf(stderr, "start-up order: %s\n", what);
  StartupFailures++;
}

LRESULT CALLBACK InspectStartup(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NCCREATE) return DefWindowProcA(window, message, wParam, lParam);
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  Check(EmptyText.Data == &EmptyTextData, "the empty text holds the shared empty record");
  Check(ModulePath.EqualsChars(path), "the module path, filled after its text was made");
  Check(CommandLine.EqualsChars(GetCommandLineA()), "the command line, filled after its text was made");
  Check(Texts.Count > 0 && Texts.Get(Texts.Count).Data == EmptyText.Data,
        "the image's texts in the text list, the empty text outside it");
  Check(Caption.EqualsChars("Ready made"), "the caption the main window took from the image");
  Check(Maps.Count > 0 && Maps.Get(0).Width() > 0, "the image's main map in the map list");
  Check(EmptySprite.Held() == EmptySpriteData && EmptySpriteData != nullptr,
        "the empty sprite holds the record made before the initialisers");
  Check(EmptyMap.Held() == EmptyMapData && EmptyMapData != nullptr,
        "the empty map holds the record made before the initialisers");
  Check(EmptyPictureData.Pixels != nullptr && EmptyPicture.Held() == &EmptyPictureData,
        "the empty picture holds its record with pixels");
  Check(Sprites.Get(-1).Held() == EmptySpriteData && Pictures.Get(-1).Held() == &EmptyPictureData,
        "reads outside the lists give the empty values");
  Check(Windows.Count == 0, "the window table is empty before the main window takes its entry");
  Check(NewLineText.EqualsChars("\r\n") && ButtonClassName.EqualsChars("Button") &&
            UserFontName.EqualsChars("Impact") && RtfMarker.EqualsChars("{\\RTF"),
        "the subsystems' fixed texts");
  Check(ReadFileName.Length() == 0 && CurrentSound.Held() == EmptySound.Held() &&
            MixerChannels[0].Sound.Held() == EmptySound.Held(),
        "the subsystems' empty objects");
  Check(DrawColor == YellowColor && PenWidth == 1, "the drawing state");
  ExitProcess(StartupFailures == 0 ? 100 : 101);
  return FALSE;
}

// A main function with a caption and a text constant: the image fills the
// text list, the main window takes the caption.
const char* const CaptionedProgram = R"(
global
  main: function "Ready made" -> main_def
local
  main_def: function -> main_body
program
  main_body: function
    caption
      text_const "later"
)";

TEST(StartupOrderDeathTest, GlobalObjectsReadyBeforeTheMainWindow) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(CaptionedProgram, &error);
  ASSERT_FALSE(image.empty()) << error;
  EXPECT_EXIT(
      {
        BindImage(image);
        TakeMainWindowClass(InspectStartup);
        RuntimeMain();
      },
      testing::ExitedWithCode(100), "");
}

}  // namespace
