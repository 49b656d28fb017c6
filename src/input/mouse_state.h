// The mouse state the program reads: the buttons and their click latches,
// the position in screen and window pixels, and the field position (doubles,
// y upward) that the pump brings up to date.
#pragma once
#include <windows.h>
#include <stdint.h>

extern uint8_t MouseMoved;  // a mouse message arrived since the last tick
extern POINT MouseScreenPos;
extern POINT MouseWindowPos;  // client pixels of the current window
extern double MouseX, MouseY;
extern uint8_t MouseLeftDown, MouseRightDown;
extern uint8_t MouseLeftClick, MouseRightClick;              // a press since the last test
extern uint8_t MouseLeftDoubleClick, MouseRightDoubleClick;  // a double click since the last test

// Where the positions start: far outside every window.
const int32_t MouseUnknownPos = -100000;

// The start-up state: no button down, clicked or double-clicked, no move
// since the last tick, the positions unknown.
void ResetMouseState();

// The pump's last step: without a mouse message this tick the cursor is read;
// then the field position from the window position.
void UpdateMousePosition();
