// Start-up's decisions from the system's facts: charset, the English row,
// timer period, floating-point control, image magic, initializer ranges.
#include <gtest/gtest.h>
#include <string.h>
#include "base/memory.h"
#include "startup/language.h"
#include "startup/runtime.h"

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

}  // namespace
