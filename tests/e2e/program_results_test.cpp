// Whole programs under Wine whose computed result is the process exit code:
// variables, lists, loops, calls and comparisons together, read through the
// launcher so that codes above 255 arrive whole.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "lib/bundled_program.h"
#include "lib/program_asm.h"
#include "run_program.h"
#include "result_programs.h"

namespace {

TEST(ProgramResults, ComputedExitCodes) { ExpectExitCodes(ResultPrograms()); }

TEST(ProgramResults, BundledProgram) {
  ProgramRun run = RunExe(BuildPath("bundled.exe"));
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(BundledProgramResult, run.ExitCode) << run.Output;
}

}  // namespace
