// Bound programs under Wine using the launcher's standard handles, running
// other programs, reading their command line and switching their language.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "lib/bind.h"
#include "lib/file_bytes.h"
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

// main runs the commands given, indented as its body.
std::string Program(const std::string& body, const std::string& head = "") {
  return head + R"(
global
  main: function "Console run" -> main_def
local
  main_def: function -> main_body
program
  main_body: function
)" + body;
}

// The launcher's output with its closing report taken off.
std::string ProgramOutput(const ProgramRun& run) {
  size_t at = run.Output.rfind("exit code ");
  return run.Output.substr(0, at == std::string::npos ? run.Output.size() : at);
}

// Output and error go to the launcher's output in the OEM code page, as
// written (e-acute, 0xE9 in the ANSI page, is 0x82 there); nothing is
// written before console mode is on.
TEST(ConsolePrograms, OutputAndError) {
  ProgramRun run = RunSource(Program(R"(    console_out
      text_const "not shown"
    console
    console_out
      text_const "out: caf\xe9"
    console_out
      text_const " more\n"
    console_err
      text_const "err line\n"
    return_code
      num 3
)"));
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(3u, run.ExitCode);
  EXPECT_EQ("out: caf\x82 more\nerr line\n", ProgramOutput(run));
}

// One read of the given input, cut at its trailing line end (the code-page
// conversion is a unit test's, as a round trip would hide it).
TEST(ConsolePrograms, InputFromStdin) {
  RunOptions options;
  options.Stdin = "hello world\r\n";
  ProgramRun run = RunSource(Program(R"(    console
    console_out
      text_join
        text_const "got ["
        console_in
        text_const "]"
)"), options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ("got [hello world]", ProgramOutput(run));
}

// The number of a waited-for run is the program's exit code, here passed on
// as the return code: a program that gives a code above 2^31, the command
// interpreter, and a command only the interpreter knows.
TEST(ConsolePrograms, ExitCodesOfRunPrograms) {
  // Outside the scratch folder, which every run makes anew.
  std::string dir = BuildPath("e2e-scratch/ConsolePrograms.child");
  ASSERT_EQ(0, system(("mkdir -p '" + dir + "'").c_str()));
  std::string error;
  std::vector<uint8_t> child = AssembleOrEmpty(Program("    return_code\n      num 4000000123\n"), &error);
  ASSERT_FALSE(child.empty()) << error;
  std::vector<uint8_t> engine, bound;
  ASSERT_TRUE(ReadFileBytes(BuildPath("yelto.exe"), engine));
  ASSERT_TRUE(BindImage(engine, child, bound, error)) << error;
  std::string childPath = dir + "/child.exe";
  ASSERT_TRUE(WriteFileBytes(childPath, bound));
  // Its Windows path on drive Z (the root), written for a text constant.
  std::string windowsPath = "Z:";
  for (char c : childPath) windowsPath += c == '/' ? std::string("\\\\") : std::string(1, c);
  const struct {
    std::string Command;
    uint32_t Expected;
  } cases[] = {
      {"\\\"" + windowsPath + "\\\"", 4000000123u},
      {"cmd.exe /c exit 7", 7},
      {"  exit 7", 7},
      {"no-such-program-here.exe", 9009},  // the interpreter's code for a command it does not know
  };
  for (auto& c : cases) {
    ProgramRun run = RunSource(Program("    return_code\n      run_program_wait\n        text_const \"" + c.Command + "\"\n"));
    ASSERT_TRUE(run.Started) << c.Command << ": " << run.Output;
    EXPECT_EQ(c.Expected, run.ExitCode) << c.Command << ": " << run.Output;
  }
}

// A command that is no program runs through the interpreter, whose output
// reaches the launcher's too.
TEST(ConsolePrograms, InterpreterRunsWhatIsNoProgram) {
  ProgramRun run = RunSource(Program("    run_program_wait\n      text_const \"echo fallback ran\"\n"));
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(0u, run.ExitCode);
  EXPECT_EQ(0u, ProgramOutput(run).find("fallback ran")) << run.Output;
}

// The words of the command line the launcher gave, each argument in quotes.
TEST(ConsolePrograms, CommandLineWords) {
  RunOptions options;
  options.Args = {"first arg", "say\"hi\"", "3"};
  ProgramRun run = RunSource(Program(R"(    console
    console_out
      text_join
        command_word
          1
        text_const "|"
        command_word
          2
        text_const "|"
        command_word
          3
        text_const "|"
        command_word
          4
        text_const "|"
        command_word
          0
        text_const "|"
        program_path
        text_const "|"
        command_line
)"), options);
  ASSERT_TRUE(run.Started) << run.Output;
  std::string out = ProgramOutput(run);
  // The launcher writes an inner quote as \"; the quotes then pair up so
  // that only the last two, adjacent, leave one.
  ASSERT_EQ(0u, out.find("first arg|say\\hi\\\"|3||")) << out;
  std::vector<std::string> parts;
  for (size_t from = 0, bar; (bar = out.find('|', from)) != std::string::npos || from < out.size(); from = bar + 1) {
    if (bar == std::string::npos) bar = out.size();
    parts.push_back(out.substr(from, bar - from));
  }
  ASSERT_EQ(7u, parts.size()) << out;
  EXPECT_NE(std::string::npos, parts[4].find("program.exe")) << "word 0: " << parts[4];
  EXPECT_EQ(std::string::npos, parts[4].find('"')) << "word 0: " << parts[4];
  EXPECT_EQ("\\program.exe", parts[5].substr(parts[5].size() - 12)) << "module path: " << parts[5];
  EXPECT_NE(std::string::npos, parts[6].find("\"first arg\"")) << "command line: " << parts[6];
}

// The caption declared in two languages follows the switch; the language
// number then reads the new id, and an unknown id goes back to the start-up
// language (English here).
TEST(ConsolePrograms, LanguageSwitchChangesTheCaption) {
  const char* const body = R"(    language
      num %s
    return_code
      language
    repeat
      repeat_num
        num 1000
      while_body
        wait
)";
  const struct {
    const char* Id;
    const char* Caption;
    uint32_t Code;
  } cases[] = {{"5", "caption [Czech caption]", 5}, {"77", "caption [English caption]", 9}};
  for (auto& c : cases) {
    char text[512];
    snprintf(text, sizeof text, body, c.Id);
    std::string source = "languages 9 5\n" + Program(text);
    size_t at = source.find("\"Console run\"");
    source.replace(at, 13, "{9:\"English caption\" 5:\"Czech caption\"}");
    RunOptions options;
    options.Launcher = "tools/yltwin.exe";
    options.Args = {"close", "30000"};
    options.ExeName = std::string("lang") + c.Id + ".exe";
    ProgramRun run = RunSource(source, options);
    ASSERT_TRUE(run.Started) << run.Output;
    EXPECT_NE(std::string::npos, run.Output.find(c.Caption)) << run.Output;
    EXPECT_EQ(c.Code, run.ExitCode) << run.Output;
  }
}

}  // namespace
