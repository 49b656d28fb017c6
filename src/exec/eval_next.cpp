// Evaluating number operands into integers of the engine's units.
#include "exec/eval_next.h"
#include "exec/interpreter.h"
#include "exec/number_operand.h"
#include "base/rounding.h"
#include "values/palette.h"
#include <string.h>

SYSTEMTIME DateParts;

// The next operand times scale, stored as a double.
static double NextScaled(double scale) { return StoredDouble((long double)RunNum() * scale); }

int32_t EvalNextInt() { return RoundToInt(RunNumOperand()); }

uint32_t EvalNextUInt32() { return (uint32_t)(uint64_t)RoundToInt64(RunNum()); }

int32_t EvalNextPixels() { return RoundToInt(NextScaled(PixelsPerField)); }

int32_t EvalNextMilliseconds() { return RoundToInt(NextScaled(MillisecondsPerSecond)); }

int32_t EvalNextDiameter() { return RoundToInt(NextScaled(DiameterPixelsPerField)); }

int32_t EvalNextTicks() { return RoundToInt(NextScaled(TicksPerSecond)); }

// Tested on the double, so that components far beyond 1 give 255 rather than
// the indefinite integer's 0.
uint8_t EvalNextByte() {
  double v = NextScaled(FullColorComponent);
  if (!(v > 0)) return 0;  // NaN included
  if (v >= FullColorComponent) return 255;
  return (uint8_t)RoundToInt(v);
}

uint64_t EvalNextFileTime() {
  int64_t t = RoundToInt64(NextScaled(FileTimeUnitsPerSecond));
  return t < 0 ? 0 : (uint64_t)t;
}

static FILETIME AsFileTime(uint64_t t) {
  FILETIME f;
  f.dwLowDateTime = (DWORD)t;
  f.dwHighDateTime = (DWORD)(t >> 32);
  return f;
}

void EvalNextDateParts() {
  FILETIME f = AsFileTime(EvalNextFileTime());
  if (!FileTimeToSystemTime(&f, &DateParts)) memset(&DateParts, 0, sizeof DateParts);
}

uint64_t EvalNextUtcFileTime() {
  FILETIME local = AsFileTime(EvalNextFileTime()), utc = {0, 0};
  if (!LocalFileTimeToFileTime(&local, &utc)) return 0;
  return (uint64_t)utc.dwHighDateTime << 32 | utc.dwLowDateTime;
}

uint8_t EvalNextColorIndex() { return ColorCubeIndex((uint32_t)EvalNextInt()); }
