// Dates and times as elements: making a time from parts with its clamps and
// the day-31 fallback, taking it apart, the five text forms, the local and
// UTC conversions and the clock behind its seam. The tests run in a zone
// without daylight saving, nine hours east of UTC (scripts/wine-run.sh):
// Wine converts with the current bias, not the date's.
#include "expression_fixture.h"
#include "system/date_time.h"

namespace {

const double Y2000 = 12591158400.0;  // 2000-01-01 00:00:00
const double Day = 86400.0;

class DateTime : public ExpressionTest {
 public:
  // "(#487 (#488 (num y)) ...)" with the parameters given.
  static std::string Make(const char* params) { return std::string("(#487 ") + params + ")"; }

  std::string TextOf(const std::string& expression) {
    if (!RunExpressions("", "", "(@ta " + expression + ")")) return "program failed";
    const Text& t = Texts[GlobalValue("ta")];
    return std::string(t.Chars(), t.Length());
  }
};

TEST_F(DateTime, TestsRunInAZoneNineHoursEast) {
  TIME_ZONE_INFORMATION tz;
  GetTimeZoneInformation(&tz);
  ASSERT_EQ(-540, tz.Bias) << "run the tests through scripts/wine-run.sh, which pins TZ";
}

// Each parameter rounded and clamped; day 31 means the month's last day.
TEST_F(DateTime, MakeFromParts) {
  const struct {
    const char* Params;
    double Expected;
  } cases[] = {
      {"(#488 (num 2000))", Y2000},
      {"", 0},
      {"(#488 (num 2000)) (#489 (num 2)) (#490 (num 31))", Y2000 + 59 * Day},      // 29 February 2000
      {"(#488 (num 2001)) (#489 (num 2)) (#490 (num 31))", Y2000 + 424 * Day},     // 28 February 2001
      {"(#488 (num 2001)) (#489 (num 2)) (#490 (num 30))", 0},
      {"(#488 (num 2001)) (#489 (num 2)) (#490 (num 29))", 0},                     // Wine itself takes it
      {"(#488 (num 2100)) (#489 (num 2)) (#490 (num 29))", 0},                     // not a leap year
      {"(#488 (num 2001)) (#489 (num 4)) (#490 (num 31))", Y2000 + 485 * Day},     // 30 April 2001
      {"(#488 (num 2000)) (#489 (num 13)) (#490 (num 31))", Y2000 + 365 * Day},    // 31 December
      {"(#488 (num 2000)) (#489 (num 0)) (#490 (num -4))", Y2000},
      {"(#488 (num 2000)) (#491 (num -3)) (#492 (num 70)) (#493 (num 60))", Y2000 + 59 * 60 + 59},
      {"(#488 (num 2000)) (#491 (num 24))", Y2000 + 23 * 3600},
      {"(#488 (num 2000)) (#494 (num 1234))", Y2000 + 0.999},
      {"(#488 (num 2000)) (#491 (num 1.5)) (#492 (num 2.5))", Y2000 + 2 * 3600 + 2 * 60},  // ties to even
      {"(#488 (num 1500))", 0},
      {"(#488 (@nan))", 0},
      {"(#488 (num 1e300))", 0},                                                   // indefinite: the low end
      {"(#488 (num 9999)) (#489 (num 12)) (#490 (num 31)) (#491 (num 23)) (#492 (num 59)) (#493 (num 59))",
       265046774399.0},
      {"(#490 (num 2)) (#488 (num 2000))", Y2000 + Day},                            // any order in the image
  };
  for (auto& c : cases) {
    double v = Num(Make(c.Params));
    EXPECT_DOUBLE_EQ(c.Expected, v) << c.Params;
  }
}

// Every part of one time, and what a time before 1601 or beyond 64 bits reads as.
TEST_F(DateTime, Parts) {
  const char* heads[] = {"#495", "#496", "#497", "#498", "#499", "#500", "#501", "#502"};
  const struct {
    const char* Time;
    int Parts[8];  // year, month, day, weekday, hour, minute, second, millisecond
  } cases[] = {
      {"(num 12591158400)", {2000, 1, 1, 6, 0, 0, 0, 0}},
      {"(num 0)", {1601, 1, 1, 1, 0, 0, 0, 0}},
      {"(num -5)", {1601, 1, 1, 1, 0, 0, 0, 0}},
      {"(num 1e300)", {1601, 1, 1, 1, 0, 0, 0, 0}},
      {"(@nan)", {1601, 1, 1, 1, 0, 0, 0, 0}},
      {"(num 12591158400.0004)", {2000, 1, 1, 6, 0, 0, 0, 0}},
      {"(#487 (#488 (num 2024)) (#489 (num 3)) (#490 (num 5)) (#491 (num 13)) (#492 (num 5)) (#493 (num 9)) "
       "(#494 (num 678)))",
       {2024, 3, 5, 2, 13, 5, 9, 678}},
      {"(#487 (#488 (num 2001)) (#489 (num 2)) (#490 (num 31)) (#494 (num 1)))", {2001, 2, 28, 3, 0, 0, 0, 1}},
  };
  for (auto& c : cases)
    for (int k = 0; k < 8; k++)
      EXPECT_EQ(c.Parts[k], Num(std::string("(") + heads[k] + " " + c.Time + ")")) << heads[k] << " of " << c.Time;
}

TEST_F(DateTime, TextForms) {
  const std::string march5 = "(#487 (#488 (num 2024)) (#489 (num 3)) (#490 (num 5))";
  auto at = [&](const char* hms) { return march5 + " " + hms + ")"; };
  const struct {
    const char* Head;
    std::string Time;
    const char* Expected;
  } cases[] = {
      {"#503", at(""), " 5.03.2024"},
      {"#504", at(""), " 3/05/2024"},
      {"#505", at(""), "2024-03-05"},
      {"#506", at("(#491 (9)) (#492 (7)) (#493 (3))"), " 9:07:03"},
      {"#507", at("(#491 (9)) (#492 (7)) (#493 (3))"), " 9:07:03a"},
      {"#507", at("(#492 (num 30))"), "12:30:00a"},
      {"#507", at("(#491 (num 12))"), "12:00:00p"},
      {"#507", at("(#491 (num 13)) (#492 (5)) (#493 (9))"), " 1:05:09p"},
      {"#507", at("(#491 (num 23)) (#492 (num 59)) (#493 (num 59))"), "11:59:59p"},
      {"#506", at("(#491 (num 23)) (#492 (num 59)) (#493 (num 59))"), "23:59:59"},
      {"#503", "(#487 (#488 (num 1999)) (#489 (num 12)) (#490 (num 31)))", "31.12.1999"},
      {"#504", "(#487 (#488 (num 1999)) (#489 (num 12)) (#490 (num 31)))", "12/31/1999"},
      {"#505", "(num -5)", "1601-01-01"},
      {"#505", "(#487 (#488 (num 9999)) (#489 (num 12)) (#490 (num 31)))", "9999-12-31"},
  };
  for (auto& c : cases)
    EXPECT_EQ(c.Expected, TextOf(std::string("(") + c.Head + " " + c.Time + ")")) << c.Head << " of " << c.Time;
}

// The zone is 9 hours east: local time 0 is 9 hours before 1601 in UTC, a
// negative count that must stay negative.
TEST_F(DateTime, LocalAndUtc) {
  const double Shift = 9 * 3600;
  const struct {
    const char* Expression;
    double Expected;
  } cases[] = {
      {"(#485 (num 0))", -Shift},
      {"(#486 (num 0))", Shift},
      {"(#485 (num 12591158400))", Y2000 - Shift},
      {"(#486 (num 12591158400))", Y2000 + Shift},
      {"(#486 (#485 (num 12591158400.25)))", Y2000 + 0.25},
      {"(#485 (num -100))", -Shift},  // before 1601 counts as 0
      {"(#486 (@nan))", Shift},
  };
  for (auto& c : cases) EXPECT_DOUBLE_EQ(c.Expected, Num(c.Expression)) << c.Expression;
}

SYSTEMTIME FakeClockTime;
SYSTEMTIME FakeClockSet;
int FakeClockSets;
void WINAPI FakeGetLocalTime(LPSYSTEMTIME st) { *st = FakeClockTime; }
BOOL WINAPI FakeSetLocalTime(const SYSTEMTIME* st) {
  FakeClockSets++;
  FakeClockSet = *st;
  return TRUE;
}

TEST_F(DateTime, ClockThroughTheSeam) {
  FakeClockTime = {2024, 3, 2, 5, 13, 5, 9, 250};
  FakeClockSets = 0;
  DateSys = {FakeGetLocalTime, FakeSetLocalTime};
  double now = Num("(#484)");
  ASSERT_TRUE(RunExpressions("", "", "(#484 (#487 (#488 (num 2003)) (#489 (num 7)) (#490 (num 14)) (#491 (num 8)) "
                                     "(#494 (num 250))))"));
  DateSys = RealDateSys;
  EXPECT_DOUBLE_EQ(Num("(#487 (#488 (num 2024)) (#489 (num 3)) (#490 (num 5)) (#491 (num 13)) (#492 (5)) "
                       "(#493 (9)) (#494 (num 250)))"),
                   now);
  ASSERT_EQ(1, FakeClockSets);
  EXPECT_EQ(2003, FakeClockSet.wYear);
  EXPECT_EQ(7, FakeClockSet.wMonth);
  EXPECT_EQ(14, FakeClockSet.wDay);
  EXPECT_EQ(1, FakeClockSet.wDayOfWeek);
  EXPECT_EQ(8, FakeClockSet.wHour);
  EXPECT_EQ(250, FakeClockSet.wMilliseconds);
}

// Wine refuses to move the clock: the command reports nothing and the clock
// keeps its time.
TEST_F(DateTime, SettingTheRealClockIsRefused) {
  ASSERT_TRUE(RunExpressions("", "", "(#484 (#487 (#488 (num 2003))))"));
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_GT(st.wYear, 2003);
  double now = Num("(#495 (#484))");
  EXPECT_EQ(st.wYear, now);
}

}  // namespace
