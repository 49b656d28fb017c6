// Console mode: the main window hidden and the process's standard handles
// in use, a console allocated when the process has none.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"
#include "window/window_ids.h"  // the mode itself (ConsoleMode, InConsoleMode)

// The console calls; tests replace them to see the allocation path.
struct ConsoleSystemCalls {
  HANDLE(WINAPI* GetStdHandle)(DWORD);
  BOOL(WINAPI* AllocConsole)();
  BOOL(WINAPI* FreeConsole)();
};
extern ConsoleSystemCalls ConsoleSys;
extern const ConsoleSystemCalls RealConsoleSys;

extern uint8_t ConsoleAllocated;  // freed by the main run at its end
// -1 or 0: not taken yet.
extern HANDLE StdInputHandle, StdOutputHandle, StdErrorHandle;

// The start-up state: not in console mode, none allocated, no handle taken.
void ResetConsole();
// Frees the console start-up allocated, once; nothing when none was allocated.
void FreeProgramConsole();

void SwitchConsole(bool on);
// Nothing unless in console mode; the text in the OEM code page, no line end added.
void WriteStdOut(const Text& text);
void WriteStdErr(const Text& text);
// One read of the standard input in console mode, trailing CR and LF cut;
// the empty text outside console mode or when the read fails.
Text ReadStdIn();
