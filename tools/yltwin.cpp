// yltwin PROGRAM [close|watch] [TIMEOUT-MS] [CONTROLS]: runs a Windows program, waits for
// its visible main window (class "YeltoProgClass"), prints the window's
// caption, status-bar text and graphics area, with close posts WM_CLOSE to it from this
// process, then waits for the program to end and prints its exit code and
// the milliseconds from start to the window's showing and to the end. A program still running at the
// timeout is ended and reported. With CONTROLS n, the child windows of the
// main window with control ids 1 to n are reported first (shown or hidden):
// class, style and extended style.
#include <windows.h>
#include <stdio.h>
#include <string.h>

struct Search {
  DWORD ProcessId;
  HWND Found;
};

static BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
  Search* s = (Search*)p;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char name[64];
  if (pid == s->ProcessId && GetClassNameA(w, name, sizeof name) && strcmp(name, "YeltoProgClass") == 0 &&
      IsWindowVisible(w)) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

static HWND WaitForWindow(HANDLE process, DWORD pid, DWORD timeout) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout) {
    Search s = {pid, nullptr};
    EnumWindows(MatchWindow, (LPARAM)&s);
    if (s.Found) return s.Found;
    if (WaitForSingleObject(process, 20) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

// One line per control id; GetDlgItem finds hidden children too.
static void ReportControl(HWND window, int id) {
  HWND c = GetDlgItem(window, id);
  if (!c) {
    printf("control %d none\n", id);
    return;
  }
  char name[64] = {};
  GetClassNameA(c, name, sizeof name);
  // WM_GETFONT is not answered across processes under Wine, so the fonts
  // are not reported.
  printf("control %d class=%s style=%08lx exstyle=%08lx visible=%d\n", id, name,
         (unsigned long)GetWindowLongA(c, GWL_STYLE), (unsigned long)GetWindowLongA(c, GWL_EXSTYLE),
         IsWindowVisible(c) ? 1 : 0);
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: yltwin PROGRAM [close|watch] [TIMEOUT-MS] [CONTROLS]\n");
    return 2;
  }
  bool close = argc > 2 && strcmp(argv[2], "close") == 0;
  DWORD timeout = argc > 3 ? (DWORD)atoi(argv[3]) : 20000;
  int controls = argc > 4 ? atoi(argv[4]) : 0;
  char line[1024];
  snprintf(line, sizeof line, "\"%s\"", argv[1]);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  DWORD start = GetTickCount();
  if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    fprintf(stderr, "yltwin: cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 2;
  }
  HWND window = WaitForWindow(pi.hProcess, pi.dwProcessId, timeout);
  if (window) {
    printf("shown %lu ms\n", GetTickCount() - start);
    char text[512];
    GetWindowTextA(window, text, sizeof text);
    printf("caption [%s]\n", text);
    HWND bar = GetDlgItem(window, 12524);
    text[0] = 0;
    // The bar keeps its text itself; GetWindowTextA across processes would
    // read only the system's copy, which the bar never sets.
    if (bar) SendMessageA(bar, WM_GETTEXT, sizeof text, (LPARAM)text);
    printf("status [%s] %s\n", text, bar && IsWindowVisible(bar) ? "shown" : "hidden");
    // The client area less a shown bar: what the program's graphics get.
    RECT client = {}, barRect = {};
    GetClientRect(window, &client);
    if (bar && IsWindowVisible(bar)) GetWindowRect(bar, &barRect);
    printf("area %ldx%ld\n", client.right - client.left, client.bottom - client.top - (barRect.bottom - barRect.top));
    printf("enabled %d\n", IsWindowEnabled(window) ? 1 : 0);
    for (int id = 1; id <= controls; id++) ReportControl(window, id);
    if (close) PostMessageA(window, WM_CLOSE, 0, 0);
  } else {
    printf("no window\n");
  }
  if (WaitForSingleObject(pi.hProcess, timeout) != WAIT_OBJECT_0) {
    printf("still running\n");
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  printf("elapsed %lu ms\n", GetTickCount() - start);
  printf("exit code %lu\n", code);
  fflush(stdout);
  return 0;
}
