// Process entry: hands straight over to the start-up sequence.
#include <windows.h>
#include "startup/runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RuntimeMain();
}
