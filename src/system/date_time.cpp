// The date and time elements: the clock, the local and UTC conversions,
// making a time from its parts, taking it apart and its five text forms.
#include "system/date_time.h"
#include "base/text.h"
#include "exec/eval_next.h"
#include "base/rounding.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"

const DateSystemCalls RealDateSys = {GetLocalTime, SetLocalTime};
DateSystemCalls DateSys = RealDateSys;

static int64_t CountOf(const FILETIME& f) {
  return (int64_t)((uint64_t)f.dwHighDateTime << 32 | f.dwLowDateTime);
}

double FileTimeSeconds(int64_t count) { return StoredDouble((long double)count * 1e-7); }

int32_t DaysInMonth(int32_t year, int32_t month) {
  static const uint8_t Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : Days[month - 1];
}

static WORD Clamp(int32_t v, int32_t low, int32_t high) { return (WORD)(v < low ? low : v > high ? high : v); }

// The month's length is checked first: the system's conversion under Wine
// takes 29 February in every year.
static bool PartsToCount(const SYSTEMTIME& st, int64_t& count) {
  FILETIME f;
  if (st.wDay > DaysInMonth(st.wYear, st.wMonth) || !SystemTimeToFileTime(&st, &f)) return false;
  count = CountOf(f);
  return true;
}

int64_t MakeDateTimeCount(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                          int32_t second, int32_t millisecond) {
  SYSTEMTIME st = {};
  st.wYear = Clamp(year, 1601, 9999);
  st.wMonth = Clamp(month, 1, 12);
  st.wDay = Clamp(day, 1, 31);
  st.wHour = Clamp(hour, 0, 23);
  st.wMinute = Clamp(minute, 0, 59);
  st.wSecond = Clamp(second, 0, 59);
  st.wMilliseconds = Clamp(millisecond, 0, 999);
  int32_t lastTry = st.wDay == 31 ? 28 : st.wDay;
  for (int64_t count; st.wDay >= lastTry; st.wDay--)
    if (PartsToCount(st, count)) return count;
  return 0;
}

// No operand: the local clock in seconds.
double ExecNumNow() {
  SYSTEMTIME st;
  DateSys.GetLocalTime(&st);
  FILETIME f = {0, 0};
  SystemTimeToFileTime(&st, &f);
  return FileTimeSeconds(CountOf(f));
}

// Number operand: a local time the clock is set to; a refusal is ignored.
void ExecCmdSetDateTime() {
  EvalNextDateParts();
  DateSys.SetLocalTime(&DateParts);
}

// Number operand taken as local time, in UTC; before 1601 counts as 0.
double ExecNumLocalToUtc() { return FileTimeSeconds((int64_t)EvalNextUtcFileTime()); }

// Number operand taken as UTC, in local time; a failed conversion gives 0.
double ExecNumUtcToLocal() {
  uint64_t t = EvalNextFileTime();
  FILETIME utc = {(DWORD)t, (DWORD)(t >> 32)}, local;
  if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
  return FileTimeSeconds(CountOf(local));
}

// Seven numbers (year, month, day, hour, minute, second, millisecond), each
// rounded and clamped: the local time they make, 0 for an impossible date.
double ExecNumMakeDateTime() {
  int32_t p[7];
  for (int32_t& v : p) v = EvalNextInt();
  return FileTimeSeconds(MakeDateTimeCount(p[0], p[1], p[2], p[3], p[4], p[5], p[6]));
}

// DateParts from the next operand, a time.
static const SYSTEMTIME& NextDateParts() {
  EvalNextDateParts();
  return DateParts;
}

// Number operand, a time: one of its parts (a time before 1601 reads as 1601-01-01).
double ExecNumYear() { return NextDateParts().wYear; }
double ExecNumMonth() { return NextDateParts().wMonth; }
double ExecNumDay() { return NextDateParts().wDay; }
double ExecNumWeekday() { return NextDateParts().wDayOfWeek; }
double ExecNumHour() { return NextDateParts().wHour; }
double ExecNumMinute() { return NextDateParts().wMinute; }
double ExecNumSecond() { return NextDateParts().wSecond; }
double ExecNumMillisecond() { return NextDateParts().wMilliseconds; }

// Three fields with two separators: the first blank-padded, then two digits,
// then two or four digits.
static void FormatThree(Text& r, int32_t a, char s1, int32_t b, char s2, int32_t c, bool fourDigitLast) {
  Text t;
  t.AppendTwoDigitsSpacePadded(a);
  t.AppendChar((uint8_t)s1);
  t.AppendTwoDigits(b);
  t.AppendChar((uint8_t)s2);
  if (fourDigitLast) t.AppendFourDigits(c);
  else t.AppendTwoDigits(c);
  r = t;
}

// Number operand, a time: " d.mm.yyyy".
void ExecTextDateDotted(Text& r) {
  EvalNextDateParts();
  FormatThree(r, DateParts.wDay, '.', DateParts.wMonth, '.', DateParts.wYear, true);
}

// Number operand, a time: " m/dd/yyyy".
void ExecTextDateSlashed(Text& r) {
  EvalNextDateParts();
  FormatThree(r, DateParts.wMonth, '/', DateParts.wDay, '/', DateParts.wYear, true);
}

// Number operand, a time: "yyyy-mm-dd".
void ExecTextDateIso(Text& r) {
  EvalNextDateParts();
  Text t;
  t.AppendFourDigits(DateParts.wYear);
  t.AppendChar('-');
  t.AppendTwoDigits(DateParts.wMonth);
  t.AppendChar('-');
  t.AppendTwoDigits(DateParts.wDay);
  r = t;
}

// Number operand, a time: " h:mm:ss" on the 24-hour clock.
void ExecTextTime24(Text& r) {
  EvalNextDateParts();
  FormatThree(r, DateParts.wHour, ':', DateParts.wMinute, ':', DateParts.wSecond, false);
}

// Number operand, a time: " h:mm:ss" on the 12-hour clock, then "a" or "p".
void ExecTextTime12(Text& r) {
  EvalNextDateParts();
  int32_t hour = DateParts.wHour, h = hour >= 12 ? hour - 12 : hour;
  FormatThree(r, h == 0 ? 12 : h, ':', DateParts.wMinute, ':', DateParts.wSecond, false);
  r.AppendChar(hour >= 12 ? 'p' : 'a');
}
