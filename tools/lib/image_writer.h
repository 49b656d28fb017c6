// Writing program images for tests and tools: the 528-byte header, the
// directory of 16 tables and the tables back to back, with one helper per
// record kind. Every field can be overridden, so malformed images are easy to make.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>
#include "image/image_format.h"

extern const char* const ImageTableNames[ImageTableCount];

struct ImageTableData {
  std::vector<uint8_t> Bytes;  // the table's data as stored
  uint32_t Count = 0;
  uint32_t Extra[4] = {0, 0, 0, 0};
  std::string Name;           // blank-padded to 8 characters when written
  bool OverrideByteSize = false;
  uint32_t ByteSize = 0;      // written instead of Bytes.size() when overridden
};

// The TEXT table before it is laid out: one language block per entry of
// Languages, and per text one version for each block ("" = not given there).
struct ImageTextTable {
  std::vector<uint32_t> Languages;
  std::vector<uint32_t> CodePages;  // one per block
  std::vector<std::vector<std::string>> Entries;

  // Appends a text given per block (missing blocks get ""); returns its index.
  int32_t Add(const std::vector<std::string>& perBlock);
  // Lays the blocks out into table (bytes, count, extra[1]); transformed
  // texts are stored as TextTransformConstant - b.
  void WriteTo(ImageTableData& table, bool transformed) const;
};

struct ImageSpriteRecord {
  ImageSpriteHeader Header = {1, 1, 1, 32, 32, 55, 1000, 8.0};
  std::vector<std::vector<uint8_t>> Pictures;  // Width x Height palette indexes each
  std::vector<int64_t> SizeWords;              // per picture: -1 = the real size
};

struct ImageWriter {
  char Magic[3] = {'Y', 'L', 'T'};
  uint8_t Version = 1;
  uint32_t Word4 = 0;
  uint32_t HeaderSize = 528;
  uint32_t TableCount = 16;
  ImageTableData Tables[ImageTableCount];
  std::vector<uint8_t> Trailer;  // bytes appended after the last table
  int64_t FinalSize = -1;        // when not -1, the image is cut or zero-padded to it

  ImageWriter();
  std::vector<uint8_t> Write() const;
  bool TransformsTexts() const { return Magic[0] == 'R' && Magic[1] == 'E' && Magic[2] == 'L'; }

  // Record helpers: append one record to a table, count it and return its index.
  // A sizeWord of -1 writes the real size; any other value is written instead.
  int32_t AddReal(double v);
  int32_t AddBool(bool v);
  int32_t AddItem(int table, uint32_t flags, int32_t refTable, int32_t refIndex,
                  int32_t dataTable, int32_t dataIndex, int32_t iconIndex, int32_t textIndex,
                  int32_t elementId);
  int32_t AddImportName(const std::string& name);
  // 1024 palette indexes, bottom row first.
  int32_t AddIcon(const std::vector<uint8_t>& pixels, int64_t sizeWord = -1);
  // cells: icon index and parameter word of each cell, row after row; as many
  // as given, whatever width x height says.
  int32_t AddMap(uint32_t width, uint32_t height, const std::vector<uint32_t>& cells);
  int32_t AddPicture(uint32_t width, uint32_t height, const std::vector<uint8_t>& pixels,
                     int64_t sizeWord = -1);
  int32_t AddSprite(const ImageSpriteRecord& sprite);
  int32_t AddSound(const ImageSoundHeader& header, const std::vector<uint8_t>& data,
                   int64_t sizeWord = -1);
  int32_t AddMusic(const std::vector<uint8_t>& midi, int64_t sizeWord = -1);
};

// Little-endian appenders shared by the writers.
void Append16(std::vector<uint8_t>& b, uint16_t v);
void Append32(std::vector<uint8_t>& b, uint32_t v);
void AppendF64(std::vector<uint8_t>& b, double v);
// A u32 size word (the real size unless sizeWord is not -1), then the pixel
// code of `pixels` in rows `width` bytes long.
void AppendCompressedPixels(std::vector<uint8_t>& b, const std::vector<uint8_t>& pixels,
                            uint32_t width, int64_t sizeWord = -1);

// A standard MIDI file of one track playing the notes one after the other.
std::vector<uint8_t> TinyMidiFile(const std::vector<int>& notes);

// A valid image whose program is a main function with an empty body.
std::vector<uint8_t> MinimalImage();
