// Text elements compiled and run: the numbers that measure, search and
// convert texts, and the texts that cut, convert, case-map and join them,
// with their defaults, clamped positions and shared records.
#include "expression_fixture.h"
#include "base/language.h"

namespace {

struct TextCase {
  const char* Expression;
  const char* Expected;
  int32_t Length;  // of Expected, which may hold zero bytes; -1: up to its terminator
};

struct NumCase {
  const char* Expression;
  double Expected;
};

// What a text assignment leaves when its expression does not compile.
const char* const Unset = "unset";

class ExecText : public ExpressionTest {
 public:
  // Kept by the fixture's lifetime: RunExpressions runs SetUp once per case.
  uint8_t SavedSeparator;
  ExecText() : SavedSeparator(DecimalSeparator) { DecimalSeparator = '.'; }
  ~ExecText() override { DecimalSeparator = SavedSeparator; }

  // The bytes of global text variable name.
  static std::string Global(const char* name) {
    const Text& t = Texts[GlobalValue(name)];
    return std::string(t.Chars(), t.Length());
  }

  // Runs ta := expression (after ta := Unset) and gives ta's bytes.
  std::string TextOf(const std::string& expression) {
    std::string commands = std::string("(@ta (text_const \"") + Unset + "\"))(@ta " + expression + ")";
    if (!RunExpressions("", "", commands)) return "program failed";
    return Global("ta");
  }

  void Check(const TextCase* cases, size_t count) {
    for (size_t i = 0; i < count; i++) {
      const TextCase& c = cases[i];
      std::string expected(c.Expected, c.Length < 0 ? strlen(c.Expected) : (size_t)c.Length);
      EXPECT_EQ(expected, TextOf(c.Expression)) << c.Expression;
    }
  }
  void Check(const NumCase* cases, size_t count) {
    for (size_t i = 0; i < count; i++) {
      const NumCase& c = cases[i];
      double v = Num(c.Expression);
      EXPECT_TRUE(SameNumber(c.Expected, v)) << c.Expression << " gave " << v << ", expected " << c.Expected;
    }
  }
};
#define CHECK_CASES(cases) Check(cases, sizeof cases / sizeof cases[0])

// Count (text_left_count, default 1), then the text (text_source).
TEST_F(ExecText, Left) {
  const TextCase cases[] = {
      {"(text_left (text_source (text_const \"abcde\")))", "a", -1},
      {"(text_left (text_left_count (3)) (text_source (text_const \"abcde\")))", "abc", -1},
      {"(text_left (text_left_count (0)) (text_source (text_const \"abcde\")))", "", -1},
      {"(text_left (text_left_count (num -2)) (text_source (text_const \"abcde\")))", "", -1},
      {"(text_left (text_left_count (num 99)) (text_source (text_const \"abcde\")))", "abcde", -1},
      {"(text_left (text_left_count (5)) (text_source (text_const \"abcde\")))", "abcde", -1},
      // Rounded to nearest, ties to even.
      {"(text_left (text_left_count (num 2.5)) (text_source (text_const \"abcde\")))", "ab", -1},
      {"(text_left (text_left_count (num 3.5)) (text_source (text_const \"abcde\")))", "abcd", -1},
      {"(text_left (text_left_count (num 2.6)) (text_source (text_const \"abcde\")))", "abc", -1},
      // Out of the 32-bit range: the indefinite integer, clamped like a negative count.
      {"(text_left (text_left_count (num 1e10)) (text_source (text_const \"abcde\")))", "", -1},
      {"(text_left (text_left_count (@nan)) (text_source (text_const \"abcde\")))", "", -1},
      {"(text_left (text_left_count (3)))", "", -1},
      {"(text_left (text_source (text_const \"a\\0b\")) (text_left_count (3)))", "a\0b", 3},
  };
  CHECK_CASES(cases);
}

// Start (text_from_start, default 0), then the text (text_source).
TEST_F(ExecText, FromIndex) {
  const TextCase cases[] = {
      {"(text_from (text_from_start (2)) (text_source (text_const \"abcde\")))", "cde", -1},
      {"(text_from (text_source (text_const \"abcde\")))", "abcde", -1},
      {"(text_from (text_from_start (4)) (text_source (text_const \"abcde\")))", "e", -1},
      {"(text_from (text_from_start (5)) (text_source (text_const \"abcde\")))", "", -1},
      {"(text_from (text_from_start (7)) (text_source (text_const \"abcde\")))", "", -1},
      {"(text_from (text_from_start (num -1)) (text_source (text_const \"abcde\")))", "abcde", -1},
      {"(text_from (text_from_start (num 1.5)) (text_source (text_const \"abcde\")))", "cde", -1},
      // Both arrive as INT32_MIN: the whole text, not an overflowed count.
      {"(text_from (text_from_start (num 1e10)) (text_source (text_const \"abcde\")))", "abcde", -1},
      {"(text_from (text_from_start (num -1e10)) (text_source (text_const \"abcde\")))", "abcde", -1},
      {"(text_from (text_from_start (num -2147483647)) (text_source (text_const \"abcde\")))", "abcde", -1},
      {"(text_from (text_from_start (1)))", "", -1},
  };
  CHECK_CASES(cases);
}

// Position (text_mid_start, default 0), count (text_mid_count, default 1), then the text
// (text_source).
TEST_F(ExecText, Mid) {
  const TextCase cases[] = {
      {"(text_mid (text_source (text_const \"abcd\")))", "a", -1},
      {"(text_mid (text_mid_start (1)) (text_mid_count (2)) (text_source (text_const \"abcd\")))", "bc", -1},
      {"(text_mid (text_mid_start (2)) (text_source (text_const \"abcd\")))", "c", -1},
      {"(text_mid (text_mid_start (num 10)) (text_source (text_const \"abcd\")))", "", -1},
      {"(text_mid (text_mid_start (4)) (text_source (text_const \"abcd\")))", "", -1},
      {"(text_mid (text_mid_start (num -3)) (text_mid_count (2)) (text_source (text_const \"abcd\")))", "ab", -1},
      {"(text_mid (text_mid_start (2)) (text_mid_count (num 99)) (text_source (text_const \"abcd\")))", "cd", -1},
      {"(text_mid (text_mid_start (1)) (text_mid_count (num -1)) (text_source (text_const \"abcd\")))", "", -1},
      {"(text_mid (text_mid_count (num 1e10)) (text_source (text_const \"abcd\")))", "", -1},
      {"(text_mid (text_mid_start (num 1e10)) (text_mid_count (2)) (text_source (text_const \"abcd\")))", "ab", -1},
      {"(text_mid (text_mid_start (1)) (text_mid_count (2)))", "", -1},
  };
  CHECK_CASES(cases);
}

// Line number (text_line_number, default 0), then the text (text_source).
TEST_F(ExecText, Line) {
  const TextCase cases[] = {
      {"(text_line (text_source (text_const \"a\\r\\n\\r\\nb\")))", "a", -1},
      {"(text_line (text_line_number (1)) (text_source (text_const \"a\\r\\n\\r\\nb\")))", "", -1},
      {"(text_line (text_line_number (2)) (text_source (text_const \"a\\r\\n\\r\\nb\")))", "b", -1},
      {"(text_line (text_line_number (3)) (text_source (text_const \"a\\r\\n\\r\\nb\")))", "", -1},
      {"(text_line (text_line_number (num -1)) (text_source (text_const \"one\\r\\ntwo\")))", "one", -1},
      {"(text_line (text_line_number (num 1e10)) (text_source (text_const \"one\\r\\ntwo\")))", "one", -1},
      {"(text_line (text_line_number (1)) (text_source (text_const \"one\\r\\ntwo\")))", "two", -1},
      {"(text_line (text_line_number (1)) (text_source (text_const \"one\\r\\n\")))", "", -1},
      // A CR without LF and a lone LF do not end a line.
      {"(text_line (text_source (text_const \"a\\rb\\nc\\r\\nd\")))", "a\rb\nc", -1},
      {"(text_line (text_line_number (1)) (text_source (text_newline)))", "", -1},
      {"(text_line (text_line_number (1)))", "", -1},
  };
  CHECK_CASES(cases);
}

// The operands in order; each is evaluated into one slot reused from operand
// to operand, so the inner texts that fill their slot by appending (two
// digits, join) must empty it first.
TEST_F(ExecText, Join) {
  const TextCase cases[] = {
      {"(text_join (@ta) (@empty) (@tb))", "unsetb", -1},
      {"(text_join (text_const \"x\") (@empty) (text_const \"y\"))", "xy", -1},
      {"(text_join (text_const \"one\") (text_newline) (text_const \"two\"))", "one\r\ntwo", -1},
      {"(text_join (@tb) (@tb) (@tb))", "bbb", -1},
      {"(text_join (@empty) (@empty))", "", -1},
      {"(text_join (@tb))", "b", -1},
      {"(text_join (text_const \"x\") (text_two_digits (7)))", "x07", -1},
      {"(text_join (text_const \"x\") (text_join (@tb) (@tb)))", "xbb", -1},
      {"(text_join (text_const \"x\") (text_left (text_left_count (2)) (text_source (text_const \"hello\"))) (@tb))", "xheb", -1},
      {"(text_join (text_const \"a\\0\") (text_const \"b\"))", "a\0b", 3},
      {"(text_join (#999) (@tb))", "b", -1},
  };
  CHECK_CASES(cases);
}

// The number by the engine's number format, not rounded.
TEST_F(ExecText, FromNumber) {
  const TextCase cases[] = {
      {"(text_number (num 2.5))", "2.5", -1},
      {"(text_number (num -1234.5))", "-1234.5", -1},
      {"(text_number (/ (1) (3)))", "0.333333333333333", -1},
      {"(text_number (num 1e15))", "1e15", -1},
      {"(text_number (@pinf))", "1#INF", -1},
      {"(text_number (@nan))", "0", -1},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecText, LowerAndUpperCase) {
  const TextCase cases[] = {
      {"(text_lower (text_const \"AbC 1!\"))", "abc 1!", -1},
      {"(text_upper (text_const \"AbC 1!\"))", "ABC 1!", -1},
      {"(text_lower (@empty))", "", -1},
      {"(text_upper (@empty))", "", -1},
      // Converted up to the first zero byte only.
      {"(text_upper (text_const \"ab\\0cd\"))", "AB\0cd", 5},
      {"(text_lower (text_const \"AB\\0CD\"))", "ab\0CD", 5},
      {"(text_upper (text_left (text_left_count (2)) (text_source (text_const \"xyz\"))))", "XY", -1},
  };
  CHECK_CASES(cases);
}

// The low 8 bits of the rounded number; code 0 is the empty text.
TEST_F(ExecText, Char) {
  const TextCase cases[] = {
      {"(text_char (num 65))", "A", -1},
      {"(text_char (num 321))", "A", -1},
      {"(text_char (num -191))", "A", -1},
      {"(text_char (num 200))", "\xC8", -1},
      {"(text_char (num 65.5))", "B", -1},
      {"(text_char (num 66.5))", "B", -1},
      {"(text_char (0))", "", -1},
      {"(text_char (num 256))", "", -1},
      {"(text_char (num 1e10))", "", -1},
  };
  CHECK_CASES(cases);
}

// Clamped to 0..99 before the two digits are written: 300 is 99, not the 44
// of its low byte.
TEST_F(ExecText, TwoDigits) {
  const TextCase cases[] = {
      {"(text_two_digits (7))", "07", -1},          {"(text_two_digits (0))", "00", -1},
      {"(text_two_digits (num 99))", "99", -1},     {"(text_two_digits (num 123))", "99", -1},
      {"(text_two_digits (num 300))", "99", -1},    {"(text_two_digits (num -5))", "00", -1},
      {"(text_two_digits (num 42.5))", "42", -1},   {"(text_two_digits (num 1e10))", "00", -1},
      {"(text_two_digits (num 10))", "10", -1},
  };
  CHECK_CASES(cases);
}

// Rounded to 64 bits, the low 32 bits as eight upper-case digits.
TEST_F(ExecText, Hex) {
  const TextCase cases[] = {
      {"(text_hex (num -1))", "FFFFFFFF", -1},
      {"(text_hex (num 255))", "000000FF", -1},
      {"(text_hex (num 3000000000))", "B2D05E00", -1},
      {"(text_hex (num 4294967312))", "00000010", -1},
      {"(text_hex (num 2.5))", "00000002", -1},
      {"(text_hex (0))", "00000000", -1},
      {"(text_hex (num 1e19))", "00000000", -1},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecText, LengthCharCodeAndLineCount) {
  const NumCase cases[] = {
      {"(text_length (text_const \"abc\"))", 3},
      {"(text_length (@empty))", 0},
      {"(text_length (text_newline))", 2},
      {"(text_length (text_const \"a\\0b\"))", 3},
      {"(text_length (text_join (@ta) (@tb) (text_newline)))", 4},
      {"(text_char_code (text_const \"Abc\"))", 65},
      {"(text_char_code (@empty))", 0},
      {"(text_char_code (text_const \"\\xC8x\"))", 200},
      {"(text_char_code (text_const \"\\0a\"))", 0},
      {"(text_line_count (@empty))", 0},
      {"(text_line_count (text_const \"a\"))", 1},
      {"(text_line_count (text_const \"a\\r\\nb\"))", 2},
      {"(text_line_count (text_const \"a\\r\\n\"))", 1},
      {"(text_line_count (text_const \"a\\r\\n\\r\\nb\"))", 3},
      {"(text_line_count (text_const \"a\\rb\\nc\"))", 1},
      {"(text_line_count (text_newline))", 1},
  };
  CHECK_CASES(cases);
}

// The characters parsed as a number: the valid beginning, 0 without digits.
TEST_F(ExecText, Value) {
  const NumCase cases[] = {
      {"(text_value (text_const \"12 apples\"))", 12},
      {"(text_value (text_const \"apples\"))", 0},
      {"(text_value (@empty))", 0},
      {"(text_value (text_const \" -2.5\"))", -2.5},
      {"(text_value (text_const \"1,5\"))", 1.5},
      {"(text_value (text_const \"$ff\"))", 255},
      {"(text_value (text_const \"1e3\"))", 1000},
      {"(text_value (text_number (num 0.125)))", 0.125},
  };
  CHECK_CASES(cases);
}

// The sought text (text_find_what) first, then the searched one (text_source).
TEST_F(ExecText, Find) {
  const NumCase cases[] = {
      {"(text_find (text_find_what (text_const \"ca\")) (text_source (text_const \"abcabc\")))", 2},
      {"(text_find (text_find_what (text_const \"bc\")) (text_source (text_const \"abcabc\")))", 1},
      {"(text_find (text_find_what (text_const \"c\")) (text_source (text_const \"abcabc\")))", 2},
      {"(text_find (text_find_what (text_const \"abc\")) (text_source (text_const \"abcabc\")))", 0},
      {"(text_find (text_find_what (text_const \"x\")) (text_source (text_const \"abcabc\")))", -1},
      {"(text_find (text_find_what (text_const \"cx\")) (text_source (text_const \"abcabc\")))", -1},
      {"(text_find (text_find_what (@empty)) (text_source (text_const \"abcabc\")))", 0},
      {"(text_find (text_find_what (text_const \"abcabcx\")) (text_source (text_const \"abcabc\")))", -1},
      {"(text_find (text_find_what (text_const \"abcabc\")) (text_source (text_const \"c\")))", -1},
      {"(text_find (text_find_what (text_const \"c\")))", -1},
      {"(text_find (text_source (text_const \"abc\")))", 0},
      {"(text_find (text_source (text_const \"ab\")) (text_find_what (text_const \"b\")))", 1},
      // Byte-exact.
      {"(text_find (text_find_what (text_const \"B\")) (text_source (text_const \"abc\")))", -1},
  };
  CHECK_CASES(cases);
}

// A left of a count at or beyond the length and a join of one operand share
// the operand's record; a shorter left, the case functions and a longer join
// make new ones and leave the operand's variable as it was.
TEST_F(ExecText, SharingAndOperandsUnchanged) {
  ASSERT_TRUE(RunExpressions("", "", "(@ta (text_left (text_left_count (num 99)) (text_source (@tb))))"));
  EXPECT_EQ(Texts[GlobalValue("tb")].Data, Texts[GlobalValue("ta")].Data);

  ASSERT_TRUE(RunExpressions("", "", "(@ta (text_join (@tb)))"));
  EXPECT_EQ(Texts[GlobalValue("tb")].Data, Texts[GlobalValue("ta")].Data);

  const struct {
    const char* Commands;
    const char* Ta;
    const char* Tb;
  } cases[] = {
      {"(@ta (text_join (@tb) (@tb)))", "bb", "b"},
      {"(@ta (text_left (text_left_count (0)) (text_source (@tb))))", "", "b"},
      {"(@ta (text_upper (@tb)))", "B", "b"},
      {"(@tb (text_upper (text_const \"Xy\")))(@ta (text_lower (@tb)))", "xy", "XY"},
      {"(@ta (text_from (text_from_start (1)) (text_source (@tb))))", "", "b"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(RunExpressions("", "", c.Commands)) << c.Commands;
    EXPECT_EQ(c.Ta, Global("ta")) << c.Commands;
    EXPECT_EQ(c.Tb, Global("tb")) << c.Commands;
    EXPECT_NE(Texts[GlobalValue("tb")].Data, Texts[GlobalValue("ta")].Data) << c.Commands;
  }
}

}  // namespace
