// Focus between controls of real windows: Tab and Shift+Tab along the ring,
// arrow keys in push-button runs and radio groups, radio checks, the focus
// command, the focus leaving a destroyed control and the radio state read
// back after a click.
#include "controls_setup.h"
#include "run/window_proc.h"

namespace {

class FocusWalksTest : public ControlsFixture {
 public:
  // ids 1 button, 2 disabled button, 3 disabled edit, 4 radio group start,
  // 5 and 6 radio buttons, 7 check box.
  void MakeDialog() {
    Make(ExecNumNewButton);
    Windows[Make(ExecNumNewButton)].Disabled = 1;
    Windows[Make(ExecNumNewEdit)].Disabled = 1;
    Make(ExecNumNewRadioGroupStart);
    Make(ExecNumNewRadioButton);
    Make(ExecNumNewRadioButton);
    Make(ExecNumNewCheckBox);
  }
  static LRESULT CheckOf(int32_t id) { return SendMessageA(Windows[id].Handle, BM_GETCHECK, 0, 0); }
  static std::string Checks(int32_t first, int32_t last) {
    std::string s;
    for (int32_t i = first; i <= last; i++) {
      s += Windows[i].Checked ? 'x' : '.';
      EXPECT_EQ(Windows[i].Checked ? BST_CHECKED : BST_UNCHECKED, CheckOf(i)) << "control " << i;
    }
    return s;
  }
};

TEST_F(FocusWalksTest, TabOrder) {
  MakeDialog();
  EXPECT_EQ(1, FocusWindowId) << "the first tab stop";
  const struct {
    const char* Name;
    int32_t From;
    bool Forward;
    int32_t Checked;  // radio item checked before, 0 none
    int32_t Expected;
  } cases[] = {
      {"disabled button skipped, disabled edit reached", 1, true, 0, 3},
      {"into a group with nothing checked: its start", 3, true, 0, 4},
      {"into a group: its checked button", 3, true, 6, 6},
      {"out of a group", 5, true, 0, 7},
      {"from the last tab stop wraps to the first", 7, true, 0, 1},
      {"from the window itself", 0, true, 0, 1},
      {"back over the window to the last", 1, false, 0, 7},
      {"back from a check box into the group", 7, false, 5, 5},
      {"back out of a group passes its start", 6, false, 0, 3},
      {"back from the group start", 4, false, 0, 3},
  };
  for (auto& c : cases) {
    for (int32_t i = 4; i <= 6; i++) Windows[i].Checked = i == c.Checked;
    FocusWindowId = c.From;
    if (c.Forward)
      FocusNextTabStop();
    else
      FocusPreviousTabStop();
    EXPECT_EQ(c.Expected, FocusWindowId) << c.Name;
  }
  // A checked but disabled member does not take the focus.
  Windows[6].Checked = 1;
  Windows[6].Disabled = 1;
  FocusWindowId = 3;
  FocusNextTabStop();
  EXPECT_EQ(4, FocusWindowId);
}

TEST_F(FocusWalksTest, TabWithoutAnotherTabStopKeepsTheFocus) {
  int32_t edit = Make(ExecNumNewEdit);
  Make(ExecNumNewStaticLeft);
  EXPECT_EQ(edit, FocusWindowId);
  FocusNextTabStop();
  EXPECT_EQ(edit, FocusWindowId);
  FocusPreviousTabStop();
  EXPECT_EQ(edit, FocusWindowId);
  FocusWindowId = 99;  // not live: the walk starts at the current window
  FocusNextTabStop();
  EXPECT_EQ(edit, FocusWindowId);
}

TEST_F(FocusWalksTest, ArrowKeysInPushButtonRuns) {
  int32_t a = Make(ExecNumNewButton), b = Make(ExecNumNewDefaultButton), c = Make(ExecNumNewIconButton);
  int32_t box = Make(ExecNumNewCheckBox);
  const struct {
    const char* Name;
    int32_t From;
    bool Forward;
    bool MiddleDisabled;
    int32_t Expected;
  } cases[] = {
      {"right to the next", a, true, false, b},
      {"right on the last wraps to the first", c, true, false, a},
      {"left on the first wraps to the last", a, false, false, c},
      {"right passes a disabled one", a, true, true, c},
      {"left passes a disabled one", c, false, true, a},
      {"a check box has no group walk", box, true, false, box},
  };
  for (auto& t : cases) {
    Windows[b].Disabled = t.MiddleDisabled;
    FocusWindowId = t.From;
    if (t.Forward)
      FocusNextInGroup();
    else
      FocusPreviousInGroup();
    EXPECT_EQ(t.Expected, FocusWindowId) << t.Name;
  }
  Windows[b].Disabled = 0;
  Windows[a].Disabled = Windows[c].Disabled = 1;
  FocusWindowId = b;
  FocusNextInGroup();
  EXPECT_EQ(b, FocusWindowId) << "no other enabled button: the walk comes back";
  FocusWindowId = 77;
  FocusNextInGroup();
  EXPECT_EQ(77, FocusWindowId) << "no live focus: nothing";
}

TEST_F(FocusWalksTest, ArrowKeysInRadioGroups) {
  // 1 start, 2 and 3 its buttons, 4 a check box, 5 and 6 a group without a start.
  int32_t s = Make(ExecNumNewRadioGroupStart), r1 = Make(ExecNumNewRadioButton), r2 = Make(ExecNumNewRadioButton);
  Make(ExecNumNewCheckBox);
  int32_t q1 = Make(ExecNumNewRadioButton), q2 = Make(ExecNumNewRadioButton);
  const struct {
    const char* Name;
    int32_t From;
    bool Forward;
    int32_t Disabled;  // 0 none
    int32_t Expected;
    const char* Checks;  // of items 1..6 afterwards
  } cases[] = {
      {"down from the start", s, true, 0, r1, ".x...."},
      {"down on the last wraps to the start", r2, true, 0, s, "x....."},
      {"up from the start to the last", s, false, 0, r2, "..x..."},
      {"up from a button", r2, false, 0, r1, ".x...."},
      {"up from the first button to the start", r1, false, 0, s, "x....."},
      {"up from the start past a disabled last", s, false, r2, r1, ".x...."},
      {"down past a disabled button", s, true, r1, r2, "..x..."},
      {"no start: down on the last to the first", q2, true, 0, q1, "....x."},
      {"no start: up on the first to the last", q1, false, 0, q2, ".....x"},
  };
  for (auto& c : cases) {
    for (int32_t i = 1; i <= 6; i++) Windows[i].Disabled = i == c.Disabled;
    for (int32_t i = 1; i <= 6; i++) {
      Windows[i].Checked = 0;
      SendMessageA(Windows[i].Handle, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    CheckRadioItem(c.From);
    FocusWindowId = c.From;
    if (c.Forward)
      FocusNextInGroup();
    else
      FocusPreviousInGroup();
    EXPECT_EQ(c.Expected, FocusWindowId) << c.Name;
    EXPECT_EQ(c.Checks, Checks(1, 6)) << c.Name;
  }
}

TEST_F(FocusWalksTest, CheckRadioItemClearsItsGroupOnly) {
  // A button of an earlier group, then a group: start, two buttons.
  int32_t before = Make(ExecNumNewRadioButton), box = Make(ExecNumNewCheckBox);
  int32_t s = Make(ExecNumNewRadioGroupStart), r1 = Make(ExecNumNewRadioButton), r2 = Make(ExecNumNewRadioButton);
  CheckRadioItem(before);
  CheckRadioItem(s);
  EXPECT_EQ("x.x..", Checks(before, r2));
  CheckRadioItem(r2);
  EXPECT_EQ("x...x", Checks(before, r2)) << "the start is cleared, the earlier group left alone";
  CheckRadioItem(r1);
  EXPECT_EQ("x..x.", Checks(before, r2));
  CheckRadioItem(box);
  EXPECT_EQ("x..x.", Checks(before, r2)) << "other kinds are not checked";
  EXPECT_EQ(0, IgnoreNotifications);
  EXPECT_EQ(0, Windows[r1].Clicked) << "the engine's own checks set no latch";
}

// The system unchecks the other automatic radio buttons of a group without
// a notification; the click reads the whole group back.
TEST_F(FocusWalksTest, ClickReadsTheRadioGroupBack) {
  int32_t s = Make(ExecNumNewRadioGroupStart), r1 = Make(ExecNumNewRadioButton), r2 = Make(ExecNumNewRadioButton);
  CheckRadioItem(r1);
  // What a user's click on r2 does to the controls, then its notification.
  SendMessageA(Windows[r1].Handle, BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(Windows[r2].Handle, BM_SETCHECK, BST_CHECKED, 0);
  HandleControlNotification(r2, BN_CLICKED);
  EXPECT_EQ(0, Windows[s].Checked);
  EXPECT_EQ(0, Windows[r1].Checked) << "unchecked by the system, read back";
  EXPECT_EQ(1, Windows[r2].Checked);
  EXPECT_EQ(1, Windows[r2].Clicked);
  EXPECT_EQ(1, Windows[0].Clicked);
}

TEST_F(FocusWalksTest, FocusCommandAndDestroyingTheFocus) {
  int32_t a = Make(ExecNumNewButton), label = Make(ExecNumNewStaticLeft), b = Make(ExecNumNewEdit);
  EXPECT_EQ(a, FocusWindowId);
  DestroyWindowItem(a);
  EXPECT_EQ(b, FocusWindowId) << "to the next tab stop";
  DestroyWindowItem(b);
  EXPECT_EQ(0, FocusWindowId) << "no tab stop left: the window";
  EXPECT_TRUE(Windows.IsLive(label));
}

}  // namespace
