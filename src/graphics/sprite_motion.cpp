// Sprites walking toward their targets in steps and cycling their phases:
// the rest phases 0..RestPhaseCount-1 while standing, the others while walking.
#include "graphics/sprite_motion.h"
#include <math.h>
#include "base/rounding.h"
#include "graphics/sprite_engine.h"

static const double TwoPi = 6.283185307179586476925;

int32_t TicksPerStep(int32_t delay) { return (int32_t)(((int64_t)delay + 22) / 55); }

static int32_t Ticks(const Sprite& s) { return TicksPerStep(s.Held()->Delay); }

static void RemoveAll(IntList& list, int32_t i) {
  for (int32_t k = list.Count - 1; k >= 0; k--)
    if (list[k] == i) list.RemoveAt(k);
}

// The direction index nearest to angle, by integer modulo so that NaN and
// huge angles (rounded to INT32_MIN) need no loop.
static int32_t DirectionOf(double angle, int32_t count) {
  int64_t d = RoundToInt(angle / (TwoPi / count));
  d %= count;
  if (d < 0) d += count;
  return (int32_t)d;
}

static void SetDirectionIndex(Sprite& s, int32_t d) {
  s.Direction = d;
  s.Angle = d * TwoPi / s.Held()->DirectionCount;
}

static void SetPosition(Sprite& s, double x, double y) {
  s.X = x;
  s.Y = y;
  s.PixelX = RoundToInt(x * 32);
  s.PixelY = RoundToInt(y * 32);
}

// The walk ends where the sprite is. The countdown is kept: a rest
// animation that starts now counts on from it.
static void StopWalk(int32_t i) {
  Sprite& s = Sprites[i];
  s.StepsLeft = -1;
  if (!s.Moving) return;
  s.Moving = 0;
  RemoveAll(MovingSprites, i);
}

static bool TakePendingPhase(Sprite& s) {
  if ((uint32_t)s.PendingPhase >= (uint32_t)s.Held()->PhaseCount) return false;
  s.Phase = s.PendingPhase;
  s.PendingPhase = -1;
  return true;
}

// Step times distance, rounded; NaN gives 0 (the sprite arrives at its first
// step tick) and counts beyond 32 bits are held, so StepsLeft never wraps.
static int32_t StepCount(double n) {
  if (isnan(n)) return 0;
  if (n >= 2147483647.0) return INT32_MAX;
  if (n <= -2147483647.0) return -1;
  return RoundToInt(n);
}

void MoveSpriteTo(int32_t i, double x, double y) {
  Sprite& s = Sprites[i];
  s.TargetX = x;
  s.TargetY = y;
  int32_t px = RoundToInt(x * 32), py = RoundToInt(y * 32);
  if (!s.Visible) {
    SetPosition(s, x, y);
    return;
  }
  if (px == s.PixelX && py == s.PixelY) {
    InvalidateSprite(i);
    s.X = x;
    s.Y = y;
    if (s.Moving) StopWalk(i);
    if (s.Held()->RestPhaseCount == 1) s.Phase = 0;
    AddSpriteToDrawList(i);
    StartSpriteAnimation(i);
    return;
  }
  EndSpriteAnimation(i);
  SpriteData* d = s.Held();
  double dx = x - s.X, dy = y - s.Y;
  SetDirectionIndex(s, DirectionOf(atan2(dy, dx), d->DirectionCount));
  if (!s.Moving) {
    s.Moving = 1;
    s.Countdown = 1;
    MovingSprites.Append(i);
  }
  if (s.Phase < d->RestPhaseCount && d->RestPhaseCount < d->PhaseCount) s.Phase = d->RestPhaseCount - 1;
  int32_t n = StepCount(d->Step * sqrt(dx * dx + dy * dy));
  s.StepsLeft = n;
  if (n == 0 && d->Step == 0) {
    InvalidateSprite(i);
    SetPosition(s, x, y);
    StopWalk(i);
    AddSpriteToDrawList(i);
    StartSpriteAnimation(i);
    return;
  }
  s.StepX = dx / (n > 1 ? n : 1);
  s.StepY = dy / (n > 1 ? n : 1);
}

static void Arrive(int32_t i, int32_t k) {
  Sprite& s = Sprites[i];
  SpriteData* d = s.Held();
  SetPosition(s, s.TargetX, s.TargetY);
  s.StepsLeft = -1;
  if (!TakePendingPhase(s)) {
    if (s.Phase >= d->RestPhaseCount) s.Phase -= d->RestPhaseCount;
    s.Phase = (s.Phase + 1) % d->RestPhaseCount;
  }
  // Its animation starts in this tick's animation step.
  if (d->RestPhaseCount > 1) AnimatedSprites.Append(i);
  MovingSprites.RemoveAt(k);
  s.Moving = 0;
}

static void TakeStep(int32_t i) {
  Sprite& s = Sprites[i];
  SpriteData* d = s.Held();
  SetPosition(s, s.X + s.StepX, s.Y + s.StepY);
  s.Countdown = Ticks(s);
  if (TakePendingPhase(s)) return;
  if (++s.Phase >= d->PhaseCount) s.Phase = d->RestPhaseCount >= d->PhaseCount ? 0 : d->RestPhaseCount;
}

// Only the tiles of the old position are marked: the sprite is drawn over
// what the new ones showed at the last refresh.
void MoveSprites() {
  for (int32_t k = MovingSprites.Count - 1; k >= 0; k--) {
    int32_t i = MovingSprites[k];
    Sprite& s = Sprites[i];
    if (--s.Countdown > 0) continue;
    InvalidateSprite(i);
    if (--s.StepsLeft < 0)
      Arrive(i, k);
    else
      TakeStep(i);
    AddSpriteToDrawList(i);
  }
}

void AnimateSprites() {
  for (int32_t k = AnimatedSprites.Count - 1; k >= 0; k--) {
    int32_t i = AnimatedSprites[k];
    Sprite& s = Sprites[i];
    if (!s.Animating) {
      s.Animating = 1;
      s.Countdown = Ticks(s);
      continue;
    }
    if (--s.Countdown > 0) continue;
    InvalidateSprite(i);
    if (!TakePendingPhase(s)) s.Phase = (s.Phase + 1) % s.Held()->RestPhaseCount;
    s.Countdown = Ticks(s);
  }
}

// A walking sprite shows its moving phases; its rest animation starts when
// it arrives.
void StartSpriteAnimation(int32_t i) {
  Sprite& s = Sprites[i];
  if (s.Animating || s.Moving || s.Held()->RestPhaseCount <= 1) return;
  s.Animating = 1;
  AnimatedSprites.Append(i);
  if (s.Countdown <= 0) s.Countdown = Ticks(s);
}

void EndSpriteAnimation(int32_t i) {
  Sprite& s = Sprites[i];
  if (!s.Animating) return;
  s.Animating = 0;
  RemoveAll(AnimatedSprites, i);
}

void SetSpriteDirection(int32_t i, double angle) {
  Sprite& s = Sprites[i];
  int32_t d = DirectionOf(angle, s.Held()->DirectionCount);
  if (d == s.Direction) return;
  SetDirectionIndex(s, d);
  InvalidateSprite(i);
}

void SetSpriteVisible(int32_t i, bool on) {
  Sprite& s = Sprites[i];
  if ((s.Visible != 0) == on) return;
  if (on) {
    s.Visible = 1;
    VisibleSprites.Append(i);
    StartSpriteAnimation(i);
    InvalidateSprite(i);
    return;
  }
  InvalidateSprite(i);
  s.Visible = 0;
  RemoveAll(VisibleSprites, i);
  EndSpriteAnimation(i);
  if (s.Moving) {
    SetPosition(s, s.TargetX, s.TargetY);
    StopWalk(i);
  }
  s.Phase %= s.Held()->RestPhaseCount;
}

void SetSpriteData(int32_t i, const Sprite& source) {
  Sprite& s = Sprites[i];
  SpriteData* old = s.Held();
  SpriteData* fresh = source.Held();
  if (old == fresh) return;
  if (s.Visible) {
    if (old->RestPhaseCount > 1 && fresh->RestPhaseCount == 1) EndSpriteAnimation(i);
    InvalidateSprite(i);
  }
  int32_t r0 = old->RestPhaseCount, r1 = fresh->RestPhaseCount, p1 = fresh->PhaseCount;
  if (s.Phase >= r0) {
    s.Phase += r1 - r0;
    if (s.Phase >= p1) s.Phase = r1;
  } else if (s.Phase >= r1) {
    s.Phase = 0;
  }
  s.AssignData(source);
  if (s.Phase >= p1) s.Phase = 0;
  SetSpriteDirection(i, s.Angle);
  if (s.Visible) StartSpriteAnimation(i);
}

int32_t NextSpritePhase(int32_t i) {
  const Sprite& s = Sprites[i];
  const SpriteData* d = s.Held();
  int32_t rest = d->RestPhaseCount, phases = d->PhaseCount;
  if ((uint32_t)s.PendingPhase < (uint32_t)phases) return s.PendingPhase;
  if (!s.Moving) return rest > 1 ? (s.Phase + 1) % rest : s.Phase;
  if (s.StepsLeft > 0) return s.Phase + 1 < phases ? s.Phase + 1 : rest < phases ? rest : 0;
  return s.Phase < rest ? (s.Phase + 1) % rest : (s.Phase - rest + 1) % rest;
}
