// The system calls that show modal dialogs, replaceable by tests that answer
// them without a user.
#pragma once
#include <windows.h>
#include <commdlg.h>

struct DialogSystemCalls {
  int(WINAPI* MessageBoxA)(HWND, LPCSTR, LPCSTR, UINT);
  INT_PTR(WINAPI* DialogBoxParamA)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
  BOOL(WINAPI* GetOpenFileNameA)(LPOPENFILENAMEA);
  BOOL(WINAPI* GetSaveFileNameA)(LPOPENFILENAMEA);
};

extern DialogSystemCalls DialogSys;
extern const DialogSystemCalls RealDialogSys;
