// The two built-in sprites (Sprites items 0 and 1) walking the main map cell
// by cell: steps, turns, direction, visibility and position, and the icons,
// values and flags of the cells under and ahead of them.
#include <math.h>
#include "base/pi.h"
#include "exec/eval_next.h"
#include "base/rounding.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "exec/pump_hooks.h"
#include "graphics/sprite_motion.h"
#include "graphics/surface.h"
#include "values/map.h"
#include "values/sprite.h"

// Until the sprite ends its walk, or a flag ends the program's run or
// function, one tick at a time.
static void WaitStopped(int32_t i) {
  while (Sprites[i].StepsLeft > 0 && ExecFlags == 0) Pump.WaitTicks(1);
}

// A cell of the main map; Inside when the surface and the map's record both
// hold it (they have the same size unless the map changed without the
// surface being rebuilt).
struct SpriteCell {
  int64_t X, Y;
  bool Inside;
};

static bool InsideMainMap(int64_t x, int64_t y) {
  if (x < 0 || y < 0 || x >= TileColumns || y >= TileRows) return false;
  return Maps.Get(0).Inside((int32_t)x, (int32_t)y);
}

// A field position to its cell, to nearest with ties to even. NaN and
// positions beyond 32 bits give a cell so far outside that a step of one
// cell cannot bring it in, and no sum overflows.
static int64_t CellOf(double v) {
  if (!(v > -2147483648.0 && v < 2147483648.0)) return INT64_MIN / 2;
  return RoundToInt64(v);
}

// The cell under: the rounded target, so a walking sprite is already in the
// cell it walks to.
static SpriteCell CellUnder(int32_t i) {
  SpriteCell c;
  c.X = CellOf(Sprites[i].TargetX);
  c.Y = CellOf(Sprites[i].TargetY);
  c.Inside = InsideMainMap(c.X, c.Y);
  return c;
}

// Offsets of the 16 sectors, counter-clockwise from the x axis (y up).
static const int8_t AheadX[16] = {1, 1, 1, 1, 0, -1, -1, -1, -1, -1, -1, -1, 0, 1, 1, 1};
static const int8_t AheadY[16] = {0, 1, 1, 1, 1, 1, 1, 1, 0, -1, -1, -1, -1, -1, -1, -1};

// The cell under moved one cell in the sector of the sprite's direction,
// whatever its number of directions.
static SpriteCell CellAhead(int32_t i) {
  SpriteCell c = CellUnder(i);
  const Sprite& s = Sprites[i];
  int64_t sector = (int64_t)s.Direction * 16 / s.Held()->DirectionCount;
  if (sector >= 0 && sector < 16) {
    c.X += AheadX[sector];
    c.Y += AheadY[sector];
  }
  c.Inside = InsideMainMap(c.X, c.Y);
  return c;
}

static MapCell& MainMapCell(const SpriteCell& c) { return Maps[0].Cell((int32_t)c.X, (int32_t)c.Y); }

// The main map's cell under the sprite, or null outside. The main map is
// changed in place: a map value that shares its record sees the change.
static MapCell* CellParamUnder(int32_t i) {
  SpriteCell c = CellUnder(i);
  return c.Inside ? &MainMapCell(c) : nullptr;
}

// Step: after any walk ends, a walk to the cell ahead when it is inside;
// then waits for this walk to end when waitAfter.
static void Step(int32_t i, bool waitAfter) {
  WaitStopped(i);
  SpriteCell c = CellAhead(i);
  if (!c.Inside) return;
  MoveSpriteTo(i, (double)c.X, (double)c.Y);
  if (waitAfter) WaitStopped(i);
}

// After any walk ends, the angle read then turned by a.
static void Turn(int32_t i, double a) {
  WaitStopped(i);
  SetSpriteDirection(i, Sprites[i].Angle + a);
}

// Icon: put into the cell (found from the target before any wait), unless
// it is the empty icon, the cell is outside or already holds that record.
// The sprite's walk ends first; the cell's tile is redrawn.
static void PutIcon(int32_t i, SpriteCell (*find)(int32_t)) {
  Icon icon;
  RunValue(icon);
  if (icon.Held() == &EmptyIconData) return;
  SpriteCell c = find(i);
  if (!c.Inside || MainMapCell(c).Icon.Held() == icon.Held()) return;
  WaitStopped(i);
  if (!InsideMainMap(c.X, c.Y)) return;  // the main map was replaced meanwhile
  MainMapCell(c).Icon = icon;
  DirtyTiles[c.X + c.Y * TileColumns] = 1;
}

// Number (rounded): the field of the word under the sprite, modulo its range;
// nothing outside. No wait, no redraw.
static void SetCellValue(int32_t i, MapParamField f) {
  int32_t v = EvalNextInt();
  MapCell* cell = CellParamUnder(i);
  if (cell) cell->Param = SetParamField(cell->Param, f, (uint32_t)v);
}

// Logic: the flag of the word under the sprite; nothing outside.
static void SetCellFlag(int32_t i, MapParamField f) {
  bool on = RunBool() != 0;
  MapCell* cell = CellParamUnder(i);
  if (cell) cell->Param = SetParamField(cell->Param, f, on ? 1 : 0);
}

static double GetCellValue(int32_t i, MapParamField f) {
  MapCell* cell = CellParamUnder(i);
  return cell ? GetParamField(cell->Param, f) : 0;
}

static uint8_t GetCellFlag(int32_t i, MapParamField f) {
  MapCell* cell = CellParamUnder(i);
  return cell && GetParamField(cell->Param, f) != 0;
}

static void GetCellIcon(int32_t i, SpriteCell (*find)(int32_t), Icon& r) {
  SpriteCell c = find(i);
  if (c.Inside)
    r = MainMapCell(c).Icon;
  else
    r.Empty();
}

// No operand: sprite 0 returns when its step is walked, sprite 1 as soon as
// it starts.
void ExecCmdSprite0Step() { Step(0, true); }
void ExecCmdSprite1Step() { Step(1, false); }
// No operand: a quarter turn left or right, or a half turn.
void ExecCmdSprite0TurnLeft() { Turn(0, Pi / 2); }
void ExecCmdSprite0TurnRight() { Turn(0, -Pi / 2); }
void ExecCmdSprite0TurnBack() { Turn(0, Pi); }
void ExecCmdSprite1TurnLeft() { Turn(1, Pi / 2); }
void ExecCmdSprite1TurnRight() { Turn(1, -Pi / 2); }
void ExecCmdSprite1TurnBack() { Turn(1, Pi); }

// Logic, evaluated once the walk ended: shows or hides the sprite.
static void SetVisible(int32_t i) {
  WaitStopped(i);
  bool on = RunBool() != 0;
  SetSpriteVisible(i, on);
}
void ExecCmdSprite0Visible() { SetVisible(0); }
void ExecCmdSprite1Visible() { SetVisible(1); }

// Number (radians), evaluated once the walk ended: the nearest direction.
static void SetDir(int32_t i) {
  WaitStopped(i);
  double angle = RunNum();
  SetSpriteDirection(i, angle);
}
void ExecCmdSprite0SetDir() { SetDir(0); }
void ExecCmdSprite1SetDir() { SetDir(1); }

// Number (fields), no wait: walks to that x at the target's y (or y at the
// target's x); a hidden sprite jumps.
static void SetX(int32_t i) {
  double x = RunNum();
  MoveSpriteTo(i, x, Sprites[i].TargetY);
}
static void SetY(int32_t i) {
  double y = RunNum();
  MoveSpriteTo(i, Sprites[i].TargetX, y);
}
void ExecCmdSprite0SetX() { SetX(0); }
void ExecCmdSprite0SetY() { SetY(0); }
void ExecCmdSprite1SetX() { SetX(1); }
void ExecCmdSprite1SetY() { SetY(1); }

// Icon operand: into the cell ahead of or under the sprite.
void ExecCmdSprite0SetIconAhead() { PutIcon(0, CellAhead); }
void ExecCmdSprite1SetIconAhead() { PutIcon(1, CellAhead); }
void ExecCmdSprite0SetIconUnder() { PutIcon(0, CellUnder); }
void ExecCmdSprite1SetIconUnder() { PutIcon(1, CellUnder); }

void ExecCmdSprite0CellValue1() { SetCellValue(0, MapValue1); }
void ExecCmdSprite1CellValue1() { SetCellValue(1, MapValue1); }
void ExecCmdSprite0CellValue2() { SetCellValue(0, MapValue2); }
void ExecCmdSprite1CellValue2() { SetCellValue(1, MapValue2); }
void ExecCmdSprite0CellValue3() { SetCellValue(0, MapValue3); }
void ExecCmdSprite1CellValue3() { SetCellValue(1, MapValue3); }
void ExecCmdSprite0CellFlag1() { SetCellFlag(0, MapFlags[0]); }
void ExecCmdSprite1CellFlag1() { SetCellFlag(1, MapFlags[0]); }
void ExecCmdSprite0CellFlag2() { SetCellFlag(0, MapFlags[1]); }
void ExecCmdSprite1CellFlag2() { SetCellFlag(1, MapFlags[1]); }
void ExecCmdSprite0CellFlag3() { SetCellFlag(0, MapFlags[2]); }
void ExecCmdSprite1CellFlag3() { SetCellFlag(1, MapFlags[2]); }
void ExecCmdSprite0CellFlag4() { SetCellFlag(0, MapFlags[3]); }
void ExecCmdSprite1CellFlag4() { SetCellFlag(1, MapFlags[3]); }
void ExecCmdSprite0CellFlag5() { SetCellFlag(0, MapFlags[4]); }
void ExecCmdSprite1CellFlag5() { SetCellFlag(1, MapFlags[4]); }

// No operand, no wait: the angle, the current position (moving during a
// walk) and visibility.
double ExecNumSprite0Dir() { return Sprites.Get(0).Angle; }
double ExecNumSprite0X() { return Sprites.Get(0).X; }
double ExecNumSprite0Y() { return Sprites.Get(0).Y; }
double ExecNumSprite1Dir() { return Sprites.Get(1).Angle; }
double ExecNumSprite1X() { return Sprites.Get(1).X; }
double ExecNumSprite1Y() { return Sprites.Get(1).Y; }
uint8_t ExecBoolSprite0Visible() { return Sprites.Get(0).Visible != 0; }
uint8_t ExecBoolSprite1Visible() { return Sprites.Get(1).Visible != 0; }

// No operand: a field of the word under the sprite; 0 or false outside.
double ExecNumSprite0CellValue1() { return GetCellValue(0, MapValue1); }
double ExecNumSprite1CellValue1() { return GetCellValue(1, MapValue1); }
double ExecNumSprite0CellValue2() { return GetCellValue(0, MapValue2); }
double ExecNumSprite1CellValue2() { return GetCellValue(1, MapValue2); }
double ExecNumSprite0CellValue3() { return GetCellValue(0, MapValue3); }
double ExecNumSprite1CellValue3() { return GetCellValue(1, MapValue3); }
uint8_t ExecBoolSprite0CellFlag1() { return GetCellFlag(0, MapFlags[0]); }
uint8_t ExecBoolSprite1CellFlag1() { return GetCellFlag(1, MapFlags[0]); }
uint8_t ExecBoolSprite0CellFlag2() { return GetCellFlag(0, MapFlags[1]); }
uint8_t ExecBoolSprite1CellFlag2() { return GetCellFlag(1, MapFlags[1]); }
uint8_t ExecBoolSprite0CellFlag3() { return GetCellFlag(0, MapFlags[2]); }
uint8_t ExecBoolSprite1CellFlag3() { return GetCellFlag(1, MapFlags[2]); }
uint8_t ExecBoolSprite0CellFlag4() { return GetCellFlag(0, MapFlags[3]); }
uint8_t ExecBoolSprite1CellFlag4() { return GetCellFlag(1, MapFlags[3]); }
uint8_t ExecBoolSprite0CellFlag5() { return GetCellFlag(0, MapFlags[4]); }
uint8_t ExecBoolSprite1CellFlag5() { return GetCellFlag(1, MapFlags[4]); }

// No operand: a shared copy of the icon of the cell ahead or under; the
// empty icon outside.
void ExecIconAheadOfSprite0(Icon& r) { GetCellIcon(0, CellAhead, r); }
void ExecIconAheadOfSprite1(Icon& r) { GetCellIcon(1, CellAhead, r); }
void ExecIconUnderSprite0(Icon& r) { GetCellIcon(0, CellUnder, r); }
void ExecIconUnderSprite1(Icon& r) { GetCellIcon(1, CellUnder, r); }
