// The interim side of the hand-offs: the sprite state that the language reads
// back, without motion, animation or drawing (no sprite engine or graphics
// surface runs yet).
#include "exec/handoffs.h"

void MoveSpriteTo(int32_t i, double x, double y) {
  Sprite& s = Sprites[i];
  s.TargetX = x;
  s.TargetY = y;
  // Nothing walks yet, so every sprite arrives at once.
  s.X = x;
  s.Y = y;
}

void SetSpriteDirection(int32_t i, double angle) { Sprites[i].Angle = angle; }

void SetSpriteVisible(int32_t i, bool on) { Sprites[i].Visible = on ? 1 : 0; }

// The phase keeps its place in the rest or moving range of the new data.
void SetSpriteData(int32_t i, const Sprite& source) {
  Sprite& s = Sprites[i];
  if (s.Held() == source.Held()) return;
  int32_t r0 = s.Held()->RestPhaseCount, r1 = source.Held()->RestPhaseCount;
  int32_t p1 = source.Held()->PhaseCount;
  if (s.Phase >= r0) {
    s.Phase += r1 - r0;
    if (s.Phase >= p1) s.Phase = r1;
  } else if (s.Phase >= r1) {
    s.Phase = 0;
  }
  s.AssignData(source);
  if (s.Phase >= p1) s.Phase = 0;
}

void InvalidateSprite(int32_t i) {}

int32_t NextSpritePhase(int32_t i) {
  const Sprite& s = Sprites[i];
  int32_t pending = s.PendingPhase;
  if (pending >= 0 && pending < s.Held()->PhaseCount) return pending;
  return s.Phase;
}

void MainMapAssigned() {}
