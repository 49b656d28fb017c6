// Pictures: palette images of any size behind one-word handles, decoded from
// the program image on first use, made from icons, maps and imported pixels.
#pragma once
#include <stdint.h>
#include "values/icon.h"
#include "values/map.h"

struct ColorPixel;

const int32_t MaxPictureSide = 32767;

struct PictureData {
  int32_t RefCount;
  int32_t State;    // ImageState
  int16_t Width;    // 1..32767
  int16_t Height;   // 1..32767
  uint8_t* Pixels;  // Width x Height, bottom row first; while Compressed: u32 count, then pixel code

  int32_t PixelCount() const { return (int32_t)Width * Height; }
};

// The static empty picture: 32 x 32, count 1 of its own, pixels allocated at start-up.
extern PictureData EmptyPictureData;

class Picture : public ValueHandle<Picture, PictureData> {
 public:
  Picture() {}
  // A new private picture, each side limited to 1..32767, pixels not set.
  Picture(int32_t width, int32_t height) : ValueHandle(NewRecord(width, height)) {}

  void InitNew(int32_t width, int32_t height) { Data = NewRecord(width, height); }
  void AttachRecord(PictureData* record) { Assign(record); }
  // A new record of that size, Unclassified, pixels not set.
  void New(int32_t width, int32_t height) { Replace(NewRecord(width, height)); }
  // Decode an image picture in its shared record; other states are left alone.
  void Decompress() const;
  void MakeUnique();

  int32_t Width() const { return Data->Width; }
  int32_t Height() const { return Data->Height; }
  const uint8_t* Pixels() const;
  // The record's state, classifying Unclassified pixels first (drawing's step).
  ImageState Classify() const;

  // A 32 x 32 picture with the icon's pixels.
  void FromIcon(const Icon& icon);
  // The cells' icons side by side; a map of more than 1023 cells in a
  // direction is cut to 1023, the widest a picture can hold.
  void FromMap(const Map& map);
  // Every pixel becomes ColorImportMap[source byte]; the size stays.
  void ImportPixels(const uint8_t* source);

  // Transformations (picture_transform.cpp, color_pixels.cpp). Each decodes an
  // image picture first and never changes a record another handle shares.
  // Pixels become 0 where the other picture's are 0 or where it does not reach
  // (the two aligned at their bottom-left corners).
  void Mask(const Picture& other);
  // A new buffer of Width x Height colour pixels, freed by the caller (MemFree).
  ColorPixel* ToColorPixels() const;
  // The pixels from a buffer of the picture's size, through the colour cube;
  // a shared record is replaced by a new one, a private one keeps its State.
  void FromColorPixels(const ColorPixel* colors, bool dither);
  // A new size (each side limited to 1..32767), by nearest pixel or smoothly.
  void Resize(int32_t width, int32_t height, bool smooth, bool dither);
  // Every colour's intensity times |factor| (at most 1000).
  void ScaleColors(double factor, bool smooth);
  // Counter-clockwise by angle radians; a non-finite angle changes nothing.
  void Rotate(double angle, bool smooth, bool dither);
  void MirrorX();  // each row reversed
  void MirrorY();  // row order reversed

  static PictureData* EmptyRecord() { return &EmptyPictureData; }
  static void FreeRecord(PictureData* record);
  static PictureData* CopyRecord(const PictureData* record);
  static const Picture& EmptyValue();
  static PictureData* NewRecord(int32_t width, int32_t height);
};

extern Picture& EmptyPicture;

typedef HandleList<Picture> PictureList;
extern PictureList& Pictures;

// Start-up step 10: the pixels of the empty icon and the empty picture.
void AllocateEmptyImagePixels();
// Start-up step 12: the global objects.
void InitEmptyPicture();
void InitPictures();
