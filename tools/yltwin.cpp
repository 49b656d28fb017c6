// yltwin PROGRAM [close|watch|pixels] [TIMEOUT-MS] [OPTIONS]: runs a Windows
// program, waits for its visible main window (class "YeltoProgClass"), prints
// the window's caption, status-bar text and graphics area, with close posts
// WM_CLOSE to it from this process, then waits for the program to end and
// prints its exit code and the milliseconds from start to the window's
// showing and to the end. A program still running at the timeout is ended
// and reported.
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
      ClientPixels c = ReadClient(window);
      SaveBitmap(c, argv[k] + 5);
      DeleteObject(c.Bitmap);
    } else if (sscanf(argv[k], "%d,%d", &x, &y) == 2) {
      ClientPixels c = ReadClient(window);
      unsigned v = x >= 0 && y >= 0 && x < c.Width && y < c.Height ? c.Bits[y * c.Width + x] & 0xFFFFFF : 0;
      printf("pixel %d,%d %06X\n", x, y, v);
      DeleteObject(c.Bitmap);
    }
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
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

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: yltwin PROGRAM [close|watch|pixels] [TIMEOUT-MS] [OPTIONS]\n");
    return 2;
  }
  bool close = argc > 2 && strcmp(argv[2], "close") == 0;
  DWORD timeout = argc > 3 ? (DWORD)atoi(argv[3]) : 20000;
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
    if (close) PostMessageA(window, WM_CLOSE, 0, 0);
    if (argc > 2 && strcmp(argv[2], "pixels") == 0) ProbePixels(window, argc - 4, argv + 4);
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
