// Joysticks on a fake device behind the joystick calls: axis scaling with
// clamp, dead band and inversion, buttons, the failure with its back-off and
// recovery, one query per tick, and the elements in compiled programs.
#include <string.h>
#include <string>
#include "expression_fixture.h"
#include "input/joystick_seam.h"
#include "input/joystick_state.h"

namespace {

// One scripted stick per id; Other counts queries of ids beyond 3.
struct FakeStick {
  MMRESULT CapsResult, PosResult;
  JOYCAPSA Caps;
  JOYINFO Pos;
  int32_t CapsCalls, PosCalls;
  UINT CapsSize;  // the size the last capabilities query passed
};
FakeStick Sticks[JoystickCount];
int32_t OtherQueries;

MMRESULT WINAPI FakeGetDevCaps(UINT_PTR id, LPJOYCAPSA caps, UINT size) {
  if (id >= (UINT_PTR)JoystickCount) {
    OtherQueries++;
    return JOYERR_PARMS;
  }
  FakeStick& s = Sticks[id];
  s.CapsCalls++;
  s.CapsSize = size;
  if (s.CapsResult == JOYERR_NOERROR) *caps = s.Caps;
  return s.CapsResult;
}

MMRESULT WINAPI FakeGetPos(UINT id, LPJOYINFO pos) {
  if (id >= (UINT)JoystickCount) {
    OtherQueries++;
    return JOYERR_PARMS;
  }
  FakeStick& s = Sticks[id];
  s.PosCalls++;
  if (s.PosResult == JOYERR_NOERROR) *pos = s.Pos;
  return s.PosResult;
}

struct AxisRange {
  UINT Lo, Hi;
};
const AxisRange Wide = {0, 65535};  // range 65536, dead band 128

// Every stick answers, all three axes over range r, centred, no button.
void ResetSticks(AxisRange r = Wide) {
  memset(Sticks, 0, sizeof Sticks);
  OtherQueries = 0;
  for (FakeStick& s : Sticks) {
    s.Caps.wXmin = s.Caps.wYmin = s.Caps.wZmin = r.Lo;
    s.Caps.wXmax = s.Caps.wYmax = s.Caps.wZmax = r.Hi;
    s.Pos.wXpos = s.Pos.wYpos = s.Pos.wZpos = r.Lo + (r.Hi - r.Lo) / 2;
  }
  JoystickSys = {FakeGetDevCaps, FakeGetPos};
}

// The state as the main run prepares it, with the values of a fresh process.
void ResetJoystickState() {
  PrepareJoysticks();
  for (int n = 0; n < JoystickCount; n++) {
    JoystickX[n] = JoystickY[n] = JoystickZ[n] = 0;
    JoystickButton1[n] = JoystickButton2[n] = JoystickButton3[n] = JoystickButton4[n] = 0;
  }
}

// A tick passes, then joystick n is polled.
void NextTickPoll(int32_t n) {
  AgeJoystickPolls();
  PollJoystick(n);
}

class JoystickTest : public ::testing::Test {
 public:
  void SetUp() override {
    ResetSticks();
    ResetJoystickState();
  }
  void TearDown() override { JoystickSys = RealJoystickSys; }
};

// One axis range and reading on all three axes: x and z scale alike, y is
// mirrored (smaller readings positive). Full 32-bit ranges overflow 32-bit
// arithmetic; a low end above the high end is no axis.
TEST_F(JoystickTest, AxisScaling) {
  const struct {
    const char* Name;
    UINT Lo, Hi, Pos;
    double X;
  } cases[] = {
      {"centre", 0, 65535, 32767, 0.0},
      {"full left", 0, 65535, 0, -1.0},
      {"full right", 0, 65535, 65535, 1.0},
      {"a quarter", 0, 65535, 16384, -0.5},
      {"beyond the high end clamps", 0, 65535, 70000, 1.0},
      {"below the low end clamps", 100, 1100, 3, -1.0},
      {"offset range", 1000, 2000, 1750, 0.499},
      {"range 3 is an axis", 0, 2, 2, 0.333},
      {"range 2 is none", 0, 1, 1, 0.0},
      {"range 1 is none", 7, 7, 7, 0.0},
      {"low above high is none", 65535, 0, 65535, 0.0},
      {"low far above high is none", 0xFFFFFFFF, 0, 5, 0.0},
      {"32-bit range, top", 0, 0xFFFFFFFF, 0xFFFFFFFF, 1.0},
      {"32-bit range, bottom", 0, 0xFFFFFFFF, 0, -1.0},
      {"32-bit range, three quarters", 0, 0xFFFFFFFF, 0xC0000000, 0.5},
      {"high half of 32 bits", 0x80000000, 0xFFFFFFFF, 0x80000000, -1.0},
  };
  for (auto& c : cases) {
    ResetSticks({c.Lo, c.Hi});
    ResetJoystickState();
    JoystickX[1] = JoystickY[1] = JoystickZ[1] = 0.77;  // a no-axis result must overwrite it
    Sticks[1].Pos.wXpos = Sticks[1].Pos.wYpos = Sticks[1].Pos.wZpos = c.Pos;
    PollJoystick(1);
    EXPECT_DOUBLE_EQ(c.X, JoystickX[1]) << c.Name;
    EXPECT_DOUBLE_EQ(-c.X, JoystickY[1]) << c.Name;
    EXPECT_DOUBLE_EQ(c.X, JoystickZ[1]) << c.Name;
    EXPECT_EQ(-1, JoystickRetry[1]) << c.Name << ": no failure";
  }
}

// Each axis reads its own range and reading.
TEST_F(JoystickTest, AxesAreSeparate) {
  JOYCAPSA& caps = Sticks[2].Caps;
  caps.wXmin = 0, caps.wXmax = 65535;
  caps.wYmin = 0, caps.wYmax = 255;
  caps.wZmin = 10, caps.wZmax = 11;
  Sticks[2].Pos = {0, 64, 11, 0};
  PollJoystick(2);
  EXPECT_DOUBLE_EQ(-1.0, JoystickX[2]);
  EXPECT_DOUBLE_EQ(0.5, JoystickY[2]) << "(256 - 128) / 256, inverted";
  EXPECT_DOUBLE_EQ(0.0, JoystickZ[2]) << "range 2";
  for (int n : {0, 1, 3}) EXPECT_EQ(0, Sticks[n].CapsCalls) << "joystick " << n;
  EXPECT_EQ(sizeof(JOYCAPSA), Sticks[2].CapsSize);
}

TEST_F(JoystickTest, Buttons) {
  const struct {
    UINT Bits;
    uint8_t B1, B2, B3, B4;
  } cases[] = {
      {0, 0, 0, 0, 0}, {1, 1, 0, 0, 0}, {2, 0, 1, 0, 0}, {4, 0, 0, 1, 0},
      {8, 0, 0, 0, 1}, {15, 1, 1, 1, 1}, {0xFFF0, 0, 0, 0, 0}, {0x25, 1, 0, 1, 0},
  };
  for (auto& c : cases) {
    ResetJoystickState();
    Sticks[3].Pos.wButtons = c.Bits;
    PollJoystick(3);
    EXPECT_EQ(c.B1, JoystickButton1[3]) << c.Bits;
    EXPECT_EQ(c.B2, JoystickButton2[3]) << c.Bits;
    EXPECT_EQ(c.B3, JoystickButton3[3]) << c.Bits;
    EXPECT_EQ(c.B4, JoystickButton4[3]) << c.Bits;
  }
}

// A second reading within range / 512 of the last accepted one keeps the
// value, on either side and at the band's edge; a reading outside takes the
// new one. The band counts from the last accepted reading, not the last seen.
TEST_F(JoystickTest, DeadBand) {
  const struct {
    const char* Name;
    AxisRange Range;
    std::vector<UINT> Readings;
    double X;  // after the last reading
    UINT Raw;  // the last accepted reading
  } cases[] = {
      {"within", Wide, {40000, 40100}, 0.221, 40000},
      {"at the upper edge", Wide, {40000, 40128}, 0.221, 40000},
      {"at the lower edge", Wide, {40000, 39872}, 0.221, 40000},
      {"past the upper edge", Wide, {40000, 40129}, 0.225, 40129},
      {"past the lower edge", Wide, {40000, 39871}, 0.217, 39871},
      {"creeping is measured from the accepted reading", Wide, {40000, 40100, 40200}, 0.227, 40200},
      {"a clamped reading", Wide, {65500, 90000}, 0.999, 65500},
      {"band 0 below range 512", {0, 510}, {300, 301}, 0.178, 301},
      {"band 2 at range 1024", {0, 1023}, {700, 702, 703}, 0.373, 703},
  };
  for (auto& c : cases) {
    ResetSticks(c.Range);
    ResetJoystickState();
    for (UINT p : c.Readings) {
      Sticks[0].Pos.wXpos = p;
      NextTickPoll(0);
    }
    EXPECT_DOUBLE_EQ(c.X, JoystickX[0]) << c.Name;
    EXPECT_EQ((int64_t)c.Raw, JoystickRawX[0]) << c.Name;
  }
}

// The first reading is always taken, wherever it lies.
TEST_F(JoystickTest, FirstReadingIsTaken) {
  for (UINT p : {0u, 0x80200000u, 0xFFFFFFFFu}) {
    ResetSticks({0, 0xFFFFFFFF});
    ResetJoystickState();
    JoystickX[0] = 0.5;
    Sticks[0].Pos.wXpos = p;
    PollJoystick(0);
    EXPECT_EQ((int64_t)p, JoystickRawX[0]) << p;
    EXPECT_NE(0.5, JoystickX[0]) << p;
  }
}

// Either query failing zeroes the stick's values and leaves it alone for 90
// ticks (no query, values 0); at the 91st it is asked again and reads at once.
TEST_F(JoystickTest, FailureBacksOffThenRecovers) {
  const struct {
    const char* Name;
    MMRESULT Caps, Pos;
    int32_t PosCallsOnFailure;
  } cases[] = {
      {"capabilities fail", JOYERR_UNPLUGGED, JOYERR_NOERROR, 0},
      {"position fails", JOYERR_NOERROR, JOYERR_UNPLUGGED, 1},
      {"no driver", MMSYSERR_NODRIVER, MMSYSERR_NODRIVER, 0},
  };
  for (auto& c : cases) {
    ResetSticks();
    ResetJoystickState();
    FakeStick& s = Sticks[1];
    s.Pos = {40000, 40000, 40000, 5};
    PollJoystick(1);
    ASSERT_DOUBLE_EQ(0.221, JoystickX[1]) << c.Name;

    s.CapsResult = c.Caps;
    s.PosResult = c.Pos;
    s.CapsCalls = s.PosCalls = 0;
    NextTickPoll(1);
    EXPECT_EQ(1, s.CapsCalls) << c.Name;
    EXPECT_EQ(c.PosCallsOnFailure, s.PosCalls) << c.Name;
    EXPECT_EQ(90, JoystickRetry[1]) << c.Name;
    EXPECT_EQ(0.0, JoystickX[1]) << c.Name;
    EXPECT_EQ(0.0, JoystickY[1]) << c.Name;
    EXPECT_EQ(0.0, JoystickZ[1]) << c.Name;
    EXPECT_EQ(0, JoystickButton1[1] + JoystickButton2[1] + JoystickButton3[1] + JoystickButton4[1]) << c.Name;

    // The device answers again at once, but is not asked until the back-off ends.
    s.CapsResult = s.PosResult = JOYERR_NOERROR;
    for (int32_t tick = 1; tick <= 90; tick++) NextTickPoll(1);
    EXPECT_EQ(1, s.CapsCalls) << c.Name << ": asked during the back-off";
    EXPECT_EQ(0.0, JoystickX[1]) << c.Name;
    EXPECT_EQ(0, JoystickButton3[1]) << c.Name;
    EXPECT_EQ(0, JoystickRetry[1]) << c.Name;

    // The same position as before the failure, within its dead band: read anyway.
    NextTickPoll(1);
    EXPECT_EQ(2, s.CapsCalls) << c.Name;
    EXPECT_DOUBLE_EQ(0.221, JoystickX[1]) << c.Name;
    EXPECT_DOUBLE_EQ(-0.221, JoystickY[1]) << c.Name;
    EXPECT_DOUBLE_EQ(0.221, JoystickZ[1]) << c.Name;
    EXPECT_EQ(1, JoystickButton1[1]) << c.Name;
    EXPECT_EQ(1, JoystickButton3[1]) << c.Name;
  }
}

// A failing stick backs off alone; the others are still read.
TEST_F(JoystickTest, FailureIsPerJoystick) {
  Sticks[2].CapsResult = JOYERR_UNPLUGGED;
  for (int n = 0; n < JoystickCount; n++) {
    Sticks[n].Pos.wXpos = 65535;
    PollJoystick(n);
  }
  for (int n = 0; n < JoystickCount; n++) {
    EXPECT_EQ(n == 2 ? 90 : -1, JoystickRetry[n]) << n;
    EXPECT_EQ(n == 2 ? 0.0 : 1.0, JoystickX[n]) << n;
  }
}

// However often a stick is read in a tick, it is queried once; the next tick
// queries it again, also while the position stays the same.
TEST_F(JoystickTest, OneQueryPerTick) {
  for (int32_t tick = 1; tick <= 3; tick++) {
    Sticks[0].Pos.wXpos = tick == 2 ? 0 : 65535;
    for (int32_t read = 0; read < 4; read++) PollJoystick(0);
    EXPECT_EQ(tick, Sticks[0].CapsCalls);
    EXPECT_EQ(tick, Sticks[0].PosCalls);
    EXPECT_EQ(tick == 2 ? -1.0 : 1.0, JoystickX[0]) << tick;
    Sticks[0].Pos.wXpos = 32767;  // a change within the tick is not seen
    PollJoystick(0);
    EXPECT_EQ(tick == 2 ? -1.0 : 1.0, JoystickX[0]) << tick;
    AgeJoystickPolls();
  }
}

// This Wine has no joystick: the real queries fail and the poll backs off.
TEST_F(JoystickTest, RealQueriesFailUnderWine) {
  JoystickSys = RealJoystickSys;
  JoystickX[0] = 0.5;
  PollJoystick(0);
  EXPECT_EQ(90, JoystickRetry[0]);
  EXPECT_EQ(0.0, JoystickX[0]);
}

// The elements in programs: the operand picks the stick (0 without one,
// rounded), a number outside 0..3 gives 0 or false without a query.
class JoystickElements : public ExpressionTest {
 public:
  JoystickElements() {
    ResetSticks();
    ResetJoystickState();
    Sticks[0].Pos = {65535, 65535, 0, 1};
    Sticks[1].Pos = {0, 0, 65535, 2};
    Sticks[2].Pos = {16384, 16384, 49151, 4};
    Sticks[3].Pos = {65535, 0, 65535, 8};
  }
  void TearDown() override {
    JoystickSys = RealJoystickSys;
    ExpressionTest::TearDown();
  }
  static int32_t Queries() {
    int32_t q = OtherQueries;
    for (const FakeStick& s : Sticks) q += s.CapsCalls;
    return q;
  }
};

TEST_F(JoystickElements, Axes) {
  const struct {
    const char* Expression;
    double Value;
    int32_t Queried;  // the stick asked; -1 none
  } cases[] = {
      {"(joystick_x)", 1.0, 0},
      {"(joystick_y)", -1.0, 0},
      {"(joystick_z)", -1.0, 0},
      {"(joystick_x (num 1))", -1.0, 1},
      {"(joystick_y (num 1))", 1.0, 1},
      {"(joystick_z (num 1))", 1.0, 1},
      {"(joystick_x (num 2))", -0.5, 2},
      {"(joystick_y (num 2))", 0.5, 2},
      {"(joystick_z (num 2))", 0.5, 2},
      {"(joystick_y (num 2.6))", 1.0, 3},
      {"(joystick_z (num 3.4))", 1.0, 3},
      {"(joystick_x (num 4))", 0.0, -1},
      {"(joystick_y (num -1))", 0.0, -1},
      {"(joystick_z (num 4294967296))", 0.0, -1},
      {"(joystick_x (@nan))", 0.0, -1},
  };
  for (auto& c : cases) {
    ResetJoystickState();
    for (FakeStick& s : Sticks) s.CapsCalls = 0;
    OtherQueries = 0;
    ASSERT_TRUE(RunExpressions(c.Expression, "")) << c.Expression;
    EXPECT_DOUBLE_EQ(c.Value, R) << c.Expression;
    EXPECT_EQ(c.Queried < 0 ? 0 : 1, Queries()) << c.Expression;
    if (c.Queried >= 0) {
      EXPECT_EQ(1, Sticks[c.Queried].CapsCalls) << c.Expression;
    }
  }
}

TEST_F(JoystickElements, Buttons) {
  const struct {
    const char* Expression;
    uint8_t Value;
    int32_t Queries;
  } cases[] = {
      {"(joystick_button1)", 1, 1},
      {"(joystick_button2)", 0, 1},
      {"(joystick_button2 (num 1))", 1, 1},
      {"(joystick_button3 (num 1))", 0, 1},
      {"(joystick_button3 (num 2))", 1, 1},
      {"(joystick_button4 (num 2))", 0, 1},
      {"(joystick_button4 (num 3))", 1, 1},
      {"(joystick_button1 (num 3))", 0, 1},
      {"(joystick_button1 (num 4))", 0, 0},
      {"(joystick_button4 (num -1))", 0, 0},
      {"(joystick_button2 (@nan))", 0, 0},
  };
  for (auto& c : cases) {
    ResetJoystickState();
    for (FakeStick& s : Sticks) s.CapsCalls = 0;
    OtherQueries = 0;
    EXPECT_EQ(c.Value, Bool(c.Expression)) << c.Expression;
    EXPECT_EQ(c.Queries, Queries()) << c.Expression;
  }
}

// A program reading every value of a stick in one tick queries it once.
TEST_F(JoystickElements, ProgramReadsOncePerTick) {
  ASSERT_TRUE(RunExpressions("(+ (joystick_x) (joystick_y) (joystick_z))", "(and (joystick_button1) (joystick_button2) (joystick_button3) (joystick_button4))"));
  EXPECT_EQ(1, Sticks[0].CapsCalls);
  EXPECT_EQ(1, Sticks[0].PosCalls);
  EXPECT_DOUBLE_EQ(-1.0, R) << "1 - 1 - 1";
  EXPECT_EQ(0, B) << "only button 1 is down";
}

}  // namespace
