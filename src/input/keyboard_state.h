// The keyboard state the engine keeps for the program: keys held down, the
// lock keys' states and pending change requests, and the pause.
#pragma once
#include <stdint.h>

extern uint8_t KeysDown[256];
extern int32_t KeysDownCount;
extern uint8_t CtrlWasDown;  // Ctrl was already held when the last Ctrl press came
extern uint8_t NumLockState, CapsLockState, ScrollLockState, InsertState;
extern uint8_t NumLockRequest, CapsLockRequest, ScrollLockRequest, InsertRequest;
extern uint8_t PauseFlag;

// One lock key: its virtual key, its state and its request byte.
struct LockKey {
  int32_t VirtualKey;
  uint8_t* State;
  uint8_t* Request;
};
// Num Lock, Caps Lock, Scroll Lock, Insert: the order the pump applies requests.
const int LockKeyCount = 4;
extern const LockKey LockKeys[LockKeyCount];

// When the main window gets the focus: no key is held, and every lock key
// without a pending request takes its state from the system.
void ResetKeyboardState();
// The start-up state: no key held or recorded in the rings, every lock key
// off with no request, no pause.
void ClearKeyboardState();
