// Writing program images for tests and tools: the 528-byte header, the
// directory of 16 tables and the tables back to back. Every field can be
// overridden, so malformed images are easy to make.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

enum ImageTableIndex {
  TableImport, TableClass, TableGlobal, TableLocal, TableProgram, TableStruc,
  TableReal, TableText, TableBool, TablePicture, TableMap, TableBackgrnd,
  TableSprite, TableSound, TableMusic, TablePalette, ImageTableCount
};

extern const char* const ImageTableNames[ImageTableCount];

struct ImageTableData {
  std::vector<uint8_t> Bytes;  // the table's data as stored
  uint32_t Count = 0;
  uint32_t Extra[4] = {0, 0, 0, 0};
  std::string Name;           // blank-padded to 8 characters when written
  bool OverrideByteSize = false;
  uint32_t ByteSize = 0;      // written instead of Bytes.size() when overridden
};

struct ImageWriter {
  char Magic[3] = {'Y', 'L', 'T'};
  uint8_t Version = 1;
  uint32_t Word4 = 0;
  uint32_t HeaderSize = 528;
  uint32_t TableCount = 16;
  ImageTableData Tables[ImageTableCount];
  std::vector<uint8_t> Trailer;  // bytes appended after the last table

  ImageWriter();
  std::vector<uint8_t> Write() const;

  // Record helpers: append one record to a table and count it.
  void AddReal(double v);
  void AddBool(bool v);
  void AddItem(int table, uint32_t flags, int32_t refTable, int32_t refIndex, int32_t dataTable,
               int32_t dataIndex, int32_t iconIndex, int32_t textIndex, int32_t elementId);
};

// Little-endian appenders shared by the writers.
void Append16(std::vector<uint8_t>& b, uint16_t v);
void Append32(std::vector<uint8_t>& b, uint32_t v);
void AppendF64(std::vector<uint8_t>& b, double v);

// A valid image whose program does nothing.
std::vector<uint8_t> MinimalImage();
