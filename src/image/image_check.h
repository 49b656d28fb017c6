// Checking a program image before it is loaded: header, every table and
// record, the item trees and every index they hold, all within the image, so
// the loader, compiler and interpreter can read it without further tests.
#pragma once
#include <stdint.h>

enum ImageFault {
  ImageGood,
  FaultBadMagic,
  FaultTooShort,        // shorter than the header
  FaultBadHeaderSize,   // headerSize below 528 or beyond the image
  FaultTableOutside,    // a table ends beyond the image
  FaultTableTooSmall,   // a fixed-size table holds fewer bytes than its count needs
  FaultTextOutside,     // a text block or text runs past its table
  FaultTooManyTexts,    // a text count no block could hold
  FaultIconOutside,
  FaultMapOutside,
  FaultMapSize,         // a side below 1 or beyond the caps
  FaultPictureOutside,
  FaultPictureSize,     // a side outside 1..32767
  FaultSpriteOutside,
  FaultSpriteSize,      // a picture side outside 1..32767
  FaultSpriteCounts,    // phases or directions 0, or too many pictures
  FaultSoundOutside,
  FaultSoundFormat,     // PCM with bad channels, bits or rate
  FaultSoundFormatHeader,  // a compressed sound's format header beyond its data
  FaultMusicOutside,
  FaultTreeUnclosed,    // a subtree announced by the flags never closes
  FaultTreeTooDeep,
  FaultBadReference,    // RefIndex of a GLOBAL or LOCAL reference outside its table
  FaultBadDataIndex,
  FaultBadIconIndex,
  FaultBadTextIndex,
  ImageFaultCount
};

// What was found, and where: the table and the record or item index (-1 for
// the header or a whole table).
struct ImageVerdict {
  ImageFault Fault;
  int32_t Table;
  int32_t Record;
};

// Items nest at most this many levels (top-level items are level 1): the
// compiler and the interpreter recurse once per level.
const int32_t MaxItemDepth = 1024;
// Maps: each side 1..32767 and at most this many cells (32 MB of cells).
const uint32_t ImageMaxMapSide = 32767;
const uint64_t ImageMaxMapCells = 4194304;
// Pictures and sprite pictures: each side 1..32767.
const uint32_t ImageMaxPictureSide = 32767;
// Sprites: phases x directions at most this (as many as the sprite file allows).
const uint64_t ImageMaxSpritePictures = 2097152;

ImageVerdict CheckProgramImage(const uint8_t* image, uint32_t size);
const char* ImageFaultName(ImageFault fault);
