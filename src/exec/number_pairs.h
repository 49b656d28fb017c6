// What the n-ary number elements do with a pair of operands: the operations
// the arithmetic folds with (in extended precision; the caller stores each
// result as a double) and the tests the comparison chains make (a NaN on
// either side counts as less and as equal at once).
#pragma once
#include <math.h>

inline long double Add(long double a, long double b) { return a + b; }
inline long double Sub(long double a, long double b) { return a - b; }
inline long double Mul(long double a, long double b) { return a * b; }
inline long double Div(long double a, long double b) { return a / b; }
// The exact remainder with the quotient truncated toward zero; by 0 NaN.
inline long double Mod(long double a, long double b) { return fmodl(a, b); }
inline long double Power(long double a, long double b) { return pow((double)a, (double)b); }

// p is the previous operand (the first for =), v the new one.
inline bool Equal(double p, double v) { return !(p < v || p > v); }
inline bool NotEqual(double p, double v) { return p < v || p > v; }
inline bool GreaterEqual(double p, double v) { return p >= v; }
inline bool LessEqual(double p, double v) { return !(p > v); }
inline bool Greater(double p, double v) { return p > v; }
inline bool Less(double p, double v) { return !(p >= v); }
