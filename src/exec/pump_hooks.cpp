// The pump entries that run before the main run installs its own, and the
// reset of the run state to how it starts.
#include "exec/pump_hooks.h"
#include "exec/calls.h"
#include "exec/interpreter.h"

static bool NoTimerTick() { return false; }
static void NoMessages(bool) {}
static void NoTicks(int32_t) {}
static void NoRefresh() {}
static bool NotPaused() { return false; }

const PumpHooks NoPump = {NoTimerTick, NoMessages, NoTicks, NoRefresh, NotPaused};
PumpHooks Pump = {NoTimerTick, NoMessages, NoTicks, NoRefresh, NotPaused};

int32_t LoopMessageCountdown = LoopMessageInterval;
int32_t DisplayCountdown = 4;

void ResetExecState() {
  ExecPointer = nullptr;
  ExecFlags = 0;
  CallDepthBudget = CallDepthLimit;
  Pump = NoPump;
  LoopMessageCountdown = LoopMessageInterval;
  DisplayCountdown = 4;
}
