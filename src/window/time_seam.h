// The calls that tie the run to real time and the real cursor: the window
// timer, the blocking take of the next message, the look for a waiting timer
// message, the cursor position and the millisecond clock. Tests replace
// entries to run on a virtual clock; everything else calls the system
// directly.
#pragma once
#include <windows.h>

struct TimeSystemCalls {
  UINT_PTR(WINAPI* SetTimer)(HWND, UINT_PTR, UINT, TIMERPROC);
  BOOL(WINAPI* KillTimer)(HWND, UINT_PTR);
  BOOL(WINAPI* GetMessageA)(LPMSG, HWND, UINT, UINT);
  BOOL(WINAPI* PeekMessageA)(LPMSG, HWND, UINT, UINT, UINT);
  BOOL(WINAPI* GetCursorPos)(LPPOINT);
  DWORD(WINAPI* GetTickCount)();
};

extern TimeSystemCalls TimeSys;
extern const TimeSystemCalls RealTimeSys;
