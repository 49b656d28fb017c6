// Console mode in the test process: the switch with the main window and the
// standard handles (pipes stand for them), the allocation path behind the
// console seam, writing with the OEM conversion and the one-read input.
#include "expression_fixture.h"
#include "system/console.h"
#include "window_setup.h"

namespace {

// main runs %CMD%; got receives what a command reads.
const char* const ConsoleProgram = R"(
global
  main: function "Console caption" -> main_def
  got: text = "unset"
local
  main_def: function -> main_body
program
  main_body: function
%CMD%
)";

struct Pipe {
  HANDLE Read = nullptr, Write = nullptr;
  Pipe() { CreatePipe(&Read, &Write, nullptr, 1 << 16); }
  ~Pipe() {
    if (Read) CloseHandle(Read);
    if (Write) CloseHandle(Write);
  }
  void CloseWrite() {
    CloseHandle(Write);
    Write = nullptr;
  }
  void Put(const std::string& s) {
    DWORD n;
    WriteFile(Write, s.data(), (DWORD)s.size(), &n, nullptr);
  }
  // What waits in the pipe, without blocking.
  std::string Take() {
    DWORD avail = 0;
    PeekNamedPipe(Read, nullptr, 0, nullptr, &avail, nullptr);
    std::string s(avail, '\0');
    DWORD n = 0;
    if (avail) ReadFile(Read, &s[0], avail, &n, nullptr);
    s.resize(n);
    return s;
  }
};

// The console seam: the handles it gives, AllocConsole's answer, the calls.
struct FakeConsoleState {
  HANDLE Given[3];        // input, output, error before an allocation
  HANDLE AfterAlloc[3];   // after it
  BOOL AllocAnswer;
  int Takes, Allocs, Frees;
};
FakeConsoleState FakeConsole;

HANDLE WINAPI FakeGetStdHandle(DWORD which) {
  FakeConsole.Takes++;
  int k = which == STD_INPUT_HANDLE ? 0 : which == STD_OUTPUT_HANDLE ? 1 : 2;
  return FakeConsole.Allocs ? FakeConsole.AfterAlloc[k] : FakeConsole.Given[k];
}
BOOL WINAPI FakeAllocConsole() {
  FakeConsole.Allocs++;
  return FakeConsole.AllocAnswer;
}
BOOL WINAPI FakeFreeConsole() {
  FakeConsole.Frees++;
  return TRUE;
}

class Console : public MainWindowFixture {
 public:
  Pipe In, Out, Err;

  void SetUp() override {
    MainWindowFixture::SetUp();
    ResetConsole();
    StdInputHandle = In.Read;
    StdOutputHandle = Out.Write;
    StdErrorHandle = Err.Write;
    FakeConsole = FakeConsoleState();
    ConsoleSys = {FakeGetStdHandle, FakeAllocConsole, FakeFreeConsole};
  }
  void TearDown() override {
    ResetConsole();
    ConsoleSys = RealConsoleSys;
    // A window shown again waits for its paint, which the base's queue drain
    // would take again and again.
    if (MainWindow) ValidateRect(MainWindow, nullptr);
    MainWindowFixture::TearDown();
  }

  void RunCommands(const std::string& commands) {
    ProgramTest::SetUp();
    ResetMainWindowState();
    std::string source = ConsoleProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    Open(source.c_str());
    Run();
  }
  static std::string Got() {
    const Text& t = Texts[GlobalItemLinks[1].DataIndex];
    return std::string(t.Chars(), t.Length());
  }
};

// Taken handles are kept; the shown main window hides while console mode is
// on and comes back when it ends.
TEST_F(Console, SwitchHidesAndShowsTheMainWindow) {
  Open();
  RefreshDisplay();  // the first refresh shows the window
  ASSERT_TRUE(IsWindowVisible(MainWindow));
  SwitchConsole(true);
  EXPECT_EQ(1, ConsoleMode);
  EXPECT_FALSE(IsWindowVisible(MainWindow));
  EXPECT_EQ(0, MainWindowShown);
  EXPECT_EQ(0, FakeConsole.Takes);
  EXPECT_EQ(0, FakeConsole.Allocs);
  EXPECT_EQ(Out.Write, StdOutputHandle);
  SwitchConsole(true);  // no change
  EXPECT_EQ(0, MainWindowShown);
  SwitchConsole(false);
  EXPECT_EQ(0, ConsoleMode);
  EXPECT_EQ(1, MainWindowShown);
  EXPECT_TRUE(IsWindowVisible(MainWindow));
  EXPECT_EQ(GetFocus(), MainWindow);
}

// The toggle element switches by the mode, the logic element reads it.
TEST_F(Console, ToggleAndModeElements) {
  RunCommands("(console)(if (if_cond (console)) (then (@got (text_const \"mode on\"))))"
              "(console_out (text_const \"on\"))(console)(console_out (text_const \"off\"))(console)");
  EXPECT_EQ(1, ConsoleMode);
  EXPECT_EQ("mode on", Got());
  EXPECT_EQ("on", Out.Take());
}

TEST_F(Console, AllocatesWhenAHandleIsMissing) {
  const struct {
    const char* Name;
    HANDLE Given[3];
    BOOL AllocAnswer;
    int Allocs, Takes;
    uint8_t Allocated;
  } cases[] = {
      {"all given", {(HANDLE)11, (HANDLE)12, (HANDLE)13}, TRUE, 0, 3, 0},
      {"no input", {nullptr, (HANDLE)12, (HANDLE)13}, TRUE, 1, 6, 1},
      {"invalid error handle", {(HANDLE)11, (HANDLE)12, INVALID_HANDLE_VALUE}, TRUE, 1, 6, 1},
      {"allocation refused", {(HANDLE)11, nullptr, (HANDLE)13}, FALSE, 1, 6, 0},
  };
  Open();
  for (auto& c : cases) {
    StdInputHandle = StdOutputHandle = nullptr;
    StdErrorHandle = INVALID_HANDLE_VALUE;
    ConsoleMode = ConsoleAllocated = 0;
    FakeConsole = FakeConsoleState();
    memcpy(FakeConsole.Given, c.Given, sizeof c.Given);
    HANDLE after[3] = {(HANDLE)21, (HANDLE)22, (HANDLE)23};
    memcpy(FakeConsole.AfterAlloc, after, sizeof after);
    FakeConsole.AllocAnswer = c.AllocAnswer;
    SwitchConsole(true);
    EXPECT_EQ(c.Allocs, FakeConsole.Allocs) << c.Name;
    EXPECT_EQ(c.Takes, FakeConsole.Takes) << c.Name;
    EXPECT_EQ(c.Allocated, ConsoleAllocated) << c.Name;
    HANDLE expected = c.Allocs ? (HANDLE)22 : (HANDLE)12;
    EXPECT_EQ(expected, StdOutputHandle) << c.Name;
    // Leaving console mode keeps the console; the end of the run frees only
    // one this process allocated, once. (The window counts as shown, so
    // that it is not shown and hidden again for each case.)
    MainWindowShown = 1;
    SwitchConsole(false);
    EXPECT_EQ(c.Allocated, ConsoleAllocated) << c.Name;
    FreeProgramConsole();
    FreeProgramConsole();
    EXPECT_EQ(c.Allocated, FakeConsole.Frees) << c.Name;
    EXPECT_EQ(0, ConsoleAllocated) << c.Name;
  }
}

// Output in the OEM code page (here 437: e-acute 0xE9 becomes 0x82), nothing
// added, nothing outside console mode; each text to its own handle.
TEST_F(Console, WritesConvertedTextsToTheirHandles) {
  RunCommands("(console_out (text_const \"before\"))(console)"
              "(console_out (text_const \"caf\\xe9 \"))(console_out (text_const \"\"))(console_out (text_const \"a\\0b\"))"
              "(console_err (text_const \"err\\r\\n\"))(console)(console_err (text_const \"after\"))");
  EXPECT_EQ(std::string("caf\x82 a\0b", 8), Out.Take());
  EXPECT_EQ("err\r\n", Err.Take());
}

// One read: the bytes waiting, from the OEM code page, trailing CR and LF cut.
TEST_F(Console, ReadsOneBlockOfInput) {
  const struct {
    const char* Put;
    const char* Expected;
  } cases[] = {
      {"hello\r\n", "hello"},
      {"caf\x82\n\r\n", "caf\xe9"},
      {"two\r\nlines\r\n", "two\r\nlines"},
      {"\r\n", ""},
      {"no line end", "no line end"},
  };
  for (auto& c : cases) {
    In.Put(c.Put);
    ConsoleMode = 0;
    RunCommands("(console)(@got (console_in))");
    EXPECT_EQ(c.Expected, Got()) << c.Put;
  }
}

// Outside console mode nothing is read; a failed read gives the empty text.
TEST_F(Console, NoInputOutsideConsoleModeOrAfterAFailedRead) {
  In.Put("waiting");
  RunCommands("(@got (console_in))");
  EXPECT_EQ("", Got());
  In.CloseWrite();
  ConsoleMode = 0;
  RunCommands("(console)(@got (console_in))");
  EXPECT_EQ("waiting", Got());
  ConsoleMode = 0;
  RunCommands("(console)(@got (console_in))");
  EXPECT_EQ("", Got());
}

}  // namespace
