// End-to-end harness: binds an image into an engine build, runs it under
// Wine through the launcher and reports its full exit code and output.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "lib/program_asm.h"

struct ProgramRun {
  bool Started = false;    // the launcher ran and reported an exit code
  uint32_t ExitCode = 0;
  std::string Output;      // what the launcher and the program printed
  std::string WorkDir;     // the directory the program ran in, when the options named one
};

std::string BuildPath(const std::string& name);
// A fresh scratch directory for the current test.
std::string ScratchDir();
struct RunOptions {
  std::string Engine = "yelto.exe";  // a file name in the build folder
  std::string ExeName = "program.exe";
  std::string Env;                   // assignments put before the command
  std::vector<std::string> Args;
  std::string Stdin;                 // the program's standard input; empty: none
  std::string Launcher = "tools/yltrun.exe";  // or "tools/yltwin.exe", the window probe
  // The program's working directory. A relative name: a fresh folder of that
  // name inside the scratch directory. An absolute path (a directory the test
  // made, with ScratchDir() or otherwise): the program is put there and runs
  // there. Empty: a fresh scratch directory, the working directory left as it is.
  std::string WorkDir;
  // A Wine virtual desktop of this name (1024 x 768) to run in; empty: the plain display.
  std::string Desktop;
};

// Binds image into the engine and runs it.
ProgramRun RunImage(const std::vector<uint8_t>& image, const RunOptions& options = RunOptions());
// Assembles source and runs it as RunImage does; a source that does not
// assemble fails the test and gives a run that never started.
ProgramRun RunSource(const std::string& source, const RunOptions& options = RunOptions());
// Runs an already-built Windows program of the build folder.
ProgramRun RunExe(const std::string& exePath, const std::vector<std::string>& args = {},
                  const std::string& env = "", const std::string& launcher = "tools/yltrun.exe",
                  const std::string& workDir = "", const std::string& input = "",
                  const std::string& desktop = "");

// Each case's Source assembled, bound and run: its exit code must be its
// Expected. Cases have Name, Source and Expected.
template <class Cases>
void ExpectExitCodes(const Cases& cases) {
  for (const auto& c : cases) {
    std::string error;
    std::vector<uint8_t> image = AssembleOrEmpty(c.Source, &error);
    ASSERT_FALSE(image.empty()) << c.Name << ": " << error;
    ProgramRun run = RunImage(image);
    ASSERT_TRUE(run.Started) << c.Name << ": " << run.Output;
    EXPECT_EQ(c.Expected, run.ExitCode) << c.Name << ": " << run.Output;
  }
}
