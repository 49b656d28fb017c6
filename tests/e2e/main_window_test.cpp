// The main window of a bound program under Wine, watched by the window probe
// from another process: its caption and status line once shown, closing it
// from outside, and waits that last their ticks.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

// main declares the caption, runs %s before its loop, then waits %d ticks.
const char* const WaitingProgram = R"(
global
  main: function "Hello window" -> main_def
local
  main_def: function -> main_body
program
  main_body: function
%s
    repeat
      repeat_num
        num %d
      while_body
        wait
)";

std::vector<uint8_t> Waiting(const char* before, int ticks) {
  char source[2048];
  snprintf(source, sizeof source, WaitingProgram, before, ticks);
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(source, &error);
  EXPECT_FALSE(image.empty()) << error;
  return image;
}

ProgramRun Probe(const std::vector<uint8_t>& image, const char* mode, const char* name) {
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = name;
  options.Args = {mode, "30000"};
  return RunImage(image, options);
}

std::string Line(const std::string& output, const char* head) {
  size_t at = output.find(head);
  if (at == std::string::npos) return "(none)";
  size_t end = output.find_first_of("\r\n", at);  // the console ends lines with CR LF
  return output.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// The milliseconds the probe reported after head ("elapsed ", "shown "), -1 when none.
long Ms(const ProgramRun& run, const char* head) {
  size_t at = run.Output.find(head);
  return at == std::string::npos ? -1 : strtol(run.Output.c_str() + at + strlen(head), nullptr, 10);
}

// Closing the window from outside ends a program that would wait for hours;
// the texts shown are cut at their first carriage return.
TEST(MainWindow, CaptionStatusAndCloseFromOutside) {
  const struct {
    const char* Name;
    const char* Before;
    const char* Caption;
    const char* Status;
  } cases[] = {
      {"declared", "", "caption [Hello window]", "status [] hidden"},
      {"requested",
       "    caption\n      text_const \"Second\\rnot shown\"\n    status_text\n      text_const \"Ready\\rnot shown\"\n",
       "caption [Second]", "status [Ready] shown"},
      // A loop that never waits: its looks at the queue take the ticks, the
      // periodic refresh shows the window, and the close ends the loop.
      {"looping", "    while\n      while_cond\n        true\n      while_body\n        caption\n          text_const \"Looping\"\n",
       "caption [Looping]", "status [] hidden"},
  };
  for (auto& c : cases) {
    std::string exe = std::string(c.Name) + ".exe";
    ProgramRun run = Probe(Waiting(c.Before, 200000), "close", exe.c_str());
    ASSERT_TRUE(run.Started) << c.Name << ": " << run.Output;
    EXPECT_EQ(c.Caption, Line(run.Output, "caption ")) << c.Name << ": " << run.Output;
    EXPECT_EQ(c.Status, Line(run.Output, "status ")) << c.Name << ": " << run.Output;
    EXPECT_EQ("area 480x320", Line(run.Output, "area ")) << c.Name << ": the 15 x 10 main map, bar or not";
    EXPECT_EQ(std::string::npos, run.Output.find("still running")) << c.Name << ": " << run.Output;
    EXPECT_EQ(0u, run.ExitCode) << c.Name << ": " << run.Output;
  }
}

// The first wait's refresh shows the window; the 39 waits after it last
// about 39 timer periods (60 ms on NT), and the program ends by itself. A
// program that never waits is never shown.
TEST(MainWindow, WaitLastsItsTicks) {
  ProgramRun none = Probe(Waiting("", 0), "watch", "none.exe");
  ProgramRun forty = Probe(Waiting("", 40), "watch", "forty.exe");
  ASSERT_TRUE(none.Started) << none.Output;
  ASSERT_TRUE(forty.Started) << forty.Output;
  EXPECT_EQ("no window", Line(none.Output, "no window")) << "no wait, no refresh, never shown";
  EXPECT_EQ(0u, none.ExitCode);
  EXPECT_EQ("caption [Hello window]", Line(forty.Output, "caption ")) << forty.Output;
  long waited = Ms(forty, "elapsed ") - Ms(forty, "shown ");
  EXPECT_GE(waited, 39 * 60 * 3 / 4) << forty.Output;
  EXPECT_LE(waited, 40 * 60 * 4) << forty.Output;
  EXPECT_EQ(0u, forty.ExitCode);
}

}  // namespace
