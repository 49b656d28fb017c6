// The buffered read file and write file: lazy opens, one refill buffer for
// reading, one pending run for writing, the idle close and the sticky error.
#include "system/data_files.h"
#include <string.h>
#include "base/global_storage.h"
#include "base/memory.h"
#include "base/process.h"
#include "system/file_seam.h"

GLOBAL_OBJECT(Text, ReadFileName);
GLOBAL_OBJECT(Text, WriteFileName);
uint8_t FileError;
int32_t FileIdleTicks;
BufferedFile ReadFileState;
BufferedFile WriteFileState;

void InitDataFileNames() {
  ReadFileName.InitEmpty();
  WriteFileName.InitEmpty();
  Exits.CloseDataFiles = CloseFiles;
}

static void Forget(BufferedFile& f) {
  f.Handle = 0;
  f.Offset = f.BufferStart = f.BufferCount = 0;
}

void ForgetDataFiles() {
  Forget(ReadFileState);
  Forget(WriteFileState);
  ReadFileName.Empty();
  WriteFileName.Empty();
  FileError = 0;
  FileIdleTicks = 0;
}

static bool OpenFile(BufferedFile& f, const Text& name, DWORD access, DWORD share, DWORD creation) {
  FileIdleTicks = FileIdleTime;
  if (f.Handle) return true;
  if (name.Length() == 0) {
    FileError = 1;
    return false;
  }
  HANDLE h = FileSys.CreateFileA(name.Chars(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE || !h) {
    f.Handle = 0;
    FileError = 1;
    return false;
  }
  f.Handle = h;
  if (!f.Buffer) f.Buffer = (uint8_t*)MemAlloc(FileBufferSize);
  return true;
}

bool OpenReadFile() {
  return OpenFile(ReadFileState, ReadFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
}

// An existing file is opened without being emptied, a missing one created.
bool OpenWriteFile() {
  BufferedFile& f = WriteFileState;
  if (f.BufferCount == 0) f.BufferStart = f.Offset;
  return OpenFile(f, WriteFileName, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS);
}

static bool SeekTo(HANDLE h, int32_t offset) {
  return FileSys.SetFilePointer(h, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

// Pending bytes that fail to be written are dropped either way, so a later
// run never writes them twice or at another place.
bool FlushWriteFile() {
  BufferedFile& f = WriteFileState;
  if (f.BufferCount == 0) {
    f.BufferStart = f.Offset;
    return true;
  }
  DWORD written = 0;
  bool ok = OpenWriteFile() && SeekTo(f.Handle, f.BufferStart) &&
            FileSys.WriteFile(f.Handle, f.Buffer, (DWORD)f.BufferCount, &written, nullptr) &&
            written == (DWORD)f.BufferCount;
  if (!ok) FileError = 1;
  f.BufferCount = 0;
  f.BufferStart = f.Offset;
  return ok;
}

void CloseFiles() {
  BufferedFile& r = ReadFileState;
  if (r.Handle) {
    if (!FileSys.CloseHandle(r.Handle)) FileError = 1;
    r.Handle = 0;
    r.BufferCount = 0;
  }
  BufferedFile& w = WriteFileState;
  if (w.Handle) {
    FlushWriteFile();
    if (!FileSys.CloseHandle(w.Handle)) FileError = 1;
    w.Handle = 0;
  }
}

void CloseFilesAtEnd() {
  bool written = FlushWriteFile();
  CloseFiles();
  if (!written && ReturnCode == 0) ReturnCode = 1;
}

// Reads the buffer full from FileRefillLead bytes before the offset on.
static void Refill(BufferedFile& f) {
  f.BufferCount = 0;
  f.BufferStart = f.Offset > FileRefillLead ? f.Offset - FileRefillLead : 0;
  DWORD got = 0;
  if (!SeekTo(f.Handle, f.BufferStart) || !FileSys.ReadFile(f.Handle, f.Buffer, FileBufferSize, &got, nullptr))
    FileError = 1;
  f.BufferCount = got > (DWORD)FileBufferSize ? FileBufferSize : (int32_t)got;
}

// Index of the offset in the buffer, or -1 when the buffer does not hold it.
static int32_t BufferIndex(const BufferedFile& f) {
  int32_t i = f.Offset - f.BufferStart;
  return (uint32_t)i < (uint32_t)f.BufferCount ? i : -1;
}

// The next byte; at the end of the file -1, after setting FileError and
// moving the offset on when endIsError.
static int32_t TakeReadByte(bool endIsError) {
  BufferedFile& f = ReadFileState;
  if (!OpenReadFile()) return -1;
  if (f.Offset >= FileOffsetLimit) {
    FileError = 1;
    return -1;
  }
  int32_t i = BufferIndex(f);
  if (i < 0) {
    Refill(f);
    i = BufferIndex(f);
  }
  if (i < 0) {
    if (!endIsError) return -1;
    f.Offset++;
    FileError = 1;
    return -1;
  }
  f.Offset++;
  return f.Buffer[i];
}

uint8_t ReadFileByte() {
  int32_t b = TakeReadByte(true);
  return b < 0 ? 0 : (uint8_t)b;
}

int32_t ReadFileByteOrEnd() { return TakeReadByte(false); }

uint16_t ReadFileWord() {
  uint8_t low = ReadFileByte();
  return (uint16_t)(low | ReadFileByte() << 8);
}

// Copies what the buffer holds from the offset on, at most n bytes and never
// past the offset limit; returns the bytes copied.
static int32_t CopyFromBuffer(BufferedFile& f, uint8_t* to, int32_t n) {
  int32_t i = BufferIndex(f);
  if (i < 0) return 0;
  int32_t k = f.BufferCount - i;
  if (k > n) k = n;
  if (k > FileOffsetLimit - f.Offset) k = FileOffsetLimit - f.Offset;
  memcpy(to, f.Buffer + i, k);
  f.Offset += k;
  return k;
}

void ReadFileBlock(void* destination, int32_t n) {
  BufferedFile& f = ReadFileState;
  if (!OpenReadFile()) return;
  if (n <= 0) {
    int64_t back = (int64_t)f.Offset + n;
    f.Offset = back < 0 ? 0 : (int32_t)back;
    return;
  }
  uint8_t* to = (uint8_t*)destination;
  if (n >= FileBufferSize) {
    DWORD got = 0;
    if ((int64_t)f.Offset + n > FileOffsetLimit || !SeekTo(f.Handle, f.Offset) ||
        !FileSys.ReadFile(f.Handle, to, (DWORD)n, &got, nullptr)) {
      FileError = 1;
      return;
    }
    f.Offset += n;
    return;
  }
  for (int32_t pass = 0; pass < 4; pass++) {
    int32_t k = CopyFromBuffer(f, to, n);
    to += k;
    n -= k;
    if (n == 0) return;
    if (f.Offset >= FileOffsetLimit) {
      FileError = 1;
      return;
    }
    Refill(f);
    if (f.BufferCount == 0) return;
  }
}

void WriteFileByte(uint8_t b) {
  BufferedFile& f = WriteFileState;
  if (!OpenWriteFile()) return;
  if (f.Offset >= FileOffsetLimit) {
    FileError = 1;
    return;
  }
  int32_t i = f.Offset - f.BufferStart;
  if ((uint32_t)i > (uint32_t)f.BufferCount || i >= FileBufferSize) {
    // A failed flush loses the old run only: this byte still starts the new
    // run at its own offset, so the bytes after it keep their places.
    FlushWriteFile();
    f.Buffer[0] = b;
    f.BufferCount = 1;
    f.Offset++;
    return;
  }
  f.Buffer[i] = b;
  f.Offset++;
  if (f.BufferCount < i + 1) f.BufferCount = i + 1;
}

void WriteFileWord(uint16_t w) {
  WriteFileByte((uint8_t)w);
  WriteFileByte((uint8_t)(w >> 8));
}

void WriteFileDword(uint32_t d) {
  WriteFileWord((uint16_t)d);
  WriteFileWord((uint16_t)(d >> 16));
}

// A file that does not open is tried once for the block, not once per byte.
void WriteFileBlock(const void* source, int32_t n) {
  if (n <= 0 || !OpenWriteFile()) return;
  const uint8_t* from = (const uint8_t*)source;
  for (int32_t k = 0; k < n; k++) WriteFileByte(from[k]);
}
