// The transparent command in the test process: a backdrop window of a known
// colour lies under the real main window; the layer becomes the backdrop,
// black where the surface lies off the screen.
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include "code/exec_functions.h"
#include "graphics/surface.h"
#include "values/palette.h"
#include "window_setup.h"

namespace {

const uint8_t BackdropIndex = 80;

LRESULT CALLBACK BackdropProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// A popup painted in the palette colour over the w x h block at screen
// (x, y) and a margin: only there, away from the screen's middle, where
// windows of tests running alongside appear.
HWND MakeBackdrop(int32_t x, int32_t y, int32_t w, int32_t h) {
  static ATOM atom;
  if (!atom) {
    WNDCLASSA c = {};
    c.lpfnWndProc = BackdropProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "YeltoTestBackdrop";
    uint32_t v = PaletteColors[BackdropIndex];
    c.hbrBackground = CreateSolidBrush(RGB(v & 0xFF, v >> 8 & 0xFF, v >> 16 & 0xFF));
    atom = RegisterClassA(&c);
  }
  HWND b = CreateWindowExA(0, "YeltoTestBackdrop", "", WS_POPUP | WS_VISIBLE, x - 8, y - 8, w + 16, h + 16, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(b);
  return b;
}

HWND Backdrop;

// While the main window is hidden, the backdrop under it repaints (only its
// own messages: the main window's paint requests are the pump's business).
void PumpAWhile() {
  for (int i = 0; i < 20; i++) {
    MSG m;
    for (int n = 0; n < 100 && PeekMessageA(&m, Backdrop, 0, 0, PM_REMOVE); n++) DispatchMessageA(&m);
    Sleep(10);
  }
}

class DesktopCapture : public MainWindowFixture {
 public:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open();
    Maps.RemoveAll();
    Maps.AppendNew(4, 3);
    InitGraphicsSurface();
    memset(BackgroundLayer, 30, (size_t)SurfaceStride * SurfaceHeight);
    memset(DirtyTiles, 0, (size_t)TileColumns * TileRows);
    Fake.OnWait = PumpAWhile;
  }
  // Moves the main window (shown or not) so that its client lies at screen
  // x, y, over a backdrop there.
  void PlaceAt(int32_t x, int32_t y, UINT show) {
    RECT outer = WindowRect();
    POINT origin = {0, 0};
    ClientToScreen(MainWindow, &origin);
    SetWindowPos(MainWindow, HWND_TOP, outer.left + x - origin.x, outer.top + y - origin.y,
                 outer.right - outer.left, outer.bottom - outer.top, show | SWP_NOACTIVATE);
    Backdrop = MakeBackdrop(x, y, SurfaceWidth, SurfaceHeight);
    if (show == SWP_SHOWWINDOW) {
      SetWindowPos(MainWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      MainWindowShown = 1;
    }
    PumpAWhile();
  }
  // A shown window with an invalid region keeps a paint message waiting,
  // which the fixture's queue drain would take forever.
  void TearDown() override {
    ShowWindow(MainWindow, SW_HIDE);
    ValidateRect(MainWindow, nullptr);
    DestroyWindow(Backdrop);
    MainWindowFixture::TearDown();
  }
  // Pixels of the layer differing from the backdrop's index, or from black
  // in the columns left of the screen.
  static int32_t WrongPixels(int32_t offScreenColumns) {
    int32_t wrong = 0;
    for (int32_t y = 0; y < SurfaceHeight; y++)
      for (int32_t x = 0; x < SurfaceWidth; x++)
        wrong += BackgroundLayer[y * SurfaceStride + x] != (x < offScreenColumns ? BlackColor : BackdropIndex);
    return wrong;
  }
};

TEST_F(DesktopCapture, LayerBecomesWhatLiesUnderTheWindow) {
  PlaceAt(860, 20, SWP_SHOWWINDOW);
  ExecCmdTransparent();
  EXPECT_EQ(0, WrongPixels(0));
  EXPECT_EQ(1, Fake.Waits);
  EXPECT_EQ(9, Fake.TicksWaited);
  EXPECT_TRUE(IsWindowVisible(MainWindow)) << "shown again";
}

// Before the first refresh the window is neither hidden nor waited for; the
// capture still marks every tile.
TEST_F(DesktopCapture, WindowNotShownYet) {
  PlaceAt(860, 20, 0);
  ExecCmdTransparent();
  EXPECT_EQ(0, WrongPixels(0));
  EXPECT_EQ(0, Fake.Waits);
  EXPECT_EQ(TileColumns * TileRows, (int32_t)std::count(DirtyTiles, DirtyTiles + TileColumns * TileRows, 1));
}

TEST_F(DesktopCapture, OffTheScreenStaysBlack) {
  PlaceAt(-40, 640, SWP_SHOWWINDOW);
  POINT origin = {0, 0};
  ClientToScreen(MainWindow, &origin);
  ASSERT_LT(origin.x, 0);
  ExecCmdTransparent();
  EXPECT_EQ(0, WrongPixels(-origin.x));
}

}  // namespace
