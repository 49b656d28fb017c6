// The keyboard state kept for the program.
#include "input/keyboard_state.h"
#include <windows.h>
#include "input/input_ring.h"
#include "window/key_seam.h"
#include <string.h>

uint8_t KeysDown[256];
int32_t KeysDownCount;
uint8_t CtrlWasDown;
uint8_t NumLockState, CapsLockState, ScrollLockState, InsertState;
uint8_t NumLockRequest, CapsLockRequest, ScrollLockRequest, InsertRequest;
uint8_t PauseFlag;

const LockKey LockKeys[LockKeyCount] = {
    {VK_NUMLOCK, &NumLockState, &NumLockRequest},
    {VK_CAPITAL, &CapsLockState, &CapsLockRequest},
    {VK_SCROLL, &ScrollLockState, &ScrollLockRequest},
    {VK_INSERT, &InsertState, &InsertRequest},
};

void ResetKeyboardState() {
  memset(KeysDown, 0, sizeof KeysDown);
  KeysDownCount = 0;
  for (const LockKey& k : LockKeys)
    if (!*k.Request) *k.State = KeySys.GetKeyState(k.VirtualKey) & 1;
}

void ClearKeyboardState() {
  memset(KeysDown, 0, sizeof KeysDown);
  KeysDownCount = 0;
  CtrlWasDown = 0;
  for (const LockKey& k : LockKeys) *k.State = *k.Request = 0;
  PauseFlag = 0;
  KeyRing = InputRing();
  CharRing = InputRing();
}
