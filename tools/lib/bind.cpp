// Binding a program image into a copy of the engine (PE32 section append).
#include "lib/bind.h"
#include <string.h>

const char ImageLocationMarker[16] = "YeltoImageWords";

namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}
uint16_t Get16(const std::vector<uint8_t>& b, size_t at) { return (uint16_t)(b[at] | b[at + 1] << 8); }
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; i++) b[at + i] = (uint8_t)(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = (uint8_t)v;
  b[at + 1] = (uint8_t)(v >> 8);
}
uint32_t AlignUp(uint32_t v, uint32_t a) { return (v + a - 1) / a * a; }

const size_t SectionHeaderSize = 40;

// Finds the one place of the marker; fails when it is missing or repeated.
bool FindMarker(const std::vector<uint8_t>& b, size_t& at) {
  size_t found = 0, count = 0;
  for (size_t i = 0; i + 24 <= b.size(); i++)
    if (memcmp(&b[i], ImageLocationMarker, 16) == 0) found = i, count++;
  at = found + 16;
  return count == 1;
}

}  // namespace

bool BindImage(const std::vector<uint8_t>& engine, const std::vector<uint8_t>& image,
               std::vector<uint8_t>& out, std::string& error, const uint32_t* sizeWord) {
  out = engine;
  if (out.size() < 0x40 || out[0] != 'M' || out[1] != 'Z') return error = "not an MZ file", false;
  size_t pe = Get32(out, 0x3C);
  if (pe + 24 + 96 > out.size() || memcmp(&out[pe], "PE\0\0", 4) != 0)
    return error = "no PE header", false;
  size_t coff = pe + 4;
  uint16_t sections = Get16(out, coff + 2);
  uint16_t optSize = Get16(out, coff + 16);
  size_t opt = coff + 20;
  if (Get16(out, opt) != 0x10B) return error = "not a PE32 image", false;
  if (Get32(out, coff + 8) != 0) return error = "engine has a symbol table (link it stripped)", false;
  uint32_t sectionAlign = Get32(out, opt + 32), fileAlign = Get32(out, opt + 36);
  uint32_t headersSize = Get32(out, opt + 60);
  size_t table = opt + optSize;
  size_t newHeader = table + sections * SectionHeaderSize;
  if (sections == 0 || newHeader + SectionHeaderSize > headersSize)
    return error = "no room for another section header", false;

  uint32_t lastVa = 0, lastRawEnd = 0;
  for (uint16_t i = 0; i < sections; i++) {
    size_t h = table + i * SectionHeaderSize;
    uint32_t va = Get32(out, h + 12), vsize = Get32(out, h + 8);
    uint32_t raw = Get32(out, h + 20), rawPtr = Get32(out, h + 16);
    if (va + vsize > lastVa) lastVa = va + vsize;
    if (rawPtr + raw > lastRawEnd) lastRawEnd = rawPtr + raw;
    if (memcmp(&out[h], ".yltprg", 7) == 0) return error = "engine already has an image", false;
  }
  if (lastRawEnd != out.size()) return error = "engine has data after its last section", false;

  size_t location;
  if (!FindMarker(out, location)) return error = "image location words not found once", false;

  uint32_t size = (uint32_t)image.size();
  uint32_t va = AlignUp(lastVa, sectionAlign);
  uint32_t rawPtr = AlignUp((uint32_t)out.size(), fileAlign);
  uint32_t rawSize = AlignUp(size, fileAlign);
  memset(&out[newHeader], 0, SectionHeaderSize);
  memcpy(&out[newHeader], ".yltprg", 7);
  Put32(out, newHeader + 8, size);
  Put32(out, newHeader + 12, va);
  Put32(out, newHeader + 16, rawSize);
  Put32(out, newHeader + 20, rawPtr);
  Put32(out, newHeader + 36, 0x40000040);  // initialised data, read-only
  Put16(out, coff + 2, (uint16_t)(sections + 1));
  Put32(out, opt + 56, AlignUp(va + (size ? size : 1), sectionAlign));  // SizeOfImage
  Put32(out, opt + 8, Get32(out, opt + 8) + rawSize);                  // SizeOfInitializedData

  out.resize(rawPtr, 0);
  out.insert(out.end(), image.begin(), image.end());
  out.resize(rawPtr + rawSize, 0);
  Put32(out, location, va);
  Put32(out, location + 4, sizeWord ? *sizeWord : size);
  return true;
}
