// A drawing program under Wine: the colour under a point after a fill, a
// box fill and a background picture with a transparent pixel, returned as
// the exit code.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "run_program.h"
#include "values/palette_rule.h"

namespace {

uint32_t ColorValue(int index) {
  PaletteRgb c = PaletteColorAt(index);
  return c.Red + c.Green * 256u + c.Blue * 65536u;
}

// Fills the 4 x 3-field surface with colour 80, fills the box of fields
// (1, 1) .. (2, 2) with colour 134, shows an 8 x 8 picture of colour 30 with
// a transparent top-left pixel at field (2, 0), and returns the colour at
// field (X, Y).
std::string DrawingProgram(double x, double y) {
  char s[2048];
  snprintf(s, sizeof s, R"(
global
  main: function -> main_def
  screen: map = level
  pic: background = square
local
  main_def: function -> main_body
program
  main_body: function
    fill
      graph_color
        num %u
      fill_x
        num 3.5
      fill_y
        num 0.5
    box_fill
      graph_color
        num %u
      box_fill_x1
        num 1
      box_fill_y1
        num 1
      box_fill_x2
        num 2
      box_fill_y2
        num 2
    background_disp
      background_back
        @pic
      background_x
        num 2
      background_y
        num 0
    return_code
      get_point
        get_point_x
          num %.17g
        get_point_y
          num %.17g
picture blank fill=0
map level w=4 h=3 icon=blank param=0
background square w=8 h=8 fill=30
  |.
)",
           ColorValue(80), ColorValue(134), x, y);
  return s;
}

struct DrawingCase {
  std::string Name, Source;
  uint32_t Expected;
};

TEST(Drawing, ColourUnderAPoint) {
  std::vector<DrawingCase> cases = {
      {"the fill", DrawingProgram(3.5, 2.5), ColorValue(80)},
      {"the box", DrawingProgram(1.5, 1.5), ColorValue(134)},
      {"the box's far edge is excluded", DrawingProgram(2.01, 1.5), ColorValue(80)},
      {"the picture", DrawingProgram(66.5 / 32, 2.5 / 32), ColorValue(30)},
      {"the picture's transparent pixel", DrawingProgram(64.5 / 32, 7.5 / 32), ColorValue(80)},
      {"off the surface", DrawingProgram(4.5, 1), 0},
  };
  ExpectExitCodes(cases);
}

}  // namespace
