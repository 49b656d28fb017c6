// The palette tables made at start-up and the colour-import map of sprite files.
#include "values/palette.h"

#include <string.h>

#include "base/memory.h"
#include "base/process.h"
#include "values/lz_decode.h"

BITMAPINFO* DibHeader;
LOGPALETTE* LogPalette;
HPALETTE PaletteHandle;
uint32_t* PaletteColors;
uint8_t* DarkerColor;
uint8_t* ColorCube;
uint8_t* ColorImportMap;

// Full 256-entry storage: the display's DirectDraw palette takes all 256.
static const int LogPaletteEntries = 256;

void BuildDibHeader() {
  DibHeader = (BITMAPINFO*)MemAlloc(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  memset(DibHeader, 0, sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  BITMAPINFOHEADER& h = DibHeader->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = 32;
  h.biHeight = 32;
  h.biPlanes = 1;
  h.biBitCount = 8;
  h.biCompression = BI_RGB;
  h.biClrImportant = PaletteColorCount;
  for (int i = 0; i < PaletteColorCount; i++) {
    PaletteRgb c = PaletteColorAt(i);
    DibHeader->bmiColors[i] = RGBQUAD{c.Blue, c.Green, c.Red, 0};
  }
}

bool UnpackColorCube(HMODULE module) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(ColorCubeResourceId), "LOADER");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const uint8_t* data = loaded ? (const uint8_t*)LockResource(loaded) : nullptr;
  if (!data) return false;
  int32_t size = (int32_t)SizeofResource(module, found) - ColorCubeHeaderSize;
  if (!ColorCube) ColorCube = (uint8_t*)MemAlloc(ColorCubeSize);
  // A damaged stream only leaves part of the cube wrong; nothing to report.
  if (size > 0) DecompressResource(ColorCube, ColorCubeSize, data + ColorCubeHeaderSize, size);
  return true;
}

static void DeletePaletteAtExit() { DeleteObject(PaletteHandle); }

void BuildSystemPalette() {
  ColorImportMap = (uint8_t*)MemAlloc(256);
  memset(ColorImportMap, BlackColor, 256);

  int32_t bytes = (int32_t)(offsetof(LOGPALETTE, palPalEntry) +
                            LogPaletteEntries * sizeof(PALETTEENTRY));
  LogPalette = (LOGPALETTE*)MemAlloc(bytes);
  memset(LogPalette, 0, bytes);
  LogPalette->palVersion = 0x300;
  LogPalette->palNumEntries = PaletteColorCount;
  for (int i = 0; i < PaletteColorCount; i++) {
    const RGBQUAD& q = DibHeader->bmiColors[i];
    LogPalette->palPalEntry[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
  }
  PaletteHandle = CreatePalette(LogPalette);
  Exits.DeletePalette = DeletePaletteAtExit;

  PaletteColors = (uint32_t*)MemAlloc(256 * sizeof(uint32_t));
  memset(PaletteColors, 0, 256 * sizeof(uint32_t));
  for (int i = FirstGroupColor; i < PaletteColorCount; i++) {
    const RGBQUAD& q = DibHeader->bmiColors[i];
    PaletteColors[i] = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
}

bool BuildPaletteTables() {
  BuildDibHeader();
  if (!UnpackColorCube(Instance)) return false;
  BuildSystemPalette();
  return true;
}

void BuildDarkerColors() {
  DarkerColor = (uint8_t*)MemAlloc(256);
  ComputeDarkerColors(DarkerColor);
}

static bool SameQuad(const RGBQUAD& a, const RGBQUAD& b) {
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
         a.rgbReserved == b.rgbReserved;
}

void BuildColorImportMap(const BITMAPINFO* info) {
  uint32_t count = info->bmiHeader.biClrUsed;
  if (count == 0) count = info->bmiHeader.biBitCount <= 8 ? 1u << info->bmiHeader.biBitCount : 0;
  if (count < 1 || count > 256) return;
  for (uint32_t i = 0; i < count; i++) {
    const RGBQUAD& q = info->bmiColors[i];
    if (SameQuad(q, DibHeader->bmiColors[TransparentColor]))
      ColorImportMap[i] = TransparentColor;
    else if (SameQuad(q, DibHeader->bmiColors[ShadowColor]))
      ColorImportMap[i] = ShadowColor;
    else
      ColorImportMap[i] = ColorCube[ColorCubeCell(q.rgbRed, q.rgbGreen, q.rgbBlue)];
  }
  for (uint32_t i = count; i < 256; i++) ColorImportMap[i] = BlackColor;
}
