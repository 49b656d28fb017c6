// The built-in sprites run as compiled programs, tick by tick on the fake
// pump (each wait runs one motion and animation tick): steps, turns, cells
// under and ahead, icons, cell values and flags, what waits and what does
// not; and shifting every sprite and the sprite clipping edges.
#include <math.h>
#include <string.h>
#include <string>
#include <vector>
#include "base/pi.h"
#include "base/rounding.h"
#include "expression_fixture.h"
#include "graphics/sprite_engine.h"
#include "graphics/sprite_motion.h"
#include "graphics/surface.h"

namespace {

// Sprite 0 (walker) has 8 directions and takes 2 steps per field, sprite 1
// (crawler) 4 directions and 1 step per field; both step every tick. The
// main map m is 5 x 4; m2 starts as another map.
const char* const BuiltInProgram = R"(
picture ball fill=7
picture ring fill=9
picture spare fill=11
sprite walker phases=2 directions=8 rest=1 w=32 h=32 fill=3 step=2
sprite crawler phases=1 directions=4 rest=1 w=32 h=32 fill=4 step=1
map level w=5 h=4 icon=ball param=0
  cell 3 2 icon=ring param=0x10301C05
  cell 2 2 icon=ball param=0xFFFFFFFF
map other w=1 h=1 icon=ball param=0
global
  main: function -> main_def
  o1: real = -1
  o2: real = -1
  o3: real = -1
  b: logic = false
  ic: picture = spare
  m: map = level
  m2: map = other
  nan: real = nan
  inf: real = inf
  ninf: real = -inf
local
  main_def: function -> main_body
program
  main_body: function
%CMD%
)";

// Sprite 0's position after each tick.
std::vector<double> TraceX, TraceY;

void RunTick() {
  MoveSprites();
  AnimateSprites();
  TraceX.push_back(Sprites[0].X);
  TraceY.push_back(Sprites[0].Y);
}

// Places sprite i at rest on (x, y) facing direction d, shown or hidden.
void Place(int32_t i, double x, double y, int32_t d, bool visible) {
  Sprite& s = Sprites[i];
  s.X = s.TargetX = x;
  s.Y = s.TargetY = y;
  s.PixelX = RoundToInt(x * 32);
  s.PixelY = RoundToInt(y * 32);
  SetSpriteDirection(i, d * 2 * Pi / s.Held()->DirectionCount);
  SetSpriteVisible(i, visible);
}

class BuiltInSprites : public ProgramTest {
 public:
  // Loads the program with the commands, runs before (to place the sprites)
  // on a fresh surface with no tile dirty, then runs main.
  bool RunCommands(const std::string& commands, void (*before)() = nullptr) {
    SetUp();
    std::string source = BuiltInProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    ResetSpriteEngine();
    InitGraphicsSurface();
    if (before) before();
    memset(DirtyTiles, 0, (size_t)TileColumns * TileRows);
    TraceX.clear();
    TraceY.clear();
    Fake.OnWait = RunTick;
    Run();
    return true;
  }
  static int32_t Entry(int32_t k) { return GlobalItemLinks[k].DataIndex; }
  double O(int32_t k) { return Numbers[Entry(k)]; }
  uint8_t B() { return Logics[Entry(4)]; }
  Icon& Ic() { return Icons[Entry(5)]; }
  static int32_t DirtyCount() {
    int32_t n = 0;
    for (int32_t k = 0; k < TileColumns * TileRows; k++) n += DirtyTiles[k];
    return n;
  }
};

void Sprite0At21East() { Place(0, 2, 1, 0, true); }

TEST_F(BuiltInSprites, Sprite0StepsReturnWhenTheWalkIsDone) {
  // Two steps of two ticks each; the third would leave the map and does
  // nothing. The program reads x only after each walk.
  ASSERT_TRUE(RunCommands("(sprite0_step) (@o1 (sprite0_x)) (sprite0_step) (sprite0_step) (@o2 (sprite0_x)) (@o3 (sprite0_y))", Sprite0At21East));
  EXPECT_EQ(3, O(1));
  EXPECT_EQ(4, O(2));
  EXPECT_EQ(1, O(3));
  EXPECT_EQ(4, Fake.TicksWaited);
  EXPECT_EQ((std::vector<double>{2.5, 3, 3.5, 4}), TraceX);
  EXPECT_EQ(0, Sprites[0].Direction);
}

TEST_F(BuiltInSprites, Sprite1StepReturnsAsItsWalkStarts) {
  auto place = [] { Place(1, 1, 1, 0, true); };
  ASSERT_TRUE(RunCommands("(sprite1_step) (@o1 (sprite1_x))", place));
  EXPECT_EQ(0, Fake.Waits);
  EXPECT_EQ(1, O(1)) << "x is the current position, the walk has not begun";
  EXPECT_EQ(2, Sprites[1].TargetX);
  // The second step waits for the first walk only.
  ASSERT_TRUE(RunCommands("(sprite1_step) (sprite1_step) (@o1 (sprite1_x))", place));
  EXPECT_EQ(1, Fake.TicksWaited);
  EXPECT_EQ(2, O(1));
  EXPECT_EQ(3, Sprites[1].TargetX);
  EXPECT_EQ(1, Sprites[1].StepsLeft);
}

// The cell ahead by direction: 8 directions reach the diagonals, 4 never do.
TEST_F(BuiltInSprites, StepGoesToTheCellAheadOfEachDirection) {
  struct Case {
    int32_t Sprite, Direction;
    double X, Y;
  };
  const Case cases[] = {
      {0, 0, 3, 2}, {0, 1, 3, 3}, {0, 2, 2, 3}, {0, 3, 1, 3}, {0, 4, 1, 2}, {0, 5, 1, 1},
      {0, 6, 2, 1}, {0, 7, 3, 1}, {1, 0, 3, 2}, {1, 1, 2, 3}, {1, 2, 1, 2}, {1, 3, 2, 1},
  };
  static int32_t sprite, direction;
  for (const Case& c : cases) {
    sprite = c.Sprite;
    direction = c.Direction;
    auto place = [] { Place(sprite, 2, 2, direction, true); };
    ASSERT_TRUE(RunCommands(c.Sprite ? "(sprite1_step)" : "(sprite0_step)", place));
    const Sprite& s = Sprites[c.Sprite];
    EXPECT_EQ(c.X, s.TargetX) << c.Sprite << " facing " << c.Direction;
    EXPECT_EQ(c.Y, s.TargetY) << c.Sprite << " facing " << c.Direction;
    if (c.Sprite == 0) {
      EXPECT_NEAR(c.X, s.X, 1e-12) << "sprite 0 returns after its last step";
    }
  }
}

// Positions rounded to even; NaN, huge and 32-bit edge positions are outside
// (and a step of one cell keeps them outside); a position just left of the
// map has the first column ahead.
TEST_F(BuiltInSprites, CellsUnderAndAheadAtOddPositions) {
  struct Case {
    double X, Y;
    bool Inside;  // the cell under is (2, 2), with (3, 2) ahead
  };
  const Case cases[] = {
      {2.5, 2.5, true},  // ties to even
      {1.5, 2.4, true},
      {2, 1.5, true},
      {3.5, 2, false},   // (4, 2), (5, 2) ahead
      {NAN, 2, false},
      {2, NAN, false},
      {1e300, 2, false},
      {-1e300, 2, false},
      {2147483647.0, 2, false},
      {-2147483649.0, 2, false},
      {4294967298.0, 2, false},
  };
  static double px, py;
  for (const Case& c : cases) {
    px = c.X;
    py = c.Y;
    auto place = [] { Place(0, px, py, 0, false); };
    ASSERT_TRUE(RunCommands("(@o1 (sprite0_value1)) (@ic (sprite0_icon_ahead)) (sprite0_step) (@o2 (sprite0_x))", place));
    if (c.Inside) {
      EXPECT_EQ(1023, O(1)) << c.X << ", " << c.Y;
      EXPECT_EQ(Maps[0].Cell(3, 2).Icon.Held(), Ic().Held()) << c.X << ", " << c.Y;
      EXPECT_EQ(3, O(2)) << "the hidden sprite jumped ahead";
    } else {
      EXPECT_EQ(0, O(1)) << c.X << ", " << c.Y;
      EXPECT_EQ(&EmptyIconData, Ic().Held()) << c.X << ", " << c.Y;
      EXPECT_TRUE(isnan(c.X) ? isnan(O(2)) : O(2) == c.X) << "the step stays: " << c.X;
    }
  }
  // Just outside on the left, facing east: the first column is ahead.
  auto left = [] { Place(0, -1, 2, 0, false); };
  ASSERT_TRUE(RunCommands("(@o1 (sprite0_value1)) (@ic (sprite0_icon_ahead)) (sprite0_step) (@o2 (sprite0_x))", left));
  EXPECT_EQ(0, O(1));
  EXPECT_EQ(Maps[0].Cell(0, 2).Icon.Held(), Ic().Held());
  EXPECT_EQ(0, O(2));
}

TEST_F(BuiltInSprites, Turns) {
  struct Case {
    int32_t Sprite;
    const char* Commands;
    int32_t Direction;
  };
  const Case cases[] = {
      {1, "(sprite1_turn_left)", 1},
      {1, "(sprite1_turn_left) (sprite1_turn_left) (sprite1_turn_left) (sprite1_turn_left)", 0},
      {1, "(sprite1_turn_right)", 3},
      {1, "(sprite1_turn_back)", 2},
      {1, "(sprite1_turn_back) (sprite1_turn_left)", 3},
      {0, "(sprite0_turn_left)", 2},
      {0, "(sprite0_turn_right)", 6},
      {0, "(sprite0_turn_back)", 4},
      {0, "(sprite0_turn_left) (sprite0_turn_left) (sprite0_turn_back)", 0},
  };
  static int32_t sprite;
  for (const Case& c : cases) {
    sprite = c.Sprite;
    auto place = [] { Place(sprite, 2, 2, 0, true); };
    ASSERT_TRUE(RunCommands(std::string(c.Commands) + (c.Sprite ? " (@o1 (sprite1_dir))" : " (@o1 (sprite0_dir))"), place));
    const Sprite& s = Sprites[c.Sprite];
    EXPECT_EQ(c.Direction, s.Direction) << c.Commands;
    EXPECT_DOUBLE_EQ(c.Direction * 2 * Pi / s.Held()->DirectionCount, O(1)) << c.Commands;
  }
}

// Sprite 0 walking from (1, 1) to (3, 1): 4 steps, then the arrival tick.
void Walking() {
  Place(0, 1, 1, 0, true);
  MoveSpriteTo(0, 3, 1);
}

// A walking sprite: turns, direction and visibility wait for its walk to
// end; the angle is read after the wait.
TEST_F(BuiltInSprites, TurnsDirectionAndVisibilityWaitForTheWalk) {
  const char* const commands[] = {"(sprite0_turn_left)", "(sprite0_dir (num 1.6))", "(quick (false))"};
  for (const char* c : commands) {
    ASSERT_TRUE(RunCommands(c, Walking));
    EXPECT_EQ(4, Fake.TicksWaited) << c;
    EXPECT_EQ(3, Sprites[0].X) << c;
  }
  EXPECT_EQ(0, Sprites[0].Visible);
  ASSERT_TRUE(RunCommands("(sprite0_turn_left)", Walking));
  EXPECT_EQ(2, Sprites[0].Direction) << "turned from east, the walk's direction";
  // A step off the map's edge still waits for the walk, then stays.
  ASSERT_TRUE(RunCommands("(sprite0_step)", [] {
    Place(0, 2, 1, 0, true);
    MoveSpriteTo(0, 4, 1);
  }));
  EXPECT_EQ(4, Fake.TicksWaited);
  EXPECT_EQ(4, Sprites[0].X);
  EXPECT_EQ(4, Sprites[0].TargetX);
  // A flag that ends the run ends the wait.
  ASSERT_TRUE(RunCommands("(sprite0_step)", [] {
    Fake.QuitAtWait = 2;
    Walking();
  }));
  EXPECT_EQ(2, Fake.Waits);
}

// Setting x, y, the values and flags and every reader run at once on a
// walking sprite; x reads the current position, and setting it redirects.
TEST_F(BuiltInSprites, SettersAndReadersNeverWait) {
  auto walking = [] {
    Place(0, 2, 1, 0, true);
    MoveSpriteTo(0, 2, 2);
    RunTick();  // one step up: at (2, 1.5), under (2, 2)
  };
  ASSERT_TRUE(RunCommands(
      "(@o1 (sprite0_y)) (@o2 (sprite0_value1)) (sprite0_value2 (5)) (sprite0_flag1 (false)) (@b (sprite0_flag1)) (sprite0_x (4)) (@o3 (sprite0_x))"
      "(@ic (sprite0_icon_under))",
      walking));
  EXPECT_EQ(0, Fake.Waits);
  EXPECT_EQ(1.5, O(1));
  EXPECT_EQ(1023, O(2));
  EXPECT_EQ(2, O(3)) << "still where it was";
  EXPECT_EQ(0, B());
  EXPECT_EQ(0xF7F017FFu, Maps[0].Cell(2, 2).Param) << "Value2 5, Flag1 clear";
  EXPECT_EQ(4, Sprites[0].TargetX);
  EXPECT_EQ(2, Sprites[0].TargetY);
  EXPECT_EQ(Maps[0].Cell(4, 2).Icon.Held(), Ic().Held()) << "under the new target";
}

// Each setter changes only its field, modulo the field's range; outside the
// map nothing changes and the readers give 0 and false.
TEST_F(BuiltInSprites, CellValuesAndFlags) {
  struct Case {
    const char* Commands;
    uint32_t Param;  // of cell (3, 2), which starts 0x10301C05
  };
  const Case cases[] = {
      {"(sprite1_value1 (num 1024))", 0x10301C00},
      {"(sprite1_value1 (num -1))", 0x10301FFF},
      {"(sprite1_value1 (num 2.5))", 0x10301C02},
      {"(sprite1_value2 (num 1023))", 0x103FFC05},
      {"(sprite1_value3 (num 128))", 0x10001C05},
      {"(sprite1_value3 (num -1))", 0x17F01C05},
      {"(sprite1_flag1 (true)) (sprite1_flag2 (false))", 0x08301C05},
      {"(sprite1_flag5 (true))", 0x90301C05},
      {"(sprite1_value1 (@nan))", 0x10301C00},
  };
  auto place = [] { Place(1, 3, 2, 0, false); };
  for (const Case& c : cases) {
    ASSERT_TRUE(RunCommands(c.Commands, place));
    EXPECT_EQ(c.Param, Maps[0].Cell(3, 2).Param) << c.Commands;
    EXPECT_EQ(0, Fake.Waits) << c.Commands;
  }
  ASSERT_TRUE(RunCommands("(@o1 (sprite1_value1)) (@o2 (sprite1_value2)) (@o3 (sprite1_value3)) (@b (sprite1_flag2))", place));
  EXPECT_EQ(5, O(1));
  EXPECT_EQ(7, O(2));
  EXPECT_EQ(3, O(3));
  EXPECT_EQ(1, B());
  // Outside nothing is written; the readers give 0, false and the empty icon.
  auto outside = [] { Place(1, 5, 2, 0, false); };
  ASSERT_TRUE(RunCommands("(sprite1_value1 (7)) (sprite1_flag1 (true)) (@o1 (sprite1_value1)) (@b (sprite1_flag2)) (@ic (sprite1_icon_under))", outside));
  EXPECT_EQ(0, O(1));
  EXPECT_EQ(0, B());
  EXPECT_EQ(&EmptyIconData, Ic().Held());
  for (int32_t y = 0; y < 4; y++)
    for (int32_t x = 0; x < 5; x++) {
      uint32_t expected = x == 3 && y == 2 ? 0x10301C05 : x == 2 && y == 2 ? 0xFFFFFFFF : 0;
      EXPECT_EQ(expected, Maps[0].Cell(x, y).Param) << x << ", " << y;
    }
}

// The main map changes in place: a map value sharing its record sees it.
TEST_F(BuiltInSprites, TheMainMapChangesInPlace) {
  auto place = [] { Place(0, 1, 0, 0, false); };
  ASSERT_TRUE(RunCommands("(@m2 (@m)) (sprite0_value1 (9)) (sprite0_icon_ahead (@ic)) (@o1 (map_cell_value1 (map_cell_map (@m2)) (map_cell_x (1)) (map_cell_y (0))))", place));
  EXPECT_EQ(9, O(1));
  EXPECT_EQ(Maps[0].Held(), Maps[Entry(7)].Held());
  EXPECT_EQ(Ic().Held(), Maps[0].Cell(2, 0).Icon.Held());
}

TEST_F(BuiltInSprites, PuttingIcons) {
  // A hidden sprite at (2, 1) facing east: the cell ahead is (3, 1), and only
  // its tile is marked.
  auto hidden = [] { Place(0, 2, 1, 0, false); };
  ASSERT_TRUE(RunCommands("(sprite0_icon_ahead (@ic))", hidden));
  EXPECT_EQ(Ic().Held(), Maps[0].Cell(3, 1).Icon.Held());
  EXPECT_EQ(1, DirtyTiles[3 + 1 * TileColumns]);
  EXPECT_EQ(1, DirtyCount());
  ASSERT_TRUE(RunCommands("(sprite0_icon_under (@ic))", hidden));
  EXPECT_EQ(Ic().Held(), Maps[0].Cell(2, 1).Icon.Held());
  EXPECT_EQ(1, DirtyTiles[2 + 1 * TileColumns]);
  EXPECT_EQ(1, DirtyCount());
  // The empty icon, and the icon the cell holds, change nothing and do not
  // wait even for a walking sprite.
  auto walking = [] {
    Place(0, 2, 1, 4, true);
    MoveSpriteTo(0, 3, 2);
  };
  ASSERT_TRUE(RunCommands("(sprite0_icon_ahead (icon_empty)) (sprite0_icon_under (icon_empty))", walking));
  EXPECT_EQ(0, Fake.Waits);
  EXPECT_EQ(0, DirtyCount());
  ASSERT_TRUE(RunCommands("(@ic (sprite0_icon_under)) (sprite0_icon_under (@ic))", walking));
  EXPECT_EQ(0, Fake.Waits);
  EXPECT_EQ(0, DirtyCount());
  EXPECT_EQ(Maps[0].Cell(3, 2).Icon.Held(), Ic().Held()) << "the ring under the target";
  // Another icon waits for the walk, into the cell found from the target.
  ASSERT_TRUE(RunCommands("(sprite0_icon_under (@ic))", [] {
    Place(0, 2, 1, 0, true);
    MoveSpriteTo(0, 2, 2);
  }));
  EXPECT_EQ(2, Fake.TicksWaited);
  EXPECT_EQ(Ic().Held(), Maps[0].Cell(2, 2).Icon.Held());
  EXPECT_EQ(1, DirtyTiles[2 + 2 * TileColumns]);
}

TEST_F(BuiltInSprites, ShiftingEverySprite) {
  auto place = [] {
    Place(0, 1, 1, 0, true);
    Place(1, 2, 3, 0, false);
    MoveSpriteTo(0, 2, 1);  // walking: 2 steps
  };
  ASSERT_TRUE(RunCommands("(sprites_shift_x (1)) (sprites_shift_y (num -0.5))", place));
  EXPECT_EQ(2, Sprites[0].X);
  EXPECT_EQ(3, Sprites[0].TargetX);
  EXPECT_EQ(64, Sprites[0].PixelX);
  EXPECT_EQ(0.5, Sprites[0].Y);
  EXPECT_EQ(0.5, Sprites[0].TargetY);
  EXPECT_EQ(16, Sprites[0].PixelY);
  EXPECT_EQ(3, Sprites[1].X);
  EXPECT_EQ(3, Sprites[1].TargetX);
  EXPECT_EQ(96, Sprites[1].PixelX);
  EXPECT_EQ(2.5, Sprites[1].Y);
  EXPECT_EQ(TileColumns * TileRows, DirtyCount());
  // The walk goes on from the shifted place to the shifted target.
  RunTick();
  RunTick();
  EXPECT_EQ(3, Sprites[0].X);
  // 0 and distances that are not finite change nothing, not even the tiles.
  const char* const nothing[] = {"(sprites_shift_x (0))", "(sprites_shift_x (@nan))", "(sprites_shift_y (@inf))", "(sprites_shift_x (@ninf))"};
  for (const char* c : nothing) {
    ASSERT_TRUE(RunCommands(c, place));
    EXPECT_EQ(1, Sprites[0].X) << c;
    EXPECT_EQ(2, Sprites[0].TargetX) << c;
    EXPECT_EQ(1, Sprites[0].Y) << c;
    EXPECT_EQ(0, DirtyCount()) << c;
  }
}

TEST_F(BuiltInSprites, ClippingEdges) {
  struct Case {
    const char* Value;
    int32_t Pixels;
  };
  const Case cases[] = {
      {"(2)", 64},
      {"(num -0.5)", -16},
      {"(num 0.015625)", 0},  // half a pixel: to even
      {"(num -2000000)", -32000000},
      {"(num 2000000)", 32000000},
      {"(num 1e12)", 32000000},
      {"(@inf)", 32000000},
      {"(@ninf)", -32000000},
      {"(@nan)", -32000000},
  };
  const char* const edges[] = {"sprite_clip_left", "sprite_clip_bottom", "sprite_clip_right", "sprite_clip_top"};
  int32_t* const globals[] = {&SpriteClipLeft, &SpriteClipBottom, &SpriteClipRight, &SpriteClipTop};
  for (int32_t e = 0; e < 4; e++)
    for (const Case& c : cases) {
      std::string edge = edges[e];
      ASSERT_TRUE(RunCommands("(" + edge + " " + c.Value + ") (@o1 (" + edge + "))"));
      EXPECT_EQ(c.Pixels, *globals[e]) << edge << " " << c.Value;
      EXPECT_EQ(c.Pixels / 32.0, O(1)) << edge << " " << c.Value;
      bool changed = c.Pixels != (e < 2 ? 0 : 32000000);
      EXPECT_EQ(changed ? TileColumns * TileRows : 0, DirtyCount()) << edge << " " << c.Value;
    }
  ASSERT_TRUE(RunCommands("(@o1 (sprite_clip_right)) (@o2 (sprite_clip_top)) (@o3 (sprite_clip_left))"));
  EXPECT_EQ(1000000, O(1));
  EXPECT_EQ(1000000, O(2));
  EXPECT_EQ(0, O(3));
}

}  // namespace

// The same walk through the main run's real pump and tick, on the virtual
// clock: the waits take exactly the ticks of the walks.
#include "window_setup.h"

namespace {

class BuiltInSpritesOnTheClock : public MainWindowFixture {};

TEST_F(BuiltInSpritesOnTheClock, StepTurnStep) {
  std::string source = R"(
picture ball fill=7
sprite walker phases=2 directions=8 rest=1 w=32 h=32 fill=3 step=2
sprite crawler phases=1 directions=4 rest=1 w=32 h=32 fill=4 step=1
map level w=5 h=4 icon=ball param=0
global
  main: function "Walk" -> main_def
  o1: real = -1
  o2: real = -1
local
  main_def: function -> main_body
program
  main_body: function
)";
  // The main run shows sprite 0: hidden, it jumps to (1, 1).
  source += ExpressionLines("(quick (false)) (sprite0_x (1)) (sprite0_y (1)) (quick (true)) (sprite0_step) (sprite0_turn_left) (sprite0_step) (@o1 (sprite0_x)) (@o2 (sprite0_y))", 2);
  ASSERT_NO_FATAL_FAILURE(Open(source.c_str()));
  VisibleSprites.RemoveAll();
  MovingSprites.RemoveAll();
  AnimatedSprites.RemoveAll();
  TimerPeriod = 60;
  PrepareMainRun();
  TimerTicksRun = 0;
  EnterProgram();
  EXPECT_EQ(4, TicksRun()) << "two ticks a walk; the turn found the sprite stopped";
  EXPECT_EQ(2, Numbers[GlobalItemLinks[1].DataIndex]);
  EXPECT_EQ(2, Numbers[GlobalItemLinks[2].DataIndex]);
  EXPECT_EQ(2, Sprites[0].Direction) << "north, after the turn left";
  EXPECT_EQ(1, Sprites[0].Visible) << "the main run shows sprite 0";
  TimeSys.KillTimer(MainWindow, TimerId);
}

}  // namespace
