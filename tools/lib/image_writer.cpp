// Writing program images for tests and tools.
#include "lib/image_writer.h"
#include <string.h>
#include "values/palette_rule.h"
#include "values/pixel_code.h"

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

static void AppendSizeWord(std::vector<uint8_t>& b, size_t size, int64_t sizeWord) {
  Append32(b, sizeWord < 0 ? (uint32_t)size : (uint32_t)sizeWord);
}

void AppendCompressedPixels(std::vector<uint8_t>& b, const std::vector<uint8_t>& pixels,
                            uint32_t width, int64_t sizeWord) {
  std::vector<uint8_t> code((size_t)CompressedPixelBound((int32_t)pixels.size()) + 1);
  int32_t n = CompressPixels(code.data(), pixels.data(), (int32_t)pixels.size(), (int32_t)width);
  AppendSizeWord(b, (size_t)n, sizeWord);
  b.insert(b.end(), code.begin(), code.begin() + n);
}

int32_t ImageTextTable::Add(const std::vector<std::string>& perBlock) {
  std::vector<std::string> entry = perBlock;
  entry.resize(Languages.size());
  Entries.push_back(entry);
  return (int32_t)Entries.size() - 1;
}

void ImageTextTable::WriteTo(ImageTableData& table, bool transformed) const {
  table.Bytes.clear();
  for (size_t block = 0; block < Languages.size(); block++) {
    Append32(table.Bytes, Languages[block]);
    Append32(table.Bytes, block < CodePages.size() ? CodePages[block] : 1252);
    for (const std::vector<std::string>& entry : Entries) {
      const std::string& s = block < entry.size() ? entry[block] : std::string();
      Append32(table.Bytes, (uint32_t)s.size());
      for (char c : s)
        table.Bytes.push_back(transformed ? (uint8_t)(TextTransformConstant - (uint8_t)c)
                                          : (uint8_t)c);
    }
  }
  table.Count = (uint32_t)Entries.size();
  table.Extra[1] = (uint32_t)Languages.size();
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
  if (FinalSize >= 0) out.resize((size_t)FinalSize);
  return out;
}

// Counts one more record of table t and returns its index.
static int32_t CountRecord(ImageTableData& t) {
  return (int32_t)t.Count++;
}

int32_t ImageWriter::AddReal(double v) {
  AppendF64(Tables[TableReal].Bytes, v);
  return CountRecord(Tables[TableReal]);
}

int32_t ImageWriter::AddBool(bool v) {
  Tables[TableBool].Bytes.push_back(v ? 1 : 0);
  return CountRecord(Tables[TableBool]);
}

int32_t ImageWriter::AddItem(int table, uint32_t flags, int32_t refTable, int32_t refIndex,
                             int32_t dataTable, int32_t dataIndex, int32_t iconIndex,
                             int32_t textIndex, int32_t elementId) {
  std::vector<uint8_t>& b = Tables[table].Bytes;
  for (int32_t v : {(int32_t)flags, refTable, refIndex, dataTable, dataIndex, iconIndex,
                    textIndex, elementId})
    Append32(b, (uint32_t)v);
  return CountRecord(Tables[table]);
}

int32_t ImageWriter::AddImportName(const std::string& name) {
  std::vector<uint8_t>& b = Tables[TableImport].Bytes;
  size_t n = name.size() < 255 ? name.size() : 255;
  b.push_back((uint8_t)n);
  b.insert(b.end(), name.begin(), name.begin() + n);
  return CountRecord(Tables[TableImport]);
}

int32_t ImageWriter::AddIcon(const std::vector<uint8_t>& pixels, int64_t sizeWord) {
  AppendCompressedPixels(Tables[TablePicture].Bytes, pixels, 32, sizeWord);
  return CountRecord(Tables[TablePicture]);
}

int32_t ImageWriter::AddMap(uint32_t width, uint32_t height, const std::vector<uint32_t>& cells) {
  std::vector<uint8_t>& b = Tables[TableMap].Bytes;
  Append32(b, width);
  Append32(b, height);
  for (uint32_t w : cells) Append32(b, w);
  return CountRecord(Tables[TableMap]);
}

int32_t ImageWriter::AddPicture(uint32_t width, uint32_t height,
                                const std::vector<uint8_t>& pixels, int64_t sizeWord) {
  std::vector<uint8_t>& b = Tables[TableBackgrnd].Bytes;
  Append32(b, width);
  Append32(b, height);
  AppendCompressedPixels(b, pixels, width & 0xFFFF, sizeWord);
  return CountRecord(Tables[TableBackgrnd]);
}

int32_t ImageWriter::AddSprite(const ImageSpriteRecord& sprite) {
  std::vector<uint8_t>& b = Tables[TableSprite].Bytes;
  const uint8_t* header = reinterpret_cast<const uint8_t*>(&sprite.Header);
  b.insert(b.end(), header, header + sizeof sprite.Header);
  for (size_t k = 0; k < sprite.Pictures.size(); k++)
    AppendCompressedPixels(b, sprite.Pictures[k], sprite.Header.Width,
                           k < sprite.SizeWords.size() ? sprite.SizeWords[k] : -1);
  return CountRecord(Tables[TableSprite]);
}

int32_t ImageWriter::AddSound(const ImageSoundHeader& header, const std::vector<uint8_t>& data,
                              int64_t sizeWord) {
  std::vector<uint8_t>& b = Tables[TableSound].Bytes;
  AppendSizeWord(b, data.size(), sizeWord);
  Append32(b, header.SamplesPerSecond);
  Append16(b, header.FormatTag);
  b.push_back(header.Channels);
  b.push_back(header.BitsPerSample);
  b.insert(b.end(), data.begin(), data.end());
  return CountRecord(Tables[TableSound]);
}

int32_t ImageWriter::AddMusic(const std::vector<uint8_t>& midi, int64_t sizeWord) {
  std::vector<uint8_t>& b = Tables[TableMusic].Bytes;
  AppendSizeWord(b, midi.size(), sizeWord);
  b.insert(b.end(), midi.begin(), midi.end());
  return CountRecord(Tables[TableMusic]);
}

static void AppendBig32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 3; i >= 0; i--) b.push_back((uint8_t)(v >> (8 * i)));
}

std::vector<uint8_t> TinyMidiFile(const std::vector<int>& notes) {
  // Format 0, one track, 96 ticks per quarter note; each note a quarter long.
  std::vector<uint8_t> track;
  for (int n : notes)
    track.insert(track.end(), {0x00, 0x90, (uint8_t)(n & 0x7F), 0x40,
                               0x60, 0x80, (uint8_t)(n & 0x7F), 0x00});
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<uint8_t> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
  midi.insert(midi.end(), {'M', 'T', 'r', 'k'});
  AppendBig32(midi, (uint32_t)track.size());
  midi.insert(midi.end(), track.begin(), track.end());
  return midi;
}

std::vector<uint8_t> MinimalImage() {
  ImageWriter w;
  w.AddImportName("function");
  w.AddItem(TableGlobal, 0, RefElement, 0, DataLocal, 0, -1, -1, El::function);
  w.AddItem(TableLocal, 0, RefElement, 0, DataProgram, 0, -1, -1, El::function);
  w.AddItem(TableProgram, 0, RefElement, 0, DataNone, -1, -1, -1, El::function);
  return w.Write();
}
