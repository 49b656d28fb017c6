// The window ids the program's window elements work on, and dialog mode.
#include "controls/window_ids.h"

int32_t SelectedWindowId = -1;
int32_t CurrentWindowId;
int32_t FocusWindowId;
int32_t EscWindowId = -1;
uint8_t DialogMode;
uint8_t IgnoreNotifications;

void ResetWindowIds() {
  SelectedWindowId = EscWindowId = -1;
  CurrentWindowId = FocusWindowId = 0;
  DialogMode = 0;
  IgnoreNotifications = 0;
}
