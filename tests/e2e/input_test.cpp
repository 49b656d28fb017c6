// Real input from a second process: the window probe brings the program's
// window to the front and sends keys and pointer clicks with SendInput and
// SetCursorPos; the program shows in its caption what it read. Screenshots
// taken between the words of a script show what it drew.
#include <gtest/gtest.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "lib/file_bytes.h"
#include "lib/program_asm.h"
#include "run_program.h"
#include "values/palette_rule.h"

namespace {

// Reads %d keys with the waiting key element, each code and a comma appended
// to t, then shows "done " and t and waits until it is closed.
const char* const KeyReader = R"(
global
  main: function "Keys" -> main_def
  t: text = ""
local
  main_def: function -> main_body
program
  main_body: function
    repeat
      repeat_num
        num %d
      while_body
        @t
          text_join
            @t
            text_number
              key_wait
            text_const ","
    caption
      text_join
        text_const "done "
        @t
    repeat
      repeat_num
        num 100000
      while_body
        wait
)";

// Waits for a left click, then shows mouse_x and whether the right button
// was clicked before.
const char* const ClickReader = R"(
global
  main: function "Clicks" -> main_def
  t: text = ""
local
  main_def: function -> main_body
program
  main_body: function
    while
      while_cond
        not
          mouse_l_click
      while_body
        wait
    @t
      text_join
        text_const "done "
        text_number
          mouse_x
    if
      if_cond
        mouse_r_click
      then
        @t
          text_join
            @t
            text_const " right"
    caption
      @t
    repeat
      repeat_num
        num 100000
      while_body
        wait
)";

// A white map under a block sprite of colour 150 in cell (1, 0), hidden
// until a key is read; then "done" in the caption, and a wait for a key that
// the closing of the window ends.
const char* const ShownOnKey = R"(
picture white fill=212
map field w=4 h=2 icon=white
sprite nobody phases=1 directions=1 rest=1 w=32 h=32 fill=0
sprite block phases=1 directions=1 rest=1 w=32 h=32 fill=150
global
  main: function "Shots" -> main_def
  s: sprite = block
    sx: sprite_x
    sv: sprite_vis
local
  main_def: function -> main_body
program
  main_body: function
    @sx
      num 1
    key_wait
    @sv
      true
    caption
      text_const "done"
    key_wait
)";

// The pixels 0xRRGGBB of a 32-bit BMP the probe wrote, top row first.
struct Bmp {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
};

Bmp ReadBmp(const std::string& path) {
  Bmp b;
  std::vector<uint8_t> f;
  if (!ReadFileBytes(path, f) || f.size() < 54 || f[0] != 'B' || f[1] != 'M') return b;
  int32_t offset, width, height;
  memcpy(&offset, &f[10], 4);
  memcpy(&width, &f[18], 4);
  memcpy(&height, &f[22], 4);
  bool topDown = height < 0;
  height = topDown ? -height : height;
  if (f[28] != 32 || width <= 0 || (uint64_t)offset + 4ull * width * height > f.size()) return b;
  b.Width = width;
  b.Height = height;
  for (int y = 0; y < height; y++) {
    const uint8_t* row = &f[offset + 4 * width * (topDown ? y : height - 1 - y)];
    for (int x = 0; x < width; x++, row += 4) b.Pixels.push_back(row[2] << 16 | row[1] << 8 | row[0]);
  }
  return b;
}

unsigned Rgb(int index) {
  PaletteRgb c = PaletteColorAt(index);
  return (unsigned)c.Red << 16 | c.Green << 8 | c.Blue;
}

std::string Final(const ProgramRun& run) {
  size_t at = run.Output.find("final [");
  if (at == std::string::npos) return "(none)";
  size_t end = run.Output.find(']', at);
  return run.Output.substr(at + 7, end - at - 7);
}

ProgramRun Play(const std::string& source, const char* script, const char* exe) {
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = exe;
  options.Args = {"input", script, "20000"};
  return RunSource(source, options);
}

// Letters, the right-hand and keypad codes, the cursor keys with and without
// the extended flag, Alt and F10 (swallowed, still read) and Pause, whose
// press is not recorded and whose following key only ends the pause.
TEST(RealInput, KeyCodes) {
  const struct {
    const char* Script;
    int Count;
    const char* Expected;
  } cases[] = {
      {"k81 k87 k69", 3, "done 81,87,69,"},
      {"k17 k17e k16 k161 k13 k13e", 6, "done 17,163,16,161,13,173,"},
      {"k38e k38 k36e k36 k46e k46 k45 k33e k34", 9, "done 38,104,36,103,46,110,96,33,99,"},
      {"k18 k121 k18e", 3, "done 18,121,165,"},
      {"k19 k65 k66", 1, "done 66,"},
  };
  int n = 0;
  for (auto& c : cases) {
    char source[2048];
    snprintf(source, sizeof source, KeyReader, c.Count);
    std::string exe = "keys" + std::to_string(n++) + ".exe";
    ProgramRun run = Play(source, c.Script, exe.c_str());
    ASSERT_TRUE(run.Started) << c.Script << ": " << run.Output;
    EXPECT_EQ(c.Expected, Final(run)) << c.Script << ": " << run.Output;
    EXPECT_EQ(std::string::npos, run.Output.find("still running")) << c.Script << ": " << run.Output;
  }
}

// The pointer moved to a client pixel and clicked there: the click latches
// and the position in fields (x: 32 pixels a field from the display's left).
TEST(RealInput, Clicks) {
  const struct {
    const char* Script;
    const char* Expected;
  } cases[] = {
      {"m80,50 l", "done 2.5"},
      {"m112,40 r w200 l", "done 3.5 right"},
  };
  int n = 0;
  for (auto& c : cases) {
    std::string exe = "clicks" + std::to_string(n++) + ".exe";
    ProgramRun run = Play(ClickReader, c.Script, exe.c_str());
    ASSERT_TRUE(run.Started) << c.Script << ": " << run.Output;
    EXPECT_EQ(c.Expected, Final(run)) << c.Script << ": " << run.Output;
  }
}

// shot= in the script saves the client area where it stands: before the key
// only the white map shows; after it the sprite's colour covers part of it,
// and that is all that changed.
TEST(RealInput, ShotsBetweenTheWordsOfAScript) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(ShownOnKey, &error);
  ASSERT_FALSE(image.empty()) << error;
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = "shots.exe";
  options.WorkDir = "shots";
  options.Args = {"input", "w500 shot=before.bmp k65 w800 shot=after.bmp", "20000"};
  ProgramRun run = RunImage(image, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ("done", Final(run)) << run.Output;
  EXPECT_EQ(std::string::npos, run.Output.find("still running")) << run.Output;
  Bmp before = ReadBmp(run.WorkDir + "/before.bmp"), after = ReadBmp(run.WorkDir + "/after.bmp");
  ASSERT_GT(before.Width, 0) << "before.bmp\n" << run.Output;
  ASSERT_EQ(before.Width, after.Width);
  ASSERT_EQ(before.Height, after.Height);
  size_t white = 0, block = 0, changed = 0, changedWrong = 0;
  for (size_t i = 0; i < before.Pixels.size(); i++) {
    white += before.Pixels[i] == Rgb(212);
    block += before.Pixels[i] == Rgb(150);
    if (before.Pixels[i] == after.Pixels[i]) continue;
    changed++;
    changedWrong += before.Pixels[i] != Rgb(212) || after.Pixels[i] != Rgb(150);
  }
  EXPECT_GT(white, 0u) << "the map before the key";
  EXPECT_EQ(0u, block) << "no sprite before the key";
  EXPECT_GT(changed, 0u) << "the sprite after the key";
  EXPECT_EQ(0u, changedWrong) << "pixels that changed otherwise than white to the sprite's colour";
}

}  // namespace
