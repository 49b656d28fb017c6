// Reference-counted texts: the one-word Text handle over a shared TextData
// record (copy on write), its operations and the global texts.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/memory.h"
#include "base/global_storage.h"

// Characters are bytes in LanguageCodePage, followed by one zero byte.
struct TextData {
  int32_t RefCount;
  int32_t Length;          // characters in bytes, terminator not counted
  int32_t ImageTextIndex;  // serial number of the image text, -1 once built or changed
  uint8_t Chars[1];        // allocated for Length characters and the terminator
};

const int32_t TextHeaderSize = 12;  // the bytes before Chars

// Shared by every empty text; its own count of 1 keeps it from being freed.
extern TextData EmptyTextData;

class Text {
 public:
  TextData* Data;  // never null once constructed

  Text() { InitEmpty(); }
  // n bytes of s, zero bytes included; n < 0: up to the terminator; s null: length 0.
  explicit Text(const char* s, int32_t n = -1) { InitNew(s, n); }
  // n UTF-16 units converted to LanguageCodePage; n < 0: up to the terminator.
  Text(const wchar_t* w, int32_t n) { InitNew(w, n); }
  explicit Text(uint8_t c);  // c = 0 gives the empty text
  Text(const Text& u) { Attach(u.Data); }
  ~Text() { Release(); }
  Text& operator=(const Text& u) {
    Assign(u);
    return *this;
  }

  // Construction into raw storage (list items, global texts).
  void InitEmpty() { Attach(&EmptyTextData); }
  void InitNew(const char* s, int32_t n);
  void InitNew(const wchar_t* w, int32_t n);
  void Attach(TextData* d) {
    Data = d;
    d->RefCount++;
  }

  int32_t Length() const { return Data->Length; }
  const char* Chars() const { return reinterpret_cast<const char*>(Data->Chars); }
  // Writable characters; only after the text was made private (SetLength).
  uint8_t* Bytes() { return Data->Chars; }

  // Lifetime and assignment.
  void Empty();
  void Assign(const Text& u);
  void AssignChars(const char* s);            // zero-terminated; null: length 0
  void AssignBytes(const void* p, int32_t n);  // n bytes into a new record
  void AssignChar(uint8_t c);                  // c = 0 gives the empty text
  void MakeUnique();
  void SetLength(int32_t n);  // new characters are not set

  // Reading.
  int32_t Write(void* buffer) const;         // Length bytes, no terminator
  int32_t WriteWide(wchar_t* buffer) const;  // room for Length + 1 units
  uint8_t GetChar(int32_t pos) const;
  uint8_t GetLastChar() const;
  int32_t FindChar(uint8_t c) const;  // stops at the first zero byte
  int32_t FindCharReverse(uint8_t c) const;
  int32_t Find(const Text& u) const;
  int32_t CountLines() const;
  Text GetLine(int32_t n) const;
  bool Equals(const Text& u) const;
  bool EqualsChars(const char* s) const;
  bool NotEquals(const Text& u) const { return !Equals(u); }
  bool LessOrEqual(const Text& u) const;  // the user locale's order

  // New texts from parts.
  Text Left(int32_t n) const;
  Text Right(int32_t n) const;
  Text Mid(int32_t pos, int32_t n) const;

  // Changing the text; each makes it private first.
  void Append(const Text& u);
  void AppendChars(const char* s);
  void AppendChar(uint8_t c);
  void AppendBytes(const void* p, int32_t n);
  void AppendWide(const wchar_t* w, int32_t n);
  void Delete(int32_t pos, int32_t n);
  void UpperCase();
  void LowerCase();
  void TrimLeft();
  void TrimRight();
  int32_t RemoveInvalidPathChars(int32_t cursor);

  // Texts from the system.
  void SetTempFileName();
  void LoadWindowText(HWND window);
  void LoadDlgItemText(HWND dialog, int id);
  void StoreWindowText(HWND window) const;
  void StoreDlgItemText(HWND dialog, int id) const;
  void LoadCurrentDirectory();
  void LoadModuleFileName(HMODULE module);

  // Numbers as texts (number_text.cpp).
  void SetInt(int32_t n);
  void AppendTwoDigits(int32_t n);
  void AppendFourDigits(int32_t n);
  void AppendTwoDigitsSpacePadded(int32_t n);
  void SetHex8(uint32_t v);
  void SetReal(double x);

 private:
  void Release() {
    if (--Data->RefCount == 0) MemFree(Data);
  }
  void Resize(int32_t n);      // private record of n characters, the first ones kept
  uint8_t* Extend(int32_t n);  // private record n bytes longer; returns the new tail
};

Text ConcatTexts(const Text& a, const Text& b);
Text ConcatTextChars(const Text& a, const char* s);
Text ConcatCharText(uint8_t c, const Text& a);
Text ConcatTextChar(const Text& a, uint8_t c);


extern Text& CommandLine;
extern Text& ModulePath;
extern Text& EmptyText;  // what TextList::Get gives for an index out of range

// Entries of start-up's initialiser table, in this order.
void InitCommandLine();
void InitModulePath();
void InitEmptyText();
