// Key presses and releases as the program sees them: key codes, the set of
// keys held down, the key ring, the pause, the lock keys and AltGr.
#include <windows.h>
#include "input/input_filter.h"
#include "input/input_ring.h"
#include "window/key_seam.h"
#include "input/keyboard_state.h"

const int32_t ExtendedKeyBit = 1 << 24;
const int32_t RightShiftScanCode = 0x36;

// Extended keys keep their own code (Enter, Ctrl and Alt get the right-hand
// codes); the same virtual keys unextended come from the keypad.
int32_t TranslateVirtualKey(WPARAM virtualKey, LPARAM lParam) {
  bool extended = (lParam & ExtendedKeyBit) != 0;
  int32_t vk = (int32_t)virtualKey;
  switch (vk) {
    case VK_CLEAR: return extended ? VK_CLEAR : VK_NUMPAD5;
    case VK_RETURN: return extended ? 173 : VK_RETURN;
    case VK_SHIFT: return ((lParam >> 16) & 0xFF) == RightShiftScanCode ? VK_RSHIFT : VK_SHIFT;
    case VK_CONTROL: return extended ? VK_RCONTROL : VK_CONTROL;
    case VK_MENU: return extended ? VK_RMENU : VK_MENU;
    case VK_PRIOR: return extended ? VK_PRIOR : VK_NUMPAD9;
    case VK_NEXT: return extended ? VK_NEXT : VK_NUMPAD3;
    case VK_END: return extended ? VK_END : VK_NUMPAD1;
    case VK_HOME: return extended ? VK_HOME : VK_NUMPAD7;
    case VK_LEFT: return extended ? VK_LEFT : VK_NUMPAD4;
    case VK_UP: return extended ? VK_UP : VK_NUMPAD8;
    case VK_RIGHT: return extended ? VK_RIGHT : VK_NUMPAD6;
    case VK_DOWN: return extended ? VK_DOWN : VK_NUMPAD2;
    case VK_INSERT: return extended ? VK_INSERT : VK_NUMPAD0;
    case VK_DELETE: return extended ? VK_DELETE : VK_DECIMAL;
    default: return vk;
  }
}

static bool IsKeyCode(int32_t code) { return (uint32_t)code < 256; }

static void SetKeyDown(int32_t code) {
  if (!IsKeyCode(code) || KeysDown[code]) return;
  KeysDown[code] = 1;
  KeysDownCount++;
}

static void ClearKeyDown(int32_t code) {
  if (!IsKeyCode(code) || !KeysDown[code]) return;
  KeysDown[code] = 0;
  KeysDownCount--;
}

// Alt and F10 would reach the window's system-menu handling; right Alt too,
// whose menu mode would hold the pump and with it the ticks.
static bool IsSwallowedKey(int32_t code) { return code == VK_MENU || code == VK_F10 || code == VK_RMENU; }

static void ReadLockState(int32_t code) {
  for (const LockKey& k : LockKeys)
    if (k.VirtualKey == code && !*k.Request) *k.State = KeySys.GetKeyState(code) & 1;
}

// AltGr arrives as a Ctrl press and then a right Alt press: that Ctrl leaves
// no trace unless Ctrl was held already.
static void DropAltGrCtrl() {
  if (KeyRing.IsEmpty() || KeyRing.Newest() != VK_CONTROL) return;
  KeyRing.DropNewest();
  if (!CtrlWasDown && KeysDown[VK_CONTROL]) ClearKeyDown(VK_CONTROL);
}

bool RecordKeyPress(WPARAM virtualKey, LPARAM lParam) {
  int32_t code = TranslateVirtualKey(virtualKey, lParam);
  if (PauseFlag) {
    PauseFlag = 0;
    return false;
  }
  switch (code) {
    case VK_CONTROL:
      CtrlWasDown = KeysDown[VK_CONTROL];
      break;
    case VK_PAUSE:
      PauseFlag = 1;
      return false;
    case VK_CAPITAL:
    case VK_INSERT:
    case VK_NUMLOCK:
    case VK_SCROLL:
      ReadLockState(code);
      break;
    case VK_RMENU:
      DropAltGrCtrl();
      break;
    default:
      break;
  }
  SetKeyDown(code);  // an auto-repeat does not count again
  KeyRing.Write(code);
  return IsSwallowedKey(code);
}

// With both Shift keys held the system may report one release for the two:
// once no Shift key is physically down, the other one is let go too.
bool RecordKeyRelease(WPARAM virtualKey, LPARAM lParam) {
  int32_t code = TranslateVirtualKey(virtualKey, lParam);
  ClearKeyDown(code);
  if (code == VK_SHIFT || code == VK_RSHIFT) {
    int32_t other = code == VK_SHIFT ? VK_RSHIFT : VK_SHIFT;
    if (KeysDown[other] && !(KeySys.GetAsyncKeyState(VK_SHIFT) & 0x8000)) ClearKeyDown(other);
    return false;
  }
  return IsSwallowedKey(code);
}
