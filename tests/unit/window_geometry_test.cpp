// Position, size, frame, caption and top elements on real windows and
// controls: the fields, the values in fields and what the system made.
#include <climits>
#include "controls_program.h"

namespace {

class WindowGeometryTest : public ControlsProgramTest {};

TEST_F(WindowGeometryTest, ControlPositionAndSizeWithYUpward) {
  RunBody(R"(
    @n1
      button_new
    window_x
      num 2
    window_y
      num 0
    @n2
      window_y
    @n3
      window_x
    @n4
      window_w
)");
  int32_t parentHeight = Windows[0].ClientHeight;
  const WindowItem& b = Windows[1];
  EXPECT_EQ(64, b.X);
  EXPECT_EQ(parentHeight - 24, b.Y) << "window_y 0 puts the bottom edge on the client bottom";
  EXPECT_EQ(0, N(2));
  EXPECT_EQ(2, N(3));
  EXPECT_EQ(2.5, N(4)) << "80 px wide";
  RECT r = RectInParent(1);
  EXPECT_EQ(64, r.left);
  EXPECT_EQ(parentHeight, r.bottom);

  Windows[1].Y = 100;
  RunBody(R"(
    window_id
      num 1
    window_h
      num 2
    @n1
      window_h
    window_w
      num 1.5
    @n2
      window_w
)");
  EXPECT_EQ(64, b.Height);
  EXPECT_EQ(60, b.Y) << "the bottom edge stays at 124";
  EXPECT_EQ(2, N(1));
  EXPECT_EQ(48, b.Width);
  EXPECT_EQ(1.5, N(2));
  r = RectInParent(1);
  EXPECT_EQ(60, r.top);
  EXPECT_EQ(124, r.bottom);
  EXPECT_EQ(48, r.right - r.left);
}

TEST_F(WindowGeometryTest, ClientSizeOfAProgramWindow) {
  RunBody(R"(
    @n1
      window_new
)");
  int32_t id = (int32_t)N(1);
  const WindowItem& w = Windows[id];
  int32_t border = w.Width - w.ClientWidth, borderH = w.Height - w.ClientHeight;
  int32_t bottom = w.Y + w.Height;
  RunBody(R"(
    window_w_int
      num 10
    window_h_int
      num 5
    @n1
      window_w_int
    @n2
      window_h_int
    @n3
      window_w
)");
  EXPECT_EQ(320, w.ClientWidth);
  EXPECT_EQ(160, w.ClientHeight);
  EXPECT_EQ(320 + border, w.Width) << "the outer width grew by as much";
  EXPECT_EQ(160 + borderH, w.Height);
  EXPECT_EQ(bottom, w.Y + w.Height) << "the bottom edge stayed";
  RECT c;
  GetClientRect(w.Handle, &c);
  EXPECT_EQ(320, c.right);
  EXPECT_EQ(160, c.bottom);
  EXPECT_EQ(10, N(1));
  EXPECT_EQ(5, N(2));
  EXPECT_EQ((320 + border) / 32.0, N(3));
}

// A top-level window's y is measured up from the screen bottom.
TEST_F(WindowGeometryTest, ProgramWindowYFromTheScreenBottom) {
  RunBody(R"(
    @n1
      window_new
    window_y
      num 3
    @n2
      window_y
)");
  const WindowItem& w = Windows[(int32_t)N(1)];
  EXPECT_EQ(ScreenHeight - w.Height - 96, w.Y);
  RECT r;
  GetWindowRect(w.Handle, &r);
  EXPECT_EQ(w.Y, r.top);
  EXPECT_EQ(3, N(2));
}

TEST_F(WindowGeometryTest, DefaultsWithoutALiveItem) {
  RunBody(R"(
    window_id
      num 40
    window_x
      num 3
    @n1
      window_x
    @n2
      window_y
    @n3
      window_w
    @n4
      window_h
    @n5
      window_w_int
    @n6
      window_h_int
)");
  EXPECT_EQ(0, N(1));
  EXPECT_EQ(0, N(2));
  EXPECT_EQ(ScreenWidth / 32.0, N(3));
  EXPECT_EQ(ScreenHeight / 32.0, N(4));
  EXPECT_EQ(MaxClientWidth / 32.0, N(5));
  EXPECT_EQ(MaxClientHeight / 32.0, N(6));
}

// Operands beyond the pixel range give the integer indefinite; the fields
// that follow from a difference saturate instead of wrapping.
TEST_F(WindowGeometryTest, HugeOperandsSaturateTheFields) {
  RunBody(R"(
    @n1
      static_left_new
    window_h
      num -1E300
)");
  const WindowItem& s = Windows[1];
  EXPECT_EQ(INT32_MIN, s.Height);
  EXPECT_EQ(INT32_MAX, s.Y) << "Y - (INT32_MIN - 16) saturates";
  EXPECT_EQ(INT32_MIN, s.ClientHeight) << "16 + (INT32_MIN - 16)";
  RunBody(R"(
    window_id
      num 1
    window_h_int
      num 1E300
    window_y
      num -1E300
)");
  EXPECT_EQ(INT32_MIN, s.ClientHeight) << "the indefinite again: nothing changed";
  EXPECT_EQ(INT32_MAX, s.Y);
  RunBody(R"(
    window_id
      num 1
    window_h
      num 1
    window_y
      num -1E300
)");
  EXPECT_EQ(32, s.Height);
  EXPECT_EQ(INT32_MAX, s.Y) << "parent height - 32 - INT32_MIN saturates";
}

struct FrameCase {
  const char* Name;
  int32_t Element;  // 0: the main window
  bool Frame, Caption;
  uint32_t StyleOn, StyleOff, ExOn, ExOff;
};

TEST_F(WindowGeometryTest, FrameAndCaptionStyles) {
  const uint32_t Border = WS_BORDER, Thick = WS_THICKFRAME, Caption = WS_CAPTION;
  const uint32_t Window = WS_EX_WINDOWEDGE, Modal = WS_EX_DLGMODALFRAME, Client = WS_EX_CLIENTEDGE,
                 Static = WS_EX_STATICEDGE;
  const FrameCase cases[] = {
      {"main, frame only", 0, true, false, Border | Thick, WS_DLGFRAME, Window, Static},
      {"main, caption only", 0, false, true, Caption, Thick, Static, Window},
      {"main, neither", 0, false, false, 0, Caption | Thick, 0, Window | Static},
      {"main, both", 0, true, true, Caption | Thick, 0, Window, Static},
      {"window, caption only", El::window_new, false, true, Caption, Thick, Static, Modal},
      {"window, frame only", El::window_new, true, false, Border, WS_DLGFRAME | Thick, Modal, Static},
      {"window, neither", El::window_new, false, false, 0, Caption | Thick, 0, Modal | Static},
      {"edit, both", El::edit_new, true, true, Border, WS_DLGFRAME, Client | Modal, Static},
      {"edit, caption only", El::edit_new, false, true, 0, Caption, Static, Client | Modal},
      {"edit, neither", El::edit_new, false, false, 0, Caption, 0, Client | Modal | Static},
  };
  for (const FrameCase& c : cases) {
    std::string body =
        c.Element ? "    @n1\n      " + std::string(ElementNameOfId(c.Element)) + "\n" : "    window_id\n      num 0\n";
    // From the opposite state first, so that both flags really change.
    body += std::string("    window_frame\n      ") + (c.Frame ? "false" : "true") + "\n";
    body += std::string("    window_caption\n      ") + (c.Caption ? "false" : "true") + "\n";
    body += std::string("    window_frame\n      ") + (c.Frame ? "true" : "false") + "\n";
    body += std::string("    window_caption\n      ") + (c.Caption ? "true" : "false") + "\n";
    body += "    @b1\n      window_frame\n    @b2\n      window_caption\n";
    RunBody(body);
    int32_t id = c.Element ? (int32_t)N(1) : 0;
    // The main window's remembered styles are what the engine computed; the
    // system may add an edge of its own to what it shows.
    uint32_t style = id ? StyleOf(id) : MainWindowStyle, ex = id ? ExStyleOf(id) : MainWindowExStyle;
    EXPECT_EQ(c.StyleOn, style & c.StyleOn) << c.Name << std::hex << " style " << style;
    EXPECT_EQ(0u, style & c.StyleOff) << c.Name << std::hex << " style " << style;
    EXPECT_EQ(c.ExOn, ex & c.ExOn) << c.Name << std::hex << " ex " << ex;
    EXPECT_EQ(0u, ex & c.ExOff) << c.Name << std::hex << " ex " << ex;
    EXPECT_EQ(c.Frame, B(1)) << c.Name;
    EXPECT_EQ(c.Caption, B(2)) << c.Name;
    if (id == 0) {
      EXPECT_EQ(MainWindowStyle & c.StyleOn, StyleOf(0) & c.StyleOn) << c.Name;
      EXPECT_EQ(0u, StyleOf(0) & c.StyleOff) << c.Name;
    }
    RECT client;
    GetClientRect(Windows[id].Handle, &client);
    if (id != 0) {
      EXPECT_EQ(client.right, Windows[id].ClientWidth) << c.Name << ": metrics re-read";
    }
    if (c.Element == El::window_new) DestroyWindowItem(id);
  }
}

TEST_F(WindowGeometryTest, TopmostForTopLevelWindowsOnly) {
  RunBody(R"(
    @n1
      button_new
    window_top
      true
    @b1
      window_top
    window_id
      num 0
    window_top
      true
    @b2
      window_top
    @n2
      window_new
    window_top
      true
    @b3
      window_top
)");
  EXPECT_EQ(0, B(1)) << "a control stays as it is";
  EXPECT_EQ(0u, ExStyleOf(1) & WS_EX_TOPMOST);
  EXPECT_EQ(1, B(2));
  EXPECT_NE(0u, MainWindowExStyle & WS_EX_TOPMOST);
  EXPECT_NE(0u, ExStyleOf(0) & WS_EX_TOPMOST);
  EXPECT_EQ(1, B(3));
  EXPECT_NE(0u, ExStyleOf((int32_t)N(2)) & WS_EX_TOPMOST);
  RunBody(R"(
    window_id
      num 0
    window_top
      false
    @b1
      window_top
)");
  EXPECT_EQ(0, B(1));
  EXPECT_EQ(0u, MainWindowExStyle & WS_EX_TOPMOST);
  EXPECT_EQ(0u, ExStyleOf(0) & WS_EX_TOPMOST);
}

}  // namespace
