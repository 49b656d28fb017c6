// The main window in the test process: creation, caption from the image,
// rectangle arithmetic, the status bar and the texts the program requests.
#include "window_setup.h"
#include <commctrl.h>
#include "image/image_texts.h"

namespace {

TEST(CaptionText, CutAtCarriageReturn) {
  const struct {
    const char* In;
    int32_t Length;
    const char* Out;
  } cases[] = {{"plain", 5, "plain"},       {"two\rlines", 9, "two"},  {"\rfirst", 6, ""},
               {"end\r", 4, "end"},          {"a\r\rb", 4, "a"},       {"", 0, ""},
               {"line\nfeed", 9, "line\nfeed"}, {"zero\0\rafter", 11, "zero\0\rafter"}};
  for (auto& c : cases) {
    Text t(c.In, c.Length);
    CutAtCarriageReturn(t);
    std::string want = c.Out;
    if (c.Length == 11) want.assign(c.Out, 11);  // a zero byte ends the search
    EXPECT_EQ(want, std::string(t.Chars(), t.Length())) << c.In;
  }
}

class MainWindowTest : public MainWindowFixture {};

TEST_F(MainWindowTest, CaptionFromTheMainFunctionsDeclaration) {
  const struct {
    const char* Name;
    const char* Globals;  // the GLOBAL items
    const char* Expected;
  } cases[] = {
      {"the declaration's text", "function datatable=3 dataindex=0 textindex=1", "second"},
      {"the last declaration wins",
       "function datatable=3 dataindex=0 textindex=0\n  real datatable=6 dataindex=0\n"
       "  function datatable=3 dataindex=0 textindex=2",
       "third"},
      {"another function's declaration", "function datatable=3 dataindex=1 textindex=0", ""},
      {"a declaration of data table 4", "function datatable=4 dataindex=0 textindex=0", ""},
      {"text index beyond the texts", "function datatable=3 dataindex=0 textindex=3", ""},
      {"no text index", "function datatable=3 dataindex=0", ""},
      {"no declaration", "", ""},
  };
  for (auto& c : cases) {
    ResetImageLists();
    for (const char* t : {"first", "second", "third"}) Texts.Append(Text(t));
    Assemble(std::string("global\n  ") + c.Globals + "\n");
    GlobalItems = Global.Items.data();
    GlobalItemCount = Global.Count();
    Text caption = MainFunctionCaption();
    EXPECT_EQ(std::string(c.Expected), caption.Chars()) << c.Name;
  }
}

TEST_F(MainWindowTest, CreatedHiddenWithItsClassEntryAndBar) {
  Open();
  char name[64];
  GetClassNameA(MainWindow, name, sizeof name);
  EXPECT_STREQ("YeltoProgClass", name);
  char title[64];
  GetWindowTextA(MainWindow, title, sizeof title);
  EXPECT_STREQ("Main caption", title);
  EXPECT_FALSE(IsWindowVisible(MainWindow)) << "shown only by the first refresh";
  EXPECT_EQ(0, GetWindowLongA(MainWindow, 0)) << "the table index in the extra word";
  EXPECT_EQ(InitialMainWindowStyle, (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE) & 0xFFFF0000u);

  ASSERT_TRUE(Windows.IsLive(0));
  EXPECT_EQ(1, Windows.Count);
  WindowItem& item = Windows[0];
  EXPECT_EQ(MainWindow, item.Handle);
  EXPECT_EQ(-1, item.Parent);
  EXPECT_EQ(0, item.Type);
  EXPECT_TRUE(item.Text.EqualsChars("Main caption"));
  EXPECT_EQ(1, item.Visible);
  EXPECT_EQ(1, item.HasFrame);
  EXPECT_EQ(1, item.HasCaption);
  EXPECT_EQ(ButtonFaceBrush, item.BackBrush);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF, item.BackColor);
  EXPECT_EQ(GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF, item.TextColor);

  ASSERT_NE(nullptr, StatusBar);
  EXPECT_EQ(StatusBar, GetDlgItem(MainWindow, StatusBarId));
  GetClassNameA(StatusBar, name, sizeof name);
  EXPECT_STREQ(STATUSCLASSNAMEA, name);
  EXPECT_FALSE(IsWindowVisible(StatusBar));
  EXPECT_EQ(ArrowCursor, EmptyIconData.Cursor);
  EXPECT_NE(nullptr, ArrowCursor);
  EXPECT_NE(nullptr, FullScreenCursor) << "cursor resource 4";

  // The default 15 x 10 main map at zoom 1, centred on the start-up centre.
  RECT c = ClientRect(), r = WindowRect();
  EXPECT_EQ(480, c.right);
  EXPECT_EQ(320, c.bottom);
  EXPECT_EQ(480, MainClientWidth);
  EXPECT_EQ(320, MainClientHeight);
  EXPECT_EQ(480, item.ClientWidth);
  EXPECT_EQ(r.left, item.X);
  EXPECT_EQ(r.bottom - r.top, item.Height);
  EXPECT_NEAR(MaxClientWidth / 2, (r.left + r.right) / 2, 1);
  EXPECT_NEAR(MaxClientHeight / 2, (r.top + r.bottom) / 2, 1);
  EXPECT_EQ((r.left + r.right) / 2, WindowCenterX) << "the centre follows the window";
}

// Outer rectangle from a client size: the frame of the styles, the bar,
// limits of the screen, centring and no negative coordinates.
TEST_F(MainWindowTest, CentredWindowRectangle) {
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, MainWindowExStyle);
  int32_t fw = frame.right - frame.left, fh = frame.bottom - frame.top;
  const struct {
    const char* Name;
    int32_t W, H, Bar, CenterX, CenterY, ScreenW, ScreenH;
    int32_t Left, Top, Width, Height;  // expected; -1 width or height: client + frame (+ bar)
  } cases[] = {
      {"centred", 200, 100, 0, 500, 400, 1024, 768, 500 - (200 + fw) / 2, 400 - (100 + fh) / 2, -1, -1},
      {"with the bar", 200, 100, 20, 500, 400, 1024, 768, 500 - (200 + fw) / 2, 400 - (120 + fh) / 2, -1, -1},
      {"left edge below 0", 800, 100, 0, 100, 400, 1024, 768, 0, 400 - (100 + fh) / 2, -1, -1},
      {"top edge below 0", 200, 600, 0, 500, 50, 1024, 768, 500 - (200 + fw) / 2, 0, -1, -1},
      {"wider than the screen", 2000, 100, 0, 500, 400, 1024, 768, 0, 400 - (100 + fh) / 2, 1024, -1},
      {"taller than the screen", 200, 1000, 30, 500, 400, 1024, 768, 500 - (200 + fw) / 2, 16, -1, 768},
  };
  for (auto& c : cases) {
    WindowCenterX = c.CenterX;
    WindowCenterY = c.CenterY;
    ScreenWidth = c.ScreenW;
    ScreenHeight = c.ScreenH;
    RECT r = CentredWindowRect(c.W, c.H, c.Bar);
    int32_t w = c.Width < 0 ? c.W + fw : c.Width, h = c.Height < 0 ? c.H + fh + c.Bar : c.Height;
    EXPECT_EQ(c.Left, r.left) << c.Name;
    EXPECT_EQ(c.Top, r.top) << c.Name;
    EXPECT_EQ(w, r.right - r.left) << c.Name;
    EXPECT_EQ(h, r.bottom - r.top) << c.Name;
  }
}

// The main map's size times the windowed zoom, rounded up, limited to the screen.
TEST_F(MainWindowTest, MainWindowRectFollowsTheMainMapAndZoom) {
  const struct {
    int32_t MapW, MapH;
    double Zoom;
    int32_t ClientW, ClientH;
  } cases[] = {{15, 10, 1.0, 480, 320}, {4, 3, 1.5, 192, 144}, {3, 3, 1.0 / 32 * 33, 99, 99},
               {100, 2, 1.0, 100000, 64}};
  Open();
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, MainWindowExStyle);
  for (auto& c : cases) {
    Maps.RemoveAll();
    Maps.AppendNew(c.MapW, c.MapH);
    WindowedZoom = c.Zoom;
    RECT r = ComputeMainWindowRect();
    int32_t w = std::min<int32_t>(std::min(c.ClientW, ScreenWidth) + frame.right - frame.left, ScreenWidth);
    int32_t h = std::min<int32_t>(std::min(c.ClientH, ScreenHeight) + frame.bottom - frame.top, ScreenHeight);
    EXPECT_EQ(w, r.right - r.left) << c.MapW << "x" << c.MapH << " zoom " << c.Zoom;
    EXPECT_EQ(h, r.bottom - r.top) << c.MapW << "x" << c.MapH << " zoom " << c.Zoom;
  }
}

// Showing the bar grows the window by its height and hiding it shrinks it:
// the client area for the graphics keeps its size.
TEST_F(MainWindowTest, StatusBarKeepsTheGraphicsArea) {
  Open();
  RECT before = WindowRect();
  int32_t b = StatusBarHeight();
  ASSERT_GT(b, 0);
  const struct {
    bool On;
    int32_t Grown;  // window height minus the height before
  } steps[] = {{true, b}, {true, b}, {false, 0}, {false, 0}, {true, b}};
  for (auto& s : steps) {
    ShowStatusBar(s.On);
    RECT r = WindowRect();
    EXPECT_EQ(s.Grown, (r.bottom - r.top) - (before.bottom - before.top)) << s.On;
    EXPECT_EQ(s.On, (GetWindowLongA(StatusBar, GWL_STYLE) & WS_VISIBLE) != 0) << s.On;
    EXPECT_EQ(s.On, StatusBarVisible != 0);
    EXPECT_EQ(480, MainClientWidth) << s.On;
    EXPECT_EQ(320, MainClientHeight) << s.On;
    EXPECT_EQ(320, MainClientRect.bottom - MainClientRect.top) << s.On;
  }
}

// Counts the WM_SETTEXT messages the main window gets.
WNDPROC PreviousProc;
int32_t SetTextCount;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_SETTEXT) SetTextCount++;
  return CallWindowProcA(PreviousProc, w, m, wp, lp);
}

std::string WindowText(HWND w) {
  char text[256] = "";
  SendMessageA(w, WM_GETTEXT, sizeof text, (LPARAM)text);
  return text;
}

// The refresh applies what the program requested, cut at the first carriage
// return, and the requested texts themselves are cut in place.
TEST_F(MainWindowTest, PendingTextsApplied) {
  Open();
  PreviousProc = (WNDPROC)SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, (LONG_PTR)CountingProc);
  SetTextCount = 0;
  const struct {
    const char* Name;
    const char* Caption;  // null: no caption request
    const char* Status;   // null: no status request
    const char* ShownCaption;
    const char* ShownStatus;
    bool BarVisible;
    int32_t SetTexts;  // WM_SETTEXT to the main window so far
  } steps[] = {
      {"caption with a second line", "New\rsecond line", nullptr, "New", "", false, 1},
      {"same caption again", "New", nullptr, "New", "", false, 1},
      {"status shows the bar", nullptr, "Ready\rmore", "New", "Ready", true, 1},
      {"another status", nullptr, "Busy", "New", "Busy", true, 1},
      {"empty status hides the bar", nullptr, "", "New", "", false, 1},
      {"status that is only a second line", nullptr, "\rhidden", "New", "", false, 1},
      {"both", "Both", "Set", "Both", "Set", true, 2},
  };
  for (auto& s : steps) {
    if (s.Caption) {
      PendingCaption = Text(s.Caption);
      CaptionChanged = 1;
    }
    if (s.Status) {
      PendingStatusText = Text(s.Status);
      StatusTextChanged = 1;
    }
    ApplyPendingTexts();
    EXPECT_EQ(0, CaptionChanged) << s.Name;
    EXPECT_EQ(0, StatusTextChanged) << s.Name;
    EXPECT_EQ(s.ShownCaption, WindowText(MainWindow)) << s.Name;
    EXPECT_EQ(s.ShownCaption, std::string(Caption.Chars())) << s.Name;
    EXPECT_EQ(s.ShownCaption, std::string(PendingCaption.Chars())) << s.Name << ": cut in place";
    EXPECT_TRUE(Windows[0].Text.Equals(Caption)) << s.Name;
    EXPECT_EQ(s.ShownStatus, WindowText(StatusBar)) << s.Name;
    EXPECT_EQ(s.ShownStatus, std::string(PendingStatusText.Chars())) << s.Name;
    EXPECT_EQ(s.BarVisible, StatusBarVisible != 0) << s.Name;
    EXPECT_EQ(s.SetTexts, SetTextCount) << s.Name;
  }
  SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, (LONG_PTR)PreviousProc);
}

// The caption and status elements: the command stores the request, the value
// reads it back as requested, before and after the refresh cuts it.
TEST_F(MainWindowTest, CaptionAndStatusElements) {
  Open(R"(
global
  main: function "Main caption" -> main_def
  c1: text = ""
  s1: text = ""
  c2: text = ""
local
  main_def: function -> main_body
program
  main_body: function
    caption
      text_const "Title\rrest"
    status_text
      text_const "Line\rrest"
    @c1
      caption
    @s1
      status_text
    wait
    @c2
      caption
)");
  Pump.WaitTicks = [](int32_t) { ApplyPendingTexts(); };
  Run();
  EXPECT_TRUE(Texts[GlobalItemLinks[1].DataIndex].EqualsChars("Title\rrest"));
  EXPECT_TRUE(Texts[GlobalItemLinks[2].DataIndex].EqualsChars("Line\rrest"));
  EXPECT_TRUE(Texts[GlobalItemLinks[3].DataIndex].EqualsChars("Title"));
  EXPECT_EQ("Title", WindowText(MainWindow));
  EXPECT_EQ("Line", WindowText(StatusBar));
}

// The language switch gives the caption and the status line their texts in
// the new language when they are image texts; texts built at run time stay.
TEST_F(MainWindowTest, LanguageSwitchReplacesImageTexts) {
  const struct {
    const char* Name;
    bool StatusFromImage;
    const char* Status;
  } cases[] = {{"status from the image", true, "Pripraven"}, {"status built at run time", false, "built"}};
  for (auto& c : cases) {
    SetUp();
    Open(R"(
languages 9 5
global
  main: function {9:"Hello" 5:"Ahoj"} -> main_def
local
  main_def: function -> main_body
program
  main_body: function
texts {9:"Ready" 5:"Pripraven"}
)");
    Text status = c.StatusFromImage ? Texts[0] : Text("built");  // the texts line comes first
    PendingStatusText = status;
    StatusTextChanged = 1;
    ApplyPendingTexts();
    SwitchLanguage(5);
    EXPECT_EQ("Ahoj", WindowText(MainWindow)) << c.Name;
    EXPECT_TRUE(Caption.EqualsChars("Ahoj")) << c.Name;
    EXPECT_EQ(c.Status, WindowText(StatusBar)) << c.Name;
    SwitchLanguage(9);
    EXPECT_EQ("Hello", WindowText(MainWindow)) << c.Name << ": back again";
    TearDown();
  }
}

// A window brought to the front at exit: the first one below the main window
// that looks like another program's main window.
TEST_F(MainWindowTest, ForegroundAtExit) {
  Open();
  const struct {
    const char* Name;
    DWORD Style;
    bool Picked;
  } cases[] = {
      {"overlapped and visible", WS_OVERLAPPEDWINDOW | WS_VISIBLE, true},
      {"hidden", WS_OVERLAPPEDWINDOW, false},
      {"no maximize box", (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_VISIBLE, false},
      {"disabled", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_DISABLED, false},
      {"popup", WS_POPUP | WS_OVERLAPPEDWINDOW | WS_VISIBLE, false},
  };
  for (auto& c : cases) {
    HWND other = CreateWindowExA(0, "STATIC", "other", c.Style, 0, 0, 50, 50, nullptr, nullptr, Instance, nullptr);
    ASSERT_NE(nullptr, other) << c.Name;
    // Every other window of the test goes to the bottom, the new one just below the main window.
    SetWindowPos(MainWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(other, MainWindow, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ForegroundAtExit = nullptr;
    PickForegroundAtExit();
    if (GetWindow(MainWindow, GW_HWNDNEXT) != other) {
      ADD_FAILURE() << c.Name << ": the window did not go below the main window";
    } else if (c.Picked) {
      EXPECT_EQ(other, ForegroundAtExit) << c.Name;
    } else {
      EXPECT_NE(other, ForegroundAtExit) << c.Name;
    }
    DestroyWindow(other);
  }
}

}  // namespace
