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
      {"(= (3) (3) (4) (@f))", 0, 0},
      {"(= (3) (num 3.0) (3))", 1, 0},
      {"(= (7) (@f) (7))", 1, 1},
      {"(<> (1) (2) (1))", 1, 0},
      {"(<> (1) (1) (2) (@f))", 0, 0},
      {"(< (1) (2) (3))", 1, 0},
      {"(< (1) (3) (2) (@f))", 0, 0},
      {"(< (1) (2) (2))", 0, 0},
      {"(<= (1) (2) (2))", 1, 0},
      {"(<= (2) (1) (@f))", 0, 0},
      {"(>= (3) (3) (1))", 1, 0},
      {"(>= (1) (2))", 0, 0},
      {"(> (3) (2) (1))", 1, 0},
      {"(> (3) (3))", 0, 0},
      {"(> (9) (8) (@f))", 1, 1},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecLogic, OneOperandTests) {
  const BoolCase cases[] = {
      {"(= (0))", 1, 0},           {"(= (num 0.5))", 0, 0},    {"(<> (num -0.5))", 1, 0},
      {"(<> (0))", 0, 0},          {"(< (num -0.5))", 1, 0},   {"(< (0))", 0, 0},
      {"(>= (0))", 1, 0},         {"(>= (num -1))", 0, 0},   {"(> (0))", 0, 0},
      {"(> (num 1e-300))", 1, 0},  {"(<= (0))", 1, 0},         {"(<= (1))", 0, 0},
  };
  CHECK_CASES(cases);
}

// A NaN on either side counts as equal and as less at once.
TEST_F(ExecLogic, NaNIsEqualAndLess) {
  const BoolCase cases[] = {
      {"(= (sqrt (num -1)) (5))", 1, 0},
      {"(<> (sqrt (num -1)) (5))", 0, 0},
      {"(> (sqrt (num -1)) (0))", 0, 0},
      {"(= (5) (@nan))", 1, 0},
      {"(< (@nan) (5))", 1, 0},
      {"(< (5) (@nan))", 1, 0},
      {"(<= (@nan) (5))", 1, 0},
      {"(>= (@nan) (5))", 0, 0},
      {"(>= (5) (@nan))", 0, 0},
      {"(> (5) (@nan))", 0, 0},
      {"(= (@nan))", 1, 0},
      {"(< (@nan))", 1, 0},
      {"(<= (@nan))", 1, 0},
      {"(<> (@nan))", 0, 0},
      {"(> (@nan))", 0, 0},
      {"(>= (@nan))", 0, 0},
      {"(< (1) (@nan) (0))", 1, 0},
      {"(= (@pinf) (@pinf))", 1, 0},
      {"(< (@ninf) (@pinf))", 1, 0},
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
      {"(xor (true) (true) (true))", 1, 0},
      {"(xor (true) (@yes) (@no) (@yes))", 1, 3},
      {"(xor (@yes) (true))", 0, 1},
      {"(xor (false))", 0, 0},
      {"(not (@yes))", 0, 1},
      {"(not (false))", 1, 0},
      {"(and (true) (#999) (false))", 0, 0},
      {"(and (= (1) (1)) (not (< (2) (1))))", 1, 0},
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
      {"(text_equal (@ta) (@ta) (@tb))", 0, 0},
      {"(text_equal (@ta) (@ta))", 1, 0},
      {"(text_equal (@ta) (text_const \"a\"))", 1, 0},
      {"(text_equal (@ta) (text_const \"A\"))", 0, 0},
      {"(text_equal (@empty))", 1, 0},
      {"(text_equal (@ta))", 0, 0},
      {"(text_greater (@tb) (@ta))", 1, 0},
      {"(text_greater (@ta) (@tb))", 0, 0},
      {"(text_greater (@tb) (@ta) (@ta))", 0, 0},
      {"(text_greater (text_const \"c\") (@tb) (@ta))", 1, 0},
      {"(text_greater (@ta) (@ta))", 0, 0},
      {"(text_greater (@ta))", 1, 0},
      {"(text_greater (@empty))", 0, 0},
      // 523 is CR LF: two characters, not the empty text.
      {"(text_equal (text_newline) (text_const \"\\r\\n\"))", 1, 0},
      {"(text_equal (text_newline))", 0, 0},
  };
  CHECK_CASES(cases);
}

}  // namespace
