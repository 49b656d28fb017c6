// Whole programs under Wine whose computed result is the process exit code:
// variables, lists, loops, calls and comparisons together, read through the
// launcher so that codes above 255 arrive whole.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "lib/bundled_program.h"
#include "lib/program_asm.h"
#include "run_program.h"
#include "../unit/result_programs.h"

namespace {

// Until the main run calls the compiled program, an engine that compiled it
// ends with 0 whatever it computes; the probe sets the code 7.
bool EngineRunsPrograms() {
  static int known = -1;
  if (known < 0) {
    std::vector<uint8_t> image = AssembleOrEmpty(R"(
global
  main: function -> main_def
local
  main_def: function -> main_body
program
  main_body: function
    return_code
      7
)");
    ProgramRun run = RunImage(image);
    known = run.Started && run.ExitCode == 7;
  }
  return known == 1;
}

#define SKIP_UNTIL_PROGRAMS_RUN() \
  if (!EngineRunsPrograms()) GTEST_SKIP() << "the engine compiles but does not yet run its program"

TEST(ProgramResults, ComputedExitCodes) {
  SKIP_UNTIL_PROGRAMS_RUN();
  for (const ResultProgram& c : ResultPrograms()) {
    std::string error;
    std::vector<uint8_t> image = AssembleOrEmpty(c.Source, &error);
    ASSERT_FALSE(image.empty()) << c.Name << ": " << error;
    ProgramRun run = RunImage(image);
    ASSERT_TRUE(run.Started) << c.Name << ": " << run.Output;
    EXPECT_EQ(c.Expected, run.ExitCode) << c.Name << ": " << run.Output;
  }
}

TEST(ProgramResults, BundledProgram) {
  SKIP_UNTIL_PROGRAMS_RUN();
  ProgramRun run = RunExe(BuildPath("bundled.exe"));
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(BundledProgramResult, run.ExitCode) << run.Output;
}

}  // namespace
