// The map value elements: size, the icon, values and flags of a cell,
// pasting a block of one map into another, and new maps.
#include "base/rounding.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "values/map.h"

// Map: its width in cells.
double ExecNumMapWidth() {
  Map map;
  RunValue(map);
  return map.Width();
}
// No operand: the main map's width.
double ExecNumMainMapWidth() { return Maps.Get(0).Width(); }

// Map: its height in cells.
double ExecNumMapHeight() {
  Map map;
  RunValue(map);
  return map.Height();
}
// No operand: the main map's height.
double ExecNumMainMapHeight() { return Maps.Get(0).Height(); }

// Map, x, y: a shared copy of the cell's icon; the empty icon outside.
void ExecIconMapCell(Icon& r) {
  Map map;
  RunValue(map);
  int32_t x = EvalNextInt();
  int32_t y = EvalNextInt();
  if (map.Inside(x, y))
    r = map.Cell(x, y).Icon;
  else
    r.Empty();
}

// Map, x, y: the parameter word of the cell, or nothing outside.
static bool ReadCellParam(uint32_t& param) {
  Map map;
  RunValue(map);
  int32_t x = EvalNextInt();
  int32_t y = EvalNextInt();
  if (!map.Inside(x, y)) return false;
  param = map.Cell(x, y).Param;
  return true;
}

// Map, x, y: a value field of the cell's word; 0 outside.
static double GetMapCellValue(MapParamField field) {
  uint32_t param;
  return ReadCellParam(param) ? GetParamField(param, field) : 0;
}

// Map, x, y: a flag of the cell's word; false outside.
static uint8_t GetMapCellFlag(MapParamField flag) {
  uint32_t param;
  return ReadCellParam(param) && GetParamField(param, flag) != 0;
}

double ExecNumMapCellValue1() { return GetMapCellValue(MapValue1); }
double ExecNumMapCellValue2() { return GetMapCellValue(MapValue2); }
double ExecNumMapCellValue3() { return GetMapCellValue(MapValue3); }
uint8_t ExecBoolMapCellFlag1() { return GetMapCellFlag(MapFlags[0]); }
uint8_t ExecBoolMapCellFlag2() { return GetMapCellFlag(MapFlags[1]); }
uint8_t ExecBoolMapCellFlag3() { return GetMapCellFlag(MapFlags[2]); }
uint8_t ExecBoolMapCellFlag4() { return GetMapCellFlag(MapFlags[3]); }
uint8_t ExecBoolMapCellFlag5() { return GetMapCellFlag(MapFlags[4]); }

// A block of w x h cells from (sx, sy) of the source to (x, y) of the
// target, clipped to both maps; false when nothing of it is left. In 64
// bits, so no position or size of the language can overflow.
struct MapBlock {
  int64_t X, Y, SourceX, SourceY, W, H;
};

static bool ClipMapBlock(MapBlock& b, const Map& target, const Map& source) {
  if (b.X >= target.Width() || b.Y >= target.Height()) return false;
  if (b.X < 0) {
    b.W += b.X;
    b.SourceX -= b.X;
    b.X = 0;
  }
  if (b.W > target.Width() - b.X) b.W = target.Width() - b.X;
  if (b.Y < 0) {
    b.H += b.Y;
    b.SourceY -= b.Y;
    b.Y = 0;
  }
  if (b.H > target.Height() - b.Y) b.H = target.Height() - b.Y;
  if (b.SourceX >= source.Width() || b.SourceY >= source.Height()) return false;
  if (b.SourceX < 0) {
    b.X -= b.SourceX;
    b.W += b.SourceX;
    b.SourceX = 0;
  }
  if (b.W > source.Width() - b.SourceX) b.W = source.Width() - b.SourceX;
  if (b.SourceY < 0) {
    b.Y -= b.SourceY;
    b.H += b.SourceY;
    b.SourceY = 0;
  }
  if (b.H > source.Height() - b.SourceY) b.H = source.Height() - b.SourceY;
  return b.X < target.Width() && b.Y < target.Height() && b.W > 0 && b.H > 0;
}

// Target map, x, y, source map, sx, sy, w, h (cells): a private copy of the
// target with the block of the source pasted in, or the target unchanged
// when the block misses either map. The cells share the source's icons.
void ExecMapPasteBlock(Map& r) {
  RunValue(r);
  MapBlock b;
  b.X = EvalNextInt();
  b.Y = EvalNextInt();
  Map source;
  RunValue(source);
  b.SourceX = EvalNextInt();
  b.SourceY = EvalNextInt();
  b.W = EvalNextInt();
  b.H = EvalNextInt();
  if (!ClipMapBlock(b, r, source)) return;
  r.MakeUnique();
  for (int32_t j = 0; j < b.H; j++)
    for (int32_t i = 0; i < b.W; i++) {
      const MapCell& from = source.Cell((int32_t)b.SourceX + i, (int32_t)b.SourceY + j);
      MapCell& to = r.Cell((int32_t)b.X + i, (int32_t)b.Y + j);
      to.Icon = from.Icon;
      to.Param = from.Param;
    }
}

// Width and height in cells, truncated; below 1 (or NaN) the main map's:
// a new map, every cell icon 0 of the global icons with parameter word 0.
void ExecMapNew(Map& r) {
  int32_t w = TruncToInt(RunNum());
  int32_t h = TruncToInt(RunNum());
  if (w < 1) w = Maps.Get(0).Width();
  if (h < 1) h = Maps.Get(0).Height();
  r.New(w, h);
  r.Clear();
}
