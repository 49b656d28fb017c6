// The file elements run as expressions inside a scratch directory that is
// the current directory while the test runs, with native helpers that make
// and inspect its files.
#pragma once
#include <windows.h>
#include <string>
#include "expression_fixture.h"
#include "system/data_files.h"
#include "system/file_aliases.h"
#include "system/files.h"

class FileTest : public ExpressionTest {
 public:
  std::string Dir;  // absolute, without a trailing backslash
  char SavedDir[MAX_PATH];

  FileTest() {
    if (!EmptyText.Data) InitEmptyText();
    if (!ReadFileName.Data) InitDataFileNames();
    if (!AliasKey.Data) InitAliasTexts();
    GetCurrentDirectoryA(MAX_PATH, SavedDir);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial;
    Dir = std::string(temp) + "yelto-files-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    RemoveTree(Dir);
    CreateDirectoryA(Dir.c_str(), nullptr);
    SetCurrentDirectoryA(Dir.c_str());
    ResetFiles();
  }
  ~FileTest() override {
    ResetFiles();
    SetCurrentDirectoryA(SavedDir);
    RemoveTree(Dir);
  }

  // Both files closed (what the close leaves open is closed here, so the
  // directory can go), names empty, offsets 0, no error.
  static void ResetFiles() {
    CloseFiles();
    for (BufferedFile* f : {&ReadFileState, &WriteFileState})
      if (f->Handle) CloseHandle(f->Handle);
    ForgetDataFiles();
  }

  static void RemoveTree(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
      DeleteFileA(path.c_str());
      return;
    }
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string n = f.cFileName;
        if (n != "." && n != "..") RemoveTree(path + "\\" + n);
      } while (FindNextFileA(h, &f));
      FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
  }

  // A text constant of the test-program format.
  static std::string Const(const std::string& s) {
    std::string out = "(text_const \"";
    for (char c : s) {
      if (c == '\\' || c == '"') out += '\\';
      if (c == '\r') out += "\\r";
      else if (c == '\n') out += "\\n";
      else out += c;
    }
    return out + "\")";
  }
  // "(name (text_const "operand"))" of element id, or "(name)" without an operand.
  static std::string Element(int32_t id, const char* operand = nullptr) {
    return "(" + std::string(ElementNameOfId(id)) + (operand ? " " + Const(operand) : std::string()) + ")";
  }

  // The logic value of id with a text operand (or none), run in the scratch directory.
  int Logic(int32_t id, const char* operand = nullptr) {
    FileError = 0;
    return Bool(Element(id, operand));
  }
  void Command(const std::string& commands) {
    FileError = 0;
    EXPECT_TRUE(RunExpressions("", "", commands)) << commands;
  }
  double Number(const std::string& expression) {
    FileError = 0;
    return Num(expression);
  }
  std::string TextOf(const std::string& expression) {
    FileError = 0;
    if (!RunExpressions("", "", "(@ta " + expression + ")")) return "program failed";
    const Text& t = Texts[GlobalValue("ta")];
    return std::string(t.Chars(), t.Length());
  }

  // Native file helpers, names relative to the scratch directory.
  static bool Put(const std::string& name, const std::string& bytes) {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, nullptr);
    CloseHandle(h);
    return n == bytes.size();
  }
  static std::string Get(const std::string& name) {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string s;
    char buffer[4096];
    DWORD n;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) s.append(buffer, n);
    CloseHandle(h);
    return s;
  }
  static DWORD Attributes(const std::string& name) { return GetFileAttributesA(name.c_str()); }
  static bool IsDir(const std::string& name) {
    DWORD a = Attributes(name);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }
  static bool IsFile(const std::string& name) {
    DWORD a = Attributes(name);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }
};
