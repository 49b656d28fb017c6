// Joysticks under Wine, which has no joystick driver: every query fails, so
// a program reads 0 and false on every stick, before and after the back-off,
// and runs on as if nothing happened.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

std::string Line(int depth, const std::string& item) { return std::string(2 * depth, ' ') + item + "\n"; }

// An if at depth 2 that adds bit to code when the three axes of the stick
// (an operand item such as "num 3"; empty for the default stick 0) read 0
// and none of its four buttons is down.
std::string AllZero(const std::string& stick, int bit) {
  std::string s = Line(2, "if") + Line(3, "if_cond") + Line(4, "and");
  for (const char* axis : {"joystick_x", "joystick_y", "joystick_z"}) {
    s += Line(5, "=") + Line(6, axis);
    if (!stick.empty()) s += Line(7, stick);
    s += Line(6, "0");
  }
  s += Line(5, "not") + Line(6, "or");
  for (const char* button : {"joystick_button1", "joystick_button2", "joystick_button3", "joystick_button4"}) {
    s += Line(7, button);
    if (!stick.empty()) s += Line(8, stick);
  }
  return s + Line(3, "then") + Line(4, "@code") + Line(5, "+") + Line(6, "@code") +
         Line(6, "num " + std::to_string(bit));
}

// Sticks 0 and 3 read before and after a wait past the back-off, and stick
// 7 through a function (giving 7, adding 16 to code per call) that every
// element evaluates.
TEST(Joysticks, FailurePathUnderWine) {
  std::string source = R"(
global
  main: function -> main_def
  pick: function -> pick_def
  code: real = 0
local
  main_def: function -> main_body
  pick_def: function -> pick_body
    oparam
      n: real = 7
program
  pick_body: function
    @code
      +
        @code
        num 16
  main_body: function
)" + AllZero("", 1) + R"(    repeat
      repeat_num
        num 100
      while_body
        wait
)" + AllZero("", 2) + AllZero("num 3", 4) + AllZero("@pick", 8) +
                       R"(    return_code
      +
        @code
        num 100
)";
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(source, &error);
  ASSERT_FALSE(image.empty()) << error << "\n" << source;
  ProgramRun run = RunImage(image);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(100u + 15 + 7 * 16, run.ExitCode) << "every read 0 and false, the program ran to its end\n" << run.Output;
}

}  // namespace
