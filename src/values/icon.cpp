// Icon records: creation, release with the cached window handles, copy on
// write and decoding of image icons.
#include "values/icon.h"
#include "base/global_storage.h"
#include <string.h>

IconData EmptyIconData = {1, Unclassified, nullptr, nullptr, nullptr};

GLOBAL_OBJECT(Icon, EmptyIcon);
GLOBAL_OBJECT(IconList, Icons);

const Icon& Icon::EmptyValue() { return EmptyIcon; }

IconData* Icon::NewRecord() {
  IconData* r = (IconData*)MemAlloc(sizeof(IconData));
  r->RefCount = 1;
  r->State = Unclassified;
  r->WindowIcon = nullptr;
  r->Cursor = nullptr;
  r->Pixels = (uint8_t*)MemAlloc(IconPixelCount);
  memset(r->Pixels, 0, IconPixelCount);
  return r;
}

void Icon::FreeRecord(IconData* r) {
  if (r->WindowIcon) DestroyIcon(r->WindowIcon);
  if (r->Cursor) DestroyCursor(r->Cursor);
  MemFree(r->Pixels);
  MemFree(r);
}

// The window handles stay with the old record; the copy makes its own later.
IconData* Icon::CopyRecord(const IconData* source) {
  IconData* r = NewRecord();
  r->State = source->State;
  memcpy(r->Pixels, source->Pixels, IconPixelCount);
  return r;
}

void Icon::New() {
  if (Data->RefCount != 1) Replace(NewRecord());
}

void Icon::Decompress() const { DecompressImageRecord(Data, IconPixelCount, IconSide); }

const uint8_t* Icon::Pixels() const {
  Decompress();
  return Data->Pixels;
}

void Icon::MakeUnique() {
  Decompress();
  ValueHandle::MakeUnique();
}

uint8_t* Icon::WritablePixels() {
  MakeUnique();
  Data->State = Unclassified;
  return Data->Pixels;
}

ImageState Icon::Classify() const {
  Decompress();
  if (Data->State == Unclassified) Data->State = ClassifyPixels(Data->Pixels, IconPixelCount);
  return (ImageState)Data->State;
}

void AllocateEmptyIconPixels() {
  EmptyIconData.Pixels = (uint8_t*)MemAlloc(IconPixelCount);
  memset(EmptyIconData.Pixels, 0, IconPixelCount);
}

void InitEmptyIcon() { EmptyIcon.InitEmpty(); }
void InitIcons() { Icons.Init(); }
