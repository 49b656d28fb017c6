// Running other programs from the test process under Wine: exit codes with
// and without waiting, the trimmed command, the drive and directory changes
// and the command interpreter fallback.
#include "expression_fixture.h"
#include "system/data_files.h"
#include "system/external_programs.h"
#include "startup/runtime.h"

namespace {

std::string CurrentDirectory() {
  char dir[MAX_PATH];
  GetCurrentDirectoryA(sizeof dir, dir);
  return dir;
}

class ExternalPrograms : public ExpressionTest {
 public:
  std::string Saved;
  void SetUp() override {
    ExpressionTest::SetUp();
    Saved = CurrentDirectory();
    WindowsVersion = (int32_t)GetVersion();  // start-up's, which picks the interpreter
    FileError = 0;
  }
  void TearDown() override {
    SetCurrentDirectoryA(Saved.c_str());
    FileError = 0;
    ExpressionTest::TearDown();
  }
};

TEST_F(ExternalPrograms, ExitCodes) {
  const struct {
    const char* Command;
    bool Wait;
    uint32_t Expected;
  } cases[] = {
      {"cmd.exe /c exit 7", true, 7},
      {" \t cmd.exe /c exit 7", true, 7},
      {"cmd.exe /c exit 7", false, 0},
      {"exit 7", true, 7},          // not a program: the interpreter runs it
      {"exit 300", true, 300},
      {"", true, 0},
      {" \t\r\n", true, 0},
  };
  for (auto& c : cases) {
    FileError = 0;
    EXPECT_EQ(c.Expected, RunExternalProgram(Text(c.Command), c.Wait)) << c.Command << (c.Wait ? " waiting" : "");
    EXPECT_EQ(0, FileError) << c.Command;
  }
}

// The elements: the number gives the code unsigned, the commands drop it.
TEST_F(ExternalPrograms, Elements) {
  EXPECT_EQ(9, Num("(run_program_wait (text_const \"cmd.exe /c exit 9\"))"));
  ASSERT_TRUE(RunExpressions("", "", "(run_program (text_const \"cmd.exe /c exit 5\"))"
                                     "(run_program_wait (text_const \"cmd.exe /c exit 6\"))"));
  EXPECT_EQ(0, FileError);
}

// Changes of the current directory that only the interpreter knows are done
// in the engine's own process; a failing one sets the file error.
TEST_F(ExternalPrograms, DriveAndDirectoryChanges) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string system32 = std::string(windows) + "\\system32";
  const struct {
    std::string Command;
    uint32_t Expected;
    std::string Directory;  // afterwards; empty: unchanged
    uint8_t Error;
  } cases[] = {
      {"cd " + system32, 0, system32, 0},
      {"  CD\t" + system32 + " \t", 0, system32, 0},
      {"cd" + std::string(windows).substr(2) + "\\system32", 0, system32, 0},  // "cd\..." keeps its backslash
      {"cd..", 0, windows, 0},
      {"cd \\no such directory", 1, "", 1},
      {"C:", 0, system32, 0},  // the current directory of drive C
      {"q:", 1, "", 1},
  };
  for (auto& c : cases) {
    SetCurrentDirectoryA(system32.c_str());
    FileError = 0;
    EXPECT_EQ(c.Expected, RunExternalProgram(Text(c.Command.c_str()), true)) << c.Command;
    EXPECT_EQ(c.Error, FileError) << c.Command;
    if (!c.Directory.empty()) {
      EXPECT_STRCASEEQ(c.Directory.c_str(), CurrentDirectory().c_str()) << c.Command;
    }
  }
}

// On the older family the interpreter is command.com, which Wine lacks: the
// fallback cannot start and reports it through the file error.
TEST_F(ExternalPrograms, InterpreterThatCannotStart) {
  WindowsVersion = -1;
  EXPECT_EQ(1u, RunExternalProgram(Text("exit 7"), true));
  EXPECT_EQ(1, FileError);
  FileError = 0;
  EXPECT_EQ(7u, RunExternalProgram(Text("cmd.exe /c exit 7"), true)) << "a program still starts directly";
  EXPECT_EQ(0, FileError);
}

}  // namespace
