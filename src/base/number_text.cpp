// Number formatting and parsing at the x87 unit's extended precision, which
// start-up sets (64-bit mantissa, rounding to nearest).
#include "base/number_text.h"
#include <string.h>
#include "base/language.h"

// The decimal exponents of one scaling pass, each used at most once, with the
// double nearest to each power of ten.
const int ScaleSteps = 9;
static const int32_t StepExponents[ScaleSteps] = {256, 128, 64, 32, 16, 8, 4, 2, 1};
static const double PowersUp[ScaleSteps] = {1e256, 1e128, 1e64, 1e32, 1e16, 1e8, 1e4, 1e2, 1e1};
static const double PowersDown[ScaleSteps + 1] = {1e-256, 1e-128, 1e-64, 1e-32, 1e-16,
                                                  1e-8,   1e-4,   1e-2,  1e-1,  1e0};
static const double PowersUpByOne[ScaleSteps + 1] = {1e257, 1e129, 1e65, 1e33, 1e17,
                                                     1e9,   1e5,   1e3,  1e2,  1e1};

static char* WriteDecimal(char* out, uint32_t u) {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  while (n > 0) *out++ = digits[--n];
  return out;
}

void Text::SetInt(int32_t n) {
  char buffer[12];
  char* out = buffer;
  uint32_t u = static_cast<uint32_t>(n);
  if (n < 0) {
    *out++ = '-';
    u = 0u - u;
  }
  out = WriteDecimal(out, u);
  AssignBytes(buffer, static_cast<int32_t>(out - buffer));
}

void Text::AppendTwoDigits(int32_t n) {
  int32_t v = static_cast<int8_t>(n);
  if (v < 0) v = 0;
  if (v > 99) v = 99;
  char two[2] = {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
  AppendBytes(two, 2);
}

void Text::AppendFourDigits(int32_t n) {
  int32_t v = static_cast<int16_t>(n);
  if (v < 0) v = 0;
  if (v > 9999) v = 9999;
  AppendTwoDigits(v / 100);
  AppendTwoDigits(v % 100);
}

void Text::AppendTwoDigitsSpacePadded(int32_t n) {
  AppendTwoDigits(n);
  uint8_t* first = Data->Chars + Data->Length - 2;
  if (*first == '0') *first = ' ';
}

void Text::SetHex8(uint32_t v) {
  static const char Hex[] = "0123456789ABCDEF";
  char digits[8];
  for (int i = 7; i >= 0; i--) {
    digits[i] = Hex[v & 15];
    v >>= 4;
  }
  AssignBytes(digits, 8);
}

// Scales a > 0 to a mantissa in [1, 10) and its decimal exponent.
static long double ScaleToMantissa(long double a, int32_t& e) {
  long double v = a;
  e = 0;
  if (a >= 1) {
    for (int i = 0; i < ScaleSteps; i++) {
      if (v >= PowersUp[i]) {
        v *= PowersDown[i];
        e += StepExponents[i];
      }
    }
  } else {
    for (int i = 0; i <= ScaleSteps; i++) {
      if (v < PowersDown[i]) {
        v *= PowersUpByOne[i];
        e -= i < ScaleSteps ? StepExponents[i] + 1 : 1;
      }
    }
  }
  return v;
}

// The fifteen significant digits of the mantissa v; the added 6e-8 decides
// the rounding of the last one. May carry into the exponent e.
static void MantissaDigits(long double v, int32_t& e, char digits[15]) {
  long double m = v * 1e7 + 6e-8;
  if (m >= 1e8) {
    m *= 0.1;
    e++;
  }
  int32_t hi = static_cast<int32_t>(m);
  int32_t lo = static_cast<int32_t>((m - hi) * 1e7);
  for (int i = 7; i >= 0; i--, hi /= 10) digits[i] = static_cast<char>('0' + hi % 10);
  for (int i = 14; i >= 8; i--, lo /= 10) digits[i] = static_cast<char>('0' + lo % 10);
}

static char* WriteDigits(char* out, const char* digits, int32_t n) {
  memcpy(out, digits, n);
  return out + n;
}

// At most 15 significant digits, trailing zeros dropped; plain form for
// exponents -3 to 14, else d.ddde-n.
void Text::SetReal(double x) {
  uint64_t bits;
  memcpy(&bits, &x, sizeof bits);
  if ((bits & 0x7FFFFFFFFFFFFFFFull) == 0x7FF0000000000000ull) {
    AssignChars(bits >> 63 ? "-1#INF" : "1#INF");
    return;
  }
  if (x == 0 || x != x) {
    AssignChars("0");
    return;
  }
  char buffer[32];
  char* out = buffer;
  if (x < 0) *out++ = '-';
  int32_t e;
  char digits[15];
  MantissaDigits(ScaleToMantissa(x < 0 ? -static_cast<long double>(x) : x, e), e, digits);
  int32_t s = 15;
  while (s > 1 && digits[s - 1] == '0') s--;
  char separator = static_cast<char>(DecimalSeparator);
  if (e >= 0 && e <= 14) {
    out = WriteDigits(out, digits, e + 1);
    if (s > e + 1) {
      *out++ = separator;
      out = WriteDigits(out, digits + e + 1, s - e - 1);
    }
  } else if (e >= -3 && e <= -1) {
    *out++ = '0';
    *out++ = separator;
    for (int32_t i = 0; i < -e - 1; i++) *out++ = '0';
    out = WriteDigits(out, digits, s);
  } else {
    *out++ = digits[0];
    if (s > 1) {
      *out++ = separator;
      out = WriteDigits(out, digits + 1, s - 1);
    }
    *out++ = 'e';
    if (e < 0) *out++ = '-';
    out = WriteDecimal(out, static_cast<uint32_t>(e < 0 ? -e : e));
  }
  AssignBytes(buffer, static_cast<int32_t>(out - buffer));
}

static bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

static int HexDigit(uint8_t c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

static const uint8_t* SkipBlanks(const uint8_t* p) {
  while (*p == ' ' || *p == '\t') p++;
  return p;
}

// Reads the digits of an exponent, saturating instead of overflowing: every
// value from 511 on scales the same.
static int32_t ReadExponent(const uint8_t*& p) {
  int32_t k = 0;
  for (; IsDigit(*p); p++) {
    int32_t d = *p - '0';
    k = k <= (INT32_MAX - d) / 10 ? k * 10 + d : INT32_MAX;
  }
  return k;
}

double ParseReal(const char* s) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(s);
  bool negative = false;
  for (; *p == '-' || *p == '+' || *p == ' ' || *p == '\t'; p++) {
    if (*p == '-') negative = !negative;
  }
  long double v = 0;
  // Hexadecimal and binary forms ignore the sign.
  if (*p == '$') {
    for (p = SkipBlanks(p + 1); HexDigit(*p) >= 0; p++) v = v * 16 + HexDigit(*p);
    return v;
  }
  if (*p == '%') {
    for (p = SkipBlanks(p + 1); *p == '0' || *p == '1'; p++) v = v * 2 + (*p - '0');
    return v;
  }
  for (; IsDigit(*p); p++) v = v * 10 + (*p - '0');
  if (*p == '.' || *p == ',') {
    long double divisor = 1;
    for (p++; IsDigit(*p); p++) {
      divisor *= 10;
      v += (*p - '0') / divisor;
    }
  }
  p = SkipBlanks(p);
  if (*p == 'E' || *p == 'e') {
    bool down = false;
    for (p++; *p == ' ' || *p == '\t' || *p == '+' || *p == '-'; p++) {
      if (*p == '-') down = !down;
    }
    int32_t k = ReadExponent(p);
    for (int i = 0; i < ScaleSteps; i++) {
      if (k >= StepExponents[i]) {
        v *= down ? PowersDown[i] : PowersUp[i];
        k -= StepExponents[i];
      }
    }
  }
  if (p[0] == '#' && p[1] == 'I' && p[2] == 'N' && p[3] == 'F' && (v == 1 || v == 0)) {
    return __builtin_inf();
  }
  return negative ? -v : v;
}
