// Lists of variables run as compiled programs: the auto step of element
// reads and assignments, list_index and list_auto as commands and numbers,
// list_size, and local lists read inside a call's arguments.
#include "expression_fixture.h"

namespace {

// A global list of five numbers 10, 11, 12, 13, 14 (element k is 10 + k)
// with the declared index and auto step, and outputs o1 .. o3.
const char* const ListProgram = R"(
global
  main: function -> main_def
  o1: real = -1
  o2: real = -1
  o3: real = -1
  nan: real = nan
  items: list
    gsize: list_size 5
    gidx: list_index = %INDEX%
    gauto: list_auto = %AUTO%
    item: real = 0
local
  main_def: function -> main_body
program
  main_body: function
%BODY%
)";

struct ListCase {
  const char* Index;
  const char* Auto;
  const char* Body;
  double O1, O2, O3;
};

class ExecLists : public ProgramTest {
 public:
  double Out[3];
  int32_t Items;

  bool RunList(const ListCase& c) {
    SetUp();
    std::string source = ListProgram;
    source.replace(source.find("%INDEX%"), 7, c.Index);
    source.replace(source.find("%AUTO%"), 6, c.Auto);
    source.replace(source.find("%BODY%"), 6, ExpressionLines(c.Body, 2));
    if (!LoadTestProgram(source)) return false;
    Items = GlobalItemLinks[10].DataIndex;
    for (int32_t k = 0; k < 5; k++) Numbers[Items + k] = 10 + k;
    if (!CompileProgram()) return false;
    Run();
    for (int32_t i = 0; i < 3; i++) Out[i] = Numbers[GlobalItemLinks[1 + i].DataIndex];
    return true;
  }

  void Check(const ListCase* cases, size_t count) {
    for (size_t i = 0; i < count; i++) {
      const ListCase& c = cases[i];
      ASSERT_TRUE(RunList(c)) << c.Body;
      EXPECT_EQ(c.O1, Out[0]) << "o1 of index " << c.Index << " auto " << c.Auto << ": " << c.Body;
      EXPECT_EQ(c.O2, Out[1]) << "o2 of index " << c.Index << " auto " << c.Auto << ": " << c.Body;
      EXPECT_EQ(c.O3, Out[2]) << "o3 of index " << c.Index << " auto " << c.Auto << ": " << c.Body;
    }
  }
};
#define CHECK_CASES(cases) Check(cases, sizeof cases / sizeof cases[0])

TEST_F(ExecLists, ElementReadsAdvance) {
  const char* readTwice = "(@o1 (@item)) (@o2 (@gidx)) (@o3 (@item))";
  const ListCase cases[] = {
      {"4", "1", readTwice, 14, 0, 10},
      {"0", "-1", readTwice, 10, 4, 14},
      {"2", "0", readTwice, 12, 2, 12},
      {"1", "2", readTwice, 11, 3, 13},
      // A declared step may be any 32-bit value; index + step wraps in 32
      // bits before it is wrapped into the list: 4 + (2^31 - 1) is
      // -2^31 + 3, which wraps to 0 (the unbounded sum would give 1).
      {"4", "2147483647", readTwice, 14, 0, 10},
      {"0", "-2147483648", readTwice, 10, 2, 12},
      // Reading the index or the step never advances the list.
      {"1", "1", "(@o1 (@gidx)) (@o2 (@gauto)) (@o3 (@gidx))", 1, 1, 1},
      {"3", "0", "(@o1 (@gsize))", 5, -1, -1},
  };
  CHECK_CASES(cases);
}

// The target is fixed before the value is evaluated; the list then advances
// once for the read inside the value and once more for the assignment.
TEST_F(ExecLists, AssignmentsAdvance) {
  const ListCase cases[] = {
      {"1", "1", "(@item (+ (@item) (num 100))) (@o1 (@gidx)) (@gidx (1)) (@gauto (0)) (@o2 (@item))", 3, 111, -1},
      {"4", "1", "(@item (num 7)) (@o1 (@gidx)) (@gidx (4)) (@o2 (@item))", 0, 7, -1},
      {"2", "0", "(@item (num 7)) (@o1 (@gidx)) (@o2 (@item))", 2, 7, -1},
  };
  CHECK_CASES(cases);
}

TEST_F(ExecLists, SetIndexAndStep) {
  const ListCase cases[] = {
      {"0", "0", "(@gidx (num 7)) (@o1 (@gidx)) (@o2 (@item))", 2, 12, -1},
      {"0", "0", "(@gidx (num -1)) (@o1 (@gidx))", 4, -1, -1},
      {"0", "0", "(@gidx (num -6)) (@o1 (@gidx))", 4, -1, -1},
      {"0", "0", "(@gidx (num 2.5)) (@o1 (@gidx))", 2, -1, -1},
      {"0", "0", "(@gidx (num 1e10)) (@o1 (@gidx))", 2, -1, -1},
      {"0", "0", "(@gidx (@nan)) (@o1 (@gidx))", 2, -1, -1},
      {"0", "0", "(@gauto (num 7)) (@o1 (@gauto))", 2, -1, -1},
      {"0", "0", "(@gauto (num -7)) (@o1 (@gauto))", -2, -1, -1},
      {"0", "0", "(@gauto (num -5)) (@o1 (@gauto))", 0, -1, -1},
      {"0", "0", "(@gauto (num 3)) (@o1 (@gauto))", 3, -1, -1},
      {"0", "0", "(@gauto (num 1e10)) (@o1 (@gauto))", -3, -1, -1},
      {"0", "0", "(@gauto (num 3)) (@o1 (@item)) (@o2 (@item)) (@o3 (@gidx))", 10, 13, 1},
  };
  CHECK_CASES(cases);
}

// main's local list (index 2, step 3, element 2 set to 9) read inside the
// arguments of f, whose own list record is pushed before its parameters: the
// reads of the index, the step and the element must still address main's
// list, and the element read moves main's list on.
TEST_F(ExecLists, LocalListStateInArguments) {
  ASSERT_TRUE(LoadTestProgram(R"(
global
  main: function -> main_def
  f: function -> f_def
  o1: real = -1
  o2: real = -1
local
  main_def: function -> main_body
    l: list
      lidx: list_index = 2
      lsize: list_size 4
      lauto: list_auto = 3
      le: real = 0
  f_def: function -> f_body
    list
      list_size 2
      list_index = 1
      fe: real = 0
    iparam
      x: real = 0
      y: real = 0
      z: real = 0
    oparam
      fr: real = 0
program
  main_body: function
    @lidx
      2
    @le
      num 9
    @lidx
      2
    @o1
      @f
        @x
          @lidx
        @y
          @lauto
        @z
          @le
    @o2
      +
        @lidx
        *
          @lauto
          num 10
        *
          @lsize
          num 100
  f_body: function
    @fr
      +
        @x
        *
          @y
          num 10
        *
          @z
          num 100
)"));
  ASSERT_TRUE(CompileProgram());
  Run();
  EXPECT_EQ(932, Numbers[GlobalItemLinks[2].DataIndex]) << "index 2, step 3 and element 2 of main's list";
  EXPECT_EQ(431, Numbers[GlobalItemLinks[3].DataIndex]) << "the element read moved main's list to 1";
}

}  // namespace
