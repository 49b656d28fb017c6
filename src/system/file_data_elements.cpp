// The file data elements: typed reads and writes of integers, reals, texts
// and sprites at the data files' offsets, the offsets, the error flag, the
// fixed text length and the encoding.
#include "system/file_data_elements.h"
#include <math.h>
#include <string.h>
#include "base/memory.h"
#include "base/rounding.h"
#include "base/text.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "system/data_files.h"
#include "values/icon.h"
#include "values/music.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"
#include "values/sprite_file.h"

int32_t FixedTextLength = 10;
uint8_t FileUnicode;

const int32_t TextWriteLimit = 0x40000000;
const int32_t TextChunk = 256;  // characters collected before they are appended

// x rounded to nearest (ties to even) after saturating to low..high in the
// double domain; NaN gives 0.
static int32_t SaturatedInt(double x, int32_t low, int32_t high) {
  if (isnan(x)) return 0;
  if (x <= low) return low;
  if (x >= high) return high;
  return RoundToInt(x);
}

int32_t EvalNextFileOffset() { return SaturatedInt(RunNum(), 0, FileOffsetLimit); }

// A scratch block for count UTF-16 units, sized in 64 bits: a block beyond
// the 32-bit range cannot exist and counts as exhausted memory.
static wchar_t* AllocUnits(int64_t count) {
  int64_t bytes = count * (int64_t)sizeof(wchar_t);
  if (bytes > INT32_MAX) ShowMemoryError();
  return (wchar_t*)MemAlloc((int32_t)bytes);
}

// Offsets and settings: each takes its operand and stores it.
// The read offset := the number rounded, 0 for negatives and NaN, saturated at the offset limit.
void ExecCmdSetReadOffset() { ReadFileState.Offset = EvalNextFileOffset(); }
// The write offset likewise; pending bytes stay and the next write starts a new run.
void ExecCmdSetWriteOffset() { WriteFileState.Offset = EvalNextFileOffset(); }
// FileError := the logic operand, the only way the flag is cleared.
void ExecCmdSetFileError() { FileError = RunBool() ? 1 : 0; }
// FixedTextLength := the rounded number; below 1 (and NaN, huge) gives 1.
void ExecCmdSetFileTextLength() {
  int32_t n = EvalNextInt();
  FixedTextLength = n < 1 ? 1 : n;
}
// FileUnicode := the logic operand.
void ExecCmdSetFileUnicode() { FileUnicode = RunBool() ? 1 : 0; }

// The values give the offsets, the flag, the length and the encoding as they stand.
double ExecNumReadOffset() { return ReadFileState.Offset; }
double ExecNumWriteOffset() { return WriteFileState.Offset; }
uint8_t ExecBoolFileError() { return FileError; }
double ExecNumFileTextLength() { return FixedTextLength; }
uint8_t ExecBoolFileUnicode() { return FileUnicode; }

// Integer writes: the number saturated to the width's range before rounding,
// NaN as 0, written lowest byte first.
void ExecCmdFileWriteInt8() { WriteFileByte((uint8_t)SaturatedInt(RunNum(), -128, 127)); }
void ExecCmdFileWriteUInt8() { WriteFileByte((uint8_t)SaturatedInt(RunNum(), 0, 255)); }
void ExecCmdFileWriteInt16() { WriteFileWord((uint16_t)SaturatedInt(RunNum(), -32768, 32767)); }
void ExecCmdFileWriteUInt16() { WriteFileWord((uint16_t)SaturatedInt(RunNum(), 0, 65535)); }

static void WriteFile24(int32_t v) {
  WriteFileWord((uint16_t)v);
  WriteFileByte((uint8_t)(v >> 16));
}
void ExecCmdFileWriteInt24() { WriteFile24(SaturatedInt(RunNum(), -0x800000, 0x7FFFFF)); }
void ExecCmdFileWriteUInt24() { WriteFile24(SaturatedInt(RunNum(), 0, 0xFFFFFF)); }

// The rounded number; outside the signed range (and NaN) 0x80000000, which
// stored files may hold as their mark.
void ExecCmdFileWriteInt32() { WriteFileDword((uint32_t)EvalNextInt()); }

// truncate(x + 0.5): halves go up; negatives and NaN give 0, values from
// 4294967295.5 on saturate at 0xFFFFFFFF like the narrower unsigned writes.
void ExecCmdFileWriteUInt32() {
  long double x = (long double)RunNum() + 0.5L;
  uint32_t v;
  if (!(x >= 1))
    v = 0;
  else if (x >= 4294967296.0L)
    v = 0xFFFFFFFFu;
  else
    v = (uint32_t)(uint64_t)x;
  WriteFileDword(v);
}

// The number rounded to single precision, 4 bytes.
void ExecCmdFileWriteFloat() {
  volatile float f = (float)RunNum();
  float g = f;
  uint32_t bits;
  memcpy(&bits, &g, 4);
  WriteFileDword(bits);
}

// The number as a double, 8 bytes, low 32 bits first.
void ExecCmdFileWriteDouble() {
  double x = RunNum();
  uint32_t half[2];
  memcpy(half, &x, 8);
  WriteFileDword(half[0]);
  WriteFileDword(half[1]);
}

// Reads: one ReadFileByte per byte, lowest first; bytes past the end of the
// file read as 0 (FileError set by the byte layer).
static uint32_t ReadBytes(int32_t n) {
  uint32_t v = 0;
  for (int32_t k = 0; k < n; k++) v |= (uint32_t)ReadFileByte() << (8 * k);
  return v;
}

double ExecNumFileReadInt8() { return (int8_t)ReadBytes(1); }
double ExecNumFileReadUInt8() { return ReadBytes(1); }
double ExecNumFileReadInt16() { return (int16_t)ReadBytes(2); }
double ExecNumFileReadUInt16() { return ReadBytes(2); }
// The sign from bit 7 of the third byte.
double ExecNumFileReadInt24() {
  uint32_t v = ReadBytes(3);
  if (v & 0x800000) v |= 0xFF000000u;
  return (int32_t)v;
}
double ExecNumFileReadUInt24() { return ReadBytes(3); }
double ExecNumFileReadInt32() { return (int32_t)ReadBytes(4); }
double ExecNumFileReadUInt32() { return ReadBytes(4); }
double ExecNumFileReadFloat() {
  uint32_t bits = ReadBytes(4);
  float f;
  memcpy(&f, &bits, 4);
  return f;
}
double ExecNumFileReadDouble() {
  uint32_t half[2];
  half[0] = ReadBytes(4);
  half[1] = ReadBytes(4);
  double x;
  memcpy(&x, half, 8);
  return x;
}

// One character of the current encoding: a byte, or a UTF-16 unit as two bytes.
static void WriteFileChar(uint16_t c) {
  if (FileUnicode)
    WriteFileWord(c);
  else
    WriteFileByte((uint8_t)c);
}

// Evaluates the text operand and writes at most limit characters of it in
// the current encoding; returns the characters written.
static int32_t WriteFileText(int32_t limit) {
  Text t;
  RunValue(t);
  if (!FileUnicode) {
    int32_t n = t.Length() < limit ? t.Length() : limit;
    WriteFileBlock(t.Chars(), n);
    return n;
  }
  wchar_t* units = AllocUnits((int64_t)t.Length() + 1);
  int32_t n = t.WriteWide(units);
  if (n > limit) n = limit;
  for (int32_t k = 0; k < n; k++) WriteFileWord((uint16_t)units[k]);
  MemFree(units);
  return n;
}

// The text operand, then one zero character.
void ExecCmdFileWriteTextNul() {
  WriteFileText(TextWriteLimit);
  WriteFileChar(0);
}

// The text operand, then CR LF.
void ExecCmdFileWriteLine() {
  WriteFileText(TextWriteLimit);
  WriteFileChar(13);
  WriteFileChar(10);
}

// Exactly FixedTextLength characters: the text cut to it, then spaces. The
// padding stops once a write fails to move the offset (the 2 GiB limit).
void ExecCmdFileWriteTextFixed() {
  int32_t n = WriteFileText(FixedTextLength);
  for (; n < FixedTextLength; n++) {
    int32_t before = WriteFileState.Offset;
    WriteFileChar(' ');
    if (WriteFileState.Offset == before) break;
  }
}

// Values that the data files do not carry: the operand is evaluated and
// released, nothing is written.
template <class T>
static void DropOperand() {
  T v;
  RunValue(v);
}
void ExecCmdFileWriteIcon() { DropOperand<Icon>(); }
void ExecCmdFileWritePicture() { DropOperand<Picture>(); }
void ExecCmdFileWriteSound() { DropOperand<Sound>(); }
void ExecCmdFileWriteMusic() { DropOperand<Music>(); }

// Reading them gives the empty value; the file is not touched.
void ExecIconFileRead(Icon& r) { r.Empty(); }
void ExecPictureFileRead(Picture& r) { r.Empty(); }
void ExecSoundFileRead(Sound& r) { r.Empty(); }
void ExecMusicFileRead(Music& r) { r.Empty(); }

// The bytes of a sprite file taken from the read file, as far as the file
// holds them: a stated count never makes the buffer larger than the file.
struct SpriteFileBytes {
  uint8_t* Data = nullptr;
  int32_t Size = 0;
  int32_t Capacity = 0;

  ~SpriteFileBytes() { MemFree(Data); }
  // Up to n more bytes; false when the file ended before all of them came.
  bool Take(int64_t n) {
    const int32_t chunk = FileBufferSize / 2;  // below the size that bypasses the buffer
    while (n > 0) {
      int32_t want = n < chunk ? (int32_t)n : chunk;
      if (Size > INT32_MAX - want) return false;
      if (Size + want > Capacity) {
        Capacity = Size + want > INT32_MAX / 2 ? Size + want : 2 * (Size + want);
        Data = (uint8_t*)MemRealloc(Data, Capacity);
      }
      int32_t before = ReadFileState.Offset;
      ReadFileBlock(Data + Size, want);
      int32_t got = ReadFileState.Offset - before;
      Size += got;
      n -= got;
      if (got < want) return false;
    }
    return true;
  }
};

void LoadSpriteFile(Sprite& sprite) {
  int32_t start = ReadFileState.Offset;
  SpriteFileBytes bytes;
  bytes.Take(SpriteFileHeaderSize);
  SpriteFileHeader h;
  if (!ParseSpriteFileHeader(bytes.Data, bytes.Size, &h)) {
    ReadFileState.Offset = start;
    FileError = 1;
    return;
  }
  if (bytes.Take(4 * h.ColorCount)) {
    if (h.Compression != 1) {
      bytes.Take(h.Length);
    } else if (bytes.Take(4)) {
      uint32_t count;  // the pixel code's stated byte count, low byte first
      memcpy(&count, bytes.Data + bytes.Size - 4, 4);
      bytes.Take(count);
    }
  }
  ReadSpriteFile(sprite, bytes.Data, bytes.Size);
}

// A sprite too large for a file is not written and counts as a failed write.
void SaveSpriteFile(const Sprite& sprite) {
  uint8_t* file;
  int32_t size = WriteSpriteFile(sprite, &file);
  if (size == 0) {
    FileError = 1;
    return;
  }
  WriteFileBlock(file, size);
  MemFree(file);
}

// The sprite operand's appearance as a sprite file at the write offset.
void ExecCmdFileWriteSprite() {
  Sprite s;
  RunValue(s);
  SaveSpriteFile(s);
}

// The empty sprite, then a sprite file from the read offset; a bad file
// leaves it empty, sets FileError and keeps the offset.
void ExecSpriteFileRead(Sprite& r) {
  r.Empty();
  LoadSpriteFile(r);
}

// Characters collected in chunks and appended to a text.
struct CharCollector {
  Text& To;
  int32_t Count;
  uint8_t Bytes[TextChunk];
  wchar_t Units[TextChunk];

  explicit CharCollector(Text& to) : To(to), Count(0) { To.Empty(); }
  void Add(int32_t c) {
    if (FileUnicode)
      Units[Count++] = (wchar_t)c;
    else
      Bytes[Count++] = (uint8_t)c;
    if (Count == TextChunk) Flush();
  }
  void Flush() {
    if (FileUnicode)
      To.AppendWide(Units, Count);
    else
      To.AppendBytes(Bytes, Count);
    Count = 0;
  }
};

static int32_t CharSize() { return FileUnicode ? 2 : 1; }

// The next character; at the end of the file 0 with FileError set.
static int32_t ReadFileChar() { return FileUnicode ? ReadFileWord() : ReadFileByte(); }

// The next character, or -1 at the end of the file without FileError. A unit
// cut in half by the end counts as the end and is left unread.
static int32_t ReadFileCharOrEnd() {
  int32_t low = ReadFileByteOrEnd();
  if (!FileUnicode || low < 0) return low;
  int32_t high = ReadFileByteOrEnd();
  if (high < 0) {
    ReadFileState.Offset -= 1;
    return -1;
  }
  return low | high << 8;
}

// Characters up to a zero character, which is consumed; at the end of the
// file the text ends there and FileError is set.
void ExecTextFileReadNul(Text& r) {
  CharCollector text(r);
  for (int32_t c; (c = ReadFileChar()) != 0;) text.Add(c);
  text.Flush();
}

// Characters up to a line end (CR, LF, CR LF or LF CR) or a zero, which are
// consumed and not part of the text. A last line that the end of the file
// ends, with or without a line end, does not set FileError; only a read
// that finds nothing at all before the end does.
void ExecTextFileReadLine(Text& r) {
  CharCollector text(r);
  int32_t c = ReadFileCharOrEnd();
  if (c < 0) {
    ReadFileChar();  // sets FileError and moves on as a read at the end does
    return;
  }
  while (c > 0 && c != 13 && c != 10) {
    text.Add(c);
    c = ReadFileCharOrEnd();
  }
  text.Flush();
  if (c != 13 && c != 10) return;
  int32_t pair = c == 13 ? 10 : 13;
  int32_t next = ReadFileCharOrEnd();
  if (next >= 0 && next != pair) ReadFileState.Offset -= CharSize();
}

// FixedTextLength characters with zero characters as spaces, trailing spaces
// cut. Past the end of the file each missing character reads as 0 (so as a
// space) and FileError is set.
void ExecTextFileReadFixed(Text& r) {
  int32_t n = FixedTextLength;
  if (!FileUnicode) {
    // A text this long cannot exist; its record size would wrap.
    if ((int64_t)n + TextHeaderSize + 1 > INT32_MAX) ShowMemoryError();
    r.Empty();
    r.SetLength(n);
    uint8_t* bytes = r.Bytes();
    for (int32_t k = 0; k < n; k++) {
      uint8_t b = ReadFileByte();
      bytes[k] = b ? b : ' ';
    }
  } else {
    wchar_t* units = AllocUnits(n);
    for (int32_t k = 0; k < n; k++) {
      uint16_t u = ReadFileWord();
      units[k] = u ? u : L' ';
    }
    r = Text(units, n);
    MemFree(units);
  }
  int32_t length = r.Length();
  while (length > 0 && r.Chars()[length - 1] == ' ') length--;
  r.SetLength(length);
}
