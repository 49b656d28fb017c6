// Byte layout of the program image: header, directory, the sixteen tables and
// their records and item flags; items name their elements by the ids of
// element_ids.h. Plain declarations only, shared by the engine and the host tools.
#pragma once
#include <stdint.h>
#include "image/element_ids.h"

enum ImageTableIndex {
  TableImport, TableClass, TableGlobal, TableLocal, TableProgram, TableStruc,
  TableReal, TableText, TableBool, TablePicture, TableMap, TableBackgrnd,
  TableSprite, TableSound, TableMusic, TablePalette, ImageTableCount
};

// Image records are little-endian and not aligned: tables follow each other
// without padding, so every record type is packed and read byte-wise safe.
#pragma pack(push, 1)

struct ImageTableEntry {
  uint32_t ByteSize;
  uint32_t Count;
  char Name[8];       // blank-padded ASCII, never read
  uint32_t Extra[4];  // only TEXT's Extra[1] (its number of language blocks) is read
};

struct ImageHeader {
  char Magic[3];       // "YLT" plain texts, "REL" transformed texts
  uint8_t Version;     // 1
  uint32_t Word4;      // never read
  uint32_t HeaderSize; // offset of the first table
  uint32_t TableCount; // never read; always 16
  ImageTableEntry Directory[ImageTableCount];
};

// One node of an item tree; the tree is coded in pre-order by two flag bits.
struct ProgramItem {
  uint32_t Flags;
  int32_t RefTable;   // 0 element (RefIndex = IMPORT index), 2 GLOBAL item, 3 LOCAL item
  int32_t RefIndex;
  int32_t DataTable;  // -1 none, 3 LOCAL, 4 PROGRAM, 6..14 a value table
  int32_t DataIndex;  // -1 when none
  int32_t IconIndex;  // PICTURE record, -1 when none
  int32_t TextIndex;  // TEXT entry, -1 when none
  int32_t ElementId;
};

struct ImageSpriteHeader {
  uint32_t Phases;
  uint32_t Directions;
  uint32_t RestPhases;
  uint16_t Width;
  uint16_t Height;
  uint32_t Delay;
  uint32_t Level;
  double StepsPerField;
};

struct ImageSoundHeader {
  uint32_t Size;
  uint32_t SamplesPerSecond;
  uint16_t FormatTag;
  uint8_t Channels;
  uint8_t BitsPerSample;
};

#pragma pack(pop)

static_assert(sizeof(ImageTableEntry) == 32, "directory entry layout");
static_assert(sizeof(ImageHeader) == 528, "image header layout");
static_assert(sizeof(ProgramItem) == 32, "program item layout");
static_assert(sizeof(ImageSpriteHeader) == 32, "sprite header layout");
static_assert(sizeof(ImageSoundHeader) == 12, "sound header layout");

const uint32_t ImageHeaderSize = 528;
const uint32_t MagicPlainTexts = 'Y' | 'L' << 8 | 'T' << 16 | 1u << 24;
const uint32_t MagicTransformedTexts = 'R' | 'E' << 8 | 'L' << 16 | 1u << 24;

// Texts of a "REL" image are stored as (TextTransformConstant - b) mod 256 for
// each byte b; the same operation reads them back. The image writer uses it too.
const uint8_t TextTransformConstant = 0xA5;

const uint32_t ItemHasChildren = 0x01;
const uint32_t ItemHasNext = 0x02;
const uint32_t ItemSwitchedOff = 0x10 | 0x80;

const int32_t RefElement = 0;
const int32_t RefGlobal = 2;
const int32_t RefLocal = 3;
const int32_t DataNone = -1;
const int32_t DataLocal = 3;
const int32_t DataProgram = 4;

// A TEXT block opens with its u32 languageId and u32 codePage; each of its
// texts is a u32 length followed by that many bytes.
const uint32_t TextBlockHeaderSize = 8;
