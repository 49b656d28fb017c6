// Calls of user functions as compiled (call step, push group, pop group),
// the whole-program pass with its entry call and fix-up, and the checks on
// references to variables, lists and functions.
#include "program_fixture.h"

namespace {

class CompileCalls : public ProgramTest {};

struct ItemCase {
  int32_t Item;  // PROGRAM item compiled alone
  const char* Expected;
  const char* What;
};

void CheckItems(ValueKind kind, std::initializer_list<ItemCase> cases) {
  for (const ItemCase& c : cases) EXPECT_EQ(c.Expected, ProgramTest::CompileAlone(kind, c.Item)) << c.What;
}

TEST_F(CompileCalls, FunctionWithoutLocals) {
  Global.Parse({"47 d3:0", "47 d3:1"});
  Local.Parse({"47 d4:0", "47 d4:2"});
  Program.Parse({"47", "  47 g1", "47"});
  ASSERT_TRUE(Compile());
  EXPECT_EQ(
      "ExecCmdSingle 0 -1 0\n"
      "ExecCmdCall 4 -1 3\n"
      "ExecCmdSequence -1 -1 0\n"
      "ExecCmdSequence -1 -1 0\n"
      "DoNothing -1 -1 0\n"
      "ExecCmdCall 0 -1 0\n"
      "ExecCmdSequence -1 -1 0\n"
      "ExecCmdSequence -1 -1 0\n",
      Listing());
  EXPECT_EQ(5, EntryCallIndex);
  EXPECT_EQ(0, ProgramItemLinks[0].CodeStart);
  EXPECT_EQ(4, ProgramItemLinks[2].CodeStart);
}

// f(a input, r and s outputs, b a plain local); the call passes b twice and
// a once with an argument that does not compile.
void DefineCallWithArguments(CompileCalls& t) {
  Numbers.Append(0);
  Numbers.Append(5);
  Numbers.Append(6);
  Numbers.Append(8);
  Texts.Append(Text("s"));
  t.Global.Parse({"47 d3:0", "47 d3:1", "43 d6:0"});
  t.Local.Parse({"47 d4:0", "47 d4:9", "  53", "    43 d6:1", "  54", "    43 d6:2", "    51 d7:0",
                 "  43 d6:3"});
  t.Program.Parse({"47", "  43 g2", "    47 g1", "      43 l7", "        19", "      43 l3", "        999",
                   "      43 l7", "        20", "47", "  73"});
}

TEST_F(CompileCalls, ArgumentsLocalsAndResult) {
  DefineCallWithArguments(*this);
  ASSERT_TRUE(Compile());
  EXPECT_EQ(
      "ExecCmdSingle 0 -1 0\n"
      "ExecCmdSetNumGlobal 0 -1 11\n"
      "ExecNumCall 12 2 0\n"
      "ExecCmdSequence 3 -1 0\n"
      "ExecCmdPushNumLocal 1 -1 5\n"
      "ExecCmdPushNumLocal 2 -1 4\n"
      "ExecCmdPushTextLocal 0 -1 3\n"
      "ExecCmdPushNumArg 0 -1 2\n"
      "ExecNumConst 2 0\n"
      "ExecCmdSequence 1 -1 0\n"
      "ExecCmdPopLocalsNum 3 -1 2\n"
      "ExecCmdPopLocalsText 1 -1 1\n"
      "ExecCmdSingle 0 -1 0\n"
      "ExecCmdReturn 0 -1 1\n",
      Listing(0, 14));
}

TEST_F(CompileCalls, ValueKindsOfACall) {
  DefineCallWithArguments(*this);
  Link();
  EXPECT_EQ("fails", CompileAlone(KindBool, 2)) << "no logic output";
  std::string text = CompileAlone(KindText, 2);
  EXPECT_EQ("ExecTextCall 9 1 0\n", text.substr(0, text.find('\n') + 1)) << "body index before the fix-up";
  EXPECT_EQ("fails", CompileAlone(KindNum, 9)) << "a function body is no call";
}

TEST_F(CompileCalls, OnlyACommandWithoutOutputs) {
  Global.Parse({"47 d3:0"});
  Local.Parse({"47 d4:0", "  53", "    43 d6:0"});
  Program.Parse({"47 g0"});
  Numbers.Append(1);
  Link();
  EXPECT_EQ("fails", CompileAlone(KindNum, 0));
  EXPECT_EQ("ExecCmdCall 0 -1 0\n", CompileAlone(KindCmd, 0).substr(0, 19));
}

// Argument expressions read the caller's locals past what the call has
// pushed of the same kind, and only of that kind.
TEST_F(CompileCalls, ArgumentsReadCallerLocalsPastPushedOnes) {
  Numbers.Append(0);
  Texts.Append(Text());
  Global.Parse({"47 d3:0", "47 d3:3"});
  Local.Parse({"47 d4:0", "  43 d6:0", "  51 d7:0", "47 d4:6", "  43 d6:0", "  43 d6:0", "  43 d6:0",
               "  51 d7:0"});
  Program.Parse({"47", "  47 g1", "    43 l6", "      43 l1", "    51 l7", "      51 l2", "47"});
  ASSERT_TRUE(Compile());
  EXPECT_EQ(
      "ExecCmdSingle 0 -1 0\n"
      "ExecCmdCall 12 -1 11\n"
      "ExecCmdSequence 3 -1 0\n"
      "ExecCmdPushNumLocal 0 -1 6\n"
      "ExecCmdPushNumLocal 0 -1 5\n"
      "ExecCmdPushNumArg 0 -1 4\n"
      "ExecNumLocal 3 -1 0\n"
      "ExecCmdPushTextArg 0 -1 2\n"
      "ExecTextLocal 1 -1 0\n"
      "ExecCmdSequence 1 -1 0\n"
      "ExecCmdPopLocalsNum 3 -1 2\n"
      "ExecCmdPopLocalsText 1 -1 1\n",
      Listing(0, 12));
  for (int32_t count : PendingLocalCounts) EXPECT_EQ(0, count);
}

TEST_F(CompileCalls, LocalListsArePushedWhole) {
  Numbers.Append(4);
  Global.Parse({"47 d3:0", "47 d3:1"});
  Local.Parse({"47 d4:0", "47 d4:6", "  56", "    255", "      20", "    43 d6:0", "  56", "    43 d6:0"});
  Program.Parse({"47", "  47 g1", "    43 l5", "      18", "    43 l7", "      19", "47"});
  ASSERT_TRUE(Compile());
  EXPECT_EQ(
      "ExecCmdCall 11 -1 10\n"
      "ExecCmdSequence 3 -1 0\n"
      "ExecCmdPushListRecord 0 -1 5\n"
      "ExecCmdPushNumLocalList 0 3 4\n"
      "ExecCmdPushListRecord 1 -1 3\n"
      "ExecCmdPushNumArg 0 -1 2\n"
      "ExecNumConst 2 0\n"
      "ExecCmdSequence 1 -1 0\n"
      "ExecCmdPopLocalsNum 4 -1 2\n"
      "ExecCmdPopListRecords 2 -1 1\n",
      Listing(1, 11));
}

// A function defined among main's locals runs in main's frame: a command
// call from main's body only.
TEST_F(CompileCalls, NestedFunctions) {
  Global.Parse({"47 d3:0", "47 d3:2"});
  Local.Parse({"47 d4:0", "  43 d6:0", "  47 d4:2", "47 d4:4"});
  Numbers.Append(0);
  Program.Parse({"47", "  47 l2", "47", "  43 l1", "    17", "47", "  47 l2", "  43 l1", "    18"});
  ASSERT_TRUE(Compile());
  EXPECT_EQ(
      "ExecCmdSingle 0 -1 0\n"
      "ExecCmdCallNested 2 -1 1\n"
      "ExecCmdSingle 0 -1 0\n"
      "ExecCmdSetNumLocal 1 -1 2\n"
      "ExecNumConst 0 0\n"
      "DoNothing -1 -1 0\n",
      Listing(0, 6))
      << "the nested body uses main's locals; f's body may use neither";
  Link();
  EXPECT_EQ("fails", CompileAlone(KindNum, 1));
}

TEST_F(CompileCalls, EntryCall) {
  Local.Parse({"47 d4:0", "  43 d6:0"});
  Numbers.Append(3);
  Program.Parse({"47", "  9"});
  ASSERT_TRUE(Compile());
  EXPECT_EQ(2, EntryCallIndex);
  EXPECT_EQ(
      "ExecCmdCall 0 -1 0\n"
      "ExecCmdSequence 0 -1 0\n"
      "ExecCmdPushNumLocal 0 -1 1\n"
      "ExecCmdSequence 0 -1 0\n"
      "ExecCmdPopLocalsNum 1 -1 1\n",
      Listing(2));
}

struct EntryCase {
  const char* What;
  std::initializer_list<const char*> Local, Program;
  const char* Expected;  // the whole code
};

TEST_F(CompileCalls, WithoutAnEntryCallTheRunStartsAtStepZero) {
  const EntryCase cases[] = {
      {"no function", {}, {"47", "  9"}, "ExecCmdSingle 0 -1 0\nExecCmdBreak 0 -1 1\n"},
      {"main names no body", {"47 d4:7"}, {"47", "  9"}, "ExecCmdSingle 0 -1 0\nExecCmdBreak 0 -1 1\n"},
      {"main is no definition", {"43 d6:0"}, {"47"}, "DoNothing -1 -1 0\n"},
      {"nothing at all", {}, {}, "DoNothing 0 -1 0\n"},
      {"a switched-off body", {}, {"47 off", "  9"}, "DoNothing 0 -1 0\n"},
  };
  for (const EntryCase& c : cases) {
    SetUp();
    Local = ItemTableBuilder();
    Program = ItemTableBuilder();
    Local.Parse(c.Local);
    Program.Parse(c.Program);
    ASSERT_TRUE(Compile()) << c.What;
    EXPECT_EQ(0, EntryCallIndex) << c.What;
    EXPECT_EQ(c.Expected, Listing()) << c.What;
  }
}

// A call whose body is a PROGRAM item inside another body has no compiled
// start of its own: the image is rejected.
TEST_F(CompileCalls, CalleeBodyInsideAnotherBodyRejectsTheImage) {
  Global.Parse({"47 d3:0", "47 d3:1"});
  Local.Parse({"47 d4:0", "47 d4:2"});
  Program.Parse({"47", "  47 g1", "  9"});
  EXPECT_FALSE(Compile());
}

TEST_F(CompileCalls, CallsThatDoNotResolve) {
  Global.Parse({"47 d3:0", "47 d3:1", "47 d3:9", "43 d6:0"});
  Local.Parse({"47 d4:0", "  47 d4:1", "47", "  47 d4:1"});
  Numbers.Append(0);
  Program.Parse({"47", "47 g1", "47 g2", "47 g3", "47 g99", "47 l1", "47 l3", "47"});
  Link();
  // Main's frame, so its nested function (LOCAL 1) is callable.
  CompileFrameFirst = 0;
  CompileFrameEnd = 2;
  CheckItems(KindCmd, {
      {1, "fails", "a GLOBAL declaration naming a nested definition"},
      {2, "fails", "a definition outside LOCAL"},
      {3, "fails", "a GLOBAL item that is no declaration"},
      {4, "fails", "a GLOBAL index outside the table"},
      {6, "fails", "a nested function of another function's frame"},
      {7, "fails", "a call that refers to nothing"},
  });
  EXPECT_EQ("ExecCmdCallNested 1 -1 0\n", CompileAlone(KindCmd, 5));
  EXPECT_EQ("fails", CompileAlone(KindText, 5)) << "a nested function as a value";
}

// Variables in their four forms, and the checks on every reference.
TEST_F(CompileCalls, VariableReferences) {
  Numbers.Append(1);
  Numbers.Append(2);
  Global.Parse({"47 d3:0", "43 d6:1", "56", "  255", "    19", "  43 d6:0", "43 d6:7", "51 d7:0"});
  Local.Parse({"47 d4:0", "  43 d6:0", "  56", "    255", "      20", "    43 d6:1", "  43", "47 d4:9",
               "  43 d6:0"});
  Program.Parse({"43 g1", "43 g5", "43 l1", "43 l5", "43 l8", "43 g6", "43 g99", "43 l6", "43 l99", "43",
                 "43 l5", "  18"});
  Link();
  CompileFrameFirst = 0;
  CompileFrameEnd = 7;
  CheckItems(KindNum, {
      {0, "ExecNumGlobal 1 -1 0\n", "global"},
      {1, "ExecNumGlobalListItem 2 0 0\n", "global list element: its first copy, the list's record"},
      {2, "ExecNumLocal 5 -1 0\n", "local"},
      {3, "ExecNumLocalListItem 4 1 0\n", "local list element"},
      {4, "fails", "a local of another function"},
      {5, "fails", "a global whose entry is outside Numbers"},
      {6, "fails", "a GLOBAL index outside the table"},
      {7, "fails", "a local without initial value (it holds a slot)"},
      {8, "fails", "a LOCAL index outside the table"},
      {9, "fails", "no reference"},
  });
  PendingLocalCounts[PendingNum] = 2;
  PendingLocalCounts[PendingLists] = 1;
  EXPECT_EQ("ExecNumLocalListItem 6 2 0\n", CompileAlone(KindNum, 3)) << "a read adds the pending counts";
  EXPECT_EQ("ExecCmdSetNumLocalListItem 4 1 0\nExecNumConst 1 0\n", CompileAlone(KindCmd, 10))
      << "an assignment adds none";
}

// list_size, list_index and list_auto refer to a list's items with the same
// checks as variables.
TEST_F(CompileCalls, ListStateReferences) {
  Numbers.Append(2);
  Global.Parse({"56", "  255", "    17", "    17", "    17", "  256 d6:0", "  257", "  43 d6:0", "43 d6:0"});
  Local.Parse({"47 d4:0", "  56", "    255", "      20", "    256", "47", "  56", "    257"});
  Program.Parse({"255 g1", "256 g5", "257 g6", "255 l2", "256 l4", "256 l7", "255 g99", "257 l99", "257",
                 "255 g8", "256 l4", "  19", "257 g6", "  18"});
  Link();
  CompileFrameFirst = 0;
  CompileFrameEnd = 5;
  CheckItems(KindNum, {
      {0, "ExecNumConst 1 0\n", "list_size of a global list whose size reads 0"},
      {1, "ExecNumListIndexGlobal 0 0 0\n", "global list_index"},
      {2, "ExecNumListAutoGlobal 0 0 0\n", "global list_auto"},
      {3, "ExecNumConst 3 0\n", "list_size of a local list"},
      {4, "ExecNumListIndexLocal 0 1 0\n", "local list_index"},
      {5, "fails", "a list of another function"},
      {6, "fails", "a GLOBAL index outside the table"},
      {7, "fails", "a LOCAL index outside the table"},
      {8, "fails", "no reference"},
      {9, "fails", "an item of no list"},
  });
  PendingLocalCounts[PendingLists] = 2;
  EXPECT_EQ("ExecNumListIndexLocal 0 3 0\n", CompileAlone(KindNum, 4)) << "read inside an argument";
  EXPECT_EQ("ExecCmdSetListIndexLocal 0 1 0\nExecNumConst 2 0\n", CompileAlone(KindCmd, 10))
      << "commands add no pending count";
  EXPECT_EQ("ExecCmdSetListAutoGlobal 0 0 0\nExecNumConst 1 0\n", CompileAlone(KindCmd, 12));
}

}  // namespace
