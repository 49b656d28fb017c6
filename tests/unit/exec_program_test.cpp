// Whole programs as start-up runs them, in-process: assembled, loaded,
// compiled, and the entry step called, with the fake pump.
#include "image_setup.h"
#include "program_fixture.h"
#include "lib/bundled_program.h"
#include "startup/runtime.h"
#include "window/font_cache.h"
#include "graphics/surface.h"
#include "window/main_window.h"

namespace {

class ExecProgram : public ProgramTest {
 public:
  bool LoadAndCompile(const char* source) {
    if (!LoadTestProgram(source)) return false;
    return CompileProgram();
  }
};

// main passes its local n to f's input x; f stores x in g and returns a text;
// main then waits n times.
TEST_F(ExecProgram, CallsLoopsAndResults) {
  ASSERT_TRUE(LoadAndCompile(R"(
global
  main: function "T" -> main_def
  f: function -> f_def
  g: real = 0
  s: text = "start"
local
  main_def: function -> main_body
    n: real = 5
  f_def: function -> f_body
    iparam
      x: real = 0
    oparam
      r: text = ""
program
  main_body: function
    @s
      @f
        @x
          @n
    repeat
      repeat_num
        @n
      while_body
        wait
  f_body: function
    @g
      @x
    @r
      text_const "done"
    exit
    @g
      num 9
)"));
  int32_t numbers = Numbers.Count, texts = Texts.Count;
  Run();
  EXPECT_EQ(5, Numbers[GlobalItemLinks[2].DataIndex]);
  EXPECT_TRUE(Texts[GlobalItemLinks[3].DataIndex].EqualsChars("done"));
  EXPECT_EQ(5, Fake.Waits);
  EXPECT_EQ(numbers, Numbers.Count);
  EXPECT_EQ(texts, Texts.Count);
}

// A case on a text selector and a while loop left by break.
TEST_F(ExecProgram, CaseAndWhile) {
  ASSERT_TRUE(LoadAndCompile(R"(
global
  main: function -> main_def
  g: real = 0
  word: text = "two"
local
  main_def: function -> main_body
program
  main_body: function
    while
      while_cond
        true
      while_body
        case
          case_expr
            @word
          case_on
            case_equ
              text_const "one"
            @g
              num 1
          case_on
            case_equ
              text_const "three"
            case_equ
              text_const "two"
            @g
              num 2
          default
            @g
              num 3
        break
        @g
          num 4
)"));
  Run();
  EXPECT_EQ(2, Numbers[GlobalItemLinks[1].DataIndex]);
  EXPECT_EQ(0u, ExecFlags);
}

// if a < b (and c, when given, as the chain's third operand): g := 1, else
// g := 2; the comparison of two numbers, NaN counting as less, as in a chain.
TEST_F(ExecProgram, IfComparesNumbers) {
  const struct {
    const char *A, *B, *C;  // C null: a comparison of two
    double Expected;
  } cases[] = {
      {"1", "2", nullptr, 1},    {"2", "1", nullptr, 2},   {"2", "2", nullptr, 2},
      {"nan", "5", nullptr, 1},  {"5", "nan", nullptr, 1}, {"-inf", "inf", nullptr, 1},
      {"inf", "inf", nullptr, 2}, {"1", "3", "2", 2},       {"1", "2", "3", 1},
  };
  for (auto& c : cases) {
    SetUp();
    std::string source = std::string(R"(
global
  main: function -> main_def
  g: real = 0
  a: real = )") + c.A + R"(
  b: real = )" + c.B + R"(
local
  main_def: function -> main_body
program
  main_body: function
    if
      if_cond
        <
          @a
          @b
)" + (c.C ? std::string("          num ") + c.C + "\n" : std::string()) + R"(      then
        @g
          num 1
      else
        @g
          num 2
)";
    ASSERT_TRUE(LoadAndCompile(source.c_str())) << c.A << " " << c.B;
    Run();
    EXPECT_EQ(c.Expected, Numbers[GlobalItemLinks[1].DataIndex]) << c.A << " < " << c.B << " < " << (c.C ? c.C : "");
  }
}

// g := f(a op b ...), where f gives its argument: sums, differences and
// products of two operands and of more, each operand a variable or a constant.
TEST_F(ExecProgram, ArgumentsComputedFromOperands) {
  const struct {
    const char* Op;  // + sum, - difference, * product
    const char* Last;  // a third operand, or null
    double Expected;
  } cases[] = {
      {"+", nullptr, 9}, {"-", nullptr, 5}, {"*", nullptr, 14},
      {"+", "num 1", 10}, {"-", "num 1", 4}, {"*", "@a", 98},
  };
  for (auto& c : cases) {
    SetUp();
    std::string source = std::string(R"(
global
  main: function -> main_def
  f: function -> f_def
  g: real = 0
  a: real = 7
local
  main_def: function -> main_body
  f_def: function -> f_body
    iparam
      x: real = 0
    oparam
      r: real = 0
program
  main_body: function
    @g
      @f
        @x
          )") + c.Op + R"(
            @a
            num 2
)" + (c.Last ? std::string("            ") + c.Last + "\n" : std::string()) + R"(  f_body: function
    @r
      @x
)";
    ASSERT_TRUE(LoadAndCompile(source.c_str())) << c.Op;
    int32_t numbers = Numbers.Count;
    Run();
    EXPECT_EQ(c.Expected, Numbers[GlobalItemLinks[2].DataIndex]) << c.Op << " " << (c.Last ? c.Last : "");
    EXPECT_EQ(numbers, Numbers.Count);
  }
}

}  // namespace

namespace {

// The program the engine carries: a sieve in a local logic list, nested
// loops, a call with an argument and a result, and the return code. It also
// draws, writes text and sets the status line, so it gets a surface, the
// fonts and the caption texts.
TEST_F(ExecProgram, BundledProgramReturnsItsResult) {
  std::vector<uint8_t> image;
  std::string error;
  ASSERT_TRUE(BundledImage(image, error)) << error;
  ASSERT_TRUE(LoadTestImage(image));
  ASSERT_TRUE(CompileProgram());
  InitGraphicsSurface();
  if (!PendingStatusText.Data) InitCaptionTexts();
  if (!UserFontName.Data) InitFontTexts();
  if (!FontCache) InitFontCache();
  int32_t logics = Logics.Count, lists = ListRecords.Count;
  ReturnCode = 0;
  Run();
  ReleaseFontCache();
  EXPECT_EQ(BundledProgramResult, ReturnCode);
  EXPECT_EQ(logics, Logics.Count) << "the sieve's frame is gone";
  EXPECT_EQ(lists, ListRecords.Count);
  ReturnCode = 0;
}

}  // namespace

#include "result_programs.h"

namespace {

// The end-to-end result programs, run in-process.
TEST_F(ExecProgram, ResultPrograms) {
  for (const ResultProgram& c : ResultPrograms()) {
    SetUp();
    ASSERT_TRUE(LoadAndCompile(c.Source.c_str())) << c.Name;
    ReturnCode = 0;
    Run();
    EXPECT_EQ(c.Expected, ReturnCode) << c.Name;
  }
  ReturnCode = 0;
}

}  // namespace
