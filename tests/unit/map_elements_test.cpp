// Map elements run as compiled programs: sizes, the icon, values and flags of
// a cell (0, false or the empty icon outside), pasting blocks at every
// clipping edge, and new maps.
#include <string>
#include "expression_fixture.h"

namespace {

// The main map is level (4 x 3), and m is that variable; src holds 1 + x +
// 10 y in each cell. A variable with an initial value is the constant's own
// entry, so each variable has a constant of its own.
const char* const MapProgram = R"(
picture ball fill=7
picture ring fill=9
picture spare fill=11
map level w=4 h=3 icon=ball param=0
  cell 1 1 icon=ring param=0xFFFFFFFF
  cell 2 0 icon=ball param=0x10301C05
map small w=3 h=3 icon=ring param=0
  cell 0 0 icon=ring param=1
  cell 1 0 icon=ring param=2
  cell 2 0 icon=ring param=3
  cell 0 1 icon=ring param=11
  cell 1 1 icon=spare param=12
  cell 2 1 icon=ring param=13
  cell 0 2 icon=ring param=21
  cell 1 2 icon=ring param=22
  cell 2 2 icon=ring param=23
map blank w=4 h=3 icon=ball param=0
map blank2 w=4 h=3 icon=ball param=0
global
  main: function -> main_def
  r: real = 0
  b: logic = false
  m: map = level
  src: map = small
  dst: map = blank
  out: map = blank2
  ic: picture = spare
  nan: real = nan
local
  main_def: function -> main_body
program
  main_body: function
%CMD%
)";

class MapElements : public ProgramTest {
 public:
  // Runs main with the commands; false when the program does not load or compile.
  bool RunCommands(const std::string& commands) {
    SetUp();
    std::string source = MapProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    Run();
    return true;
  }
  // The entry of the k-th global item in its value list.
  static int32_t Entry(int32_t k) { return GlobalItemLinks[k].DataIndex; }
  double R() { return Numbers[Entry(1)]; }
  uint8_t B() { return Logics[Entry(2)]; }
  static Map& Var(int32_t k) { return Maps[Entry(k)]; }
  static Map& Dst() { return Var(5); }
  static Map& Out() { return Var(6); }
  static Icon& Ic() { return Icons[Entry(7)]; }

  double Num(const std::string& expression) { return RunCommands("(@r " + expression + ")") ? R() : -12345; }
  int Bool(const std::string& expression) { return RunCommands("(@b " + expression + ")") ? B() : -1; }

  // The parameter words row by row, rows separated by " | ".
  static std::string Params(const Map& map) {
    std::string s;
    for (int32_t y = 0; y < map.Height(); y++) {
      if (y) s += " |";
      for (int32_t x = 0; x < map.Width(); x++) s += " " + std::to_string(map.Cell(x, y).Param);
    }
    return s;
  }
};

std::string Cell(const char* element, const char* map, const char* x, const char* y) {
  std::string s = std::string("(") + element;
  if (map) s += std::string(" (map_cell_map (") + map + "))";
  return s + " (map_cell_x (" + x + ")) (map_cell_y (" + y + ")))";
}

TEST_F(MapElements, Sizes) {
  EXPECT_EQ(4, Num("(map_width)")) << "the main map";
  EXPECT_EQ(3, Num("(map_height)"));
  EXPECT_EQ(3, Num("(map_width (@src))"));
  EXPECT_EQ(3, Num("(map_height (@src))"));
}

TEST_F(MapElements, CellValues) {
  struct Case {
    const char* Element;
    const char* X;
    const char* Y;
    double Expected;
  };
  const Case cases[] = {
      {"map_cell_value1", "1", "1", 1023}, {"map_cell_value2", "1", "1", 1023}, {"map_cell_value3", "1", "1", 127},
      {"map_cell_value1", "2", "0", 5},    {"map_cell_value2", "2", "0", 7},    {"map_cell_value3", "2", "0", 3},
      {"map_cell_value1", "num -1", "0", 0}, {"map_cell_value1", "4", "0", 0},  {"map_cell_value2", "1", "3", 0},
      {"map_cell_value3", "1", "num -1", 0}, {"map_cell_value1", "@nan", "1", 0}, {"map_cell_value1", "num 1.4", "num 0.6", 1023},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.Expected, Num(Cell(c.Element, "@m", c.X, c.Y))) << c.Element << " at " << c.X << ", " << c.Y;
    EXPECT_EQ(c.Expected, Num(Cell(c.Element, nullptr, c.X, c.Y))) << c.Element << " of the main map";
  }
  EXPECT_EQ(12, Num(Cell("map_cell_value1", "@src", "1", "1")));
}

TEST_F(MapElements, CellFlags) {
  struct Case {
    const char* Element;
    const char* X;
    const char* Y;
    int Expected;
  };
  const Case cases[] = {
      {"map_cell_flag1", "1", "1", 1}, {"map_cell_flag2", "1", "1", 1}, {"map_cell_flag3", "1", "1", 1}, {"map_cell_flag4", "1", "1", 1},
      {"map_cell_flag5", "1", "1", 1}, {"map_cell_flag1", "2", "0", 0}, {"map_cell_flag2", "2", "0", 1}, {"map_cell_flag3", "2", "0", 0},
      {"map_cell_flag5", "2", "0", 0}, {"map_cell_flag5", "num -1", "1", 0}, {"map_cell_flag5", "1", "3", 0}, {"map_cell_flag2", "@nan", "0", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Expected, Bool(Cell(c.Element, "@m", c.X, c.Y))) << c.Element << " at " << c.X << ", " << c.Y;
}

TEST_F(MapElements, CellIcon) {
  ASSERT_TRUE(RunCommands("(@ic " + Cell("map_cell_icon", "@src", "1", "1") + ")"));
  EXPECT_EQ(Var(4).Cell(1, 1).Icon.Held(), Ic().Held()) << "a shared copy of the cell's icon";
  EXPECT_NE(EmptyIcon.Held(), Ic().Held());
  ASSERT_TRUE(RunCommands("(@ic " + Cell("map_cell_icon", nullptr, "1", "1") + ")"));
  EXPECT_EQ(Maps[0].Cell(1, 1).Icon.Held(), Ic().Held()) << "the main map by default";
  const char* outside[][2] = {{"3", "0"}, {"num -1", "0"}, {"0", "3"}, {"@nan", "@nan"}};
  for (const auto& o : outside) {
    ASSERT_TRUE(RunCommands("(@ic " + Cell("map_cell_icon", "@src", o[0], o[1]) + ")"));
    EXPECT_EQ(EmptyIcon.Held(), Ic().Held()) << o[0] << ", " << o[1];
  }
}

// The target is blank (4 x 3, every word 0); src is 3 x 3 with words
// 1 2 3 | 11 12 13 | 21 22 23, rows from the bottom.
TEST_F(MapElements, PasteBlockClipsToBothMaps) {
  struct Case {
    const char *X, *Y, *SourceX, *SourceY, *W, *H;  // null: the default
    const char* Expected;                           // null: the target unchanged
  };
  const Case cases[] = {
      {"num -1", "num -1", "0", "0", "3", "3", " 12 13 0 0 | 22 23 0 0 | 0 0 0 0"},
      {"1", "0", "0", "0", nullptr, nullptr, " 0 1 2 3 | 0 11 12 13 | 0 21 22 23"},
      {"0", "0", "0", "1", nullptr, nullptr, " 11 12 13 0 | 21 22 23 0 | 0 0 0 0"},
      {"0", "0", "num -2", "0", nullptr, nullptr, " 0 0 1 2 | 0 0 11 12 | 0 0 21 22"},
      {"0", "0", "0", "num -1", "2", "2", " 0 0 0 0 | 1 2 0 0 | 0 0 0 0"},
      {"3", "2", "0", "0", nullptr, nullptr, " 0 0 0 0 | 0 0 0 0 | 0 0 0 1"},
      {"1", "1", "1", "1", "1", "1", " 0 0 0 0 | 0 12 0 0 | 0 0 0 0"},
      {"4", "0", "0", "0", nullptr, nullptr, nullptr},
      {"0", "3", "0", "0", nullptr, nullptr, nullptr},
      {"0", "0", "3", "0", nullptr, nullptr, nullptr},
      {"0", "0", "0", "3", nullptr, nullptr, nullptr},
      {"0", "0", "num -5", "0", nullptr, nullptr, nullptr},
      {"num -3", "0", "0", "0", "3", nullptr, nullptr},
      {"0", "0", "0", "0", "0", nullptr, nullptr},
      {"0", "0", "0", "0", nullptr, "num -1", nullptr},
      {"@nan", "0", "0", "0", nullptr, nullptr, nullptr},
      {"0", "@nan", "0", "0", nullptr, nullptr, nullptr},
      {"0", "0", "@nan", "@nan", nullptr, nullptr, nullptr},
      {"num -3e9", "0", "0", "0", nullptr, nullptr, nullptr},
      {"0", "0", "0", "0", "num 1e10", "num 1e10", nullptr},
      {"num -2147483647", "num -2147483647", "num -2147483647", "num -2147483647", "num 2147483647",
       "num 2147483647", nullptr},
      {"num 2147483647", "0", "0", "0", nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    std::string e = "(map_paste (map_cell_map (@dst)) (map_cell_x (" + std::string(c.X) + ")) (map_cell_y (" + c.Y + ")) (map_paste_map (@src))";
    e += " (map_paste_x (" + std::string(c.SourceX) + ")) (map_paste_y (" + c.SourceY + "))";
    if (c.W) e += " (map_paste_w (" + std::string(c.W) + "))";
    if (c.H) e += " (map_paste_h (" + std::string(c.H) + "))";
    ASSERT_TRUE(RunCommands("(@out " + e + "))")) << e;
    EXPECT_EQ(" 0 0 0 0 | 0 0 0 0 | 0 0 0 0", Params(Dst())) << "the target variable is unchanged: " << e;
    if (c.Expected) {
      EXPECT_EQ(c.Expected, Params(Out())) << e;
      EXPECT_NE(Dst().Held(), Out().Held()) << "a private copy: " << e;
    } else {
      EXPECT_EQ(Dst().Held(), Out().Held()) << "the target itself: " << e;
    }
  }
}

TEST_F(MapElements, PastedCellsShareTheSourceIcons) {
  ASSERT_TRUE(RunCommands("(@out (map_paste (map_cell_map (@dst)) (map_paste_map (@src))))"));
  EXPECT_EQ(" 1 2 3 0 | 11 12 13 0 | 21 22 23 0", Params(Out()));
  EXPECT_EQ(Var(4).Cell(1, 1).Icon.Held(), Out().Cell(1, 1).Icon.Held());
  EXPECT_EQ(Dst().Cell(3, 0).Icon.Held(), Out().Cell(3, 0).Icon.Held());
  EXPECT_NE(Out().Cell(1, 1).Icon.Held(), Out().Cell(3, 0).Icon.Held());
}

TEST_F(MapElements, PasteIntoTheMainMapByDefault) {
  ASSERT_TRUE(RunCommands("(@out (map_paste (map_cell_x (1)) (map_cell_y (1)) (map_paste_map (@src)) (map_paste_w (1)) (map_paste_h (1))))"));
  EXPECT_EQ(" 0 0 271588357 0 | 0 1 0 0 | 0 0 0 0", Params(Out()));
  EXPECT_EQ(4294967295u, Maps[0].Cell(1, 1).Param) << "the main map itself is unchanged";
}

TEST_F(MapElements, NewMaps) {
  struct Case {
    const char* Operands;
    int32_t Width, Height;
  };
  const Case cases[] = {
      {"(map_new_w (0)) (map_new_h (0))", 4, 3},
      {"", 4, 3},
      {"(map_new_w (num 2.9)) (map_new_h (num 3.9))", 2, 3},
      {"(map_new_w (num -5)) (map_new_h (7))", 4, 7},
      {"(map_new_w (@nan)) (map_new_h (num 0.99))", 4, 3},
      {"(map_new_w (num 1e12)) (map_new_h (1))", 4, 1},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(RunCommands(std::string("(@out (map_new ") + c.Operands + "))")) << c.Operands;
    ASSERT_EQ(c.Width, Out().Width()) << c.Operands;
    ASSERT_EQ(c.Height, Out().Height()) << c.Operands;
    for (int32_t i = 0; i < c.Width * c.Height; i++) {
      EXPECT_EQ(Icons[0].Held(), Out().Data->Cells()[i].Icon.Held()) << c.Operands << " cell " << i;
      EXPECT_EQ(0u, Out().Data->Cells()[i].Param) << c.Operands << " cell " << i;
    }
    EXPECT_EQ(1, Out().Data->RefCount) << c.Operands;
  }
}

}  // namespace
