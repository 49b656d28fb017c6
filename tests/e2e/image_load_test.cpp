// Start-up's image loader end to end: malformed images end with 251, a full
// valid image loads, and randomly damaged copies end with 251 or run normally.
#include <gtest/gtest.h>
#include <time.h>
#include <string>
#include <vector>
#include "image_fixtures.h"
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

struct ExitCase {
  const char* Name;
  std::string Source;
  uint32_t Expected;
};

TEST(ImageLoad, MalformedImagesEndWith251) {
  const ExitCase cases[] = {
      {"the full program", FullProgram, 0},
      {"transformed texts", std::string(FullProgram) + "header magic=REL", 0},
      {"header size below 528", std::string(MainProgram) + "header headersize=500", 251},
      {"a table beyond the image", std::string(MainProgram) + "table MUSIC bytesize=9999", 251},
      {"REAL count beyond its bytes", std::string(MainProgram) + "table REAL count=1", 251},
      {"a text beyond its block", std::string(MainProgram) + "texts \"a\"\ntable TEXT count=2", 251},
      {"a map of width 0", std::string(MainProgram) + "map m w=0", 251},
      {"a picture of height 0", std::string(MainProgram) + "background b h=0", 251},
      {"a sprite without phases", std::string(MainProgram) + "sprite s phases=0", 251},
      {"a sound of 12 bits", std::string(MainProgram) + "sound w bits=12", 251},
      {"music beyond its table", std::string(MainProgram) + "music t size=77777", 251},
      {"an unclosed subtree", std::string(MainProgram) + "program\n  group flags=1", 251},
      {"a reference outside GLOBAL", std::string(MainProgram) + "program\n  real reftable=2 refindex=4",
       251},
      {"a data index outside REAL", std::string(MainProgram) + "global\n  real dataindex=3 datatable=6",
       251},
  };
  ExpectExitCodes(cases);
}

// A program whose deepest path has the given number of items: main's body,
// the return code and a chain of one-operand sums around a global 7. The
// compiler and the interpreter recurse along it.
std::string DeepProgram(int levels) {
  std::string s =
      "global\n  main: function -> main_def\n  seven: real = 7\nlocal\n  main_def: function -> main_body\n"
      "program\n  main_body: function\n   return_code\n";
  for (int level = 3; level < levels; level++) s += std::string(level + 1, ' ') + "+\n";
  return s + std::string(levels + 1, ' ') + "@seven\n";
}

TEST(ImageLoad, TreesUpToTheDepthCapRun) {
  const ExitCase cases[] = {{"1024 levels", DeepProgram(1024), 7}, {"1025 levels", DeepProgram(1025), 251}};
  ExpectExitCodes(cases);
}

TEST(ImageLoad, DamagedImagesEndWith251OrRun) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(FullProgram, &error);
  ASSERT_FALSE(image.empty()) << error;
  time_t start = time(nullptr);
  int refused = 0;
  for (uint32_t seed = 1; seed <= 30; seed++) {
    ProgramRun run = RunImage(DamagedImage(image, seed));
    ASSERT_TRUE(run.Started) << "seed " << seed << ": " << run.Output;
    EXPECT_TRUE(run.ExitCode == 0 || run.ExitCode == 251)
        << "seed " << seed << ": exit code " << run.ExitCode;
    refused += run.ExitCode == 251;
  }
  EXPECT_GT(refused, 0);
  EXPECT_LT(time(nullptr) - start, 180) << "30 runs took too long";
}

}  // namespace
