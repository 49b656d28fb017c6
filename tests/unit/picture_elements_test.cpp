// Picture elements run as compiled programs: sizes in fields, resize with a
// free side and negative sizes, mirrors, turns, colour scaling, masks and
// pictures from maps and icons, with their operands' defaults.
#include <string>
#include "expression_fixture.h"

namespace {

// wide is 64 x 32 of colour 5 with a 2 x 2 marker (200) in its top-left corner.
const char* const PictureProgram = R"(
picture ball fill=7
  key o=200
  |o
picture spare fill=9
background wide w=64 h=32 fill=5
  key o=200
  |oo
  |oo
background small w=40 h=2 fill=3
background out0 w=1 h=1 fill=0
map two w=2 h=1 icon=ball param=0
global
  main: function -> main_def
  r: real = 0
  p: background = wide
  q: background = small
  out: background = out0
  m: map = two
  ic: picture = spare
  nan: real = nan
local
  main_def: function -> main_body
program
  main_body: function
%CMD%
)";

const uint8_t Marker = 200;

class PictureElements : public ProgramTest {
 public:
  bool RunCommands(const std::string& commands) {
    SetUp();
    std::string source = PictureProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    Run();
    return true;
  }
  static int32_t Entry(int32_t k) { return GlobalItemLinks[k].DataIndex; }
  static Picture& P() { return Pictures[Entry(2)]; }
  static Picture& Out() { return Pictures[Entry(4)]; }

  // out := the expression; its size and the box of the marker pixels.
  std::string Result(const std::string& expression) {
    if (!RunCommands("(@out " + expression + ")")) return "program failed";
    return Describe(Out());
  }
  static std::string Describe(const Picture& p) {
    int32_t x0 = p.Width(), y0 = p.Height(), x1 = -1, y1 = -1;
    for (int32_t y = 0; y < p.Height(); y++)
      for (int32_t x = 0; x < p.Width(); x++)
        if (p.Pixels()[y * p.Width() + x] == Marker) {
          x0 = x < x0 ? x : x0;
          y0 = y < y0 ? y : y0;
          x1 = x > x1 ? x : x1;
          y1 = y > y1 ? y : y1;
        }
    std::string s = std::to_string(p.Width()) + "x" + std::to_string(p.Height());
    if (x1 < 0) return s + " no marker";
    return s + " marker " + std::to_string(x0) + "," + std::to_string(y0) + "-" + std::to_string(x1) + "," +
           std::to_string(y1);
  }
};

TEST_F(PictureElements, SizesInFields) {
  ASSERT_TRUE(RunCommands("(@r (picture_width (@q)))"));
  EXPECT_EQ(1.25, Numbers[Entry(1)]);
  ASSERT_TRUE(RunCommands("(@r (picture_height (@q)))"));
  EXPECT_EQ(0.0625, Numbers[Entry(1)]);
}

// Sizes are in fields (32 pixels); a side beyond 1024 fields is free.
TEST_F(PictureElements, ResizeWithFreeAndNegativeSides) {
  struct Case {
    const char* Operands;
    const char* Expected;
  };
  const Case cases[] = {
      {"(picture_resize_w (1))", "32x16 marker 0,15-0,15"},
      {"(picture_resize_w (num -4))", "128x64 marker 124,0-127,3"},  // both mirrors before the enlarging
      {"(picture_resize_w (num -4)) (picture_resize_h (1))", "128x32 marker 124,30-127,31"},
      {"(picture_resize_w (num -1)) (picture_resize_h (num -0.5))", "32x16 marker 31,0-31,0"},  // both mirrors after the shrinking
      {"(picture_resize_w (1)) (picture_resize_h (num -0.5))", "32x16 marker 0,0-0,0"},
      {"(picture_resize_h (2))", "128x64 marker 0,60-3,63"},
      {"(picture_resize_h (num -2))", "128x64 marker 124,0-127,3"},
      {"(picture_resize_w (num 1025)) (picture_resize_h (num 0.5))", "32x16 marker 0,15-0,15"},
      {"(picture_resize_w (num 0.03125)) (picture_resize_h (num 0.03125))", "1x1 no marker"},  // the bottom-left pixel
      {"(picture_resize_w (num 2)) (picture_resize_h (num 1))", "64x32 marker 0,30-1,31"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.Expected, Result(std::string("(picture_resize (picture_resize_pic (@p)) ") + c.Operands + ")")) << c.Operands;
}

TEST_F(PictureElements, ResizeToNothingOrFreeSides) {
  const char* empty[] = {"(picture_resize_w (0))", "(picture_resize_h (0))", "(picture_resize_w (num 0.01)) (picture_resize_h (2))", "(picture_resize_w (num 0.001))"};
  for (const char* operands : empty) {
    ASSERT_TRUE(RunCommands(std::string("(@out (picture_resize (picture_resize_pic (@p)) ") + operands + "))"));
    EXPECT_EQ(EmptyPicture.Held(), Out().Held()) << operands;
  }
  const char* unchanged[] = {"", "(picture_resize_w (@nan)) (picture_resize_h (num 1e10))", "(picture_resize_w (num 2)) (picture_resize_h (num 1))"};
  for (const char* operands : unchanged) {
    ASSERT_TRUE(RunCommands(std::string("(@out (picture_resize (picture_resize_pic (@p)) ") + operands + "))"));
    EXPECT_EQ(P().Held(), Out().Held()) << operands;
  }
}

// Smooth blends the marker into its surroundings; nearest keeps two colours.
TEST_F(PictureElements, ResizeSmoothly) {
  ASSERT_TRUE(RunCommands("(@out (picture_resize (picture_resize_pic (@p)) (picture_resize_w (num 4)) (picture_smooth (true))))"));
  ASSERT_EQ(128, Out().Width());
  bool blended = false;
  for (int32_t i = 0; i < 128 * 64; i++) blended |= Out().Pixels()[i] != 5 && Out().Pixels()[i] != Marker;
  EXPECT_TRUE(blended);
  EXPECT_EQ(5, Out().Pixels()[0]);
}

TEST_F(PictureElements, MirrorsAndTurns) {
  struct Case {
    const char* Expression;
    const char* Expected;
  };
  const Case cases[] = {
      {"(picture_mirror_x (@p))", "64x32 marker 62,30-63,31"},
      {"(picture_mirror_y (@p))", "64x32 marker 0,0-1,1"},
      {"(picture_rotate (picture_rotate_pic (@p)) (picture_rotate_angle (num 1.5707963267948966)))", "32x64 marker 0,0-1,1"},
      {"(picture_rotate (picture_rotate_pic (@p)) (picture_rotate_angle (num 3.14159265)))", "64x32 marker 62,0-63,1"},
      {"(picture_rotate (picture_rotate_pic (@p)) (picture_rotate_angle (num -1.5707963267948966)))", "32x64 marker 30,62-31,63"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Expected, Result(c.Expression)) << c.Expression;
  ASSERT_TRUE(RunCommands("(@out (picture_rotate (picture_rotate_pic (@p))))"));
  EXPECT_EQ(P().Held(), Out().Held()) << "the default angle 0";
  ASSERT_TRUE(RunCommands("(@out (picture_rotate (picture_rotate_pic (@p)) (picture_rotate_angle (@nan))))"));
  EXPECT_EQ(P().Held(), Out().Held()) << "a NaN angle";
  ASSERT_TRUE(RunCommands("(@out (picture_mirror_x (@p)))"));
  EXPECT_EQ("64x32 marker 0,30-1,31", Describe(P())) << "the variable keeps its pixels";
}

TEST_F(PictureElements, ScaleColors) {
  uint8_t half = ColorCube[ColorCubeCell(108, 0, 0)];  // colour 3 is (215, 0, 0)
  ASSERT_TRUE(RunCommands("(@out (picture_scale_colors (picture_scale_colors_pic (@q)) (picture_scale_colors_factor (num 0.5))))"));
  EXPECT_EQ(half, Out().Pixels()[0]);
  EXPECT_EQ(half, Out().Pixels()[79]);
  ASSERT_TRUE(RunCommands("(@out (picture_scale_colors (picture_scale_colors_pic (@q)) (picture_scale_colors_factor (num 0.5)) (picture_dither (true))))"));
  EXPECT_NE(Out().Pixels()[0], Out().Pixels()[1]) << "smooth scaling dithers the uniform row";
  ASSERT_TRUE(RunCommands("(@out (picture_scale_colors (picture_scale_colors_pic (@q))))"));
  EXPECT_EQ(Pictures[Entry(3)].Held(), Out().Held()) << "the default factor 1";
}

TEST_F(PictureElements, Mask) {
  ASSERT_TRUE(RunCommands("(@out (picture_mask (picture_mask_pic (@p)) (picture_mask_mask (@q))))"));
  ASSERT_EQ(64, Out().Width());
  const uint8_t* pixels = Out().Pixels();
  EXPECT_EQ(5, pixels[0]);
  EXPECT_EQ(5, pixels[64 + 39]) << "inside the 40 x 2 mask";
  EXPECT_EQ(0, pixels[40]) << "right of the mask";
  EXPECT_EQ(0, pixels[2 * 64]) << "above the mask";
  EXPECT_EQ(0, pixels[31 * 64]) << "the marker is above the mask";
  EXPECT_EQ("64x32 marker 0,30-1,31", Describe(P()));
}

TEST_F(PictureElements, FromMapAndIcon) {
  ASSERT_TRUE(RunCommands("(@out (picture_from_map (@m)))"));
  EXPECT_EQ("64x32 marker 0,31-32,31", Describe(Out())) << "both cells show ball's top-left marker";
  EXPECT_EQ(7, Out().Pixels()[31 * 64 + 31]);
  ASSERT_TRUE(RunCommands("(@out (picture_from_icon (@ic)))"));
  EXPECT_EQ("32x32 no marker", Describe(Out()));
  EXPECT_EQ(9, Out().Pixels()[0]);
}

}  // namespace
