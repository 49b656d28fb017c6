// The display of a bound program under Wine, read back from the real window
// by the window probe: map icons over the background, a sprite with its
// shadow over a known colour, the same at zoom 2; and a program whose sprite
// operands are NaN, infinite and huge ends promptly with its result; the
// bundled program's drawing in the sky.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "lib/bundled_program.h"
#include "lib/program_asm.h"
#include "run_program.h"
#include "values/palette_rule.h"

namespace {

// A 6 x 3 map: sky on the top row, white elsewhere but cell (1, 0), whose
// icon is opaque 100 on its left half and transparent on its right half.
// The sprite at (0, 0) is 32 x 32: in its top half, 16 columns of colour 150,
// then 16 columns of shadow; its bottom half is transparent.
const char* const DisplayProgram = R"(
key o=150 k=1 c=100
picture white fill=212
picture sky fill=140
picture half fill=0
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
  |cccccccccccccccc
map field w=6 h=3 icon=white
  cell 0 2 icon=sky
  cell 1 2 icon=sky
  cell 2 2 icon=sky
  cell 3 2 icon=sky
  cell 4 2 icon=sky
  cell 5 2 icon=sky
  cell 1 0 icon=half
sprite nobody phases=1 directions=1 rest=1 w=32 h=32 fill=0
sprite block phases=1 directions=1 rest=1 w=32 h=32 fill=0
  frame fill=0
%ROWS%
global
  main: function "Display" -> main_def
  s: sprite = block
    sx: sprite_x
    sy: sprite_y
    sv: sprite_vis
local
  main_def: function -> main_body
program
  main_body: function
    @sx
      num 0
    @sy
      num 0
    @sv
      true
    repeat
      repeat_num
        num 400
      while_body
        wait
)";

std::string DisplaySource() {
  std::string rows;
  for (int y = 0; y < 16; y++) rows += "    |" + std::string(16, 'o') + std::string(16, 'k') + "\n";
  std::string s = DisplayProgram;
  s.replace(s.find("%ROWS%\n"), 7, rows);
  return s;
}

unsigned Rgb(int index) {
  PaletteRgb c = PaletteColorAt(index);
  return (unsigned)c.Red << 16 | c.Green << 8 | c.Blue;
}

// The probe's "pixel X,Y RRGGBB" for that point, or ~0u.
unsigned PixelAt(const std::string& output, int x, int y) {
  char head[32];
  snprintf(head, sizeof head, "pixel %d,%d ", x, y);
  size_t at = output.find(head);
  return at == std::string::npos ? ~0u : (unsigned)strtoul(output.c_str() + at + strlen(head), nullptr, 16);
}

TEST(DisplayPixels, WindowShowsMapAndSprite) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(DisplaySource(), &error);
  ASSERT_FALSE(image.empty()) << error;
  uint8_t darker[256];
  ComputeDarkerColors(darker);
  const struct {
    int X, Y;
    int Index;
    const char* What;
  } points[] = {
      {8, 72, 150, "the sprite's opaque half"},
      {24, 72, darker[212], "its shadow over the white icon"},
      {8, 88, 212, "the white icon under the sprite's transparent half"},
      {40, 88, 100, "the masked icon's opaque half"},
      {56, 88, 223, "the black background through its transparent half"},
      {10, 10, 140, "a sky icon"},
  };
  for (int zoom : {1, 2}) {
    RunOptions options;
    options.Launcher = "tools/yltwin.exe";
    options.ExeName = zoom == 1 ? "display.exe" : "display2.exe";
    char size[32];
    snprintf(size, sizeof size, "size=%d,%d", 192 * zoom, 96 * zoom);
    options.Args = {"pixels", "30000", size, "after=1500"};
    for (auto& p : points) options.Args.push_back(std::to_string(p.X * zoom) + "," + std::to_string(p.Y * zoom));
    ProgramRun run = RunImage(image, options);
    ASSERT_TRUE(run.Started) << run.Output;
    for (auto& p : points)
      EXPECT_EQ(Rgb(p.Index), PixelAt(run.Output, p.X * zoom, p.Y * zoom))
          << p.What << " at zoom " << zoom << "\n" << run.Output;
  }
  EXPECT_NE(Rgb(212), Rgb(darker[212])) << "the shadow is seen";
}

// A client area wider than the zoomed surface: the surface is centred and the
// margins beside it are filled with the window's background colour.
TEST(DisplayPixels, MarginsAroundTheCentredSurface) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(DisplaySource(), &error);
  ASSERT_FALSE(image.empty()) << error;
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = "margins.exe";
  // Zoom 33/32: a display of 198 x 99 at offset (26, -1) in 250 x 96.
  options.Args = {"pixels", "30000", "size=250,96", "after=1500", "5,50", "244,50", "27,10", "222,10"};
  ProgramRun run = RunImage(image, options);
  ASSERT_TRUE(run.Started) << run.Output;
  unsigned left = PixelAt(run.Output, 5, 50), right = PixelAt(run.Output, 244, 50);
  EXPECT_EQ(left, right) << run.Output;
  EXPECT_NE(Rgb(140), left) << run.Output;
  EXPECT_NE(Rgb(212), left) << run.Output;
  EXPECT_EQ(Rgb(140), PixelAt(run.Output, 27, 10)) << "the sky at the surface's left edge\n" << run.Output;
  EXPECT_EQ(Rgb(140), PixelAt(run.Output, 222, 10)) << "and at its right edge\n" << run.Output;
}

// The bundled program draws its sky, a box, a sun in a ring over the
// background, behind clear sky icons; the meadow's icons stay opaque.
TEST(DisplayPixels, BundledProgramDrawsItsSky) {
  std::vector<uint8_t> image;
  std::string error;
  ASSERT_TRUE(BundledImage(image, error)) << error;
  const struct {
    int X, Y;
    unsigned Rgb;
    const char* What;
  } points[] = {
      {300, 55, Rgb(140), "the sky, filled over the background"},
      {275, 26, 0xFFFF00, "the sun's middle"},
      {257, 26, 0xFF0000, "its ring"},
      {6, 45, 0xFFFFFF, "the box's left side"},
      {5, 45, Rgb(140), "the sky left of it"},
      {10, 100, Rgb(80), "a meadow icon"},
  };
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = "bundled_sky.exe";
  options.Args = {"pixels", "30000", "size=320,160", "after=1500"};
  for (auto& p : points) options.Args.push_back(std::to_string(p.X) + "," + std::to_string(p.Y));
  ProgramRun run = RunImage(image, options);
  ASSERT_TRUE(run.Started) << run.Output;
  for (auto& p : points) EXPECT_EQ(p.Rgb, PixelAt(run.Output, p.X, p.Y)) << p.What << "\n" << run.Output;
}

// Sprite operands that are NaN, infinite or huge: the program walks, turns
// and re-phases its sprite, waits, and ends with its result.
TEST(Display, HugeAndNaNSpriteOperandsEndPromptly) {
  const char* source = R"(
sprite nobody phases=1 directions=1 rest=1 w=32 h=32 fill=0
sprite hero phases=4 directions=8 rest=2 w=32 h=32 fill=150 delay=55
global
  main: function -> main_def
  nanv: real = nan
  big: real = 1e300
  infv: real = inf
  neg: real = -1e300
  ninf: real = -inf
  s: sprite = hero
    sx: sprite_x
    sy: sprite_y
    sd: sprite_dir
    sp: sprite_phase
    ss: sprite_status
    sv: sprite_vis
local
  main_def: function -> main_body
program
  main_body: function
    @sv
      true
    @sx
      @nanv
    @sy
      @big
    @sd
      @infv
    @sp
      @big
    @ss
      @infv
    repeat
      repeat_num
        num 5
      while_body
        wait
    @sx
      @neg
    @sd
      @ninf
    @sv
      false
    @sv
      true
    @sx
      num 2
    repeat
      repeat_num
        num 5
      while_body
        wait
    return_code
      num 7
)";
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(source, &error);
  ASSERT_FALSE(image.empty()) << error;
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.Args = {"watch", "20000"};
  ProgramRun run = RunImage(image, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(7u, run.ExitCode) << run.Output;
  EXPECT_EQ(std::string::npos, run.Output.find("still running")) << run.Output;
}

}  // namespace
