// The one system call that makes a font, replaceable by tests that need it
// to fail; everything else calls the system directly.
#pragma once
#include <windows.h>

struct FontSystemCalls {
  HFONT(WINAPI* CreateFontA)(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                             LPCSTR);
};

extern FontSystemCalls FontSys;
extern const FontSystemCalls RealFontSys;
