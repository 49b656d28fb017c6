// The sprite file: a sprite's appearance as header, colour table and one pixel
// stream of all its pictures, read from and written to byte buffers.
#pragma once
#include <stdint.h>
#include "values/sprite.h"

const int32_t SpriteFileHeaderSize = 40;
const int32_t SpriteFileColorCount = 224;  // colours a written file carries
// Where the pixel code of a written file starts: header, 224 colours, u32 count.
const int32_t SpriteFileCodeOffset = SpriteFileHeaderSize + 4 * SpriteFileColorCount + 4;
// The most pixel bytes a sprite file may hold, so that the decoded pixels and
// the writer's work buffer stay within one allocation.
const int64_t MaxSpritePixelBytes = 0x70000000;

struct SpriteFileHeader {
  int32_t PhaseCount;
  int32_t DirectionCount;
  int32_t RestPhaseCount;
  int32_t Width;
  int32_t Height;
  int32_t Delay;
  int32_t Level;
  double Step;
  int32_t ColorCount;
  int32_t Compression;  // 1 pixel code, 0 or negative raw pixels
  int32_t Length;       // Width x Height x PhaseCount x DirectionCount
};

// Decodes and checks the header from the `available` bytes at `bytes` (fewer
// than 40 when the file ends early). False for a bad header.
bool ParseSpriteFileHeader(const uint8_t* bytes, int32_t available, SpriteFileHeader* header);
// Fills ColorImportMap from the file's ColorCount colours (RGBQUADs), with
// colour 0 taken as transparent and, in a full palette, colour 1 as shadow.
void ImportSpriteFileColors(const SpriteFileHeader& header, const uint8_t* colors);
// Gives the sprite new data from the header and the pictures from Length
// pixel bytes of file colour indexes, mapped through ColorImportMap.
void BuildSpriteFromPixels(Sprite& sprite, const SpriteFileHeader& header, const uint8_t* pixels);

// Reads a sprite file from `size` bytes at `data`. Returns the bytes the file
// took, or -1 for a bad header, in which case the sprite is unchanged. Colours
// or pixels cut off by the end of the data count as zero bytes.
int32_t ReadSpriteFile(Sprite& sprite, const uint8_t* data, int32_t size);

// The writer's work buffer for `length` pixel bytes: the fixed part and the
// encoder's true worst case, which for a few pixels is more than half again.
int32_t SpriteFileBufferSize(int32_t length);

// Writes the sprite's appearance as a sprite file into a buffer from MemAlloc
// that the caller frees. Returns the file's size, or 0 (no buffer) when the
// sprite holds more pixels than a file may.
int32_t WriteSpriteFile(const Sprite& sprite, uint8_t** file);
