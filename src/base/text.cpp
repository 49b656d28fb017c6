// Text records and operations: sharing, copy on write, parts, searching,
// lines, UTF-16 conversion and the texts that come from the system.
#include "base/text.h"
#include <string.h>
#include <wchar.h>
#include "base/language.h"

TextData EmptyTextData = {1, 0, -1, {0}};

GLOBAL_OBJECT(Text, CommandLine);
GLOBAL_OBJECT(Text, ModulePath);
GLOBAL_OBJECT(Text, EmptyText);

void InitCommandLine() { CommandLine.InitEmpty(); }
void InitModulePath() { ModulePath.InitEmpty(); }
void InitEmptyText() { EmptyText.InitEmpty(); }

const uint8_t CR = 13;
const uint8_t LF = 10;

// A new record of n characters (not set) and the terminator.
static TextData* NewRecord(int32_t n) {
  TextData* d = static_cast<TextData*>(MemAlloc(TextHeaderSize + n + 1));
  d->RefCount = 1;
  d->Length = n;
  d->ImageTextIndex = -1;
  d->Chars[n] = 0;
  return d;
}

static TextData* CopyRecord(const void* p, int32_t n) {
  TextData* d = NewRecord(n);
  if (n > 0) memcpy(d->Chars, p, n);
  return d;
}

// Reallocates a private record for n characters, keeping the first ones.
static TextData* ResizeRecord(TextData* d, int32_t n) {
  d = static_cast<TextData*>(MemRealloc(d, TextHeaderSize + n + 1));
  d->Length = n;
  d->Chars[n] = 0;
  return d;
}

static int32_t WideLength(const wchar_t* w, int32_t n) {
  if (!w) return 0;
  return n < 0 ? static_cast<int32_t>(wcslen(w)) : n;
}

// Converts n UTF-16 units into the characters of d from position at on; d is
// private and already holds at + n characters. The length becomes what the
// conversion really wrote, so no unset byte stays inside the text; a code page
// that needs more than one byte per unit gets the size it asks for.
static TextData* ConvertWide(TextData* d, int32_t at, const wchar_t* w, int32_t n) {
  if (n == 0) return d;
  char* out = reinterpret_cast<char*>(d->Chars) + at;
  int32_t r = WideCharToMultiByte(LanguageCodePage, 0, w, n, out, n, nullptr, nullptr);
  if (r == 0) {
    int32_t need = WideCharToMultiByte(LanguageCodePage, 0, w, n, nullptr, 0, nullptr, nullptr);
    if (need > n) {
      d = ResizeRecord(d, at + need);
      out = reinterpret_cast<char*>(d->Chars) + at;
      r = WideCharToMultiByte(LanguageCodePage, 0, w, n, out, need, nullptr, nullptr);
    }
  }
  return r == d->Length - at ? d : ResizeRecord(d, at + r);
}

Text::Text(uint8_t c) {
  if (c == 0) {
    InitEmpty();
  } else {
    Data = CopyRecord(&c, 1);
  }
}

void Text::InitNew(const char* s, int32_t n) {
  if (!s) n = 0;
  else if (n < 0) n = static_cast<int32_t>(strlen(s));
  Data = CopyRecord(s, n);
}

void Text::InitNew(const wchar_t* w, int32_t n) {
  n = WideLength(w, n);
  Data = ConvertWide(NewRecord(n), 0, w, n);
}

void Text::Empty() {
  Release();
  InitEmpty();
}

void Text::Assign(const Text& u) {
  TextData* old = Data;
  Attach(u.Data);
  if (--old->RefCount == 0) MemFree(old);
}

// The new record is made before the old one goes: s may be t's own characters.
void Text::AssignBytes(const void* p, int32_t n) {
  TextData* d = CopyRecord(p, n);
  Release();
  Data = d;
}

void Text::AssignChars(const char* s) { AssignBytes(s, s ? static_cast<int32_t>(strlen(s)) : 0); }

void Text::AssignChar(uint8_t c) {
  if (c == 0) {
    Empty();
  } else {
    AssignBytes(&c, 1);
  }
}

void Text::MakeUnique() {
  if (Data->RefCount >= 2) {
    TextData* d = CopyRecord(Data->Chars, Data->Length);
    Data->RefCount--;
    Data = d;
  }
  Data->ImageTextIndex = -1;
}

// Copy on write and reallocation in one step: a shared record is copied
// straight into a record of the new size.
void Text::Resize(int32_t n) {
  if (Data->RefCount >= 2) {
    TextData* d = NewRecord(n);
    memcpy(d->Chars, Data->Chars, n < Data->Length ? n : Data->Length);
    Data->RefCount--;
    Data = d;
  } else {
    Data->ImageTextIndex = -1;
    Data = ResizeRecord(Data, n);
  }
}

void Text::SetLength(int32_t n) { Resize(n < 0 ? 0 : n); }

uint8_t* Text::Extend(int32_t n) {
  int32_t old = Data->Length;
  Resize(old + n);
  return Data->Chars + old;
}

int32_t Text::Write(void* buffer) const {
  memcpy(buffer, Data->Chars, Data->Length);
  return Data->Length;
}

int32_t Text::WriteWide(wchar_t* buffer) const {
  if (Data->Length == 0) return 0;
  return MultiByteToWideChar(LanguageCodePage, 0, Chars(), Data->Length, buffer,
                             Data->Length + 1);
}

uint8_t Text::GetChar(int32_t pos) const {
  return static_cast<uint32_t>(pos) < static_cast<uint32_t>(Data->Length) ? Data->Chars[pos] : 0;
}

uint8_t Text::GetLastChar() const { return Data->Length > 0 ? Data->Chars[Data->Length - 1] : 0; }

int32_t Text::FindChar(uint8_t c) const {
  if (c == 0) return -1;
  const uint8_t* p = Data->Chars;
  for (int32_t i = 0; p[i] != 0; i++) {
    if (p[i] == c) return i;
  }
  return -1;
}

int32_t Text::FindCharReverse(uint8_t c) const {
  for (int32_t i = Data->Length - 1; i >= 0; i--) {
    if (Data->Chars[i] == c) return i;
  }
  return -1;
}

int32_t Text::Find(const Text& u) const {
  int32_t m = u.Data->Length;
  if (m == 0) return 0;
  if (m == 1) return FindChar(u.Data->Chars[0]);
  const uint8_t* p = Data->Chars;
  const uint8_t* q = u.Data->Chars;
  for (int32_t i = 0; i <= Data->Length - m; i++) {
    if (p[i] == q[0] && memcmp(p + i + 1, q + 1, m - 1) == 0) return i;
  }
  return -1;
}

// CR LF pairs before the first zero byte, plus one for a last line that does
// not end in CR LF.
int32_t Text::CountLines() const {
  const uint8_t* p = Data->Chars;
  int32_t n = Data->Length;
  int32_t lines = 0;
  for (int32_t i = 0; p[i] != 0; i++) {
    if (p[i] == CR && p[i + 1] == LF) lines++;
  }
  if (n == 1 || (n >= 2 && !(p[n - 2] == CR && p[n - 1] == LF))) lines++;
  return lines;
}

Text Text::GetLine(int32_t n) const {
  if (n < 0) n = 0;
  const uint8_t* p = Data->Chars;
  int32_t len = Data->Length;
  int32_t start = 0;
  int32_t ends = 0;
  for (int32_t i = 0; i + 1 < len; i++) {
    if (p[i] != CR || p[i + 1] != LF) continue;
    if (ends == n) return Mid(start, i - start);
    ends++;
    i++;
    start = i + 1;
  }
  return ends == n ? Mid(start, len - start) : Text();
}

bool Text::Equals(const Text& u) const {
  return Data->Length == u.Data->Length && memcmp(Data->Chars, u.Data->Chars, Data->Length) == 0;
}

bool Text::EqualsChars(const char* s) const {
  if (!s) s = "";
  size_t n = strlen(s);
  return n == static_cast<size_t>(Data->Length) && memcmp(Data->Chars, s, n) == 0;
}

// A failing comparison (0) counts as less or equal.
bool Text::LessOrEqual(const Text& u) const {
  return CompareStringA(LOCALE_USER_DEFAULT, 0, Chars(), Data->Length, u.Chars(),
                        u.Data->Length) != CSTR_GREATER_THAN;
}

static int32_t Clamp(int32_t v, int32_t low, int32_t high) { return v < low ? low : v > high ? high : v; }

Text Text::Left(int32_t n) const { return Text(Chars(), Clamp(n, 0, Data->Length)); }

Text Text::Right(int32_t n) const {
  n = Clamp(n, 0, Data->Length);
  return Text(Chars() + Data->Length - n, n);
}

Text Text::Mid(int32_t pos, int32_t n) const {
  pos = Clamp(pos, 0, Data->Length);
  return Text(Chars() + pos, Clamp(n, 0, Data->Length - pos));
}

static Text Concat(const void* a, int32_t n, const void* b, int32_t m) {
  Text t;
  t.SetLength(n + m);
  memcpy(t.Bytes(), a, n);
  memcpy(t.Bytes() + n, b, m);
  return t;
}

Text ConcatTexts(const Text& a, const Text& b) {
  return Concat(a.Chars(), a.Length(), b.Chars(), b.Length());
}

Text ConcatTextChars(const Text& a, const char* s) {
  if (!s) s = "";
  return Concat(a.Chars(), a.Length(), s, static_cast<int32_t>(strlen(s)));
}

Text ConcatCharText(uint8_t c, const Text& a) { return Concat(&c, 1, a.Chars(), a.Length()); }

Text ConcatTextChar(const Text& a, uint8_t c) { return Concat(a.Chars(), a.Length(), &c, 1); }

// The source is read through u after the reallocation, so u may be this text.
void Text::Append(const Text& u) {
  int32_t m = u.Data->Length;
  uint8_t* tail = Extend(m);
  memcpy(tail, u.Data->Chars, m);
}

void Text::AppendChars(const char* s) {
  int32_t n = s ? static_cast<int32_t>(strlen(s)) : 0;
  if (n == 0) {
    MakeUnique();
  } else {
    AppendBytes(s, n);
  }
}

void Text::AppendChar(uint8_t c) { *Extend(1) = c; }

// p may point into this text's own record, which the reallocation may move:
// such a source is found again by its offset.
void Text::AppendBytes(const void* p, int32_t n) {
  if (n <= 0) return;
  uintptr_t offset = reinterpret_cast<uintptr_t>(p) - reinterpret_cast<uintptr_t>(Data->Chars);
  bool own = offset <= static_cast<uintptr_t>(Data->Length);
  uint8_t* tail = Extend(n);
  memmove(tail, own ? Data->Chars + offset : p, n);
}

void Text::AppendWide(const wchar_t* w, int32_t n) {
  n = WideLength(w, n);
  if (n == 0) return;
  int32_t at = Data->Length;
  Extend(n);
  Data = ConvertWide(Data, at, w, n);
}

void Text::Delete(int32_t pos, int32_t n) {
  pos = Clamp(pos, 0, Data->Length);
  n = Clamp(n, 0, Data->Length - pos);
  if (n == 0) return;
  MakeUnique();
  memmove(Data->Chars + pos, Data->Chars + pos + n, Data->Length - pos - n + 1);
  Data->Length -= n;
}

void Text::UpperCase() {
  MakeUnique();
  CharUpperBuffA(reinterpret_cast<char*>(Data->Chars), static_cast<DWORD>(strlen(Chars())));
}

void Text::LowerCase() {
  MakeUnique();
  CharLowerBuffA(reinterpret_cast<char*>(Data->Chars), static_cast<DWORD>(strlen(Chars())));
}

void Text::TrimLeft() {
  MakeUnique();
  int32_t i = 0;
  while (Data->Chars[i] >= 1 && Data->Chars[i] <= 32) i++;
  memmove(Data->Chars, Data->Chars + i, Data->Length - i + 1);
  Data->Length -= i;
}

void Text::TrimRight() {
  MakeUnique();
  int32_t n = Data->Length;
  while (n > 0 && Data->Chars[n - 1] <= 32) n--;
  Data->Chars[n] = 0;
  Data->Length = n;
}

static bool IsInvalidPathChar(uint8_t c) {
  return c < 32 || c == '"' || c == '*' || c == '/' || c == '<' || c == '>' || c == '?' ||
         c == '|';
}

int32_t Text::RemoveInvalidPathChars(int32_t cursor) {
  for (int32_t i = Data->Length - 1; i >= 0; i--) {
    if (!IsInvalidPathChar(Data->Chars[i])) continue;
    Delete(i, 1);
    if (i < cursor) cursor--;
  }
  return cursor;
}

// The system creates the empty file; a failing call gives the empty text.
void Text::SetTempFileName() {
  char path[256];
  char name[512];
  DWORD n = GetTempPathA(255, path);
  if (n == 0 || n >= 255 || GetTempFileNameA(path, "YLT", 0, name) == 0) {
    Empty();
    return;
  }
  AssignChars(name);
}

// The length is what the window gave, which may be less than its estimate.
void Text::LoadWindowText(HWND window) {
  int32_t n = GetWindowTextLengthA(window);
  if (n < 0) n = 0;
  TextData* d = NewRecord(n);
  int32_t got = Clamp(GetWindowTextA(window, reinterpret_cast<char*>(d->Chars), n + 1), 0, n);
  if (got != n) d = ResizeRecord(d, got);
  Release();
  Data = d;
}

void Text::LoadDlgItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  if (item) {
    LoadWindowText(item);
  } else {
    Empty();
  }
}

void Text::StoreWindowText(HWND window) const { SetWindowTextA(window, Chars()); }

void Text::StoreDlgItemText(HWND dialog, int id) const {
  HWND item = GetDlgItem(dialog, id);
  if (item) SetWindowTextA(item, Chars());
}

// A directory that does not fit the buffer (the system then answers the size
// it needs) gives the empty text.
void Text::LoadCurrentDirectory() {
  char buffer[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
  AssignBytes(buffer, n < MAX_PATH ? n : 0);
}

void Text::LoadModuleFileName(HMODULE module) {
  char buffer[MAX_PATH];
  DWORD n = GetModuleFileNameA(module, buffer, MAX_PATH);
  AssignBytes(buffer, n <= MAX_PATH ? n : 0);
}
