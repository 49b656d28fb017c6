// Arithmetic of the language's numbers: the n-ary operators, the one-operand
// functions, integer part and fraction, factorial, random numbers and the
// bit operations on 32-bit values.
#include <math.h>
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/eval_next.h"
#include "exec/numbers.h"
#include "exec/number_operand.h"
#include "exec/number_pairs.h"
#include "base/memory.h"
#include "base/random.h"
#include "base/rounding.h"

double* Factorials;

// Entry 0 is 0 and entry 171 overflows to +inf; each product is a double.
void BuildFactorialTable() {
  Factorials = (double*)MemAlloc(FactorialCount * (int32_t)sizeof(double));
  Factorials[0] = 0.0;
  Factorials[1] = 1.0;
  for (int32_t i = 2; i < FactorialCount; i++) Factorials[i] = StoredDouble((long double)i * Factorials[i - 1]);
}

// acc := the first operand; then, Param1 times, acc := acc op the next
// operand, each result stored as a double.
template <long double (*Op)(long double, long double)>
static double Fold() {
  int32_t n = OwnStep().Param1;
  double acc = RunNumOperand();
  for (int32_t i = 0; i < n; i++) {
    double v = RunNumOperand();
    acc = StoredDouble(Op(acc, v));
  }
  return acc;
}

// Sum, difference, product, quotient, remainder and power, left to right.
double ExecNumAdd() { return Fold<Add>(); }
double ExecNumSub() { return Fold<Sub>(); }
double ExecNumMul() { return Fold<Mul>(); }
double ExecNumDiv() { return Fold<Div>(); }
double ExecNumMod() { return Fold<Mod>(); }
double ExecNumPower() { return Fold<Power>(); }

double ExecNumNeg() { return -RunNum(); }
double ExecNumReciprocal() { return StoredDouble(1.0L / RunNum()); }
double ExecNumInc() { return StoredDouble((long double)RunNum() + 1); }
double ExecNumDec() { return StoredDouble((long double)RunNum() - 1); }
double ExecNumSqr() {
  long double x = RunNum();
  return StoredDouble(x * x);
}
// NaN for negative x.
double ExecNumSqrt() { return StoredDouble(sqrtl(RunNum())); }
double ExecNumAbs() { return fabs(RunNum()); }

// Truncated toward zero to 64 bits, the low 32 bits read as signed; NaN and
// magnitudes of 2^63 or more give 0.
static int32_t IntegerPart(double x) {
  if (!(fabs(x) < 9223372036854775808.0)) return 0;
  return (int32_t)(uint32_t)(uint64_t)(int64_t)x;
}

double ExecNumInteger() { return IntegerPart(RunNum()); }

// x minus the integer part as above (so 2^32 for integral x in [2^31, 2^32)).
double ExecNumFraction() {
  double x = RunNum();
  return StoredDouble((long double)x - IntegerPart(x));
}

// By the table: negative n alternates the sign; beyond the table and for the
// indefinite integer, an infinity.
double ExecNumFactorial() {
  int32_t n = EvalNextInt();
  const int32_t last = FactorialCount - 1;
  if (n >= 0) return Factorials[n < last ? n : last];
  if (n >= -(last - 1)) return (-n & 1) ? -Factorials[-n] : Factorials[-n];
  return -Factorials[last];
}

// The operand first, then the generator: [0, operand).
double ExecNumRandomRange() {
  double range = RunNum();
  return StoredDouble((long double)NextRandom() * range);
}
double ExecNumRandom() { return NextRandom(); }

// Every operand through EvalNextUInt32, combined left to right.
template <uint32_t (*Op)(uint32_t, uint32_t)>
static double FoldBits() {
  int32_t n = OwnStep().Param1;
  uint32_t acc = EvalNextUInt32();
  for (int32_t i = 0; i < n; i++) acc = Op(acc, EvalNextUInt32());
  return acc;
}

static uint32_t BitAnd(uint32_t a, uint32_t b) { return a & b; }
static uint32_t BitOr(uint32_t a, uint32_t b) { return a | b; }
static uint32_t BitXor(uint32_t a, uint32_t b) { return a ^ b; }

double ExecNumBitAnd() { return FoldBits<BitAnd>(); }
double ExecNumBitOr() { return FoldBits<BitOr>(); }
double ExecNumBitXor() { return FoldBits<BitXor>(); }
double ExecNumBitNot() { return (uint32_t)~EvalNextUInt32(); }
double ExecNumRotateLeft() {
  uint32_t v = EvalNextUInt32();
  return (uint32_t)(v << 1 | v >> 31);
}
double ExecNumRotateRight() {
  uint32_t v = EvalNextUInt32();
  return (uint32_t)(v << 31 | v >> 1);
}
