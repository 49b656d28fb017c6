/* bare_controls N: a hidden top-level window with N buttons made by
   CreateWindowExA, then the window destroyed: the system's own cost of what
   the engine's benchmark program does. */
#include <windows.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  int n = argc > 1 ? atoi(argv[1]) : 0;
  WNDCLASSA c = {0};
  c.lpfnWndProc = DefWindowProcA;
  c.hInstance = GetModuleHandleA(NULL);
  c.lpszClassName = "BareBenchClass";
  RegisterClassA(&c);
  HWND w = CreateWindowExA(0x10001, "BareBenchClass", "", 0x06C80000, 16, 16, 568, 368, NULL, NULL, c.hInstance, NULL);
  for (int i = 1; i <= n; i++)
    CreateWindowExA(0, "Button", "", WS_CHILD | 0x00034000, 244, 172, 80, 24, w, (HMENU)(INT_PTR)(i + 1), c.hInstance,
                    NULL);
  DestroyWindow(w);
  return 0;
}
