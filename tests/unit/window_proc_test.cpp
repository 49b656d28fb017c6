// The window procedure driven by SendMessage in the test process: closing,
// moves, sizing, focus, control notifications, colour answers, palette and
// music notifications, and windows that are no live entry of their own.
#include "window_setup.h"
#include "run/window_proc.h"

namespace {

class WindowProcTest : public MainWindowFixture {
 public:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open();
  }
  // A control of the main window whose control id is its table index.
  int32_t AddControl(const char* cls, DWORD style, int32_t type) {
    int32_t i = Windows.NewItem();
    HWND h = CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 40, 20, MainWindow, (HMENU)(intptr_t)i,
                             Instance, nullptr);
    EXPECT_NE(nullptr, h);
    Windows[i].Handle = h;
    Windows[i].Parent = 0;
    Windows[i].Type = type;
    return i;
  }
  static bool QuitPosted() {
    MSG m;
    return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  }
};

TEST_F(WindowProcTest, ClosingTheMainWindowPostsQuitAndKeepsIt) {
  EXPECT_EQ(0, SendMessageA(MainWindow, WM_CLOSE, 0, 0));
  EXPECT_TRUE(QuitPosted());
  EXPECT_TRUE(IsWindow(MainWindow)) << "the window stays until the program has unwound";
}

// A window of the class whose index was never stored (as while it is being
// created) reads index 0 from its extra word, but it is not the main window:
// its messages get default processing and touch no entry.
TEST_F(WindowProcTest, WindowWithoutItsOwnEntryIsNotTheMainWindow) {
  HWND stray = CreateWindowExA(0, WindowClassName, "stray", WS_OVERLAPPEDWINDOW, 300, 200, 120, 90, nullptr,
                               nullptr, Instance, nullptr);
  ASSERT_NE(nullptr, stray);
  DrainQueue();
  EXPECT_EQ(-1, WindowItemOf(stray));
  EXPECT_EQ(0, WindowItemOf(MainWindow));
  int32_t x = Windows[0].X, width = Windows[0].Width, centre = WindowCenterX;
  MoveWindow(stray, 5, 7, 333, 222, TRUE);
  EXPECT_EQ(x, Windows[0].X) << "a move of another window left the main entry alone";
  EXPECT_EQ(width, Windows[0].Width);
  EXPECT_EQ(centre, WindowCenterX);
  SendMessageA(stray, WM_CLOSE, 0, 0);
  EXPECT_FALSE(QuitPosted()) << "closing another window does not end the program";
  EXPECT_FALSE(IsWindow(stray)) << "default processing destroyed it";
}

TEST_F(WindowProcTest, MoveAndSizing) {
  MoveWindow(MainWindow, 40, 30, 300, 200, TRUE);
  EXPECT_EQ(40, Windows[0].X);
  EXPECT_EQ(30, Windows[0].Y);
  EXPECT_EQ(300, Windows[0].Width);
  EXPECT_EQ(200, Windows[0].Height);
  EXPECT_EQ(40 + 300 / 2, WindowCenterX);
  EXPECT_EQ(30 + 200 / 2, WindowCenterY);
  RECT proposed = {1, 2, 303, 404};
  EXPECT_EQ(TRUE, SendMessageA(MainWindow, WM_SIZING, WMSZ_RIGHT, (LPARAM)&proposed));
}

TEST_F(WindowProcTest, ControlNotifications) {
  int32_t box = AddControl("BUTTON", BS_AUTO3STATE, 6);
  int32_t button = AddControl("BUTTON", BS_PUSHBUTTON, 2);
  int32_t edit = AddControl("EDIT", 0, 9);
  const struct {
    const char* Name;
    int32_t Id;  // -1: an id of no entry
    int32_t Code;
    WPARAM Check;  // BM_SETCHECK before
    bool Ignore;
    uint8_t Clicked, ParentClicked, TextValid, Checked, Indeterminate;
    int32_t Focus;  // FocusWindowId after; -2: unchanged
  } cases[] = {
      {"check box clicked", box, 0, BST_CHECKED, false, 1, 1, 1, 1, 0, -2},
      {"check box indeterminate", box, 0, BST_INDETERMINATE, false, 1, 1, 1, 0, 1, -2},
      {"check box cleared", box, 0, BST_UNCHECKED, false, 1, 1, 1, 0, 0, -2},
      {"push button: no check state read", button, 0, 0, false, 1, 1, 1, 0, 0, -2},
      {"selection change", button, 1, 0, false, 1, 1, 0, 0, 0, -2},
      {"edit change", edit, 0x300, 0, false, 1, 1, 0, 0, 0, -2},
      {"code 5", edit, 5, 0, false, 1, 1, 0, 0, 0, -2},
      {"focus code 3", edit, 3, 0, false, 0, 0, 1, 0, 0, edit},
      {"focus code 6", button, 6, 0, false, 0, 0, 1, 0, 0, button},
      {"edit focus", edit, 0x100, 0, false, 0, 0, 1, 0, 0, edit},
      {"code 2", edit, 2, 0, false, 0, 0, 1, 0, 0, -2},
      {"other code", edit, 0x400, 0, false, 0, 0, 1, 0, 0, -2},
      {"ignored while the program changes a control", box, 0, BST_CHECKED, true, 0, 0, 1, 0, 0, -2},
      {"ignored focus", edit, 0x100, 0, true, 0, 0, 1, 0, 0, -2},
      {"id of no entry", -1, 0, 0, false, 0, 0, 1, 0, 0, -2},
  };
  for (auto& c : cases) {
    for (int32_t i : {0, box, button, edit}) {
      Windows[i].Clicked = Windows[i].Checked = Windows[i].Indeterminate = 0;
      Windows[i].TextValid = 1;
    }
    FocusWindowId = 77;
    int32_t id = c.Id < 0 ? 30 : c.Id;
    if (c.Id >= 0 && Windows[id].Type == 6) SendMessageA(Windows[id].Handle, BM_SETCHECK, c.Check, 0);
    IgnoreNotifications = c.Ignore;
    EXPECT_EQ(0, SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(id, c.Code), (LPARAM)Windows[id].Handle))
        << c.Name;
    IgnoreNotifications = 0;
    if (c.Id >= 0) {
      EXPECT_EQ(c.Clicked, Windows[id].Clicked) << c.Name;
      EXPECT_EQ(c.TextValid, Windows[id].TextValid) << c.Name;
      EXPECT_EQ(c.Checked, Windows[id].Checked) << c.Name;
      EXPECT_EQ(c.Indeterminate, Windows[id].Indeterminate) << c.Name;
    }
    EXPECT_EQ(c.ParentClicked, Windows[0].Clicked) << c.Name;
    EXPECT_EQ(c.Focus == -2 ? 77 : c.Focus, FocusWindowId) << c.Name;
  }
}

TEST_F(WindowProcTest, ColourAnswers) {
  int32_t label = AddControl("STATIC", 0, 3);
  HBRUSH own = CreateSolidBrush(RGB(10, 20, 30));
  Windows[label].TextColor = RGB(200, 100, 50);
  Windows[label].BackColor = RGB(1, 2, 3);
  Windows[label].BackBrush = own;
  HWND unrelated = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, MainWindow, (HMENU)(intptr_t)label,
                                   Instance, nullptr);
  const struct {
    const char* Name;
    UINT Message;
    HWND Control;
    bool Answered;
  } cases[] = {
      {"static", WM_CTLCOLORSTATIC, Windows[label].Handle, true},
      {"edit request", WM_CTLCOLOREDIT, Windows[label].Handle, true},
      {"message box request", WM_CTLCOLORMSGBOX, Windows[label].Handle, true},
      {"a control whose id names an entry of another window", WM_CTLCOLORSTATIC, unrelated, false},
  };
  for (auto& c : cases) {
    HDC dc = GetDC(MainWindow);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    LRESULT r = SendMessageA(MainWindow, c.Message, (WPARAM)dc, (LPARAM)c.Control);
    EXPECT_EQ(c.Answered, r == (LRESULT)own) << c.Name;
    // Default processing sets colours of its own, never the item's.
    EXPECT_EQ(c.Answered, RGB(200, 100, 50) == GetTextColor(dc)) << c.Name;
    EXPECT_EQ(c.Answered, RGB(1, 2, 3) == GetBkColor(dc)) << c.Name;
    ReleaseDC(MainWindow, dc);
  }
  DestroyWindow(unrelated);
}

TEST_F(WindowProcTest, FocusResetsTheKeyboardState) {
  const struct {
    const char* Name;
    uint8_t Request;  // Caps Lock change pending
    int32_t FocusBefore;
  } cases[] = {{"no request", 0, 55}, {"request pending", 1, 0}};
  for (auto& c : cases) {
    KeysDown['A'] = 1;
    KeysDownCount = 1;
    CapsLockState = 2;  // neither bit value GetKeyState can give
    CapsLockRequest = c.Request;
    FocusWindowId = c.FocusBefore;
    SendMessageA(MainWindow, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(0, KeysDown['A']) << c.Name;
    EXPECT_EQ(0, KeysDownCount) << c.Name;
    EXPECT_EQ(c.Request ? 2 : (GetKeyState(VK_CAPITAL) & 1), CapsLockState) << c.Name;
    EXPECT_EQ(0, FocusWindowId) << c.Name;
  }
  CapsLockRequest = 0;
}

// A window that gets the focus hands it to its control that had it last;
// the main window's keyboard reset happens either way.
TEST_F(WindowProcTest, FocusGoesBackToTheControlThatHadIt) {
  int32_t edit = AddControl("EDIT", WS_VISIBLE, 9);
  FocusWindowId = edit;
  KeysDownCount = 3;
  SendMessageA(MainWindow, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(edit, FocusWindowId);
  EXPECT_EQ(0, KeysDownCount);
  Windows[edit].Parent = 5;  // no longer a control of this window
  SendMessageA(MainWindow, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(0, FocusWindowId);
}

TEST_F(WindowProcTest, PaletteAndDisplayMessages) {
  EXPECT_EQ(1, SendMessageA(MainWindow, WM_QUERYNEWPALETTE, 0, 0));
  EXPECT_EQ(0, SendMessageA(MainWindow, WM_PALETTECHANGED, (WPARAM)MainWindow, 0)) << "its own change";
  EXPECT_EQ(1, SendMessageA(MainWindow, WM_PALETTECHANGED, (WPARAM)GetDesktopWindow(), 0));
  ScreenWidth = ScreenHeight = MaxClientWidth = MaxClientHeight = 1;
  SendMessageA(MainWindow, WM_DISPLAYCHANGE, 8, MAKELPARAM(800, 600));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), ScreenWidth);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), ScreenHeight);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), MaxClientWidth);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), MaxClientHeight);
}

TEST_F(WindowProcTest, MusicNotification) {
  const struct {
    const char* Name;
    HWND Window;
    uint32_t Device;
    WPARAM Code;
    uint8_t Before, After;
  } cases[] = {
      {"success of the open device", MainWindow, 5, 1, 0, 1},
      {"a second success", MainWindow, 5, 1, 1, 1},
      {"another device", MainWindow, 6, 1, 0, 0},
      {"not a success", MainWindow, 5, 2, 0, 0},
  };
  MusicDevice = 5;
  for (auto& c : cases) {
    MusicEndNotified = c.Before;
    EXPECT_EQ(0, SendMessageA(c.Window, 0x3B9, c.Code, c.Device)) << c.Name;
    EXPECT_EQ(c.After, MusicEndNotified) << c.Name;
  }
  MusicDevice = 0;
  MusicEndNotified = 0;
}

}  // namespace

namespace {

class PictureBoxTest : public WindowProcTest {};

// A picture box paints its picture stretched to the item rectangle; a width
// that is not a multiple of 4 paints from a copy with padded rows.
TEST_F(PictureBoxTest, PaintsStretchedThroughThePalette) {
  const struct {
    int32_t Width;
    bool Padded;
  } cases[] = {{33, true}, {32, false}, {1, true}, {4, false}};
  for (auto& c : cases) {
    int32_t box = AddControl("STATIC", SS_OWNERDRAW, 18);
    Picture picture(c.Width, 2);
    memset(picture.Data->Pixels, 200, c.Width);               // bottom row
    memset(picture.Data->Pixels + c.Width, 212, c.Width);     // top row
    picture.Data->Pixels[c.Width + c.Width - 1] = 20;        // top row, last pixel
    Windows[box].Picture = picture;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = c.Width * 2;
    info.bmiHeader.biHeight = -4;  // top-down, so row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    uint32_t* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, (void**)&bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_STATIC;
    draw.CtlID = box;
    draw.hwndItem = Windows[box].Handle;
    draw.hDC = dc;
    draw.rcItem = {0, 0, c.Width * 2, 4};
    SendMessageA(MainWindow, WM_DRAWITEM, box, (LPARAM)&draw);
    GdiFlush();

    auto rgb = [](uint8_t index) {
      uint32_t v = PaletteColors[index];  // 0x00BBGGRR
      return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
    };
    int32_t w2 = c.Width * 2;
    EXPECT_EQ(rgb(c.Width == 1 ? 20 : 212), bits[0] & 0xFFFFFF) << c.Width << ": top left";
    EXPECT_EQ(rgb(20), bits[w2 - 1] & 0xFFFFFF) << c.Width << ": top right";
    EXPECT_EQ(rgb(200), bits[3 * w2] & 0xFFFFFF) << c.Width << ": bottom left";
    EXPECT_EQ(c.Padded, Windows[box].PaddedPixels != nullptr) << c.Width;
    if (c.Padded) {
      int32_t stride = (c.Width + 3) & ~3;
      EXPECT_EQ(0, memcmp(Windows[box].PaddedPixels, picture.Data->Pixels, c.Width)) << c.Width;
      EXPECT_EQ(0, memcmp(Windows[box].PaddedPixels + stride, picture.Data->Pixels + c.Width, c.Width))
          << c.Width;
    }
    // Not a static item, or not a picture box: nothing is painted.
    bits[0] = 0x123456;
    draw.CtlType = ODT_BUTTON;
    SendMessageA(MainWindow, WM_DRAWITEM, box, (LPARAM)&draw);
    draw.CtlType = ODT_STATIC;
    Windows[box].Type = 17;
    SendMessageA(MainWindow, WM_DRAWITEM, box, (LPARAM)&draw);
    GdiFlush();
    EXPECT_EQ(0x123456u, bits[0]) << c.Width;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
}

}  // namespace
