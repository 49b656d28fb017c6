// Layouts of compiled constructs, checked as listings: operand lists with
// folders, single operands, named parameters and their defaults, the command
// forms, case, constants, and switched-off items.
#include "expression_fixture.h"
#include "program_fixture.h"

namespace {

class CompileLayout : public ProgramTest {};

struct LayoutCase {
  const char* What;
  ValueKind Kind;
  const char* Items;  // "(head (child) ...)": PROGRAM item 0, which is compiled
  const char* Expected;
};

// Each case compiles PROGRAM item 0 alone.
void CheckLayouts(CompileLayout& t, std::initializer_list<LayoutCase> cases);

TEST_F(CompileLayout, OperandLists) {
  CheckLayouts(*this, {
      {"+ without operands", KindNum, "(+)", "fails"},
      {"+ whose operands all fail", KindNum, "(+ (text_const) (#999))", "fails"},
      {"+ with one operand", KindNum, "(+ (1))", "ExecNumAdd 0 -1 0\nExecNumConst 1 1\n"},
      {"- with one operand negates", KindNum, "(- (2))", "ExecNumNeg 0 -1 0\nExecNumConst 2 1\n"},
      {"/ with one operand is the reciprocal", KindNum, "(/ (2))",
       "ExecNumReciprocal 0 -1 0\nExecNumConst 2 1\n"},
      {"- with three operands", KindNum, "(- (1) (text_const) (2) (3))",
       "ExecNumSub 2 -1 0\nExecNumConst 1 3\nExecNumConst 2 2\nExecNumConst 3 1\n"},
      {"operands in folders at any depth", KindNum,
       "(+ (group (1) (group (2))) (3) (group))",
       "ExecNumAdd 2 -1 0\nExecNumConst 1 3\nExecNumConst 2 2\nExecNumConst 3 1\n"},
      {"a switched-off folder is left out", KindNum, "(+ (1) (group off (2)))",
       "ExecNumAdd 0 -1 0\nExecNumConst 1 1\n"},
      {"switched-off operands are left out", KindNum, "(+ (1 off) (2) (3 off80))",
       "ExecNumAdd 0 -1 0\nExecNumConst 2 1\n"},
      {"operand list with an operand of several steps", KindBool, "(and (not (true)) (false))",
       "ExecBoolAnd 1 -1 0\nExecBoolNot 0 -1 3\nExecBoolTrue 0 -1 0\nExecBoolFalse 0 -1 1\n"},
      {"and with one operand passes it through", KindBool, "(and (true))",
       "ExecPassThrough 0 -1 0\nExecBoolTrue 0 -1 1\n"},
      {"= with one operand tests against 0", KindBool, "(= (0))",
       "ExecBoolEqualZero 0 -1 0\nExecNumConst 0 1\n"},
  });
}

TEST_F(CompileLayout, SingleOperandsAndOptionalOnes) {
  CheckLayouts(*this, {
      {"one number operand", KindNum, "(sin (1))", "ExecNumSin 0 -1 0\nExecNumConst 1 0\n"},
      {"only the first child is tried", KindNum, "(sin (text_const) (1))", "fails"},
      {"a folder as first child fails", KindBool, "(not (group (true)))", "fails"},
      {"no operand fails", KindBool, "(not)", "fails"},
      {"a switched-off element fails", KindBool, "(not off (true))", "fails"},
      {"wait with a number", KindCmd, "(wait (2))", "ExecCmdWaitSeconds 0 -1 0\nExecNumConst 2 0\n"},
      {"wait whose operand fails", KindCmd, "(wait (text_const))", "ExecCmdWaitTick 0 -1 0\n"},
      {"wait without operand", KindCmd, "(wait)", "ExecCmdWaitTick 0 -1 0\n"},
      {"sound_stop without operand", KindCmd, "(sound_stop)", "ExecCmdSoundStopAll 0 -1 0\n"},
      {"a toggle row without operand", KindCmd, "(window_visible)", "ExecCmdToggleWindowVisible 0 -1 0\n"},
      {"a toggle row with a logic operand", KindCmd, "(window_visible (false))",
       "ExecCmdWindowVisible 0 -1 0\nExecBoolFalse 0 -1 0\n"},
      {"random without operand", KindNum, "(random (text_const))", "ExecNumRandom 0 -1 0\n"},
      {"joystick without operand reads joystick 0", KindNum, "(joystick_x)",
       "ExecNumJoystickX 0 -1 0\nExecNumConst 0 0\n"},
      {"joystick button with an operand", KindBool, "(joystick_button2 (2))",
       "ExecBoolJoystickButton2 0 -1 0\nExecNumConst 2 0\n"},
      {"cd play without operand plays track 1", KindCmd, "(cd_play)", "ExecCmdCdPlay 0 -1 0\nExecNumConst 1 0\n"},
  });
}

TEST_F(CompileLayout, NamedParametersAndDefaults) {
  CheckLayouts(*this, {
      {"if without anything", KindCmd, "(if)",
       "ExecCmdIf 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"while without condition", KindCmd, "(while)", "ExecCmdWhile 0 -1 0\nExecBoolFalse 0 -1 0\nDoNothing 0 -1 1\n"},
      {"repeat without count", KindCmd, "(repeat)", "ExecCmdRepeat 0 -1 0\nExecNumConst 0 0\nDoNothing 0 -1 1\n"},
      {"an empty then group", KindCmd, "(if (then (#999)))",
       "ExecCmdIf 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing -1 -1 1\nDoNothing 0 -1 1\n"},
      {"then and else groups", KindCmd, "(if (else (break) (exit)) (if_cond (false)) (then (break)))",
       "ExecCmdIf 0 -1 0\nExecBoolFalse 0 -1 0\nExecCmdSingle 0 -1 2\nExecCmdBreak 0 -1 1\n"
       "ExecCmdSequence 1 -1 3\nExecCmdBreak 0 -1 2\nExecCmdReturn 0 -1 1\n"},
      {"a parameter given twice, the first failing", KindCmd, "(if (if_cond (text_const)) (if_cond (false)))",
       "ExecCmdIf 0 -1 0\nExecBoolFalse 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"a parameter without children is passed over", KindCmd, "(if (if_cond) (if_cond (false)))",
       "ExecCmdIf 0 -1 0\nExecBoolFalse 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"a switched-off parameter is passed over", KindCmd, "(if (if_cond off (false)) (then off80 (break)))",
       "ExecCmdIf 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"parameters in the table's order, whatever the image's", KindCmd,
       "(point (point_y (1)) (#999) (graph_color (2)))",
       "ExecCmdPoint 0 -1 0\nExecNumConst 2 0\nExecNumConst 1 0\nExecNumConst 0 0\nExecNumConst 1 0\n"},
      {"text and map defaults", KindNum, "(map_cell_value1)",
       "ExecNumMapCellValue1 0 -1 0\nExecMapMain 0 -1 0\nExecNumConst 0 0\nExecNumConst 0 0\n"},
      {"picture, sound and logic defaults", KindPicture, "(picture_resize)",
       "ExecPictureResize 0 -1 0\nExecPictureEmpty 0 -1 0\nExecNumConst 2000000 0\n"
       "ExecNumConst 2000000 0\nExecBoolFalse 0 -1 0\nExecBoolTrue 0 -1 0\n"},
      {"a text parameter", KindNum, "(text_find (text_source (text_const)))",
       "ExecNumTextFind 0 -1 0\nExecTextEmpty 0 -1 0\nExecTextGlobal 0 -1 0\n"},
  });
}

TEST_F(CompileLayout, Case) {
  CheckLayouts(*this, {
      {"values 1 and 2 for the first branch, 3 for the second", KindCmd,
       "(case (case_expr (1)) (case_on (case_equ (1)) (case_equ (2)) (break)) (case_on (case_equ (3)) (exit)) (default (break)))",
       "ExecCmdCaseNum 3 -1 0\nExecNumConst 1 0\nExecNumConst 1 5\nExecNumConst 2 4\nExecNumConst 3 5\n"
       "ExecCmdSingle 0 -1 6\nExecCmdBreak 0 -1 1\nExecCmdSingle 0 -1 4\nExecCmdBreak 0 -1 1\n"
       "ExecCmdSingle 0 -1 2\nExecCmdReturn 0 -1 1\n"},
      {"a text selector takes text values only", KindCmd,
       "(case (case_expr (text_empty)) (case_on (case_equ (1)) (case_equ (text_empty_2))))",
       "ExecCmdCaseText 1 -1 0\nExecTextEmpty 0 -1 0\nExecTextEmpty 0 -1 2\nDoNothing 0 -1 2\n"
       "DoNothing -1 -1 1\n"},
      {"a logic selector after a case_expr that fails", KindCmd, "(case (case_expr (#999)) (case_expr (true)))",
       "ExecCmdCaseBool 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing 0 -1 1\n"},
      {"switched-off parts are passed over", KindCmd,
       "(case (case_expr off (0)) (case_expr (1)) (case_on off (case_equ (1))) (case_on (case_equ off80 (1)) (case_equ (2))) (default off (break)))",
       "ExecCmdCaseNum 1 -1 0\nExecNumConst 1 0\nExecNumConst 2 2\nDoNothing 0 -1 2\nDoNothing -1 -1 1\n"},
      {"a branch without values still compiles", KindCmd, "(case (case_expr (1)) (case_on (break)))",
       "ExecCmdCaseNum 0 -1 0\nExecNumConst 1 0\nDoNothing 0 -1 3\nExecCmdSingle 0 -1 2\nExecCmdBreak 0 -1 1\n"},
      {"no selector that compiles", KindCmd, "(case (case_expr (#999)) (case_on (case_equ (1))))", "fails"},
      {"no children", KindCmd, "(case)", "fails"},
  });
}

TEST_F(CompileLayout, Constants) {
  CheckLayouts(*this, {
      {"key A", KindNum, "(vk_a)", "ExecNumConst 65 0\n"},
      {"key Space", KindNum, "(vk_space)", "ExecNumConst 32 0\n"},
      {"key F1", KindNum, "(vk_f1)", "ExecNumConst 112 0\n"},
      {"digit 9", KindNum, "(9)", "ExecNumConst 9 0\n"},
      {"pi", KindNum, "(pi)", "ExecNumConst 3.14159265358979 0\n"},
      {"one pixel", KindNum, "(pixel)", "ExecNumConst 0.03125 0\n"},
      {"2^32 - 1", KindNum, "(uint32_max)", "ExecNumConst 4294967295 0\n"},
      {"literal 12.5", KindNum, "(num (1) (2) (num_point) (5))", "ExecNumConst 12.5 0\n"},
      {"literal of a single minus", KindNum, "(num (num_minus))", "ExecNumConst -1 0\n"},
      {"literal with a switched-off digit", KindNum, "(num (1) (2 off) (3))", "ExecNumConst 13 0\n"},
      {"key ids are no commands", KindCmd, "(vk_a)", "fails"},
  });
}

TEST_F(CompileLayout, ExactConstantsOfPiAndE) {
  const double pi = 3.141592653589793;
  const struct {
    int32_t Id;
    double Value;
  } cases[] = {{El::pi, pi},
               {El::e, 2.718281828459045},
               {El::dir_up_right, pi / 4},
               {El::dir_up, pi / 2},
               {El::dir_up_left, 2.356194490192345},
               {El::dir_left, pi},
               {El::dir_down_left, 3.9269908169872414},
               {El::dir_down, 4.71238898038469},
               {El::dir_down_right, 5.497787143782138},
               {El::two_pi, 2 * pi},
               {El::dir_right, 0},
               {El::vk_win_r, 92},
               {El::vk_shift_r, 161},
               {El::minus_1, -1}};
  for (auto& c : cases) {
    Assemble(std::string("program\n  ") + ElementNameOfId(c.Id) + "\n");
    Link();
    int32_t start = CompiledCodeCount;
    ASSERT_TRUE(CompileNum(0)) << c.Id;
    EXPECT_EQ(c.Value, StepNumber(CompiledCode[start])) << c.Id;
  }
}

// A number literal without children takes its own text; text constants get
// entries of their own after the image's texts.
TEST_F(CompileLayout, TextsOfItems) {
  Texts.Append(Text("3 apples"));
  Texts.Append(Text("hello"));
  Assemble(R"(
program
  num textindex=0
  text_const textindex=1
  text_const textindex=1
  text_const textindex=7
)");
  Link();
  EXPECT_EQ("ExecNumConst 3 0\n", CompileAlone(KindNum, 0));
  EXPECT_EQ("ExecTextGlobal 2 -1 0\n", CompileAlone(KindText, 1));
  EXPECT_EQ("ExecTextGlobal 3 -1 0\n", CompileAlone(KindText, 2));
  EXPECT_EQ("ExecTextGlobal 4 -1 0\n", CompileAlone(KindText, 3));
  ASSERT_EQ(5, Texts.Count);
  EXPECT_TRUE(Texts[2].EqualsChars("hello"));
  EXPECT_EQ(Texts[1].Data, Texts[3].Data) << "a shared copy";
  EXPECT_EQ(0, Texts[4].Length()) << "an entry outside the texts gives an empty one";
}

void CheckLayouts(CompileLayout& t, std::initializer_list<LayoutCase> cases) {
  for (const LayoutCase& c : cases) {
    t.Assemble("program\n" + ExpressionLines(c.Items, 1));
    t.Link();
    ResetCompiledCode();
    EXPECT_EQ(c.Expected, ProgramTest::CompileAlone(c.Kind, 0)) << c.What;
  }
}

}  // namespace
