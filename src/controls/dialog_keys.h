// The dialog keys among the program's controls, which the input filter hands
// on while the program shows controls.
#pragma once
#include <windows.h>

// Tab, Enter, Esc and the arrows among controls; true when handled.
bool HandleDialogKeys(const MSG* message);
