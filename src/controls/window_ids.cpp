// The window ids the program's window elements work on.
#include "controls/window_ids.h"

int32_t CurrentWindowId;
int32_t FocusWindowId;
uint8_t IgnoreNotifications;
