// Sprite variables and the main map in compiled programs: assigning a sprite
// keeps its place, property assignments and reads in the four forms, and the
// main map taking a private copy of what is assigned to it.
#include <math.h>
#include <vector>
#include "base/pi.h"
#include "expression_fixture.h"

namespace {

const char* const SpriteProgram = R"(
map level w=2 h=2
map other w=3 h=2
sprite hero phases=3 directions=4 rest=1 w=32 h=32 fill=3
sprite hero2 phases=2 directions=1 rest=2 w=32 h=32 fill=4
global
  main: function -> main_def
  o1: real = -1
  o2: real = -1
  o3: real = -1
  b1: logic = false
  mm: map = level
  m2: map = other
  s1: sprite = hero
    s1x: sprite_x
    s1y: sprite_y
    s1d: sprite_dir
    s1p: sprite_phase
    s1s: sprite_status
    s1m: sprite_move
    s1v: sprite_vis
  s2: sprite = hero2
  sl: list
    list_size 3
    list_auto = 1
    se: sprite = hero
      sex: sprite_x
      sev: sprite_vis
  maps: list
    list_size 2
    me: map = level
local
  main_def: function -> main_body
program
  main_body: function
%CMD%
)";

class ExecSpriteVariables : public ProgramTest {
 public:
  int32_t S1, S2, Se, Me;
  double Out[3];
  uint8_t B1;

  // Loads the program with the commands; before runs between loading and
  // running (to set the sprites' state).
  bool RunCommands(const std::string& commands, void (*before)(int32_t s1) = nullptr) {
    SetUp();
    std::string source = SpriteProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    if (!LoadTestProgram(source)) return false;
    S1 = GlobalItemLinks[7].DataIndex;
    S2 = GlobalItemLinks[15].DataIndex;
    Se = GlobalItemLinks[20].DataIndex;
    Me = GlobalItemLinks[26].DataIndex;
    if (!CompileProgram()) return false;
    if (before) before(S1);
    Run();
    for (int32_t i = 0; i < 3; i++) Out[i] = Numbers[GlobalItemLinks[1 + i].DataIndex];
    B1 = Logics[GlobalItemLinks[4].DataIndex];
    return true;
  }
};

void PlaceS1(int32_t s1) {
  Sprite& s = Sprites[s1];
  s.X = 5;
  s.Y = 7;
  s.TargetX = 5;
  s.TargetY = 7;
  s.Visible = 1;
  s.Angle = 1.5;
  s.Status = 0.5;
}

TEST_F(ExecSpriteVariables, AssigningASpriteKeepsItsPlace) {
  ASSERT_TRUE(RunCommands("(@s1 (@s2)) (@o1 (@s1x)) (@o2 (@s1y)) (@b1 (@s1v))", PlaceS1));
  EXPECT_EQ(Sprites[S2].Held(), Sprites[S1].Held()) << "the appearance is shared";
  EXPECT_EQ(5, Out[0]);
  EXPECT_EQ(7, Out[1]);
  EXPECT_EQ(1, B1);
  EXPECT_EQ(1.5, Sprites[S1].Angle);
}

// Reading a sprite into another gives only the appearance.
TEST_F(ExecSpriteVariables, ReadingASpriteGivesItsAppearance) {
  ASSERT_TRUE(RunCommands("(@s2 (@s1))", PlaceS1));
  EXPECT_EQ(Sprites[S1].Held(), Sprites[S2].Held());
  EXPECT_EQ(0, Sprites[S2].Visible);
  EXPECT_NE(5, Sprites[S2].X);
}

TEST_F(ExecSpriteVariables, PositionAndDirection) {
  ASSERT_TRUE(RunCommands("(@s1x (3)) (@o1 (@s1x)) (@o2 (@s1y))", PlaceS1));
  EXPECT_EQ(3, Sprites[S1].TargetX) << "redirected toward (3, 7)";
  EXPECT_EQ(7, Sprites[S1].TargetY);
  // Four directions: the walk south faces direction 3; 2 radians is nearest
  // to direction 1, whose angle is read back.
  ASSERT_TRUE(RunCommands("(@s1y (num 2.5)) (@o2 (@s1d)) (@s1d (num 2)) (@o1 (@s1d))", PlaceS1));
  EXPECT_EQ(5, Sprites[S1].TargetX);
  EXPECT_EQ(2.5, Sprites[S1].TargetY);
  EXPECT_DOUBLE_EQ(1.5 * Pi, Out[1]);
  EXPECT_DOUBLE_EQ(Pi / 2, Out[0]);
}

TEST_F(ExecSpriteVariables, Status) {
  const struct {
    const char* Value;
    double Status;
    uint8_t Shown;
  } cases[] = {
      {"(num -1)", -1, 0}, {"(0)", 0, 1}, {"(num 0.75)", 0.75, 1}, {"(num -0.5)", -0.5, 1},
  };
  for (auto& c : cases) {
    ASSERT_TRUE(RunCommands(std::string("(@s1s ") + c.Value + ") (@o1 (@s1s))", PlaceS1));
    EXPECT_EQ(c.Status, Sprites[S1].Status) << c.Value;
    EXPECT_EQ(c.Shown, Sprites[S1].StatusShown) << c.Value;
    EXPECT_EQ(c.Status, Out[0]) << c.Value;
  }
  // An equal value changes nothing, not even the shown flag; nor does NaN.
  auto hidden = [](int32_t s1) {
    PlaceS1(s1);
    Sprites[s1].StatusShown = 0;
  };
  ASSERT_TRUE(RunCommands("(@s1s (num 0.5))", hidden));
  EXPECT_EQ(0, Sprites[S1].StatusShown);
  ASSERT_TRUE(RunCommands("(@s1s (sqrt (num -1)))", hidden));
  EXPECT_EQ(0.5, Sprites[S1].Status);
  EXPECT_EQ(0, Sprites[S1].StatusShown);
}

TEST_F(ExecSpriteVariables, PhaseVisibilityAndMotion) {
  ASSERT_TRUE(RunCommands("(@s1p (num 2.5)) (@o1 (@s1p)) (@s1v (false)) (@b1 (@s1m))", PlaceS1));
  EXPECT_EQ(2, Sprites[S1].PendingPhase) << "rounded to even";
  EXPECT_EQ(2, Out[0]) << "the pending phase is the next one shown";
  EXPECT_EQ(0, Sprites[S1].Visible);
  EXPECT_EQ(0, B1) << "a sprite at rest is not moving";
}

// Elements of a sprite list: each assignment and read moves the list on.
TEST_F(ExecSpriteVariables, SpriteListElements) {
  ASSERT_TRUE(RunCommands("(@sex (1)) (@sex (2)) (@sex (3)) (@sev (true)) (@o1 (@sex)) (@o2 (@sex))"));
  EXPECT_EQ(1, Sprites[Se].TargetX);
  EXPECT_EQ(2, Sprites[Se + 1].TargetX);
  EXPECT_EQ(3, Sprites[Se + 2].TargetX);
  EXPECT_EQ(1, Sprites[Se].Visible);
  EXPECT_EQ(0, Sprites[Se + 1].Visible);
  EXPECT_EQ(2, Out[0]) << "element 1 after the visibility went to element 0";
  EXPECT_EQ(3, Out[1]);
}

// The main map never shares its record; other map variables do.
TEST_F(ExecSpriteVariables, MainMap) {
  ASSERT_TRUE(RunCommands("(@mm (@m2)) (@b1 (map_equal (@mm) (@m2)))"));
  EXPECT_EQ(0, GlobalItemLinks[5].DataIndex) << "mm is the main map";
  EXPECT_NE(Maps[0].Held(), Maps[GlobalItemLinks[6].DataIndex].Held());
  EXPECT_EQ(3, Maps[0].Held()->Width) << "the main map took the value";
  EXPECT_EQ(0, B1);
  ASSERT_TRUE(RunCommands("(@m2 (@mm)) (@b1 (map_equal (@mm) (@m2)))"));
  EXPECT_EQ(1, B1) << "a plain map variable shares the main map's record";
  // An element of a list never becomes the main map.
  ASSERT_TRUE(RunCommands("(@me (@m2)) (@b1 (map_equal (@me) (@m2)))"));
  EXPECT_EQ(1, B1);
  EXPECT_EQ(2, Maps[0].Held()->Width);
}

// Sprites of main's frame: two local sprites and a local list of three, with
// their properties. The global sprite gs is placed away from the locals'
// fresh state, so a property that reached it would read differently.
const char* const LocalSpriteProgram = R"(
sprite hero phases=3 directions=8 rest=1 w=32 h=32 fill=3
global
  main: function -> main_def
  o1: real = -1
  o2: real = -1
  o3: real = -1
  o4: real = -1
  b1: logic = false
  b2: logic = true
  gs: sprite = hero
local
  main_def: function -> main_body
    la: sprite = hero
      lax: sprite_x
      lay: sprite_y
      las: sprite_status
      lav: sprite_vis
    ls: sprite = hero
      lsx: sprite_x
      lsy: sprite_y
      lsd: sprite_dir
      lsp: sprite_phase
      lss: sprite_status
      lsm: sprite_move
      lsv: sprite_vis
    sl: list
      list_size 3
      slidx: list_index = 0
      list_auto = 1
      se: sprite = hero
        sex: sprite_x
        sey: sprite_y
        sed: sprite_dir
        sep: sprite_phase
        ses: sprite_status
        sem: sprite_move
        sev: sprite_vis
program
  main_body: function
%CMD%
)";

// The state that sprite properties read or assign.
std::vector<double> SpriteState(const Sprite& s) {
  return {s.X, s.Y, s.TargetX, s.TargetY, s.Angle, (double)s.Phase, (double)s.PendingPhase, s.Status,
          (double)s.StatusShown, (double)s.Visible};
}

const double QuarterPi = Pi / 4;

TEST_F(ExecSpriteVariables, LocalPropertyForms) {
  const struct {
    const char* Commands;
    double O1, O2, O3, O4;
    uint8_t B1, B2;
  } cases[] = {
      // Each local sprite keeps its own position; y keeps the x set before.
      {"(@lsx (3)) (@lax (9)) (@lay (num 2.5)) (@o1 (@lsx)) (@o2 (@lax)) (@o3 (@lsy)) (@o4 (@lay))",
       3, 9, 0, 2.5, 0, 1},
      // Eight directions: 0.8 radians is nearest to direction 1.
      {"(@lsx (3)) (@lsy (num 2.5)) (@o1 (@lsx)) (@o2 (@lsy)) (@lsd (num 0.8)) (@o3 (@lsd)) (@o4 (@lax))",
       3, 2.5, QuarterPi, 0, 0, 1},
      // A pending phase outside the sprite's three reads as the current one.
      {"(@lsp (num 2.5)) (@o1 (@lsp)) (@lss (num 0.75)) (@o2 (@lss)) (@o3 (@las)) (@lsp (7)) (@o4 (@lsp))",
       2, 0.75, -1, 0, 0, 1},
      {"(@lsv (true)) (@b1 (@lsv)) (@b2 (@lav))", -1, -1, -1, -1, 1, 0},
      {"(@lav (true)) (@b2 (@lsv)) (@b1 (@lav))", -1, -1, -1, -1, 1, 0},
      {"(@b2 (@lsm))", -1, -1, -1, -1, 0, 0},
      // Elements: every assignment and read moves the list on by one.
      {"(@sex (1)) (@sey (5)) (@sex (3)) (@o1 (@sex)) (@o2 (@sey)) (@o3 (@sex)) (@o4 (@lsx))",
       1, 5, 3, 0, 0, 1},
      // Element 0 visible with status 0.25, element 1 turned, element 2 on phase 1.
      {"(@sev (true)) (@sed (num 0.8)) (@sep (1)) (@ses (num 0.25))"
       "(@o1 (@sed)) (@o2 (@sep)) (@b1 (@sev)) (@o3 (@ses)) (@o4 (@slidx)) (@b2 (@sem))",
       QuarterPi, 1, -1, 2, 1, 0},
  };
  for (auto& c : cases) {
    SetUp();
    std::string source = LocalSpriteProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(c.Commands, 2));
    ASSERT_TRUE(LoadTestProgram(source));
    ASSERT_TRUE(CompileProgram());
    int32_t count = Sprites.Count;
    Sprite& gs = Sprites[GlobalItemLinks[7].DataIndex];
    gs.X = gs.TargetX = 50;
    gs.Y = gs.TargetY = 70;
    gs.Angle = 1.5;
    gs.Phase = 1;
    gs.Status = 0.5;
    gs.StatusShown = 1;
    gs.Visible = 1;
    std::vector<std::vector<double>> before;
    for (int32_t e = 0; e < count; e++) before.push_back(SpriteState(Sprites[e]));
    Run();
    double out[4];
    for (int32_t i = 0; i < 4; i++) out[i] = Numbers[GlobalItemLinks[1 + i].DataIndex];
    EXPECT_EQ(c.O1, out[0]) << c.Commands;
    EXPECT_EQ(c.O2, out[1]) << c.Commands;
    EXPECT_EQ(c.O3, out[2]) << c.Commands;
    EXPECT_EQ(c.O4, out[3]) << c.Commands;
    EXPECT_EQ(c.B1, Logics[GlobalItemLinks[5].DataIndex]) << c.Commands;
    EXPECT_EQ(c.B2, Logics[GlobalItemLinks[6].DataIndex]) << c.Commands;
    ASSERT_EQ(count, Sprites.Count) << c.Commands;
    for (int32_t e = 0; e < count; e++)
      EXPECT_EQ(before[e], SpriteState(Sprites[e])) << "global sprite " << e << " after " << c.Commands;
  }
}

}  // namespace
