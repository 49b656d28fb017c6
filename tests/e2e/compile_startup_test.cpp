// Start-up compiles the program after loading it: an image whose call names
// a body that is no function body ends with 251; others go on.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

const char* const CallingProgram = R"(
global
  main: function -> main_def
  f: function -> f_def
local
  main_def: function -> main_body
  f_def: function -> %s
program
  main_body: function
    @f
    inner: break
  f_body: function
    wait
)";

TEST(CompileAtStartup, CallTargets) {
  const struct {
    const char* Body;
    uint32_t Expected;
  } cases[] = {{"f_body", 0}, {"inner", 251}};
  for (auto& c : cases) {
    char source[1024];
    snprintf(source, sizeof source, CallingProgram, c.Body);
    std::string error;
    std::vector<uint8_t> image = AssembleOrEmpty(source, &error);
    ASSERT_FALSE(image.empty()) << error;
    ProgramRun run = RunImage(image);
    ASSERT_TRUE(run.Started) << run.Output;
    EXPECT_EQ(c.Expected, run.ExitCode) << "body " << c.Body << ": " << run.Output;
  }
}

}  // namespace
