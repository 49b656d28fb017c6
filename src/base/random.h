// The engine's random generator (32-bit linear congruential, seeded from the
// local time) and the four conversions of a double to a 32-bit integer.
#pragma once
#include <windows.h>
#include <stdint.h>

extern uint32_t RandomSeed;

// The seed formula: minute, second, milliseconds and day of the month.
uint32_t RandomSeedFromTime(const SYSTEMTIME& time);
void SeedRandomFromLocalTime();
double NextRandom();  // [0, 1), a multiple of 2^-32

// x87 integer stores; NaN, infinities and results outside the int32 range
// give INT32_MIN. RoundToInt uses the unit's rounding mode (to nearest, ties
// to even, as start-up sets it).
int32_t RoundToInt(double x);
int32_t TruncToInt(double x);
int32_t CeilToInt(double x);
int32_t FloorToInt(double x);
