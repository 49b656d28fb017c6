// Rectangles of the graphics area with their own mouse cursor, taken from an
// icon; later regions take precedence over earlier ones.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "values/icon.h"

struct CursorRegion {
  int32_t Left, Bottom;  // lower-left corner in surface pixels, y upward (inclusive)
  int32_t Right, Top;    // upper-right corner (exclusive)
  HCURSOR Cursor;        // the icon's cursor; the system arrow for the empty icon
  IconData* IconRecord;  // one reference to the icon, so its cursor lives as long as the region
};

const int32_t CursorRegionGrowth = 64;

extern CursorRegion* CursorRegions;
extern int32_t CursorRegionCount;
extern int32_t CursorRegionCapacity;

// The cursor for WM_SETCURSOR at (x, y), client pixels of the current window;
// true when it set one.
bool ApplyCursorRegion(int32_t x, int32_t y);
// Adds the region (left, bottom) .. (right, top) with the icon's cursor; an
// empty one is ignored, and every region it encloses goes.
void AddCursorRegion(const Icon& icon, int32_t left, int32_t bottom, int32_t right, int32_t top);
// Removes region i, closing the gap, and releases its icon.
void RemoveCursorRegion(int32_t i);
