// The sprite engine: the lists of visible, moving and animated sprites, the
// draw list with its sort keys, the sprite clipping rectangle and the drawing
// of one sprite into the frame buffer. Sprites are named by their index in
// Sprites.
#pragma once
#include <stdint.h>
#include "base/lists.h"

extern IntList& VisibleSprites;   // in the order they became visible
extern IntList& MovingSprites;
extern IntList& AnimatedSprites;
extern IntList& SpriteDrawOrder;  // queued for the next refresh, drawn from the end
extern IntList& SpriteDrawLevels;
extern RealList& SpriteDrawKeys;

// Surface pixels, y up, each edge within -SpriteClipLimit .. SpriteClipLimit;
// at start-up the right and top edges are at the limit.
extern int32_t SpriteClipLeft, SpriteClipBottom, SpriteClipRight, SpriteClipTop;
const int32_t SpriteClipLimit = 32000000;

// The width and height of a sprite's first picture.
int32_t SpriteWidth(int32_t i);
int32_t SpriteHeight(int32_t i);
// A visible sprite's tiles are recomposed at the next refresh.
void InvalidateSprite(int32_t i);
// Queued once, by level from high to low, then by y from small to large;
// equal keys go after the entries already there.
void AddSpriteToDrawList(int32_t i);
void DrawBackSprites();   // queued sprites of level below 0
void DrawFrontSprites();  // the others; empties the draw list
void DrawSprite(int32_t i);
// Every index from first on leaves the engine's lists, each sprite invalidated
// first: the sprite objects above first are about to be removed.
void ForgetSpritesFrom(int32_t first);

// Start-up's constructor of the lists.
void InitSpriteLists();
// The start-up state: every list empty, the clipping rectangle the whole
// surface. For the tests' fresh programs.
void ResetSpriteEngine();
