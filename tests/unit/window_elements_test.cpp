// The window and font elements run in compiled programs: selection, Esc
// window, focus, creation values and deletion; the font flags, height, width
// and angle of the selected item, the code page and the user face name.
#include <string>
#include "controls_program.h"
#include "base/language.h"
#include "startup/runtime.h"

namespace {

class WindowElementsTest : public ControlsProgramTest {
 public:
  int32_t SavedCodePage = LanguageCodePage, SavedCharset = LanguageCharset;
  void SetUp() override {
    ControlsProgramTest::SetUp();
    FocusWindowId = 0;
  }
  void TearDown() override {
    LanguageCodePage = SavedCodePage;
    LanguageCharset = SavedCharset;
    UserFontName.AssignChars("Impact");
    ControlsProgramTest::TearDown();
  }
  static std::string T1() { return T(1); }
};

TEST_F(WindowElementsTest, SelectDeleteFocusAndEsc) {
  RunBody(R"(
    @n1
      #603
    @n2
      #606
    #593
      num 1.4
    @n3
      #593
    #686
      num 2
    #612
      num 2
    @n4
      #612
    #594
      num 1
    @n5
      #593
    #593
      num 1
    @n6
      #686
)");
  EXPECT_EQ(1, N(1)) << "the new button's id";
  EXPECT_EQ(2, N(2));
  EXPECT_EQ(1, N(3)) << "1.4 rounded selects the button";
  EXPECT_EQ(2, N(4)) << "the focus command moved the focus to the edit";
  EXPECT_EQ(-1, N(5)) << "deleting the selected item";
  EXPECT_EQ(-1, SelectedWindowId) << "a dead id selects nothing";
  EXPECT_EQ(2, N(6)) << "the Esc window";
  EXPECT_EQ(1, MainWindowShown) << "the focus command showed the main window";
  EXPECT_TRUE(IsWindowVisible(MainWindow));
  EXPECT_FALSE(Windows.IsLive(1));
  EXPECT_TRUE(Windows.IsLive(2));
}

TEST_F(WindowElementsTest, FocusCommandIgnoresWindowsAndDeadIds) {
  RunBody(R"(
    @n1
      #603
    @n2
      #595
    #612
      num 0
    @n3
      #612
    #612
      num 55
    @n4
      #612
    #686
      num 55
    @n5
      #686
)");
  EXPECT_EQ(2, N(2)) << "the new window's id";
  EXPECT_EQ(2, N(3)) << "a window is not focused by the command";
  EXPECT_EQ(2, N(4));
  EXPECT_EQ(-1, N(5));
}

TEST_F(WindowElementsTest, FontFlagsOfTheSelectedItem) {
  RunBody(R"(
    @n1
      #606
    #620
    @b1
      #620
    #620
      true
    #703
      true
    #621
      false
    @b2
      #703
    #706
    #706
    @b3
      #706
)");
  const WindowItem& edit = Windows[1];
  EXPECT_EQ(1, B(1)) << "the toggle set bold";
  EXPECT_EQ(1, edit.Bold) << "setting it again changed nothing";
  EXPECT_EQ(1, B(2));
  EXPECT_EQ(0, B(3)) << "toggled twice";
  EXPECT_EQ(0, edit.Fixed);
  LOGFONTA lf = {};
  ASSERT_NE(0, GetObjectA((HFONT)SendMessageA(edit.Handle, WM_GETFONT, 0, 0), sizeof lf, &lf));
  EXPECT_EQ(700, lf.lfWeight);
  EXPECT_EQ(1, lf.lfItalic);
}

// Icon and picture boxes keep the flags but take no font.
TEST_F(WindowElementsTest, IconBoxesKeepFlagsWithoutAFont) {
  RunBody(R"(
    @n1
      #631
    #621
    @b1
      #621
    @n2
      #699
    #702
      num 2
    @n3
      #702
)");
  EXPECT_EQ(1, B(1));
  EXPECT_EQ(2, N(3));
  EXPECT_EQ(nullptr, Windows[1].Font);
  EXPECT_EQ(nullptr, Windows[2].Font);
  EXPECT_EQ(StockFontRefCount, FontCache[1].RefCount) << "no reference was taken";
  EXPECT_EQ(nullptr, FontCache[4].Font) << "and no font made";
}

TEST_F(WindowElementsTest, FontNumbersOfTheSelectedItem) {
  RunBody(R"(
    @n1
      #617
    #702
      num 1.5
    @n2
      #702
    #707
      num 0.75
    @n3
      #707
    #708
      num 2.5
    @n4
      #708
)");
  const WindowItem& label = Windows[1];
  EXPECT_EQ(48, label.FontHeight);
  EXPECT_EQ(1.5, N(2));
  EXPECT_EQ(0.75, N(3));
  EXPECT_EQ(2.5, N(4));
  LOGFONTA lf = {};
  ASSERT_NE(0, GetObjectA(label.Font, sizeof lf, &lf));
  EXPECT_EQ(48, lf.lfHeight);
  EXPECT_EQ(14, lf.lfWidth) << "0.75 x 48 x 0.4";
  EXPECT_EQ(1432, lf.lfEscapement) << "2.5 rad in tenths of a degree";
}

TEST_F(WindowElementsTest, WithoutALiveItemNothingHappens) {
  RunBody(R"(
    @n1
      #603
    #593
      num -1
    #620
    #702
      num 3
    @b1
      #620
    @n2
      #702
    @n3
      #707
    @n4
      #708
)");
  EXPECT_EQ(0, B(1));
  EXPECT_EQ(0, N(2));
  EXPECT_EQ(0, N(3));
  EXPECT_EQ(0, N(4));
  EXPECT_EQ(0, Windows[1].Bold);
  EXPECT_EQ(0, Windows[1].FontHeight);
}

TEST_F(WindowElementsTest, CodePage) {
  const struct {
    const char* Operand;
    int32_t CodePage, Charset;
  } cases[] = {{"1251", 1251, 204}, {"1255", 1255, 1}, {"-5", 0, 1}, {"1252.2", 1252, 0}, {"1250", 1250, 238}};
  for (auto& c : cases) {
    RunBody(std::string("    #743\n      num ") + c.Operand + "\n    @n1\n      #743\n");
    EXPECT_EQ(c.CodePage, LanguageCodePage) << c.Operand;
    EXPECT_EQ(c.Charset, LanguageCharset) << c.Operand;
    EXPECT_EQ(c.CodePage, N(1)) << c.Operand;
  }
}

TEST_F(WindowElementsTest, FontName) {
  const struct {
    const char* Operand;
    const char* Expected;
  } cases[] = {{"\\t  Liberation Mono \\r\\n", "Liberation Mono"}, {"   ", "Impact"}, {"", "Impact"}, {"A", "A"}};
  for (auto& c : cases) {
    UserFontName.AssignChars("Impact");
    RunBody(std::string("    #744\n      text_const \"") + c.Operand + "\"\n    @t1\n      #744\n");
    EXPECT_EQ(c.Expected, T1()) << c.Operand;
    EXPECT_STREQ(c.Expected, UserFontName.Chars());
  }
}

}  // namespace
