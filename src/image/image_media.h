// The loader's media steps: icons, maps, pictures, sprites, sounds and music
// of the checked image into their global lists, with the defaults of empty tables.
#pragma once

void LoadImageMedia();
