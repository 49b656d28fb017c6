// The drawing commands run as programs on tiny surfaces: the pixels each
// paints, compared with grids, the tiles each marks, and the operands that
// must neither loop for long nor leave the surface.
#include <gtest/gtest.h>
#include <algorithm>
#include "drawing_setup.h"

namespace {

std::string Pen() { return ColorOf(PenIndex); }

std::string Point(int w, int x, int y) {
  return Command("point", {{"graph_color", Pen()}, {"graph_width", Num(w)}, {"point_x", Px(x)}, {"point_y", Px(y)}});
}
std::string Line(double w, double x1, double y1, double x2, double y2) {
  return Command("line", {{"graph_color", Pen()}, {"graph_width", Num(w)}, {"line_x1", Px(x1)}, {"line_y1", Px(y1)},
                          {"line_x2", Px(x2)}, {"line_y2", Px(y2)}});
}
std::string Box(int w, int x1, int y1, int x2, int y2) {
  return Command("box", {{"graph_color", Pen()}, {"graph_width", Num(w)}, {"box_x1", Px(x1)}, {"box_y1", Px(y1)},
                          {"box_x2", Px(x2)}, {"box_y2", Px(y2)}});
}
std::string BoxFill(double x1, double y1, double x2, double y2) {
  return Command("box_fill", {{"graph_color", Pen()}, {"box_fill_x1", Px(x1)}, {"box_fill_y1", Px(y1)},
                              {"box_fill_x2", Px(x2)}, {"box_fill_y2", Px(y2)}});
}
std::string Fill(int x, int y) {
  return Command("fill", {{"graph_color", Pen()}, {"fill_x", Px(x)}, {"fill_y", Px(y)}});
}
// Width in pixels, radius in fields, as the circle takes them.
std::string Circle(double w, double cx, double cy, double radiusFields) {
  return Command("circle", {{"graph_color", Pen()}, {"graph_width", Num(w)}, {"circle_x", Px(cx)}, {"circle_y", Px(cy)},
                          {"circle_r", Num(radiusFields)}});
}
std::string CircleFill(double cx, double cy, double radiusFields) {
  return Command("circle_fill", {{"graph_color", Pen()}, {"circle_fill_x", Px(cx)}, {"circle_fill_y", Px(cy)}, {"circle_fill_r", Num(radiusFields)}});
}
std::string Sphere(uint8_t color, double cx, double cy, double radiusFields) {
  return Command("sphere", {{"graph_color", ColorOf(color)}, {"sphere_x", Px(cx)}, {"sphere_y", Px(cy)}, {"sphere_r", Num(radiusFields)}});
}
std::string Triangle(double x1, double y1, double x2, double y2, double x3, double y3) {
  return Command("triangle_fill", {{"graph_color", Pen()}, {"triangle_fill_x1", Px(x1)}, {"triangle_fill_y1", Px(y1)}, {"triangle_fill_x2", Px(x2)},
                          {"triangle_fill_y2", Px(y2)}, {"triangle_fill_x3", Px(x3)}, {"triangle_fill_y3", Px(y3)}});
}

struct GridCase {
  const char* Name;
  std::string Body;
  const char* Initial;  // the layer's corner before the body; null: black
  const char* Expected; // the corner after it; nothing else may change
};

class DrawingGrids : public DrawingTest {};

TEST_F(DrawingGrids, PrimitivesPaintTheirPixels) {
  const GridCase cases[] = {
      {"point of width 1", Point(1, 2, 1), nullptr, R"(
.....
.....
..#..
.....)"},
      {"point of width 2: right of and above it", Point(2, 2, 1), nullptr, R"(
.....
..##.
..##.
.....)"},
      {"point of width 0 draws nothing", Point(0, 2, 1), nullptr, R"(
.....
.....)"},
      {"point of width 4", Point(4, 3, 3), nullptr, R"(
...##..
..####.
..####.
...##..
.......
.......)"},
      {"point of width 5", Point(5, 3, 3), nullptr, R"(
.......
..###..
.#####.
.#####.
.#####.
..###..
.......)"},
      {"point of width 8", Point(8, 5, 5), nullptr, R"(
...........
....####...
...######..
..########.
..########.
..########.
..########.
...######..
....####...
...........
...........)"},
      {"point of width 9", Point(9, 5, 5), nullptr, R"(
...........
...#####...
..#######..
.#########.
.#########.
.#########.
.#########.
.#########.
..#######..
...#####...
...........)"},
      {"line whose ends coincide: the 3 x 3 dot", Line(3, 3, 3, 3, 3), nullptr, R"(
......
..###.
..###.
..###.
......
......)"},
      {"horizontal line of width 1 at the bottom row", Line(1, 0, 0, 5, 0), nullptr, R"(
........
........
######..)"},
      {"diagonal line of width 1", Line(1, 1, 1, 5, 5), nullptr, R"(
.......
.....#.
....#..
...#...
..#....
.#.....
.......)"},
      {"box outline of width 1", Box(1, 5, 4, 1, 1), nullptr, R"(
.......
.#####.
.#...#.
.#...#.
.#####.
.......)"},
      {"box fill: far edges excluded", BoxFill(0, 0, 3, 2), nullptr, R"(
.....
###..
###..)"},
      {"box fill with equal x paints nothing", BoxFill(2, 0, 2, 5), nullptr, R"(
.....
.....)"},
      {"box fill from negative corners", BoxFill(3, 2, -5, -7), nullptr, R"(
....
###.
###.)"},
      {"fill stops at the outline and at diagonal gaps", Fill(2, 2), R"(
.aaaa.
a...a.
a...a.
a...a.
aaaa.a)", R"(
.aaaa.
a###a.
a###a.
a###a.
aaaa.a)"},
      {"fill of the pen colour changes nothing", Fill(0, 0), R"(
###
#a#
###)", R"(
###
#a#
###)"},
      {"circle of width 1 and diameter 8", Circle(1, 6, 6, 3.875 / 32), nullptr, R"(
.............
.............
.....###.....
....#...#....
...#.....#...
..#.......#..
..#.......#..
..#.......#..
...#.....#...
....#...#....
.....###.....
.............
.............)"},
      {"circle of width 0.4 draws nothing", Circle(0.4, 6, 6, 3.875 / 32), nullptr, R"(
.............
.............)"},
      {"filled circle of radius 0.05: the 3 x 3 dot", CircleFill(2, 2, 0.05), nullptr, R"(
.....
.###.
.###.
.###.
.....)"},
      {"triangle", Triangle(0, 0, 6, 0, 0, 6), nullptr, R"(
#.......
##......
###.....
####....
#####...
######..
#######.)"},
      {"triangle on one row: between the second and third corners", Triangle(0, 1, 6, 1, 3, 1), nullptr, R"(
........
...####.
........)"},
  };
  for (const GridCase& c : cases) {
    Draw(c.Body, 1, 1, c.Initial);
    EXPECT_EQ(Text(c.Expected), GridLike(c.Expected)) << c.Name;
    std::vector<std::string> lines = GridLines(c.Expected);
    EXPECT_EQ(0, PaintedOutside((int32_t)lines[0].size(), (int32_t)lines.size())) << c.Name;
  }
}

// A disc of 19 pixels holds exactly the pixels of its circle test.
TEST_F(DrawingGrids, FilledCircleIsTheDiscOfItsDiameter) {
  Draw(CircleFill(15, 15, 0.3));
  int32_t wrong = 0, inside = 0;
  for (int32_t r = 0; r < SurfaceHeight; r++)
    for (int32_t c = 0; c < SurfaceWidth; c++) {
      int32_t dy = 2 * r - 30, dx = 2 * c - 30;
      bool disc = dy * dy + dx * dx <= 19 * 19;
      inside += disc;
      if ((Pixel(c, r) == PenIndex) != disc) wrong++;
    }
  EXPECT_EQ(0, wrong);
  EXPECT_GT(inside, 250);
  EXPECT_EQ(19, PenWidth) << "the diameter becomes the pen width";
}

// Swapping the ends of a line changes nothing; a line drawn down and one
// drawn up of the same slope differ only by their slide rules.
TEST_F(DrawingGrids, LineEndsAreOrdered) {
  const double lines[][4] = {{2, 3, 20, 11}, {4, 25, 9, 2}, {3, 3, 7, 28}, {28, 4, 5, 6}};
  for (const auto& l : lines) {
    for (int w : {1, 3, 6}) {
      Draw(Line(w, l[0], l[1], l[2], l[3]));
      std::string forward = Grid(32, 32);
      Draw(Line(w, l[2], l[3], l[0], l[1]));
      EXPECT_EQ(forward, Grid(32, 32)) << l[0] << "," << l[1] << " - " << l[2] << "," << l[3] << " width " << w;
      EXPECT_EQ(PenIndex, Pixel((int32_t)l[0], (int32_t)l[1]));
      EXPECT_EQ(PenIndex, Pixel((int32_t)l[2], (int32_t)l[3]));
    }
  }
}

// A thick line covers a band about its width across; its middle is solid.
TEST_F(DrawingGrids, ThickLineIsSolidAcross) {
  Draw(Line(5, 2, 2, 29, 29));
  for (int32_t t = 4; t < 28; t++) {
    for (int32_t off = -1; off <= 1; off++) EXPECT_EQ(PenIndex, Pixel(t + off, t - off)) << t << " " << off;
    EXPECT_EQ(BlackColor, Pixel(t + 4, t - 4)) << t;
  }
}

// A sphere in white shades through the greys, its highlight the colour
// itself; one in the last shade of a group has that shade and black only.
TEST_F(DrawingGrids, SphereShades) {
  Draw(Sphere(WhiteColor, 15, 15, 0.4));  // diameter 26
  EXPECT_EQ(WhiteColor, Pixel(15 - 6, 15 + 6)) << "the highlight";
  int32_t darkest = 0;
  for (int32_t r = 0; r < 32; r++)
    for (int32_t c = 0; c < 32; c++) {
      uint8_t p = Pixel(c, r);
      if (p == BlackColor) continue;
      EXPECT_GE(p, WhiteColor) << c << "," << r;
      if (p > darkest) darkest = p;
    }
  EXPECT_GE(darkest, 220) << "the far rim reaches the dark greys";
  // Doubled distance 40.25 from the highlight: 40.25 x 12 x 2.2 / 26 gives
  // level 40, the eleventh grey.
  EXPECT_EQ(222, Pixel(27, 12));
  uint8_t last = FirstGroupColor + ShadesPerGroup - 1;
  Draw(Sphere(last, 15, 15, 0.4));
  int32_t colored = 0;
  for (int32_t r = 0; r < 32; r++)
    for (int32_t c = 0; c < 32; c++) {
      uint8_t p = Pixel(c, r);
      EXPECT_TRUE(p == last || p == BlackColor) << (int)p;
      colored += p == last;
    }
  EXPECT_GT(colored, 100);
  EXPECT_EQ(DrawColor, PenIndex) << "untouched by the sphere";
}

// The tiles each command marks on a 4 x 4-tile surface, also where it
// draws nothing.
TEST_F(DrawingGrids, DirtyTiles) {
  struct Case {
    const char* Name;
    std::string Body;
    const char* Tiles;
  } cases[] = {
      {"point of width 1", Point(1, 40, 40), "....\n....\n.#..\n....\n"},
      {"point of width 3 across a corner", Point(3, 32, 32), "....\n....\n##..\n##..\n"},
      {"line: its rectangle plus half the width and one", Line(2, 40, 5, 62, 5), "....\n....\n....\n.##.\n"},
      {"line of width 0 marks nothing", Line(0, 40, 5, 62, 5), "....\n....\n....\n....\n"},
      {"box", Box(1, 33, 33, 62, 62), "....\n....\n.#..\n....\n"},
      {"box fill: the far edge on a tile boundary marks the next tile", BoxFill(0, 0, 32, 32),
       "....\n....\n##..\n##..\n"},
      {"fill of the whole surface", Fill(5, 5), "####\n####\n####\n####\n"},
      {"circle drawing nothing still marks", Circle(0.4, 64, 64, 0.5), "....\n.##.\n.##.\n....\n"},
      {"filled circle of diameter 30", CircleFill(64, 64, 30.0 / 64), "....\n.##.\n.##.\n....\n"},
      {"triangle left of the surface marks the edge", Triangle(-40, 10, -10, 20, -20, 15), "....\n....\n....\n#...\n"},
      {"triangle", Triangle(70, 70, 100, 70, 80, 120), "..##\n..##\n....\n....\n"},
  };
  for (const Case& c : cases) {
    Draw(c.Body, 4, 4);
    EXPECT_EQ(c.Tiles, Tiles()) << c.Name;
  }
}

// Operands far beyond the surface: the pen is capped, strokes, rings and
// rows are clipped before they are iterated, and nothing is written outside.
TEST_F(DrawingGrids, HugeOperandsFinishAndClip) {
  Draw(Line(1e9, -3e6, 16, 3e6, 16));
  EXPECT_EQ(MaxPenWidth, PenWidth);
  EXPECT_EQ(std::string::npos, Grid(32, 32).find('.')) << "the capped pen still covers the surface";

  // The default far corner of the box fill reaches the surface's edges.
  Draw(BoxFill(30, 29, 2000000 * 32.0, 2000000 * 32.0));
  EXPECT_EQ(6, 1024 - std::count(BackgroundLayer, BackgroundLayer + 1024, BlackColor));
  EXPECT_EQ(PenIndex, Pixel(31, 31));
  EXPECT_EQ(PenIndex, Pixel(30, 29));

  Draw(Box(2000000000, -1e8, -1e8, 1e8, 1e8));
  EXPECT_EQ(BlackColor, Pixel(16, 16)) << "the box's strokes lie far outside";

  Draw(Triangle(-1e9, -1e9, 1e9, 0, 0, 1e9));
  EXPECT_EQ(std::string::npos, Grid(32, 32).find('.')) << "the surface lies inside the triangle";

  // A ring of radius 100015.7 about a centre 100000 pixels left of the
  // surface passes through column 16 only.
  Draw(Circle(1, -100000, 16, 100015.9 / 32));
  for (int32_t r = 0; r < 32; r++)
    for (int32_t c = 0; c < 32; c++) EXPECT_EQ(c == 16 ? PenIndex : BlackColor, Pixel(c, r)) << c << "," << r;

  // Rings past the surface add nothing: a huge width draws what a width
  // just covering the surface draws.
  Draw(Circle(60, 10, 12, 0.1));
  std::string covering = Grid(32, 32);
  Draw(Circle(1e12, 10, 12, 0.1));
  EXPECT_EQ(covering, Grid(32, 32));
  Draw(Circle(3, 10, 12, 1e12));
  EXPECT_EQ(0, PaintedOutside(0, 0));
}

// Open columns at even x; the walls between them open alternately at the
// top and at the bottom.
void LayWindingRegion() {
  for (int32_t x = 0; x < SurfaceWidth; x++)
    for (int32_t y = 0; y < SurfaceHeight; y++) {
      bool open = x % 2 == 0 || (x % 4 == 1 && y == SurfaceHeight - 1) || (x % 4 == 3 && y == 0);
      BackgroundLayer[y * SurfaceStride + x] = open ? BlackColor : 30;
    }
}

// A one-pixel serpentine through a large surface: millions of pixels in
// runs of one, nested as deep as the region is long.
TEST_F(DrawingGrids, FillOfAWindingRegion) {
  Draw(Fill(0, 0), 64, 64, nullptr, LayWindingRegion);
  int64_t left = 0, painted = 0;
  for (int32_t i = 0; i < SurfaceWidth * SurfaceHeight; i++) {
    left += BackgroundLayer[i] == BlackColor;
    painted += BackgroundLayer[i] == PenIndex;
  }
  EXPECT_EQ(0, left);
  EXPECT_EQ((int64_t)SurfaceWidth / 2 * SurfaceHeight + SurfaceWidth / 2, painted);
}

}  // namespace
