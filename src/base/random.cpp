// The random generator and its seed.
#include "base/random.h"

uint32_t RandomSeed;

uint32_t RandomSeedFromTime(const SYSTEMTIME& time) {
  uint32_t minute = time.wMinute, second = time.wSecond, ms = time.wMilliseconds;
  return (minute * 2567 + second * 137 + ms) * 486875u - time.wDay * 1331825386u;
}

void SeedRandomFromLocalTime() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  RandomSeed = RandomSeedFromTime(time);
}

double NextRandom() {
  RandomSeed = RandomSeed * 214013u + 2531011u;
  return RandomSeed * (1.0 / 4294967296.0);
}
