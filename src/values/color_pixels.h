// The true-colour path of the picture transformations: colour pixels, the
// cubic resampling of their rows and columns.
#pragma once
#include <stdint.h>

// One pixel in true colour; buffers are laid out like pictures (rows of
// Width pixels, the bottom row first).
struct ColorPixel {
  uint8_t Blue, Green, Red;
  uint8_t Transparency;  // 255 for a transparent pixel, else 0
  uint8_t Shadow;        // 255 for a shadow pixel, else 0
};
static_assert(sizeof(ColorPixel) == 5, "colour pixels are packed");

// A buffer of count colour pixels (count in 64 bits); one no allocation can
// give ends the run as exhausted memory does.
ColorPixel* AllocColorPixels(int64_t count);

// The cubic filter of the resampling (both parameters 1/3).
double ResampleKernel(double x);

// Each of `rows` rows of oldWidth pixels resampled to newWidth pixels.
void ResampleRows(const ColorPixel* source, int32_t oldWidth, int32_t rows, ColorPixel* target,
                  int32_t newWidth);
// Each of `width` columns of oldHeight pixels resampled to newHeight pixels.
void ResampleColumns(const ColorPixel* source, int32_t width, int32_t oldHeight, ColorPixel* target,
                     int32_t newHeight);
