// The operand conversions: each runs one number constant step and turns it
// into an integer of its unit.
#include <gtest/gtest.h>
#include <math.h>
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "values/palette.h"
#include "media_setup.h"

namespace {

// Runs conversion on the operand x, checking that exactly one step ran.
template <class R>
R Convert(R (*conversion)(), double x) {
  ExecItem step = {EXEC_FN(Num, ExecNumConst), 0, -1, 0};
  SetStepNumber(step, x);
  ExecPointer = &step;
  R r = conversion();
  EXPECT_EQ(&step + 1, ExecPointer);
  return r;
}

struct IntCase {
  double X;
  int64_t Expected;
};

template <class R>
void CheckConversion(const char* name, R (*conversion)(), std::initializer_list<IntCase> cases) {
  for (const IntCase& c : cases)
    EXPECT_EQ((R)c.Expected, Convert(conversion, c.X)) << name << " of " << c.X;
}

const int64_t Indefinite = INT32_MIN;

TEST(EvalNext, SignedUnits) {
  CheckConversion("EvalNextInt", EvalNextInt,
                  {{2.5, 2}, {3.5, 4}, {-0.5, 0}, {-2.5, -2}, {1e10, Indefinite}, {NAN, Indefinite},
                   {INFINITY, Indefinite}, {2147483647.0, 2147483647}, {-2147483648.0, INT32_MIN}});
  CheckConversion("EvalNextPixels", EvalNextPixels,
                  {{3.0 / 64, 2}, {1.0 / 64, 0}, {1, 32}, {-0.5, -16}, {1e9, Indefinite}});
  CheckConversion("EvalNextMilliseconds", EvalNextMilliseconds, {{1.5, 1500}, {0.0025, 2}, {0.0035, 4}});
  CheckConversion("EvalNextDiameter", EvalNextDiameter, {{0.5, 32}, {1, 64}, {NAN, Indefinite}});
  CheckConversion("EvalNextTicks", EvalNextTicks, {{1, 18}, {0.03, 1}, {0.02, 0}, {10, 182}});
}

TEST(EvalNext, UnsignedAndColours) {
  CheckConversion("EvalNextUInt32", EvalNextUInt32,
                  {{-1, 4294967295u}, {4294967296.0, 0}, {4294967297.4, 1}, {NAN, 0}, {1e19, 0},
                   {2.5, 2}, {-4294967295.0, 1}});
  // Components far beyond 1 saturate instead of wrapping through the
  // indefinite integer; NaN gives 0.
  CheckConversion("EvalNextByte", EvalNextByte,
                  {{0.5, 128}, {1.2, 255}, {-0.1, 0}, {1, 255}, {0, 0}, {1e10, 255}, {INFINITY, 255},
                   {-1e10, 0}, {-INFINITY, 0}, {NAN, 0}, {0.002, 1}, {0.001, 0}});
}

TEST(EvalNext, FileTimes) {
  CheckConversion("EvalNextFileTime", EvalNextFileTime,
                  {{1, 10000000}, {-1, 0}, {NAN, 0}, {0.00000015, 2}, {9e11, 9000000000000000000}, {1e12, 0}});
}

TEST(EvalNext, DateParts) {
  // 1 January 1601 plus one day, 1 hour, 2 minutes, 3.004 seconds.
  ExecItem step = {EXEC_FN(Num, ExecNumConst), 0, -1, 0};
  SetStepNumber(step, 86400 + 3600 + 120 + 3.004);
  ExecPointer = &step;
  EvalNextDateParts();
  EXPECT_EQ(1601, DateParts.wYear);
  EXPECT_EQ(1, DateParts.wMonth);
  EXPECT_EQ(2, DateParts.wDay);
  EXPECT_EQ(1, DateParts.wHour);
  EXPECT_EQ(2, DateParts.wMinute);
  EXPECT_EQ(3, DateParts.wSecond);
  EXPECT_EQ(4, DateParts.wMilliseconds);
}

// Colours 0x00BBGGRR through the colour cube; byte 3 plays no part, and a
// value outside the 32-bit range reads as the indefinite 0x80000000 (black).
TEST(EvalNext, ColorIndex) {
  SetUpMediaValues();
  CheckConversion("EvalNextColorIndex", EvalNextColorIndex,
                  {{0xFFFFFF, 212}, {0, 223}, {0x7FFFFFFF, 212}, {4294967295.0, 223}, {0xFF0000, 134},
                   {16777215.4, 212}});
}

}  // namespace
