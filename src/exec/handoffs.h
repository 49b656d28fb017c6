// What variables and sprite properties hand on to the sprite engine and the
// graphics surface. Until those stand, handoffs.cpp keeps the state that the
// language reads back; the engine and the surface take these functions over.
#pragma once
#include <stdint.h>
#include "values/sprite.h"

// Sprites entry i walks toward (x, y) in fields (a hidden sprite jumps).
void MoveSpriteTo(int32_t i, double x, double y);
// Sprites entry i turns to angle (radians).
void SetSpriteDirection(int32_t i, double angle);
void SetSpriteVisible(int32_t i, bool on);
// Sprites entry i takes over the appearance of source, keeping its place.
void SetSpriteData(int32_t i, const Sprite& source);
// Sprites entry i is to be drawn again.
void InvalidateSprite(int32_t i);
// The phase Sprites entry i shows at its next animation or motion step.
int32_t NextSpritePhase(int32_t i);
// Maps entry 0 was replaced: the surface and the main window follow its size.
void MainMapAssigned();
