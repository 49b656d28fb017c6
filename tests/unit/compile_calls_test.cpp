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
  Assemble(R"(
global
  function -> main_def
  f: function -> f_def
local
  main_def: function -> main_body
  f_def: function -> f_body
program
  main_body: function
    @f
  f_body: function
)");
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
  t.Assemble(R"(
global
  function -> main_def
  f: function -> f_def
  g: real datatable=6 dataindex=0
local
  main_def: function -> main_body
  f_def: function -> f_body
    iparam
      a: real datatable=6 dataindex=1
    oparam
      r: real datatable=6 dataindex=2
      s: text datatable=7 dataindex=0
    b: real datatable=6 dataindex=3
program
  main_body: function
    @g
      @f
        @b
          2
        @a
          #999
        @b
          3
  f_body: function
    exit
)");
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
  Assemble(R"(
global
  main: function -> main_def
local
  main_def: function -> main_body
    iparam
      real datatable=6 dataindex=0
program
  main_body: @main
)");
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
  Assemble(R"(
global
  function -> main_def
  f: function -> f_def
local
  main_def: function -> main_body
    x: real datatable=6 dataindex=0
    t: text datatable=7 dataindex=0
  f_def: function -> f_body
    real datatable=6 dataindex=0
    real datatable=6 dataindex=0
    a: real datatable=6 dataindex=0
    b: text datatable=7 dataindex=0
program
  main_body: function
    @f
      @a
        @x
      @b
        @t
  f_body: function
)");
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
  Assemble(R"(
global
  function -> main_def
  f: function -> f_def
local
  main_def: function -> main_body
  f_def: function -> f_body
    list
      list_size 3
      a: real datatable=6 dataindex=0
    list
      b: real datatable=6 dataindex=0
program
  main_body: function
    @f
      @a
        1
      @b
        2
  f_body: function
)");
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
  Assemble(R"(
global
  function -> main_def
  function -> nested_def
local
  main_def: function -> main_body
    x: real datatable=6 dataindex=0
    nested_def: function -> nested_body
  function -> f_body
program
  main_body: function
    @nested_def
  nested_body: function
    @x
      f_body: 0
  function
    @nested_def
    @x
      1
)");
  Numbers.Append(0);
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
  Assemble(R"(
local
  function -> main_body
    real datatable=6 dataindex=0
program
  main_body: function
    break
)");
  Numbers.Append(3);
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
  const char* Source;
  const char* Expected;  // the whole code
};

TEST_F(CompileCalls, WithoutAnEntryCallTheRunStartsAtStepZero) {
  const EntryCase cases[] = {
      {"no function", "program\n  function\n    break\n", "ExecCmdSingle 0 -1 0\nExecCmdBreak 0 -1 1\n"},
      {"main names no body", "local\n  function datatable=4 dataindex=7\nprogram\n  function\n    break\n",
       "ExecCmdSingle 0 -1 0\nExecCmdBreak 0 -1 1\n"},
      {"main is no definition", "local\n  real datatable=6 dataindex=0\nprogram\n  function\n",
       "DoNothing -1 -1 0\n"},
      {"nothing at all", "", "DoNothing 0 -1 0\n"},
      {"a switched-off body", "program\n  function off\n    break\n", "DoNothing 0 -1 0\n"},
  };
  for (const EntryCase& c : cases) {
    SetUp();
    Assemble(c.Source);
    ASSERT_TRUE(Compile()) << c.What;
    EXPECT_EQ(0, EntryCallIndex) << c.What;
    EXPECT_EQ(c.Expected, Listing()) << c.What;
  }
}

// A call whose body is a PROGRAM item inside another body has no compiled
// start of its own: the image is rejected.
TEST_F(CompileCalls, CalleeBodyInsideAnotherBodyRejectsTheImage) {
  Assemble(R"(
global
  function -> main_def
  f: function -> f_def
local
  main_def: function -> main_body
  f_def: function -> f_body
program
  main_body: function
    @f
    f_body: break
)");
  EXPECT_FALSE(Compile());
}

TEST_F(CompileCalls, CallsThatDoNotResolve) {
  Assemble(R"(
global
  function -> main_def
  to_nested: function -> nested
  outside: function datatable=3 dataindex=9
  variable: real datatable=6 dataindex=0
local
  main_def: function -> main_body
    nested: function -> nested_body
  function
    other_nested: function -> nested_body
program
  main_body: function
  nested_body: @to_nested
  @outside
  function @variable
  function reftable=2 refindex=99
  @nested
  @other_nested
  function
)");
  Numbers.Append(0);
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
  Assemble(R"(
global
  function -> main_def
  g: real datatable=6 dataindex=1
  list
    list_size 2
    gl: real datatable=6 dataindex=0
  outside: real datatable=6 dataindex=7
  text datatable=7 dataindex=0
local
  main_def: function -> main_body
    l: real datatable=6 dataindex=0
    list
      list_size 3
      ll: real datatable=6 dataindex=1
    no_value: real
  function -> other_body
    other: real datatable=6 dataindex=0
program
  main_body: @g
  @gl
  @l
  @ll
  @other
  @outside
  real reftable=2 refindex=99
  @no_value
  real reftable=3 refindex=99
  other_body: real
  @ll
    1
)");
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
  Assemble(R"(
global
  list
    size: list_size 000
    index: list_index datatable=6 dataindex=0
    auto: list_auto
    real datatable=6 dataindex=0
  plain: real datatable=6 dataindex=0
local
  function -> main_body
    list
      local_size: list_size 3
      local_index: list_index
  function
    list
      other_auto: list_auto
program
  main_body: @size
  @index
  @auto
  @local_size
  @local_index
  list_index @other_auto
  list_size reftable=2 refindex=99
  list_auto reftable=3 refindex=99
  list_auto
  list_size @plain
  @local_index
    2
  @auto
    1
)");
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
