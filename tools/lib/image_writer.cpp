// Writing program images for tests and tools.
#include "lib/image_writer.h"
#include <string.h>
#include "values/palette_rule.h"

const char* const ImageTableNames[ImageTableCount] = {
    "IMPORT", "CLASS", "GLOBAL", "LOCAL", "PROGRAM", "STRUC", "REAL", "TEXT",
    "BOOL", "PICTURE", "MAP", "BACKGRND", "SPRITE", "SOUND", "MUSIC", "PALETTE"};

void Append16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back((uint8_t)v);
  b.push_back((uint8_t)(v >> 8));
}

void Append32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; i++) b.push_back((uint8_t)(v >> (8 * i)));
}

void AppendF64(std::vector<uint8_t>& b, double v) {
  uint64_t bits;
  memcpy(&bits, &v, 8);
  Append32(b, (uint32_t)bits);
  Append32(b, (uint32_t)(bits >> 32));
}

ImageWriter::ImageWriter() {
  for (int i = 0; i < ImageTableCount; i++) Tables[i].Name = ImageTableNames[i];
  // PALETTE holds the engine's 224 colours, as the environment writes them.
  ImageTableData& palette = Tables[TablePalette];
  for (int i = 0; i < PaletteColorCount; i++) {
    PaletteRgb c = PaletteColorAt(i);
    palette.Bytes.insert(palette.Bytes.end(), {c.Blue, c.Green, c.Red, 0});
  }
  palette.Count = PaletteColorCount;
}

std::vector<uint8_t> ImageWriter::Write() const {
  std::vector<uint8_t> out;
  out.insert(out.end(), Magic, Magic + 3);
  out.push_back(Version);
  Append32(out, Word4);
  Append32(out, HeaderSize);
  Append32(out, TableCount);
  for (const ImageTableData& t : Tables) {
    Append32(out, t.OverrideByteSize ? t.ByteSize : (uint32_t)t.Bytes.size());
    Append32(out, t.Count);
    std::string name = t.Name;
    name.resize(8, ' ');
    out.insert(out.end(), name.begin(), name.end());
    for (uint32_t e : t.Extra) Append32(out, e);
  }
  // The tables start at the standard offset; a different HeaderSize only
  // changes the word, so readers can be tested against a lying header.
  for (const ImageTableData& t : Tables) out.insert(out.end(), t.Bytes.begin(), t.Bytes.end());
  out.insert(out.end(), Trailer.begin(), Trailer.end());
  return out;
}

void ImageWriter::AddReal(double v) {
  AppendF64(Tables[TableReal].Bytes, v);
  Tables[TableReal].Count++;
}

void ImageWriter::AddBool(bool v) {
  Tables[TableBool].Bytes.push_back(v ? 1 : 0);
  Tables[TableBool].Count++;
}

void ImageWriter::AddItem(int table, uint32_t flags, int32_t refTable, int32_t refIndex,
                          int32_t dataTable, int32_t dataIndex, int32_t iconIndex,
                          int32_t textIndex, int32_t elementId) {
  std::vector<uint8_t>& b = Tables[table].Bytes;
  Append32(b, flags);
  Append32(b, (uint32_t)refTable);
  Append32(b, (uint32_t)refIndex);
  Append32(b, (uint32_t)dataTable);
  Append32(b, (uint32_t)dataIndex);
  Append32(b, (uint32_t)iconIndex);
  Append32(b, (uint32_t)textIndex);
  Append32(b, (uint32_t)elementId);
  Tables[table].Count++;
}

std::vector<uint8_t> MinimalImage() {
  return ImageWriter().Write();
}
