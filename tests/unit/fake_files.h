// An in-memory file system behind the data files' call seam: files by name,
// a count of every call, and faults a test switches on (a call that fails
// from its k-th use on, writes that stop short, closes that fail).
#pragma once
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include "system/data_files.h"
#include "system/file_seam.h"

struct FakeFiles {
  std::map<std::string, std::vector<uint8_t>> Files;
  struct Open {
    std::string Name;
    uint32_t Position;
    bool Live;
  };
  std::vector<Open> Handles;  // a handle is its index + 1

  // Calls so far, and the call number (1 = first) from which each fails; 0 never.
  int Creates = 0, Reads = 0, Writes = 0, Seeks = 0, Closes = 0;
  int FailCreateFrom = 0, FailReadFrom = 0, FailWriteFrom = 0, FailSeekFrom = 0, FailCloseFrom = 0;
  int FailCreateCount = 1 << 30;  // how many calls fail from FailCreateFrom on
  int FailWriteCount = 1 << 30;
  int ShortWriteFrom = 0;  // from this write call on, only half the bytes are written
  size_t WrittenBytes = 0;

  static bool Fails(int call, int from, int count) { return from && call >= from && call < from + count; }
  Open* Of(HANDLE h) {
    size_t i = (size_t)(uintptr_t)h;
    return i >= 1 && i <= Handles.size() && Handles[i - 1].Live ? &Handles[i - 1] : nullptr;
  }
  std::string Text(const std::string& name) {
    const std::vector<uint8_t>& f = Files[name];
    return std::string(f.begin(), f.end());
  }
};

extern FakeFiles FakeDisk;

inline HANDLE WINAPI FakeCreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation,
                                     DWORD, HANDLE) {
  FakeFiles& f = FakeDisk;
  f.Creates++;
  if (FakeFiles::Fails(f.Creates, f.FailCreateFrom, f.FailCreateCount)) return INVALID_HANDLE_VALUE;
  bool exists = f.Files.count(name) != 0;
  if (!exists && creation == OPEN_EXISTING) return INVALID_HANDLE_VALUE;
  if (!exists) f.Files[name];
  f.Handles.push_back({name, 0, true});
  return (HANDLE)(uintptr_t)f.Handles.size();
}

inline BOOL WINAPI FakeReadFile(HANDLE h, LPVOID to, DWORD n, LPDWORD got, LPOVERLAPPED) {
  FakeFiles& f = FakeDisk;
  f.Reads++;
  *got = 0;
  FakeFiles::Open* o = f.Of(h);
  if (!o || FakeFiles::Fails(f.Reads, f.FailReadFrom, 1 << 30)) return FALSE;
  const std::vector<uint8_t>& bytes = f.Files[o->Name];
  size_t left = o->Position < bytes.size() ? bytes.size() - o->Position : 0;
  size_t k = n < left ? n : left;
  if (k) memcpy(to, &bytes[o->Position], k);
  o->Position += (uint32_t)k;
  *got = (DWORD)k;
  return TRUE;
}

// Gaps before the position fill with zeros, as the system fills them.
inline BOOL WINAPI FakeWriteFile(HANDLE h, LPCVOID from, DWORD n, LPDWORD put, LPOVERLAPPED) {
  FakeFiles& f = FakeDisk;
  f.Writes++;
  *put = 0;
  FakeFiles::Open* o = f.Of(h);
  if (!o || FakeFiles::Fails(f.Writes, f.FailWriteFrom, f.FailWriteCount)) return FALSE;
  DWORD k = f.ShortWriteFrom && f.Writes >= f.ShortWriteFrom ? n / 2 : n;
  std::vector<uint8_t>& bytes = f.Files[o->Name];
  if (bytes.size() < o->Position + k) bytes.resize(o->Position + k);
  if (k) memcpy(&bytes[o->Position], from, k);
  o->Position += k;
  f.WrittenBytes += k;
  *put = k;
  return TRUE;
}

inline DWORD WINAPI FakeSetFilePointer(HANDLE h, LONG to, PLONG high, DWORD method) {
  FakeFiles& f = FakeDisk;
  f.Seeks++;
  FakeFiles::Open* o = f.Of(h);
  EXPECT_EQ(nullptr, high) << "data files position with 32 bits";
  EXPECT_EQ((DWORD)FILE_BEGIN, method);
  if (!o || to < 0 || FakeFiles::Fails(f.Seeks, f.FailSeekFrom, 1 << 30)) return INVALID_SET_FILE_POINTER;
  o->Position = (uint32_t)to;
  return (DWORD)to;
}

inline BOOL WINAPI FakeSetEndOfFile(HANDLE h) {
  FakeFiles::Open* o = FakeDisk.Of(h);
  if (!o) return FALSE;
  FakeDisk.Files[o->Name].resize(o->Position);
  return TRUE;
}

inline DWORD WINAPI FakeGetFileSize(HANDLE h, LPDWORD high) {
  FakeFiles::Open* o = FakeDisk.Of(h);
  if (high) *high = 0;
  return o ? (DWORD)FakeDisk.Files[o->Name].size() : INVALID_FILE_SIZE;
}

// A failing close still closes the handle, as the system's does.
inline BOOL WINAPI FakeCloseHandle(HANDLE h) {
  FakeFiles& f = FakeDisk;
  f.Closes++;
  FakeFiles::Open* o = f.Of(h);
  if (!o) return FALSE;
  o->Live = false;
  return !FakeFiles::Fails(f.Closes, f.FailCloseFrom, 1 << 30);
}

// Both data files closed and forgotten, names empty, settings at their start,
// and the seam on the fake with no files and no faults.
inline void ResetDataFiles() {
  if (!ReadFileName.Data) InitDataFileNames();
  FileSys = {FakeCreateFileA, FakeReadFile, FakeWriteFile, FakeSetFilePointer,
             FakeSetEndOfFile, FakeGetFileSize, FakeCloseHandle};
  FakeDisk = FakeFiles();
  ForgetDataFiles();
}

// The fake seam for the lifetime of a test; the real one afterwards.
class DataFilesTest : public testing::Test {
 protected:
  void SetUp() override { ResetDataFiles(); }
  void TearDown() override {
    for (BufferedFile* f : {&ReadFileState, &WriteFileState}) f->Handle = 0;
    FileSys = RealFileSys;
  }
};
