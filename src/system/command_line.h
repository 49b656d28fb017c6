// The command line split into words the way the system's programs read it.
#pragma once
#include <stdint.h>
#include "base/text.h"

// Word n of line: 0 is the program as written, 1 the first argument. Words
// are separated by characters 1..32 outside double quotes; the quotes go,
// two adjacent quotes leave one. Negative n and n beyond the last word give
// the empty text.
Text CommandWord(const Text& line, int32_t n);
