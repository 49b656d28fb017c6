// The tick and its services in their order, the message pump with its input
// filter, and the waits. Time comes only from the main window's timer.
#include "window/main_run.h"
#include "exec/interpreter.h"
#include "exec/pump_hooks.h"
#include "window/joystick_state.h"
#include "window/keyboard_state.h"
#include "window/later_services.h"
#include "window/mouse_state.h"
#include "window/time_seam.h"

void RunTimerTick() {
  MouseMoved = 0;
  AgeJoystickPolls();
  ServiceWaveOutput();
  ServiceMusic();
  ServiceCdAudio();
  if (FileIdleTicks > 0 && --FileIdleTicks == 0) CloseFiles();
  if (PauseFlag) return;
  MoveSprites();
  AnimateSprites();
  if (--DisplayCountdown <= 0) RefreshDisplay();
}

void SetKeyToggle(int32_t virtualKey, bool on) {
  BYTE state[256];
  GetKeyboardState(state);
  if (on)
    state[virtualKey & 0xFF] |= 1;
  else
    state[virtualKey & 0xFF] &= ~1;
  SetKeyboardState(state);
}

void ApplyLockKeyRequests() {
  for (const LockKey& k : LockKeys) {
    if (!*k.Request) continue;
    *k.Request = 0;
    SetKeyToggle(k.VirtualKey, *k.State != 0);
  }
}

// wait: one tick now, then block until the next timer message (which runs no
// second tick); then drain the queue, a tick for every further timer message.
// WM_QUIT sets the quit flag and ends the pump at once.
void PumpMessages(bool wait) {
  ApplyLockKeyRequests();
  if (wait) {
    RunTimerTick();
    RefreshDisplay();
  }
  MSG m;
  for (;;) {
    if (wait)
      TimeSys.GetMessageA(&m, nullptr, 0, 0);
    else if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
      break;
    if (m.message == WM_TIMER) {
      if (!wait) RunTimerTick();
      wait = false;
      LoopMessageCountdown = LoopMessageInterval;
    } else if (m.message == WM_QUIT) {
      ExecFlags |= ExecFlagQuit;
      return;
    }
    if (!FilterInputMessage(&m)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  UpdateMousePosition();
}

// n ticks, and beyond them as long as the program is paused; any flag ends it.
void WaitTicks(int32_t n) {
  for (;; n--) {
    if (n < 1 && !PauseFlag) return;
    if (ExecFlags) return;
    PumpMessages(true);
  }
}

bool IsTimerTickPending() {
  MSG m;
  return TimeSys.PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE) != 0;
}

bool IsPaused() { return PauseFlag != 0; }

void InstallPump() { Pump = {IsTimerTickPending, PumpMessages, WaitTicks, RefreshDisplay, IsPaused}; }
