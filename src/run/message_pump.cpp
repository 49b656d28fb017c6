// The tick and its services in their order, the message pump with its input
// filter, and the waits. Time comes only from the main window's timer.
#include "run/main_run.h"
#include "exec/interpreter.h"
#include "exec/pump_hooks.h"
#include "input/input_filter.h"
#include "input/joystick_state.h"
#include "input/keyboard_state.h"
#include "input/mouse_state.h"
#include "window/time_seam.h"
#include "base/process.h"
#include "audio/cd_audio.h"
#include "audio/mixer.h"
#include "audio/music_player.h"
#include "graphics/display_refresh.h"
#include "graphics/sprite_motion.h"
#include "system/data_files.h"

int32_t TimerTicksRun;

void RunTimerTick() {
  TimerTicksRun++;
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
      NoteTimerMessageTaken();
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

// The loops' look for a waiting timer message is a system call; under Wine it
// costs tens of microseconds, more than the 50 iterations between two looks
// of a tight loop. So the look is gated by the millisecond clock:
// - After a timer message was taken (or the timer started) the next one is
//   due a period later, and none can be waiting for nearly that long: there
//   is no look until TimerLookSlack before it is due. The slack covers the
//   clock's granularity and a take that came late: the timer keeps its own
//   schedule, so the next message can come less than a period after a late
//   take.
// - From then on a look that finds nothing waits for the clock to move on:
//   by TimerLookStep while the message is not due for longer than that, then
//   by a millisecond, until the message comes.
// A waiting timer message is thus still pumped at the first check after the
// clock has reached its due time (within about a millisecond), and a tight
// loop pays a clock read per 50 iterations and about ten looks per period.
// Until the main run starts its timer every check looks.
bool TimerLookGated;
static DWORD TimerDueAt;     // clock reading at which the next timer message is due
static DWORD TimerLookFrom;  // clock reading from which the next look is made

void ResetMessagePump() {
  TimerTicksRun = 0;
  TimerLookGated = false;
  TimerDueAt = TimerLookFrom = 0;
}

static void ExpectTimerMessage() {
  TimerDueAt = TimeSys.GetTickCount() + (DWORD)TimerPeriod;
  TimerLookFrom = TimerDueAt - TimerLookSlack;
}

void NoteTimerStarted() {
  TimerLookGated = true;
  ExpectTimerMessage();
}

void NoteTimerMessageTaken() {
  if (TimerLookGated) ExpectTimerMessage();
}

bool LoopTimerTickPending() {
  if (!TimerLookGated) return IsTimerTickPending();
  DWORD now = TimeSys.GetTickCount();
  if ((int32_t)(now - TimerLookFrom) < 0) return false;
  if (IsTimerTickPending()) return true;
  TimerLookFrom = now + ((int32_t)(TimerDueAt - now) > (int32_t)TimerLookStep ? TimerLookStep : 1);
  return false;
}

bool IsPaused() { return PauseFlag != 0; }

void InstallPump() { Pump = {LoopTimerTickPending, PumpMessages, WaitTicks, RefreshDisplay, IsPaused}; }
