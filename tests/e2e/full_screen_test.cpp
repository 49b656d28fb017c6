// Full screen under Wine: on the plain display no 8-bit mode is offered, so
// every request leaves the program windowed; inside a virtual desktop the
// program switches into an 8-bit mode and back.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

// Asks for full screen by the set form and by the toggle, adding 1 and 2 to
// the code when full_screen then reads true, 4 when it reads false after
// the set form switched it off; returns 100 + code.
const char* const SwitchingProgram = R"(
global
  main: function -> main_def
  code: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    full_screen
      true
    if
      if_cond
        full_screen
      then
        @code
          +
            @code
            num 1
    full_screen
      false
    full_screen
    if
      if_cond
        full_screen
      then
        @code
          +
            @code
            num 2
    full_screen
      false
    if
      if_cond
        not
          full_screen
      then
        @code
          +
            @code
            num 4
    return_code
      +
        @code
        num 100
)";

TEST(FullScreen, PlainDisplayStaysWindowed) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(SwitchingProgram, &error);
  ASSERT_FALSE(image.empty()) << error;
  ProgramRun run = RunImage(image);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(104u, run.ExitCode) << "never in full screen, the program ran to its end\n" << run.Output;
}

// Wine offers 8-bit modes inside a virtual desktop (one per test): the set
// form switches on, the toggle switches off and on again, the set form off.
TEST(FullScreen, VirtualDesktopSwitchesOnAndOff) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(SwitchingProgram, &error);
  ASSERT_FALSE(image.empty()) << error;
  RunOptions options;
  options.Desktop = "yelto_full_screen_switch";
  ProgramRun run = RunImage(image, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(107u, run.ExitCode) << "on, on again after the toggle, off\n" << run.Output;
}

}  // namespace
