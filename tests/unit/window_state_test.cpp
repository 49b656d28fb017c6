// Visible, disabled, check, third-state, clicked and colour elements on real
// controls, and where the focus goes when its control is hidden or disabled.
#include "controls_program.h"

namespace {

class WindowStateTest : public ControlsProgramTest {
 public:
  static LRESULT CheckOf(int32_t id) { return SendMessageA(Windows[id].Handle, BM_GETCHECK, 0, 0); }
};

TEST_F(WindowStateTest, VisibleToggleAndSet) {
  RunBody(R"(
    @n1
      edit_new
    window_visible
    @b1
      window_visible
    window_id
      num 0
    window_visible
    window_visible
      false
    @b2
      window_visible
)");
  EXPECT_EQ(1, B(1));
  EXPECT_NE(0u, StyleOf(1) & WS_VISIBLE);
  EXPECT_EQ(1, B(2)) << "the main window stays shown";
  EXPECT_EQ(1, Windows[0].Visible);
  RunBody(R"(
    window_id
      num 1
    window_visible
      true
    @b1
      window_visible
    window_visible
      false
    @b2
      window_visible
)");
  EXPECT_EQ(1, B(1));
  EXPECT_EQ(0, B(2));
  EXPECT_EQ(0u, StyleOf(1) & WS_VISIBLE);
}

TEST_F(WindowStateTest, DisabledEditsBecomeReadOnly) {
  RunBody(R"(
    @n1
      edit_new
    @n2
      button_new
    window_id
      num 1
    window_disabled
    @b1
      window_disabled
    window_id
      num 2
    window_disabled
      true
    @b2
      window_disabled
    window_id
      num 0
    window_disabled
    @b3
      window_disabled
)");
  EXPECT_EQ(1, B(1));
  EXPECT_NE(0u, StyleOf(1) & ES_READONLY);
  EXPECT_TRUE(IsWindowEnabled(Windows[1].Handle)) << "read-only, not disabled";
  EXPECT_EQ(1, B(2));
  EXPECT_FALSE(IsWindowEnabled(Windows[2].Handle));
  EXPECT_EQ(0, B(3)) << "windows are not changed";
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
  RunBody(R"(
    window_id
      num 1
    window_disabled
      false
    window_id
      num 2
    window_disabled
)");
  EXPECT_EQ(0u, StyleOf(1) & ES_READONLY);
  EXPECT_TRUE(IsWindowEnabled(Windows[2].Handle));
}

// Keys must never go to a hidden or disabled control: the focus moves on
// to the next tab stop, or to the window when there is none.
TEST_F(WindowStateTest, FocusLeavesHiddenAndDisabledControls) {
  for (int k = 0; k < 3; k++) MakeShown(El::button_new);
  MakeShown(El::edit_new);
  RunBody(R"(
    window_focus
      num 2
    window_id
      num 2
    window_visible
      false
    @n1
      window_focus
)");
  EXPECT_EQ(3, N(1)) << "hiding the focused button";
  EXPECT_EQ(Windows[3].Handle, GetFocus());
  RunBody(R"(
    window_id
      num 3
    window_disabled
      true
    @n1
      window_focus
    window_focus
      num 4
    window_id
      num 4
    window_disabled
      true
    @n2
      window_focus
)");
  EXPECT_EQ(4, N(1)) << "disabling the focused button";
  EXPECT_EQ(4, N(2)) << "a read-only edit keeps the focus";
  EXPECT_EQ(Windows[4].Handle, GetFocus());
}

TEST_F(WindowStateTest, FocusGoesToTheWindowWithoutAnotherTabStop) {
  MakeShown(El::button_new);
  RunBody(R"(
    window_focus
      num 1
    window_id
      num 1
    window_disabled
    @n1
      window_focus
)");
  EXPECT_EQ(0, N(1));
  EXPECT_EQ(MainWindow, GetFocus());
}

TEST_F(WindowStateTest, RadioChecks) {
  RunBody(R"(
    @n1
      radio_group_new
    @n2
      radio_button_new
    @n3
      radio_button_new
    window_id
      num 2
    window_check
    @b1
      window_check
    window_id
      num 3
    window_check
      true
    @b2
      window_check
    window_check
    @b3
      window_check
)");
  EXPECT_EQ(1, B(1));
  EXPECT_EQ(1, B(2));
  EXPECT_EQ(0, B(3)) << "toggling a checked radio button unchecks it";
  for (int32_t id = 1; id <= 3; id++) {
    EXPECT_EQ(BST_UNCHECKED, CheckOf(id)) << id;
    EXPECT_EQ(0, Windows[id].Checked) << id;
  }
}

TEST_F(WindowStateTest, CheckAndThirdStateByKind) {
  RunBody(R"(
    @n1
      check_box_new
    @n2
      check_box3_new
    @n3
      icon_box_new
    @n4
      button_new
    window_id
      num 1
    window_check
    window_check3
    @b1
      window_check3
    window_id
      num 2
    window_check
    window_check3
    @b2
      window_check
    @b3
      window_check3
    window_id
      num 3
    window_check3
    window_check
      true
    @b4
      window_check3
    window_id
      num 4
    window_check
)");
  EXPECT_EQ(BST_CHECKED, CheckOf(1));
  EXPECT_EQ(0, B(1)) << "a plain check box has no third state";
  EXPECT_EQ(BST_INDETERMINATE, CheckOf(2));
  EXPECT_EQ(0, B(2)) << "the third state clears the check";
  EXPECT_EQ(1, B(3));
  EXPECT_EQ(1, Windows[3].Checked) << "an icon box keeps the mark itself";
  EXPECT_EQ(0, B(4));
  EXPECT_EQ(0, Windows[4].Checked) << "push buttons take no check";
  EXPECT_EQ(0, Windows[1].Clicked + Windows[2].Clicked) << "the engine's own changes are no clicks";
}

TEST_F(WindowStateTest, ClickedIsReadAndCleared) {
  MakeShown(El::button_new);
  SendMessageA(Windows[1].Handle, BM_CLICK, 0, 0);
  RunBody(R"(
    window_id
      num 1
    @b1
      window_clicked
    @b2
      window_clicked
    window_id
      num 0
    @b3
      window_clicked
    window_id
      num 9
    @b4
      window_clicked
)");
  EXPECT_EQ(1, B(1));
  EXPECT_EQ(0, B(2));
  EXPECT_EQ(1, B(3)) << "the window of the control was clicked too";
  EXPECT_EQ(0, B(4));
}

TEST_F(WindowStateTest, BackgroundBrushes) {
  RunBody(R"(
    @n1
      button_new
    @n2
      window_back_color
)");
  EXPECT_EQ(ButtonFaceColor, N(2));
  EXPECT_EQ(ButtonFaceBrush, Windows[1].BackBrush);
  uint32_t other = ButtonFaceColor == 0x123456 ? 0x654321 : 0x123456;
  RunBody("    window_id\n      num 1\n    window_back_color\n      num " + std::to_string(other | 0x7F000000u) +
          "\n    @n1\n      window_back_color\n");
  EXPECT_EQ(other, N(1)) << "the top byte is cleared";
  HBRUSH hatch = Windows[1].BackBrush;
  LOGBRUSH lb = {};
  ASSERT_EQ((int)sizeof lb, GetObjectA(hatch, sizeof lb, &lb));
  EXPECT_EQ((UINT)BS_HATCHED, lb.lbStyle);
  EXPECT_EQ((ULONG_PTR)HS_CROSS, lb.lbHatch);
  EXPECT_EQ(other, lb.lbColor);
  RunBody("    window_id\n      num 1\n    window_back_color\n      num " + std::to_string(EditBackColor) + "\n");
  EXPECT_EQ(EditBackBrush, Windows[1].BackBrush);
  EXPECT_EQ(0u, GetObjectType(hatch)) << "the item's own brush was deleted";
  EXPECT_NE(0u, GetObjectType(EditBackBrush));
}

TEST_F(WindowStateTest, TextColorAndDefaults) {
  RunBody(R"(
    @n1
      static_left_new
    window_text_color
      num 255
    @n2
      window_text_color
    window_id
      num -1
    @n3
      window_text_color
    @n4
      window_back_color
    window_text_color
      num 65280
)");
  EXPECT_EQ(255, N(2));
  EXPECT_EQ(255u, Windows[1].TextColor);
  EXPECT_EQ(ButtonTextColor, N(3));
  EXPECT_EQ(ButtonFaceColor, N(4));
}

}  // namespace
