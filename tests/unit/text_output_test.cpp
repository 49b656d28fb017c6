// Text output run as programs: where the lines' pixels fall (start point,
// line heights, stacking at an angle, centring in the text area, fixed
// pitch), not the glyphs' shapes; and what it marks.
#include <gtest/gtest.h>
#include <math.h>
#include "window/font_cache.h"
#include "drawing_setup.h"
#include "graphics/text_output.h"

namespace {

// The rectangle the pen-coloured pixels cover; Count 0 when there are none.
struct Ink {
  int32_t Left = 1 << 30, Right = -1, Bottom = 1 << 30, Top = -1, Count = 0;
};
Ink InkOf(int32_t fromRow = 0, int32_t toRow = 1 << 30) {
  Ink k;
  for (int32_t y = fromRow; y < SurfaceHeight && y <= toRow; y++)
    for (int32_t x = 0; x < SurfaceWidth; x++) {
      if (BackgroundLayer[y * SurfaceStride + x] != PenIndex) continue;
      k.Count++;
      if (x < k.Left) k.Left = x;
      if (x > k.Right) k.Right = x;
      if (y < k.Bottom) k.Bottom = y;
      if (y > k.Top) k.Top = y;
    }
  return k;
}

struct TextRequest {
  std::string Chars;  // C++ escapes; written into the program as \r and \n
  double X = 20, Y = 100;
  double Angle = 0, HeightPixels = 0, WidthFactor = 1;
  bool Bold = false, Courier = false;
};

std::string Escaped(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return out;
}

std::string Textout(const TextRequest& t) {
  return Command("textout", {{"textout_text", "text_const \"" + Escaped(t.Chars) + "\""},
                             {"graph_color", ColorOf(PenIndex)},
                             {"textout_x", Px(t.X)},
                             {"textout_y", Px(t.Y)},
                             {"textout_angle", Num(t.Angle)},
                             {"textout_h", Px(t.HeightPixels)},
                             {"textout_w", Num(t.WidthFactor)},
                             {"textout_bold", t.Bold ? "true" : "false"},
                             {"textout_courier", t.Courier ? "true" : "false"}});
}
class TextOutput : public DrawingTest {
 public:
  void SetUp() override {
    DrawingTest::SetUp();
    if (!UserFontName.Data) InitFontTexts();
    if (!FontCache) InitFontCache();
    TextAreaWidth = 0;
  }
  void TearDown() override {
    TextAreaWidth = 0;
    ReleaseFontCache();
    DrawingTest::TearDown();
  }
  // Draws on a 256 x 128 surface.
  Ink Write(const TextRequest& t, const std::string& before = "") {
    Draw(before + Textout(t), 8, 4);
    return InkOf();
  }
};

std::string SetAreaWidth(double pixels) {
  return "    graph_area_width\n      " + Px(pixels) + "\n";
}

TEST_F(TextOutput, EmptyTextDrawsNothingAndMarksEverything) {
  TextRequest t;
  t.Chars = "";
  EXPECT_EQ(0, Write(t).Count);
  EXPECT_EQ("########\n########\n########\n########\n", Tiles());
  DrawColor = 77;
  t.Chars = "Hg";
  EXPECT_GT(Write(t).Count, 10);
  EXPECT_EQ(77, DrawColor) << "the text colour is not the pen's";
}

// At angle 0 the first line's cell stands on y: a 20-pixel font's cell
// covers rows y .. y + 19.
TEST_F(TextOutput, FirstLineStandsOnY) {
  TextRequest t;
  t.Chars = "Hg";
  t.HeightPixels = 20;
  Ink k = Write(t);
  EXPECT_GE(k.Bottom, 100);
  EXPECT_LE(k.Top, 119);
  EXPECT_GE(k.Top, 110) << "capitals reach the upper part of the cell";
  EXPECT_LE(k.Bottom, 106) << "the descender reaches the lower part";
  EXPECT_GE(k.Left, 20);
  EXPECT_LE(k.Left, 23);
}

// Lines stack downward by the line height: 13 pixels for the default font
// at width factor 1, 16 at factor 0, 15 bold courier, 10 courier, the
// height itself otherwise. (Where lines overlap, a later line's opaque cell
// clears the lower part of the line above; the first line's top and the
// last line's bottom stay whole.)
TEST_F(TextOutput, LineHeights) {
  struct Case {
    const char* Name;
    double WidthFactor, HeightPixels;
    bool Bold, Courier;
    int32_t LineHeight;
  } cases[] = {
      {"default", 1, 0, false, false, 13},      {"width factor 0", 0, 0, false, false, 16},
      {"bold", 1, 0, true, false, 16},          {"bold courier", 1, 0, true, true, 15},
      {"courier", 1, 0, false, true, 10},       {"16 pixels given", 1, 16, false, false, 13},
      {"20 pixels", 1, 20, false, false, 20},   {"width factor 2", 2, 0, false, false, 16},
  };
  for (const Case& c : cases) {
    TextRequest t;
    t.WidthFactor = c.WidthFactor;
    t.HeightPixels = c.HeightPixels;
    t.Bold = c.Bold;
    t.Courier = c.Courier;
    t.Chars = "H";
    Ink one = Write(t);
    t.Chars = "H\r\nH\r\nH";
    Ink three = Write(t);
    ASSERT_GT(one.Count, 0) << c.Name;
    EXPECT_EQ(one.Top, three.Top) << c.Name;
    EXPECT_EQ(one.Bottom - 2 * c.LineHeight, three.Bottom) << c.Name;
    EXPECT_EQ(one.Left, three.Left) << c.Name;
  }
}

// The default layout moves the first line: courier by 6 rows down, plain
// text by 3, against the same request at width factor 1.0001.
TEST_F(TextOutput, DefaultLayoutOffsets) {
  struct Case {
    bool Bold, Courier;
    int32_t Offset;
  } cases[] = {{false, false, 3}, {false, true, 6}, {true, true, 1}, {true, false, 0}};
  for (const Case& c : cases) {
    TextRequest t;
    t.Chars = "H";
    t.Bold = c.Bold;
    t.Courier = c.Courier;
    Ink shifted = Write(t);
    t.WidthFactor = 1.0001;  // the same font width, no default layout
    Ink plain = Write(t);
    EXPECT_EQ(plain.Top - c.Offset, shifted.Top) << c.Bold << c.Courier;
  }
}

// At a quarter turn the text runs upward from one line height left of x;
// the second line lies below the first, not further left.
TEST_F(TextOutput, QuarterTurnStacksDownward) {
  TextRequest t;
  t.Chars = "HH";
  t.HeightPixels = 20;
  t.X = 60;
  t.Y = 40;
  t.Angle = 1.5707963267948966;  // pi / 2
  Ink first = Write(t);
  ASSERT_GT(first.Count, 0);
  EXPECT_GE(first.Left, 40);
  EXPECT_LE(first.Right, 59);
  EXPECT_GE(first.Bottom, 40);
  EXPECT_GT(first.Top, 50) << "two letters upward";
  t.Chars = "HH\r\nHH";
  Ink both = Write(t);
  EXPECT_EQ(first.Left, both.Left);
  EXPECT_EQ(first.Right, both.Right);
  EXPECT_EQ(first.Bottom - 20, both.Bottom);
  EXPECT_EQ(2 * first.Count, both.Count);
}

// In a text area each line is centred: (area - extent) / 2 right of x, or
// at x when the line is wider than the area.
TEST_F(TextOutput, TextAreaCentresEachLine) {
  TextRequest t;
  t.Chars = "HHHH";
  Ink plain = Write(t);
  Ink in100 = Write(t, SetAreaWidth(100));
  EXPECT_EQ(100, TextAreaWidth);
  Ink in120 = Write(t, SetAreaWidth(120));
  int32_t shift = in100.Left - plain.Left;
  int32_t width = plain.Right - plain.Left + 1;
  EXPECT_GT(shift, 0);
  EXPECT_NEAR((100 - width) / 2, shift, 3) << "centred by the extent, close to the ink's width";
  EXPECT_EQ(shift + 10, in120.Left - plain.Left);
  EXPECT_EQ(plain.Left, Write(t, SetAreaWidth(10)).Left) << "wider than the area";
  EXPECT_EQ(plain.Left, Write(t, SetAreaWidth(0)).Left) << "no area";
  // Lines of different widths, each centred by itself.
  t.Chars = "H\r\nHHHHH";
  int32_t top = Write(t, SetAreaWidth(100)).Top;
  Ink first = InkOf(top - 12, top), second = InkOf(0, top - 13);
  ASSERT_GT(first.Count, 0);
  ASSERT_GT(second.Count, 0);
  EXPECT_GT(first.Left - second.Left, 2 * (width / 4)) << "four letters' width less, halved";
  EXPECT_NEAR(shift - width / 8, second.Left - plain.Left, 2) << "five letters centred";
}

// Courier text is fixed-pitch: ten i and ten W end at nearly the same
// column; in the proportional face the W end far later.
TEST_F(TextOutput, CourierIsFixedPitch) {
  for (bool courier : {true, false}) {
    TextRequest t;
    t.Courier = courier;
    t.Chars = "iiiiiiiiii";
    Ink narrow = Write(t);
    t.Chars = "WWWWWWWWWW";
    Ink wide = Write(t);
    if (courier)
      EXPECT_LT(abs(wide.Right - narrow.Right), 10);
    else
      EXPECT_GT(wide.Right - narrow.Right, 40);
  }
}

}  // namespace
