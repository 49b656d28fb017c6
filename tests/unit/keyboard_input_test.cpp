// Key messages through the real input filter: the codes recorded, what is
// swallowed, the rings, the pause, AltGr, the lock keys, Shift releases,
// characters, Alt+Enter and the dialog keys among real controls.
#include "input_setup.h"

FakeKeys Keys;

namespace {

using KeyboardInputTest = InputTest;

TEST_F(KeyboardInputTest, KeyCodes) {
  const struct {
    const char* Name;
    UINT Message;
    WPARAM Vk;
    int32_t Scan;
    bool Extended;
    int32_t Code;
    bool Swallowed;
  } cases[] = {
      {"letter Q", WM_KEYDOWN, 'Q', 0x10, false, 81, false},
      {"Clear is keypad 5", WM_KEYDOWN, VK_CLEAR, 0x4C, false, 101, false},
      {"extended Clear", WM_KEYDOWN, VK_CLEAR, 0x4C, true, 12, false},
      {"Enter", WM_KEYDOWN, VK_RETURN, 0x1C, false, 13, false},
      {"keypad Enter", WM_KEYDOWN, VK_RETURN, 0x1C, true, 173, false},
      {"left Shift", WM_KEYDOWN, VK_SHIFT, 0x2A, false, 16, false},
      {"right Shift by its scan code", WM_KEYDOWN, VK_SHIFT, 0x36, false, 161, false},
      {"right Shift extended", WM_KEYDOWN, VK_SHIFT, 0x36, true, 161, false},
      {"left Ctrl", WM_KEYDOWN, VK_CONTROL, 0x1D, false, 17, false},
      {"right Ctrl", WM_KEYDOWN, VK_CONTROL, 0x1D, true, 163, false},
      {"left Alt", WM_SYSKEYDOWN, VK_MENU, 0x38, false, 18, true},
      {"right Alt", WM_SYSKEYDOWN, VK_MENU, 0x38, true, 165, true},
      {"F10", WM_SYSKEYDOWN, VK_F10, 0x44, false, 121, true},
      {"F10 without Alt", WM_KEYDOWN, VK_F10, 0x44, false, 121, true},
      {"Alt+A", WM_SYSKEYDOWN, 'A', 0x1E, false, 65, false},
      {"Page Up", WM_KEYDOWN, VK_PRIOR, 0x49, true, 33, false},
      {"keypad 9", WM_KEYDOWN, VK_PRIOR, 0x49, false, 105, false},
      {"Page Down", WM_KEYDOWN, VK_NEXT, 0x51, true, 34, false},
      {"keypad 3", WM_KEYDOWN, VK_NEXT, 0x51, false, 99, false},
      {"End", WM_KEYDOWN, VK_END, 0x4F, true, 35, false},
      {"keypad 1", WM_KEYDOWN, VK_END, 0x4F, false, 97, false},
      {"Home", WM_KEYDOWN, VK_HOME, 0x47, true, 36, false},
      {"keypad 7", WM_KEYDOWN, VK_HOME, 0x47, false, 103, false},
      {"Left", WM_KEYDOWN, VK_LEFT, 0x4B, true, 37, false},
      {"keypad 4", WM_KEYDOWN, VK_LEFT, 0x4B, false, 100, false},
      {"Up", WM_KEYDOWN, VK_UP, 0x48, true, 38, false},
      {"keypad 8 without Num Lock", WM_KEYDOWN, VK_UP, 0x48, false, 104, false},
      {"keypad 8 with Num Lock", WM_KEYDOWN, VK_NUMPAD8, 0x48, false, 104, false},
      {"Right", WM_KEYDOWN, VK_RIGHT, 0x4D, true, 39, false},
      {"keypad 6", WM_KEYDOWN, VK_RIGHT, 0x4D, false, 102, false},
      {"Down", WM_KEYDOWN, VK_DOWN, 0x50, true, 40, false},
      {"keypad 2", WM_KEYDOWN, VK_DOWN, 0x50, false, 98, false},
      {"Insert", WM_KEYDOWN, VK_INSERT, 0x52, true, 45, false},
      {"keypad 0", WM_KEYDOWN, VK_INSERT, 0x52, false, 96, false},
      {"Delete", WM_KEYDOWN, VK_DELETE, 0x53, true, 46, false},
      {"keypad point", WM_KEYDOWN, VK_DELETE, 0x53, false, 110, false},
      {"extended other key unchanged", WM_KEYDOWN, VK_DIVIDE, 0x35, true, 111, false},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.Swallowed, Press(c.Vk, c.Scan, c.Extended, c.Message)) << c.Name;
    EXPECT_EQ(1, KeysDown[c.Code]) << c.Name;
    EXPECT_EQ(1, KeysDownCount) << c.Name;
    UINT up = c.Message == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP;
    EXPECT_EQ(c.Swallowed, Release(c.Vk, c.Scan, c.Extended, up)) << c.Name;
    EXPECT_EQ(0, KeysDown[c.Code]) << c.Name;
    EXPECT_EQ(0, KeysDownCount) << c.Name;
    EXPECT_EQ(std::vector<int32_t>{c.Code}, Taken(KeyRing)) << c.Name;
  }
}

// Twenty presses before a read: the oldest is lost, nineteen remain in order.
// Auto-repeats fill the ring but hold the key once.
TEST_F(KeyboardInputTest, RingAndRepeats) {
  std::vector<int32_t> expected;
  for (int32_t i = 0; i < 20; i++) {
    Press('A' + i);
    Release('A' + i);
    if (i > 0) expected.push_back('A' + i);
  }
  EXPECT_EQ(expected, Taken(KeyRing));
  EXPECT_EQ(0, KeyRing.Read()) << "an empty ring reads 0";
  for (int32_t i = 0; i < 5; i++) Press('A');
  EXPECT_EQ(1, KeysDownCount);
  EXPECT_EQ(std::vector<int32_t>(5, 'A'), Taken(KeyRing));
  Release('A');
  EXPECT_EQ(0, KeysDownCount);
  Release('A');
  EXPECT_EQ(0, KeysDownCount) << "a second release counts nothing";
}

// Writes and reads across the wrap of the indexes, and a full ring's drop.
TEST_F(KeyboardInputTest, RingWraps) {
  InputRing ring = InputRing();
  int32_t next = 1, expect = 1;
  for (int32_t round = 0; round < 30; round++) {
    for (int32_t k = 0; k < 3; k++) ring.Write(next++);
    for (int32_t k = 0; k < 3; k++) EXPECT_EQ(expect++, ring.Read()) << "round " << round;
  }
  EXPECT_TRUE(ring.IsEmpty());
  for (int32_t k = 0; k < 25; k++) ring.Write(k);
  EXPECT_EQ(6, ring.Read()) << "the six oldest of 25 were dropped";
  ring.DropNewest();
  std::vector<int32_t> rest = Taken(ring);
  ASSERT_EQ(17u, rest.size());
  EXPECT_EQ(23, rest.back());
}

TEST_F(KeyboardInputTest, PauseEndsWithTheNextKey) {
  EXPECT_FALSE(Press(VK_PAUSE, 0x45));
  EXPECT_EQ(1, PauseFlag);
  EXPECT_EQ(0, KeysDown[VK_PAUSE]);
  Release(VK_PAUSE, 0x45);
  EXPECT_EQ(1, PauseFlag) << "the release changes nothing";
  EXPECT_FALSE(Press(VK_MENU, 0x38, false, WM_SYSKEYDOWN)) << "the key that ends the pause is not handled";
  EXPECT_EQ(0, PauseFlag);
  EXPECT_EQ(0, KeysDown[VK_MENU]);
  Release(VK_MENU, 0x38, false, WM_SYSKEYUP);
  Press('B');
  EXPECT_EQ(std::vector<int32_t>{'B'}, Taken(KeyRing)) << "neither the Pause nor the key that ended it";
}

// AltGr: the system's Ctrl press before right Alt leaves no trace unless Ctrl
// was held already.
TEST_F(KeyboardInputTest, AltGr) {
  const struct {
    const char* Name;
    std::vector<WPARAM> Before;  // presses before the AltGr pair
    bool WithCtrl;               // the pair's own Ctrl press
    std::vector<int32_t> Ring;
    uint8_t CtrlDown;
    int32_t Count;
  } cases[] = {
      {"AltGr", {}, true, {165}, 0, 1},
      {"AltGr with Ctrl held", {VK_CONTROL}, true, {17, 165}, 1, 2},
      {"AltGr after a letter", {'A'}, true, {'A', 165}, 0, 2},
      {"right Alt alone", {}, false, {165}, 0, 1},
      {"right Alt after a letter", {'A'}, false, {'A', 165}, 0, 2},
  };
  for (auto& c : cases) {
    SetUp();
    for (WPARAM vk : c.Before) Press(vk, 0x1D);
    if (c.WithCtrl) Press(VK_CONTROL, 0x1D);
    EXPECT_TRUE(Press(VK_MENU, 0x38, true)) << c.Name;
    EXPECT_EQ(c.Ring, Taken(KeyRing)) << c.Name;
    EXPECT_EQ(c.CtrlDown, KeysDown[VK_CONTROL]) << c.Name;
    EXPECT_EQ(1, KeysDown[VK_RMENU]) << c.Name;
    EXPECT_EQ(c.Count, KeysDownCount) << c.Name;
  }
}

// A lock key press reads its toggle state unless a change request waits.
TEST_F(KeyboardInputTest, LockKeysReadTheirState) {
  const struct {
    WPARAM Vk;
    bool Extended;
    uint8_t* State;
    uint8_t* Request;
  } cases[] = {
      {VK_CAPITAL, false, &CapsLockState, &CapsLockRequest},
      {VK_NUMLOCK, true, &NumLockState, &NumLockRequest},
      {VK_SCROLL, false, &ScrollLockState, &ScrollLockRequest},
      {VK_INSERT, true, &InsertState, &InsertRequest},
  };
  for (auto& c : cases) {
    for (uint8_t toggled : {1, 0}) {
      Keys.Toggled[c.Vk] = toggled;
      *c.State = 5;
      Press(c.Vk, 0, c.Extended);
      EXPECT_EQ(toggled, *c.State) << "key " << c.Vk;
      *c.State = 5;
      *c.Request = 1;
      Press(c.Vk, 0, c.Extended);
      EXPECT_EQ(5, *c.State) << "request pending, key " << c.Vk;
      *c.Request = 0;
    }
    Keys.Toggled[c.Vk] = 0;
  }
  Keys.Toggled[VK_INSERT] = 1;
  InsertState = 0;
  Press(VK_INSERT, 0x52, false);
  EXPECT_EQ(0, InsertState) << "keypad 0 is no Insert key";
  *cases[0].State = 0;
}

// Releasing one Shift lets the other go too once no Shift is physically down.
TEST_F(KeyboardInputTest, ShiftReleases) {
  const struct {
    const char* Name;
    int32_t ReleasedScan;
    bool PhysicallyDown;
    uint8_t Left, Right;
  } cases[] = {
      {"left released, none down", 0x2A, false, 0, 0},
      {"left released, a Shift still down", 0x2A, true, 0, 1},
      {"right released, none down", 0x36, false, 0, 0},
      {"right released, a Shift still down", 0x36, true, 1, 0},
  };
  for (auto& c : cases) {
    SetUp();
    Press(VK_SHIFT, 0x2A);
    Press(VK_SHIFT, 0x36);
    ASSERT_EQ(2, KeysDownCount) << c.Name;
    Keys.Physical[VK_SHIFT] = c.PhysicallyDown;
    EXPECT_FALSE(Release(VK_SHIFT, c.ReleasedScan)) << c.Name;
    EXPECT_EQ(c.Left, KeysDown[VK_SHIFT]) << c.Name;
    EXPECT_EQ(c.Right, KeysDown[VK_RSHIFT]) << c.Name;
    EXPECT_EQ(c.Left + c.Right, KeysDownCount) << c.Name;
  }
}

TEST_F(KeyboardInputTest, Characters) {
  EXPECT_FALSE(Feed(WM_CHAR, 'x', 1));
  EXPECT_FALSE(Feed(WM_SYSCHAR, 'y', 1));
  EXPECT_FALSE(Feed(WM_DEADCHAR, '^', 1));
  EXPECT_FALSE(Feed(WM_CHAR, 0x1E9, 1));
  EXPECT_EQ((std::vector<int32_t>{'x', 'y', 0xE9}), Taken(CharRing));
  EXPECT_TRUE(KeyRing.IsEmpty()) << "characters are no key presses";
}

// Alt+Enter is swallowed in graphics mode and records nothing; with a
// program window current it goes on to the window.
TEST_F(KeyboardInputTest, AltEnter) {
  EXPECT_TRUE(Feed(WM_SYSKEYDOWN, VK_RETURN, KeyParam(0x1C, false) | 1 << 29));
  CurrentWindowId = AddProgramWindow();
  EXPECT_FALSE(Feed(WM_SYSKEYDOWN, VK_RETURN, KeyParam(0x1C, false) | 1 << 29));
  CurrentWindowId = 0;
  EXPECT_TRUE(KeyRing.IsEmpty());
  EXPECT_EQ(0, KeysDownCount);
}

// Outside graphics mode every message is still recorded, and only the dialog
// keys are swallowed: Alt and F10 now reach the window.
TEST_F(KeyboardInputTest, OutsideGraphicsModeKeysAreRecordedNotSwallowed) {
  CurrentWindowId = AddProgramWindow();
  EXPECT_FALSE(Press(VK_MENU, 0x38, false, WM_SYSKEYDOWN));
  EXPECT_FALSE(Press('A', 0x1E));
  EXPECT_FALSE(Feed(WM_CHAR, 'a', 1));
  CurrentWindowId = 0;
  EXPECT_EQ((std::vector<int32_t>{18, 'A'}), Taken(KeyRing));
  EXPECT_EQ((std::vector<int32_t>{'a'}), Taken(CharRing));
  EXPECT_EQ(2, KeysDownCount);
}

// The pump hands every message to the filter: swallowed keys never reach the
// window, the others are translated (the character comes back through the
// queue) and dispatched.
WNDPROC EngineProc;
std::vector<UINT> Dispatched;
LRESULT CALLBACK RecordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_CHAR) Dispatched.push_back(m);
  return CallWindowProcA(EngineProc, w, m, wp, lp);
}

TEST_F(KeyboardInputTest, ThroughThePump) {
  EngineProc = (WNDPROC)SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, (LONG_PTR)RecordingProc);
  Dispatched.clear();
  PostMessageA(MainWindow, WM_SYSKEYDOWN, VK_MENU, KeyParam(0x38, false) | 1 << 29);
  PostMessageA(MainWindow, WM_KEYDOWN, 'A', KeyParam(0x1E, false));
  PostMessageA(MainWindow, WM_KEYDOWN, VK_F10, KeyParam(0x44, false));
  PumpMessages(false);
  SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, (LONG_PTR)EngineProc);
  EXPECT_EQ((std::vector<int32_t>{18, 'A', 121}), Taken(KeyRing));
  EXPECT_EQ((std::vector<UINT>{WM_KEYDOWN, WM_CHAR}), Dispatched) << "Alt and F10 were swallowed";
  ASSERT_FALSE(CharRing.IsEmpty()) << "the translated character was recorded";
  EXPECT_EQ('a', CharRing.Read() | 0x20);
}

class DialogKeysTest : public InputTest {
 public:
  int32_t Edit, Memo, Button, Default, Check;
  void SetUp() override {
    InputTest::SetUp();
    Edit = AddControl("EDIT", 9);
    Memo = AddControl("EDIT", 10);
    Button = AddControl("BUTTON", 2);
    Check = AddControl("BUTTON", 7);
    Default = AddControl("BUTTON", 3);
  }
  // A control of the main window, last in its ring, whose control id is its index.
  int32_t AddControl(const char* cls, int32_t type) {
    int32_t i = Windows.NewItem();
    HWND h = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, MainWindow, (HMENU)(intptr_t)i,
                             Instance, nullptr);
    EXPECT_NE(nullptr, h);
    WindowItem& item = Windows[i];
    item.Handle = h;
    item.Type = type;
    item.Parent = 0;
    item.Prev = Windows[0].Prev;
    item.Next = 0;
    Windows[Windows[0].Prev].Next = i;
    Windows[0].Prev = i;
    return i;
  }
  void ClearClicks() {
    for (int32_t i : {0, Edit, Memo, Button, Check, Default}) Windows[i].Clicked = 0;
  }
  static bool Key(WPARAM vk) {
    MSG m = {MainWindow, WM_KEYDOWN, vk, KeyParam(0, false), 0, {0, 0}};
    return HandleDialogKeys(&m);
  }
};

TEST_F(DialogKeysTest, Enter) {
  const struct {
    const char* Name;
    int32_t* Focus;
    bool DefaultDisabled;
    bool Handled;
    int32_t* Pressed;  // the control whose click latch the press set; null for none
  } cases[] = {
      {"on a button: pressed", &Button, false, true, &Button},
      {"on the default button", &Default, false, true, &Default},
      {"in an edit: the default button", &Edit, false, true, &Default},
      {"in a check box: the default button", &Check, false, true, &Default},
      {"in a memo: the memo takes it", &Memo, false, false, nullptr},
      {"in an edit, default button disabled", &Edit, true, false, nullptr},
  };
  for (auto& c : cases) {
    ClearClicks();
    FocusWindowId = *c.Focus;
    Windows[Default].Disabled = c.DefaultDisabled;
    EXPECT_EQ(c.Handled, Key(VK_RETURN)) << c.Name;
    for (int32_t i : {Edit, Memo, Button, Check, Default})
      EXPECT_EQ(c.Pressed && *c.Pressed == i, Windows[i].Clicked != 0) << c.Name << ", control " << i;
    if (c.Pressed) {
      EXPECT_EQ(*c.Pressed, FocusWindowId) << c.Name;
    }
    if (c.Pressed && *c.Pressed != *c.Focus) {
      EXPECT_EQ(Windows[*c.Pressed].Handle, GetFocus()) << c.Name;
    }
  }
  Windows[Default].Disabled = 0;
  ClearClicks();
  FocusWindowId = -1;
  EXPECT_TRUE(Key(VK_RETURN)) << "no focus: the default button";
  EXPECT_EQ(1, Windows[Default].Clicked);
}

TEST_F(DialogKeysTest, EscTabAndArrows) {
  const struct {
    const char* Name;
    WPARAM Vk;
    int32_t* Focus;
    bool Handled;
  } cases[] = {
      {"Tab", VK_TAB, &Edit, true},
      {"Left on a button", VK_LEFT, &Button, true},
      {"Right on a check box", VK_RIGHT, &Check, true},
      {"Left in an edit", VK_LEFT, &Edit, false},
      {"Right in a memo", VK_RIGHT, &Memo, false},
      {"Up in an edit: swallowed", VK_UP, &Edit, true},
      {"Down in an edit: swallowed", VK_DOWN, &Edit, true},
      {"Up in a memo", VK_UP, &Memo, false},
      {"Down on a default button", VK_DOWN, &Default, true},
      {"Space is no dialog key", VK_SPACE, &Button, false},
      {"a letter", 'A', &Edit, false},
  };
  for (auto& c : cases) {
    FocusWindowId = *c.Focus;
    EXPECT_EQ(c.Handled, Key(c.Vk)) << c.Name;
  }
  Keys.Physical[VK_SHIFT] = 1;
  EXPECT_TRUE(Key(VK_TAB)) << "Shift+Tab";
  FocusWindowId = 77;
  EXPECT_FALSE(Key(VK_LEFT)) << "no live focus";
  MSG up = {MainWindow, WM_KEYUP, VK_TAB, KeyParam(0, false, true), 0, {0, 0}};
  EXPECT_FALSE(HandleDialogKeys(&up)) << "only key presses";
}

TEST_F(DialogKeysTest, Esc) {
  const struct {
    const char* Name;
    int32_t Esc;
    bool Disabled;
    bool Handled;
  } cases[] = {
      {"a button", 2, false, true},  {"the window", 0, false, true},   {"disabled", 2, true, false},
      {"an edit", 9, false, false},  {"no item", -1, false, false},   {"no live entry", 99, false, false},
  };
  for (auto& c : cases) {
    ClearClicks();
    int32_t id = c.Esc == 2 ? Button : c.Esc == 9 ? Edit : c.Esc;
    EscWindowId = id;
    if (Windows.IsLive(id)) Windows[id].Disabled = c.Disabled;
    EXPECT_EQ(c.Handled, Key(VK_ESCAPE)) << c.Name;
    if (Windows.IsLive(id)) {
      EXPECT_EQ(c.Handled, Windows[id].Clicked != 0) << c.Name;
      Windows[id].Disabled = 0;
    }
  }
}

// With controls shown the filter swallows the handled dialog keys, still
// records them, and gives a double click on a button as a second press.
TEST_F(DialogKeysTest, ThroughTheFilter) {
  int32_t window = AddProgramWindow();
  CurrentWindowId = window;
  FocusWindowId = Edit;
  EXPECT_TRUE(Press(VK_TAB, 0x0F));
  EXPECT_FALSE(Press('A', 0x1E));
  EXPECT_EQ((std::vector<int32_t>{VK_TAB, 'A'}), Taken(KeyRing));
  MSG click = {Windows[Button].Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4), 0, {0, 0}};
  EXPECT_FALSE(FilterInputMessage(&click));
  EXPECT_EQ((UINT)WM_LBUTTONDOWN, click.message);
  EXPECT_EQ(1, MouseLeftClick) << "recorded as the press it became";
  EXPECT_EQ(0, MouseLeftDoubleClick);
  MSG edit = {Windows[Edit].Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4), 0, {0, 0}};
  FilterInputMessage(&edit);
  EXPECT_EQ((UINT)WM_LBUTTONDBLCLK, edit.message) << "an edit keeps its double click";
  CurrentWindowId = 0;
  MSG graphics = {Windows[Button].Handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4), 0, {0, 0}};
  FilterInputMessage(&graphics);
  EXPECT_EQ((UINT)WM_LBUTTONDBLCLK, graphics.message) << "graphics mode rewrites nothing";
}

}  // namespace
