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
      #606
    #601
    @b1
      #601
    #593
      num 0
    #601
    #601
      false
    @b2
      #601
)");
  EXPECT_EQ(1, B(1));
  EXPECT_NE(0u, StyleOf(1) & WS_VISIBLE);
  EXPECT_EQ(1, B(2)) << "the main window stays shown";
  EXPECT_EQ(1, Windows[0].Visible);
  RunBody(R"(
    #593
      num 1
    #601
      true
    @b1
      #601
    #601
      false
    @b2
      #601
)");
  EXPECT_EQ(1, B(1));
  EXPECT_EQ(0, B(2));
  EXPECT_EQ(0u, StyleOf(1) & WS_VISIBLE);
}

TEST_F(WindowStateTest, DisabledEditsBecomeReadOnly) {
  RunBody(R"(
    @n1
      #606
    @n2
      #603
    #593
      num 1
    #602
    @b1
      #602
    #593
      num 2
    #602
      true
    @b2
      #602
    #593
      num 0
    #602
    @b3
      #602
)");
  EXPECT_EQ(1, B(1));
  EXPECT_NE(0u, StyleOf(1) & ES_READONLY);
  EXPECT_TRUE(IsWindowEnabled(Windows[1].Handle)) << "read-only, not disabled";
  EXPECT_EQ(1, B(2));
  EXPECT_FALSE(IsWindowEnabled(Windows[2].Handle));
  EXPECT_EQ(0, B(3)) << "windows are not changed";
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
  RunBody(R"(
    #593
      num 1
    #602
      false
    #593
      num 2
    #602
)");
  EXPECT_EQ(0u, StyleOf(1) & ES_READONLY);
  EXPECT_TRUE(IsWindowEnabled(Windows[2].Handle));
}

// Keys must never go to a hidden or disabled control: the focus moves on
// to the next tab stop, or to the window when there is none.
TEST_F(WindowStateTest, FocusLeavesHiddenAndDisabledControls) {
  for (int k = 0; k < 3; k++) MakeShown(603);
  MakeShown(606);
  RunBody(R"(
    #612
      num 2
    #593
      num 2
    #601
      false
    @n1
      #612
)");
  EXPECT_EQ(3, N(1)) << "hiding the focused button";
  EXPECT_EQ(Windows[3].Handle, GetFocus());
  RunBody(R"(
    #593
      num 3
    #602
      true
    @n1
      #612
    #612
      num 4
    #593
      num 4
    #602
      true
    @n2
      #612
)");
  EXPECT_EQ(4, N(1)) << "disabling the focused button";
  EXPECT_EQ(4, N(2)) << "a read-only edit keeps the focus";
  EXPECT_EQ(Windows[4].Handle, GetFocus());
}

TEST_F(WindowStateTest, FocusGoesToTheWindowWithoutAnotherTabStop) {
  MakeShown(603);
  RunBody(R"(
    #612
      num 1
    #593
      num 1
    #602
    @n1
      #612
)");
  EXPECT_EQ(0, N(1));
  EXPECT_EQ(MainWindow, GetFocus());
}

TEST_F(WindowStateTest, RadioChecks) {
  RunBody(R"(
    @n1
      #622
    @n2
      #607
    @n3
      #607
    #593
      num 2
    #611
    @b1
      #611
    #593
      num 3
    #611
      true
    @b2
      #611
    #611
    @b3
      #611
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
      #605
    @n2
      #627
    @n3
      #631
    @n4
      #603
    #593
      num 1
    #611
    #628
    @b1
      #628
    #593
      num 2
    #611
    #628
    @b2
      #611
    @b3
      #628
    #593
      num 3
    #628
    #611
      true
    @b4
      #628
    #593
      num 4
    #611
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
  MakeShown(603);
  SendMessageA(Windows[1].Handle, BM_CLICK, 0, 0);
  RunBody(R"(
    #593
      num 1
    @b1
      #604
    @b2
      #604
    #593
      num 0
    @b3
      #604
    #593
      num 9
    @b4
      #604
)");
  EXPECT_EQ(1, B(1));
  EXPECT_EQ(0, B(2));
  EXPECT_EQ(1, B(3)) << "the window of the control was clicked too";
  EXPECT_EQ(0, B(4));
}

TEST_F(WindowStateTest, BackgroundBrushes) {
  RunBody(R"(
    @n1
      #603
    @n2
      #711
)");
  EXPECT_EQ(ButtonFaceColor, N(2));
  EXPECT_EQ(ButtonFaceBrush, Windows[1].BackBrush);
  uint32_t other = ButtonFaceColor == 0x123456 ? 0x654321 : 0x123456;
  RunBody("    #593\n      num 1\n    #711\n      num " + std::to_string(other | 0x7F000000u) +
          "\n    @n1\n      #711\n");
  EXPECT_EQ(other, N(1)) << "the top byte is cleared";
  HBRUSH hatch = Windows[1].BackBrush;
  LOGBRUSH lb = {};
  ASSERT_EQ((int)sizeof lb, GetObjectA(hatch, sizeof lb, &lb));
  EXPECT_EQ((UINT)BS_HATCHED, lb.lbStyle);
  EXPECT_EQ((ULONG_PTR)HS_CROSS, lb.lbHatch);
  EXPECT_EQ(other, lb.lbColor);
  RunBody("    #593\n      num 1\n    #711\n      num " + std::to_string(EditBackColor) + "\n");
  EXPECT_EQ(EditBackBrush, Windows[1].BackBrush);
  EXPECT_EQ(0u, GetObjectType(hatch)) << "the item's own brush was deleted";
  EXPECT_NE(0u, GetObjectType(EditBackBrush));
}

TEST_F(WindowStateTest, TextColorAndDefaults) {
  RunBody(R"(
    @n1
      #617
    #710
      num 255
    @n2
      #710
    #593
      num -1
    @n3
      #710
    @n4
      #711
    #710
      num 65280
)");
  EXPECT_EQ(255, N(2));
  EXPECT_EQ(255u, Windows[1].TextColor);
  EXPECT_EQ(ButtonTextColor, N(3));
  EXPECT_EQ(ButtonFaceColor, N(4));
}

}  // namespace
