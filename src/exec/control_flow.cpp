// Control flow: command groups, if, while, repeat, break, exit and the waits,
// with the loops' looks at the message queue and the display.
#include "exec/interpreter.h"
#include "exec/exec_functions.h"
#include "exec/eval_next.h"
#include "exec/pump_hooks.h"
#include "exec/number_operand.h"
#include "exec/number_loops.h"

ExecItem* ExecPointer;
uint32_t ExecFlags;

// The step that does nothing: an empty command group.
void DoNothing() {}

void ExecCmdSequence() { RunMembers(OwnStep()); }

// A loop's body; the members of a command group run in place.
static inline void RunBody() {
  ExecItem* p = ExecPointer;
  if (p->Exec != EXEC_FN(Cmd, ExecCmdSequence)) {
    RunGroup();
    return;
  }
  ExecPointer = p + 1;
  RunMembers(*p);
}

void ExecCmdSingle() { RunSingle(); }

// Condition, then group, else group; the group not run is skipped. A
// comparison of two numbers runs in place.
void ExecCmdIf() {
  if (RunCondition()) {
    RunGroup();
    SkipAtPointer();
  } else {
    SkipAtPointer();
    RunGroup();
  }
}

// Every 50 iterations: when a timer message waits, handle the messages and
// stay while the program is paused. The countdown is run in the loop itself;
// the rest is out of line, so that a tight loop keeps its registers.
static __attribute__((noinline)) void LoopMessageLook() {
#ifdef YELTO_NO_LOOP_POLL
  // The benchmark's twin without the look: it counts down like the engine,
  // and its loops stay as they are, but it never looks.
  LoopMessageCountdown = INT32_MAX;
  return;
#endif
  LoopMessageCountdown = LoopMessageInterval;
  if (!Pump.IsTimerTickPending()) return;
  Pump.PumpMessages(false);
  while (Pump.IsPaused() && ExecFlags == 0) Pump.WaitTicks(1);
}

static inline __attribute__((always_inline)) void LoopMessageCheck() {
  if (--LoopMessageCountdown <= 0) LoopMessageLook();
}

// The first tick a loop notices arms the check; each later one forces a refresh.
struct LoopRefresh {
  int32_t Last;   // DisplayCountdown when last looked at
  bool Noticed;  // a tick was noticed before
};

static __attribute__((noinline)) void LoopRefreshNotice(LoopRefresh& r) {
  if (r.Noticed) {
    DisplayCountdown = 0;
    Pump.RefreshDisplay();
  }
  r.Last = DisplayCountdown;
  r.Noticed = true;
}

static inline __attribute__((always_inline)) void LoopRefreshCheck(LoopRefresh& r) {
  if (DisplayCountdown != r.Last) LoopRefreshNotice(r);
}

// After each run of a loop's body: a flag the body set ends the loop, which
// clears break only (quit and return go on unwinding); otherwise the checks.
static inline __attribute__((always_inline)) bool LoopEnds(LoopRefresh& refresh) {
  if (ExecFlags) {
    ExecFlags &= ~ExecFlagBreak;
    return true;
  }
  LoopMessageCheck();
  LoopRefreshCheck(refresh);
  return false;
}

// The while loop decoded: as the steps run it, with the body's members
// skipped when a flag is set before them (a pure body sets none itself). The
// looks may change the numbers' list, and then the addresses are worked out
// again.
static void RunNumberLoop(NumberLoop& loop, const ExecItem* condition, ExecItem* end) {
  LoopRefresh refresh = {DisplayCountdown, false};
  while (RunDecodedCondition(loop)) {
    if (ExecFlags == 0) RunDecodedOps(loop, loop.ConditionOps, loop.OpCount);
    if (ExecFlags) {
      ExecFlags &= ~ExecFlagBreak;
      break;
    }
    LoopMessageCheck();
    LoopRefreshCheck(refresh);
    if (!DecodedAddressesHold(loop)) DecodeNumberLoop(loop, condition);
  }
  ExecPointer = end;
}

// Condition, body group.
void ExecCmdWhile() {
  ExecItem* condition = ExecPointer;
  {
    NumberLoop loop;
    if (DecodeNumberLoop(loop, condition)) {
      ExecItem* body = condition + loop.BodyStart;
      RunNumberLoop(loop, condition, body + body->Skip);
      return;
    }
  }
  LoopRefresh refresh = {DisplayCountdown, false};
  while (RunCondition()) {
    RunBody();
    if (LoopEnds(refresh)) return;
    ExecPointer = condition;
  }
  SkipAtPointer();
}

// Count, body group: the body runs |count| times; INT32_MIN (a count out of
// range or NaN) stays negative and runs nothing.
void ExecCmdRepeat() {
  LoopRefresh refresh = {DisplayCountdown, false};
  int32_t v = EvalNextInt();
  int32_t n = v < 0 && v != INT32_MIN ? -v : v;
  ExecItem* body = ExecPointer;
  for (; n > 0; n--) {
    ExecPointer = body;
    RunBody();
    if (LoopEnds(refresh)) return;
  }
  ExecPointer = body + body->Skip;
}

void ExecCmdBreak() { ExecFlags |= ExecFlagBreak; }

void ExecCmdReturn() { ExecFlags |= ExecFlagReturn; }

void ExecCmdWaitTick() { Pump.WaitTicks(1); }

// Seconds: a positive number of ticks waits; otherwise the pending messages
// are handled, the display refreshed, and a paused program waits for the end
// of the pause.
void ExecCmdWaitSeconds() {
  int32_t ticks = EvalNextTicks();
  if (ticks > 0) {
    Pump.WaitTicks(ticks);
    return;
  }
  Pump.PumpMessages(false);
  Pump.RefreshDisplay();
  while (Pump.IsPaused() && ExecFlags == 0) Pump.PumpMessages(true);
}
