// Compiled programs run in-process with the fake pump: command groups, if,
// while, repeat, break, exit, case and the waits, and how loops look at the
// message queue and the display.
#include <math.h>
#include "program_fixture.h"

namespace {

// Main's body is the PROGRAM item main_body; the GLOBAL items v1 .. after
// main's declaration are number variables over Numbers 0 .. (all 0 unless a
// test says otherwise). The program may add GLOBAL and LOCAL items after
// these.
class ExecControl : public ProgramTest {
 public:
  void Main(const std::string& program, int32_t variables = 4) {
    while (Numbers.Count < variables) Numbers.Append(0);
    std::string source = "global\n  function -> main_def\n";
    for (int32_t i = 1; i <= variables; i++)
      source += "  v" + std::to_string(i) + ": real datatable=6 dataindex=" + std::to_string(i - 1) + "\n";
    Assemble(source + "local\n  main_def: function -> main_body\n" + program);
  }
  void CompileAndRun() {
    ASSERT_TRUE(Compile());
    Run();
  }
  // repeat v1 { v2 := 1 }, on a fresh fixture or after SetUp().
  void RunRepeat(double count) {
    Main(R"(
program
  main_body: function
    repeat
      repeat_num
        @v1
      while_body
        @v2
          1
)",
         2);
    Numbers[0] = count;
    CompileAndRun();
  }
};

TEST_F(ExecControl, If) {
  const struct {
    const char* Condition;  // null: no if_cond
    double Expected;
  } cases[] = {{"true", 1}, {"false", 2}, {nullptr, 1}, {"text_const", 1}, {"not", 2}};
  for (auto& c : cases) {
    SetUp();
    std::string program = R"(
program
  main_body: function
    if
      %PARAM%
        %CONDITION%
          true
      then
        @v1
          1
      else
        @v1
          2
    @v2
      3
)";  // true: the operand of not
    program.replace(program.find("%PARAM%"), 7, c.Condition ? "if_cond" : "#999");
    program.replace(program.find("%CONDITION%"), 11, c.Condition ? c.Condition : "#999");
    Main(program);
    CompileAndRun();
    EXPECT_EQ(c.Expected, Numbers[0]) << (c.Condition ? c.Condition : "no condition");
    EXPECT_EQ(3, Numbers[1]) << "the command after the if runs";
  }
}

TEST_F(ExecControl, WhileAndBreak) {
  Main(R"(
program
  main_body: function
    while
      while_cond
        true
      while_body
        @v1
          1
        break
        @v2
          1
    while
      while_body
        @v3
          1
    @v4
      3
)");
  CompileAndRun();
  EXPECT_EQ(1, Numbers[0]);
  EXPECT_EQ(0, Numbers[1]) << "break ends the body";
  EXPECT_EQ(0, Numbers[2]) << "a while without condition never runs";
  EXPECT_EQ(3, Numbers[3]) << "the command after the loops runs";
  EXPECT_EQ(0u, ExecFlags);
}

TEST_F(ExecControl, RepeatCounts) {
  const struct {
    double Count;
    int32_t Runs;
  } cases[] = {{3, 3}, {-3.4, 3}, {2.5, 2}, {3.5, 4}, {-5, 5}, {0, 0}, {1e12, 0}, {NAN, 0},
               {-2147483648.0, 0}, {2147483648.0, 0}};
  for (auto& c : cases) {
    SetUp();
    Main(R"(
program
  main_body: function
    repeat
      repeat_num
        @v1
      while_body
        wait
)",
         1);
    Numbers[0] = c.Count;
    CompileAndRun();
    EXPECT_EQ(c.Runs, Fake.Waits) << "count " << c.Count;
  }
}

TEST_F(ExecControl, RepeatWithoutCountRunsNothingAndBreakEndsIt) {
  Main(R"(
program
  main_body: function
    repeat
      while_body
        wait
    repeat
      repeat_num
        3
      while_body
        wait
        break
    @v1
      1
)");
  CompileAndRun();
  EXPECT_EQ(1, Fake.Waits);
  EXPECT_EQ(1, Numbers[0]);
  EXPECT_EQ(0u, ExecFlags);
}

// exit inside two loops of a called function ends the loops and the
// function; the caller goes on. break outside a loop ends its function too.
TEST_F(ExecControl, ExitAndBreakEndTheFunction) {
  Main(R"(
global
  f: function -> f_def
  g: function -> g_def
local
  f_def: function -> f_body
  g_def: function -> g_body
program
  main_body: function
    @f
    @g
    @v1
      1
  f_body: function
    while
      while_cond
        true
      while_body
        repeat
          repeat_num
            5
          while_body
            wait
            exit
    @v3
      1
  g_body: function
    wait
    break
    @v4
      1
)");
  CompileAndRun();
  EXPECT_EQ(2, Fake.Waits);
  EXPECT_EQ(1, Numbers[0]) << "main goes on after both calls";
  EXPECT_EQ(0, Numbers[2]) << "exit skipped the rest of the function";
  EXPECT_EQ(0, Numbers[3]) << "break outside a loop ended the function";
  EXPECT_EQ(0u, ExecFlags);
}

TEST_F(ExecControl, BreakInACaseBranchStopsTheLoop) {
  Main(R"(
program
  main_body: function
    while
      while_cond
        true
      while_body
        case
          case_expr
            1
          case_on
            case_equ
              1
            break
        @v1
          1
    @v2
      1
)");
  CompileAndRun();
  EXPECT_EQ(0, Numbers[0]);
  EXPECT_EQ(1, Numbers[1]);
}

// case 2 with values 1 | 2 | f(); f waits once and gives 3.
class ExecCase : public ExecControl {
 public:
  void RunCase(double selector) {
    Main(R"(
global
  f: function -> f_def
local
  f_def: function -> f_body
    oparam
      real datatable=6 dataindex=4
program
  main_body: function
    case
      case_expr
        @v4
      case_on
        case_equ
          1
        @v1
          1
      case_on
        case_equ
          2
        case_equ
          2
        @v1
          2
      case_on
        case_equ
          @f
        @v1
          3
      default
        @v1
          4
  f_body: function
    wait
)");
    Numbers[3] = selector;
    Numbers.Append(3);
    CompileAndRun();
  }
};

TEST_F(ExecCase, NumberSelector) {
  const struct {
    double Selector;
    double Branch;
    int32_t CallsOfF;
  } cases[] = {{1, 1, 0}, {2, 2, 0}, {3, 3, 1}, {7, 4, 1}, {NAN, 1, 0}};
  for (auto& c : cases) {
    SetUp();
    RunCase(c.Selector);
    EXPECT_EQ(c.Branch, Numbers[0]) << "selector " << c.Selector;
    EXPECT_EQ(c.CallsOfF, Fake.Waits) << "values after a match are not evaluated; selector " << c.Selector;
  }
}

TEST_F(ExecControl, TextAndLogicSelectors) {
  Texts.Append(Text("ab"));
  Texts.Append(Text("ab"));
  Texts.Append(Text("abc"));
  Main(R"(
program
  main_body: function
    case
      case_expr
        text_const textindex=0
      case_on
        case_equ
          text_const textindex=2
        @v1
          1
      case_on
        case_equ
          text_const textindex=1
        @v1
          2
    case
      case_expr
        false
      case_on
        case_equ
          true
        @v2
          1
      default
        @v2
          2
)");
  CompileAndRun();
  EXPECT_EQ(2, Numbers[0]) << "equal characters match";
  EXPECT_EQ(2, Numbers[1]) << "no logic value matched: the default";
}

// Maps, sounds and music: x1 and x2 hold one constant, x3 another with the
// same contents. Each branch sets branch and counts its run in runs; after
// is set by the command that follows the case.
const char* const ObjectCaseProgram = R"(
map level w=2 h=2
map level2 w=2 h=2
sound beep rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
sound beep2 rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
music tune
  notes 60
music tune2
  notes 60
global
  main: function -> main_def
  branch: real = 0
  runs: real = 0
  after: real = 0
  m1: map = level
  m2: map = level
  m3: map = level2
  w1: sound = beep
  w2: sound = beep
  w3: sound = beep2
  u1: music = tune
  u2: music = tune
  u3: music = tune2
local
  main_def: function -> main_body
program
  main_body: function
    case
      case_expr
        @%S
      case_on
%B1%        @branch
          1
        @runs
          +
            @runs
            1
      case_on
%B2%        @branch
          2
        @runs
          +
            @runs
            1
%DEFAULT%    @after
      1
)";

const char* const ObjectCaseDefault = R"(      default
        @branch
          9
        @runs
          +
            @runs
            1
)";

class ExecObjectCase : public ProgramTest {
 public:
  // Runs the case on x<selector> with the values x<d> for each digit d of
  // first and second; false when it does not load or compile.
  bool RunCase(char kind, char selector, const char* first, const char* second, bool withDefault) {
    SetUp();
    std::string source = ObjectCaseProgram;
    source.replace(source.find("%S"), 2, std::string(1, kind) + selector);
    source.replace(source.find("%B1%"), 4, Values(kind, first));
    source.replace(source.find("%B2%"), 4, Values(kind, second));
    source.replace(source.find("%DEFAULT%"), 9, withDefault ? ObjectCaseDefault : "");
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    Run();
    return true;
  }
  static std::string Values(char kind, const char* digits) {
    std::string lines;
    for (const char* d = digits; *d; d++) lines += std::string("        case_equ\n          @") + kind + *d + "\n";
    return lines;
  }
  double NumberOf(int32_t item) const { return Numbers[GlobalItemLinks[item].DataIndex]; }
};

TEST_F(ExecObjectCase, MapSoundAndMusicSelectorsMatchTheSameRecord) {
  const struct {
    char Selector;
    const char* First;   // the values of the first branch
    const char* Second;  // and of the second
    bool WithDefault;
    double Branch;  // 0: none ran
    double Runs;
  } cases[] = {
      {'1', "3", "32", true, 2, 1},  // a later value of a later branch shares the record
      {'1', "1", "2", true, 1, 1},   // the first match wins
      {'3', "1", "2", true, 9, 1},   // equal contents are no match: the default
      {'3', "1", "2", false, 0, 0},  // no match and no default: nothing runs
      {'2', "31", "", true, 1, 1},   // a second value of the first branch
  };
  for (char kind : {'m', 'w', 'u'})
    for (auto& c : cases) {
      std::string what = std::string("kind ") + kind + " selector " + c.Selector + " values " + c.First + " | " +
                         c.Second + (c.WithDefault ? " default" : "");
      ASSERT_TRUE(RunCase(kind, c.Selector, c.First, c.Second, c.WithDefault)) << what;
      EXPECT_EQ(c.Branch, NumberOf(1)) << what;
      EXPECT_EQ(c.Runs, NumberOf(2)) << what;
      EXPECT_EQ(1, NumberOf(3)) << "the command after the case runs; " << what;
      EXPECT_EQ(0u, ExecFlags) << what;
    }
}

TEST_F(ExecControl, LoopsLookAtTheQueueEvery50Iterations) {
  RunRepeat(120);
  EXPECT_EQ(2, Fake.TickChecks);
  EXPECT_EQ(0, Fake.Pumps) << "no timer message waits: no pump";

  SetUp();
  Fake.TickPending = true;
  Fake.PausedChecks = 3;
  RunRepeat(120);
  EXPECT_EQ(2, Fake.Pumps);
  EXPECT_EQ(3, Fake.TicksWaited) << "a paused program waits a tick at a time";
}

// After the quit flag is set, the loop ends and the rest of the body skips.
TEST_F(ExecControl, QuitEndsLoopsAndSkipsTheRest) {
  Main(R"(
program
  main_body: function
    while
      while_cond
        true
      while_body
        wait
    @v1
      1
)");
  Fake.TickPending = true;
  Fake.QuitAtPump = 1;
  CompileAndRun();
  EXPECT_EQ(50, Fake.Waits);
  EXPECT_EQ(0, Numbers[0]);
  EXPECT_EQ(ExecFlagQuit, ExecFlags);
}

TEST_F(ExecControl, LoopsRefreshAtEveryTickAfterTheFirst) {
  Fake.TickPending = true;
  Fake.CountdownStep = 1;
  RunRepeat(200);
  EXPECT_EQ(4, Fake.Pumps);
  EXPECT_EQ(3, Fake.Refreshes);
}

TEST_F(ExecControl, Waits) {
  Main(R"(
program
  main_body: function
    wait
    wait
      1
    wait
      0
)");
  Fake.PausedChecks = 2;
  CompileAndRun();
  EXPECT_EQ(2, Fake.Waits);
  EXPECT_EQ(1 + 18, Fake.TicksWaited) << "no operand: one tick; 1 second: 18 ticks";
  EXPECT_EQ(3, Fake.Pumps) << "0 seconds: the pending messages, then while paused";
  EXPECT_EQ(2, Fake.WaitingPumps);
  EXPECT_EQ(1, Fake.Refreshes);
}

// A condition computed by an element with an operand (not true) takes the
// else branch, and a command with named parameters (a point in a colour)
// leaves the steps after it to run.
TEST_F(ExecControl, ComputedConditionAndNamedParametersLeaveWhatFollows) {
  Main(R"(
program
  main_body: function
    if
      if_cond
        not
          true
      else
        @v1
          1
    point
      graph_color
        +
          1
          2
    @v2
      2
)");
  CompileAndRun();
  EXPECT_EQ(1, Numbers[0]) << "not true is false: the else branch runs";
  EXPECT_EQ(2, Numbers[1]);
}

}  // namespace
