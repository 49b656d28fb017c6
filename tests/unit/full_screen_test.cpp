// Full-screen mode on the real main window with a fake DirectDraw behind the
// creation pointer: the mode list and choice, switching on and off, every
// failure taking the way back, the refusals, following the map's size, the
// copy into the locked primary surface, and the full screen element.
#include <string.h>
#include <algorithm>
#include "base/rounding.h"
#include "fake_direct_draw.h"
#include "graphics/display_refresh.h"
#include "graphics/full_screen.h"
#include "graphics/main_map.h"
#include "graphics/surface.h"
#include "startup/runtime.h"
#include "values/map.h"
#include "values/palette.h"
#include "input/cursor_regions.h"
#include "input/input_filter.h"
#include "window/window_table.h"
#include "window_setup.h"

namespace {

// The cursor's display count, left as it was.
int CursorCount() {
  int c = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return c - 1;
}

// The calls recorded since the last look begin with these.
void ExpectCallsBegin(const std::string& expected) {
  std::string calls = TakeFakeCalls();
  EXPECT_EQ(expected, calls.substr(0, expected.size())) << "all calls: " << calls;
}

bool TopMost() { return (GetWindowLongA(MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class FullScreenTest : public MainWindowFixture {
 public:
  FARPROC SavedCreate = DirectDrawCreateProc;
  OSVERSIONINFOA SavedVersion = VersionInfo;
  int Cursor = 0;
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open();
    if (!LogPalette) BuildPaletteTables();
    StopDirectDraw();
    FullScreen = WasMaximized = 0;
    memset(&VersionInfo, 0, sizeof VersionInfo);
    SetMap(20, 15);
    RECT r = ComputeMainWindowRect();  // the window made for the map of the program
    MoveWindow(MainWindow, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    InstallFakeDirectDraw();
    RefreshDisplay();  // the first refresh shows the window
    Cursor = CursorCount();
  }
  void TearDown() override {
    if (FullScreen) SetFullScreen(false);
    StopDirectDraw();
    EXPECT_EQ(0, FakeDD.Live) << "every DirectDraw object released";
    EXPECT_EQ(Cursor, CursorCount()) << "hidden and shown as often";
    DirectDrawCreateProc = SavedCreate;
    VersionInfo = SavedVersion;
    // Paints the switches asked for are handled, so draining the queue ends.
    MSG m;
    for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); i++) DispatchMessageA(&m);
    if (MainWindow) ValidateRect(MainWindow, nullptr);
    MainWindowFixture::TearDown();
  }
  static void SetMap(int32_t w, int32_t h) {
    Maps[0].New(w, h);
    InitGraphicsSurface();
  }
  static std::string Modes() {
    std::string s;
    for (int32_t i = 0; i < DisplayModeCount; i++)
      s += std::to_string(DisplayModes[i].Width) + "x" + std::to_string(DisplayModes[i].Height) + " ";
    return s;
  }
};

TEST_F(FullScreenTest, ModeListTakesDistinctEightBitSizesInOrder) {
  FakeDD.Modes = {{1024, 768, 8}, {640, 480, 16}, {800, 600, 8},  {640, 480, 8},   {800, 600, 8},
                  {640, 400, 8},  {127, 480, 8},  {640, 127, 8},  {8193, 600, 8},  {128, 8192, 8},
                  {1024, 768, 32}, {640, 480, 8}, {320, 200, 8}};
  ASSERT_TRUE(StartDirectDraw());
  EXPECT_EQ("128x8192 320x200 640x400 640x480 800x600 1024x768 ", Modes());
  EXPECT_EQ("DirectDrawCreate; EnumDisplayModes 0", TakeFakeCalls());
  EXPECT_TRUE(StartDirectDraw());
  EXPECT_EQ("", TakeFakeCalls()) << "started once";
}

TEST_F(FullScreenTest, ModeListKeepsAtMost128) {
  FakeDD.Modes.clear();
  for (DWORD i = 0; i < 200; i++) FakeDD.Modes.push_back({8000 - i, 600, 8});
  ASSERT_TRUE(StartDirectDraw());
  ASSERT_EQ(128, DisplayModeCount);
  EXPECT_EQ(7873, DisplayModes[0].Width) << "the first 128 listed, sorted";
  EXPECT_EQ(8000, DisplayModes[127].Width);
}

TEST_F(FullScreenTest, FailedStartLeavesFullScreenUnavailable) {
  struct Case {
    const char* Name;
    void (*Script)();
    const char* Calls;
  };
  const Case cases[] = {
      {"no DDRAW.DLL", [] { DirectDrawCreateProc = nullptr; }, ""},
      {"create fails", [] { FakeDD.Create = DDERR_GENERIC; }, "DirectDrawCreate"},
      {"create gives null", [] { FakeDD.CreateGivesNull = true; }, "DirectDrawCreate"},
      {"enumeration fails", [] { FakeDD.Enum = DDERR_GENERIC; },
       "DirectDrawCreate; EnumDisplayModes 0; Release directdraw"},
      {"only 16 and 32 bits", [] { FakeDD.Modes = {{640, 480, 16}, {800, 600, 32}}; },
       "DirectDrawCreate; EnumDisplayModes 0; Release directdraw"},
  };
  for (const Case& c : cases) {
    StopDirectDraw();
    InstallFakeDirectDraw();
    c.Script();
    LONG style = GetWindowLongA(MainWindow, GWL_STYLE);
    SetFullScreen(true);
    EXPECT_EQ(c.Calls, TakeFakeCalls()) << c.Name;
    EXPECT_EQ(0, FullScreen) << c.Name;
    EXPECT_EQ(nullptr, DirectDraw) << c.Name;
    EXPECT_EQ(nullptr, DisplayModes) << c.Name;
    EXPECT_EQ(0, FakeDD.Live) << c.Name;
    EXPECT_EQ(style, GetWindowLongA(MainWindow, GWL_STYLE)) << c.Name << ": still windowed";
    SetFullScreen(true);
    EXPECT_EQ("", TakeFakeCalls()) << c.Name << ": not tried again before StopDirectDraw";
  }
}

TEST_F(FullScreenTest, ModeChoiceHoldsTheSurface) {
  struct Case {
    int32_t MapW, MapH;
    const char* Mode;
    double Zoom;
    int32_t OffsetX, OffsetY;
  } cases[] = {
      {20, 15, "640x480", 1.0, 0, 0},
      {21, 15, "800x600", 1.0, 64, 60},
      {20, 16, "800x600", 1.0, 80, 44},
      {32, 24, "1024x768", 1.0, 0, 0},
      // Larger than every mode: the largest, zoomed down by quarters (not 25/32).
      {40, 30, "1024x768", 0.75, 32, 24},
      {1, 1, "640x480", 15.0, 80, 0},
  };
  for (const auto& c : cases) {
    std::string name = std::to_string(c.MapW) + "x" + std::to_string(c.MapH);
    SetMap(c.MapW, c.MapH);
    WindowItem::OnResize(0);
    TakeFakeCalls();
    SetFullScreen(true);
    ASSERT_EQ(1, FullScreen) << name;
    std::string calls = TakeFakeCalls();
    EXPECT_NE(std::string::npos, calls.find(std::string("SetDisplayMode ") + c.Mode + "x8")) << name << calls;
    EXPECT_EQ(c.Zoom, Zoom) << name;
    EXPECT_EQ(c.OffsetX, DisplayOffsetX) << name;
    EXPECT_EQ(c.OffsetY, DisplayOffsetY) << name;
    SetFullScreen(false);
  }
}

TEST_F(FullScreenTest, SwitchOnTakesTheScreen) {
  PendingStatusText.AssignChars("status");
  StatusTextChanged = 1;
  RefreshDisplay();
  ASSERT_EQ(1, StatusBarVisible);
  TakeFakeCalls();
  SetFullScreen(true);
  ASSERT_EQ(1, FullScreen);
  ExpectCallsBegin("DirectDrawCreate; EnumDisplayModes 0; SetCooperativeLevel 13; SetDisplayMode 640x480x8; CreateSurface; "
      "CreatePalette 4; SetPalette");
  EXPECT_EQ(MainWindow, FakeDD.CooperativeWindow);
  EXPECT_EQ(108u, FakeDD.SurfaceAsked.dwSize);
  EXPECT_EQ((DWORD)DDSD_CAPS, FakeDD.SurfaceAsked.dwFlags);
  EXPECT_EQ((DWORD)DDSCAPS_PRIMARYSURFACE, FakeDD.SurfaceAsked.ddsCaps.dwCaps);
  EXPECT_EQ(FakeDD.PaletteMade, FakeDD.PaletteAttached);
  for (int i = 0; i < 256; i++) {
    PALETTEENTRY e = FakeDD.PaletteEntries[i], want = i < 224 ? LogPalette->palPalEntry[i] : PALETTEENTRY{0, 0, 0, 0};
    ASSERT_TRUE(e.peRed == want.peRed && e.peGreen == want.peGreen && e.peBlue == want.peBlue) << "entry " << i;
  }
  EXPECT_EQ((uint32_t)(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU),
            (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE));
  EXPECT_EQ((uint32_t)WS_EX_CONTROLPARENT, (uint32_t)GetWindowLongA(MainWindow, GWL_EXSTYLE) & ~(uint32_t)WS_EX_TOPMOST);
  EXPECT_TRUE(TopMost());
  EXPECT_EQ(640, MaxClientWidth);
  EXPECT_EQ(480, MaxClientHeight);
  EXPECT_EQ(640, ScreenWidth);
  EXPECT_EQ(480, ScreenHeight);
  EXPECT_EQ(640, MainClientWidth);
  EXPECT_EQ(480, MainClientHeight);
  EXPECT_EQ(0, StatusBarVisible) << "no status bar in full screen";
  RefreshDisplay();
  EXPECT_EQ(0, StatusBarVisible) << "a status text keeps it hidden";
  EXPECT_TRUE(StatusText.Equals(PendingStatusText)) << "but is set in the bar";
}

TEST_F(FullScreenTest, SwitchOffRestoresTheWindow) {
  RECT before = WindowRect();
  PendingStatusText.AssignChars("status");
  StatusTextChanged = 1;
  SetFullScreen(true);
  RefreshDisplay();
  TakeFakeCalls();
  SetFullScreen(false);
  ExpectCallsBegin("RestoreDisplayMode; SetCooperativeLevel 8; Release palette; Release surface; Release directdraw");
  EXPECT_EQ(0, FullScreen);
  EXPECT_EQ(0, DirectDrawTried);
  EXPECT_EQ(nullptr, PrimarySurface);
  EXPECT_EQ(MainWindowStyle, (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE) & ~(uint32_t)WS_VISIBLE);
  EXPECT_EQ(MainWindowExStyle, (uint32_t)GetWindowLongA(MainWindow, GWL_EXSTYLE));
  EXPECT_FALSE(TopMost());
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), MaxClientWidth);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), ScreenHeight);
  RECT client = ClientRect();
  EXPECT_EQ(640, client.right);
  RefreshDisplay();
  EXPECT_EQ(1, StatusBarVisible) << "the status text is shown again";
  EXPECT_EQ(640, MainClientWidth);
  EXPECT_EQ(480, MainClientHeight);
  RECT after = WindowRect();
  EXPECT_EQ((before.left + before.right) / 2, (after.left + after.right) / 2) << "centred where it was";
  // A second switch-on starts DirectDraw and lists the modes again.
  SetFullScreen(true);
  ExpectCallsBegin("DirectDrawCreate; EnumDisplayModes 0");
  EXPECT_EQ(1, FullScreen);
}

TEST_F(FullScreenTest, EveryFailureTakesTheWayBack) {
  struct Case {
    const char* Name;
    void (*Script)();
    int32_t Released;  // objects made during the try, all released
  };
  const Case cases[] = {
      {"cooperative level", [] { FakeDD.Cooperative = DDERR_GENERIC; }, 1},
      {"display mode", [] { FakeDD.DisplayModeResults = {DDERR_GENERIC}; }, 1},
      {"surface fails", [] { FakeDD.Surface = DDERR_GENERIC; }, 1},
      {"surface null", [] { FakeDD.SurfaceGivesNull = true; }, 1},
      {"palette fails", [] { FakeDD.Palette = DDERR_GENERIC; }, 2},
      {"palette null", [] { FakeDD.PaletteGivesNull = true; }, 2},
  };
  for (const Case& c : cases) {
    InstallFakeDirectDraw();
    c.Script();
    SetFullScreen(true);
    std::string calls = TakeFakeCalls();
    EXPECT_EQ(0, FullScreen) << c.Name;
    EXPECT_NE(std::string::npos, calls.find("RestoreDisplayMode; SetCooperativeLevel 8")) << c.Name << ": " << calls;
    EXPECT_EQ(0, FakeDD.Live) << c.Name;
    EXPECT_EQ(nullptr, DirectDraw) << c.Name;
    EXPECT_EQ(nullptr, PrimarySurface) << c.Name;
    EXPECT_EQ(nullptr, DirectDrawPalette) << c.Name;
    EXPECT_EQ(0, DirectDrawTried) << c.Name << ": the next request tries again";
    EXPECT_EQ(MainWindowStyle, (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE) & ~(uint32_t)WS_VISIBLE) << c.Name;
    EXPECT_FALSE(TopMost()) << c.Name;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), ScreenWidth) << c.Name;
    EXPECT_EQ(640, ClientRect().right) << c.Name;
    EXPECT_EQ(Cursor, CursorCount()) << c.Name;
  }
}

TEST_F(FullScreenTest, RefusedRequestsChangeNothing) {
  struct Case {
    const char* Name;
    void (*Set)();
    void (*Undo)();
    const char* Calls;
  };
  const Case cases[] = {
      {"dialog mode", [] { DialogMode = 1; }, [] { DialogMode = 0; }, "DirectDrawCreate; EnumDisplayModes 0"},
      {"program window current", [] { CurrentWindowId = 1; }, [] { CurrentWindowId = 0; },
       "DirectDrawCreate; EnumDisplayModes 0"},
      {"NT 4", [] { VersionInfo.dwPlatformId = VER_PLATFORM_WIN32_NT, VersionInfo.dwMajorVersion = 4; },
       [] { memset(&VersionInfo, 0, sizeof VersionInfo); }, "DirectDrawCreate; EnumDisplayModes 0"},
  };
  for (const Case& c : cases) {
    StopDirectDraw();
    InstallFakeDirectDraw();
    c.Set();
    LONG style = GetWindowLongA(MainWindow, GWL_STYLE);
    SetFullScreen(true);
    EXPECT_EQ(c.Calls, TakeFakeCalls()) << c.Name;
    EXPECT_EQ(0, FullScreen) << c.Name;
    EXPECT_EQ(style, GetWindowLongA(MainWindow, GWL_STYLE)) << c.Name;
    c.Undo();
  }
  StopDirectDraw();
  InstallFakeDirectDraw();
  SetFullScreen(false);
  EXPECT_EQ("", TakeFakeCalls()) << "off when already off";
  SetFullScreen(true);
  TakeFakeCalls();
  SetFullScreen(true);
  EXPECT_EQ("", TakeFakeCalls()) << "on when already on";
  VersionInfo.dwPlatformId = VER_PLATFORM_WIN32_NT;
  VersionInfo.dwMajorVersion = 4;
  SetFullScreen(false);
  EXPECT_EQ(1, FullScreen) << "NT 4 refuses the way back too";
  memset(&VersionInfo, 0, sizeof VersionInfo);
}

TEST_F(FullScreenTest, AltEnterTogglesInGraphicsModeOnly) {
  MSG m = {MainWindow, WM_SYSKEYDOWN, VK_RETURN, 0x201C0001, 0, {0, 0}};
  EXPECT_TRUE(ProcessInputMessage(&m));
  EXPECT_EQ(1, FullScreen);
  EXPECT_TRUE(ProcessInputMessage(&m));
  EXPECT_EQ(0, FullScreen);
  CurrentWindowId = 1;
  EXPECT_TRUE(ProcessInputMessage(&m));
  EXPECT_EQ(0, FullScreen) << "a program window is current";
  CurrentWindowId = 0;
}

TEST_F(FullScreenTest, MaximizedWindowIsMaximizedAgain) {
  ShowWindow(MainWindow, SW_SHOWMAXIMIZED);
  ASSERT_TRUE(IsZoomed(MainWindow));
  double zoom = WindowedZoom;
  SetFullScreen(true);
  EXPECT_EQ(1, WasMaximized);
  SetFullScreen(false);
  EXPECT_TRUE(IsZoomed(MainWindow));
  EXPECT_EQ(zoom, WindowedZoom);
  ShowWindow(MainWindow, SW_RESTORE);
}

// Fault mended: the way back used to drop a topmost main window behind others.
TEST_F(FullScreenTest, TopmostMainWindowStaysTopmost) {
  Windows[0].TopMost = 1;
  MainWindowExStyle |= WS_EX_TOPMOST;
  SetWindowPos(MainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  SetFullScreen(true);
  SetFullScreen(false);
  EXPECT_TRUE(TopMost());
  Windows[0].TopMost = 0;
  MainWindowExStyle &= ~WS_EX_TOPMOST;
  SetFullScreen(true);
  SetFullScreen(false);
  EXPECT_FALSE(TopMost());
}

// Fault mended: a frame or caption change in full screen changed the
// full-screen window itself; it changes the windowed style, which leaving
// full screen applies.
TEST_F(FullScreenTest, FrameChangedInFullScreenAppliesWhenLeaving) {
  Windows[0].HasFrame = 1;
  Windows[0].HasCaption = 1;
  WindowItem::ApplyFrameStyle(0);
  uint32_t framed = (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE);
  SetFullScreen(true);
  uint32_t full = (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE);
  Windows[0].HasFrame = 0;
  Windows[0].HasCaption = 0;
  WindowItem::ApplyFrameStyle(0);
  EXPECT_EQ(full, (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE)) << "the full-screen window keeps its style";
  EXPECT_EQ(0u, MainWindowStyle & WS_CAPTION) << "the windowed style lost its caption";
  SetFullScreen(false);
  uint32_t now = (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE);
  EXPECT_EQ(0u, now & WS_CAPTION) << std::hex << now;
  EXPECT_NE(framed, now) << "leaving full screen applied the change";
  Windows[0].HasFrame = 1;
  Windows[0].HasCaption = 1;
  WindowItem::ApplyFrameStyle(0);
  EXPECT_EQ(framed, (uint32_t)GetWindowLongA(MainWindow, GWL_STYLE)) << "windowed, the change applies at once";
}

// Fault mended: switched on before the first refresh, the window stayed
// hidden and without the focus.
TEST_F(FullScreenTest, BeforeTheFirstRefreshTheWindowIsShownAndFocused) {
  ShowWindow(MainWindow, SW_HIDE);
  SetFocus(nullptr);
  MainWindowShown = 0;
  SetFullScreen(true);
  EXPECT_TRUE(IsWindowVisible(MainWindow));
  EXPECT_EQ(MainWindow, GetFocus());
  EXPECT_EQ(1, MainWindowShown);
}

TEST_F(FullScreenTest, ActivationRestoresThePrimarySurface) {
  SendMessageA(MainWindow, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ("", TakeFakeCalls()) << "windowed";
  SetFullScreen(true);
  TakeFakeCalls();
  SendMessageA(MainWindow, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ("Restore", TakeFakeCalls());
  SendMessageA(MainWindow, WM_DISPLAYCHANGE, 8, MAKELPARAM(640, 480));
  EXPECT_EQ(640, MaxClientWidth) << "the mode's size is kept in full screen";
  EXPECT_EQ(480, ScreenHeight);
}

TEST_F(FullScreenTest, MapOfAnotherSizeReselectsTheMode) {
  SetFullScreen(true);
  TakeFakeCalls();
  int cursor = CursorCount();
  Maps[0].New(20, 15);
  MainMapAssigned();
  EXPECT_EQ(std::string::npos, TakeFakeCalls().find("SetDisplayMode")) << "same size";
  Maps[0].New(20, 14);
  MainMapAssigned();
  EXPECT_EQ(std::string::npos, TakeFakeCalls().find("SetDisplayMode")) << "the same mode holds it";
  Maps[0].New(25, 18);
  MainMapAssigned();
  ExpectCallsBegin("SetDisplayMode 800x600x8; Release palette; Release surface; CreateSurface; CreatePalette 4; SetPalette");
  EXPECT_EQ(800, MaxClientWidth);
  EXPECT_EQ(600, ScreenHeight);
  EXPECT_EQ(800, MainClientWidth);
  EXPECT_EQ(1, FullScreen);
  EXPECT_EQ(3, FakeDD.Live) << "DirectDraw, one surface, one palette";
  EXPECT_EQ(cursor, CursorCount());
  // A failed mode change keeps the old mode; the surface is shown zoomed in it.
  FakeDD.DisplayModeResults = {DDERR_GENERIC};
  Maps[0].New(40, 30);
  MainMapAssigned();
  ExpectCallsBegin("SetDisplayMode 1024x768x8");
  EXPECT_EQ(800, MaxClientWidth);
  EXPECT_EQ(1, FullScreen);
  EXPECT_NE(nullptr, PrimarySurface);
  EXPECT_EQ(0.5, Zoom);
  EXPECT_EQ(cursor, CursorCount());
  // A failed surface ends full screen.
  FakeDD.Surface = DDERR_GENERIC;
  Maps[0].New(20, 15);
  MainMapAssigned();
  EXPECT_EQ(0, FullScreen);
  EXPECT_EQ(0, FakeDD.Live);
  EXPECT_EQ(640, ClientRect().right);
  EXPECT_EQ(cursor, CursorCount());
}

// The copy into the locked surface: rows turned top-down, placed at the
// display offset, clipped to what the lock gives.
TEST_F(FullScreenTest, CopyIntoTheLockedSurface) {
  struct Case {
    int32_t X, Y, W, H, LockW, LockH;
  } cases[] = {
      {0, 0, 3, 2, 640, 480},   {5, 7, 4, 3, 640, 480},  {-2, -1, 4, 3, 640, 480},
      {637, 478, 5, 4, 640, 480}, {0, 0, 640, 480, 320, 200}, {700, 10, 5, 5, 640, 480},
  };
  SetFullScreen(true);
  for (const auto& c : cases) {
    FakeDD.LockWidth = c.LockW;
    FakeDD.LockHeight = c.LockH;
    FakeDD.LockPitch = (c.LockW + 7) & ~7;
    size_t bytes = (size_t)FakeDD.LockPitch * c.LockH;
    FakeDD.LockBuffer.assign(bytes + LockGuardBytes, 0xEE);
    std::vector<uint8_t> source((size_t)c.W * c.H);
    for (size_t i = 0; i < source.size(); i++) source[i] = (uint8_t)(i % 200 + 1);
    TakeFakeCalls();
    // Rows bottom-up: source row 0 is the lowest, shown at y + h - 1.
    ASSERT_TRUE(CopyToPrimarySurface(source.data(), c.W, c.X, c.Y, c.W, c.H));
    EXPECT_EQ("Lock whole 21; Unlock", TakeFakeCalls());
    std::string name = std::to_string(c.X) + "," + std::to_string(c.Y) + " " + std::to_string(c.W) + "x" +
                       std::to_string(c.H) + " in " + std::to_string(c.LockW);
    for (int32_t y = 0; y < c.LockH; y++)
      for (int32_t x = 0; x < FakeDD.LockPitch; x++) {
        int32_t sx = x - c.X, sy = c.H - 1 - (y - c.Y);
        bool inside = x < c.LockW && sx >= 0 && sx < c.W && sy >= 0 && sy < c.H;
        uint8_t want = inside ? source[(size_t)sy * c.W + sx] : 0xEE;
        ASSERT_EQ(want, FakeDD.LockBuffer[(size_t)y * FakeDD.LockPitch + x]) << name << " at " << x << "," << y;
      }
    for (size_t i = bytes; i < FakeDD.LockBuffer.size(); i++)
      ASSERT_EQ(0xEE, FakeDD.LockBuffer[i]) << name << ": written past the surface";
  }
}

TEST_F(FullScreenTest, FailedLockOrOtherFormatLeavesTheCopyToGdi) {
  uint8_t pixel = 5;
  EXPECT_FALSE(CopyToPrimarySurface(&pixel, 1, 0, 0, 1, 1)) << "no primary surface";
  SetFullScreen(true);
  TakeFakeCalls();
  FakeDD.LockBuffer.assign(FakeDD.LockBuffer.size(), 0xEE);
  FakeDD.Lock = DDERR_SURFACELOST;
  EXPECT_FALSE(CopyToPrimarySurface(&pixel, 1, 0, 0, 1, 1));
  EXPECT_EQ("Lock whole 21", TakeFakeCalls()) << "no unlock after a failed lock";
  FakeDD.Lock = DD_OK;
  FakeDD.LockBits = 16;
  EXPECT_FALSE(CopyToPrimarySurface(&pixel, 1, 0, 0, 1, 1));
  EXPECT_EQ("Lock whole 21; Unlock", TakeFakeCalls());
  EXPECT_EQ(0xEE, FakeDD.LockBuffer[0]);
}

// The refresh in full screen writes the frame buffer into the surface, at
// the display offset and zoomed by a quarter step.
TEST_F(FullScreenTest, RefreshWritesThePrimarySurface) {
  struct Case {
    int32_t MapW, MapH, LockW, LockH;
  } cases[] = {{20, 15, 640, 480}, {21, 15, 800, 600}, {40, 30, 1024, 768}};
  for (const auto& c : cases) {
    SetMap(c.MapW, c.MapH);
    InstallFakeDirectDraw(c.LockW, c.LockH);
    SetFullScreen(true);
    ASSERT_EQ(1, FullScreen);
    for (int64_t i = 0; i < (int64_t)SurfaceStride * SurfaceHeight; i++) FrameBuffer[i] = (uint8_t)(i * 7 % 251 + 2);
    memset(DirtyTiles, 0, (size_t)TileColumns * TileRows);
    SetDirtyRectWhole();
    FakeDD.LockBuffer.assign(FakeDD.LockBuffer.size(), 0xEE);
    CopyDirtyRectToWindow();
    std::string name = std::to_string(c.MapW) + "x" + std::to_string(c.MapH);
    for (int32_t y = 0; y < c.LockH; y += 3)
      for (int32_t x = 0; x < c.LockW; x += 5) {
        int32_t dx = x - DisplayOffsetX, dy = y - DisplayOffsetY;
        if (dx < 0 || dy < 0 || dx >= DisplayWidth || dy >= DisplayHeight) continue;
        int32_t sx = std::min(RoundToInt(dx / Zoom), SurfaceWidth - 1);
        int32_t sy = SurfaceHeight - 1 - std::min(RoundToInt(dy / Zoom), SurfaceHeight - 1);
        ASSERT_EQ(FrameBuffer[(int64_t)sy * SurfaceStride + sx], FakeDD.LockBuffer[(size_t)y * FakeDD.LockPitch + x])
            << name << " at " << x << "," << y;
      }
    SetFullScreen(false);
  }
}

// The background around the surface is painted black through the surface's
// device context.
TEST_F(FullScreenTest, MarginsAreBlack) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 1024, -768, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  uint32_t* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void**)&bits, nullptr, 0);
  ASSERT_NE(nullptr, bitmap);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int i = 0; i < 1024 * 768; i++) bits[i] = 0xFFFFFF;
  SetMap(40, 30);
  InstallFakeDirectDraw(1024, 768);
  FakeDD.GetDC = DD_OK;
  FakeDD.SurfaceDC = dc;
  SetFullScreen(true);
  ASSERT_EQ(1, FullScreen);
  GdiFlush();
  ASSERT_EQ(32, DisplayOffsetX);
  ASSERT_EQ(24, DisplayOffsetY);
  const POINT margins[] = {{0, 0}, {1023, 0}, {31, 400}, {992, 400}, {500, 23}, {500, 744}, {1023, 767}};
  for (POINT p : margins) EXPECT_EQ(0u, bits[p.y * 1024 + p.x] & 0xFFFFFF) << p.x << "," << p.y;
  EXPECT_EQ(0xFFFFFFu, bits[400 * 1024 + 500] & 0xFFFFFF) << "the surface itself went through the lock";
  SetFullScreen(false);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// In full screen the program's own arrow stands for the system's, also
// outside the surface, where the position is clamped into it.
TEST_F(FullScreenTest, FullScreenCursor) {
  SetFullScreen(true);
  SetCursor(ArrowCursor);
  EXPECT_TRUE(ApplyCursorRegion(5, 5));
  EXPECT_EQ(FullScreenCursor, GetCursor());
  SetCursor(ArrowCursor);
  EXPECT_TRUE(ApplyCursorRegion(-50, 900)) << "clamped into the surface";
  EXPECT_EQ(FullScreenCursor, GetCursor());
  SetFullScreen(false);
  SetCursor(ArrowCursor);
  EXPECT_FALSE(ApplyCursorRegion(-5, -5)) << "windowed, outside the surface";
}

// The full screen element: the set form, the toggle and the value, each
// through SetFullScreen.
TEST_F(FullScreenTest, FullScreenElementSetsTogglesAndReads) {
  const char* source = R"(
global
  main: function "Main caption" -> main_def
  b1: logic = false
  b2: logic = false
  b3: logic = false
local
  main_def: function -> main_body
program
  main_body: function
    full_screen
      true
    @b1
      full_screen
    full_screen
    @b2
      full_screen
    full_screen
    full_screen
      false
    @b3
      full_screen
)";
  ProgramTest::SetUp();
  ASSERT_TRUE(LoadTestProgram(source));
  ASSERT_TRUE(CompileProgram());
  SetMap(20, 15);
  Run();
  EXPECT_EQ(1, Logics[GlobalItemLinks[1].DataIndex]) << "set on";
  EXPECT_EQ(0, Logics[GlobalItemLinks[2].DataIndex]) << "toggled off";
  EXPECT_EQ(0, Logics[GlobalItemLinks[3].DataIndex]) << "toggled on, then set off";
  EXPECT_EQ(0, FullScreen);
  std::string calls = TakeFakeCalls();
  size_t on = 0, at = 0;
  while ((at = calls.find("SetCooperativeLevel 13", at)) != std::string::npos) on++, at++;
  EXPECT_EQ(2u, on) << calls;
}

}  // namespace
