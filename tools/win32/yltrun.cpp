// yltrun PROGRAM [ARGS...]: runs a Windows program, waits for it and prints
// its full 32-bit exit code ("exit code N"), which a Unix exit status cuts
// to one byte. With YLTRUN_TEMP set, the program's TMP and TEMP name that
// folder (Wine sets them from its registry, so the caller cannot).
#include <windows.h>
#include <stdio.h>
#include <string>

static void AppendQuoted(std::string& line, const char* arg) {
  if (!line.empty()) line += ' ';
  line += '"';
  for (const char* p = arg; *p; p++) {
    if (*p == '"') line += '\\';
    line += *p;
  }
  line += '"';
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: yltrun PROGRAM [ARGS...]\n");
    return 2;
  }
  char temp[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("YLTRUN_TEMP", temp, sizeof temp);
  if (n > 0 && n < sizeof temp) {
    SetEnvironmentVariableA("TMP", temp);
    SetEnvironmentVariableA("TEMP", temp);
  }
  std::string line;
  for (int i = 1; i < argc; i++) AppendQuoted(line, argv[i]);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    fprintf(stderr, "yltrun: cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 2;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  printf("exit code %lu\n", code);
  fflush(stdout);
  return (int)code;
}
