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
  // "(date_make (date_make_year (num y)) ...)" with the parameters given.
  static std::string Make(const char* params) { return std::string("(date_make ") + params + ")"; }

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
      {"(date_make_year (num 2000))", Y2000},
      {"", 0},
      {"(date_make_year (num 2000)) (date_make_month (num 2)) (date_make_day (num 31))", Y2000 + 59 * Day},      // 29 February 2000
      {"(date_make_year (num 2001)) (date_make_month (num 2)) (date_make_day (num 31))", Y2000 + 424 * Day},     // 28 February 2001
      {"(date_make_year (num 2001)) (date_make_month (num 2)) (date_make_day (num 30))", 0},
      {"(date_make_year (num 2001)) (date_make_month (num 2)) (date_make_day (num 29))", 0},                     // Wine itself takes it
      {"(date_make_year (num 2100)) (date_make_month (num 2)) (date_make_day (num 29))", 0},                     // not a leap year
      {"(date_make_year (num 2001)) (date_make_month (num 4)) (date_make_day (num 31))", Y2000 + 485 * Day},     // 30 April 2001
      {"(date_make_year (num 2000)) (date_make_month (num 13)) (date_make_day (num 31))", Y2000 + 365 * Day},    // 31 December
      {"(date_make_year (num 2000)) (date_make_month (num 0)) (date_make_day (num -4))", Y2000},
      {"(date_make_year (num 2000)) (date_make_hour (num -3)) (date_make_minute (num 70)) (date_make_second (num 60))", Y2000 + 59 * 60 + 59},
      {"(date_make_year (num 2000)) (date_make_hour (num 24))", Y2000 + 23 * 3600},
      {"(date_make_year (num 2000)) (date_make_ms (num 1234))", Y2000 + 0.999},
      {"(date_make_year (num 2000)) (date_make_hour (num 1.5)) (date_make_minute (num 2.5))", Y2000 + 2 * 3600 + 2 * 60},  // ties to even
      {"(date_make_year (num 1500))", 0},
      {"(date_make_year (@nan))", 0},
      {"(date_make_year (num 1e300))", 0},                                                   // indefinite: the low end
      {"(date_make_year (num 9999)) (date_make_month (num 12)) (date_make_day (num 31)) (date_make_hour (num 23)) (date_make_minute (num 59)) (date_make_second (num 59))",
       265046774399.0},
      {"(date_make_day (num 2)) (date_make_year (num 2000))", Y2000 + Day},                            // any order in the image
  };
  for (auto& c : cases) {
    double v = Num(Make(c.Params));
    EXPECT_DOUBLE_EQ(c.Expected, v) << c.Params;
  }
}

// Every part of one time, and what a time before 1601 or beyond 64 bits reads as.
TEST_F(DateTime, Parts) {
  const char* heads[] = {"date_year", "date_month", "date_day", "date_weekday", "date_hour", "date_minute", "date_second", "date_ms"};
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
      {"(date_make (date_make_year (num 2024)) (date_make_month (num 3)) (date_make_day (num 5)) (date_make_hour (num 13)) (date_make_minute (num 5)) (date_make_second (num 9)) "
       "(date_make_ms (num 678)))",
       {2024, 3, 5, 2, 13, 5, 9, 678}},
      {"(date_make (date_make_year (num 2001)) (date_make_month (num 2)) (date_make_day (num 31)) (date_make_ms (num 1)))", {2001, 2, 28, 3, 0, 0, 0, 1}},
  };
  for (auto& c : cases)
    for (int k = 0; k < 8; k++)
      EXPECT_EQ(c.Parts[k], Num(std::string("(") + heads[k] + " " + c.Time + ")")) << heads[k] << " of " << c.Time;
}

TEST_F(DateTime, TextForms) {
  const std::string march5 = "(date_make (date_make_year (num 2024)) (date_make_month (num 3)) (date_make_day (num 5))";
  auto at = [&](const char* hms) { return march5 + " " + hms + ")"; };
  const struct {
    const char* Head;
    std::string Time;
    const char* Expected;
  } cases[] = {
      {"date_dmy", at(""), " 5.03.2024"},
      {"date_mdy", at(""), " 3/05/2024"},
      {"date_ymd", at(""), "2024-03-05"},
      {"date_time24", at("(date_make_hour (9)) (date_make_minute (7)) (date_make_second (3))"), " 9:07:03"},
      {"date_time12", at("(date_make_hour (9)) (date_make_minute (7)) (date_make_second (3))"), " 9:07:03a"},
      {"date_time12", at("(date_make_minute (num 30))"), "12:30:00a"},
      {"date_time12", at("(date_make_hour (num 12))"), "12:00:00p"},
      {"date_time12", at("(date_make_hour (num 13)) (date_make_minute (5)) (date_make_second (9))"), " 1:05:09p"},
      {"date_time12", at("(date_make_hour (num 23)) (date_make_minute (num 59)) (date_make_second (num 59))"), "11:59:59p"},
      {"date_time24", at("(date_make_hour (num 23)) (date_make_minute (num 59)) (date_make_second (num 59))"), "23:59:59"},
      {"date_dmy", "(date_make (date_make_year (num 1999)) (date_make_month (num 12)) (date_make_day (num 31)))", "31.12.1999"},
      {"date_mdy", "(date_make (date_make_year (num 1999)) (date_make_month (num 12)) (date_make_day (num 31)))", "12/31/1999"},
      {"date_ymd", "(num -5)", "1601-01-01"},
      {"date_ymd", "(date_make (date_make_year (num 9999)) (date_make_month (num 12)) (date_make_day (num 31)))", "9999-12-31"},
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
      {"(date_local_to_utc (num 0))", -Shift},
      {"(date_utc_to_local (num 0))", Shift},
      {"(date_local_to_utc (num 12591158400))", Y2000 - Shift},
      {"(date_utc_to_local (num 12591158400))", Y2000 + Shift},
      {"(date_utc_to_local (date_local_to_utc (num 12591158400.25)))", Y2000 + 0.25},
      {"(date_local_to_utc (num -100))", -Shift},  // before 1601 counts as 0
      {"(date_utc_to_local (@nan))", Shift},
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
  double now = Num("(date_time)");
  ASSERT_TRUE(RunExpressions("", "", "(date_time (date_make (date_make_year (num 2003)) (date_make_month (num 7)) (date_make_day (num 14)) (date_make_hour (num 8)) "
                                     "(date_make_ms (num 250))))"));
  DateSys = RealDateSys;
  EXPECT_DOUBLE_EQ(Num("(date_make (date_make_year (num 2024)) (date_make_month (num 3)) (date_make_day (num 5)) (date_make_hour (num 13)) (date_make_minute (5)) "
                       "(date_make_second (9)) (date_make_ms (num 250)))"),
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
  ASSERT_TRUE(RunExpressions("", "", "(date_time (date_make (date_make_year (num 2003))))"));
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_GT(st.wYear, 2003);
  double now = Num("(date_year (date_time))");
  EXPECT_EQ(st.wYear, now);
}

}  // namespace
