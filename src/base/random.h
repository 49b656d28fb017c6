// The engine's random generator: 32-bit linear congruential, seeded from the
// local time.
#pragma once
#include <windows.h>
#include <stdint.h>

extern uint32_t RandomSeed;

// The seed formula: minute, second, milliseconds and day of the month.
uint32_t RandomSeedFromTime(const SYSTEMTIME& time);
void SeedRandomFromLocalTime();
double NextRandom();  // [0, 1), a multiple of 2^-32
