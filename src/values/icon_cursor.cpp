// A cursor from an icon's palette pixels: monochrome planes whose colours
// select transparent, inverted, white and black, one colour range marking
// the hot spot.
#include "values/icon.h"
#include <string.h>
#include "base/process.h"

const int32_t CursorPlaneSize = IconSide / 8 * IconSide;

struct CursorPixel {
  uint8_t And, Xor, HotSpot;
};

// By the palette's groups of six shades: yellow marks the hot spot and is
// inverted, the colour groups 63..127 are white (lighter half) or black, the
// blue ones and beyond up to white are transparent hot-spot markers.
static CursorPixel CursorPixelOf(uint8_t c) {
  if (c == 0) return {1, 0, 0};
  if (c < 50) return {1, 1, 0};
  if (c < 63) return {1, 1, 1};
  if (c < 128) return {0, (c - 2) % 6 < 3 ? (uint8_t)1 : (uint8_t)0, 1};
  if (c < 212) return {1, 0, 1};
  if (c < 218) return {0, 1, 0};
  return {0, 0, 0};
}

struct CursorPlanes {
  uint8_t And[CursorPlaneSize];
  uint8_t Xor[CursorPlaneSize];
  POINT HotSpot;
};

// Stored rows run bottom-up, cursor rows top-down; the last marked pixel in
// storage order sets the hot spot.
static void BuildCursorPlanes(const uint8_t* pixels, CursorPlanes& planes) {
  memset(planes.And, 0xFF, CursorPlaneSize);
  memset(planes.Xor, 0, CursorPlaneSize);
  planes.HotSpot = {IconSide / 2, IconSide / 2};
  for (int32_t stored = 0; stored < IconSide; stored++) {
    int32_t row = IconSide - 1 - stored;
    for (int32_t k = 0; k < IconSide; k++) {
      CursorPixel p = CursorPixelOf(pixels[stored * IconSide + k]);
      int32_t byte = row * (IconSide / 8) + k / 8;
      uint8_t bit = (uint8_t)(0x80 >> (k % 8));
      if (!p.And) planes.And[byte] &= (uint8_t)~bit;
      if (p.Xor) planes.Xor[byte] |= bit;
      if (p.HotSpot) planes.HotSpot = {k, row};
    }
  }
}

HCURSOR Icon::GetCursor() const {
  if (Data->Cursor) return Data->Cursor;
  CursorPlanes planes;
  BuildCursorPlanes(Pixels(), planes);
  HCURSOR c = CreateCursor(Instance, planes.HotSpot.x, planes.HotSpot.y, IconSide, IconSide, planes.And, planes.Xor);
  if (!c) return LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
  Data->Cursor = c;
  return c;
}
