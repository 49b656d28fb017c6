// Composition of the dirty tiles in the frame buffer: the closure of dirty
// tiles and the sprites over them, backgrounds, and map icons.
#pragma once
#include <stdint.h>

// Queues every visible sprite over a dirty tile and makes every tile under a
// queued sprite dirty, tile by tile from the last to the first.
void CollectDirtySprites();
void CollectSpritesOverTile(int32_t column, int32_t row);
// The background under every dirty tile whose map icon is not opaque.
void ComposeBackgrounds();
// The map icon of every dirty tile, clearing its mark.
void ComposeMapIcons();
