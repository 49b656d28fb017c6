// Layouts of compiled constructs, checked as listings: operand lists with
// folders, single operands, named parameters and their defaults, the command
// forms, case, constants, and switched-off items.
#include "program_fixture.h"

namespace {

class CompileLayout : public ProgramTest {};

struct LayoutCase {
  const char* What;
  ValueKind Kind;
  std::initializer_list<const char*> Items;  // PROGRAM item 0 is compiled
  const char* Expected;
};

// Each case compiles PROGRAM item 0 alone.
void CheckLayouts(CompileLayout& t, std::initializer_list<LayoutCase> cases);

TEST_F(CompileLayout, OperandLists) {
  CheckLayouts(*this, {
      {"+ without operands", KindNum, {"39"}, "fails"},
      {"+ whose operands all fail", KindNum, {"39", "  64", "  999"}, "fails"},
      {"+ with one operand", KindNum, {"39", "  18"}, "ExecNumAdd 0 -1 0\nExecNumConst 1 1\n"},
      {"- with one operand negates", KindNum, {"40", "  19"}, "ExecNumNeg 0 -1 0\nExecNumConst 2 1\n"},
      {"/ with one operand is the reciprocal", KindNum, {"42", "  19"},
       "ExecNumReciprocal 0 -1 0\nExecNumConst 2 1\n"},
      {"- with three operands", KindNum, {"40", "  18", "  64", "  19", "  20"},
       "ExecNumSub 2 -1 0\nExecNumConst 1 3\nExecNumConst 2 2\nExecNumConst 3 1\n"},
      {"operands in folders at any depth", KindNum,
       {"39", "  1", "    18", "    1", "      19", "  20", "  1"},
       "ExecNumAdd 2 -1 0\nExecNumConst 1 3\nExecNumConst 2 2\nExecNumConst 3 1\n"},
      {"a switched-off folder is left out", KindNum, {"39", "  18", "  1 off", "    19"},
       "ExecNumAdd 0 -1 0\nExecNumConst 1 1\n"},
      {"switched-off operands are left out", KindNum, {"39", "  18 off", "  19", "  20 x"},
       "ExecNumAdd 0 -1 0\nExecNumConst 2 1\n"},
      {"operand list with an operand of several steps", KindBool, {"35", "  38", "    65", "  66"},
       "ExecBoolAnd 1 -1 0\nExecBoolNot 0 -1 3\nExecBoolTrue 0 -1 0\nExecBoolFalse 0 -1 1\n"},
      {"and with one operand passes it through", KindBool, {"35", "  65"},
       "ExecPassThrough 0 -1 0\nExecBoolTrue 0 -1 1\n"},
      {"= with one operand tests against 0", KindBool, {"29", "  17"},
       "ExecBoolEqualZero 0 -1 0\nExecNumConst 0 1\n"},
  });
}

TEST_F(CompileLayout, SingleOperandsAndOptionalOnes) {
  CheckLayouts(*this, {
      {"one number operand", KindNum, {"90", "  18"}, "ExecNumSin 0 -1 0\nExecNumConst 1 0\n"},
      {"only the first child is tried", KindNum, {"90", "  64", "  18"}, "fails"},
      {"a folder as first child fails", KindBool, {"38", "  1", "    65"}, "fails"},
      {"no operand fails", KindBool, {"38"}, "fails"},
      {"a switched-off element fails", KindBool, {"38 off", "  65"}, "fails"},
      {"wait with a number", KindCmd, {"122", "  19"}, "ExecCmdWaitSeconds 0 -1 0\nExecNumConst 2 0\n"},
      {"wait whose operand fails", KindCmd, {"122", "  64"}, "ExecCmdWaitTick 0 -1 0\n"},
      {"wait without operand", KindCmd, {"122"}, "ExecCmdWaitTick 0 -1 0\n"},
      {"sound_stop without operand", KindCmd, {"300"}, "ExecCmdSoundStopAll 0 -1 0\n"},
      {"a toggle row without operand", KindCmd, {"601"}, "ExecCmdToggleWindowVisible 0 -1 0\n"},
      {"a toggle row with a logic operand", KindCmd, {"601", "  66"},
       "ExecCmdWindowVisible 0 -1 0\nExecBoolFalse 0 -1 0\n"},
      {"random without operand", KindNum, {"104", "  64"}, "ExecNumRandom 0 -1 0\n"},
      {"joystick without operand reads joystick 0", KindNum, {"585"},
       "ExecNumJoystickX 0 -1 0\nExecNumConst 0 0\n"},
      {"joystick button with an operand", KindBool, {"589", "  19"},
       "ExecBoolJoystickButton2 0 -1 0\nExecNumConst 2 0\n"},
      {"cd play without operand plays track 1", KindCmd, {"427"}, "ExecCmdCdPlay 0 -1 0\nExecNumConst 1 0\n"},
  });
}

TEST_F(CompileLayout, NamedParametersAndDefaults) {
  CheckLayouts(*this, {
      {"if without anything", KindCmd, {"2"},
       "ExecCmdIf 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"while without condition", KindCmd, {"6"}, "ExecCmdWhile 0 -1 0\nExecBoolFalse 0 -1 0\nDoNothing 0 -1 1\n"},
      {"repeat without count", KindCmd, {"247"}, "ExecCmdRepeat 0 -1 0\nExecNumConst 0 0\nDoNothing 0 -1 1\n"},
      {"an empty then group", KindCmd, {"2", "  4", "    999"},
       "ExecCmdIf 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing -1 -1 1\nDoNothing 0 -1 1\n"},
      {"then and else groups", KindCmd, {"2", "  5", "    9", "    73", "  3", "    66", "  4", "    9"},
       "ExecCmdIf 0 -1 0\nExecBoolFalse 0 -1 0\nExecCmdSingle 0 -1 2\nExecCmdBreak 0 -1 1\n"
       "ExecCmdSequence 1 -1 3\nExecCmdBreak 0 -1 2\nExecCmdReturn 0 -1 1\n"},
      {"a parameter given twice, the first failing", KindCmd, {"2", "  3", "    64", "  3", "    66"},
       "ExecCmdIf 0 -1 0\nExecBoolFalse 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"a parameter without children is passed over", KindCmd, {"2", "  3", "  3", "    66"},
       "ExecCmdIf 0 -1 0\nExecBoolFalse 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"a switched-off parameter is passed over", KindCmd, {"2", "  3 off", "    66", "  4 x", "    9"},
       "ExecCmdIf 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing 0 -1 1\nDoNothing 0 -1 1\n"},
      {"parameters in the table's order, whatever the image's", KindCmd,
       {"305", "  307", "    18", "  999", "  303", "    19"},
       "ExecCmdPoint 0 -1 0\nExecNumConst 2 0\nExecNumConst 1 0\nExecNumConst 0 0\nExecNumConst 1 0\n"},
      {"text and map defaults", KindNum, {"555"},
       "ExecNumMapCellValue1 0 -1 0\nExecMapMain 0 -1 0\nExecNumConst 0 0\nExecNumConst 0 0\n"},
      {"picture, sound and logic defaults", KindPicture, {"692"},
       "ExecPictureResize 0 -1 0\nExecPictureEmpty 0 -1 0\nExecNumConst 2000000 0\n"
       "ExecNumConst 2000000 0\nExecBoolFalse 0 -1 0\nExecBoolTrue 0 -1 0\n"},
      {"a text parameter", KindNum, {"291", "  292", "    64"},
       "ExecNumTextFind 0 -1 0\nExecTextEmpty 0 -1 0\nExecTextGlobal 0 -1 0\n"},
  });
}

TEST_F(CompileLayout, Case) {
  CheckLayouts(*this, {
      {"values 1 and 2 for the first branch, 3 for the second", KindCmd,
       {"11", "  12", "    18", "  13", "    14", "      18", "    14", "      19", "    9", "  13", "    14",
        "      20", "    73", "  15", "    9"},
       "ExecCmdCaseNum 3 -1 0\nExecNumConst 1 0\nExecNumConst 1 5\nExecNumConst 2 4\nExecNumConst 3 5\n"
       "ExecCmdSingle 0 -1 6\nExecCmdBreak 0 -1 1\nExecCmdSingle 0 -1 4\nExecCmdBreak 0 -1 1\n"
       "ExecCmdSingle 0 -1 2\nExecCmdReturn 0 -1 1\n"},
      {"a text selector takes text values only", KindCmd,
       {"11", "  12", "    717", "  13", "    14", "      18", "    14", "      718"},
       "ExecCmdCaseText 1 -1 0\nExecTextEmpty 0 -1 0\nExecTextEmpty 0 -1 2\nDoNothing 0 -1 2\n"
       "DoNothing -1 -1 1\n"},
      {"a logic selector after a case_expr that fails", KindCmd, {"11", "  12", "    999", "  12", "    65"},
       "ExecCmdCaseBool 0 -1 0\nExecBoolTrue 0 -1 0\nDoNothing 0 -1 1\n"},
      {"switched-off parts are passed over", KindCmd,
       {"11", "  12 off", "    17", "  12", "    18", "  13 off", "    14", "      18", "  13", "    14 x",
        "      18", "    14", "      19", "  15 off", "    9"},
       "ExecCmdCaseNum 1 -1 0\nExecNumConst 1 0\nExecNumConst 2 2\nDoNothing 0 -1 2\nDoNothing -1 -1 1\n"},
      {"a branch without values still compiles", KindCmd, {"11", "  12", "    18", "  13", "    9"},
       "ExecCmdCaseNum 0 -1 0\nExecNumConst 1 0\nDoNothing 0 -1 3\nExecCmdSingle 0 -1 2\nExecCmdBreak 0 -1 1\n"},
      {"no selector that compiles", KindCmd, {"11", "  12", "    999", "  13", "    14", "      18"}, "fails"},
      {"no children", KindCmd, {"11"}, "fails"},
  });
}

TEST_F(CompileLayout, Constants) {
  CheckLayouts(*this, {
      {"key A", KindNum, {"146"}, "ExecNumConst 65 0\n"},
      {"key Space", KindNum, {"233"}, "ExecNumConst 32 0\n"},
      {"key F1", KindNum, {"134"}, "ExecNumConst 112 0\n"},
      {"digit 9", KindNum, {"26"}, "ExecNumConst 9 0\n"},
      {"pi", KindNum, {"98"}, "ExecNumConst 3.14159265358979 0\n"},
      {"one pixel", KindNum, {"634"}, "ExecNumConst 0.03125 0\n"},
      {"2^32 - 1", KindNum, {"737"}, "ExecNumConst 4294967295 0\n"},
      {"literal 12.5", KindNum, {"16", "  18", "  19", "  27", "  22"}, "ExecNumConst 12.5 0\n"},
      {"literal of a single minus", KindNum, {"16", "  10"}, "ExecNumConst -1 0\n"},
      {"literal with a switched-off digit", KindNum, {"16", "  18", "  19 off", "  20"}, "ExecNumConst 13 0\n"},
      {"key ids are no commands", KindCmd, {"146"}, "fails"},
  });
}

TEST_F(CompileLayout, ExactConstantsOfPiAndE) {
  const double pi = 3.141592653589793;
  const struct {
    int32_t Id;
    double Value;
  } cases[] = {{98, pi}, {105, 2.718281828459045}, {114, pi / 4}, {115, pi / 2}, {116, 2.356194490192345},
               {117, pi}, {118, 3.9269908169872414}, {119, 4.71238898038469}, {120, 5.497787143782138},
               {633, 2 * pi}, {113, 0}, {350, 92}, {351, 161}, {635, -1}};
  for (auto& c : cases) {
    Program = ItemTableBuilder();
    Program.Items.push_back(ItemTableBuilder::ParseItem(std::to_string(c.Id).c_str()));
    Program.Links.resize(2);
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
  Program.Parse({"16 t0", "64 t1", "64 t1", "64 t7"});
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
    t.Program = ItemTableBuilder();
    t.Program.Parse(c.Items);
    t.Link();
    ResetCompiledCode();
    EXPECT_EQ(c.Expected, ProgramTest::CompileAlone(c.Kind, 0)) << c.What;
  }
}

}  // namespace
