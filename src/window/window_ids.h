// The window ids the program's window elements work on, and the main window's
// modes: dialog, full screen and console.
#pragma once
#include <stdint.h>

extern int32_t SelectedWindowId;     // item the window elements act on; -1 for none
extern int32_t CurrentWindowId;      // live top-level entry that owns new items
extern int32_t FocusWindowId;        // entry that had the focus last
extern int32_t EscWindowId;          // item the Esc key clicks; -1 for none
extern uint8_t DialogMode;           // the main window holds controls
extern uint8_t IgnoreNotifications;  // the program is changing a control itself
extern uint8_t FullScreen;           // the main window covers the screen (graphics/full_screen.h)
extern uint8_t ConsoleMode;          // the main window hidden, standard handles in use (system/console.h)

inline bool InDialogMode() { return DialogMode != 0; }
inline bool InFullScreen() { return FullScreen != 0; }
inline bool InConsoleMode() { return ConsoleMode != 0; }

// The start-up state: nothing selected and no Esc item, the main window
// current and focused, no dialog mode, notifications heard.
void ResetWindowIds();
