// The settings of the typed file elements: the length of fixed texts and the
// text encoding of the data files.
#pragma once
#include <stdint.h>

extern int32_t FixedTextLength;  // characters of a fixed-length text, at least 1
extern uint8_t FileUnicode;      // 1: texts as UTF-16 units; 0: as ANSI bytes

// The number of the next operand as a file offset: rounded, saturated to
// 0..FileOffsetLimit, NaN giving 0.
int32_t EvalNextFileOffset();
