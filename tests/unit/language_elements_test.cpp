// The language element as a command (the id rounded, an unknown id giving
// the start-up language) and as a number.
#include "expression_fixture.h"
#include "base/language.h"

namespace {

void* __stdcall NoLayout(const char*, unsigned) { return nullptr; }

// The language globals as they were, put back after each test.
struct LanguageState {
  int32_t Index = CurrentLanguageIndex, Default = DefaultLanguageIndex, Id = LanguageId;
  int32_t CodePage = LanguageCodePage, Charset = LanguageCharset, Fallback = FallbackLanguageIndex;
  uint8_t Separator = DecimalSeparator;
  void Restore() const {
    CurrentLanguageIndex = Index;
    DefaultLanguageIndex = Default;
    LanguageId = Id;
    LanguageCodePage = CodePage;
    LanguageCharset = Charset;
    FallbackLanguageIndex = Fallback;
    DecimalSeparator = Separator;
  }
};

class LanguageElements : public ExpressionTest {
 public:
  LanguageState Saved;
  KeyboardLayoutLoader SavedLoader = LoadKeyboardLayoutCall;
  void SetUp() override {
    ExpressionTest::SetUp();
    LoadKeyboardLayoutCall = NoLayout;
  }
  void TearDown() override {
    Saved.Restore();
    LoadKeyboardLayoutCall = SavedLoader;
    ExpressionTest::TearDown();
  }
};

TEST_F(LanguageElements, SwitchAndRead) {
  DefaultLanguageIndex = 19;  // Slovak, id 27
  const struct {
    const char* Id;
    double Expected;
  } cases[] = {
      {"(num 5)", 5}, {"(num 6.5)", 6}, {"(num 7.5)", 8}, {"(num 9.4)", 9},
      {"(num 1000)", 27}, {"(num -9)", 27}, {"(@nan)", 27}, {"(num 1e12)", 27},
  };
  for (auto& c : cases) {
    SetLanguage(EnglishLanguageIndex);
    ASSERT_TRUE(RunExpressions("", "", std::string("(language ") + c.Id + ")(@r (language))")) << c.Id;
    EXPECT_EQ(c.Expected, R) << c.Id;
    EXPECT_EQ(c.Expected, LanguageId) << c.Id;
  }
}

// A switch re-reads the image texts: a text constant follows the language
// (falling back to English where a language has no text).
TEST_F(LanguageElements, TextConstantsFollowTheSwitch) {
  const char* source = R"(
languages 9 5
global
  main: function -> main_def
  t: text = "unset"
local
  main_def: function -> main_body
program
  main_body: function
    language
      num 5
    @t
      text_const {9:"hello" 5:"ahoj"}
)";
  ASSERT_TRUE(LoadTestProgram(source));
  ASSERT_TRUE(CompileProgram());
  SetLanguage(EnglishLanguageIndex);
  Run();
  const Text& t = Texts[GlobalItemLinks[1].DataIndex];
  EXPECT_EQ("ahoj", std::string(t.Chars(), t.Length()));
}

}  // namespace
