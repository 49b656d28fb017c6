// Logic operators and the comparisons of numbers: chains that stop at the
// first pair that fails, and the one-operand tests against 0. A comparison
// with a NaN on either side counts as less and as equal at once.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/number_operand.h"
#include "exec/number_pairs.h"
#include "base/text.h"
#include "values/sound.h"

// After an operand that decides the result, the rest of the list is jumped
// over by the next operand's Skip.
static void SkipRest(int32_t done, int32_t n) {
  if (done < n) SkipAtPointer();
}

// Param1 = operands - 1. FromFirst compares every operand with the first,
// otherwise each with the one before it.
template <bool (*Test)(double, double), bool FromFirst>
static uint8_t Chain() {
  int32_t n = OwnStep().Param1;
  double p = RunNumOperand();
  for (int32_t i = 1; i <= n; i++) {
    double v = RunNumOperand();
    if (!Test(p, v)) {
      SkipRest(i, n);
      return 0;
    }
    if (!FromFirst) p = v;
  }
  return 1;
}

uint8_t ExecBoolEqual() { return Chain<Equal, true>(); }
uint8_t ExecBoolNotEqual() { return Chain<NotEqual, false>(); }
uint8_t ExecBoolGreaterEqual() { return Chain<GreaterEqual, false>(); }
uint8_t ExecBoolLessEqual() { return Chain<LessEqual, false>(); }
uint8_t ExecBoolGreater() { return Chain<Greater, false>(); }
uint8_t ExecBoolLess() { return Chain<Less, false>(); }

// The operand against 0 with the test of its chain.
uint8_t ExecBoolEqualZero() { return Equal(RunNum(), 0.0); }
uint8_t ExecBoolNotZero() { return NotEqual(RunNum(), 0.0); }
uint8_t ExecBoolNotNegative() { return GreaterEqual(RunNum(), 0.0); }
uint8_t ExecBoolNotPositive() { return LessEqual(RunNum(), 0.0); }
uint8_t ExecBoolPositive() { return Greater(RunNum(), 0.0); }
uint8_t ExecBoolNegative() { return Less(RunNum(), 0.0); }

// and stops at the first false operand, or at the first true one.
template <uint8_t Decides>
static uint8_t ShortCircuit() {
  int32_t n = OwnStep().Param1;
  for (int32_t i = 0; i <= n; i++)
    if ((RunBool() ? 1 : 0) == Decides) {
      SkipRest(i, n);
      return Decides;
    }
  return Decides ^ 1;
}

uint8_t ExecBoolAnd() { return ShortCircuit<0>(); }
uint8_t ExecBoolOr() { return ShortCircuit<1>(); }

// Every operand is evaluated: true for an odd number of true operands.
uint8_t ExecBoolXor() {
  int32_t n = OwnStep().Param1;
  uint8_t r = 0;
  for (int32_t i = 0; i <= n; i++) r ^= RunBool() ? 1 : 0;
  return r;
}

uint8_t ExecBoolNot() { return (RunBool() ? 1 : 0) ^ 1; }

// The one operand of and, or and exclusive or, run in place.
uint8_t ExecPassThrough() { return RunBool() ? 1 : 0; }

// The same for the text and sound rows that take a list of one operand.
void ExecPassThrough(Text& r) { RunValue(r); }
void ExecPassThrough(Sound& r) { RunValue(r); }
