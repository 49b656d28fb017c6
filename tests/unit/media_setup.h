// What start-up makes before the media values can be used, for the unit tests:
// the palette tables, the empty records and the global media objects.
#pragma once
#include <stdint.h>
#include <vector>
#include "values/palette.h"
#include "values/pixel_code.h"
#include "values/sprite.h"

inline void SetUpMediaValues() {
  static bool done;
  if (done) return;
  done = true;
  // The same complete tables the palette tests make when they come first.
  if (!DibHeader) {
    BuildPaletteTables();
    BuildDarkerColors();
  }
  AllocateEmptyImagePixels();
  CreateEmptySpriteData();
  CreateEmptyMapData();
  InitEmptyIcon();
  InitEmptyMap();
  InitEmptyPicture();
  InitEmptySprite();
  InitIcons();
  InitMaps();
  InitPictures();
  InitSprites();
}

// An image record as the loader finds it: a u32 byte count, then the pixel code.
inline std::vector<uint8_t> ImageRecord(const std::vector<uint8_t>& pixels, int32_t width) {
  std::vector<uint8_t> record(4 + CompressedPixelBound((int32_t)pixels.size()));
  uint32_t count = CompressPixels(record.data() + 4, pixels.data(), (int32_t)pixels.size(), width);
  memcpy(record.data(), &count, 4);
  record.resize(4 + count);
  return record;
}

// Pixels with a pattern that shows misplaced rows and columns.
inline std::vector<uint8_t> PatternPixels(int32_t width, int32_t height, int32_t seed) {
  std::vector<uint8_t> p((size_t)width * height);
  for (int32_t y = 0; y < height; y++)
    for (int32_t x = 0; x < width; x++) p[(size_t)y * width + x] = (uint8_t)(2 + (x * 7 + y * 13 + seed) % 222);
  return p;
}
