// Picture records: creation, release, copy on write, decoding of image
// pictures, and pictures from icons, maps and imported pixels.
#include "values/picture.h"
#include "base/global_storage.h"
#include <string.h>
#include "values/palette.h"

PictureData EmptyPictureData = {1, Unclassified, IconSide, IconSide, nullptr};

GLOBAL_OBJECT(Picture, EmptyPicture);
GLOBAL_OBJECT(PictureList, Pictures);

const Picture& Picture::EmptyValue() { return EmptyPicture; }

static int16_t PictureSide(int32_t n) {
  return (int16_t)(n < 1 ? 1 : n > MaxPictureSide ? MaxPictureSide : n);
}

PictureData* Picture::NewRecord(int32_t width, int32_t height) {
  PictureData* r = (PictureData*)MemAlloc(sizeof(PictureData));
  r->RefCount = 1;
  r->State = Unclassified;
  r->Width = PictureSide(width);
  r->Height = PictureSide(height);
  r->Pixels = (uint8_t*)MemAlloc(r->PixelCount());
  return r;
}

void Picture::FreeRecord(PictureData* r) {
  MemFree(r->Pixels);
  MemFree(r);
}

PictureData* Picture::CopyRecord(const PictureData* source) {
  PictureData* r = NewRecord(source->Width, source->Height);
  r->State = source->State;
  memcpy(r->Pixels, source->Pixels, r->PixelCount());
  return r;
}

void Picture::Decompress() const { DecompressImageRecord(Data, Data->PixelCount(), Data->Width); }

void Picture::MakeUnique() {
  Decompress();
  ValueHandle::MakeUnique();
}

const uint8_t* Picture::Pixels() const {
  Decompress();
  return Data->Pixels;
}

ImageState Picture::Classify() const {
  Decompress();
  if (Data->State == Unclassified) Data->State = ClassifyPixels(Data->Pixels, Data->PixelCount());
  return (ImageState)Data->State;
}

void Picture::FromIcon(const Icon& icon) {
  const uint8_t* source = icon.Pixels();
  New(IconSide, IconSide);
  memcpy(Data->Pixels, source, IconPixelCount);
}

void Picture::FromMap(const Map& map) {
  const int32_t maxCells = MaxPictureSide / IconSide;
  int32_t columns = map.Width() < maxCells ? map.Width() : maxCells;
  int32_t rows = map.Height() < maxCells ? map.Height() : maxCells;
  New(columns * IconSide, rows * IconSide);
  int32_t stride = Data->Width;
  for (int32_t y = 0; y < rows; y++) {
    for (int32_t x = 0; x < columns; x++) {
      const uint8_t* from = map.Cell(x, y).Icon.Pixels();
      uint8_t* to = Data->Pixels + y * IconSide * stride + x * IconSide;
      for (int32_t line = 0; line < IconSide; line++)
        memcpy(to + line * stride, from + line * IconSide, IconSide);
    }
  }
}

void Picture::ImportPixels(const uint8_t* source) {
  if (Data->RefCount > 1) New(Data->Width, Data->Height);
  uint8_t* pixels = Data->Pixels;
  for (int32_t i = 0, n = Data->PixelCount(); i < n; i++) pixels[i] = ColorImportMap[source[i]];
  Data->State = Unclassified;
}

void AllocateEmptyImagePixels() {
  AllocateEmptyIconPixels();
  EmptyPictureData.Pixels = (uint8_t*)MemAlloc(IconPixelCount);
  memset(EmptyPictureData.Pixels, 0, IconPixelCount);
}

void InitEmptyPicture() { EmptyPicture.InitEmpty(); }
void InitPictures() { Pictures.Init(); }
