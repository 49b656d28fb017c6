// Console mode on and off, writing the standard output and error, reading
// the standard input, and the console elements.
#include "system/console.h"
#include "base/memory.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "graphics/display_refresh.h"

const ConsoleSystemCalls RealConsoleSys = {GetStdHandle, AllocConsole, FreeConsole};
ConsoleSystemCalls ConsoleSys = RealConsoleSys;

uint8_t ConsoleAllocated;
HANDLE StdInputHandle = INVALID_HANDLE_VALUE;
HANDLE StdOutputHandle = INVALID_HANDLE_VALUE;
HANDLE StdErrorHandle = INVALID_HANDLE_VALUE;

void ResetConsole() {
  ConsoleMode = ConsoleAllocated = 0;
  StdInputHandle = StdOutputHandle = StdErrorHandle = INVALID_HANDLE_VALUE;
}

void FreeProgramConsole() {
  if (!ConsoleAllocated) return;
  ConsoleAllocated = 0;
  ConsoleSys.FreeConsole();
}

static bool Missing(HANDLE h) { return h == INVALID_HANDLE_VALUE || h == nullptr; }

static void TakeStdHandles(bool all) {
  if (all || Missing(StdInputHandle)) StdInputHandle = ConsoleSys.GetStdHandle(STD_INPUT_HANDLE);
  if (all || Missing(StdOutputHandle)) StdOutputHandle = ConsoleSys.GetStdHandle(STD_OUTPUT_HANDLE);
  if (all || Missing(StdErrorHandle)) StdErrorHandle = ConsoleSys.GetStdHandle(STD_ERROR_HANDLE);
}

void SwitchConsole(bool on) {
  if ((uint8_t)on == ConsoleMode) return;
  ConsoleMode = on;
  if (on) {
    if (MainWindowShown) {
      MainWindowShown = 0;
      ShowWindow(MainWindow, SW_HIDE);
    }
    TakeStdHandles(false);
    if (Missing(StdInputHandle) || Missing(StdOutputHandle) || Missing(StdErrorHandle)) {
      if (ConsoleSys.AllocConsole()) ConsoleAllocated = 1;
      TakeStdHandles(true);
    }
    UpdateConsoleTitle();
  } else if (!MainWindowShown) {
    // The console stays allocated.
    MainWindowShown = 1;
    WindowItem::OnResize(0);
    ShowWindow(MainWindow, SW_SHOW);
    SetFocus(MainWindow);
  }
}

static void WriteConsoleText(HANDLE handle, const Text& text) {
  if (!ConsoleMode) return;
  int32_t n = text.Length();
  char* buffer = (char*)MemAlloc(n + 1);
  CharToOemBuffA(text.Chars(), buffer, (DWORD)n);
  DWORD written;
  WriteFile(handle, buffer, (DWORD)n, &written, nullptr);
  MemFree(buffer);
}

void WriteStdOut(const Text& text) { WriteConsoleText(StdOutputHandle, text); }
void WriteStdErr(const Text& text) { WriteConsoleText(StdErrorHandle, text); }

Text ReadStdIn() {
  if (!ConsoleMode) return Text();
  const int32_t BufferSize = 8192;
  char* buffer = (char*)MemAlloc(BufferSize);
  DWORD n = 0;
  Text t;
  if (ReadFile(StdInputHandle, buffer, BufferSize - 1, &n, nullptr)) {
    OemToCharBuffA(buffer, buffer, n);
    while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n')) n--;
    t.AssignBytes(buffer, (int32_t)n);
  }
  MemFree(buffer);
  return t;
}

// No operand: console mode on when off, off when on.
void ExecCmdConsoleToggle() { SwitchConsole(!ConsoleMode); }

// Console mode on or off.
uint8_t ExecBoolConsoleMode() { return ConsoleMode; }

// Text operand, written to the standard output in console mode.
void ExecCmdConsoleOut() {
  Text t;
  RunValue(t);
  WriteStdOut(t);
}

// Text operand, written to the standard error in console mode.
void ExecCmdConsoleErr() {
  Text t;
  RunValue(t);
  WriteStdErr(t);
}

// One read of the standard input in console mode, else the empty text.
void ExecTextConsoleIn(Text& r) { r = ReadStdIn(); }
