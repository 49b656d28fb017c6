// The graphics surface: its buffers and sizes, the dirty-tile marks, the zoom
// tables, and the zoom and displayed size that follow the main window's
// client area (WM_SIZE) and its sizing drag (WM_SIZING).
#include <algorithm>
#include "graphics_setup.h"
#include "base/rounding.h"
#include "graphics/display_geometry.h"
#include "graphics/main_map.h"
#include "graphics/window_sizing.h"

namespace {

class GraphicsSurface : public GraphicsFixture {
 public:
  // The main window shown with a client area (less the status bar) of w x h.
  static void SetClientSize(int32_t w, int32_t h) {
    RECT r = {0, 0, w, h};
    AdjustWindowRectEx(&r, MainWindowStyle, FALSE, MainWindowExStyle);
    SetWindowPos(MainWindow, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOMOVE);
  }
  void ShowMain() {
    MainWindowShown = 1;
    ShowWindow(MainWindow, SW_SHOWNORMAL);
  }
};

// Marks on a 3 x 3 map, the grid top row first.
TEST_F(GraphicsSurface, DirtyMarks) {
  const struct {
    int32_t L, B, R, T;
    const char* Grid;
  } pixels[] = {
      {0, 0, 32, 32, ".../##./##."},     {-40, -40, 10, 10, ".../.../#.."},
      {33, 0, 63, 31, ".../.../.#."},    {95, 95, 200, 200, "..#/.../..."},
      {100, 0, 200, 10, ".../.../..."},  {0, 0, 95, 95, "###/###/###"},
  };
  for (auto& c : pixels) {
    Surface({"...", "...", "..."});
    memset(DirtyTiles, 0, 9);
    MarkPixelRectDirty(c.L, c.B, c.R, c.T);
    EXPECT_EQ(c.Grid, DirtyGrid()) << c.L << " " << c.B << " " << c.R << " " << c.T;
  }
  const struct {
    int32_t C0, R0, C1, R1;
    const char* Grid;
  } tiles[] = {
      {2, 0, 0, 2, ".../.../..."},  // corners are not swapped
      {-5, 1, 1, 9, "##./##./..."}, {2, 2, 2, 2, "..#/.../..."}, {3, 0, 5, 2, ".../.../..."},
      {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, "###/###/###"},
  };
  for (auto& c : tiles) {
    memset(DirtyTiles, 0, 9);
    MarkTileRectDirty(c.C0, c.R0, c.C1, c.R1);
    EXPECT_EQ(c.Grid, DirtyGrid()) << c.C0 << " " << c.R0 << " " << c.C1 << " " << c.R1;
  }
  memset(DirtyTiles, 0, 9);
  MarkAllTilesDirty();
  EXPECT_EQ("###/###/###", DirtyGrid());
}

// Sizes follow the main map; a map of the same size keeps the background,
// one of another size clears it to black; buffers never shrink.
TEST_F(GraphicsSurface, SurfaceFollowsTheMainMap) {
  Surface({"...", "..."});
  EXPECT_EQ(3, TileColumns);
  EXPECT_EQ(2, TileRows);
  EXPECT_EQ(96, SurfaceWidth);
  EXPECT_EQ(64, SurfaceHeight);
  EXPECT_EQ(96, SurfaceStride);
  EXPECT_EQ(96 * 32, TileRowStride);
  BackgroundLayer[5] = Red;
  SetMainMap({"ooo", "ooo"});
  InitGraphicsSurface();
  EXPECT_EQ(Red, BackgroundLayer[5]) << "same size: kept";
  uint8_t* frame = FrameBuffer;
  SetMainMap({"."});
  InitGraphicsSurface();
  EXPECT_EQ(Black, BackgroundLayer[5]) << "other size: black";
  EXPECT_EQ(frame, FrameBuffer) << "a smaller surface keeps the buffers";
  EXPECT_EQ("#", DirtyGrid());
  EXPECT_GE(DirtyLeft, DirtyRight) << "no rectangle of the old surface is left";
}

// Zoom tables for a 1 x 1 map (32 x 32) at a few zooms: spot values of each
// table, rounded to even and held below their limits.
TEST_F(GraphicsSurface, ZoomTables) {
  const struct {
    double Zoom;
    int32_t Display;
    int32_t Column1, Column31;      // ZoomColumns[1], [31]
    int32_t Unzoom1, UnzoomLast;    // UnzoomColumns[1], [Display - 1]
  } cases[] = {
      {1.5, 48, 2, 46, 1, 31},  // 1.5 rounds to 2, 46.5 to 46
      {0.5, 16, 0, 15, 2, 30},  // 0.5 rounds to 0, 15.5 to 16 held at 15
      {2, 64, 2, 62, 0, 32 - 1},
      {33.0 / 32, 33, 1, 32, 1, 31},
  };
  Surface({"."});
  for (auto& c : cases) {
    Zoom = c.Zoom;
    DisplayWidth = DisplayHeight = RoundToInt(32 * c.Zoom);
    DisplayStride = (DisplayWidth + 3) & ~3;
    BuildZoomTables();
    ASSERT_EQ(c.Display, DisplayWidth);
    EXPECT_EQ(1, Zoomed) << c.Zoom;
    EXPECT_EQ(c.Column1, ZoomColumns[1]) << c.Zoom;
    EXPECT_EQ(c.Column31, ZoomColumns[31]) << c.Zoom;
    EXPECT_EQ(c.Column31, ZoomRows[31]) << c.Zoom;
    EXPECT_EQ(c.Unzoom1, UnzoomColumns[1]) << c.Zoom;
    EXPECT_EQ(c.UnzoomLast, UnzoomColumns[c.Display - 1]) << c.Zoom;
    EXPECT_EQ((32 - 1) * 32, UnzoomRowOffsets[0]) << c.Zoom << ": the top display row shows the top surface row";
    EXPECT_EQ((32 - c.UnzoomLast - 1) * 32, UnzoomRowOffsets[c.Display - 1]) << c.Zoom;
    EXPECT_GE(ZoomBufferSize, DisplayStride * DisplayHeight) << c.Zoom;
  }
  DisplayWidth = DisplayHeight = 32;
  BuildZoomTables();
  EXPECT_EQ(0, Zoomed);
}

// The zoom, displayed size and offsets for client areas of a 640 x 480 surface.
TEST_F(GraphicsSurface, ZoomFollowsTheClientArea) {
  const struct {
    int32_t W, H;
    double Zoom;
    int32_t DisplayW, DisplayH, OffsetX, OffsetY;
  } cases[] = {
      {640, 480, 1.0, 640, 480, 0, 0},    {644, 484, 1.0, 640, 480, 2, 2},
      {645, 485, 1.0, 640, 480, 2, 2},    {660, 495, 33.0 / 32, 660, 495, 0, 0},
      {300, 300, 15.0 / 32, 300, 225, 0, 37}, {636, 476, 1.0, 640, 480, -2, -2},
  };
  Surface(std::vector<std::string>(15, std::string(20, '.')));
  ShowMain();
  for (auto& c : cases) {
    SetClientSize(c.W, c.H);
    ASSERT_EQ(c.W, MainClientWidth);
    ASSERT_EQ(c.H, MainClientHeight);
    EXPECT_EQ(c.Zoom, Zoom) << c.W << "x" << c.H;
    EXPECT_EQ(c.Zoom, WindowedZoom) << c.W << "x" << c.H;
    EXPECT_EQ(c.DisplayW, DisplayWidth) << c.W << "x" << c.H;
    EXPECT_EQ(c.DisplayH, DisplayHeight) << c.W << "x" << c.H;
    EXPECT_EQ(c.OffsetX, DisplayOffsetX) << c.W << "x" << c.H;
    EXPECT_EQ(c.OffsetY, DisplayOffsetY) << c.W << "x" << c.H;
    EXPECT_EQ(c.Zoom != 1.0, Zoomed) << c.W << "x" << c.H;
  }
  SetClientSize(640, 480);
  ShowWindow(MainWindow, SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(MainWindow));
  EXPECT_GT(MainClientWidth, 640) << "maximized";
  EXPECT_EQ(TruncToInt(std::min((MainClientWidth + 4) / 640.0, (MainClientHeight + 4) / 480.0) * 32) / 32.0, Zoom);
  EXPECT_EQ(1.0, WindowedZoom) << "a maximized window keeps the windowed zoom";
  ShowWindow(MainWindow, SW_MINIMIZE);
  EXPECT_EQ(1.0 / 32, Zoom) << "minimized";
  EXPECT_EQ(1.0, WindowedZoom) << "the windowed zoom stays";
}

// A new main map of another size in a window whose displayed size stays the
// same gets tables for its own scale.
TEST_F(GraphicsSurface, ZoomTablesFollowANewMapOfTheSameDisplaySize) {
  Surface({"....", "...."});
  ShowMain();
  SetClientSize(190, 94);
  ASSERT_EQ(1.5, Zoom);
  SetMainMap(std::vector<std::string>(4, "........"));
  MainMapAssigned();
  ShowWindow(MainWindow, SW_SHOWNORMAL);
  SetClientSize(190, 94);
  ASSERT_EQ(0.75, Zoom);
  ASSERT_EQ(192, DisplayWidth);
  ASSERT_EQ(96, DisplayHeight);
  EXPECT_EQ(191, ZoomColumns[255]);
  EXPECT_EQ(255, UnzoomColumns[191]);
  EXPECT_EQ(0, UnzoomRowOffsets[95]) << "the bottom display row shows surface row 0";
}

// Dragging an edge snaps the client area to the surface size times a step of
// 1/32, moving the dragged edges only.
TEST_F(GraphicsSurface, SizingSnapsToTheZoomSteps) {
  Surface(std::vector<std::string>(15, std::string(20, '.')));
  ShowMain();
  SetClientSize(640, 480);
  RECT outer, client;
  GetWindowRect(MainWindow, &outer);
  GetClientRect(MainWindow, &client);
  int32_t frameW = (outer.right - outer.left) - client.right, frameH = (outer.bottom - outer.top) - client.bottom;
  const struct {
    WPARAM Edge;
    int32_t W, H;           // proposed client size
    int32_t DLeft, DTop, DRight, DBottom;  // moves of the proposed edges
  } cases[] = {
      {WMSZ_BOTTOMRIGHT, 700, 500, 0, 0, -20, 10},  // z = 34/32: 680 x 510
      {WMSZ_TOPLEFT, 700, 500, 20, -10, 0, 0},
      {WMSZ_RIGHT, 640, 480, 0, 0, 0, 0},
      {WMSZ_BOTTOM, 641, 470, 0, 0, -1, 10},       // z = 1: 640 x 480
  };
  for (auto& c : cases) {
    RECT r = {100, 100, 100 + c.W + frameW, 100 + c.H + frameH};
    RECT p = r;
    SnapWindowSizing(c.Edge, &p);
    EXPECT_EQ(r.left + c.DLeft, p.left) << c.Edge << " " << c.W << "x" << c.H;
    EXPECT_EQ(r.top + c.DTop, p.top) << c.Edge << " " << c.W << "x" << c.H;
    EXPECT_EQ(r.right + c.DRight, p.right) << c.Edge << " " << c.W << "x" << c.H;
    EXPECT_EQ(r.bottom + c.DBottom, p.bottom) << c.Edge << " " << c.W << "x" << c.H;
  }
  RECT r = {0, 0, 50, 50}, p = r;
  SnapWindowSizing(9, &p);
  EXPECT_EQ(0, memcmp(&r, &p, sizeof r)) << "not a sizing edge";
}

// A map of another size places the hidden window around its centre for the
// new size and keeps it hidden; the same size leaves the window where it is.
TEST_F(GraphicsSurface, MainMapAssignment) {
  Surface({".."});
  RECT before = WindowRect();
  int32_t cx = (before.left + before.right) / 2, cy = (before.top + before.bottom) / 2;
  SetMainMap(std::vector<std::string>(6, "........"));
  MainMapAssigned();
  RECT after = WindowRect();
  EXPECT_FALSE(IsWindowVisible(MainWindow)) << "hidden until the first refresh";
  EXPECT_EQ(256, ClientRect().right);
  EXPECT_EQ(192, ClientRect().bottom);
  EXPECT_NEAR(cx, (after.left + after.right) / 2, 1);
  EXPECT_NEAR(cy, (after.top + after.bottom) / 2, 1);
  EXPECT_EQ("########/########/########/########/########/########", DirtyGrid());
  EXPECT_EQ(0, DirtyLeft);
  EXPECT_EQ(256, DirtyRight);
  EXPECT_EQ(192, DirtyBottom);
  MoveWindow(MainWindow, 10, 20, after.right - after.left, after.bottom - after.top, FALSE);
  SetMainMap(std::vector<std::string>(6, "oooooooo"));
  MainMapAssigned();
  EXPECT_EQ(10, WindowRect().left) << "same size: not moved";
  Refresh();
  EXPECT_EQ(IconColor, FramePixel(100, 70)) << "everything redrawn";
}

}  // namespace

namespace {

int WINAPI SilentMessageBox(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }

// A main map whose surface bytes do not fit 31 bits ends the run as
// exhausted memory does, before any buffer is sized.
TEST(GraphicsSurfaceSize, SurfaceTooLargeEndsAsExhaustedMemory) {
  const int32_t cases[][2] = {{2000, 1100}, {1500, 1400}};
  for (const auto& c : cases) {
    EXPECT_EXIT(
        {
          MemorySys.MessageBoxA = SilentMessageBox;
          ResetImageLists();
          Maps.AppendNew(c[0], c[1]);
          InitGraphicsSurface();
        },
        testing::ExitedWithCode(253), "")
        << c[0] << " x " << c[1];
  }
}

}  // namespace
