// Attributes, times and sizes of the data files: set on the write file,
// tested and read on the read file.
#include <windows.h>
#include "exec/interpreter.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "system/files.h"
#include "system/data_files.h"

// Sets or clears mask on the write file by the logic operand. A request that
// changes nothing is a success; an empty name, a missing file or a refused
// change sets FileError.
static void SetWriteFileAttribute(DWORD mask) {
  CloseFiles();
  bool on = RunBool() != 0;
  DWORD old = WriteFileName.Length() ? GetFileAttributesA(WriteFileName.Chars()) : INVALID_FILE_ATTRIBUTES;
  if (old == INVALID_FILE_ATTRIBUTES) {
    FileError = 1;
    return;
  }
  DWORD now = on ? old | mask : old & ~mask;
  if (now == old) return;
  // The system does not take the directory and compressed bits here, ignores
  // a mask of 0 and takes the normal attribute only alone.
  now &= ~(DWORD)(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_COMPRESSED);
  if (now != FILE_ATTRIBUTE_NORMAL) now &= ~(DWORD)FILE_ATTRIBUTE_NORMAL;
  if (now == 0) now = FILE_ATTRIBUTE_NORMAL;
  if (!SetFileAttributesA(WriteFileName.Chars(), now)) FileError = 1;
}

// Logic operand: on or off for the write file.
void ExecCmdSetFileReadOnly() { SetWriteFileAttribute(FILE_ATTRIBUTE_READONLY); }
void ExecCmdSetFileHidden() { SetWriteFileAttribute(FILE_ATTRIBUTE_HIDDEN); }
void ExecCmdSetFileSystem() { SetWriteFileAttribute(FILE_ATTRIBUTE_SYSTEM); }
void ExecCmdSetFileArchive() { SetWriteFileAttribute(FILE_ATTRIBUTE_ARCHIVE); }

// Whether the read file has any bit of mask; an empty name or a missing
// file gives false and FileError.
static uint8_t TestReadFileAttribute(DWORD mask) {
  CloseFiles();
  DWORD a = ReadFileName.Length() ? GetFileAttributesA(ReadFileName.Chars()) : INVALID_FILE_ATTRIBUTES;
  if (a == INVALID_FILE_ATTRIBUTES) {
    FileError = 1;
    return 0;
  }
  return (a & mask) != 0;
}

// No operand: the attribute of the read file.
uint8_t ExecBoolFileReadOnly() { return TestReadFileAttribute(FILE_ATTRIBUTE_READONLY); }
uint8_t ExecBoolFileHidden() { return TestReadFileAttribute(FILE_ATTRIBUTE_HIDDEN); }
uint8_t ExecBoolFileSystem() { return TestReadFileAttribute(FILE_ATTRIBUTE_SYSTEM); }
uint8_t ExecBoolFileDirectory() { return TestReadFileAttribute(FILE_ATTRIBUTE_DIRECTORY); }
uint8_t ExecBoolFileArchive() { return TestReadFileAttribute(FILE_ATTRIBUTE_ARCHIVE); }
uint8_t ExecBoolFileTemporary() { return TestReadFileAttribute(FILE_ATTRIBUTE_TEMPORARY); }
uint8_t ExecBoolFileCompressed() { return TestReadFileAttribute(FILE_ATTRIBUTE_COMPRESSED); }
uint8_t ExecBoolFileOffline() { return TestReadFileAttribute(FILE_ATTRIBUTE_OFFLINE); }

enum FileTimeKind { CreationTime, AccessTime, WriteTime };

// The operand, local seconds since 1601, becomes one time of the write file
// (created empty when missing); a failed open or change sets FileError.
static void SetWriteFileTime(FileTimeKind kind) {
  CloseFiles();
  uint64_t t = EvalNextUtcFileTime();
  if (!OpenWriteFile()) return;
  FILETIME ft = {(DWORD)t, (DWORD)(t >> 32)};
  if (!SetFileTime(WriteFileState.Handle, kind == CreationTime ? &ft : nullptr, kind == AccessTime ? &ft : nullptr,
                   kind == WriteTime ? &ft : nullptr))
    FileError = 1;
}

void ExecCmdSetFileCreateTime() { SetWriteFileTime(CreationTime); }
void ExecCmdSetFileAccessTime() { SetWriteFileTime(AccessTime); }
void ExecCmdSetFileWriteTime() { SetWriteFileTime(WriteTime); }

// One time of the read file (its first match when the name has wildcards)
// in local seconds since 1601; an empty name or no match gives 0 and
// FileError, a time the local clock cannot show 0.
static double ReadFileTime(FileTimeKind kind) {
  CloseFiles();
  WIN32_FIND_DATAA found;
  HANDLE h = ReadFileName.Length() ? FindFirstFileA(ReadFileName.Chars(), &found) : INVALID_HANDLE_VALUE;
  if (h == INVALID_HANDLE_VALUE) {
    FileError = 1;
    return 0;
  }
  FindClose(h);
  FILETIME utc = kind == CreationTime ? found.ftCreationTime
                 : kind == AccessTime ? found.ftLastAccessTime
                                      : found.ftLastWriteTime;
  FILETIME local;
  if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
  return (double)(int64_t)((uint64_t)local.dwHighDateTime << 32 | local.dwLowDateTime) * 1e-7;
}

double ExecNumFileCreateTime() { return ReadFileTime(CreationTime); }
double ExecNumFileAccessTime() { return ReadFileTime(AccessTime); }
double ExecNumFileWriteTime() { return ReadFileTime(WriteTime); }

// Number operand, rounded: the write file is cut or extended to that size
// (negative gives 0; created when missing). NaN or a size beyond 32 bits
// sets FileError and leaves the file alone, as does any failure.
void ExecCmdSetFileSize() {
  int32_t size = EvalNextInt();
  CloseFiles();
  if (size == INT32_MIN) {
    FileError = 1;
    return;
  }
  if (!OpenWriteFile()) return;
  HANDLE h = WriteFileState.Handle;
  if (SetFilePointer(h, size > 0 ? size : 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER || !SetEndOfFile(h))
    FileError = 1;
}

// The read file's size after the write file's pending bytes were written:
// its low 32 bits as a signed number (from 2 GiB on negative); 0 when the
// file cannot be opened, 0 and FileError when the size cannot be read.
double ExecNumFileSize() {
  if (!FlushWriteFile() || !OpenReadFile()) return 0;
  DWORD size = GetFileSize(ReadFileState.Handle, nullptr);
  if (size == INVALID_FILE_SIZE) {
    FileError = 1;
    return 0;
  }
  return (int32_t)size;
}
