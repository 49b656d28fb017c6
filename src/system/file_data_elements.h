// The settings of the typed file elements: the length of fixed texts and the
// text encoding of the data files; sprite files at the data files' offsets.
#pragma once
#include <stdint.h>

class Sprite;

extern int32_t FixedTextLength;  // characters of a fixed-length text, at least 1
extern uint8_t FileUnicode;      // 1: texts as UTF-16 units; 0: as ANSI bytes

// The number of the next operand as a file offset: rounded, saturated to
// 0..FileOffsetLimit, NaN giving 0.
int32_t EvalNextFileOffset();

// A sprite file from the read offset into the sprite; a bad header leaves the
// sprite and the offset unchanged and sets FileError.
void LoadSpriteFile(Sprite& sprite);
// The sprite's appearance as a sprite file at the write offset; a sprite too
// large for a file is not written and sets FileError.
void SaveSpriteFile(const Sprite& sprite);
