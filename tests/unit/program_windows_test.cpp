// Program windows and controls made in the test process: every kind's class,
// styles, size and colours, ids and their reuse, rings, centring, dialog
// mode, ownership of program windows and the order of destruction.
#include "controls_setup.h"

namespace {

class ProgramWindowsTest : public ControlsFixture {};

TEST_F(ProgramWindowsTest, EveryControlKind) {
  const struct {
    const char* Name;
    double (*Make)();
    int32_t Type;
    const char* Class;
    int32_t Width, Height;
    uint32_t Style, ExStyle;
    bool EditColors, Font;
  } cases[] = {
      {"button", ExecNumNewButton, 2, "Button", 80, 24, 0x00034000, 0, false, true},
      {"default button", ExecNumNewDefaultButton, 3, "Button", 80, 24, 0x00034001, 0, false, true},
      {"icon button", ExecNumNewIconButton, 4, "Button", 40, 40, 0x00035045, 0, false, true},
      {"check box", ExecNumNewCheckBox, 5, "Button", 128, 16, 0x00034003, 0, false, true},
      {"three-state check box", ExecNumNewCheckBox3, 6, "Button", 128, 16, 0x00034006, 0, false, true},
      {"radio button", ExecNumNewRadioButton, 7, "Button", 128, 16, 0x00004009, 0, false, true},
      {"radio group start", ExecNumNewRadioGroupStart, 8, "Button", 128, 16, 0x00034009, 0, false, true},
      {"edit", ExecNumNewEdit, 9, "Edit", 128, 21, 0x00030080, 0x200, true, true},
      {"memo", ExecNumNewMemo, 10, "Edit", 160, 73, 0x00231044, 0x200, true, true},
      {"group box", ExecNumNewGroupBox, 11, "Button", 192, 96, 0x00000007, 0x20, false, true},
      {"list box", ExecNumNewListBox, 12, "ListBox", 128, 192, 0x00230181, 0x200, true, true},
      {"combo edit", ExecNumNewComboEdit, 13, "ComboBox", 128, 192, 0x00230441, 0, true, true},
      {"combo list", ExecNumNewComboList, 14, "ComboBox", 128, 192, 0x00230443, 0, true, true},
      {"combo drop", ExecNumNewComboDrop, 15, "ComboBox", 128, 192, 0x00230442, 0, true, true},
      {"static left", ExecNumNewStaticLeft, 16, "Static", 128, 16, 0x00000180, 0, false, true},
      {"static centred", ExecNumNewStaticCenter, 16, "Static", 128, 16, 0x00000181, 0, false, true},
      {"static right", ExecNumNewStaticRight, 16, "Static", 128, 16, 0x00000182, 0, false, true},
      {"icon box", ExecNumNewIconBox, 17, "Static", 32, 32, 0x00000B03, 0, false, false},
      {"picture box", ExecNumNewPictureBox, 18, "Static", 32, 32, 0x0000010D, 0, false, false},
      {"rich edit", ExecNumNewRichEdit, 19, "RichEdit20A", 160, 73, 0x00231044, 0x200, true, true},
  };
  int32_t expectedId = 1;
  for (auto& c : cases) {
    int32_t id = Make(c.Make);
    ASSERT_EQ(expectedId++, id) << c.Name << ": ids are table indexes in order";
    EXPECT_EQ(id, SelectedWindowId) << c.Name;
    const WindowItem& item = Windows[id];
    ASSERT_NE(nullptr, item.Handle) << c.Name;
    EXPECT_EQ(c.Type, item.Type) << c.Name;
    EXPECT_EQ(0, item.Parent) << c.Name;
    EXPECT_STRCASEEQ(c.Class, ClassOf(id).c_str()) << c.Name;
    EXPECT_EQ(MainWindow, GetParent(item.Handle)) << c.Name;
    EXPECT_EQ(id, GetDlgCtrlID(item.Handle)) << c.Name;
    EXPECT_EQ(item.Handle, GetDlgItem(MainWindow, id)) << c.Name;
    uint32_t style = StyleOf(id), wanted = c.Style | WS_CHILD;
    // List and combo boxes and the rich edit drop WS_VSCROLL while no
    // scroll bar is needed (Wine, as the system does).
    if (c.Type >= WindowTypeListBox && c.Type != WindowTypeStaticText && c.Type != WindowTypeMemo) wanted &= ~WS_VSCROLL;
    EXPECT_EQ(wanted, style & wanted) << c.Name << std::hex << " style " << style;
    EXPECT_EQ(0u, style & WS_VISIBLE) << c.Name << ": created hidden";
    EXPECT_EQ(c.ExStyle, ExStyleOf(id) & c.ExStyle) << c.Name;
    EXPECT_EQ(c.Width, item.Width) << c.Name;
    EXPECT_EQ(c.Height, item.Height) << c.Name;
    EXPECT_EQ((c.Style & WS_TABSTOP) != 0, item.TabStop != 0) << c.Name;
    EXPECT_EQ((c.ExStyle & WS_EX_CLIENTEDGE) != 0, item.HasFrame != 0) << c.Name;
    EXPECT_EQ(c.EditColors ? EditBackBrush : ButtonFaceBrush, item.BackBrush) << c.Name;
    EXPECT_EQ(c.EditColors ? EditTextColor : ButtonTextColor, item.TextColor) << c.Name;
    if (c.Font) {
      EXPECT_NE(nullptr, item.Font) << c.Name;
      // Wine's rich edit does not answer WM_GETFONT.
      if (c.Type != WindowTypeRichEdit) {
        EXPECT_EQ((LRESULT)item.Font, SendMessageA(item.Handle, WM_GETFONT, 0, 0)) << c.Name;
      }
    } else {
      EXPECT_EQ(nullptr, item.Font) << c.Name << ": icon and picture boxes get no font";
    }
  }
  EXPECT_EQ(1, FocusWindowId) << "the first tab stop took the focus";
  EXPECT_EQ(0xFFFFFFFFu, (uint32_t)SendMessageA(Windows[9].Handle, EM_GETLIMITTEXT, 0, 0))
      << "memo: the system's largest limit";
  EXPECT_EQ(0x10000000, SendMessageA(Windows[20].Handle, EM_GETLIMITTEXT, 0, 0)) << "rich edit limit";
  EXPECT_EQ(ENM_CHANGE, SendMessageA(Windows[20].Handle, EM_GETEVENTMASK, 0, 0) & ENM_CHANGE);
  // The rich edit library is loaded once.
  HMODULE library = RichEditLibrary;
  EXPECT_NE(nullptr, library);
  Make(ExecNumNewRichEdit);
  EXPECT_EQ(library, RichEditLibrary);
}

// Centred in the owner's client area, truncating toward zero.
TEST_F(ProgramWindowsTest, ControlsAreCentred) {
  Windows[0].ClientWidth = 400;
  Windows[0].ClientHeight = 300;
  int32_t button = Make(ExecNumNewButton);
  EXPECT_EQ(160, Windows[button].X);
  EXPECT_EQ(138, Windows[button].Y);
  RECT r;
  GetWindowRect(Windows[button].Handle, &r);
  MapWindowPoints(nullptr, MainWindow, (POINT*)&r, 2);
  EXPECT_EQ(160, r.left);
  EXPECT_EQ(138, r.top);
  Windows[0].ClientWidth = 10;
  Windows[0].ClientHeight = 3;
  int32_t group = Make(ExecNumNewGroupBox);
  EXPECT_EQ(-91, Windows[group].X) << "(10 - 192) / 2";
  EXPECT_EQ(-46, Windows[group].Y) << "(3 - 96) / 2 toward zero";
}

TEST_F(ProgramWindowsTest, RingsIdsReuseAndDialogMode) {
  EXPECT_FALSE(InDialogMode());
  int32_t a = Make(ExecNumNewButton), b = Make(ExecNumNewEdit), c = Make(ExecNumNewCheckBox);
  EXPECT_TRUE(InDialogMode()) << "the main window holds controls";
  EXPECT_EQ("0 1 2 3", Ring(0));
  EXPECT_EQ(a, Windows[0].Next);
  EXPECT_EQ(c, Windows[0].Prev);
  HWND bh = Windows[b].Handle;
  DestroyWindowItem(b);
  EXPECT_FALSE(IsWindow(bh));
  EXPECT_FALSE(Windows.IsLive(b));
  EXPECT_EQ("0 1 3", Ring(0));
  EXPECT_EQ(b, Make(ExecNumNewListBox)) << "the freed id is taken again";
  EXPECT_EQ("0 1 3 2", Ring(0)) << "and joins the end of the ring";
  DestroyWindowItem(a);
  DestroyWindowItem(b);
  EXPECT_TRUE(InDialogMode());
  DestroyWindowItem(c);
  EXPECT_FALSE(InDialogMode()) << "the last control of the main window is gone";
  EXPECT_EQ("0", Ring(0));
  EXPECT_EQ(1, Windows.Count);
}

TEST_F(ProgramWindowsTest, SelectionAndDestroyingDeadIds) {
  int32_t a = Make(ExecNumNewButton);
  DestroyWindowItem(0);
  EXPECT_TRUE(IsWindow(MainWindow)) << "the main window is never destroyed here";
  EXPECT_EQ(a, SelectedWindowId);
  DestroyWindowItem(a);
  EXPECT_EQ(-1, SelectedWindowId) << "the selected item went";
  SelectedWindowId = 7;
  DestroyWindowItem(7);
  EXPECT_EQ(-1, SelectedWindowId) << "also for an id that is not live";
  for (int32_t dead : {-1, 7, 40, 1 << 30}) DestroyWindowItem(dead);
  EXPECT_EQ(1, Windows.Count);
}

TEST_F(ProgramWindowsTest, ProgramWindowsOwnTheirControlsAndDisableTheirOwner) {
  MoveWindow(MainWindow, 100, 50, 600, 400, TRUE);
  int32_t w = (int32_t)ExecNumNewWindow();
  ASSERT_EQ(1, w);
  EXPECT_EQ(w, SelectedWindowId);
  const WindowItem& item = Windows[w];
  ASSERT_NE(nullptr, item.Handle);
  RECT r;
  GetWindowRect(item.Handle, &r);
  EXPECT_EQ(116, r.left);
  EXPECT_EQ(66, r.top);
  EXPECT_EQ(568, r.right - r.left);
  EXPECT_EQ(368, r.bottom - r.top);
  EXPECT_EQ(116, item.X);
  EXPECT_EQ(568, item.Width);
  EXPECT_EQ(0, item.Parent);
  EXPECT_EQ(w, GetWindowLongA(item.Handle, 0));
  EXPECT_EQ(MainWindow, GetWindow(item.Handle, GW_OWNER));
  EXPECT_STREQ("YeltoProgClass", ClassOf(w).c_str());
  EXPECT_EQ(0x06C00000u | WS_SYSMENU, StyleOf(w) & (0x06C00000u | WS_SYSMENU));
  EXPECT_EQ(0x10001u, ExStyleOf(w) & 0x10001u);
  EXPECT_EQ(w, CurrentWindowId);
  EXPECT_EQ(w, FocusWindowId);
  EXPECT_EQ(1, Windows[0].Disabled);
  EXPECT_FALSE(IsWindowEnabled(MainWindow));
  EXPECT_EQ("0", Ring(0)) << "no member of its owner's ring";
  EXPECT_EQ(std::to_string(w), Ring(w));

  int32_t button = Make(ExecNumNewButton);
  EXPECT_EQ(w, Windows[button].Parent);
  EXPECT_EQ(item.Handle, GetParent(Windows[button].Handle));
  EXPECT_EQ(std::to_string(w) + " " + std::to_string(button), Ring(w));
  EXPECT_FALSE(InDialogMode()) << "controls of program windows leave dialog mode alone";
  EXPECT_EQ(button, FocusWindowId);

  int32_t dialog = (int32_t)ExecNumNewDialog();
  EXPECT_EQ(0u, StyleOf(dialog) & WS_SYSMENU) << "a dialog has no system menu";
  EXPECT_EQ(w, Windows[dialog].Parent);
  EXPECT_EQ(1, Windows[w].Disabled);
  EXPECT_EQ(dialog, CurrentWindowId);
  int32_t edit = Make(ExecNumNewEdit);
  HWND handles[] = {Windows[w].Handle, Windows[button].Handle, Windows[dialog].Handle, Windows[edit].Handle};

  DestroyWindowItem(dialog);
  EXPECT_EQ(w, CurrentWindowId);
  EXPECT_EQ(w, FocusWindowId);
  EXPECT_EQ(0, Windows[w].Disabled);
  EXPECT_TRUE(IsWindowEnabled(Windows[w].Handle));
  EXPECT_FALSE(Windows.IsLive(edit)) << "its control went with it";

  DestroyWindowItem(w);
  for (HWND h : handles) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(0, CurrentWindowId);
  EXPECT_EQ(0, FocusWindowId);
  EXPECT_EQ(0, Windows[0].Disabled);
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
  EXPECT_EQ(1, Windows.Count);
}

// The system close box of a program window destroys it like the delete
// element does.
TEST_F(ProgramWindowsTest, ClosingAProgramWindow) {
  int32_t w = (int32_t)ExecNumNewWindow();
  int32_t button = Make(ExecNumNewButton);
  HWND h = Windows[w].Handle;
  EXPECT_EQ(0, SendMessageA(h, WM_CLOSE, 0, 0));
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(Windows.IsLive(w));
  EXPECT_FALSE(Windows.IsLive(button));
  EXPECT_EQ(-1, SelectedWindowId);
  EXPECT_EQ(0, CurrentWindowId);
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
}

// Narrow owners are copied, not inset.
TEST_F(ProgramWindowsTest, SmallOwnersAreNotInset) {
  Windows[0].X = 30;
  Windows[0].Y = 20;
  Windows[0].Width = 50;
  Windows[0].Height = 200;
  int32_t w = (int32_t)ExecNumNewDialog();
  EXPECT_EQ(30, Windows[w].X) << "x copied";
  EXPECT_EQ(36, Windows[w].Y);
  RECT r;
  GetWindowRect(Windows[w].Handle, &r);
  EXPECT_EQ(30, r.left);
  EXPECT_EQ(36, r.top);
  EXPECT_EQ(168, r.bottom - r.top);
}

// Destroying a window takes its controls and the windows it owns with their
// items, highest id first, then the window: the free list hands the ids out
// again in the reverse order of their release.
TEST_F(ProgramWindowsTest, DestructionOrder) {
  int32_t w = (int32_t)ExecNumNewWindow();
  int32_t b1 = Make(ExecNumNewButton);
  int32_t inner = (int32_t)ExecNumNewDialog();
  int32_t b2 = Make(ExecNumNewButton);
  CurrentWindowId = w;  // a later control of the outer window
  int32_t b3 = Make(ExecNumNewCheckBox);
  CurrentWindowId = inner;
  DestroyWindowItem(w);
  EXPECT_EQ(1, Windows.Count);
  EXPECT_EQ(0, CurrentWindowId);
  int32_t order[5];
  for (int32_t& k : order) k = Windows.NewItem();
  // Freed: b3, inner's b2, inner, b1, w.
  EXPECT_EQ(w, order[0]);
  EXPECT_EQ(b1, order[1]);
  EXPECT_EQ(inner, order[2]);
  EXPECT_EQ(b2, order[3]);
  EXPECT_EQ(b3, order[4]);
  for (int32_t k : order) Windows.FreeItem(k);
}

// Entries the system refused: they stay, linked and selected, without
// effect; a refused program window does not take its owner's place.
TEST_F(ProgramWindowsTest, RefusedWindowsAndControls) {
  Text missing("NoSuchClassHere");
  CreateControl(WindowTypeEdit, missing, 50, 20, 0x00010000, 0);
  int32_t c = SelectedWindowId;
  EXPECT_EQ(nullptr, Windows[c].Handle);
  EXPECT_EQ("0 " + std::to_string(c), Ring(0));
  DestroyWindowItem(c);
  EXPECT_FALSE(Windows.IsLive(c));

  // An owner whose system window is gone makes the creation fail.
  int32_t gone = Windows.NewItem();
  Windows[gone].Type = 0;
  Windows[gone].Handle = CreateWindowExA(0, "Static", "", 0, 0, 0, 10, 10, nullptr, nullptr, Instance, nullptr);
  DestroyWindow(Windows[gone].Handle);
  CurrentWindowId = FocusWindowId = gone;
  int32_t w = (int32_t)ExecNumNewWindow();
  EXPECT_EQ(w, SelectedWindowId);
  EXPECT_EQ(nullptr, Windows[w].Handle);
  EXPECT_EQ(gone, CurrentWindowId) << "the refused window is not current";
  EXPECT_EQ(gone, FocusWindowId);
  EXPECT_EQ(0, Windows[gone].Disabled);
  DestroyWindowItem(w);
  EXPECT_EQ(gone, CurrentWindowId);
  CurrentWindowId = FocusWindowId = 0;
  Windows.FreeItem(gone);
}

}  // namespace
