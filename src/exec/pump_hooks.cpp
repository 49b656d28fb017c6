// The pump entries that run before the main run installs its own.
#include "exec/pump_hooks.h"

static bool NoTimerTick() { return false; }
static void NoMessages(bool) {}
static void NoTicks(int32_t) {}
static void NoRefresh() {}
static bool NotPaused() { return false; }

const PumpHooks NoPump = {NoTimerTick, NoMessages, NoTicks, NoRefresh, NotPaused};
PumpHooks Pump = {NoTimerTick, NoMessages, NoTicks, NoRefresh, NotPaused};

int32_t LoopMessageCountdown = LoopMessageInterval;
int32_t DisplayCountdown = 4;
