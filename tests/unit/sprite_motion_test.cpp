// Sprite motion and animation tick by tick: walks, jumps, stops, turns,
// hiding, new appearances, the phase read back, and operands that are NaN,
// infinite or huge.
#include <math.h>
#include <string.h>
#include <string>
#include "base/pi.h"
#include "graphics_setup.h"

namespace {

class SpriteMotion : public GraphicsFixture {
 public:
  void SetUp() override {
    GraphicsFixture::SetUp();
    Surface({"....", "...."});
  }
  // A visible sprite at (x, y) fields with the given phases and step.
  int32_t Standing(double x, double y, int32_t phases = 1, int32_t rest = 1, double step = 8, int32_t delay = 55,
                   int32_t directions = 1) {
    int32_t i = AddSprite(8, 8, SpriteColor, 1000, phases, rest, directions);
    Sprites[i].Held()->Step = step;
    Sprites[i].Held()->Delay = delay;
    MoveSpriteTo(i, x, y);
    SetSpriteVisible(i, true);
    return i;
  }
  static void Tick() {
    MoveSprites();
    AnimateSprites();
  }
  static bool Listed(const IntList& list, int32_t i) {
    for (int32_t k = 0; k < list.Count; k++)
      if (list[k] == i) return true;
    return false;
  }
};

TEST(SpriteTiming, TicksPerStep) {
  const struct {
    int32_t Delay, Ticks;
  } cases[] = {{55, 1}, {1000, 18}, {0, 0}, {32, 0}, {33, 1}, {-100, -1}, {INT32_MAX, 39045157}};
  for (auto& c : cases) EXPECT_EQ(c.Ticks, TicksPerStep(c.Delay)) << "delay " << c.Delay;
}

// Step 8, one field east, 8 phases of which 4 rest: the first step at the
// next tick, one step per tick, moving phases 4 to 7 and round again, then
// arrival on the target at the step tick after the eighth, in a rest phase.
TEST_F(SpriteMotion, WalkOneFieldEast) {
  int32_t i = Standing(1, 1, 8, 4);
  EndSpriteAnimation(i);  // start from phase 2, not animating
  Sprites[i].Phase = 2;
  MoveSpriteTo(i, 2, 1);
  Sprite& s = Sprites[i];
  EXPECT_EQ(1, s.Moving);
  EXPECT_EQ(8, s.StepsLeft);
  EXPECT_EQ(0, s.Direction);
  EXPECT_EQ(3, s.Phase) << "standing: the first step shows the first moving phase";
  const int32_t phases[] = {4, 5, 6, 7, 4, 5, 6, 7};
  for (int32_t t = 0; t < 8; t++) {
    Tick();
    EXPECT_DOUBLE_EQ(1 + (t + 1) / 8.0, Sprites[i].X) << "tick " << t + 1;
    EXPECT_EQ(phases[t], Sprites[i].Phase) << "tick " << t + 1;
    EXPECT_EQ(1, Sprites[i].Moving) << "tick " << t + 1;
    EXPECT_EQ(1, Sprites[i].Queued) << "queued at its new place, tick " << t + 1;
  }
  Tick();
  EXPECT_EQ(2.0, Sprites[i].X) << "snapped onto the target";
  EXPECT_EQ(64, Sprites[i].PixelX);
  EXPECT_EQ(0, Sprites[i].Moving);
  EXPECT_EQ(-1, Sprites[i].StepsLeft);
  EXPECT_EQ((7 - 4 + 1) % 4, Sprites[i].Phase);
  EXPECT_FALSE(Listed(MovingSprites, i));
  EXPECT_TRUE(Listed(AnimatedSprites, i)) << "rest animation starts";
  EXPECT_EQ(1, Sprites[i].Animating);
}

// On arrival from phase 6 of 4 rest phases the sprite shows (6 - 4 + 1) mod 4;
// a sprite without moving phases cycles all of them while walking.
TEST_F(SpriteMotion, PhasesWhileWalking) {
  int32_t i = Standing(0, 0, 8, 4);
  MoveSpriteTo(i, 0.25, 0);  // 2 steps
  Tick();
  Tick();
  Sprites[i].Phase = 6;
  Tick();
  EXPECT_EQ(0, Sprites[i].Moving);
  EXPECT_EQ(3, Sprites[i].Phase);
  int32_t j = Standing(0, 1, 3, 3);
  MoveSpriteTo(j, 1, 1);
  std::string seen;
  for (int32_t t = 0; t < 5; t++) {
    Tick();
    seen += (char)('0' + Sprites[j].Phase);
  }
  EXPECT_EQ("12012", seen);
}

// Delay 1000: a step every 18 ticks.
TEST_F(SpriteMotion, SlowSprite) {
  int32_t i = Standing(0, 0, 1, 1, 2, 1000);
  MoveSpriteTo(i, 1, 0);
  Tick();
  EXPECT_EQ(0.5, Sprites[i].X) << "first step at the next tick";
  for (int32_t t = 0; t < 17; t++) Tick();
  EXPECT_EQ(0.5, Sprites[i].X);
  Tick();
  EXPECT_EQ(1.0, Sprites[i].X);
}

// Step 0 jumps at once; a hidden sprite jumps whatever its step; a move to
// the current pixel stops a walk where it is. A pending phase set later on
// the sprite, which does not animate, shows at the next drawing, whatever
// countdown the walk left.
TEST_F(SpriteMotion, JumpsAndStops) {
  const struct {
    const char* Name;
    double Step;
    bool Hidden;
    bool StopOnPixel;
    double X;  // where it ends
  } cases[] = {
      {"step 0 jumps", 0, false, false, 3},
      {"hidden jumps", 8, true, false, 3},
      {"move to its own pixel stops", 8, false, true, 0.125},
  };
  for (auto& c : cases) {
    int32_t i = Standing(0, 0, 3, 1, c.Step, 1000);
    if (c.Hidden) SetSpriteVisible(i, false);
    MoveSpriteTo(i, 3, 0);
    if (c.StopOnPixel) {
      Tick();
      Tick();  // one step done, 17 ticks to the next
      MoveSpriteTo(i, Sprites[i].X + 0.001, 0);
    }
    Sprite& s = Sprites[i];
    EXPECT_NEAR(c.X, s.X, 0.002) << c.Name;
    EXPECT_EQ(0, s.Moving) << c.Name;
    if (!c.Hidden) {
      EXPECT_EQ(-1, s.StepsLeft) << c.Name;
    }
    EXPECT_FALSE(Listed(MovingSprites, i)) << c.Name;
    if (c.Hidden) continue;
    s.PendingPhase = 2;
    InvalidateSprite(i);
    Refresh();
    EXPECT_EQ(2, Sprites[i].Phase) << c.Name << ": the pending phase shows";
  }
}

// A sprite whose walk ends keeps its countdown: a jump from rest leaves 1
// (its first step was due at the next tick), an end mid-walk what was left of
// the step, and the rest animation's first phase change comes when that runs
// out. The phase is read through the sprite's phase element, one tick per
// wait; 40 means it never changed.
const char* const PhaseWatch = R"(
sprite hero phases=%PHASES% directions=1 rest=%REST% w=8 h=8 fill=150 delay=%DELAY% step=8
global
  main: function -> main_def
  p0: real = 0
  n: real = 0
  s: sprite = hero
    sp: sprite_phase
local
  main_def: function -> main_body
program
  main_body: function
    @p0
      @sp
    while
      while_cond
        and
          =
            @sp
            @p0
          <
            @n
            num 40
      while_body
        wait
        @n
          +
            @n
            1
)";

enum WalkEnd { JumpFromRest, JumpMidWalk, StopOnOwnPixel, HideWhileWalking };

void Replace(std::string& s, const char* key, int32_t value) { s.replace(s.find(key), strlen(key), std::to_string(value)); }

TEST_F(SpriteMotion, TheFirstRestPhaseAfterAWalkEnds) {
  const char* const names[] = {"jump from rest", "jump mid-walk", "stop on its own pixel", "hide while walking"};
  const struct {
    WalkEnd End;
    int32_t Delay;  // 55, 165, 1000: 1, 3, 18 ticks a phase
    int32_t Tick;   // of the first change with two or more rest phases
  } cases[] = {
      {JumpFromRest, 55, 1},      {JumpFromRest, 165, 1},      {JumpFromRest, 1000, 1},
      {JumpMidWalk, 55, 1},       {JumpMidWalk, 165, 2},       {JumpMidWalk, 1000, 17},
      {StopOnOwnPixel, 55, 1},    {StopOnOwnPixel, 165, 2},    {StopOnOwnPixel, 1000, 17},
      {HideWhileWalking, 55, 1},  {HideWhileWalking, 165, 2},  {HideWhileWalking, 1000, 17},
  };
  for (int32_t rest : {1, 2, 4})
    for (auto& c : cases) {
      std::string name = std::string(names[c.End]) + ", rest " + std::to_string(rest) + ", delay " +
                         std::to_string(c.Delay);
      std::string source = PhaseWatch;
      Replace(source, "%PHASES%", rest + 2);
      Replace(source, "%REST%", rest);
      Replace(source, "%DELAY%", c.Delay);
      ASSERT_TRUE(LoadTestProgram(source)) << name;
      ASSERT_TRUE(CompileProgram()) << name;
      Surface({"....", "...."});
      int32_t i = GlobalItemLinks[3].DataIndex;
      Sprites[i].Held()->Step = 8;
      MoveSpriteTo(i, 0, 0);
      SetSpriteVisible(i, true);
      Tick();
      if (c.End != JumpFromRest) {
        MoveSpriteTo(i, 3, 0);
        Tick();
        Tick();
        ASSERT_EQ(1, Sprites[i].Moving) << name;
      }
      if (c.End == JumpFromRest || c.End == JumpMidWalk) {
        Sprites[i].Held()->Step = 0;
        MoveSpriteTo(i, 2, 0);
      } else if (c.End == StopOnOwnPixel) {
        MoveSpriteTo(i, Sprites[i].X + 0.001, 0);
      } else {
        SetSpriteVisible(i, false);
        SetSpriteVisible(i, true);
      }
      ASSERT_EQ(0, Sprites[i].Moving) << name;
      Fake.OnWait = Tick;
      Run();
      EXPECT_EQ(rest > 1 ? c.Tick : 40, Numbers[GlobalItemLinks[2].DataIndex]) << name;
      TearDown();
      SetUp();
    }
}

// Hiding a walking sprite puts it on its target; shown again it stands there.
TEST_F(SpriteMotion, HideWhileWalking) {
  int32_t i = Standing(0, 0, 8, 4);
  MoveSpriteTo(i, 2, 1);
  Tick();
  Tick();
  SetSpriteVisible(i, false);
  Sprite& s = Sprites[i];
  EXPECT_EQ(2, s.X);
  EXPECT_EQ(1, s.Y);
  EXPECT_EQ(0, s.Moving);
  EXPECT_LT(s.Phase, 4) << "a rest phase";
  EXPECT_FALSE(Listed(VisibleSprites, i));
  EXPECT_FALSE(Listed(AnimatedSprites, i));
  SetSpriteVisible(i, true);
  Tick();
  EXPECT_EQ(2, Sprites[i].X);
  EXPECT_EQ(0, Sprites[i].Moving);
  EXPECT_TRUE(Listed(AnimatedSprites, i));
}

TEST_F(SpriteMotion, Turning) {
  const struct {
    double Angle;
    int32_t Direction;
  } cases[] = {{0.2, 1}, {0.19, 0}, {-Pi / 8, 15}, {2 * Pi, 0}, {33 * Pi / 8, 1},
               {NAN, 0}, {INFINITY, 0}, {1e300, 0}, {-1e300, 0}};
  for (auto& c : cases) {
    int32_t i = Standing(1, 1, 1, 1, 8, 55, 16);
    Sprites[i].Direction = 5;
    SetSpriteDirection(i, c.Angle);
    EXPECT_EQ(c.Direction, Sprites[i].Direction) << "angle " << c.Angle;
    EXPECT_DOUBLE_EQ(c.Direction * Pi / 8, Sprites[i].Angle) << "angle " << c.Angle;
  }
  int32_t i = Standing(1, 1, 1, 1, 8, 55, 16);
  Sprites[i].Angle = 0.5;
  SetSpriteDirection(i, 0.1);
  EXPECT_EQ(0.5, Sprites[i].Angle) << "the same direction keeps the angle";
  MoveSpriteTo(i, 1, 2);
  EXPECT_EQ(4, Sprites[i].Direction) << "a walk north faces north";
}

// Targets that are NaN, infinite or far away end or run a walk without any
// count wrapping: the next tick arrives, or the sprite walks on.
TEST_F(SpriteMotion, HugeAndNaNTargets) {
  const struct {
    double X;
    int32_t StepsLeft;
  } cases[] = {{NAN, 0}, {INFINITY, INT32_MAX}, {1e300, INT32_MAX}, {-1e300, INT32_MAX}, {3e8, INT32_MAX}};
  for (auto& c : cases) {
    int32_t i = Standing(1, 1);
    MoveSpriteTo(i, c.X, 1);
    EXPECT_EQ(c.StepsLeft, Sprites[i].StepsLeft) << c.X;
    for (int32_t t = 0; t < 3; t++) Tick();
    EXPECT_GE(Sprites[i].StepsLeft, -1) << c.X;
    EXPECT_EQ(c.StepsLeft == 0 ? 0 : 1, Sprites[i].Moving) << c.X;
    Refresh();  // the sprite far away or at NaN draws nothing and breaks nothing
  }
}

// A new appearance keeps the phase's place in its range and the angle; a
// walking sprite does not start its rest animation until it arrives, and then
// is listed once.
TEST_F(SpriteMotion, NewData) {
  int32_t two = AddSprite(8, 8, OtherColor, 1000, 4, 2, 4);
  int32_t i = Standing(0, 0, 5, 5);
  EndSpriteAnimation(i);
  Sprites[i].Phase = 3;
  SetSpriteData(i, Sprites[two]);
  EXPECT_EQ(0, Sprites[i].Phase) << "rest phase 3 of 2 rest phases";
  EXPECT_EQ(1, Sprites[i].Animating);
  int32_t w = Standing(0, 1);
  MoveSpriteTo(w, 0.5, 1);
  SetSpriteData(w, Sprites[two]);
  EXPECT_EQ(0, Sprites[w].Animating) << "no animation while walking";
  EXPECT_FALSE(Listed(AnimatedSprites, w));
  for (int32_t t = 0; t < 6; t++) Tick();
  EXPECT_EQ(0, Sprites[w].Moving);
  int32_t listed = 0;
  for (int32_t k = 0; k < AnimatedSprites.Count; k++) listed += AnimatedSprites[k] == w;
  EXPECT_EQ(1, listed) << "one entry after arrival";
}

// The phase shown after the next step, in each state.
TEST_F(SpriteMotion, NextPhase) {
  const struct {
    const char* Name;
    int32_t Phase, Pending, Moving, StepsLeft, Expected;
  } cases[] = {
      {"pending", 1, 6, 0, -1, 6},        {"pending outside", 1, 8, 0, -1, 2},
      {"standing", 3, -1, 0, -1, 0},      {"walking", 5, -1, 1, 3, 6},
      {"walking, last phase", 7, -1, 1, 3, 4}, {"arriving, moving phase", 6, -1, 1, 0, 3},
      {"arriving, rest phase", 1, -1, 1, 0, 2},
  };
  int32_t i = Standing(0, 0, 8, 4);
  for (auto& c : cases) {
    Sprite& s = Sprites[i];
    s.Phase = c.Phase;
    s.PendingPhase = c.Pending;
    s.Moving = (uint8_t)c.Moving;
    s.StepsLeft = c.StepsLeft;
    EXPECT_EQ(c.Expected, NextSpritePhase(i)) << c.Name;
  }
  Sprites[i].Moving = 0;
}

// The sprites of a popped frame leave every list of the engine.
TEST_F(SpriteMotion, PoppedLocalSpritesLeaveTheLists) {
  ASSERT_TRUE(LoadTestProgram(R"(
sprite hero phases=2 directions=1 rest=2 w=8 h=8 fill=150
global
  main: function -> main_def
  f: function -> f_def
local
  main_def: function -> main_body
  f_def: function -> f_body
    ls: sprite = hero
      lsx: sprite_x
      lsv: sprite_vis
    lt: sprite = hero
      ltv: sprite_vis
program
  main_body: function
    @f
  f_body: function
    @ltv
      true
    @lsv
      true
    @lsx
      num 1
)"));
  ASSERT_TRUE(CompileProgram());
  Surface({"...."});
  int32_t count = Sprites.Count;
  Run();
  EXPECT_EQ(count, Sprites.Count);
  for (const IntList* list : {&VisibleSprites, &MovingSprites, &AnimatedSprites, &SpriteDrawOrder})
    for (int32_t k = 0; k < list->Count; k++) EXPECT_LT((*list)[k], count) << "an index of a popped sprite";
  EXPECT_EQ(SpriteDrawOrder.Count, SpriteDrawLevels.Count);
  EXPECT_EQ(SpriteDrawOrder.Count, SpriteDrawKeys.Count);
}

}  // namespace
