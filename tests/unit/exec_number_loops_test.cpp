// While loops of plain number code run decoded: each program runs twice, once
// as it is (decoded) and once with a logic assignment added to the body,
// which keeps the loop on its steps, and every number must come out the same
// to the bit. Also: which loops decode, the condition's tests against the
// steps', and the looks at the queue that move the numbers' list.
#include <math.h>
#include <string.h>
#include <string>
#include <vector>
#include "expression_fixture.h"
#include "steps_twin.h"
#include "exec/number_loops.h"

namespace {

// main's frame holds the locals a, b, c, i, n, copied after the loop into the
// globals sa, sb, sc, si; the other globals are x, y, z, k, m, f. %COND% is
// the loop's condition, %BODY% its members.
const char* const LoopProgram = R"(
global
  main: function -> main_def
  x: real = 1
  y: real = 3
  z: real = 0.1
  k: real = 0
  m: real = 20
  f: logic = false
  sa: real = 0
  sb: real = 0
  sc: real = 0
  si: real = 0
local
  main_def: function -> main_body
    a: real = 1
    b: real = 1e-16
    c: real = 7
    i: real = 0
    n: real = 20
program
  main_body: function
    while
      while_cond
%COND%
      while_body
%BODY%
%KEEP%
    @sa
      @a
    @sb
      @b
    @sc
      @c
    @si
      @i
)";

std::string Fill(std::string source, const char* key, const std::string& text) {
  return source.replace(source.find(key), strlen(key), text);
}

class NumberLoops : public StepsTwinTest {
 public:

  // The compiled while step's condition, the first one in the code.
  static const ExecItem* FirstCondition() {
    for (int32_t i = 0; i < CompiledCodeCount; i++)
      if (CompiledCode[i].Exec == EXEC_FN(Cmd, ExecCmdWhile)) return CompiledCode + i + 1;
    return nullptr;
  }

  FakePump Pumping = {};  // what the fake pump does in each run

  bool Build(const std::string& cond, const std::string& body, bool keepOnSteps) {
    SetUp();
    Fake = Pumping;
    std::string source = Fill(LoopProgram, "%COND%", ExpressionLines(cond, 4));
    source = Fill(source, "%BODY%", ExpressionLines(body, 4));
    source = Fill(source, "%KEEP%", keepOnSteps ? "        @f\n          true\n" : "");
    return LoadTestProgram(source) && CompileProgram();
  }

  bool RunLoop(const std::string& cond, const std::string& body, bool keepOnSteps) {
    if (!Build(cond, body, keepOnSteps)) return false;
    const ExecItem* condition = FirstCondition();
    NumberLoop loop;
    Decoded = condition && DecodeNumberLoop(loop, condition);
    Run();
    Keep();
    return true;
  }

  // The entry of a global number, declared in this order after main.
  static int32_t GlobalValue(const std::string& name) {
    const char* order[] = {"x", "y", "z", "k", "m", "f", "sa", "sb", "sc", "si"};
    for (int32_t i = 0; i < 10; i++)
      if (name == order[i]) return GlobalItemLinks[1 + i].DataIndex;
    return -1;
  }

  // Runs the loop decoded and on its steps; both must give the same numbers.
  void ExpectSameAsSteps(const std::string& cond, const std::string& body, bool decodes = true) {
    ExpectTwinsAgree([&](bool keep) { return RunLoop(cond, body, keep); }, decodes, body);
  }
};

TEST_F(NumberLoops, BodiesGiveWhatTheirStepsGive) {
  const char* iPlusOne = "(@i (+ (@i) (num 1)))";
  const struct {
    const char* Body;
    const char* What;
  } cases[] = {
      {"(@k (+ (@k) (* (@i) (num 2))))", "a nested product, into a global"},
      // 1 + 1e-16 rounds to 1 as a double but not in extended precision.
      {"(@c (+ (@a) (@b) (@b) (@b)))", "a fold of four operands rounds each step"},
      {"(@c (- (+ (@a) (@b)) (@a)))", "an inner sum is rounded before the outer difference"},
      {"(@z (* (@z) (num 1.1) (/ (@y) (num 3.3))))", "products and a quotient"},
      {"(@x (/ (@x) (num 0))) (@y (- (@x) (@x))) (@z (/ (@y) (num 0)))", "infinities and NaN"},
      {"(@m (* (@m) (@m)))", "a value squared into itself until it overflows"},
      {"(@a (@c)) (@c (@i)) (@b (num -0))", "copies of a variable and of -0"},
      {"(@a (+ (@i)))", "a sum of one operand is the operand"},
      {"(@y (- (@y) (* (+ (@a) (@z)) (- (@y) (@b))))) (@z (/ (num 1) (@y)))", "deeper nesting"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.What);
    ExpectSameAsSteps("(< (@i) (@n))", std::string(c.Body) + iPlusOne);
  }
  // The same on the global counter, with the condition's operands computed.
  ExpectSameAsSteps("(< (+ (@k) (num 0.5)) (* (@m) (num 2)))",
                    "(@z (- (@z) (num 0.3))) (@k (+ (@k) (num 1)))");
}

// Loops with anything else run on their steps, to the same end.
TEST_F(NumberLoops, OtherCodeStaysOnTheSteps) {
  const struct {
    const char* Condition;
    const char* Body;
  } cases[] = {
      {"(< (@i) (@n))", "(@i (+ (@i) (num 1))) (@k (mod (@i) (num 2)))"},  // a remainder
      {"(< (@i) (@n))", "(@i (+ (@i) (num 1))) (@k (- (@i)))"},          // a negation
      {"(< (@i) (@n))", "(@i (+ (@i) (num 1))) (wait)"},                   // a command
      {"(< (@i) (@n) (num 30))", "(@i (+ (@i) (num 1)))"},                 // a chain of three
  };
  for (auto& c : cases) {
    ASSERT_TRUE(RunLoop(c.Condition, c.Body, false)) << c.Body;
    EXPECT_FALSE(Decoded) << c.Body;
    EXPECT_EQ(20, Values[GlobalValue("si")]) << c.Body;
  }
}

// Each of the six tests with a NaN, infinities and both zeros on either side.
TEST_F(NumberLoops, ConditionsTestAsTheirSteps) {
  const double values[] = {0, -0.0, 1, -1, NAN, INFINITY, -INFINITY, 1e308};
  for (int32_t test = El::equal; test <= El::less; test++) {
    std::string cond = "(" + std::string(ElementNameOfId(test)) + " (@x) (+ (@y)))";
    ASSERT_TRUE(Build(cond, "(@k (num 1))", false));
    const ExecItem* condition = FirstCondition();
    for (double a : values)
      for (double b : values) {
        Numbers[GlobalValue("x")] = a;
        Numbers[GlobalValue("y")] = b;
        NumberLoop loop;
        ASSERT_TRUE(DecodeNumberLoop(loop, condition));
        ExecPointer = const_cast<ExecItem*>(condition);
        EXPECT_EQ(RunBool(), RunDecodedCondition(loop)) << ElementNameOfId(test) << " on " << a << ", " << b;
      }
  }
}

bool ItemsMoved;

// Grows the numbers' list and shrinks it back, as a look could: the items
// move while the count stays.
void MoveNumbers() {
  const double* before = Numbers.ItemArray();
  int32_t count = Numbers.Count;
  while (Numbers.ItemArray() == before) Numbers.Append(0);
  Numbers.RemoveLast(Numbers.Count - count);
  ItemsMoved = true;
}

TEST_F(NumberLoops, LooksThatMoveTheNumbersAreFollowed) {
  Pumping.TickPending = true;
  Pumping.OnPump = MoveNumbers;
  ItemsMoved = false;
  const char* body = "(@k (+ (@k) (@i))) (@c (* (@c) (num 2))) (@i (+ (@i) (num 1)))";
  ASSERT_TRUE(RunLoop("(< (@i) (num 200))", body, false));
  EXPECT_TRUE(Decoded);
  EXPECT_TRUE(ItemsMoved);
  EXPECT_EQ(4, Fake.Pumps);
  EXPECT_EQ(19900, Values[GlobalValue("k")]);
  EXPECT_EQ(7 * ldexp(1, 200), Values[GlobalValue("sc")]);
  EXPECT_EQ(200, Values[GlobalValue("si")]);
  ExpectSameAsSteps("(< (@i) (num 200))", body);
}

// A quit noticed at a look ends the loop before its body runs again.
TEST_F(NumberLoops, QuitAtALookEndsTheLoop) {
  Pumping.TickPending = true;
  Pumping.QuitAtPump = 1;
  ExpectSameAsSteps("(< (@i) (num 1e9))", "(@k (+ (@k) (num 1))) (@i (+ (@i) (num 1)))");
  EXPECT_EQ(ExecFlagQuit, Flags);
  EXPECT_EQ(50, Values[GlobalValue("k")]);
}

}  // namespace
