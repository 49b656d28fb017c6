// Real input from a second process: the window probe brings the program's
// window to the front and sends keys and pointer clicks with SendInput and
// SetCursorPos; the program shows in its caption what it read.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

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

std::string Final(const ProgramRun& run) {
  size_t at = run.Output.find("final [");
  if (at == std::string::npos) return "(none)";
  size_t end = run.Output.find(']', at);
  return run.Output.substr(at + 7, end - at - 7);
}

ProgramRun Play(const std::string& source, const char* script, const char* exe) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(source, &error);
  EXPECT_FALSE(image.empty()) << error;
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = exe;
  options.Args = {"input", script, "20000"};
  return RunImage(image, options);
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

}  // namespace
