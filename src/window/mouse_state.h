// The mouse position the program reads: screen and window pixels, and the
// field position (doubles, y upward) that the pump brings up to date.
#pragma once
#include <windows.h>
#include <stdint.h>

extern uint8_t MouseMoved;  // a mouse message arrived since the last tick
extern POINT MouseScreenPos;
extern POINT MouseWindowPos;  // client pixels of the current window
extern double MouseX, MouseY;

// The pump's last step: without a mouse message this tick the cursor is read;
// then the field position from the window position.
void UpdateMousePosition();
