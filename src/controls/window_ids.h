// The window ids the program's window elements work on.
#pragma once
#include <stdint.h>

extern int32_t CurrentWindowId;      // live top-level entry the window elements address
extern int32_t FocusWindowId;        // entry that had the focus last
extern uint8_t IgnoreNotifications;  // the program is changing a control itself
