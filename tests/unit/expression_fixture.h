// Expressions run as compiled programs: main assigns one number expression to
// r and one logic expression to b; the expressions are written as nested
// items, "(head attrs (child) (child))", each head an item line of the
// test-program format.
#pragma once
#include <math.h>
#include <string>
#include "image_setup.h"
#include "program_fixture.h"

// Counts of the calls of f (a number function giving 7) and of yes and no
// (logic functions giving true and false), so tests see what was evaluated.
const char* const ExpressionProgram = R"(
global
  main: function -> main_def
  f: function -> f_def
  yes: function -> yes_def
  no: function -> no_def
  r: real = 0
  b: logic = false
  calls: real = 0
  nan: real = nan
  pinf: real = inf
  ninf: real = -inf
  ta: text = "a"
  tb: text = "b"
  empty: text = ""
local
  main_def: function -> main_body
  f_def: function -> f_body
    oparam
      fr: real = 7
  yes_def: function -> yes_body
    oparam
      yr: logic = true
  no_def: function -> no_body
    oparam
      nr: logic = false
program
  main_body: function
    @r
%NUM%
    @b
%BOOL%
%CMD%
  f_body: function
    @calls
      +
        @calls
        1
  yes_body: function
    @calls
      +
        @calls
        1
  no_body: function
    @calls
      +
        @calls
        1
)";

// "(a (b) (c (d)))" to the indented lines of a tree at depth.
inline std::string ExpressionLines(const std::string& s, int depth) {
  std::string out, line;
  int d = depth - 1;
  for (char c : s) {
    if (c == '(' || c == ')') {
      size_t first = line.find_first_not_of(' '), last = line.find_last_not_of(' ');
      if (first != std::string::npos) out += std::string(2 * d, ' ') + line.substr(first, last - first + 1) + "\n";
      line.clear();
      d += c == '(' ? 1 : -1;
    } else {
      line += c;
    }
  }
  return out;
}

class ExpressionTest : public ProgramTest {
 public:
  double R, Calls;
  uint8_t B;

  // Runs main with r := num and b := logic (either may be empty: nothing is
  // assigned then), then the commands; false when the program does not load or compile.
  bool RunExpressions(const std::string& num, const std::string& logic, const std::string& commands = "") {
    SetUp();
    std::string source = ExpressionProgram;
    source.replace(source.find("%NUM%"), 5, ExpressionLines(num, 3));
    source.replace(source.find("%BOOL%"), 6, ExpressionLines(logic, 3));
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    Run();
    R = Numbers[GlobalValue("r")];
    B = Logics[GlobalValue("b")];
    Calls = Numbers[GlobalValue("calls")];
    return true;
  }
  double Num(const std::string& num) { return RunExpressions(num, "") ? R : -12345.0; }
  int Bool(const std::string& logic) { return RunExpressions("", logic) ? B : -1; }

  // The entry of the global variable in its list; they are declared in this
  // order after the four functions.
  static int32_t GlobalValue(const std::string& name) {
    const char* order[] = {"r", "b", "calls", "nan", "pinf", "ninf", "ta", "tb", "empty"};
    for (int32_t i = 0; i < 9; i++)
      if (name == order[i]) return GlobalItemLinks[4 + i].DataIndex;
    return -1;
  }
};

// Same value, NaN matching NaN, -0 told apart from +0.
inline bool SameNumber(double a, double b) {
  if (isnan(a) || isnan(b)) return isnan(a) && isnan(b);
  return a == b && signbit(a) == signbit(b);
}
