// Logic expressions compiled and run: number chains with the NaN rule and
// short-circuit, and, or, exclusive or, not, and the comparisons of texts.
#include "expression_fixture.h"

namespace {

struct BoolCase {
  const char* Expression;
  int Expected;
  double Calls;  // how many of f, yes and no ran
};

class ExecLogic : public ExpressionTest {
 public:
  void Check(const BoolCase* cases, size_t count) {
    for (size_t i = 0; i < count; i++) {
      const BoolCase& c = cases[i];
      EXPECT_EQ(c.Expected, Bool(c.Expression)) << c.Expression;
      EXPECT_EQ(c.Calls, Calls) << "calls in " << c.Expression;
    }
  }
};
#define CHECK_CASES(cases) Check(cases, sizeof cases / sizeof cases[0])

// f gives 7 and counts its calls.
TEST_F(ExecLogic, NumberChains) {
  const BoolCase cases[] = {
      {"(#29 (3) (3) (4) (@f))", 0, 0},
      {"(#29 (3) (num 3.0) (3))", 1, 0},
      {"(#29 (7) (@f) (7))", 1, 1},
      {"(#30 (1) (2) (1))", 1, 0},
      {"(#30 (1) (1) (2) (@f))", 0, 0},
      {"(#34 (1) (2) (3))", 1, 0},
      {"(#34 (1) (3) (2) (@f))", 0, 0},
      {"(#34 (1) (2) (2))", 0, 0},
      {"(#32 (1) (2) (2))", 1, 0},
      {"(#32 (2) (1) (@f))", 0, 0},
      {"(#31 (3) (3) (1))", 1, 0},
      {"(#31 (1) (2))", 0, 0},
      {"(#33 (3) (2) (1))", 1, 0},
      {"(#33 (3) (3))", 0, 0},
      {"(#33 (9) (8) (@f))", 1, 1},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecLogic, OneOperandTests) {
  const BoolCase cases[] = {
      {"(#29 (0))", 1, 0},           {"(#29 (num 0.5))", 0, 0},    {"(#30 (num -0.5))", 1, 0},
      {"(#30 (0))", 0, 0},          {"(#34 (num -0.5))", 1, 0},   {"(#34 (0))", 0, 0},
      {"(#31 (0))", 1, 0},         {"(#31 (num -1))", 0, 0},   {"(#33 (0))", 0, 0},
      {"(#33 (num 1e-300))", 1, 0},  {"(#32 (0))", 1, 0},         {"(#32 (1))", 0, 0},
  };
  CHECK_CASES(cases);
}

// A NaN on either side counts as equal and as less at once.
TEST_F(ExecLogic, NaNIsEqualAndLess) {
  const BoolCase cases[] = {
      {"(#29 (sqrt (num -1)) (5))", 1, 0},
      {"(#30 (sqrt (num -1)) (5))", 0, 0},
      {"(#33 (sqrt (num -1)) (0))", 0, 0},
      {"(#29 (5) (@nan))", 1, 0},
      {"(#34 (@nan) (5))", 1, 0},
      {"(#34 (5) (@nan))", 1, 0},
      {"(#32 (@nan) (5))", 1, 0},
      {"(#31 (@nan) (5))", 0, 0},
      {"(#31 (5) (@nan))", 0, 0},
      {"(#33 (5) (@nan))", 0, 0},
      {"(#29 (@nan))", 1, 0},
      {"(#34 (@nan))", 1, 0},
      {"(#32 (@nan))", 1, 0},
      {"(#30 (@nan))", 0, 0},
      {"(#33 (@nan))", 0, 0},
      {"(#31 (@nan))", 0, 0},
      {"(#34 (1) (@nan) (0))", 1, 0},
      {"(#29 (@pinf) (@pinf))", 1, 0},
      {"(#34 (@ninf) (@pinf))", 1, 0},
  };
  CHECK_CASES(cases);
}

// yes and no give true and false and count their calls.
TEST_F(ExecLogic, Operators) {
  const BoolCase cases[] = {
      {"(and (false) (@yes))", 0, 0},
      {"(and (true) (@yes) (@no) (@yes))", 0, 2},
      {"(and (true) (@yes))", 1, 1},
      {"(and (@no))", 0, 1},
      {"(and (@yes))", 1, 1},
      {"(or (true) (@yes))", 1, 0},
      {"(or (false) (@no) (@yes) (@no))", 1, 2},
      {"(or (false) (@no))", 0, 1},
      {"(#37 (true) (true) (true))", 1, 0},
      {"(#37 (true) (@yes) (@no) (@yes))", 1, 3},
      {"(#37 (@yes) (true))", 0, 1},
      {"(#37 (false))", 0, 0},
      {"(not (@yes))", 0, 1},
      {"(not (false))", 1, 0},
      {"(and (true) (#999) (false))", 0, 0},
      {"(and (#29 (1) (1)) (not (#34 (2) (1))))", 1, 0},
  };
  CHECK_CASES(cases);
}

// An and without any operand that compiles fails: if then runs its then group.
TEST_F(ExecLogic, EmptyAndIsDropped) {
  ASSERT_TRUE(RunExpressions("", "", "(if (if_cond (and (#999))) (then (@r (5))))"));
  EXPECT_EQ(5, R);
  ASSERT_TRUE(RunExpressions("", "", "(if (if_cond (and (#999) (false))) (then (@r (5))))"));
  EXPECT_EQ(0, R) << "with one operand left, and is that operand";
}

TEST_F(ExecLogic, Texts) {
  const BoolCase cases[] = {
      {"(#239 (@ta) (@ta) (@tb))", 0, 0},
      {"(#239 (@ta) (@ta))", 1, 0},
      {"(#239 (@ta) (text_const \"a\"))", 1, 0},
      {"(#239 (@ta) (text_const \"A\"))", 0, 0},
      {"(#239 (@empty))", 1, 0},
      {"(#239 (@ta))", 0, 0},
      {"(#288 (@tb) (@ta))", 1, 0},
      {"(#288 (@ta) (@tb))", 0, 0},
      {"(#288 (@tb) (@ta) (@ta))", 0, 0},
      {"(#288 (text_const \"c\") (@tb) (@ta))", 1, 0},
      {"(#288 (@ta) (@ta))", 0, 0},
      {"(#288 (@ta))", 1, 0},
      {"(#288 (@empty))", 0, 0},
      // 523 is CR LF: two characters, not the empty text.
      {"(#239 (#523) (text_const \"\\r\\n\"))", 1, 0},
      {"(#239 (#523))", 0, 0},
  };
  CHECK_CASES(cases);
}

}  // namespace
