// What loops and waits ask of the main run: the message pump, timed waits,
// the display refresh and the pause state. The main run installs its own
// functions in Pump; until then, and in tests, these entries are what runs.
#pragma once
#include <stdint.h>

struct PumpHooks {
  bool (*IsTimerTickPending)();      // a timer message waits in the queue (not removed)
  void (*PumpMessages)(bool wait);   // handle pending messages; wait: block for one first
  void (*WaitTicks)(int32_t ticks);  // pump until that many ticks have passed
  void (*RefreshDisplay)();          // show the display now (sets DisplayCountdown to 4)
  bool (*IsPaused)();                // the program is held by the Pause key
};

extern PumpHooks Pump;
// The entries Pump starts with: no queue, no ticks, never paused.
extern const PumpHooks NoPump;

// Iterations of while and repeat loops until the next look at the queue, and
// ticks until the next periodic refresh. The main run resets and counts them.
const int32_t LoopMessageInterval = 50;
extern int32_t LoopMessageCountdown;
extern int32_t DisplayCountdown;
