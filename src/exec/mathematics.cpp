// Trigonometry, angle units, logarithms and the exponential, computed in the
// x87 unit's extended precision and returned as doubles.
#include <math.h>
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "base/rounding.h"

const long double Log10Of2 = 0.301029995663981195213738894724493027L;
const long double Ln2 = 0.693147180559945309417232121458176568L;
const long double Log2OfE = 1.44269504088896340735992468100189214L;
const double RadiansPerDegree = 0.017453292519943295;
const double DegreesPerRadian = 57.29577951308232;

double ExecNumSin() { return StoredDouble(sinl(RunNum())); }
double ExecNumCos() { return StoredDouble(cosl(RunNum())); }
double ExecNumTan() { return StoredDouble(tanl(RunNum())); }
// 1 / tan(x): an infinity where tan is 0.
double ExecNumCot() { return StoredDouble(1.0L / tanl(RunNum())); }
// NaN outside -1 .. 1.
double ExecNumArcSin() { return StoredDouble(asin(RunNum())); }
double ExecNumArcCos() { return StoredDouble(acos(RunNum())); }
// The two-argument arc tangent of (x, 1): in (-pi/2, pi/2).
double ExecNumArcTan() { return StoredDouble(atan2l(RunNum(), 1.0L)); }
// arctan(1 / x): negative for negative x, pi/2 for +0, -pi/2 for -0.
double ExecNumArcCot() { return StoredDouble(atan2l(1.0L / RunNum(), 1.0L)); }

double ExecNumDegToRad() { return StoredDouble((long double)RunNum() * RadiansPerDegree); }
double ExecNumRadToDeg() { return StoredDouble((long double)RunNum() * DegreesPerRadian); }

// Both through log2: of 0 -inf, of a negative x NaN.
double ExecNumLog10() { return StoredDouble(log2l(RunNum()) * Log10Of2); }
double ExecNumLn() { return StoredDouble(log2l(RunNum()) * Ln2); }

// 2 to the power x * log2(e), split into a rounded integer part and a
// fraction in -0.5 .. 0.5. The infinities are taken first: their split would
// be inf - inf, a NaN, where e^+inf is +inf and e^-inf is 0.
double ExecNumExp() {
  double x = RunNum();
  if (isnan(x)) return x;
  if (isinf(x)) return x > 0 ? x : 0.0;
  long double t = x * Log2OfE;
  long double whole = rintl(t);
  long double fraction = t - whole;
  // Beyond +-20000 the result is an infinity or 0 whatever the fraction.
  if (whole > 20000) whole = 20000;
  if (whole < -20000) whole = -20000;
  return StoredDouble(ldexpl(exp2l(fraction), (int)whole));
}
