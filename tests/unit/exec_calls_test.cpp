// User function calls run in-process: frames pushed and popped in balance
// (also while the program unwinds), results copied before the pop, the depth
// budget, nested functions, and local accesses outside the lists.
#include "program_fixture.h"

namespace {

class ExecCalls : public ProgramTest {
 public:
  int32_t Counts[4];
  void RememberCounts() {
    Counts[0] = Numbers.Count;
    Counts[1] = Texts.Count;
    Counts[2] = Logics.Count;
    Counts[3] = ListRecords.Count;
  }
  void ExpectCountsKept(const char* what) {
    EXPECT_EQ(Counts[0], Numbers.Count) << what;
    EXPECT_EQ(Counts[1], Texts.Count) << what;
    EXPECT_EQ(Counts[2], Logics.Count) << what;
    EXPECT_EQ(Counts[3], ListRecords.Count) << what;
  }
  void CompileAndRun() {
    ASSERT_TRUE(Compile());
    RememberCounts();
    Run();
  }
};

// main waits, then calls itself: 200 bodies run, main's included.
TEST_F(ExecCalls, DepthBudget) {
  Numbers.Append(1);
  Assemble(R"(
global
  main: function -> main_def
local
  main_def: function -> main_body
    real datatable=6 dataindex=0
    list
      real datatable=6 dataindex=0
program
  main_body: function
    wait
    @main
)");
  CompileAndRun();
  EXPECT_EQ(200, Fake.Waits);
  EXPECT_EQ(CallDepthLimit, CallDepthBudget);
  ExpectCountsKept("after the calls");
}

// g := f(): f's result r starts at 5 and f sets it to 7 unless the budget
// keeps its body from running.
class ExecValueCall : public ExecCalls {
 public:
  void Define() {
    Numbers.Append(0);  // g
    Numbers.Append(5);  // r's initial value
    Assemble(R"(
global
  function -> main_def
  f: function -> f_def
  g: real datatable=6 dataindex=0
local
  main_def: function -> main_body
  f_def: function -> f_body
    oparam
      r: real datatable=6 dataindex=1
program
  main_body: function
    @g
      @f
  f_body: function
    @r
      @g
    @r
      num textindex=0
)");
    Texts.Append(Text("7"));
  }
};

TEST_F(ExecValueCall, ResultIsCopiedBeforeThePop) {
  Define();
  CompileAndRun();
  EXPECT_EQ(7, Numbers[0]);
  ExpectCountsKept("after the call");
}

TEST_F(ExecValueCall, AtTheLimitTheResultKeepsItsInitialValue) {
  Define();
  CallDepthBudget = 1;  // main's body only
  CompileAndRun();
  EXPECT_EQ(5, Numbers[0]);
  EXPECT_EQ(1, CallDepthBudget);
  ExpectCountsKept("after the call");
}

// g := f() for the logic and object kinds: f's result r lies between two
// other locals of its kind (before, declared first, and after, on top of the
// frame) and starts as the first value, which the global w also holds; f's
// body sets r from the global v, the second value. g starts as a value of
// its own (a variable without one has no entry). The first map is the main
// map, whose assignment makes a private copy, so g is another.
const char* const KindCallProgram = R"(
map mainmap w=2 h=2
map level0 w=2 h=2
map level w=2 h=2
map level2 w=2 h=2
map level3 w=2 h=2
background sky0 w=8 h=4 fill=5
background sky w=8 h=4 fill=5
background sky2 w=8 h=4 fill=5
background sky3 w=8 h=4 fill=5
sound beep0 rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
sound beep rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
sound beep2 rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
sound beep3 rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
music tune0
  notes 60
music tune
  notes 60
music tune2
  notes 60
music tune3
  notes 60
global
  main: function -> main_def
  f: function -> f_def
  g: %K% = %0%
  v: %K% = %2%
  w: %K% = %1%
local
  main_def: function -> main_body
  f_def: function -> f_body
    before: %K% = %3%
    oparam
      r: %K% = %1%
    after: %K% = %3%
program
  main_body: function
    @g
      @f
  f_body: function
    @r
      @v
)";

class ExecKindCall : public ExecCalls {
 public:
  std::string Kind;
  int32_t KindCountBefore;
  // Runs main with the depth budget given; false when it does not load or compile.
  bool RunCall(const char* kind, const char* start, const char* initial, const char* set, const char* others,
               int32_t budget) {
    SetUp();
    Kind = kind;
    std::string source = KindCallProgram;
    const char* marks[][2] = {{"%K%", kind}, {"%0%", start}, {"%1%", initial}, {"%2%", set}, {"%3%", others}};
    for (auto& m : marks)
      for (size_t at; (at = source.find(m[0])) != std::string::npos;) source.replace(at, 3, m[1]);
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    CallDepthBudget = budget;
    RememberCounts();
    KindCountBefore = KindCount();
    Run();
    return true;
  }
  // What global item holds: a logic byte, or the record of an object kind.
  uintptr_t ValueOf(int32_t item) const {
    int32_t i = GlobalItemLinks[item].DataIndex;
    if (Kind == "logic") return Logics[i];
    if (Kind == "map") return (uintptr_t)Maps[i].Held();
    if (Kind == "background") return (uintptr_t)Pictures[i].Held();
    if (Kind == "sound") return (uintptr_t)Sounds[i].Held();
    return (uintptr_t)Musics[i].Held();
  }
  int32_t KindCount() const {
    if (Kind == "logic") return Logics.Count;
    if (Kind == "map") return Maps.Count;
    if (Kind == "background") return Pictures.Count;
    if (Kind == "sound") return Sounds.Count;
    return Musics.Count;
  }
};

// The result is the value the body set, taken from r's entry; at the depth
// limit the body does not run and the result is r's initial value.
TEST_F(ExecKindCall, ValueCallsDeliverTheResult) {
  const struct {
    const char* Kind;
    const char* Start[2];  // g's initial value when the body runs and at the limit
    const char* Initial;  // r's initial value (and w's)
    const char* Set;      // what f's body sets r to (v's value)
    const char* Others;   // before and after
  } cases[] = {
      {"logic", {"false", "true"}, "false", "true", "false"},
      {"map", {"level0", "level0"}, "level2", "level", "level3"},
      {"background", {"sky0", "sky0"}, "sky2", "sky", "sky3"},
      {"sound", {"beep0", "beep0"}, "beep2", "beep", "beep3"},
      {"music", {"tune0", "tune0"}, "tune2", "tune", "tune3"},
  };
  for (auto& c : cases)
    for (int32_t budget : {CallDepthLimit, 1}) {
      std::string what = std::string(c.Kind) + (budget == 1 ? " at the depth limit" : "");
      ASSERT_TRUE(RunCall(c.Kind, c.Start[budget == 1], c.Initial, c.Set, c.Others, budget)) << what;
      ASSERT_NE(ValueOf(3), ValueOf(4)) << "v and w differ; " << what;
      ASSERT_NE(GlobalItemLinks[2].DataIndex, GlobalItemLinks[budget == 1 ? 4 : 3].DataIndex) << what;
      EXPECT_EQ(ValueOf(budget == 1 ? 4 : 3), ValueOf(2)) << what;
      EXPECT_EQ(budget, CallDepthBudget) << what;
      EXPECT_EQ(0u, ExecFlags) << what;
      ExpectCountsKept(what.c_str());
      EXPECT_EQ(KindCountBefore, KindCount()) << "the frame is popped; " << what;
    }
}

// A text argument is the callee's own local: changing it leaves the
// caller's variable; the text result is shared with what the callee held.
TEST_F(ExecCalls, TextArgumentsAndResults) {
  Texts.Append(Text("caller"));
  Texts.Append(Text("inside"));
  Texts.Append(Text(""));
  Texts.Append(Text(""));
  Assemble(R"(
global
  function -> main_def
  f: function -> f_def
  caller: text datatable=7 dataindex=0
  result: text datatable=7 dataindex=3
local
  main_def: function -> main_body
  f_def: function -> f_body
    iparam
      a: text datatable=7 dataindex=2
    oparam
      r: text datatable=7 dataindex=2
program
  main_body: function
    @result
      @f
        @a
          @caller
  f_body: function
    @a
      text_const textindex=1
    @r
      @a
)");
  CompileAndRun();
  EXPECT_TRUE(Texts[0].EqualsChars("caller"));
  EXPECT_TRUE(Texts[3].EqualsChars("inside"));
  EXPECT_EQ(Texts[4].Data, Texts[3].Data) << "the result shares the constant's record";
  ExpectCountsKept("after the call");
}

// Arguments are evaluated in declaration order, each after the pushes of the
// locals before it: b := a's argument reads the caller's local y at slot + 1.
const char* const ArgumentsProgram = R"(
global
  function -> main_def
  f: function -> f_def
  g: real datatable=6 dataindex=0
local
  main_def: function -> main_body
    y: real datatable=6 dataindex=1
  f_def: function -> f_body
    a: real datatable=6 dataindex=2
    b: real datatable=6 dataindex=2
program
  main_body: function
    @f
      @b
        @y
  f_body: function
    @g
      @b
)";

TEST_F(ExecCalls, ArgumentsSeeTheCallersLocals) {
  Numbers.Append(0);   // g
  Numbers.Append(42);  // y's initial value
  Numbers.Append(0);
  Assemble(ArgumentsProgram);
  CompileAndRun();
  EXPECT_EQ(42, Numbers[0]);
  ExpectCountsKept("after the call");
}

// The same call with the list filled up to its first capacity: for one of
// the fillings each push of the two frames (main's y, then f's locals) is
// the one that grows the list, and the argument still comes through.
TEST_F(ExecCalls, FramesPushedAcrossTheListsGrowth) {
  Numbers.Append(0);
  Numbers.Append(42);
  Numbers.Append(0);
  Assemble(ArgumentsProgram);
  ASSERT_TRUE(Compile());
  for (int32_t fill = 500; fill <= 512; fill++) {
    SCOPED_TRACE(fill);
    Numbers.RemoveAll();  // the next append allocates the first capacity
    Numbers.Append(0);    // g
    Numbers.Append(42);   // y's initial value
    Numbers.Append(0);
    while (Numbers.Count < fill) Numbers.Append(-1);
    RememberCounts();
    Run();
    EXPECT_EQ(42, Numbers[0]);
    ExpectCountsKept("after the call");
  }
}

// A local without an initial value is pushed with the default, so the slots
// of the locals before it still fit.
TEST_F(ExecCalls, LocalWithoutInitialValueHoldsItsSlot) {
  Numbers.Append(0);
  Numbers.Append(42);
  Assemble(R"(
global
  g: real datatable=6 dataindex=0
local
  function -> main_body
    y: real datatable=6 dataindex=1
    real
program
  main_body: function
    @g
      @y
)");
  CompileAndRun();
  EXPECT_EQ(42, Numbers[0]);
  ExpectCountsKept("after main");
}

// A function defined among main's locals works on main's frame.
TEST_F(ExecCalls, NestedFunctionUsesTheCallersFrame) {
  Numbers.Append(0);
  Numbers.Append(3);
  Assemble(R"(
global
  function -> main_def
  g: real datatable=6 dataindex=0
local
  main_def: function -> main_body
    x: real datatable=6 dataindex=1
    nested: function -> nested_body
program
  main_body: function
    @nested
    @g
      @x
  nested_body: function
    @x
      2
    exit
    @x
      3
)");
  CompileAndRun();
  EXPECT_EQ(2, Numbers[0]);
  EXPECT_EQ(0u, ExecFlags) << "exit ended the nested function only";
  ExpectCountsKept("after the call");
}

// Quit set while a call pushes its frame (an argument waits) or while its
// body runs: the frame is still pushed and popped whole.
TEST_F(ExecCalls, FramesBalanceWhileUnwinding) {
  const struct {
    int32_t QuitAtWait;
    int32_t Waits;
  } cases[] = {{1, 1}, {2, 2}};
  for (auto& c : cases) {
    SetUp();
    Numbers.Append(0);
    Texts.Append(Text());
    Assemble(R"(
global
  function -> main_def
  f: function -> f_def
  w: function -> w_def
  g: real datatable=6 dataindex=0
local
  main_def: function -> main_body
    x: real datatable=6 dataindex=0
  f_def: function -> f_body
    a: real datatable=6 dataindex=0
    real datatable=6 dataindex=0
    text datatable=7 dataindex=0
  w_def: function -> w_body
    oparam
      real datatable=6 dataindex=0
program
  main_body: function
    @f
      @a
        @w
    @g
      @x
    wait
    wait
  f_body: function
    wait
  w_body: function
    wait
)");
    Fake.QuitAtWait = c.QuitAtWait;
    CompileAndRun();
    EXPECT_EQ(c.Waits, Fake.Waits) << "quit at wait " << c.QuitAtWait;
    EXPECT_EQ(ExecFlagQuit, ExecFlags);
    ExpectCountsKept("quit during a call");
  }
}

// When the entry call does not compile the run starts at step 0, main's body
// without a frame: its locals lie outside the lists, reads give 0 and writes
// change nothing.
TEST_F(ExecCalls, LocalsOutsideTheListsWithoutAFrame) {
  Numbers.Append(7);
  Assemble(R"(
global
  g: real datatable=6 dataindex=0
local
  function
  function -> main_body
    x: real datatable=6 dataindex=0
    real datatable=6 dataindex=0
    list
      list_size 2
      xl: real datatable=6 dataindex=0
program
  main_body: function
    @x
      1
    @g
      @x
    @xl
      1
    @g
      @xl
)");
  ASSERT_TRUE(Compile());
  ASSERT_EQ(0, EntryCallIndex);
  RememberCounts();
  Run();
  EXPECT_EQ(0, Numbers[0]);
  ExpectCountsKept("no frame");
}

// A local list of size 3 starts as three copies of the initial value; its
// elements are read in turn with the list's auto step.
TEST_F(ExecCalls, LocalListsAndTheirRecords) {
  Numbers.Append(0);
  Numbers.Append(4);
  Numbers.Append(1);
  Numbers.Append(0);
  Assemble(R"(
global
  function -> main_def
  g1: real datatable=6 dataindex=0
  g2: real datatable=6 dataindex=3
local
  main_def: function -> main_body
    list
      list_size 3
      index: list_index
      list_auto datatable=6 dataindex=2
      x: real datatable=6 dataindex=1
program
  main_body: function
    @x
      1
    @x
      2
    @g1
      @x
    @index
      4
    @g2
      @x
)");
  CompileAndRun();
  EXPECT_EQ(4, Numbers[0]) << "elements 0 and 1 were set, element 2 kept its initial value";
  EXPECT_EQ(2, Numbers[3]) << "list_index 4 wraps to 1";
  ExpectCountsKept("after main");
}

}  // namespace
