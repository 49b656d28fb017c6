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

// Count (278, default 1), then the text (292).
TEST_F(ExecText, Left) {
  const TextCase cases[] = {
      {"(#277 (#292 (text_const \"abcde\")))", "a", -1},
      {"(#277 (#278 (3)) (#292 (text_const \"abcde\")))", "abc", -1},
      {"(#277 (#278 (0)) (#292 (text_const \"abcde\")))", "", -1},
      {"(#277 (#278 (num -2)) (#292 (text_const \"abcde\")))", "", -1},
      {"(#277 (#278 (num 99)) (#292 (text_const \"abcde\")))", "abcde", -1},
      {"(#277 (#278 (5)) (#292 (text_const \"abcde\")))", "abcde", -1},
      // Rounded to nearest, ties to even.
      {"(#277 (#278 (num 2.5)) (#292 (text_const \"abcde\")))", "ab", -1},
      {"(#277 (#278 (num 3.5)) (#292 (text_const \"abcde\")))", "abcd", -1},
      {"(#277 (#278 (num 2.6)) (#292 (text_const \"abcde\")))", "abc", -1},
      // Out of the 32-bit range: the indefinite integer, clamped like a negative count.
      {"(#277 (#278 (num 1e10)) (#292 (text_const \"abcde\")))", "", -1},
      {"(#277 (#278 (@nan)) (#292 (text_const \"abcde\")))", "", -1},
      {"(#277 (#278 (3)))", "", -1},
      {"(#277 (#292 (text_const \"a\\0b\")) (#278 (3)))", "a\0b", 3},
  };
  CHECK_CASES(cases);
}

// Start (280, default 0), then the text (292).
TEST_F(ExecText, FromIndex) {
  const TextCase cases[] = {
      {"(#279 (#280 (2)) (#292 (text_const \"abcde\")))", "cde", -1},
      {"(#279 (#292 (text_const \"abcde\")))", "abcde", -1},
      {"(#279 (#280 (4)) (#292 (text_const \"abcde\")))", "e", -1},
      {"(#279 (#280 (5)) (#292 (text_const \"abcde\")))", "", -1},
      {"(#279 (#280 (7)) (#292 (text_const \"abcde\")))", "", -1},
      {"(#279 (#280 (num -1)) (#292 (text_const \"abcde\")))", "abcde", -1},
      {"(#279 (#280 (num 1.5)) (#292 (text_const \"abcde\")))", "cde", -1},
      // Both arrive as INT32_MIN: the whole text, not an overflowed count.
      {"(#279 (#280 (num 1e10)) (#292 (text_const \"abcde\")))", "abcde", -1},
      {"(#279 (#280 (num -1e10)) (#292 (text_const \"abcde\")))", "abcde", -1},
      {"(#279 (#280 (num -2147483647)) (#292 (text_const \"abcde\")))", "abcde", -1},
      {"(#279 (#280 (1)))", "", -1},
  };
  CHECK_CASES(cases);
}

// Position (282, default 0), count (283, default 1), then the text (292).
TEST_F(ExecText, Mid) {
  const TextCase cases[] = {
      {"(#281 (#292 (text_const \"abcd\")))", "a", -1},
      {"(#281 (#282 (1)) (#283 (2)) (#292 (text_const \"abcd\")))", "bc", -1},
      {"(#281 (#282 (2)) (#292 (text_const \"abcd\")))", "c", -1},
      {"(#281 (#282 (num 10)) (#292 (text_const \"abcd\")))", "", -1},
      {"(#281 (#282 (4)) (#292 (text_const \"abcd\")))", "", -1},
      {"(#281 (#282 (num -3)) (#283 (2)) (#292 (text_const \"abcd\")))", "ab", -1},
      {"(#281 (#282 (2)) (#283 (num 99)) (#292 (text_const \"abcd\")))", "cd", -1},
      {"(#281 (#282 (1)) (#283 (num -1)) (#292 (text_const \"abcd\")))", "", -1},
      {"(#281 (#283 (num 1e10)) (#292 (text_const \"abcd\")))", "", -1},
      {"(#281 (#282 (num 1e10)) (#283 (2)) (#292 (text_const \"abcd\")))", "ab", -1},
      {"(#281 (#282 (1)) (#283 (2)))", "", -1},
  };
  CHECK_CASES(cases);
}

// Line number (382, default 0), then the text (292).
TEST_F(ExecText, Line) {
  const TextCase cases[] = {
      {"(#381 (#292 (text_const \"a\\r\\n\\r\\nb\")))", "a", -1},
      {"(#381 (#382 (1)) (#292 (text_const \"a\\r\\n\\r\\nb\")))", "", -1},
      {"(#381 (#382 (2)) (#292 (text_const \"a\\r\\n\\r\\nb\")))", "b", -1},
      {"(#381 (#382 (3)) (#292 (text_const \"a\\r\\n\\r\\nb\")))", "", -1},
      {"(#381 (#382 (num -1)) (#292 (text_const \"one\\r\\ntwo\")))", "one", -1},
      {"(#381 (#382 (num 1e10)) (#292 (text_const \"one\\r\\ntwo\")))", "one", -1},
      {"(#381 (#382 (1)) (#292 (text_const \"one\\r\\ntwo\")))", "two", -1},
      {"(#381 (#382 (1)) (#292 (text_const \"one\\r\\n\")))", "", -1},
      // A CR without LF and a lone LF do not end a line.
      {"(#381 (#292 (text_const \"a\\rb\\nc\\r\\nd\")))", "a\rb\nc", -1},
      {"(#381 (#382 (1)) (#292 (#523)))", "", -1},
      {"(#381 (#382 (1)))", "", -1},
  };
  CHECK_CASES(cases);
}

// The operands in order; each is evaluated into one slot reused from operand
// to operand, so the inner texts that fill their slot by appending (two
// digits, join) must empty it first.
TEST_F(ExecText, Join) {
  const TextCase cases[] = {
      {"(#285 (@ta) (@empty) (@tb))", "unsetb", -1},
      {"(#285 (text_const \"x\") (@empty) (text_const \"y\"))", "xy", -1},
      {"(#285 (text_const \"one\") (#523) (text_const \"two\"))", "one\r\ntwo", -1},
      {"(#285 (@tb) (@tb) (@tb))", "bbb", -1},
      {"(#285 (@empty) (@empty))", "", -1},
      {"(#285 (@tb))", "b", -1},
      {"(#285 (text_const \"x\") (#512 (7)))", "x07", -1},
      {"(#285 (text_const \"x\") (#285 (@tb) (@tb)))", "xbb", -1},
      {"(#285 (text_const \"x\") (#277 (#278 (2)) (#292 (text_const \"hello\"))) (@tb))", "xheb", -1},
      {"(#285 (text_const \"a\\0\") (text_const \"b\"))", "a\0b", 3},
      {"(#285 (#999) (@tb))", "b", -1},
  };
  CHECK_CASES(cases);
}

// The number by the engine's number format, not rounded.
TEST_F(ExecText, FromNumber) {
  const TextCase cases[] = {
      {"(#287 (num 2.5))", "2.5", -1},
      {"(#287 (num -1234.5))", "-1234.5", -1},
      {"(#287 (#42 (1) (3)))", "0.333333333333333", -1},
      {"(#287 (num 1e15))", "1e15", -1},
      {"(#287 (@pinf))", "1#INF", -1},
      {"(#287 (@nan))", "0", -1},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecText, LowerAndUpperCase) {
  const TextCase cases[] = {
      {"(#289 (text_const \"AbC 1!\"))", "abc 1!", -1},
      {"(#290 (text_const \"AbC 1!\"))", "ABC 1!", -1},
      {"(#289 (@empty))", "", -1},
      {"(#290 (@empty))", "", -1},
      // Converted up to the first zero byte only.
      {"(#290 (text_const \"ab\\0cd\"))", "AB\0cd", 5},
      {"(#289 (text_const \"AB\\0CD\"))", "ab\0CD", 5},
      {"(#290 (#277 (#278 (2)) (#292 (text_const \"xyz\"))))", "XY", -1},
  };
  CHECK_CASES(cases);
}

// The low 8 bits of the rounded number; code 0 is the empty text.
TEST_F(ExecText, Char) {
  const TextCase cases[] = {
      {"(#297 (num 65))", "A", -1},
      {"(#297 (num 321))", "A", -1},
      {"(#297 (num -191))", "A", -1},
      {"(#297 (num 200))", "\xC8", -1},
      {"(#297 (num 65.5))", "B", -1},
      {"(#297 (num 66.5))", "B", -1},
      {"(#297 (0))", "", -1},
      {"(#297 (num 256))", "", -1},
      {"(#297 (num 1e10))", "", -1},
  };
  CHECK_CASES(cases);
}

// Clamped to 0..99 before the two digits are written: 300 is 99, not the 44
// of its low byte.
TEST_F(ExecText, TwoDigits) {
  const TextCase cases[] = {
      {"(#512 (7))", "07", -1},          {"(#512 (0))", "00", -1},
      {"(#512 (num 99))", "99", -1},     {"(#512 (num 123))", "99", -1},
      {"(#512 (num 300))", "99", -1},    {"(#512 (num -5))", "00", -1},
      {"(#512 (num 42.5))", "42", -1},   {"(#512 (num 1e10))", "00", -1},
      {"(#512 (num 10))", "10", -1},
  };
  CHECK_CASES(cases);
}

// Rounded to 64 bits, the low 32 bits as eight upper-case digits.
TEST_F(ExecText, Hex) {
  const TextCase cases[] = {
      {"(#513 (num -1))", "FFFFFFFF", -1},
      {"(#513 (num 255))", "000000FF", -1},
      {"(#513 (num 3000000000))", "B2D05E00", -1},
      {"(#513 (num 4294967312))", "00000010", -1},
      {"(#513 (num 2.5))", "00000002", -1},
      {"(#513 (0))", "00000000", -1},
      {"(#513 (num 1e19))", "00000000", -1},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecText, LengthCharCodeAndLineCount) {
  const NumCase cases[] = {
      {"(#284 (text_const \"abc\"))", 3},
      {"(#284 (@empty))", 0},
      {"(#284 (#523))", 2},
      {"(#284 (text_const \"a\\0b\"))", 3},
      {"(#284 (#285 (@ta) (@tb) (#523)))", 4},
      {"(#296 (text_const \"Abc\"))", 65},
      {"(#296 (@empty))", 0},
      {"(#296 (text_const \"\\xC8x\"))", 200},
      {"(#296 (text_const \"\\0a\"))", 0},
      {"(#380 (@empty))", 0},
      {"(#380 (text_const \"a\"))", 1},
      {"(#380 (text_const \"a\\r\\nb\"))", 2},
      {"(#380 (text_const \"a\\r\\n\"))", 1},
      {"(#380 (text_const \"a\\r\\n\\r\\nb\"))", 3},
      {"(#380 (text_const \"a\\rb\\nc\"))", 1},
      {"(#380 (#523))", 1},
  };
  CHECK_CASES(cases);
}

// The characters parsed as a number: the valid beginning, 0 without digits.
TEST_F(ExecText, Value) {
  const NumCase cases[] = {
      {"(#286 (text_const \"12 apples\"))", 12},
      {"(#286 (text_const \"apples\"))", 0},
      {"(#286 (@empty))", 0},
      {"(#286 (text_const \" -2.5\"))", -2.5},
      {"(#286 (text_const \"1,5\"))", 1.5},
      {"(#286 (text_const \"$ff\"))", 255},
      {"(#286 (text_const \"1e3\"))", 1000},
      {"(#286 (#287 (num 0.125)))", 0.125},
  };
  CHECK_CASES(cases);
}

// The sought text (293) first, then the searched one (292).
TEST_F(ExecText, Find) {
  const NumCase cases[] = {
      {"(#291 (#293 (text_const \"ca\")) (#292 (text_const \"abcabc\")))", 2},
      {"(#291 (#293 (text_const \"bc\")) (#292 (text_const \"abcabc\")))", 1},
      {"(#291 (#293 (text_const \"c\")) (#292 (text_const \"abcabc\")))", 2},
      {"(#291 (#293 (text_const \"abc\")) (#292 (text_const \"abcabc\")))", 0},
      {"(#291 (#293 (text_const \"x\")) (#292 (text_const \"abcabc\")))", -1},
      {"(#291 (#293 (text_const \"cx\")) (#292 (text_const \"abcabc\")))", -1},
      {"(#291 (#293 (@empty)) (#292 (text_const \"abcabc\")))", 0},
      {"(#291 (#293 (text_const \"abcabcx\")) (#292 (text_const \"abcabc\")))", -1},
      {"(#291 (#293 (text_const \"abcabc\")) (#292 (text_const \"c\")))", -1},
      {"(#291 (#293 (text_const \"c\")))", -1},
      {"(#291 (#292 (text_const \"abc\")))", 0},
      {"(#291 (#292 (text_const \"ab\")) (#293 (text_const \"b\")))", 1},
      // Byte-exact.
      {"(#291 (#293 (text_const \"B\")) (#292 (text_const \"abc\")))", -1},
  };
  CHECK_CASES(cases);
}

// A left of a count at or beyond the length and a join of one operand share
// the operand's record; a shorter left, the case functions and a longer join
// make new ones and leave the operand's variable as it was.
TEST_F(ExecText, SharingAndOperandsUnchanged) {
  ASSERT_TRUE(RunExpressions("", "", "(@ta (#277 (#278 (num 99)) (#292 (@tb))))"));
  EXPECT_EQ(Texts[GlobalValue("tb")].Data, Texts[GlobalValue("ta")].Data);

  ASSERT_TRUE(RunExpressions("", "", "(@ta (#285 (@tb)))"));
  EXPECT_EQ(Texts[GlobalValue("tb")].Data, Texts[GlobalValue("ta")].Data);

  const struct {
    const char* Commands;
    const char* Ta;
    const char* Tb;
  } cases[] = {
      {"(@ta (#285 (@tb) (@tb)))", "bb", "b"},
      {"(@ta (#277 (#278 (0)) (#292 (@tb))))", "", "b"},
      {"(@ta (#290 (@tb)))", "B", "b"},
      {"(@tb (#290 (text_const \"Xy\")))(@ta (#289 (@tb)))", "xy", "XY"},
      {"(@ta (#279 (#280 (1)) (#292 (@tb))))", "", "b"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(RunExpressions("", "", c.Commands)) << c.Commands;
    EXPECT_EQ(c.Ta, Global("ta")) << c.Commands;
    EXPECT_EQ(c.Tb, Global("tb")) << c.Commands;
    EXPECT_NE(Texts[GlobalValue("tb")].Data, Texts[GlobalValue("ta")].Data) << c.Commands;
  }
}

}  // namespace
