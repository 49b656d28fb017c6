// The window ids the program's window elements work on, and the main window's
// modes.
#include "window/window_ids.h"

int32_t SelectedWindowId = -1;
int32_t CurrentWindowId;
int32_t FocusWindowId;
int32_t EscWindowId = -1;
uint8_t DialogMode;
uint8_t IgnoreNotifications;
uint8_t FullScreen;
uint8_t ConsoleMode;

void ResetWindowIds() {
  SelectedWindowId = EscWindowId = -1;
  CurrentWindowId = FocusWindowId = 0;
  DialogMode = 0;
  IgnoreNotifications = 0;
}
