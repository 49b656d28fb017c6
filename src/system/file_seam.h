// The file calls of the two data files: create, read, write, set pointer, set
// end, size and close. Tests replace entries to make any call fail or write
// short; everything else calls the system directly.
#pragma once
#include <windows.h>

struct FileSystemCalls {
  HANDLE(WINAPI* CreateFileA)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  BOOL(WINAPI* ReadFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
  BOOL(WINAPI* WriteFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
  DWORD(WINAPI* SetFilePointer)(HANDLE, LONG, PLONG, DWORD);
  BOOL(WINAPI* SetEndOfFile)(HANDLE);
  DWORD(WINAPI* GetFileSize)(HANDLE, LPDWORD);
  BOOL(WINAPI* CloseHandle)(HANDLE);
};

extern FileSystemCalls FileSys;
extern const FileSystemCalls RealFileSys;
