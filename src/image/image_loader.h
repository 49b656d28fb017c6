// The image loader: the checked image's constant tables into the global value
// lists, and the three item tables with their links.
#pragma once
#include <stdint.h>

// Table k of ProgramImage (0..15): the image start plus headerSize plus the
// byte sizes of the tables before it.
const uint8_t* GetImageTable(int32_t k);
// The directory entry's record count of table k.
uint32_t GetImageTableCount(int32_t k);

// Runs once at start-up, after the image was located. An image that fails
// CheckProgramImage ends the run with ExitBadImage before anything is read.
void LoadProgramImage();
// The state before LoadProgramImage: every value list empty and no items
// (the links the loader allocated are not freed). For the tests, which load
// one program after another.
void ResetProgramImage();
