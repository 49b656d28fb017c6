// The sprite variables' steps that reach the sprite engine: the assignment,
// the properties read and assigned in the four forms (position, direction,
// phase, status, motion and visibility) and the pop of sprite locals.
#include <math.h>
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/eval_next.h"
#include "graphics/sprite_engine.h"
#include "graphics/sprite_motion.h"
#include "exec/variable_access.h"

// The sprite is fixed first, then the value is evaluated, the effect applied
// and the list advanced. A sprite outside the list takes nothing.
template <Target (*Locate)(const ExecItem&), void (*Effect)(int32_t)>
static void SetProperty() {
  Target t = Locate(OwnStep());
  Effect(t.Entry);
  AdvanceList(t.Record);
}

// Each effect evaluates the value; the other coordinate is read afterwards.
static void SetX(int32_t i) {
  double x = RunNum();
  if (Sprites.Inside(i)) MoveSpriteTo(i, x, Sprites[i].TargetY);
}
static void SetY(int32_t i) {
  double y = RunNum();
  if (Sprites.Inside(i)) MoveSpriteTo(i, Sprites[i].TargetX, y);
}
static void SetDir(int32_t i) {
  double angle = RunNum();
  if (Sprites.Inside(i)) SetSpriteDirection(i, angle);
}
static void SetPhase(int32_t i) {
  int32_t phase = EvalNextInt();
  if (!Sprites.Inside(i)) return;
  Sprites[i].PendingPhase = phase;
  InvalidateSprite(i);
}
// An equal value, and NaN, change nothing.
static void SetStatus(int32_t i) {
  double v = RunNum();
  if (!Sprites.Inside(i) || isnan(v) || v == Sprites[i].Status) return;
  Sprites[i].Status = v;
  Sprites[i].StatusShown = v > -1;
  InvalidateSprite(i);
}
static void SetVisible(int32_t i) {
  bool on = RunBool() != 0;
  if (Sprites.Inside(i)) SetSpriteVisible(i, on);
}

// A sprite variable takes over the value's appearance and keeps its place
// and state.
template <Target (*Locate)(const ExecItem&)>
static void AssignSprite() {
  Target t = Locate(OwnStep());
  Sprite v;
  RunValue(v);
  if (Sprites.Inside(t.Entry)) SetSpriteData(t.Entry, v);
  AdvanceList(t.Record);
}

#define SPRITE_ASSIGNMENT(kind, form, locate) \
  void ExecCmdSet##kind##form() { AssignSprite<locate<kind##Kind>>(); }
ALL_FORMS(SPRITE_ASSIGNMENT, Sprite)

#define PROPERTY_ASSIGNMENT(effect, form, locate) \
  void ExecCmdSetSprite##effect##form() { SetProperty<locate<SpriteKind>, Set##effect>(); }
ALL_FORMS(PROPERTY_ASSIGNMENT, X)
ALL_FORMS(PROPERTY_ASSIGNMENT, Y)
ALL_FORMS(PROPERTY_ASSIGNMENT, Dir)
ALL_FORMS(PROPERTY_ASSIGNMENT, Phase)
ALL_FORMS(PROPERTY_ASSIGNMENT, Status)
ALL_FORMS(PROPERTY_ASSIGNMENT, Visible)

// Reads address the sprite as element reads do (the list advances); a sprite
// outside the list reads as the empty sprite.
template <Target (*Locate)(const ExecItem&), class R, R (*Value)(int32_t)>
static R GetProperty() {
  int32_t i = ReadEntry<SpriteKind, Locate>();
  return Sprites.Inside(i) ? Value(i) : R();
}

static double X(int32_t i) { return Sprites[i].X; }
static double Y(int32_t i) { return Sprites[i].Y; }
static double Dir(int32_t i) { return Sprites[i].Angle; }
static double Phase(int32_t i) { return NextSpritePhase(i); }
static double Status(int32_t i) { return Sprites[i].Status; }
static uint8_t Moving(int32_t i) { return Sprites[i].StepsLeft > 0; }
static uint8_t Visible(int32_t i) { return Sprites[i].Visible != 0; }

#define NUMBER_PROPERTY(value, form, locate) \
  double ExecNumSprite##value##form() { return GetProperty<locate<SpriteKind>, double, value>(); }
#define LOGIC_PROPERTY(value, form, locate) \
  uint8_t ExecBoolSprite##value##form() { return GetProperty<locate<SpriteKind>, uint8_t, value>(); }
ALL_FORMS(NUMBER_PROPERTY, X)
ALL_FORMS(NUMBER_PROPERTY, Y)
ALL_FORMS(NUMBER_PROPERTY, Dir)
ALL_FORMS(NUMBER_PROPERTY, Phase)
ALL_FORMS(NUMBER_PROPERTY, Status)
ALL_FORMS(LOGIC_PROPERTY, Moving)
ALL_FORMS(LOGIC_PROPERTY, Visible)

// Param1 = the number of sprite locals to remove. Popped sprites leave the
// engine's lists first, so the next frame's sprites at the same indexes
// inherit no entry; their tiles are drawn again without them.
void ExecCmdPopLocalsSprite() {
  int32_t n = OwnStep().Param1;
  if (n <= 0) return;
  ForgetSpritesFrom(n > Sprites.Count ? 0 : Sprites.Count - n);
  Sprites.RemoveLast(n);
}
