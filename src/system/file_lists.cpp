// File lists: the names that patterns match, one a line.
#include <windows.h>
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "base/language.h"
#include "system/files.h"

static void AppendMatches(Text& result, const Text& pattern) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(pattern.Chars(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    found.cFileName[MAX_PATH - 1] = 0;
    result.AppendChars(found.cFileName);
    result.AppendChars("\r\n");
  } while (FindNextFileA(h, &found));
  FindClose(h);
}

// Patterns separated by ';', each trimmed; empty ones are skipped, and no
// pattern at all means AllFilesPattern. Silent: a pattern that matches
// nothing adds nothing.
void ListFiles(Text& result, Text patterns) {
  result.Empty();
  patterns.TrimLeft();
  patterns.TrimRight();
  if (patterns.Length() == 0) patterns.AssignChars(AllFilesPattern);
  int32_t start = 0, n = patterns.Length();
  while (start < n) {
    int32_t end = start;
    while (end < n && patterns.GetChar(end) != ';') end++;
    Text part = patterns.Mid(start, end - start);
    part.TrimLeft();
    part.TrimRight();
    if (part.Length() > 0) AppendMatches(result, part);
    start = end + 1;
  }
}

// Text operand: the names its patterns match, each followed by CR LF.
void ExecTextFileList(Text& r) {
  Text patterns;
  RunValue(patterns);
  ListFiles(r, patterns);
}

// No operand: every name of the current directory.
void ExecTextFileListAll(Text& r) { ListFiles(r, Text()); }
