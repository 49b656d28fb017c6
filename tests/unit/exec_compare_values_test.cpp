// Comparisons of the object kinds run as compiled programs: equal means one
// shared record, empty means the kind's empty record, and a chain stops at
// the first pair that differs.
#include "expression_fixture.h"

namespace {

// Two variables of each kind from one constant, a third from a constant with
// the same contents; z gives the empty value of each kind (its results have
// no initial value); ic counts its calls and gives the icon i1.
const char* const ObjectProgram = R"(
picture ball fill=7
picture ball2 fill=7
background sky w=8 h=4 fill=5
background sky2 w=8 h=4 fill=5
map level w=2 h=2
map level2 w=2 h=2
sprite hero phases=1 directions=1 rest=1 w=32 h=32 fill=3
sprite hero2 phases=1 directions=1 rest=1 w=32 h=32 fill=3
sound beep rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
sound beep2 rate=22050 bits=16 channels=1 format=1
  samples 0 100 -100
music tune
  notes 60
music tune2
  notes 60
global
  main: function -> main_def
  ic: function -> ic_def
  z: function -> z_def
  b: logic = false
  calls: real = 0
  mmain: map = level
  i1: picture = ball
  i2: picture = ball
  i3: picture = ball2
  p1: background = sky
  p2: background = sky
  p3: background = sky2
  m1: map = level
  m2: map = level
  m3: map = level2
  s1: sprite = hero
  s2: sprite = hero
  s3: sprite = hero2
  w1: sound = beep
  w2: sound = beep
  w3: sound = beep2
  u1: music = tune
  u2: music = tune
  u3: music = tune2
local
  main_def: function -> main_body
  ic_def: function -> ic_body
    oparam
      ir: picture = ball2
  z_def: function -> z_body
    oparam
      zi: picture
      zp: background
      zm: map
      zs: sprite
      zw: sound
      zu: music
program
  main_body: function
%CMD%
    @b
%BOOL%
  ic_body: function
    @ir
      @i1
    @calls
      +
        @calls
        1
  z_body: function
)";

class ExecCompareValues : public ProgramTest {
 public:
  int Bool(const std::string& logic, const std::string& commands = "") {
    SetUp();
    std::string source = ObjectProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    source.replace(source.find("%BOOL%"), 6, ExpressionLines(logic, 3));
    if (!LoadTestProgram(source) || !CompileProgram()) return -1;
    Run();
    Calls = Numbers[GlobalItemLinks[4].DataIndex];
    return Logics[GlobalItemLinks[3].DataIndex];
  }
  double Calls;
};

// The kinds by element and variable letter.
struct Kind {
  const char* Element;
  const char* Letter;
};
const Kind Kinds[] = {{"icon_equal", "i"}, {"picture_equal", "p"}, {"map_equal", "m"}, {"sprite_equal", "s"}, {"sound_equal", "w"}, {"music_equal", "u"}};

TEST_F(ExecCompareValues, IdentityAndEmptiness) {
  // %1, %2 (from the first's constant), %3 (equal contents), z (empty).
  const struct {
    const char* Pattern;
    int Expected;
  } cases[] = {
      {"(%e (@%1) (@%1))", 1},
      {"(%e (@%1) (@%2))", 1},
      {"(%e (@%1) (@%3))", 0},
      {"(%e (@%1) (@%2) (@%1))", 1},
      {"(%e (@%1) (@%2) (@%3))", 0},
      {"(%e (@z))", 1},
      {"(%e (@%1))", 0},
      {"(%e (@%3))", 0},
  };
  for (const Kind& k : Kinds)
    for (auto& c : cases) {
      std::string e = c.Pattern;
      for (size_t at; (at = e.find("%e")) != std::string::npos;) e.replace(at, 2, k.Element);
      for (size_t at; (at = e.find('%')) != std::string::npos;) e.replace(at, 1, k.Letter);
      EXPECT_EQ(c.Expected, Bool(e)) << e;
    }
}

// A value assigned from another variable shares its record; a sprite takes
// over only the appearance, which is what sprites compare.
TEST_F(ExecCompareValues, AssignedValuesShare) {
  for (const Kind& k : Kinds) {
    std::string v1 = std::string("@") + k.Letter + "1", v3 = std::string("@") + k.Letter + "3";
    std::string assign = "(" + v3 + " (" + v1 + "))";
    EXPECT_EQ(1, Bool(std::string("(") + k.Element + " (" + v1 + ") (" + v3 + "))", assign)) << k.Element;
  }
}

// After the first pair that differs the rest is not evaluated.
TEST_F(ExecCompareValues, ChainStopsAtFirstDifference) {
  EXPECT_EQ(0, Bool("(icon_equal (@i1) (@i3) (@ic) (@ic))"));
  EXPECT_EQ(0, Calls);
  EXPECT_EQ(1, Bool("(icon_equal (@i1) (@ic) (@i2))"));
  EXPECT_EQ(1, Calls);
  EXPECT_EQ(0, Bool("(icon_equal (@i1) (@ic) (@i3) (@ic))"));
  EXPECT_EQ(1, Calls);
}

}  // namespace
