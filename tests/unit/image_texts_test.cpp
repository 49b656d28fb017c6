// Texts by language: which block each text comes from, the stamps, the text
// transform, and the language switch with its hand-offs.
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include "image/image_texts.h"
#include "image_setup.h"

namespace {

// Blocks: Czech (row 1), Slovak (row 19), English (row 5), German (row 3),
// a language no row has, and English again (the later English block wins).
const char* const TextProgram = R"(
languages 5 27 9 7 99 9
texts {5:"cz" 27:"sk" 9:"en0" 9:"en" 7:"de"}
texts {27:"sk" 9:"en" 9:"en"}
texts {9:"x" 9:"en"}
texts {7:"de"}
texts {}
texts {5:"cz" 7:"de"}
texts {99:"zz"}
texts {9:"first" 9:"second"}
)";

std::vector<int> KeyboardCalls;
void* __stdcall CountLayoutLoads(const char*, unsigned) {
  KeyboardCalls.push_back(LanguageId);
  return (void*)1;
}

std::vector<std::pair<int32_t, std::string>> CaptionCalls, StatusCalls;
void RecordCaption(int32_t stamp, const Text& t) { CaptionCalls.push_back({stamp, t.Chars()}); }
void RecordStatus(int32_t stamp, const Text& t) { StatusCalls.push_back({stamp, t.Chars()}); }

class ImageTextsTest : public testing::Test {
 protected:
  KeyboardLayoutLoader RealLoader = LoadKeyboardLayoutCall;
  void SetUp() override { LoadKeyboardLayoutCall = CountLayoutLoads; }
  void TearDown() override {
    LoadKeyboardLayoutCall = RealLoader;
    DefaultLanguageIndex = EnglishLanguageIndex;
    SetLanguage(EnglishLanguageIndex);
    CaptionHandOff = StatusTextHandOff = nullptr;
    ResetImageLists();
  }
  void ExpectTexts(const char* name, const std::vector<std::string>& expected) {
    ASSERT_EQ((int32_t)expected.size(), Texts.Count) << name;
    for (int32_t k = 0; k < Texts.Count; k++) {
      EXPECT_EQ(expected[k], std::string(Texts[k].Chars(), Texts[k].Length())) << name << ", text " << k;
      EXPECT_EQ(k, Texts[k].Data->ImageTextIndex) << name << ", text " << k;
      EXPECT_NE(&EmptyTextData, Texts[k].Data) << name << ": the stamp needs a record of its own";
    }
  }
};

struct LanguageCase {
  const char* Name;
  int32_t Row;
  std::vector<std::string> Expected;
};

TEST_F(ImageTextsTest, EachTextFromTheFirstLanguageThatHasIt) {
  const LanguageCase cases[] = {
      // Czech falls back to Slovak, then English, then the lowest row with the text.
      {"Czech", 1, {"cz", "sk", "en", "de", "", "cz", "", "second"}},
      // Slovak falls back to Czech.
      {"Slovak", 19, {"sk", "sk", "en", "de", "", "cz", "", "second"}},
      {"German", 3, {"de", "en", "en", "de", "", "de", "", "second"}},
      {"English", 5, {"en", "en", "en", "de", "", "cz", "", "second"}},
      // Polish has no block: its fallback Czech, then English.
      {"Polish", 14, {"cz", "en", "en", "de", "", "cz", "", "second"}},
  };
  for (const LanguageCase& c : cases) {
    SetLanguage(c.Row);
    ASSERT_TRUE(LoadTestProgram(TextProgram)) << c.Name;
    ExpectTexts(c.Name, c.Expected);
    EXPECT_EQ(8, ImageTextCount);
  }
}

TEST_F(ImageTextsTest, BlocksGoToTheirLanguageRows) {
  ASSERT_TRUE(LoadTestProgram(TextProgram));
  const uint8_t* text = GetImageTable(TableText);
  EXPECT_EQ(text + 8, LanguageTable[1].TextBlock);   // Czech: the first block
  EXPECT_NE(nullptr, LanguageTable[5].TextBlock);     // English: the later of two blocks
  EXPECT_EQ(nullptr, LanguageTable[0].TextBlock);     // Bulgarian: none
  int32_t withBlocks = 0;
  for (const LanguageRow& row : LanguageTable) withBlocks += row.TextBlock != nullptr;
  EXPECT_EQ(4, withBlocks);
  // A later image without texts leaves no row pointing into the earlier one.
  ASSERT_TRUE(LoadTestProgram("languages\n"));
  for (const LanguageRow& row : LanguageTable) EXPECT_EQ(nullptr, row.TextBlock);
  EXPECT_EQ(0, Texts.Count);
}

TEST_F(ImageTextsTest, TransformedTextsReadAsThePlainOnes) {
  std::string program = std::string(TextProgram) + "texts \"\\x01\\xA5\\xFF bytes\"\n";
  for (int32_t row : {1, 5}) {
    SetLanguage(row);
    ASSERT_TRUE(LoadTestProgram(program));
    std::vector<std::string> plain;
    for (int32_t k = 0; k < Texts.Count; k++) plain.push_back(std::string(Texts[k].Chars(), Texts[k].Length()));
    ASSERT_TRUE(LoadTestProgram(program + "header magic=REL\n"));
    EXPECT_EQ(1, ImageTextsTransformed);
    ExpectTexts("transformed", plain);
  }
}

TEST_F(ImageTextsTest, TextsWithoutBlocksAreEmpty) {
  ASSERT_TRUE(LoadTestProgram("languages\ntable TEXT count=3\n"));
  ExpectTexts("no blocks", {"", "", ""});
}

TEST_F(ImageTextsTest, SwitchReplacesStampedTextsOnly) {
  ASSERT_TRUE(LoadTestProgram(TextProgram));
  int32_t copy = Texts.AppendCopy(0);     // copied: keeps the stamp
  int32_t changed = Texts.AppendCopy(1);  // changed by the program: loses it
  Texts[changed].AppendChars("!");
  KeyboardCalls.clear();
  SwitchLanguage(5);
  EXPECT_EQ(1, CurrentLanguageIndex);
  EXPECT_EQ(5, LanguageId);
  EXPECT_EQ(std::vector<int>({5}), KeyboardCalls);
  EXPECT_TRUE(Texts[0].EqualsChars("cz"));
  EXPECT_TRUE(Texts[copy].EqualsChars("cz"));
  EXPECT_EQ(0, Texts[copy].Data->ImageTextIndex);  // found again by the next switch
  EXPECT_TRUE(Texts[changed].EqualsChars("en!"));
  EXPECT_TRUE(Texts[1].EqualsChars("sk"));
  SwitchLanguage(9);
  EXPECT_TRUE(Texts[copy].EqualsChars("en"));
  EXPECT_EQ(std::vector<int>({5, 9}), KeyboardCalls);  // English loads a layout too
}

TEST_F(ImageTextsTest, UnknownIdSwitchesToTheStartUpLanguage) {
  DefaultLanguageIndex = 19;
  ASSERT_TRUE(LoadTestProgram(TextProgram));
  SwitchLanguage(7);
  EXPECT_EQ(7, LanguageId);
  EXPECT_TRUE(Texts[0].EqualsChars("de"));
  SwitchLanguage(1000);
  EXPECT_EQ(19, CurrentLanguageIndex);
  EXPECT_EQ(27, LanguageId);
  EXPECT_TRUE(Texts[0].EqualsChars("sk"));
  EXPECT_TRUE(Texts[5].EqualsChars("cz"));
}

TEST_F(ImageTextsTest, CaptionAndStatusHandOffsSeeEveryEntry) {
  ASSERT_TRUE(LoadTestProgram(TextProgram));
  CaptionCalls.clear();
  StatusCalls.clear();
  CaptionHandOff = RecordCaption;
  StatusTextHandOff = RecordStatus;
  SwitchLanguage(7);
  std::vector<std::pair<int32_t, std::string>> expected = {
      {0, "de"}, {1, "en"}, {2, "en"}, {3, "de"}, {4, ""}, {5, "de"}, {6, ""}, {7, "second"}};
  EXPECT_EQ(expected, CaptionCalls);
  EXPECT_EQ(expected, StatusCalls);
}

}  // namespace
