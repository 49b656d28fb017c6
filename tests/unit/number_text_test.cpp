// Tests of the number format, the parser and the integer, digit-group and
// hexadecimal forms of texts.
#include <gtest/gtest.h>
#include <float.h>
#include <math.h>
#include <string>
#include "base/number_text.h"
#include "base/language.h"

namespace {

std::string Str(const Text& t) { return std::string(t.Chars(), t.Length()); }

// The x87 setting that start-up makes (64-bit precision, rounding to
// nearest) and the English decimal separator.
class NumberTextTest : public testing::Test {
 protected:
  void SetUp() override {
    savedControl = _control87(0, 0);
    _control87(_PC_64 | _RC_NEAR, _MCW_PC | _MCW_RC);
    savedSeparator = DecimalSeparator;
    DecimalSeparator = '.';
  }
  void TearDown() override {
    _control87(savedControl, _MCW_PC | _MCW_RC);
    DecimalSeparator = savedSeparator;
  }
  unsigned savedControl;
  uint8_t savedSeparator;
};

std::string Format(double x) {
  Text t;
  t.SetReal(x);
  return Str(t);
}

double Bits(uint64_t bits) {
  double x;
  memcpy(&x, &bits, sizeof x);
  return x;
}

TEST_F(NumberTextTest, SetReal) {
  struct Case {
    double x;
    const char* expected;
  } cases[] = {
      {1, "1"},
      {0.5, "0.5"},
      {-2.5, "-2.5"},
      {1234.5, "1234.5"},
      {100, "100"},
      {0.1, "0.1"},
      {0.1 + 0.2, "0.3"},
      {0.001, "0.001"},
      {0.0001, "1e-4"},
      {0.000123, "1.23e-4"},
      {-1.5e-7, "-1.5e-7"},
      {1e14, "100000000000000"},
      {123456789012345, "123456789012345"},
      {99999999999999.9, "99999999999999.9"},
      {1e15, "1e15"},
      {9007199254740992.0, "9.00719925474099e15"},
      {9999999999999999.0, "1e16"},
      {2.5e100, "2.5e100"},
      {1.5e-300, "1.5e-300"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {9.999999999999998, "10"},
      // The sixteenth digit rounds up from 4 (the added 6e-8), not from 5.
      {1.0000000000000044, "1.00000000000001"},
      {1.0000000000000033, "1"},
      {DBL_MAX, "1.79769313486232e308"},
      {Bits(1), "4.94065645841247e-324"},
      {DBL_MIN, "2.2250738585072e-308"},
      {0.0, "0"},
      {-0.0, "0"},
      {INFINITY, "1#INF"},
      {-INFINITY, "-1#INF"},
      {NAN, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Format(c.x)) << "%.17g " << c.x;
}

TEST_F(NumberTextTest, SetRealUsesTheLanguageSeparator) {
  DecimalSeparator = ',';
  EXPECT_EQ("0,5", Format(0.5));
  EXPECT_EQ("-1234,25", Format(-1234.25));
  EXPECT_EQ("0,001", Format(0.001));
  EXPECT_EQ("1,5e-5", Format(1.5e-5));
  EXPECT_EQ("100", Format(100));
}

TEST_F(NumberTextTest, SetRealReplacesASharedRecord) {
  Text a("old");
  Text b = a;
  b.SetReal(2.5);
  EXPECT_EQ("old", Str(a));
  EXPECT_EQ("2.5", Str(b));
  EXPECT_EQ(1, a.Data->RefCount);
}

TEST_F(NumberTextTest, ParseReal) {
  struct Case {
    const char* s;
    double expected;
  } cases[] = {
      {"12abc", 12},       {"1,5", 1.5},         {".5", 0.5},          {"1.2.3", 1.2},
      {"", 0},             {"abc", 0},           {" - 5", -5},         {"--5", 5},
      {"+-+5", -5},        {"\t7", 7},           {"0x10", 0},          {"123.456", 123.456},
      {"$ff", 255},        {"$ FF", 255},        {"-$10", 16},         {"$", 0},
      {"$-1", 0},          {"%101", 5},          {"%102", 2},          {"% 11", 3},
      {"1e3", 1000},       {"1 e 3", 1000},      {"1E+3", 1000},       {"1e--3", 1000},
      {"1e-3", 0.001},     {"1e+-3", 0.001},     {"1e", 1},            {"1.5e2", 150},
      {"3 e2x", 300},      {"2.5e100", 2.5e100}, {"1e308", 1e308},     {"-7e-2", -0.07},
      {"1e511", INFINITY}, {"1e600", INFINITY},  {"1e-600", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.expected, ParseReal(c.s)) << "'" << c.s << "'";
}

// Every exponent from 511 on scales by 10^511; digits beyond the range of a
// 32-bit integer saturate instead of wrapping round to a small exponent.
TEST_F(NumberTextTest, ParseRealHugeExponents) {
  const char* up[] = {"1e4294967297", "1e99999999999999999999", "1e2147483648"};
  for (const char* s : up) EXPECT_EQ(INFINITY, ParseReal(s)) << s;
  const char* down[] = {"1e-4294967297", "1e-99999999999999999999"};
  for (const char* s : down) EXPECT_EQ(0.0, ParseReal(s)) << s;
}

TEST_F(NumberTextTest, ParseRealInfinity) {
  struct Case {
    const char* s;
    double expected;
  } cases[] = {
      {"1#INF", INFINITY}, {"0#INF", INFINITY},  {"#INF", INFINITY}, {"-1#INF", INFINITY},
      {"1 #INF", INFINITY}, {"1.5#INF", 1.5},    {"1#inf", 1},       {"2#INF", 2},
      {"1#IN", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ParseReal(c.s)) << "'" << c.s << "'";
}

TEST_F(NumberTextTest, FormatThenParseGivesTheNumberBack) {
  const double values[] = {1, -2.5, 1234.5, 0.001, 1e-4, 1.23e-4, 1e15, 2.5e100, 1.5e-300, INFINITY};
  for (double x : values) {
    Text t;
    t.SetReal(x);
    EXPECT_DOUBLE_EQ(x, ParseReal(t.Chars())) << t.Chars();
  }
}

TEST(NumberTextFormsTest, SetInt) {
  struct Case {
    int32_t n;
    const char* expected;
  } cases[] = {{0, "0"}, {7, "7"}, {-7, "-7"}, {1234567, "1234567"},
               {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const Case& c : cases) {
    Text t("old");
    t.SetInt(c.n);
    EXPECT_EQ(c.expected, Str(t));
  }
}

TEST(NumberTextFormsTest, DigitGroups) {
  struct Case {
    int32_t n;
    const char* two;
    const char* padded;
    const char* four;
  } cases[] = {
      {0, "00", " 0", "0000"},        {5, "05", " 5", "0005"},
      {42, "42", "42", "0042"},       {99, "99", "99", "0099"},
      {100, "99", "99", "0100"},      {127, "99", "99", "0127"},
      {128, "00", " 0", "0128"},      {-1, "00", " 0", "0000"},
      {256 + 7, "07", " 7", "0263"},  {1234, "00", " 0", "1234"},  // 1234 & 255 is -46
      {9999, "15", "15", "9999"},     {10000, "16", "16", "9999"},
      {32767, "00", " 0", "9999"},    {32768, "00", " 0", "0000"},
      {65536 + 42, "42", "42", "0042"}, {-32768 + 65536 * 3, "00", " 0", "0000"},
  };
  for (const Case& c : cases) {
    Text two("x");
    two.AppendTwoDigits(c.n);
    EXPECT_EQ(std::string("x") + c.two, Str(two)) << c.n;
    Text padded("x");
    padded.AppendTwoDigitsSpacePadded(c.n);
    EXPECT_EQ(std::string("x") + c.padded, Str(padded)) << c.n;
    Text four("x");
    four.AppendFourDigits(c.n);
    EXPECT_EQ(std::string("x") + c.four, Str(four)) << c.n;
  }
}

TEST(NumberTextFormsTest, AppendingDigitsCopiesOnWrite) {
  Text a("12:");
  Text b = a;
  b.AppendTwoDigits(5);
  EXPECT_EQ("12:", Str(a));
  EXPECT_EQ("12:05", Str(b));
}

TEST(NumberTextFormsTest, SetHex8) {
  struct Case {
    uint32_t v;
    const char* expected;
  } cases[] = {{0, "00000000"}, {0x409, "00000409"}, {0xDEADBEEF, "DEADBEEF"},
               {0xFFFFFFFF, "FFFFFFFF"}, {0x0A0B0C0D, "0A0B0C0D"}};
  for (const Case& c : cases) {
    Text t;
    t.SetHex8(c.v);
    EXPECT_EQ(c.expected, Str(t));
  }
}

}  // namespace
