// End-to-end harness: bind, run under Wine, read the launcher's report.
#include "run_program.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include "lib/bind.h"
#include "lib/file_bytes.h"

std::string BuildPath(const std::string& name) { return std::string(YELTO_BUILD_DIR) + "/" + name; }

std::string ScratchDir() {
  const testing::TestInfo* t = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(t->test_suite_name()) + "." + t->name();
  for (char& c : name)
    if (c == '/') c = '_';
  std::string dir = BuildPath("e2e-scratch/" + name);
  std::string cmd = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
  if (system(cmd.c_str()) != 0) ADD_FAILURE() << "cannot make " << dir;
  return dir;
}

static std::string Quote(const std::string& s) { return "'" + s + "'"; }

ProgramRun RunExe(const std::string& exePath, const std::vector<std::string>& args,
                  const std::string& env, const std::string& launcher, const std::string& workDir,
                  const std::string& input, const std::string& desktop) {
  std::string cd = workDir.empty() ? std::string() : "cd " + Quote(workDir) + " && ";
  std::string cmd = cd + env + " " + Quote(std::string(YELTO_SOURCE_DIR) + "/scripts/wine-run.sh") + " " +
                    (desktop.empty() ? "" : "explorer " + Quote("/desktop=" + desktop + ",1024x768") + " ") +
                    Quote(BuildPath(launcher)) + " " + Quote(exePath);
  for (const std::string& a : args) cmd += " " + Quote(a);
  // Output goes to a file, not a pipe: Wine's background processes inherit
  // the descriptors and would hold a pipe open long after the program ended.
  std::string outPath = exePath + ".out";
  std::string inPath = "/dev/null";
  if (!input.empty()) {
    inPath = exePath + ".in";
    if (!WriteFileBytes(inPath, std::vector<uint8_t>(input.begin(), input.end())))
      ADD_FAILURE() << "cannot write " << inPath;
  }
  cmd += " >" + Quote(outPath) + " 2>&1 <" + Quote(inPath);
  ProgramRun run;
  if (system(cmd.c_str()) == -1) return run;
  std::vector<uint8_t> bytes;
  ReadFileBytes(outPath, bytes);
  run.Output.assign(bytes.begin(), bytes.end());
  size_t at = run.Output.rfind("exit code ");
  if (at != std::string::npos) {
    run.Started = true;
    run.ExitCode = (uint32_t)strtoul(run.Output.c_str() + at + 10, nullptr, 10);
  }
  return run;
}

ProgramRun RunImage(const std::vector<uint8_t>& image, const RunOptions& options) {
  std::vector<uint8_t> engineBytes, bound;
  std::string error, dir = options.WorkDir.empty() || options.WorkDir[0] != '/' ? ScratchDir() : options.WorkDir;
  if (!ReadFileBytes(BuildPath(options.Engine), engineBytes)) {
    ADD_FAILURE() << "cannot read " << options.Engine;
    return ProgramRun();
  }
  if (!BindImage(engineBytes, image, bound, error)) {
    ADD_FAILURE() << "bind failed: " << error;
    return ProgramRun();
  }
  std::string exe = dir + "/" + options.ExeName;
  if (!WriteFileBytes(exe, bound)) ADD_FAILURE() << "cannot write " << exe;
  std::string work = options.WorkDir;
  if (!work.empty() && work[0] != '/') {
    work = dir + "/" + work;
    if (system(("mkdir -p " + Quote(work)).c_str()) != 0) ADD_FAILURE() << "cannot make " << work;
  }
  ProgramRun run = RunExe(exe, options.Args, options.Env, options.Launcher, work, options.Stdin, options.Desktop);
  run.WorkDir = work;
  return run;
}

ProgramRun RunSource(const std::string& source, const RunOptions& options) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(source, &error);
  EXPECT_FALSE(image.empty()) << error;
  if (image.empty()) return ProgramRun();
  return RunImage(image, options);
}
