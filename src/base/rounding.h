// Roundings with the x87 unit: a value stored as a double, and doubles to
// 32- and 64-bit integers by the unit's integer stores.
#pragma once
#include <stdint.h>

// x rounded to a double: the x87 unit computes in extended precision, and a
// value becomes an exact double wherever the language stores it. One fstp
// rounds it by the control word as it stores it into to.
inline void StoreDouble(double& to, long double x) { __asm__("fstpl %0" : "=m"(to) : "t"(x) : "st"); }

// The same as a value, read back from the store.
inline double StoredDouble(long double x) {
  double d;
  StoreDouble(d, x);
  return d;
}

// fistp under the current control word, in line for loops that round per
// sample; the invalid-operation mask that start-up keeps makes out-of-range
// input store the integer indefinite, INT32_MIN.
inline int32_t StoreInt(double x) {
  int32_t r;
  __asm__("fistpl %0" : "=m"(r) : "t"(x) : "st");
  return r;
}

// x87 integer stores; NaN, infinities and results outside the int32 range
// give INT32_MIN. RoundToInt uses the unit's rounding mode (to nearest, ties
// to even, as start-up sets it).
int32_t RoundToInt(double x);
int32_t TruncToInt(double x);
int32_t CeilToInt(double x);
int32_t FloorToInt(double x);

// x to nearest (ties to even) as a signed 64-bit integer; NaN and magnitudes
// of 2^63 or more give INT64_MIN. One fistp of 64 bits under the current
// control word.
inline int64_t RoundToInt64(double x) {
  if (!(x > -9223372036854775808.0 && x < 9223372036854775808.0)) return INT64_MIN;
  int64_t r;
  __asm__("fistpll %0" : "=m"(r) : "t"(x) : "st");
  return r;
}
