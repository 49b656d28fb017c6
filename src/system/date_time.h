// Dates and times as seconds since 1 January 1601: the clock calls behind a
// seam, making a time from calendar parts, and the conversions to seconds.
#pragma once
#include <windows.h>
#include <stdint.h>

// The two clock calls; tests replace them, everything else is a pure conversion.
struct DateSystemCalls {
  void(WINAPI* GetLocalTime)(LPSYSTEMTIME);
  BOOL(WINAPI* SetLocalTime)(const SYSTEMTIME*);
};
extern DateSystemCalls DateSys;
extern const DateSystemCalls RealDateSys;

// Days of the month in the Gregorian calendar (month 1..12).
int32_t DaysInMonth(int32_t year, int32_t month);

// A count of 100-ns units (signed: a zone shift may take it below 0) in seconds.
double FileTimeSeconds(int64_t count);

// The local time of the parts, each clamped to its range, as a 100-ns count;
// day 31 falls back to the month's last day, any other impossible date gives 0.
int64_t MakeDateTimeCount(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                          int32_t second, int32_t millisecond);
