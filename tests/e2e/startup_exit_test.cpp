// Start-up's verdict on the program image and its resources, by exit code.
#include <gtest/gtest.h>
#include "lib/bundled_program.h"
#include "lib/image_writer.h"
#include "run_program.h"

namespace {

struct ExitCase {
  const char* Name;
  std::vector<uint8_t> Image;
  const char* Engine;
  uint32_t Expected;
  const char* Env;
};

std::vector<uint8_t> WithMagic(const char* magic, uint8_t version) {
  ImageWriter w;
  for (int i = 0; i < 3; i++) w.Magic[i] = magic[i];
  w.Version = version;
  return w.Write();
}

std::vector<uint8_t> Truncated(size_t size) {
  std::vector<uint8_t> image = MinimalImage();
  image.resize(size);
  return image;
}

TEST(StartupExit, ImageMagicSizeAndResources) {
  const ExitCase cases[] = {
      {"plain texts", MinimalImage(), "yelto.exe", 0},
      {"transformed texts", WithMagic("REL", 1), "yelto.exe", 0},
      {"version byte 2", WithMagic("YLT", 2), "yelto.exe", 251},
      {"version byte 0", WithMagic("REL", 0), "yelto.exe", 251},
      {"unknown magic", WithMagic("XYZ", 1), "yelto.exe", 251},
      {"499 bytes", Truncated(499), "yelto.exe", 251},
      {"500 bytes pass the size test, not the header check", Truncated(500), "yelto.exe", 251},
      {"no colour-cube resource", MinimalImage(), "yelto_noloader.exe", 251},
      {"no DDRAW.DLL", MinimalImage(), "yelto.exe", 0, "WINEDLLOVERRIDES=ddraw=d"},
  };
  for (const ExitCase& c : cases) {
    RunOptions options;
    options.Engine = c.Engine;
    options.Env = c.Env ? c.Env : "";
    ProgramRun run = RunImage(c.Image, options);
    ASSERT_TRUE(run.Started) << c.Name << ": " << run.Output;
    EXPECT_EQ(c.Expected, run.ExitCode) << c.Name << ": " << run.Output;
  }
}

// The 95/98 branch of start-up (negative version word, 30 ms timer).
TEST(StartupExit, RunsAsOnWindows98) {
  RunOptions options;
  options.ExeName = "program98.exe";
  std::string key = "'HKCU\\Software\\Wine\\AppDefaults\\program98.exe'";
  std::string reg = std::string(YELTO_SOURCE_DIR) + "/scripts/wine-run.sh reg add " + key +
                    " /v Version /d win98 /f >/dev/null 2>&1";
  ASSERT_EQ(0, system(reg.c_str()));
  ProgramRun run = RunImage(MinimalImage(), options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(0u, run.ExitCode) << run.Output;
}

TEST(StartupExit, EngineWithoutImage) {
  ProgramRun run = RunExe(BuildPath("yelto.exe"));
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(251u, run.ExitCode);
}

// The main run runs the bundled program to its end: its exit code is the
// result it computed.
TEST(StartupExit, BundledProgramEndsNormally) {
  ProgramRun run = RunExe(BuildPath("bundled.exe"));
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(BundledProgramResult, run.ExitCode);
}

}  // namespace
