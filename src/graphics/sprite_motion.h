// Sprite motion and animation: placing, turning, showing, hiding and
// re-skinning a sprite, the tick's motion and animation steps, and the phase
// the program reads back. Every operation takes the sprite's index in Sprites.
#pragma once
#include <stdint.h>
#include "values/sprite.h"

// Walks toward (x, y) in fields; a hidden sprite, or one with step 0, jumps.
void MoveSpriteTo(int32_t i, double x, double y);
// Turns to the direction sector nearest to angle (radians).
void SetSpriteDirection(int32_t i, double angle);
void SetSpriteVisible(int32_t i, bool on);
// Takes over the appearance of source, keeping its own place and state.
void SetSpriteData(int32_t i, const Sprite& source);
void StartSpriteAnimation(int32_t i);
void EndSpriteAnimation(int32_t i);
// The phase shown after the sprite's next animation or motion step.
int32_t NextSpritePhase(int32_t i);
// The tick's steps: every moving sprite, then every animated one.
void MoveSprites();
void AnimateSprites();
// Ticks per phase or step for a delay in milliseconds.
int32_t TicksPerStep(int32_t delay);
