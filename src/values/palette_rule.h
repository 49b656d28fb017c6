// The fixed 224-colour palette, its darker-colour rule and the colour cube,
// computed from rules alone; shared by the engine and the resource generator.
#pragma once
#include <stdint.h>

const int PaletteColorCount = 224;
const int ShadesPerGroup = 6;
const int PaletteGroupCount = 35;
const int FirstGroupColor = 2;
const int FirstGreyColor = 212;
const int GreyCount = 12;

const uint8_t TransparentColor = 0;
const uint8_t ShadowColor = 1;
const uint8_t RedColor = 2;
const uint8_t YellowColor = 56;
const uint8_t GreenColor = 80;
const uint8_t BlueColor = 134;
const uint8_t WhiteColor = 212;
const uint8_t BlackColor = 223;

// 64 x 64 x 64 cells, 6 bits per channel, blue most significant.
const int ColorCubeSize = 64 * 64 * 64;

struct PaletteRgb {
  uint8_t Red, Green, Blue;
};

// Base colours of the 35 groups, 0xRRGGBB.
extern const uint32_t PaletteGroupBases[PaletteGroupCount];

PaletteRgb PaletteColorAt(int index);  // index 0..223
void ComputePalette(PaletteRgb colors[PaletteColorCount]);
// For each of 256 indexes, the index of the next darker colour.
void ComputeDarkerColors(uint8_t darker[256]);
// The nearest palette index (2..223) for every cell; ties go to the lowest.
void ComputeColorCube(uint8_t* cube);

// Cell of 8-bit channels.
inline uint32_t ColorCubeCell(uint8_t red, uint8_t green, uint8_t blue) {
  return (uint32_t)(blue >> 2) << 12 | (uint32_t)(green >> 2) << 6 | (uint32_t)(red >> 2);
}

// Cell of a colour value 0x00BBGGRR.
inline uint32_t ColorValueCell(uint32_t v) {
  return (((v >> 2 & 0x3F0000) | (v & 0xFC00)) >> 2 | (v & 0xFC)) >> 2;
}
