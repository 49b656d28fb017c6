// Number expressions compiled and run: arithmetic, functions, factorial,
// bit operations, random numbers and the operand conversions.
#include <float.h>
#include "expression_fixture.h"
#include "base/random.h"
#include "exec/eval_next.h"
#include "exec/numbers.h"

namespace {

struct NumCase {
  const char* Expression;
  double Expected;
  double Tolerance;  // 0: exactly
};

class ExecNumbers : public ExpressionTest {
 public:
  void Check(const NumCase* cases, size_t count) {
    for (size_t i = 0; i < count; i++) {
      const NumCase& c = cases[i];
      double v = Num(c.Expression);
      if (c.Tolerance > 0)
        EXPECT_NEAR(c.Expected, v, c.Tolerance) << c.Expression;
      else
        EXPECT_TRUE(SameNumber(c.Expected, v)) << c.Expression << " gave " << v << ", expected " << c.Expected;
    }
  }
};
#define CHECK_CASES(cases) Check(cases, sizeof cases / sizeof cases[0])

TEST_F(ExecNumbers, Arithmetic) {
  const NumCase cases[] = {
      {"(+ (num 1) (num 2) (num 3.5))", 6.5, 0},
      {"(+ (num 4))", 4, 0},
      {"(- (num 10) (num 4) (num 3))", 3, 0},
      {"(- (num 5))", -5, 0},
      {"(- (0))", -0.0, 0},
      {"(* (num 2) (num 3) (num -4))", -24, 0},
      {"(/ (num 10) (num 4) (num 3))", 10.0 / 4 / 3, 0},
      {"(/ (num 4))", 0.25, 0},
      {"(/ (1) (0))", INFINITY, 0},
      {"(/ (num -1) (0))", -INFINITY, 0},
      {"(/ (0) (0))", NAN, 0},
      {"(/ (0))", INFINITY, 0},
      {"(mod (7) (num -3))", 1, 0},
      {"(mod (num -7) (3))", -1, 0},
      {"(mod (num 7.5) (2))", 1.5, 0},
      {"(mod (num 5) (0))", NAN, 0},
      {"(mod (num 17) (num 10) (num 4))", 3, 0},
      {"(mod (num 1e300) (num 7))", fmod(1e300, 7), 0},
      {"(power (2) (3) (2))", 64, 0},
      {"(power (num -8) (num 0.5))", NAN, 0},
      {"(power (num 2) (num -1))", 0.5, 0},
      {"(+ (@nan) (1))", NAN, 0},
      {"(+ (@pinf) (@ninf))", NAN, 0},
  };
  CHECK_CASES(cases);
}

// Each running result is a double: 1e308 * 10 overflows even though the
// unit's extended range would hold it until the division brings it back.
TEST_F(ExecNumbers, RunningResultsAreDoubles) {
  const NumCase cases[] = {
      {"(/ (* (num 1e308) (num 10)) (num 10))", INFINITY, 0},
      {"(* (num 1e308) (num 10) (num 0.1))", INFINITY, 0},
      {"(+ (num 1) (num 1e-16) (num 1e-16) (num -1))", 0, 0},
      // Two operands, the commonest form, as the assigned value and inside it.
      {"(* (num 1e200) (num 1e200))", INFINITY, 0},
      {"(- (* (num 1e200) (num 1e200)) (* (num 1e200) (num 1e200)))", NAN, 0},
      {"(+ (num 0.1) (num 0.2))", 0.30000000000000004, 0},
      {"(- (num 1e16) (num -0.5))", 1e16, 0},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecNumbers, OneOperandFunctions) {
  const NumCase cases[] = {
      {"(inc (num 2.5))", 3.5, 0},
      {"(dec (0))", -1, 0},
      {"(sqr (num -3))", 9, 0},
      {"(sqr (num 1e200))", INFINITY, 0},
      {"(sqrt (num 2.25))", 1.5, 0},
      {"(sqrt (num -1))", NAN, 0},
      {"(abs (num -2.5))", 2.5, 0},
      {"(abs (@ninf))", INFINITY, 0},
      {"(integer (num 2.7))", 2, 0},
      {"(integer (num -2.7))", -2, 0},
      {"(integer (num 3000000000))", 3000000000.0 - 4294967296.0, 0},
      {"(integer (num 4294967298.5))", 2, 0},
      {"(integer (@nan))", 0, 0},
      {"(integer (num 1e19))", 0, 0},
      {"(fraction (num -2.75))", -0.75, 0},
      {"(fraction (num 3000000000))", 4294967296.0, 0},
      {"(fraction (num 5.5))", 0.5, 0},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecNumbers, Factorial) {
  const NumCase cases[] = {
      {"(factorial (0))", 0, 0},
      {"(factorial (1))", 1, 0},
      {"(factorial (5))", 120, 0},
      {"(factorial (num 170))", 7.257415615307994e306, 0},
      {"(factorial (num 171))", INFINITY, 0},
      {"(factorial (num 1000))", INFINITY, 0},
      {"(factorial (num -3))", -6, 0},
      {"(factorial (num -4))", 24, 0},
      {"(factorial (num -170))", 7.257415615307994e306, 0},
      {"(factorial (num -171))", -INFINITY, 0},
      {"(factorial (num 2.5))", 2, 0},
      {"(factorial (num 3.5))", 24, 0},
      {"(factorial (@nan))", -INFINITY, 0},
      {"(factorial (num 1e10))", -INFINITY, 0},
  };
  CHECK_CASES(cases);
}

// The table start-up builds: products stored as doubles, entry 0 is 0.
TEST_F(ExecNumbers, FactorialTable) {
  ASSERT_NE(nullptr, Factorials);
  EXPECT_EQ(0.0, Factorials[0]);
  // Volatile: each product is rounded to a double, as the table's are.
  volatile double f = 1;
  for (int32_t i = 1; i < 171; i++) {
    if (i > 1) f *= i;
    ASSERT_EQ(f, Factorials[i]) << i;
  }
  EXPECT_EQ(INFINITY, Factorials[171]);
}

TEST_F(ExecNumbers, Trigonometry) {
  const double pi = 3.141592653589793;
  const NumCase cases[] = {
      {"(sin (pi))", 0, 1e-15},
      {"(sin (dir_up))", 1, 0},
      {"(cos (pi))", -1, 0},
      {"(tan (dir_up_right))", 1, 1e-15},
      {"(cot (dir_up_right))", 1, 1e-15},
      {"(cot (0))", INFINITY, 0},
      {"(arcsin (1))", pi / 2, 0},
      {"(arcsin (2))", NAN, 0},
      {"(arccos (num -1))", pi, 0},
      {"(arctan (1))", pi / 4, 0},
      {"(arctan (@pinf))", pi / 2, 0},
      {"(arccot (num -1))", -pi / 4, 0},
      {"(arccot (0))", pi / 2, 0},
      {"(arccot (@pinf))", 0, 0},
      {"(deg_to_rad (num 180))", pi, 0},
      {"(rad_to_deg (pi))", 180, 0},
      {"(sin (@pinf))", NAN, 0},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecNumbers, LogarithmsAndExponential) {
  const NumCase cases[] = {
      {"(log10 (num 1000))", 3, 1e-15},
      {"(log10 (0))", -INFINITY, 0},
      {"(log10 (num -1))", NAN, 0},
      {"(ln (e))", 1, 1e-15},
      {"(ln (1))", 0, 0},
      {"(ln (0))", -INFINITY, 0},
      {"(ln (@pinf))", INFINITY, 0},
      {"(exp (0))", 1, 0},
      {"(exp (1))", 2.718281828459045, 4e-16},
      {"(exp (num -1))", 0.36787944117144233, 1e-16},
      {"(exp (num 10))", 22026.465794806718, 1e-11},
      {"(exp (num 1000))", INFINITY, 0},
      {"(exp (num -1000))", 0, 0},
      {"(exp (num 1e300))", INFINITY, 0},
      {"(exp (@pinf))", INFINITY, 0},
      {"(exp (@ninf))", 0, 0},
      {"(exp (@nan))", NAN, 0},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecNumbers, BitOperations) {
  const NumCase cases[] = {
      {"(bit_and (num -1) (num 255))", 255, 0},
      {"(bit_and (num 4294967296.4) (7))", 0, 0},
      {"(bit_and (num 12) (num 10) (num 8))", 8, 0},
      {"(bit_and (num -1))", 4294967295.0, 0},
      {"(bit_or (num 12) (num 3))", 15, 0},
      {"(bit_xor (num 12) (num 10) (1))", 7, 0},
      {"(bit_not (0))", 4294967295.0, 0},
      {"(bit_not (uint32_max))", 0, 0},
      {"(bit_rol (num 2147483648))", 1, 0},
      {"(bit_rol (num 3))", 6, 0},
      {"(bit_ror (1))", 2147483648.0, 0},
      {"(bit_ror (num 6))", 3, 0},
      {"(bit_not (@nan))", 4294967295.0, 0},
      {"(bit_or (num 2.5) (num 0.5))", 2, 0},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecNumbers, Constants) {
  const NumCase cases[] = {
      {"(pi)", 3.141592653589793, 0},   {"(e)", 2.718281828459045, 0},
      {"(two_pi)", 6.283185307179586, 0},  {"(dir_down_right)", 7 * 3.141592653589793 / 4, 1e-15},
      {"(pixel)", 0.03125, 0},            {"(-1)", -1, 0},
      {"(uint32_max)", 4294967295.0, 0},       {"(vk_a)", 65, 0},
      {"(vk_space)", 32, 0},                 {"(vk_shift_r)", 161, 0},
      {"(num 1.5E3)", 1500, 0},
  };
  CHECK_CASES(cases);
}

// The operand is evaluated before the generator moves on.
TEST_F(ExecNumbers, Random) {
  RandomSeed = 0;
  EXPECT_EQ(2531011 / 4294967296.0, Num("(random)"));
  for (uint32_t seed : {0u, 1u, 0x89ABCDEFu, 0xFFFFFFFFu}) {
    uint32_t next = seed * 214013u + 2531011u;
    // Num resets the fixture but not the generator.
    RandomSeed = seed;
    double v = Num("(random (* (num 10) (1)))");
    EXPECT_EQ(next * (10 / 4294967296.0), v) << seed;
    EXPECT_EQ(next, RandomSeed);
    EXPECT_LT(v, 10);
  }
}

}  // namespace
