// The image checker: walks the header, the directory, every record of every
// table the engine reads and the three item trees, never reading outside the
// image, and reports the first fault found.
#include "image/image_check.h"
#include <initializer_list>
#include "image/image_format.h"

namespace {

uint32_t Get32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24;
}

uint16_t Get16(const uint8_t* p) {
  return (uint16_t)(p[0] | p[1] << 8);
}

// A table's bytes, and a cursor through its records.
struct TableWalk {
  const uint8_t* Start;
  uint64_t Size;
  uint64_t At;

  // Whether n more bytes lie inside the table.
  bool Has(uint64_t n) const { return n <= Size - At; }
  const uint8_t* Here() const { return Start + At; }
  // Steps over n bytes that Has(n) confirmed.
  void Skip(uint64_t n) { At += n; }
  // Steps over a u32 size word and the bytes it announces.
  bool SkipSized(uint64_t before) {
    if (!Has(before + 4)) return false;
    uint64_t n = Get32(Here() + before);
    if (!Has(before + 4 + n)) return false;
    Skip(before + 4 + n);
    return true;
  }
};

struct Checker {
  const uint8_t* Image;
  uint32_t Size;
  uint32_t Counts[ImageTableCount];
  TableWalk Tables[ImageTableCount];

  ImageVerdict Fail(ImageFault f, int32_t table, int32_t record) const {
    ImageVerdict v = {f, table, record};
    return v;
  }

  TableWalk Walk(int t) const { return Tables[t]; }
  ImageVerdict Directory();
  ImageVerdict FixedTables();
  ImageVerdict Texts();
  ImageVerdict SizedRecords(int t, ImageFault outside) const;
  ImageVerdict Icons();
  ImageVerdict Maps();
  ImageVerdict Pictures();
  ImageVerdict Sprites();
  ImageVerdict Sounds();
  ImageVerdict Musics();
  ImageVerdict Tree(int t);
  ImageVerdict Indexes(int t, int32_t k, const ProgramItem& item) const;
};

const ImageVerdict Good = {ImageGood, -1, -1};

ImageVerdict Checker::Directory() {
  if (Size < 4) return Fail(FaultTooShort, -1, -1);
  uint32_t magic = Get32(Image);
  if (magic != MagicPlainTexts && magic != MagicTransformedTexts) return Fail(FaultBadMagic, -1, -1);
  if (Size < ImageHeaderSize) return Fail(FaultTooShort, -1, -1);
  uint64_t offset = Get32(Image + 8);
  if (offset < ImageHeaderSize || offset > Size) return Fail(FaultBadHeaderSize, -1, -1);
  for (int t = 0; t < ImageTableCount; t++) {
    const uint8_t* entry = Image + 16 + 32 * t;
    uint64_t byteSize = Get32(entry);
    Counts[t] = Get32(entry + 4);
    if (offset + byteSize > Size) return Fail(FaultTableOutside, t, -1);
    Tables[t].Start = Image + offset;
    Tables[t].Size = byteSize;
    Tables[t].At = 0;
    offset += byteSize;
  }
  return Good;
}

ImageVerdict Checker::FixedTables() {
  const struct {
    int Table;
    uint64_t RecordSize;
  } fixed[] = {{TableGlobal, 32}, {TableLocal, 32}, {TableProgram, 32}, {TableReal, 8},
               {TableBool, 1}};
  for (const auto& f : fixed)
    if ((uint64_t)Counts[f.Table] * f.RecordSize > Tables[f.Table].Size)
      return Fail(FaultTableTooSmall, f.Table, -1);
  return Good;
}

ImageVerdict Checker::Texts() {
  TableWalk w = Walk(TableText);
  uint32_t blocks = Get32(Image + 16 + 32 * TableText + 20);  // extra[1]
  // Without blocks every text is empty; the count still costs one text each.
  if (blocks == 0 && Counts[TableText] > Size) return Fail(FaultTooManyTexts, TableText, -1);
  for (uint32_t b = 0; b < blocks; b++) {
    if (!w.Has(TextBlockHeaderSize)) return Fail(FaultTextOutside, TableText, -1);
    w.Skip(TextBlockHeaderSize);
    for (uint32_t k = 0; k < Counts[TableText]; k++)
      if (!w.SkipSized(0)) return Fail(FaultTextOutside, TableText, (int32_t)k);
  }
  return Good;
}

// Records that are a u32 size word and that many bytes.
ImageVerdict Checker::SizedRecords(int t, ImageFault outside) const {
  TableWalk w = Walk(t);
  for (uint32_t k = 0; k < Counts[t]; k++)
    if (!w.SkipSized(0)) return Fail(outside, t, (int32_t)k);
  return Good;
}

ImageVerdict Checker::Icons() {
  return SizedRecords(TablePicture, FaultIconOutside);
}

ImageVerdict Checker::Maps() {
  TableWalk w = Walk(TableMap);
  for (uint32_t k = 0; k < Counts[TableMap]; k++) {
    if (!w.Has(8)) return Fail(FaultMapOutside, TableMap, (int32_t)k);
    uint64_t width = Get32(w.Here()), height = Get32(w.Here() + 4);
    if (width < 1 || height < 1 || width > ImageMaxMapSide || height > ImageMaxMapSide ||
        width * height > ImageMaxMapCells)
      return Fail(FaultMapSize, TableMap, (int32_t)k);
    if (!w.Has(8 + 8 * width * height)) return Fail(FaultMapOutside, TableMap, (int32_t)k);
    w.Skip(8 + 8 * width * height);
  }
  return Good;
}

static bool SideFits(uint32_t side) {
  return side >= 1 && side <= ImageMaxPictureSide;
}

ImageVerdict Checker::Pictures() {
  TableWalk w = Walk(TableBackgrnd);
  for (uint32_t k = 0; k < Counts[TableBackgrnd]; k++) {
    if (!w.Has(12)) return Fail(FaultPictureOutside, TableBackgrnd, (int32_t)k);
    // The engine keeps the low 16 bits of each side.
    if (!SideFits(Get32(w.Here()) & 0xFFFF) || !SideFits(Get32(w.Here() + 4) & 0xFFFF))
      return Fail(FaultPictureSize, TableBackgrnd, (int32_t)k);
    if (!w.SkipSized(8)) return Fail(FaultPictureOutside, TableBackgrnd, (int32_t)k);
  }
  return Good;
}

ImageVerdict Checker::Sprites() {
  TableWalk w = Walk(TableSprite);
  for (uint32_t k = 0; k < Counts[TableSprite]; k++) {
    if (!w.Has(sizeof(ImageSpriteHeader))) return Fail(FaultSpriteOutside, TableSprite, (int32_t)k);
    const uint8_t* h = w.Here();
    uint64_t phases = Get32(h), directions = Get32(h + 4);
    if (phases < 1 || directions < 1 || phases * directions > ImageMaxSpritePictures)
      return Fail(FaultSpriteCounts, TableSprite, (int32_t)k);
    if (!SideFits(Get16(h + 12)) || !SideFits(Get16(h + 14)))
      return Fail(FaultSpriteSize, TableSprite, (int32_t)k);
    w.Skip(sizeof(ImageSpriteHeader));
    for (uint64_t p = 0; p < phases * directions; p++)
      if (!w.SkipSized(0)) return Fail(FaultSpriteOutside, TableSprite, (int32_t)k);
  }
  return Good;
}

ImageVerdict Checker::Sounds() {
  TableWalk w = Walk(TableSound);
  for (uint32_t k = 0; k < Counts[TableSound]; k++) {
    if (!w.Has(12)) return Fail(FaultSoundOutside, TableSound, (int32_t)k);
    const uint8_t* h = w.Here();
    uint64_t size = Get32(h);
    uint32_t rate = Get32(h + 4);
    uint16_t tag = Get16(h + 8);
    uint8_t channels = h[10], bits = h[11];
    if (!w.Has(12 + size)) return Fail(FaultSoundOutside, TableSound, (int32_t)k);
    if (tag == 1) {
      if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 1 ||
          rate > 0x7FFFFFFF)
        return Fail(FaultSoundFormat, TableSound, (int32_t)k);
    } else if (size < 18 || 18 + (uint64_t)Get16(h + 12 + 16) > size) {
      return Fail(FaultSoundFormatHeader, TableSound, (int32_t)k);
    }
    w.Skip(12 + size);
  }
  return Good;
}

ImageVerdict Checker::Musics() {
  return SizedRecords(TableMusic, FaultMusicOutside);
}

static bool IndexInside(int32_t index, uint32_t count) {
  return index == -1 || (index >= 0 && (uint32_t)index < count);
}

ImageVerdict Checker::Indexes(int t, int32_t k, const ProgramItem& item) const {
  if (item.RefTable == RefGlobal || item.RefTable == RefLocal) {
    uint32_t count = Counts[item.RefTable == RefGlobal ? TableGlobal : TableLocal];
    if (item.RefIndex < 0 || (uint32_t)item.RefIndex >= count) return Fail(FaultBadReference, t, k);
  }
  if (item.DataIndex != -1) {
    int32_t dt = item.DataTable;
    bool known = dt == DataLocal || dt == DataProgram || (dt >= TableReal && dt <= TableMusic);
    if (!known || !IndexInside(item.DataIndex, Counts[dt])) return Fail(FaultBadDataIndex, t, k);
  }
  if (!IndexInside(item.IconIndex, Counts[TablePicture])) return Fail(FaultBadIconIndex, t, k);
  if (!IndexInside(item.TextIndex, Counts[TableText])) return Fail(FaultBadTextIndex, t, k);
  return Good;
}

// Follows the flags as the link builder does: the table must end with every
// announced subtree closed, never nesting deeper than MaxItemDepth.
ImageVerdict Checker::Tree(int t) {
  bool next[MaxItemDepth];
  int32_t depth = 0;
  const uint8_t* items = Tables[t].Start;
  for (uint32_t k = 0; k < Counts[t]; k++) {
    ProgramItem item;
    const uint8_t* p = items + 32 * (uint64_t)k;
    item.Flags = Get32(p);
    item.RefTable = (int32_t)Get32(p + 4);
    item.RefIndex = (int32_t)Get32(p + 8);
    item.DataTable = (int32_t)Get32(p + 12);
    item.DataIndex = (int32_t)Get32(p + 16);
    item.IconIndex = (int32_t)Get32(p + 20);
    item.TextIndex = (int32_t)Get32(p + 24);
    ImageVerdict v = Indexes(t, (int32_t)k, item);
    if (v.Fault != ImageGood) return v;
    next[depth] = (item.Flags & ItemHasNext) != 0;
    if (item.Flags & ItemHasChildren) {
      if (depth + 1 >= MaxItemDepth) return Fail(FaultTreeTooDeep, t, (int32_t)k);
      depth++;
    } else {
      while (!next[depth] && depth > 0) depth--;
    }
  }
  if (depth != 0) return Fail(FaultTreeUnclosed, t, -1);
  return Good;
}

}  // namespace

ImageVerdict CheckProgramImage(const uint8_t* image, uint32_t size) {
  Checker c;
  c.Image = image;
  c.Size = image ? size : 0;
  ImageVerdict (Checker::*const steps[])() = {
      &Checker::Directory, &Checker::FixedTables, &Checker::Texts,   &Checker::Icons,
      &Checker::Maps,      &Checker::Pictures,    &Checker::Sprites, &Checker::Sounds,
      &Checker::Musics};
  for (ImageVerdict (Checker::*step)() : steps) {
    ImageVerdict v = (c.*step)();
    if (v.Fault != ImageGood) return v;
  }
  for (int t : {TableGlobal, TableLocal, TableProgram}) {
    ImageVerdict v = c.Tree(t);
    if (v.Fault != ImageGood) return v;
  }
  return Good;
}

const char* ImageFaultName(ImageFault fault) {
  static const char* const names[ImageFaultCount] = {
      "good", "bad magic", "too short", "bad header size", "table outside the image",
      "table too small for its count", "text outside its table", "too many texts",
      "icon outside its table", "map outside its table", "bad map size",
      "picture outside its table", "bad picture size", "sprite outside its table",
      "bad sprite picture size", "bad sprite counts", "sound outside its table",
      "bad sound format", "bad sound format header", "music outside its table",
      "unclosed item tree", "item tree too deep", "bad reference", "bad data index",
      "bad icon index", "bad text index"};
  return (unsigned)fault < ImageFaultCount ? names[fault] : "?";
}
