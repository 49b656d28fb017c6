// Files and directories as wholes: the file names as texts, create, delete,
// existence, copy and move, and directory paths.
#include "system/files.h"
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "system/data_files.h"

void EvalNextTrimmedText(Text& t) {
  RunValue(t);
  t.TrimLeft();
  t.TrimRight();
}

static void StripTrailingBackslashes(Text& path) {
  path.TrimRight();
  while (path.Length() > 0 && path.GetLastChar() == '\\') {
    path.SetLength(path.Length() - 1);
    path.TrimRight();
  }
}

static bool IsDirectory(const Text& path) {
  DWORD a = GetFileAttributesA(path.Chars());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateOneDirectory(Text path) {
  path.TrimLeft();
  StripTrailingBackslashes(path);
  return CreateDirectoryA(path.Chars(), nullptr) || IsDirectory(path);
}

// Up from the path to the deepest directory that can be made (the first
// component included), then down again making each one below it.
bool CreateDirPath(Text path) {
  if (CreateOneDirectory(path)) return true;
  path.TrimLeft();
  StripTrailingBackslashes(path);
  int32_t end = path.Length();
  for (;;) {
    int32_t cut = path.Left(end).FindCharReverse('\\');
    if (cut < 0) break;
    end = cut;
    if (CreateOneDirectory(path.Left(end))) break;
  }
  while (end < path.Length()) {
    int32_t next = end + 1;
    while (next < path.Length() && path.GetChar(next) != '\\') next++;
    if (next >= path.Length()) break;
    if (!CreateOneDirectory(path.Left(next))) return false;
    end = next;
  }
  return CreateOneDirectory(path);
}

// ReadFileName as a text.
void ExecTextReadFileName(Text& r) { r = ReadFileName; }

// WriteFileName as a text.
void ExecTextWriteFileName(Text& r) { r = WriteFileName; }

// Creates or empties the file named by the text, making missing directories
// above it; an existing file that cannot be opened (read-only) is a success
// and stays as it is. An empty name, a name ending in '\' or a directory
// gives false and FileError.
uint8_t ExecBoolFileCreate() {
  CloseFiles();
  Text name;
  EvalNextTrimmedText(name);
  if (name.Length() == 0 || name.GetLastChar() == '\\') {
    FileError = 1;
    return 0;
  }
  for (int attempt = 0; attempt < 2; attempt++) {
    HANDLE h = CreateFileA(name.Chars(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return 1;
    }
    if (attempt > 0) break;
    DWORD a = GetFileAttributesA(name.Chars());
    if (a != INVALID_FILE_ATTRIBUTES) {
      if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return 1;
      break;
    }
    int32_t slash = name.FindCharReverse('\\');
    if (slash < 1 || !CreateDirPath(name.Left(slash))) break;
  }
  FileError = 1;
  return 0;
}

// The same, the result dropped.
void ExecCmdFileCreate() { ExecBoolFileCreate(); }

// Makes the directory named by the text and every missing one above it;
// an empty name or a failure gives false and FileError.
uint8_t ExecBoolDirCreate() {
  CloseFiles();
  Text name;
  EvalNextTrimmedText(name);
  if (name.Length() > 0 && CreateDirPath(name)) return 1;
  FileError = 1;
  return 0;
}

// The same, the result dropped.
void ExecCmdDirCreate() { ExecBoolDirCreate(); }

// Deletes the file named by the text, else the empty directory of that name;
// an empty name or both failing gives false and FileError.
uint8_t ExecBoolFileDelete() {
  CloseFiles();
  Text name;
  EvalNextTrimmedText(name);
  if (name.Length() > 0 && (DeleteFileA(name.Chars()) || RemoveDirectoryA(name.Chars()))) return 1;
  FileError = 1;
  return 0;
}

// The same, the result dropped.
void ExecCmdFileDelete() { ExecBoolFileDelete(); }

// "X:" asks whether drive X exists, "X:\" also for its readable volume.
static bool DriveExists(const Text& name) {
  uint8_t letter = name.GetChar(0);
  if (letter >= 'a' && letter <= 'z') letter = (uint8_t)(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z' || !(GetLogicalDrives() >> (letter - 'A') & 1)) return false;
  return name.Length() == 2 ||
         GetVolumeInformationA(name.Chars(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
}

// Whether the text names a drive (forms "X:" and "X:\") or any entry the
// system finds (wildcards allowed, directories count). Never sets FileError
// and leaves the data files open.
uint8_t ExecBoolFileExists() {
  Text name;
  EvalNextTrimmedText(name);
  if (name.Length() == 0) return 0;
  if ((name.Length() == 2 || (name.Length() == 3 && name.GetChar(2) == '\\')) && name.GetChar(1) == ':')
    return DriveExists(name);
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(name.Chars(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  FindClose(h);
  return 1;
}

// Both files closed and their offsets at 0, then the read file copied or
// moved to the write file; an empty name or a failure gives FileError.
static uint8_t CopyOrMove(bool move) {
  CloseFiles();
  if (ReadFileName.Length() > 0 && WriteFileName.Length() > 0) {
    ReadFileState.Offset = 0;
    WriteFileState.Offset = 0;
    const char* from = ReadFileName.Chars();
    const char* to = WriteFileName.Chars();
    if (move ? MoveFileA(from, to) : CopyFileA(from, to, TRUE)) return 1;
  }
  FileError = 1;
  return 0;
}

// No operand: copies the read file to the write file, which must not exist
// yet; the command drops the result.
uint8_t ExecBoolFileCopy() { return CopyOrMove(false); }
void ExecCmdFileCopy() { CopyOrMove(false); }

// No operand: moves (renames) the read file to the write file.
uint8_t ExecBoolFileMove() { return CopyOrMove(true); }
void ExecCmdFileMove() { CopyOrMove(true); }
