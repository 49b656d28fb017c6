// Number operands turned into integers of a unit: evaluate the next operand,
// scale it, store the product as a double and round it to nearest (ties to
// even). Values outside the target range, and NaN, give the integer
// indefinite: INT32_MIN for 32-bit targets, INT64_MIN for 64-bit ones.
#pragma once
#include <windows.h>
#include <stdint.h>

const double PixelsPerField = 32;
const double MillisecondsPerSecond = 1000;
const double DiameterPixelsPerField = 64;
const double TicksPerSecond = 18.20648;
const double FullColorComponent = 255;
const double FileTimeUnitsPerSecond = 10000000;

int32_t EvalNextInt();
// Rounded to 64 bits, the low 32 bits read as unsigned (-1 gives 4294967295).
uint32_t EvalNextUInt32();
int32_t EvalNextPixels();        // fields to pixels
int32_t EvalNextMilliseconds();  // seconds to milliseconds
int32_t EvalNextDiameter();      // a radius in fields to a diameter in pixels
int32_t EvalNextTicks();         // seconds to timer ticks
// A colour component given as 0..1, to 0..255: values beyond either end
// saturate, NaN gives 0.
uint8_t EvalNextByte();
// Seconds since 1 January 1601 to 100-ns units; negative gives 0.
uint64_t EvalNextFileTime();
// The file time split into DateParts (no time-zone change).
void EvalNextDateParts();
// The file time taken as local time, converted to UTC.
uint64_t EvalNextUtcFileTime();
// A colour 0x00BBGGRR to its palette index through the colour cube.
uint8_t EvalNextColorIndex();

// The date parts that EvalNextDateParts fills and the date elements read.
extern SYSTEMTIME DateParts;
