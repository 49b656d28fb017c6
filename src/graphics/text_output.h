// Text output on the background layer: the text area width and the
// one-bit mask the lines are drawn into.
#pragma once
#include <stdint.h>

// When positive, each textout line is centred within this many pixels from its x.
extern int32_t TextAreaWidth;

// The line height and the top offset of a request, with the default font's
// own heights for plain 16-pixel text at angle 0 and width factor 1.
struct TextLineLayout {
  int32_t Height;
  int32_t TopOffset;
};
TextLineLayout TextLineLayoutFor(int32_t height, double angle, double widthFactor, uint8_t bold, uint8_t italic,
                                 uint8_t underline, uint8_t strikeout, uint8_t serif, uint8_t courier);
