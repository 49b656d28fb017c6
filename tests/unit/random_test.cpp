// Tests of the random generator, its seed formula and the four roundings.
#include <gtest/gtest.h>
#include <float.h>
#include <math.h>
#include "base/random.h"
#include "base/rounding.h"

namespace {

// The x87 setting that start-up makes: 64-bit precision, rounding to nearest.
class RoundingTest : public testing::Test {
 protected:
  void SetUp() override {
    saved = _control87(0, 0);
    _control87(_PC_64 | _RC_NEAR, _MCW_PC | _MCW_RC);
  }
  void TearDown() override { _control87(saved, _MCW_PC | _MCW_RC); }
  unsigned saved;
};

TEST(RandomTest, SequenceFromSeedZero) {
  RandomSeed = 0;
  struct Step {
    uint32_t state;
  } steps[] = {{2531011u}, {505908858u}, {3539360597u}};
  for (const Step& s : steps) {
    double r = NextRandom();
    EXPECT_EQ(s.state, RandomSeed);
    EXPECT_EQ(s.state / 4294967296.0, r) << "exactly the state times 2^-32";
  }
}

TEST(RandomTest, ResultsStayBelowOne) {
  RandomSeed = 3887973612u;  // its successor is 0xFFFFFFFF
  double r = NextRandom();
  EXPECT_EQ(0xFFFFFFFFu, RandomSeed);
  EXPECT_EQ(1.0 - 1.0 / 4294967296.0, r);
  EXPECT_LT(r, 1.0);
}

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms) {
  SYSTEMTIME t = {};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  t.wMilliseconds = ms;
  return t;
}

TEST(RandomTest, SeedFormula) {
  struct Case {
    SYSTEMTIME time;
    uint32_t seed;
  } cases[] = {
      {Time(2024, 1, 0, 0, 0, 0, 0), 0u},
      {Time(2024, 1, 0, 0, 1, 0, 0), 1249808125u},
      {Time(2024, 1, 1, 0, 0, 0, 0), 2963141910u},
      {Time(2024, 1, 31, 23, 59, 59, 999), 2514152791u},
      {Time(1999, 12, 8, 5, 12, 34, 567), 2592048991u},
      // The year, month and hour take no part.
      {Time(2031, 7, 8, 17, 12, 34, 567), 2592048991u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.seed, RandomSeedFromTime(c.time))
        << c.time.wDay << " " << c.time.wMinute << ":" << c.time.wSecond << "." << c.time.wMilliseconds;
  }
}

TEST(RandomTest, SeedFromTheLocalTime) {
  // Retried until the clock did not move during the seeding.
  for (int attempt = 0; attempt < 100; attempt++) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    SeedRandomFromLocalTime();
    GetLocalTime(&after);
    if (RandomSeedFromTime(before) != RandomSeedFromTime(after)) continue;
    EXPECT_EQ(RandomSeedFromTime(before), RandomSeed);
    return;
  }
  FAIL() << "the clock never stood still";
}

const int32_t Min = INT32_MIN;
const int32_t Max = INT32_MAX;

struct RoundCase {
  double x;
  int32_t round, trunc, ceil, floor;
};

const RoundCase RoundCases[] = {
    {0.0, 0, 0, 0, 0},
    {-0.0, 0, 0, 0, 0},
    {0.5, 0, 0, 1, 0},
    {1.5, 2, 1, 2, 1},
    {2.5, 2, 2, 3, 2},
    {3.5, 4, 3, 4, 3},
    {-0.5, 0, 0, 0, -1},
    {-2.5, -2, -2, -2, -3},
    {1.2, 1, 1, 2, 1},
    {-1.7, -2, -1, -1, -2},
    {1e-300, 0, 0, 1, 0},
    {-1e-300, 0, 0, 0, -1},
    {2147483647.0, Max, Max, Max, Max},
    {2147483647.4, Max, Max, Min, Max},
    {2147483647.5, Min, Max, Min, Max},
    {2147483647.9, Min, Max, Min, Max},
    {2147483648.0, Min, Min, Min, Min},
    {3e9, Min, Min, Min, Min},
    {-2147483647.7, Min, -2147483647, -2147483647, Min},
    {-2147483648.0, Min, Min, Min, Min},
    {-2147483648.4, Min, Min, Min, Min},
    {-2147483649.0, Min, Min, Min, Min},
    {-3e9, Min, Min, Min, Min},
    {INFINITY, Min, Min, Min, Min},
    {-INFINITY, Min, Min, Min, Min},
    {NAN, Min, Min, Min, Min},
};

TEST_F(RoundingTest, Roundings) {
  for (const RoundCase& c : RoundCases) {
    EXPECT_EQ(c.round, RoundToInt(c.x)) << "RoundToInt " << c.x;
    EXPECT_EQ(c.trunc, TruncToInt(c.x)) << "TruncToInt " << c.x;
    EXPECT_EQ(c.ceil, CeilToInt(c.x)) << "CeilToInt " << c.x;
    EXPECT_EQ(c.floor, FloorToInt(c.x)) << "FloorToInt " << c.x;
  }
}

// Whatever rounding mode a caller left: TruncToInt and CeilToInt put its
// control word back, FloorToInt still floors.
TEST_F(RoundingTest, RoundingsUnderAnotherModeKeepTheControlWord) {
  const unsigned modes[] = {_RC_UP, _RC_DOWN, _RC_CHOP};
  for (unsigned mode : modes) {
    _control87(mode, _MCW_RC);
    unsigned before = _control87(0, 0);
    for (const RoundCase& c : RoundCases) {
      EXPECT_EQ(c.trunc, TruncToInt(c.x)) << "TruncToInt " << c.x << " mode " << mode;
      EXPECT_EQ(c.ceil, CeilToInt(c.x)) << "CeilToInt " << c.x << " mode " << mode;
      EXPECT_EQ(c.floor, FloorToInt(c.x)) << "FloorToInt " << c.x << " mode " << mode;
    }
    EXPECT_EQ(before, _control87(0, 0)) << "mode " << mode;
  }
}

}  // namespace
