// Pixel classification and record allocation shared by the media kinds.
#include "values/value_handle.h"
#include <string.h>
#include "values/pixel_code.h"

ImageState ClassifyPixels(const uint8_t* pixels, int32_t count) {
  bool anyVisible = false, anyMasking = false;
  for (int32_t i = 0; i < count; i++) {
    uint8_t p = pixels[i];
    if (p != 0) anyVisible = true;
    if (p <= 1) anyMasking = true;
    if (anyVisible && anyMasking) return Masked;
  }
  return anyVisible ? Opaque : Invisible;
}

uint8_t* DecodeImagePixels(const uint8_t* record, int32_t length, int32_t width) {
  uint32_t size;
  memcpy(&size, record, 4);
  uint8_t* pixels = (uint8_t*)MemAlloc(length);
  DecompressPixels(pixels, length, width, record + 4, size > 0x7FFFFFFF ? 0x7FFFFFFF : (int32_t)size);
  return pixels;
}

void* AllocRecord(int32_t headerSize, int64_t items, int32_t itemSize) {
  // Compared by division, so no product of two 32-bit sizes can overflow here.
  if (items < 0 || items > (0x7FFFFFFF - headerSize) / itemSize) ShowMemoryError();
  return MemAlloc((int32_t)(headerSize + items * itemSize));
}

void* AllocGridRecord(int32_t headerSize, int32_t columns, int32_t rows, int32_t itemSize) {
  if (columns < 1) columns = 1;
  if (rows < 1) rows = 1;
  GridRecordHeader* r = (GridRecordHeader*)AllocRecord(headerSize, (int64_t)columns * rows, itemSize);
  r->RefCount = 1;
  r->Columns = columns;
  r->Rows = rows;
  return r;
}
