// The keyboard elements: keys held, the key and character rings with their
// waits, and the four lock keys.
#include "base/text.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "exec/pump_hooks.h"
#include "input/input_ring.h"
#include "input/keyboard_state.h"
#include "window/window_ids.h"

// Key code k: 19 is the pause; 0 means no key held and not paused; codes
// outside 0..255 are never down.
uint8_t ExecBoolKeyDown() {
  int32_t k = EvalNextInt();
  if (k == VK_PAUSE) return PauseFlag;
  if ((uint32_t)k > 255) return 0;
  if (k == 0) return KeysDownCount == 0 && !PauseFlag;
  return KeysDown[k];
}

// The oldest key code, taken out; 0 when none waits.
double ExecNumKeyVkey() { return KeyRing.Read(); }

// The oldest typed character as a text; empty when none waits (or for 0).
void ExecTextKeyChar(Text& r) { r.AssignChar((uint8_t)CharRing.Read()); }

// Tick by tick until the ring has an entry; any execution flag ends the wait,
// and a console program never waits.
static void WaitForEntry(const InputRing& ring) {
  while (!ExecFlags && ring.IsEmpty() && !InConsoleMode()) Pump.WaitTicks(1);
}

// No operand: waits for a key, then drops it.
void ExecCmdWaitKey() {
  WaitForEntry(KeyRing);
  KeyRing.Read();
}

// The key that ended the wait; 0 when the wait ended without one.
double ExecNumWaitKey() {
  WaitForEntry(KeyRing);
  return KeyRing.Read();
}

// No operand: waits for a character, then drops it.
void ExecCmdWaitChar() {
  WaitForEntry(CharRing);
  CharRing.Read();
}

// The character that ended the wait; the empty text without one.
void ExecTextWaitChar(Text& r) {
  WaitForEntry(CharRing);
  r.AssignChar((uint8_t)CharRing.Read());
}

// No operand: both rings emptied; keys held stay held.
void ExecCmdFlushKeys() {
  KeyRing.Flush();
  CharRing.Flush();
}

// The logic operand becomes the state; the next pump sets the key to it.
static void RequestLockState(uint8_t& state, uint8_t& request) {
  state = RunBool() != 0;
  request = 1;
}

// A logic operand each: the state to set Num Lock, Caps Lock, Scroll Lock, Insert to.
void ExecCmdSetNumLock() { RequestLockState(NumLockState, NumLockRequest); }
void ExecCmdSetCapsLock() { RequestLockState(CapsLockState, CapsLockRequest); }
void ExecCmdSetScrollLock() { RequestLockState(ScrollLockState, ScrollLockRequest); }
void ExecCmdSetInsert() { RequestLockState(InsertState, InsertRequest); }

// No operand: the lock states as last read or requested.
uint8_t ExecBoolNumLock() { return NumLockState; }
uint8_t ExecBoolCapsLock() { return CapsLockState; }
uint8_t ExecBoolScrollLock() { return ScrollLockState; }
uint8_t ExecBoolInsert() { return InsertState; }
