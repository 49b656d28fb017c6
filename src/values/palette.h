// The engine's palette tables: bitmap header, window-system palette, colour
// values, darker colours, colour cube (from resource "LOADER" 54), import map.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "values/palette_rule.h"

const int ColorCubeResourceId = 54;
const int ColorCubeHeaderSize = 6;  // resource bytes before the packed stream

// 8-bit BITMAPINFO with 256 colours: the palette, then 32 zero entries.
extern BITMAPINFO* DibHeader;
// LOGPALETTE of the 224 colours, followed by 32 black entries in its storage.
extern LOGPALETTE* LogPalette;
extern HPALETTE PaletteHandle;
extern uint32_t* PaletteColors;  // 256 values 0x00BBGGRR; 0 for 0, 1, 224..255
extern uint8_t* DarkerColor;     // 256 entries
extern uint8_t* ColorCube;       // ColorCubeSize entries, 2..223
extern uint8_t* ColorImportMap;  // 256 entries, filled by BuildColorImportMap

// Start-up, in this order: the header, the cube from Instance's resource,
// the import map, the logical palette and its handle, the colour values.
// False when the cube resource is missing (start-up then exits with 251).
bool BuildPaletteTables();
void BuildDibHeader();
bool UnpackColorCube(HMODULE module);
void BuildSystemPalette();
// Later in start-up (after the factorial table).
void BuildDarkerColors();

// File colour index to palette index for the colour table of info.
void BuildColorImportMap(const BITMAPINFO* info);

inline uint8_t ColorCubeIndex(uint32_t colorValue) { return ColorCube[ColorValueCell(colorValue)]; }
