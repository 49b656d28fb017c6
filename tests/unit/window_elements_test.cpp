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
      button_new
    @n2
      edit_new
    window_id
      num 1.4
    @n3
      window_id
    window_esc
      num 2
    window_focus
      num 2
    @n4
      window_focus
    window_delete
      num 1
    @n5
      window_id
    window_id
      num 1
    @n6
      window_esc
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
      button_new
    @n2
      window_new
    window_focus
      num 0
    @n3
      window_focus
    window_focus
      num 55
    @n4
      window_focus
    window_esc
      num 55
    @n5
      window_esc
)");
  EXPECT_EQ(2, N(2)) << "the new window's id";
  EXPECT_EQ(2, N(3)) << "a window is not focused by the command";
  EXPECT_EQ(2, N(4));
  EXPECT_EQ(-1, N(5));
}

TEST_F(WindowElementsTest, FontFlagsOfTheSelectedItem) {
  RunBody(R"(
    @n1
      edit_new
    window_bold
    @b1
      window_bold
    window_bold
      true
    window_italic
      true
    window_fixed
      false
    @b2
      window_italic
    window_serif
    window_serif
    @b3
      window_serif
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
      icon_box_new
    window_fixed
    @b1
      window_fixed
    @n2
      picture_box_new
    window_font_h
      num 2
    @n3
      window_font_h
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
      static_left_new
    window_font_h
      num 1.5
    @n2
      window_font_h
    window_font_w
      num 0.75
    @n3
      window_font_w
    window_font_angle
      num 2.5
    @n4
      window_font_angle
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
      button_new
    window_id
      num -1
    window_bold
    window_font_h
      num 3
    @b1
      window_bold
    @n2
      window_font_h
    @n3
      window_font_w
    @n4
      window_font_angle
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
    RunBody(std::string("    code_page\n      num ") + c.Operand + "\n    @n1\n      code_page\n");
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
    RunBody(std::string("    font_name\n      text_const \"") + c.Operand + "\"\n    @t1\n      font_name\n");
    EXPECT_EQ(c.Expected, T1()) << c.Operand;
    EXPECT_STREQ(c.Expected, UserFontName.Chars());
  }
}

}  // namespace
