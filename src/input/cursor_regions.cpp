// The cursor regions: the mouse_cursor command, the cursor for WM_SETCURSOR,
// and the list with its growth and removals.
#include "input/cursor_regions.h"
#include <string.h>
#include "base/memory.h"
#include "base/rounding.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "graphics/display_geometry.h"
#include "window/main_window.h"
#include "input/mouse_state.h"
#include "graphics/full_screen.h"

CursorRegion* CursorRegions;
int32_t CursorRegionCount;
int32_t CursorRegionCapacity;

void RemoveCursorRegion(int32_t i) {
  Icon::ReleaseRecord(CursorRegions[i].IconRecord);
  memmove(CursorRegions + i, CursorRegions + i + 1, (CursorRegionCount - i - 1) * sizeof(CursorRegion));
  CursorRegionCount--;
}

static void RemoveEnclosedRegions(int32_t left, int32_t bottom, int32_t right, int32_t top) {
  for (int32_t i = CursorRegionCount - 1; i >= 0; i--) {
    const CursorRegion& r = CursorRegions[i];
    if (r.Left >= left && r.Bottom >= bottom && r.Right <= right && r.Top <= top) RemoveCursorRegion(i);
  }
}

static void AppendRegion(const CursorRegion& region) {
  if (CursorRegionCount == CursorRegionCapacity) {
    int32_t capacity = CursorRegionCapacity + CursorRegionGrowth;
    CursorRegions = (CursorRegion*)MemRealloc(CursorRegions, capacity * (int32_t)sizeof(CursorRegion));
    CursorRegionCapacity = capacity;
  }
  CursorRegions[CursorRegionCount++] = region;
}

// In full screen the program's own arrow stands for the system's.
static HCURSOR ShownCursor(HCURSOR c) { return InFullScreen() && c == ArrowCursor ? FullScreenCursor : c; }

// Window pixels clamped into the displayed surface, as full screen wants.
static void ClampIntoDisplay(int32_t& x, int32_t& y) {
  int32_t right = DisplayOffsetX + DisplayWidth - 1, bottom = DisplayOffsetY + DisplayHeight;
  x = x < DisplayOffsetX ? DisplayOffsetX : x > right ? right : x;
  y = y < DisplayOffsetY + 1 ? DisplayOffsetY + 1 : y > bottom ? bottom : y;
}

// Window pixels to surface pixels, y upward.
static POINT SurfacePixel(int32_t x, int32_t y) {
  return {RoundToInt((x - DisplayOffsetX) / Zoom), RoundToInt((DisplayOffsetY + DisplayHeight - y) / Zoom)};
}

static bool Contains(const CursorRegion& r, POINT p) {
  return r.Left <= p.x && p.x < r.Right && r.Bottom <= p.y && p.y < r.Top;
}

void AddCursorRegion(const Icon& icon, int32_t left, int32_t bottom, int32_t right, int32_t top) {
  if (right <= left || top <= bottom) return;
  RemoveEnclosedRegions(left, bottom, right, top);
  CursorRegion region = {left, bottom, right, top, icon.GetCursor(), icon.Data};
  icon.Data->RefCount++;
  AppendRegion(region);
  int32_t mx = MouseWindowPos.x, my = MouseWindowPos.y;
  if (InFullScreen()) ClampIntoDisplay(mx, my);
  if (Contains(region, SurfacePixel(mx, my))) SetCursor(ShownCursor(region.Cursor));
}

// x + size in 64 bits, saturated to 32: huge operands clip, never wrap.
static int32_t Edge(int32_t x, int32_t size) {
  int64_t e = (int64_t)x + size;
  return e > INT32_MAX ? INT32_MAX : e < INT32_MIN ? INT32_MIN : (int32_t)e;
}

// Operands: the icon, then x, y, w, h in fields. A region that comes out
// empty (NaN, negative sizes) changes nothing.
void ExecCmdMouseCursor() {
  Icon icon;
  RunValue(icon);
  int32_t x = EvalNextPixels();
  int32_t y = EvalNextPixels();
  int32_t w = EvalNextPixels();
  int32_t h = EvalNextPixels();
  AddCursorRegion(icon, x, y, Edge(x, w), Edge(y, h));
}

bool ApplyCursorRegion(int32_t x, int32_t y) {
  bool outside = x < DisplayOffsetX || x >= DisplayOffsetX + DisplayWidth || y <= DisplayOffsetY ||
                 y > DisplayOffsetY + DisplayHeight;
  if (outside) {
    if (!InFullScreen()) return false;
    ClampIntoDisplay(x, y);
  }
  POINT p = SurfacePixel(x, y);
  for (int32_t i = CursorRegionCount - 1; i >= 0; i--) {
    if (!Contains(CursorRegions[i], p)) continue;
    if (CursorRegions[i].Cursor == ArrowCursor) break;
    SetCursor(CursorRegions[i].Cursor);
    return true;
  }
  if (!InFullScreen()) return false;
  SetCursor(FullScreenCursor);
  return true;
}
