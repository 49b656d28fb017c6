// External programs: starting them, the directory changes that only the
// command interpreter knows, the interpreter fallback, and the elements.
#include "system/external_programs.h"
#include <windows.h>
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "base/process.h"
#include "system/data_files.h"
#include "window/main_window.h"

// False when the program does not start; waiting blocks the engine's only
// thread until it ends.
static bool StartProgram(const Text& commandLine, bool wait, uint32_t& code) {
  Text line = commandLine;
  line.MakeUnique();  // CreateProcessA may write into its command line
  STARTUPINFOA si;
  ZeroMemory(&si, sizeof si);
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  DWORD flags = CREATE_DEFAULT_ERROR_MODE | (wait ? 0 : DETACHED_PROCESS);
  if (!CreateProcessA(nullptr, (char*)line.Bytes(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &pi))
    return false;
  code = 0;
  if (wait) {
    DWORD exitCode = 0;
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &exitCode);
    code = exitCode;
  }
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
}

static uint32_t ChangeDirectory(const Text& path) {
  if (SetCurrentDirectoryA(path.Chars())) return 0;
  FileError = 1;
  return 1;
}

// "X:" or "cd" followed by a blank, a tab, a dot or a backslash.
static bool IsDriveChange(const Text& command) { return command.Length() == 2 && command.GetChar(1) == ':'; }
static bool IsCdCommand(const Text& command) {
  if (command.Length() <= 2) return false;
  uint8_t c = command.GetChar(0), d = command.GetChar(1), third = command.GetChar(2);
  return (c == 'c' || c == 'C') && (d == 'd' || d == 'D') &&
         (third == ' ' || third == '\t' || third == '.' || third == '\\');
}

// The command after "/c" with no blank between, as the interpreter takes it.
static Text InterpreterCommand(const Text& command) {
  char dir[1024];
  UINT n = GetWindowsDirectoryA(dir, sizeof dir);
  Text line(dir, n < sizeof dir ? (int32_t)n : 0);
  line.AppendChars(WindowsVersion > 0 ? "\\system32\\cmd.exe /c" : "\\command.com /c");
  line.Append(command);
  return line;
}

uint32_t RunExternalProgram(const Text& given, bool wait) {
  Text command = given;
  command.TrimLeft();
  if (command.Length() == 0) return 0;
  uint32_t code;
  if (StartProgram(command, wait, code)) return code;
  if (IsDriveChange(command)) return ChangeDirectory(command);
  if (IsCdCommand(command)) {
    Text path = command.Mid(2, command.Length() - 2);
    path.TrimLeft();
    path.TrimRight();
    return ChangeDirectory(path);
  }
  if (StartProgram(InterpreterCommand(command), wait, code)) return code;
  FileError = 1;
  return 1;
}

// Text operand, a command started without waiting.
void ExecCmdRunProgram() {
  Text t;
  RunValue(t);
  RunExternalProgram(t, false);
  UpdateConsoleTitle();
}

// Text operand, a command run to its end; its exit code is dropped.
void ExecCmdRunProgramWait() {
  Text t;
  RunValue(t);
  RunExternalProgram(t, true);
  UpdateConsoleTitle();
}

// Text operand, a command run to its end: its exit code, unsigned; 1 when it
// cannot be started.
double ExecNumRunProgramWait() {
  Text t;
  RunValue(t);
  uint32_t code = RunExternalProgram(t, true);
  UpdateConsoleTitle();
  return code;
}
