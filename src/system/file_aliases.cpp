// File aliases: stored for the write file in the current language, read for
// the read file through the languages in fallback order.
#include "system/file_aliases.h"
#include <windows.h>
#include "base/global_storage.h"
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "base/language.h"
#include "system/files.h"
#include "system/data_files.h"

GLOBAL_OBJECT(Text, AliasIniPath);
GLOBAL_OBJECT(Text, AliasKey);
GLOBAL_OBJECT(Text, AliasSection);

void InitAliasTexts() {
  AliasIniPath.InitEmpty();
  AliasKey.InitEmpty();
  AliasSection.InitEmpty();
}

// The key is the name after its directory; the INI file sits in that
// directory, made absolute when the system can.
void SetAliasPaths(Text name) {
  if (name.GetLastChar() == '\\') name.SetLength(name.Length() - 1);
  int32_t a = name.FindCharReverse('\\');
  if (a < 0) a = name.FindCharReverse(':');
  a++;
  AliasKey = name.Mid(a, name.Length() - a);
  AliasIniPath = ConcatTextChars(name.Left(a), "ALIASES.INI");
  char full[1024];
  DWORD n = GetFullPathNameA(AliasIniPath.Chars(), 1023, full, nullptr);
  if (n >= 1 && n <= 1023) AliasIniPath.AssignBytes(full, (int32_t)n);
}

void SetAliasSection(int32_t row) {
  Text id;
  id.SetInt(LanguageTable[row].LanguageId);
  AliasSection = ConcatTexts(Text("LANGID "), id);
}

bool ReadAlias(Text& result, int32_t row) {
  SetAliasSection(row);
  char value[1024];
  DWORD n = GetPrivateProfileStringA(AliasSection.Chars(), AliasKey.Chars(), "", value, 1023, AliasIniPath.Chars());
  if (n < 1 || n > 1023) return false;
  result.AssignBytes(value, (int32_t)n);
  return true;
}

// A key the INI format cannot hold: empty, with '=' or a line end, or read
// as a section.
static bool IsBadAliasKey(const Text& key) {
  return key.Length() == 0 || key.FindChar('=') >= 0 || key.FindChar('\r') >= 0 || key.FindChar('\n') >= 0 ||
         key.GetChar(0) == '[';
}

// Text operand, trimmed: the write file's alias in the current language; the
// empty text deletes it. No write file name, a key the INI format cannot
// hold, an alias with a line end or a failed write sets FileError, and then
// nothing is written.
void ExecCmdSetFileAlias() {
  Text alias;
  EvalNextTrimmedText(alias);
  if (WriteFileName.Length() == 0) {
    FileError = 1;
    return;
  }
  SetAliasPaths(WriteFileName);
  if (IsBadAliasKey(AliasKey) || alias.FindChar('\r') >= 0 || alias.FindChar('\n') >= 0) {
    FileError = 1;
    return;
  }
  SetAliasSection(CurrentLanguageIndex);
  if (!WritePrivateProfileStringA(AliasSection.Chars(), AliasKey.Chars(), alias.Length() ? alias.Chars() : nullptr,
                                  AliasIniPath.Chars()))
    FileError = 1;
}

// The read file's alias: in the current language, else the start-up
// language, else English, else any other language in table order; without
// one the file name without its extension. No read file name gives the
// empty text and FileError.
void ExecTextFileAlias(Text& r) {
  r.Empty();
  if (ReadFileName.Length() == 0) {
    FileError = 1;
    return;
  }
  SetAliasPaths(ReadFileName);
  r = AliasKey;
  int32_t dot = r.FindCharReverse('.');
  if (dot >= 0) r = r.Left(dot);
  if (GetFileAttributesA(AliasIniPath.Chars()) == INVALID_FILE_ATTRIBUTES) return;
  if (ReadAlias(r, CurrentLanguageIndex) || ReadAlias(r, DefaultLanguageIndex) || ReadAlias(r, EnglishLanguageIndex))
    return;
  for (int32_t row = 0; row < LanguageCount; row++) {
    if (row == CurrentLanguageIndex || row == DefaultLanguageIndex || row == EnglishLanguageIndex) continue;
    if (ReadAlias(r, row)) return;
  }
}
