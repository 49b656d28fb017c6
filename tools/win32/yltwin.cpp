// yltwin PROGRAM [close|ready|watch|input SCRIPT|dialogs SCRIPT|latency N|pixels] [TIMEOUT-MS] [CONTROLS|OPTIONS]:
// runs a Windows program, waits for
// its visible main window (class "YeltoProgClass"), prints the window's
// caption, status-bar text and graphics area, with close posts WM_CLOSE to it from this
// process, then waits for the program to end and prints its exit code and
// the milliseconds from start to the window's showing and to the end. A program still running at the
// timeout is ended and reported.
// With input the window is brought to the front and SCRIPT is played as real
// input (SendInput, SetCursorPos), words separated by spaces:
//   kVK[e]   press and release virtual key VK (decimal); e: an extended key
//   dVK[e], uVK[e]   press only, release only
//   mX,Y     move the pointer to client pixel (X, Y)
//   l, r     click the left or the right button where the pointer is
//   wMS      wait MS milliseconds
//   shot=FILE   save the client area as a 32-bit BMP (as pixels does)
// then the caption is polled until it starts with "done" (printed as
// "final [...]") and the window is closed.
// With latency N (a benchmark, not a test) N presses of the A key are sent
// one at a time, each stamped with QueryPerformanceCounter; the program is
// to show the number of keys it has read as its caption, and the time until
// the caption shows each new count is measured. Prints min, mean and max.
// With dialogs SCRIPT the program's modal dialogs are answered, words
// separated by spaces, '_' in a text standing for a space:
//   fCAPTION   wait for a shown dialog ("#32770") of the program with that caption
//   gID        print the text of item ID of that dialog ("item ID [text]")
//   tID=TEXT   set the text of item ID
//   sID=N      select line N of combo box ID, as a user's choice (the filter)
//   cID        click button ID
//   q          wait for the main window's caption to change, print it as final
// then the window is closed.
// With CONTROLS n, the child windows of the
// main window with control ids 1 to n are reported (shown or hidden): class,
// style and extended style; with ready, once the caption starts with "done",
// and then the window is closed.
// pixels reads the client area back (BitBlt from the window's device context
// into a 32-bit DIB section), then closes the window. Its options, in order
// of use: size=W,H gives the window a client area of W x H; after=MS waits
// that long first; shot=FILE.bmp saves the client area; X,Y prints
// "pixel X,Y RRGGBB" for that client pixel.
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

// Shift keys need their scan code: the system tells left from right by it.
static void SendKey(WORD vk, bool extended, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = vk == VK_RSHIFT ? 0x36 : (WORD)MapVirtualKeyA(vk, 0);
  in.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
  SendInput(1, &in, sizeof in);
}

static void SendButton(DWORD down, DWORD up) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = down;
  in[1].mi.dwFlags = up;
  SendInput(2, in, sizeof in[0]);
}

// Input goes to the foreground window; windows of other programs on the same
// display may take that place at any time, so it is asked for again before
// every word of a script.
static void BringToFront(HWND window) {
  for (int i = 0; i < 40 && GetForegroundWindow() != window; i++) {
    SetForegroundWindow(window);
    Sleep(50);
  }
}

static void SaveClient(HWND window, const char* path);

static void PlayInput(HWND window, const char* script) {
  BringToFront(window);
  Sleep(300);
  const char* p = script;
  while (*p) {
    while (*p == ' ') p++;
    if (!*p) break;
    BringToFront(window);
    if (strncmp(p, "shot=", 5) == 0) {
      char path[MAX_PATH];
      size_t n = strcspn(p + 5, " ");
      snprintf(path, sizeof path, "%.*s", (int)n, p + 5);
      SaveClient(window, path);
      p += 5 + n;
      continue;
    }
    char op = *p++;
    char* end;
    long a = strtol(p, &end, 10);
    p = end;
    if (op == 'k' || op == 'd' || op == 'u') {
      bool extended = *p == 'e';
      if (extended) p++;
      if (op != 'u') SendKey((WORD)a, extended, false);
      if (op != 'd') SendKey((WORD)a, extended, true);
    } else if (op == 'm') {
      long b = *p == ',' ? strtol(p + 1, &end, 10) : 0;
      p = end;
      POINT pt = {a, b};
      ClientToScreen(window, &pt);
      SetCursorPos(pt.x, pt.y);
    } else if (op == 'l') {
      SendButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    } else if (op == 'r') {
      SendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    } else if (op == 'w') {
      Sleep((DWORD)a);
    }
    while (*p && *p != ' ') p++;
    Sleep(30);
  }
}

// The caption once it starts with "done"; what it is at the timeout otherwise.
static void PrintFinalCaption(HWND window, DWORD timeout) {
  char text[512] = "";
  DWORD start = GetTickCount();
  do {
    GetWindowTextA(window, text, sizeof text);
    if (strncmp(text, "done", 4) == 0) break;
    Sleep(20);
  } while (GetTickCount() - start < timeout);
  printf("final [%s]\n", text);
}

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

// Keys at irregular spacing, so that they fall at every phase of the timer.
static void MeasureLatency(HWND window, int count, DWORD timeout) {
  BringToFront(window);
  Sleep(500);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  double least = 1e30, most = 0, sum = 0;
  int seen = 0;
  for (int i = 1; i <= count; i++) {
    char want[16], text[64];
    snprintf(want, sizeof want, "%d", i);
    LARGE_INTEGER sent, now;
    BringToFront(window);
    QueryPerformanceCounter(&sent);
    SendKey('A', false, false);
    SendKey('A', false, true);
    do {
      GetWindowTextA(window, text, sizeof text);
      QueryPerformanceCounter(&now);
      if (strcmp(text, want) == 0) break;
    } while (Milliseconds(sent, now, frequency) < timeout);
    if (strcmp(text, want) != 0) {
      printf("key %d not seen\n", i);
      break;
    }
    double ms = Milliseconds(sent, now, frequency);
    printf("key %d %.2f ms\n", i, ms);
    least = ms < least ? ms : least;
    most = ms > most ? ms : most;
    sum += ms;
    seen++;
    Sleep(40 + (i * 37) % 53);
  }
  if (seen) printf("latency min %.2f mean %.2f max %.2f ms over %d keys\n", least, sum / seen, most, seen);
}

// The client area as top-down 32-bit pixels 0x00RRGGBB.
struct ClientPixels {
  int Width, Height;
  unsigned* Bits;
  HBITMAP Bitmap;
};

static ClientPixels ReadClient(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  ClientPixels c = {r.right, r.bottom, nullptr, nullptr};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = c.Width;
  info.bmiHeader.biHeight = -c.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  c.Bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  c.Bits = (unsigned*)bits;
  HGDIOBJ old = SelectObject(memory, c.Bitmap);
  BitBlt(memory, 0, 0, c.Width, c.Height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return c;
}

static void SaveBitmap(const ClientPixels& c, const char* path) {
  FILE* f = fopen(path, "wb");
  if (!f) return;
  unsigned size = (unsigned)c.Width * c.Height * 4;
  BITMAPFILEHEADER h = {};
  BITMAPINFOHEADER info = {};
  h.bfType = 0x4D42;
  h.bfOffBits = sizeof h + sizeof info;
  h.bfSize = h.bfOffBits + size;
  info.biSize = sizeof info;
  info.biWidth = c.Width;
  info.biHeight = -c.Height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  fwrite(&h, sizeof h, 1, f);
  fwrite(&info, sizeof info, 1, f);
  fwrite(c.Bits, size, 1, f);
  fclose(f);
}

static void SaveClient(HWND window, const char* path) {
  ClientPixels c = ReadClient(window);
  SaveBitmap(c, path);
  DeleteObject(c.Bitmap);
}

static void SetClientSize(HWND window, int w, int h) {
  RECT r = {0, 0, w, h};
  AdjustWindowRectEx(&r, (DWORD)GetWindowLongA(window, GWL_STYLE), FALSE, (DWORD)GetWindowLongA(window, GWL_EXSTYLE));
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOMOVE);
}

// Other programs' windows may be open on the same display: the window goes
// to the top-left corner above them, and is painted again before each wait.
static void ProbePixels(HWND window, int argc, char** argv) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  for (int k = 0; k < argc; k++) {
    int x, y;
    if (sscanf(argv[k], "size=%d,%d", &x, &y) == 2) {
      SetClientSize(window, x, y);
    } else if (sscanf(argv[k], "after=%d", &x) == 1) {
      InvalidateRect(window, nullptr, TRUE);
      Sleep((DWORD)x);
    } else if (strncmp(argv[k], "shot=", 5) == 0) {
      SaveClient(window, argv[k] + 5);
    } else if (sscanf(argv[k], "%d,%d", &x, &y) == 2) {
      ClientPixels c = ReadClient(window);
      unsigned v = x >= 0 && y >= 0 && x < c.Width && y < c.Height ? c.Bits[y * c.Width + x] & 0xFFFFFF : 0;
      printf("pixel %d,%d %06X\n", x, y, v);
      DeleteObject(c.Bitmap);
    }
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
}

struct DialogSearch {
  DWORD ProcessId;
  const char* Caption;
  HWND Found;
};

static BOOL CALLBACK MatchDialog(HWND w, LPARAM p) {
  DialogSearch* s = (DialogSearch*)p;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char name[64], caption[256];
  if (pid == s->ProcessId && GetClassNameA(w, name, sizeof name) && strcmp(name, "#32770") == 0 &&
      IsWindowVisible(w) && GetWindowTextA(w, caption, sizeof caption) >= 0 && strcmp(caption, s->Caption) == 0) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

// A word's text up to the next space, with '_' for spaces.
static const char* TakeText(const char* p, char* out, size_t size) {
  size_t n = 0;
  for (; *p && *p != ' '; p++)
    if (n + 1 < size) out[n++] = *p == '_' ? ' ' : *p;
  out[n] = 0;
  return p;
}

static void AnswerDialogs(HWND window, DWORD pid, const char* script, DWORD timeout) {
  HWND dialog = nullptr;
  char start[512] = "";
  GetWindowTextA(window, start, sizeof start);
  const char* p = script;
  while (*p) {
    while (*p == ' ') p++;
    if (!*p) break;
    char op = *p++;
    char text[512];
    DWORD_PTR answer = 0;
    if (op == 'f') {
      p = TakeText(p, text, sizeof text);
      DialogSearch s = {pid, text, nullptr};
      DWORD begin = GetTickCount();
      while (!s.Found && GetTickCount() - begin < timeout) {
        EnumWindows(MatchDialog, (LPARAM)&s);
        if (!s.Found) Sleep(50);
      }
      dialog = s.Found;
      printf("dialog [%s] %s\n", text, dialog ? "found" : "missing");
      if (!dialog) return;
      Sleep(300);  // let it finish its initialisation
      continue;
    }
    if (op == 'q') {
      char now[512] = "";
      DWORD begin = GetTickCount();
      do {
        GetWindowTextA(window, now, sizeof now);
        if (strcmp(now, start) != 0) break;
        Sleep(20);
      } while (GetTickCount() - begin < timeout);
      printf("final [%s]\n", now);
      continue;
    }
    char* end;
    int id = (int)strtol(p, &end, 10);
    p = end;
    HWND item = dialog ? GetDlgItem(dialog, id) : nullptr;
    if (op == 'g') {
      text[0] = 0;
      if (item) SendMessageTimeoutA(item, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &answer);
      printf("item %d [%s]%s\n", id, text, item ? "" : " missing");
    } else if (op == 't' && *p == '=') {
      p = TakeText(p + 1, text, sizeof text);
      if (item) SendMessageTimeoutA(item, WM_SETTEXT, 0, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &answer);
    } else if (op == 's' && *p == '=') {
      int line = (int)strtol(p + 1, &end, 10);
      p = end;
      if (item) {
        SendMessageTimeoutA(item, CB_SETCURSEL, line, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)item, SMTO_ABORTIFHUNG,
                            5000, &answer);
      }
    } else if (op == 'c') {
      // The click runs the dialog's end, which does not answer until the
      // modal loop has left: posted, not sent.
      if (item) PostMessageA(item, BM_CLICK, 0, 0);
    }
    while (*p && *p != ' ') p++;
    Sleep(100);
  }
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
    fprintf(stderr, "usage: yltwin PROGRAM [close|ready|watch|input SCRIPT|dialogs SCRIPT|latency N|pixels] [TIMEOUT-MS] [CONTROLS|OPTIONS]\n");
    return 2;
  }
  bool close = argc > 2 && strcmp(argv[2], "close") == 0;
  bool ready = argc > 2 && strcmp(argv[2], "ready") == 0;
  const char* script = argc > 3 && strcmp(argv[2], "input") == 0 ? argv[3] : nullptr;
  const char* dialogs = argc > 3 && strcmp(argv[2], "dialogs") == 0 ? argv[3] : nullptr;
  int latencyKeys = argc > 3 && strcmp(argv[2], "latency") == 0 ? atoi(argv[3]) : 0;
  int timeoutArg = script || latencyKeys || dialogs ? 4 : 3;
  DWORD timeout = argc > timeoutArg ? (DWORD)atoi(argv[timeoutArg]) : 20000;
  bool pixels = argc > 2 && strcmp(argv[2], "pixels") == 0;
  int controls = !pixels && argc > timeoutArg + 1 ? atoi(argv[timeoutArg + 1]) : 0;
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
    if (script) {
      PlayInput(window, script);
      PrintFinalCaption(window, timeout);
    }
    // The main window may show before the program has made its windows and
    // controls: with ready they are reported once its caption says "done".
    if (ready) PrintFinalCaption(window, timeout);
    printf("enabled %d\n", IsWindowEnabled(window) ? 1 : 0);
    for (int id = 1; id <= controls; id++) ReportControl(window, id);
    if (latencyKeys) MeasureLatency(window, latencyKeys, timeout);
    if (dialogs) AnswerDialogs(window, pi.dwProcessId, dialogs, timeout);
    if (close || script || latencyKeys || ready || dialogs) PostMessageA(window, WM_CLOSE, 0, 0);
    if (pixels) ProbePixels(window, argc - 4, argv + 4);
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
