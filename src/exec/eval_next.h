// Number operands turned into integers of a unit: evaluate the next operand,
// scale it, round it to nearest (ties to even). Values outside the 32-bit
// range, and NaN, give INT32_MIN.
#pragma once
#include <stdint.h>

int32_t EvalNextInt();
// Seconds to timer ticks (18.20648 ticks a second).
int32_t EvalNextTicks();

const double TicksPerSecond = 18.20648;
