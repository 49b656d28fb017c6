// Calls inside decoded loops: a while or repeat loop whose body calls a
// function of numbers with a body of number assignments runs decoded, its
// frame written where the pushes would put it. Each program runs twice, once
// as it is and once with a logic assignment added to the loop's body, which
// keeps the loop on its steps; every number must come out the same to the
// bit.
#include <math.h>
#include <string.h>
#include <string>
#include <vector>
#include "expression_fixture.h"
#include "steps_twin.h"
#include "exec/calls.h"
#include "exec/number_loops.h"

namespace {

// f(a, b, c) gives r, with the locals u (starting at 7) and v; its body is
// %FBODY%. h(ha) has an if in its body, so a loop calling it stays on its
// steps. %LOOP% is the loop, which main's locals i, p, q may feed.
const char* const CallProgram = R"(
global
  main: function -> main_def
  f: function -> f_def
  h: function -> h_def
  g: real = 0.1
  k: real = 0
  w: real = 3
  flag: logic = false
  si: real = 0
  nn: real = nan
local
  main_def: function -> main_body
    i: real = 0
    p: real = 0.7
    q: real = 1e-16
  f_def: function -> f_body
    iparam
      a: real = 0
      b: real = 0
      c: real = 0
    oparam
      r: real = 0
    u: real = 7
    v: real = 0
  h_def: function -> h_body
    iparam
      ha: real = 0
    oparam
      hr: real = 0
program
  main_body: function
%LOOP%
    @si
      @i
  f_body: function
%FBODY%
  h_body: function
    if
      if_cond
        <
          @ha
          num 0
      then
        @hr
          -
            @ha
      else
        @hr
          @ha
)";

const char* const WhileLoop = R"(    while
      while_cond
%COND%
      while_body
%BODY%
%KEEP%
)";

const char* const RepeatLoop = R"(    repeat
      repeat_num
%COUNT%
      while_body
%BODY%
%KEEP%
)";

// The bench's shape: (a + b) - c through the two locals.
const char* const Difference = "(@u (+ (@a) (@b))) (@v (- (@u) (@c))) (@r (@v))";
const char* const CountI = "(@i (+ (@i) (num 1)))";

std::string Fill(std::string source, const char* key, const std::string& text) {
  size_t at = source.find(key);
  return at == std::string::npos ? source : source.replace(at, strlen(key), text);
}

int32_t FilledAt;  // the capacity the fill below reached; 0 before it, in each run

class LoopCalls : public StepsTwinTest {
 public:
  FakePump Pumping = {};  // what the fake pump does in each run
  int32_t Budget = CallDepthLimit;

  // A while loop when Count is empty, else a repeat loop with Count, one
  // constant or variable, as its count.
  std::string Cond = "(< (@i) (num 20))", Count;

  bool RunLoop(const std::string& body, const std::string& fbody, bool keepOnSteps) {
    SetUp();
    Fake = Pumping;
    FilledAt = 0;
    std::string loop = Fill(Count.empty() ? WhileLoop : RepeatLoop, "%COND%", ExpressionLines(Cond, 4));
    loop = Fill(loop, "%COUNT%", ExpressionLines(Count, 4));
    loop = Fill(loop, "%BODY%", ExpressionLines(body, 4));
    loop = Fill(loop, "%KEEP%", keepOnSteps ? "        @flag\n          true\n" : "");
    std::string source = Fill(Fill(CallProgram, "%LOOP%", loop), "%FBODY%", ExpressionLines(fbody, 2));
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    Decoded = DecodeFirstLoop();
    CallDepthBudget = Budget;
    Run();
    Keep();
    return true;
  }

  // Decodes the first loop in the code as its step would; a repeat's count
  // is one step.
  static bool DecodeFirstLoop() {
    NumberLoop loop;
    for (int32_t i = 0; i < CompiledCodeCount; i++) {
      if (CompiledCode[i].Exec == EXEC_FN(Cmd, ExecCmdWhile)) return DecodeNumberLoop(loop, CompiledCode + i + 1);
      if (CompiledCode[i].Exec == EXEC_FN(Cmd, ExecCmdRepeat)) return DecodeRepeatLoop(loop, CompiledCode + i + 2);
    }
    return false;
  }

  static int32_t GlobalValue(const std::string& name) {
    const char* order[] = {"g", "k", "w", "flag", "si", "nn"};
    for (int32_t i = 0; i < 6; i++)
      if (name == order[i]) return GlobalItemLinks[3 + i].DataIndex;
    return -1;
  }
  double Global(const char* name) const { return Values[GlobalValue(name)]; }

  // Runs the loop decoded and on its steps; both must give the same numbers.
  void ExpectSameAsSteps(const std::string& body, const std::string& fbody, bool decodes = true) {
    ExpectTwinsAgree([&](bool keep) { return RunLoop(body, fbody, keep); }, decodes, body + " calling " + fbody);
  }

};

const struct {
  const char* Body;
  const char* FBody;
  bool Decodes;
  const char* What;
} CallCases[] = {
    {"(@g (@f (@a (@g)) (@b (num 2)) (@c (num 1))))", Difference, true, "the bench's call, its result fed back"},
    // Each argument is evaluated with the pushes before it made: the
    // slots of main's locals count from a top that moves.
    {"(@k (@f (@a (@p)) (@b (@i)) (@c (@q))))", "(@r (+ (@a) (@b) (@c)))", true, "main's locals as arguments"},
    {"(@k (+ (@k) (* (@f (@a (@i)) (@b (num 2)) (@c (num 0))) (@f (@a (@g)) (@b (@p)) (@c (@i))))))",
     Difference, true, "two calls in one expression"},
    // a is g's value when pushed, not what the body then stores into g.
    {"(@k (+ (@k) (@f (@a (@g)) (@b (num 0)) (@c (num 0))))) (@g (+ (@g) (@i)))",
     "(@g (num 5)) (@r (+ (@a) (num 1)))", true, "the body overwrites the global an argument came from"},
    {"(@k (+ (@k) (@f (@a (@i)) (@b (num 0)) (@c (num 0)))))", "(@r (* (@u) (@a))) (@u (num 0))", true,
     "a local starts at its initial value on every call"},
    {"(@k (+ (@k) (@f (@a (@i)) (@b (num 0)) (@c (num 0)))))", "(@v (@a))", true,
     "a result never assigned is its initial value"},
    {"(@g (@f (@a (* (@g) (num 1.5))) (@b (- (@i) (num 0.25))) (@c (@w))))", Difference, true,
     "computed arguments"},
    {"(@k (+ (@k) (@f (@a (@i)) (@b (/ (num 1) (num 0))) (@c (- (/ (num 1) (num 0)) (@w))))))",
     "(@r (* (@a) (@b))) (@u (/ (@c) (num 0)))", true, "infinities and NaN through the frame"},
    {"(@k (+ (@k) (@h (@ha (- (@i) (num 10))))))", "(@r (@a))", false, "a callee with an if"},
    {"(@k (@f (@a (@f (@a (@i)) (@b (num 1)) (@c (num 0)))) (@b (num 1)) (@c (num 0))))", Difference, false,
     "a call in an argument"},
    {"(@k (+ (@k) (@f (@a (@i)) (@b (num 1)) (@c (num 0)))))", "(@r (@a)) (wait)", false,
     "a callee with a command"},
};

TEST_F(LoopCalls, WhileBodiesGiveWhatTheirStepsGive) {
  for (auto& c : CallCases) {
    SCOPED_TRACE(c.What);
    ExpectSameAsSteps(std::string(c.Body) + CountI, c.FBody, c.Decodes);
  }
}

TEST_F(LoopCalls, RepeatBodiesGiveWhatTheirStepsGive) {
  Count = "(num 20)";
  for (auto& c : CallCases) {
    SCOPED_TRACE(c.What);
    ExpectSameAsSteps(std::string(c.Body) + CountI, c.FBody, c.Decodes);
  }
  ASSERT_TRUE(RunLoop(std::string(CallCases[0].Body) + CountI, Difference, false));
  EXPECT_NEAR(20.1, Global("g"), 1e-9);
  EXPECT_EQ(20, Global("si"));
}

// The counts a repeat loop takes: its magnitude, none for NaN.
TEST_F(LoopCalls, RepeatCounts) {
  const struct {
    const char* Count;
    double Runs;
  } cases[] = {{"(num 0)", 0}, {"(num 1)", 1}, {"(num -3)", 3}, {"(num 2.5)", 2}, {"(@nn)", 0}, {"(num 1e300)", 0}};
  for (auto& c : cases) {
    Count = c.Count;
    ExpectSameAsSteps("(@g (+ (@g) (num 1)))" + std::string(CountI), "(@r (@a))");
    EXPECT_EQ(c.Runs, Global("si")) << c.Count;
  }
}

TEST_F(LoopCalls, ACallInTheConditionIsDecoded) {
  Cond = "(< (@f (@a (@i)) (@b (num 0.5)) (@c (num 0.5))) (num 20))";
  ExpectSameAsSteps("(@k (+ (@k) (@i)))" + std::string(CountI), Difference);
  EXPECT_EQ(190, Global("k"));
}

// With no budget left for the callee's body, the call gives its result's
// initial value; such a loop stays on its steps.
TEST_F(LoopCalls, TheDepthBudgetHolds) {
  const std::string body = "(@k (+ (@k) (@f (@a (@i)) (@b (num 1)) (@c (num 0)))))" + std::string(CountI);
  Budget = 1;  // main's own call takes it
  ExpectSameAsSteps(body, "(@r (+ (@a) (@b)))", true);
  EXPECT_EQ(0, Global("k"));
  Budget = 2;
  ExpectSameAsSteps(body, "(@r (+ (@a) (@b)))", true);
  EXPECT_EQ(210, Global("k"));
}

// Appends to the numbers until the list is full, so a call's frame no
// longer fits above the count; the items stay where they are.
void FillNumbers() {
  if (FilledAt) return;
  while (Numbers.Count < Numbers.Capacity) Numbers.Append(0);
  FilledAt = Numbers.Capacity;
}

// A look that leaves no room for the frame: the loop goes on on its steps,
// whose pushes grow the list, to the same end.
TEST_F(LoopCalls, AFrameThatNoLongerFitsGoesOnOnTheSteps) {
  Pumping.TickPending = true;
  Pumping.OnPump = FillNumbers;
  Cond = "(< (@k) (num 200))";
  const std::string body = "(@g (@f (@a (@g)) (@b (num 2)) (@c (num 1)))) (@k (+ (@k) (num 1)))";
  for (const char* count : {"", "(num 200)"}) {
    Count = count;
    ASSERT_TRUE(RunLoop(body, Difference, false));
    EXPECT_TRUE(Decoded);
    EXPECT_LT(FilledAt, Numbers.Capacity) << "the steps pushed the frame past the full list";
    EXPECT_EQ(200, Global("k"));
    EXPECT_NEAR(200.1, Global("g"), 1e-9);
    ExpectSameAsSteps(body, Difference);
  }
}

// A quit noticed at a look ends a decoded repeat loop before its body runs
// again.
TEST_F(LoopCalls, QuitAtALookEndsARepeatLoop) {
  Pumping.TickPending = true;
  Pumping.QuitAtPump = 1;
  Count = "(num 1e9)";
  ExpectSameAsSteps("(@k (@f (@a (@k)) (@b (num 1)) (@c (num 0))))", Difference);
  EXPECT_EQ(ExecFlagQuit, Flags);
  EXPECT_EQ(50, Global("k"));
}

// A loop refused for the budget of the moment decodes once the budget
// allows; one refused for its steps stays refused.
TEST_F(LoopCalls, OnlyRefusalsForTheStepsAreKept) {
  const std::string body = "(@k (+ (@k) (@f (@a (@i)) (@b (num 1)) (@c (num 0)))))" + std::string(CountI);
  ASSERT_TRUE(RunLoop(body, Difference, false));
  CallDepthBudget = 0;
  EXPECT_FALSE(DecodeFirstLoop());
  CallDepthBudget = 1;
  EXPECT_TRUE(DecodeFirstLoop());
  ASSERT_TRUE(RunLoop(body, "(@r (@a)) (wait)", false));
  EXPECT_FALSE(DecodeFirstLoop());
}

}  // namespace
