// Mouse messages through the real input filter: latches, buttons and the
// positions recorded; the mouse elements; the cursor regions and the cursor
// they give for WM_SETCURSOR.
#include "input_setup.h"
#include "values/icon.h"

namespace {

class MouseInputTest : public InputTest {
 public:
  POINT Origin;
  void SetUp() override {
    InputTest::SetUp();
    Origin = {0, 0};
    ClientToScreen(MainWindow, &Origin);
  }
};

TEST_F(MouseInputTest, Recording) {
  enum { Client, Screen };
  const struct {
    const char* Name;
    UINT Message;
    WPARAM WParam;
    int32_t X, Y;  // client pixels for client messages, else offsets from the client origin
    int Kind;
    uint8_t LeftDown, RightDown, LeftClick, RightClick, LeftDouble, RightDouble;
  } cases[] = {
      {"move", WM_MOUSEMOVE, 0, 5, 6, Client, 0, 0, 0, 0, 0, 0},
      {"move with both buttons", WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 7, 8, Client, 1, 1, 0, 0, 0, 0},
      {"left press", WM_LBUTTONDOWN, MK_LBUTTON, 10, 20, Client, 1, 0, 1, 0, 0, 0},
      {"left release", WM_LBUTTONUP, 0, 11, 21, Client, 0, 0, 0, 0, 0, 0},
      {"left double click", WM_LBUTTONDBLCLK, MK_LBUTTON, 12, 22, Client, 1, 0, 1, 0, 1, 0},
      {"right press", WM_RBUTTONDOWN, MK_RBUTTON, 13, 23, Client, 0, 1, 0, 1, 0, 0},
      {"right release", WM_RBUTTONUP, 0, 14, 24, Client, 0, 0, 0, 0, 0, 0},
      {"right double click", WM_RBUTTONDBLCLK, MK_RBUTTON, 15, 25, Client, 0, 1, 0, 1, 0, 1},
      {"left of the window", WM_MOUSEMOVE, 0, -30, -4, Client, 0, 0, 0, 0, 0, 0},
      {"caption: left press", WM_NCLBUTTONDOWN, HTCAPTION, 40, -10, Screen, 1, 0, 0, 0, 0, 0},
      {"caption: left double click", WM_NCLBUTTONDBLCLK, HTCAPTION, 41, -11, Screen, 1, 0, 0, 0, 0, 0},
      {"caption: left release", WM_NCLBUTTONUP, HTCAPTION, 42, -12, Screen, 0, 0, 0, 0, 0, 0},
      {"caption: right press", WM_NCRBUTTONDOWN, HTCAPTION, 43, -13, Screen, 0, 1, 0, 0, 0, 0},
      {"caption: right double click", WM_NCRBUTTONDBLCLK, HTCAPTION, 44, -14, Screen, 0, 1, 0, 0, 0, 0},
      {"caption: right release", WM_NCRBUTTONUP, HTCAPTION, 45, -15, Screen, 0, 0, 0, 0, 0, 0},
  };
  for (auto& c : cases) {
    MouseLeftDown = MouseRightDown = MouseLeftClick = MouseRightClick = 0;
    MouseLeftDoubleClick = MouseRightDoubleClick = 0;
    MouseLeftDown = c.Message == WM_NCLBUTTONUP;
    MouseRightDown = c.Message == WM_NCRBUTTONUP;
    MouseMoved = 0;
    int32_t x = c.Kind == Client ? c.X : Origin.x + c.X, y = c.Kind == Client ? c.Y : Origin.y + c.Y;
    EXPECT_FALSE(Feed(c.Message, c.WParam, MAKELPARAM((int16_t)x, (int16_t)y))) << c.Name;
    EXPECT_EQ(c.LeftDown, MouseLeftDown) << c.Name;
    EXPECT_EQ(c.RightDown, MouseRightDown) << c.Name;
    EXPECT_EQ(c.LeftClick, MouseLeftClick) << c.Name;
    EXPECT_EQ(c.RightClick, MouseRightClick) << c.Name;
    EXPECT_EQ(c.LeftDouble, MouseLeftDoubleClick) << c.Name;
    EXPECT_EQ(c.RightDouble, MouseRightDoubleClick) << c.Name;
    EXPECT_EQ(1, MouseMoved) << c.Name;
    EXPECT_EQ(Origin.x + c.X, MouseScreenPos.x) << c.Name;
    EXPECT_EQ(Origin.y + c.Y, MouseScreenPos.y) << c.Name;
    EXPECT_EQ(c.X, MouseWindowPos.x) << c.Name;
    EXPECT_EQ(c.Y, MouseWindowPos.y) << c.Name;
  }
  MouseMoved = 0;
  EXPECT_FALSE(Feed(WM_MOUSEWHEEL, 0, MAKELPARAM(1, 1)));
  EXPECT_FALSE(Feed(WM_NCMOUSEMOVE, 0, MAKELPARAM(1, 1)));
  EXPECT_EQ(0, MouseMoved) << "other mouse messages are not recorded";
}

// A control's message is in the control's client pixels; the window position
// is that of the current window.
TEST_F(MouseInputTest, MessagesOfAControl) {
  HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 30, 40, 50, 20, MainWindow, nullptr,
                                Instance, nullptr);
  ASSERT_NE(nullptr, button);
  EXPECT_FALSE(Feed(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4), button));
  EXPECT_EQ(33, MouseWindowPos.x);
  EXPECT_EQ(44, MouseWindowPos.y);
  EXPECT_EQ(Origin.x + 33, MouseScreenPos.x);
  EXPECT_EQ(1, MouseLeftClick);
  DestroyWindow(button);
}

// The pump's update after a recorded message uses the message's position, so
// a click shows in mouse_x and mouse_y (zoom 2, display at (10, 20)).
TEST_F(MouseInputTest, RecordedPositionInFields) {
  Zoom = 2;
  DisplayOffsetX = 10;
  DisplayOffsetY = 20;
  DisplayWidth = 640;
  DisplayHeight = 480;
  Clock.Cursor = {-5000, -5000};
  PostMessageA(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(74, 83));
  PumpMessages(false);
  EXPECT_DOUBLE_EQ(1.0, MouseX);
  EXPECT_DOUBLE_EQ(6.5, MouseY);
  EXPECT_EQ(1, MouseLeftClick);
}

TEST_F(MouseInputTest, LatchesReadAndCleared) {
  MouseLeftClick = MouseRightClick = MouseLeftDoubleClick = MouseRightDoubleClick = 1;
  MouseLeftDown = 1;
  MouseRightDown = 0;
  RunBody(R"(    @b
      mouse_l_click
    @b2
      mouse_l_click
)");
  EXPECT_EQ(1, B());
  EXPECT_EQ(0, B2()) << "the second test finds the latch cleared";
  const struct {
    const char* Element;
    uint8_t* Latch;
  } latches[] = {{"mouse_r_click", &MouseRightClick}, {"mouse_l_dblclick", &MouseLeftDoubleClick}, {"mouse_r_dblclick", &MouseRightDoubleClick}};
  for (auto& l : latches) {
    RunBody(std::string("    @b\n      ") + l.Element + "\n    @b2\n      " + l.Element + "\n");
    EXPECT_EQ(1, B()) << l.Element;
    EXPECT_EQ(0, B2()) << l.Element;
  }
  RunBody("    @b\n      mouse_l\n    @b2\n      mouse_r\n");
  EXPECT_EQ(1, B());
  EXPECT_EQ(0, B2());
  EXPECT_EQ(1, MouseLeftDown) << "the buttons are only read";
}

TEST_F(MouseInputTest, PositionAndRegionElements) {
  MouseX = 2.5;
  MouseY = 3.25;
  RunBody("    @r\n      mouse_x\n");
  EXPECT_EQ(2.5, R());
  RunBody("    @r\n      mouse_y\n");
  EXPECT_EQ(3.25, R());
  const struct {
    const char* Params;
    double X, Y;
    uint8_t Inside;
  } cases[] = {
      {"", 2.5, 3.25, 1},
      {"", -1, 3, 0},
      {"x 2 y 3", 1e6, 1e6, 1},
      {"x 2 y 3", 2000002, 3, 0},
      {"x 2 y 3", 2, 3, 1},
      {"x 2 y 3", 1.99, 3, 0},
      {"x 2 y 3", 2, 2.99, 0},
      {"x 1 y 1 w 2 h 2", 2.99, 2.99, 1},
      {"x 1 y 1 w 2 h 2", 3, 2, 0},
      {"x 1 y 1 w 2 h 2", 2, 3, 0},
      {"x 1 y 1 w -2 h 2", 0, 2, 0},
  };
  for (auto& c : cases) {
    MouseX = c.X;
    MouseY = c.Y;
    std::string body = "    @b\n      mouse_region\n";
    std::string p = c.Params;
    for (size_t at = 0; at < p.size();) {
      size_t space = p.find(' ', at), end = p.find(' ', space + 1);
      if (end == std::string::npos) end = p.size();
      std::string name = p.substr(at, space - at), value = p.substr(space + 1, end - space - 1);
      body += "        mouse_region_" + name + "\n          num " + value + "\n";
      at = end + 1;
    }
    RunBody(body);
    EXPECT_EQ(c.Inside, B()) << c.Params << " at " << c.X << ", " << c.Y;
  }
}

// A window's rectangle in fields, y upward from the screen bottom; a
// control's from its parent's client bottom.
TEST_F(MouseInputTest, MouseOverWindow) {
  int32_t w = Windows.NewItem();
  Windows[w].Type = 0;
  Windows[w].X = 64;
  Windows[w].Y = ScreenHeight - 96 - 64;  // bottom 64 pixels above the screen bottom
  Windows[w].Width = 96;
  Windows[w].Height = 96;
  Windows[w].ClientHeight = 320;
  int32_t c = Windows.NewItem();
  Windows[c].Type = 2;
  Windows[c].Parent = w;
  Windows[c].X = 32;
  Windows[c].Y = 320 - 32 - 64;
  Windows[c].Width = 64;
  Windows[c].Height = 32;
  const struct {
    const char* Name;
    int32_t Id;
    double X, Y;
    uint8_t Over;
  } cases[] = {
      {"window, lower-left corner", w, 2, 2, 1},   {"window, inside", w, 4.9, 4.9, 1},
      {"window, right edge", w, 5, 3, 0},          {"window, below", w, 3, 1.9, 0},
      {"control, inside", c, 1, 2, 1},             {"control, top edge", c, 1, 3, 0},
      {"control, left of it", c, 0.9, 2.5, 0},     {"no live entry", 500, 1, 1, 0},
      {"a negative id", -3, 1, 1, 1},
  };
  for (auto& k : cases) {
    MouseX = k.X;
    MouseY = k.Y;
    RunBody("    @b\n      mouse_over_window\n        num " + std::to_string(k.Id) + "\n");
    EXPECT_EQ(k.Over, B()) << k.Name;
  }
}

class CursorRegionTest : public MouseInputTest {
 public:
  Icon Marked, Other;
  HCURSOR MarkedCursor, OtherCursor;
  void SetUp() override {
    MouseInputTest::SetUp();
    SetUpMediaValues();
    Marked.New();
    Marked.WritablePixels()[0] = 56;
    Other.New();
    Other.WritablePixels()[5] = 220;
    MarkedCursor = Marked.GetCursor();
    OtherCursor = Other.GetCursor();
    ASSERT_NE(ArrowCursor, MarkedCursor);
    ASSERT_NE(ArrowCursor, OtherCursor);
    Zoom = 1;
    DisplayOffsetX = DisplayOffsetY = 0;
    DisplayWidth = 480;
    DisplayHeight = 320;
    MouseWindowPos = {-100000, -100000};
  }
  void TearDown() override {
    Marked.Empty();
    Other.Empty();
    MouseInputTest::TearDown();
  }
  // The regions as (left, bottom, right, top) rows.
  static std::vector<std::vector<int32_t>> Rows() {
    std::vector<std::vector<int32_t>> rows;
    for (int32_t i = 0; i < CursorRegionCount; i++) {
      const CursorRegion& r = CursorRegions[i];
      rows.push_back({r.Left, r.Bottom, r.Right, r.Top});
    }
    return rows;
  }
  // What WM_SETCURSOR at window pixel (x, y) shows: the region's cursor, or
  // null when the default handling is left to show the class cursor.
  static HCURSOR CursorAt(int32_t x, int32_t y) {
    SetCursor(nullptr);
    if (!ApplyCursorRegion(x, y)) return nullptr;
    return GetCursor();
  }
};

TEST_F(CursorRegionTest, AddingRemovesEnclosedRegions) {
  AddCursorRegion(Marked, 10, 10, 50, 50);
  AddCursorRegion(Marked, 60, 10, 70, 20);
  AddCursorRegion(Marked, 20, 20, 30, 30);
  AddCursorRegion(Marked, 5, 5, 5, 100);  // empty: ignored
  AddCursorRegion(Marked, 5, 100, 100, 100);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{10, 10, 50, 50}, {60, 10, 70, 20}, {20, 20, 30, 30}}), Rows());
  AddCursorRegion(Other, 10, 10, 50, 51);  // encloses the first and the third
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{60, 10, 70, 20}, {10, 10, 50, 51}}), Rows());
  AddCursorRegion(Other, 10, 10, 50, 51);  // the same rectangle replaces it
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{60, 10, 70, 20}, {10, 10, 50, 51}}), Rows());
  AddCursorRegion(Icon(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}}), Rows());
  EXPECT_EQ(ArrowCursor, CursorRegions[0].Cursor) << "the empty icon's cursor is the arrow";
}

// Newest first; a region with the arrow ends the search; window pixels are
// mapped through the zoom and the display's place, y upward.
TEST_F(CursorRegionTest, CursorForTheWindowPosition) {
  Zoom = 2;
  DisplayOffsetX = 10;
  DisplayOffsetY = 20;
  DisplayWidth = 400;
  DisplayHeight = 300;  // surface 200 x 150
  AddCursorRegion(Marked, 0, 0, 100, 100);
  AddCursorRegion(Other, 50, 50, 150, 150);
  AddCursorRegion(Icon(), 0, 0, 20, 20);
  const struct {
    const char* Name;
    int32_t X, Y;
    HCURSOR* Expected;  // null: nothing set
  } cases[] = {
      {"older region only", 10 + 2 * 30, 320 - 2 * 30, &MarkedCursor},
      {"overlap: the newer wins", 10 + 2 * 60, 320 - 2 * 60, &OtherCursor},
      {"newer region only", 10 + 2 * 120, 320 - 2 * 120, &OtherCursor},
      {"arrow region over the older", 10 + 2 * 5, 320 - 2 * 5, nullptr},
      {"surface but no region", 10 + 2 * 180, 320 - 2 * 20, nullptr},
      {"left of the display", 9, 200, nullptr},
      {"right of the display", 410, 200, nullptr},
      {"above the display", 100, 20, nullptr},
      {"below the display", 100, 321, nullptr},
      {"bottom display row", 10 + 2 * 25, 320, &MarkedCursor},
      {"top row of the display", 10 + 2 * 100, 22, &OtherCursor},
  };
  for (auto& c : cases) {
    HCURSOR expected = c.Expected ? *c.Expected : nullptr;
    EXPECT_EQ(expected, CursorAt(c.X, c.Y)) << c.Name;
  }
  // The window procedure asks the regions with the cursor's position.
  POINT p = {Origin.x + 10 + 2 * 30, Origin.y + 320 - 2 * 30};
  ASSERT_TRUE(SetCursorPos(p.x, p.y));
  SetCursor(nullptr);
  EXPECT_EQ(1, SendMessageA(MainWindow, WM_SETCURSOR, (WPARAM)MainWindow, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(MarkedCursor, GetCursor());
}

// The mouse already over a new region gets its cursor at once.
TEST_F(CursorRegionTest, NewRegionUnderTheMouseSetsItsCursor) {
  MouseWindowPos = {40, 320 - 40};
  SetCursor(nullptr);
  AddCursorRegion(Marked, 100, 100, 200, 200);
  EXPECT_EQ(nullptr, GetCursor()) << "not under the mouse";
  AddCursorRegion(Other, 0, 0, 50, 50);
  EXPECT_EQ(OtherCursor, GetCursor());
}

// The list grows by 64 regions at a time and keeps them all in order.
TEST_F(CursorRegionTest, ManyRegions) {
  for (int32_t i = 0; i < 130; i++) AddCursorRegion(i % 2 ? Marked : Other, i, 0, i + 1, 1);
  EXPECT_EQ(130, CursorRegionCount);
  EXPECT_EQ(192, CursorRegionCapacity);
  for (int32_t i = 0; i < 130; i++) EXPECT_EQ(i, CursorRegions[i].Left);
  EXPECT_EQ(MarkedCursor, CursorAt(129, 320));
}

// Freeing every value of an icon leaves the regions with a live cursor; the
// cursor goes with the last region.
TEST_F(CursorRegionTest, RegionKeepsItsIconAlive) {
  AddCursorRegion(Marked, 0, 0, 10, 10);
  AddCursorRegion(Marked, 20, 0, 30, 10);
  Marked.Empty();
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(MarkedCursor, &info));
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  EXPECT_EQ(MarkedCursor, CursorAt(5, 315));
  RemoveCursorRegion(0);
  EXPECT_EQ(MarkedCursor, CursorAt(25, 315)) << "still held by the second region";
  RemoveCursorRegion(0);
  EXPECT_FALSE(GetIconInfo(MarkedCursor, &info)) << "destroyed with the last holder";
}

// The command's operands in fields: defaults cover the whole area; NaN sizes
// add nothing; huge sizes clip at the 32-bit edge instead of wrapping.
TEST_F(CursorRegionTest, TheCommand) {
  const struct {
    const char* Name;
    const char* Params;
    std::vector<std::vector<int32_t>> Rows;
  } cases[] = {
      {"defaults", "", {{0, 0, 64000000, 64000000}}},
      {"x, y, w, h", "x 1 y 2 w 3 h 0.5", {{32, 64, 128, 80}}},
      {"rounded to pixels", "x 0.01 y 0.02 w 0.1 h 0.1", {{0, 1, 3, 4}}},
      {"NaN width", "w @nanv", {}},
      {"NaN x", "x @nanv", {{INT32_MIN, 0, INT32_MIN + 64000000, 64000000}}},
      {"negative height", "h -1", {}},
      {"huge x and width", "x 60000000 w 60000000", {{1920000000, 0, INT32_MAX, 64000000}}},
  };
  for (auto& c : cases) {
    while (CursorRegionCount) RemoveCursorRegion(CursorRegionCount - 1);
    std::string body = "    mouse_cursor\n      mouse_cursor_pic\n        @ico\n";
    std::string p = c.Params;
    for (size_t at = 0; at < p.size();) {
      size_t space = p.find(' ', at), end = p.find(' ', space + 1);
      if (end == std::string::npos) end = p.size();
      std::string name = p.substr(at, space - at), value = p.substr(space + 1, end - space - 1);
      body += "      mouse_cursor_" + name + "\n        " + (value[0] == '@' ? "" : "num ") + value + "\n";
      at = end + 1;
    }
    RunBody(body);
    EXPECT_EQ(c.Rows, Rows()) << c.Name;
  }
  ASSERT_EQ(1, CursorRegionCount);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(CursorRegions[0].Cursor, &info)) << "the picture's own cursor";
  EXPECT_EQ(0u, info.xHotspot);
  EXPECT_EQ(0u, info.yHotspot) << "its top-left pixel marks the hot spot";
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

}  // namespace
