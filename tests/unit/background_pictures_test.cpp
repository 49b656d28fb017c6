// Pictures drawn on the background layer and read back from it, the colour
// under a point and the two colour numbers, run as programs on tiny surfaces.
#include <gtest/gtest.h>
#include <math.h>
#include "drawing_setup.h"

namespace {

// background_disp of a global picture at (x, y), block bx, by, bw, bh in
// pixels (the defaults take the whole picture).
std::string Disp(const char* picture, double x, double y, double bx = 0, double by = 0, double bw = 2000000 * 32.0,
                 double bh = 2000000 * 32.0) {
  return Command("background_disp", {{"background_back", std::string("@") + picture}, {"background_x", Px(x)},
                                     {"background_y", Px(y)}, {"background_block_x", Px(bx)},
                                     {"background_block_y", Px(by)}, {"background_block_w", Px(bw)},
                                     {"background_block_h", Px(bh)}});
}

class BackgroundPictures : public DrawingTest {};

TEST_F(BackgroundPictures, DisplayByState) {
  struct Case {
    const char* Name;
    std::string Body;
    const char* Initial;
    const char* Expected;
  } cases[] = {
      {"opaque", Disp("opaque", 1, 1), nullptr, R"(
.....
.aba.
.bab.
.....)"},
      {"a block of the bottom row", Disp("opaque", 0, 0, 1, 0, 2, 1), nullptr, R"(
....
ab..)"},
      {"a block passing the picture's edge is cut there", Disp("opaque", 0, 0, 2, 1, 5, 5), nullptr, R"(
....
a...)"},
      {"left of and below the surface", Disp("opaque", -1, -1), nullptr, R"(
....
ba..)"},
      {"transparent pixels keep the layer, shadow pixels darken it", Disp("masked", 0, 0), R"(
c.cc
cccc)", R"(
a.cc
cebc)"},
      {"invisible", Disp("clear", 0, 0), R"(
cc
cc)", R"(
cc
cc)"},
      {"an empty block", Disp("opaque", 0, 0, 0, 0, 0, 2), nullptr, R"(
...
...)"},
  };
  for (const auto& c : cases) {
    Draw(c.Body, 1, 1, c.Initial);
    EXPECT_EQ(Text(c.Expected), GridLike(c.Expected)) << c.Name;
    std::vector<std::string> lines = GridLines(c.Expected);
    EXPECT_EQ(0, PaintedOutside((int32_t)lines[0].size(), (int32_t)lines.size())) << c.Name;
  }
}

// The state found by the first display is kept in the picture's record.
TEST_F(BackgroundPictures, ClassificationIsStoredInTheRecord) {
  Draw(Disp("opaque", 0, 0) + Disp("masked", 0, 0) + Disp("clear", 0, 0));
  EXPECT_EQ(Opaque, GlobalPicture(0).Data->State);
  EXPECT_EQ(Masked, GlobalPicture(1).Data->State);
  EXPECT_EQ(Invisible, GlobalPicture(2).Data->State);
}

TEST_F(BackgroundPictures, DisplayMarksTheClippedRectangle) {
  struct Case {
    const char* Name;
    std::string Body;
    const char* Tiles;
  } cases[] = {
      {"across a tile corner", Disp("opaque", 30, 30), "....\n....\n##..\n##..\n"},
      {"an invisible picture marks too", Disp("clear", 40, 40), "....\n....\n.#..\n....\n"},
      {"clipped at the top right", Disp("opaque", 127, 127), "...#\n....\n....\n....\n"},
      {"wholly outside marks nothing", Disp("opaque", 200, 5), "....\n....\n....\n....\n"},
  };
  for (const auto& c : cases) {
    Draw(c.Body, 4, 4);
    EXPECT_EQ(c.Tiles, Tiles()) << c.Name;
  }
}

// Layer pixel (x, y) is 2 + x + 7 y (mod 200), so every pixel read back
// shows where it came from.
uint8_t Pattern(int32_t x, int32_t y) { return (uint8_t)(2 + (x + 7 * y) % 200); }
void LayPattern() {
  for (int32_t y = 0; y < SurfaceHeight; y++)
    for (int32_t x = 0; x < SurfaceWidth; x++) BackgroundLayer[y * SurfaceStride + x] = Pattern(x, y);
}

std::string GetBlock(double x, double y, double w, double h) {
  return "    @got\n" + Command("background_get", {{"background_block_x", Px(x)}, {"background_block_y", Px(y)},
                                                  {"background_block_w", Px(w)}, {"background_block_h", Px(h)}},
                                3);
}

TEST_F(BackgroundPictures, PictureOfABlock) {
  struct Case {
    double X, Y, W, H;
    int32_t Width, Height;
  } cases[] = {
      {26, 3, 16, 4, 16, 4},                       // 10 columns past the right edge
      {-3, -2, 5, 6, 5, 6},                        // left of and below the surface
      {0, 0, 2000000 * 32.0, 2000000 * 32.0, 32, 32},  // the defaults: the whole surface
      {0, 30, 99999, 1, 32767, 1},                 // no wider than a picture can be
  };
  for (const Case& c : cases) {
    Draw(GetBlock(c.X, c.Y, c.W, c.H), 1, 1, nullptr, LayPattern);
    const Picture& p = GlobalPicture(3);
    ASSERT_EQ(c.Width, p.Width()) << c.X;
    ASSERT_EQ(c.Height, p.Height()) << c.X;
    int32_t wrong = 0;
    for (int32_t j = 0; j < c.Height; j++)
      for (int32_t i = 0; i < c.Width; i++) {
        int32_t x = (int32_t)c.X + i, y = (int32_t)c.Y + j;
        bool on = x >= 0 && x < 32 && y >= 0 && y < 32;
        wrong += p.Pixels()[j * c.Width + i] != (on ? Pattern(x, y) : BlackColor);
      }
    EXPECT_EQ(0, wrong) << c.X << ", " << c.Y;
  }
  for (double w : {0.0, -5.0}) {
    Draw(GetBlock(0, 0, w, 4));
    EXPECT_EQ(EmptyPicture.Data, GlobalPicture(3).Data) << w;
  }
}

std::string GetIcon(double x, double y) {
  return "    @icon\n" + Command("background_get_icon", {{"background_block_x", Px(x)}, {"background_block_y", Px(y)}}, 3);
}

// The visible part of the block, centred in the icon; the rest transparent.
TEST_F(BackgroundPictures, IconOfABlock) {
  struct Case {
    int32_t X, Y;
    int32_t Columns, Rows;  // visible
  } cases[] = {{0, 0, 32, 32}, {-10, 0, 22, 32}, {0, 20, 32, 12}, {-31, -31, 1, 1}};
  for (const Case& c : cases) {
    Draw(GetIcon(c.X, c.Y), 1, 1, nullptr, LayPattern);
    const uint8_t* pixels = IconGot().Pixels();
    int32_t column0 = (32 - c.Columns) / 2, row0 = (32 - c.Rows) / 2;
    int32_t left = c.X < 0 ? 0 : c.X, bottom = c.Y < 0 ? 0 : c.Y;
    int32_t wrong = 0;
    for (int32_t j = 0; j < 32; j++)
      for (int32_t i = 0; i < 32; i++) {
        bool shown = i >= column0 && i < column0 + c.Columns && j >= row0 && j < row0 + c.Rows;
        uint8_t expected = shown ? Pattern(left + i - column0, bottom + j - row0) : TransparentColor;
        wrong += pixels[j * 32 + i] != expected;
      }
    EXPECT_EQ(0, wrong) << c.X << ", " << c.Y;
  }
  for (int32_t x : {-32, -40, 32}) {
    Draw(GetIcon(x, 0), 1, 1, nullptr, LayPattern);
    EXPECT_EQ(EmptyIcon.Data, IconGot().Data) << x;
  }
}

TEST_F(BackgroundPictures, ColorUnderAPoint) {
  auto point = [](double x, double y) {
    return AssignR("get_point", {{"get_point_x", Px(x)}, {"get_point_y", Px(y)}});
  };
  struct Case {
    double X, Y;
    double Expected;
  } cases[] = {{3, 2, (double)PaletteColors[Pattern(3, 2)]},
               {31, 31, (double)PaletteColors[Pattern(31, 31)]},
               {32, 0, 0},
               {-1, 5, 0},
               {0, 0, 0}};  // a transparent pixel
  for (const Case& c : cases) {
    Draw(point(c.X, c.Y), 1, 1, nullptr, [] {
      LayPattern();
      BackgroundLayer[0] = TransparentColor;
    });
    EXPECT_EQ(c.Expected, R()) << c.X << ", " << c.Y;
  }
  EXPECT_NE(0u, PaletteColors[Pattern(3, 2)]);
}

TEST_F(BackgroundPictures, ColorLevelAndRgb) {
  auto level = [](uint8_t color, const std::string& value) {
    return AssignR("color_shade", {{"graph_color", ColorOf(color)}, {"color_shade_level", value}});
  };
  const uint8_t group = 62, grey = 215;
  struct Case {
    std::string Body;
    double Expected;
  } cases[] = {
      {level(group + 3, Num(1)), (double)PaletteColors[group]},
      {level(group, Num(0.5)), (double)PaletteColors[group + 3]},
      {level(group, Num(0)), 0},
      {level(group, Num(0.07)), 0},
      {level(group, Num(-2)), 0},
      {level(group, Num(9)), (double)PaletteColors[group]},
      {level(group, "@nan"), 0},
      {level(grey, Num(0.5)), (double)PaletteColors[FirstGreyColor + 5]},
      {level(grey, Num(1)), (double)PaletteColors[WhiteColor]},
      {level(BlackColor, Num(1.0 / 11)), (double)PaletteColors[FirstGreyColor + 10]},
      {AssignR("color_rgb", {{"color_rgb_r", Num(1)}, {"color_rgb_g", Num(0.5)}, {"color_rgb_b", Num(0)}}), 255 + 128 * 256},
      {AssignR("color_rgb", {{"color_rgb_r", Num(-1)}, {"color_rgb_g", Num(0)}, {"color_rgb_b", Num(7)}}), 255 * 65536},
  };
  for (const Case& c : cases) {
    Draw(c.Body);
    EXPECT_EQ(c.Expected, R()) << c.Body;
  }
}

}  // namespace
