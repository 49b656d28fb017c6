// Control flow: command groups, if, while, repeat, break, exit and the waits,
// with the loops' looks at the message queue and the display.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
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

static __attribute__((noinline)) void RunSingleAssignment() { RunMember(); }

// A group of one run through its step, as a function's body is: a member that
// is not an assignment is reached by a tail jump, so the step itself keeps no
// registers; an assignment runs in place in a function of its own.
void ExecCmdSingle() {
  ExecItem* p = ExecPointer;
  if (ExecFlags) {
    SkipAtPointer();
    return;
  }
  ExecFunction f = p->Exec;
  if (f == EXEC_FN(Cmd, ExecCmdSetNumLocal) || f == EXEC_FN(Cmd, ExecCmdSetNumGlobal)) {
    RunSingleAssignment();
    return;
  }
  ExecPointer = p + 1;
  reinterpret_cast<ExecCmdFunction>(f)();
}

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
// again; false when they can no longer be.
static bool RunNumberLoop(NumberLoop& loop, const ExecItem* condition, LoopRefresh& state) {
  LoopRefresh refresh = state;  // kept in registers, handed back for the steps
  while (RunDecodedCondition(loop)) {
    if (ExecFlags == 0) RunDecodedOps(loop, loop.ConditionOps, loop.OpCount);
    if (LoopEnds(refresh)) return true;
    if (!DecodedAddressesHold(loop) && !DecodeNumberLoop(loop, condition)) {
      state = refresh;
      return false;
    }
  }
  return true;
}

// Condition, body group. A decoded loop whose addresses can no longer be
// worked out (a call's frame no longer fits) goes on on its steps.
void ExecCmdWhile() {
  ExecItem* condition = ExecPointer;
  LoopRefresh start = {DisplayCountdown, false};
  {
    NumberLoop loop;
    if (DecodeNumberLoop(loop, condition)) {
      ExecItem* body = condition + loop.BodyStart;
      if (RunNumberLoop(loop, condition, start)) {
        ExecPointer = body + body->Skip;
        return;
      }
      ExecPointer = condition;
    }
  }
  LoopRefresh refresh = start;
  while (RunCondition()) {
    RunBody();
    if (LoopEnds(refresh)) return;
    ExecPointer = condition;
  }
  SkipAtPointer();
}

// The n > 0 runs of a repeat loop's body, decoded when it is plain number
// code; the runs left for its steps (0 once the loop has ended).
static __attribute__((noinline)) int32_t RunRepeatDecoded(const ExecItem* body, int32_t n, LoopRefresh& state) {
  NumberLoop loop;
  if (!DecodeRepeatLoop(loop, body)) return n;
  LoopRefresh refresh = state;
  for (; n > 0; n--) {
    if (ExecFlags == 0) RunDecodedOps(loop, 0, loop.OpCount);
    if (LoopEnds(refresh)) return 0;
    if (!DecodedAddressesHold(loop) && !DecodeRepeatLoop(loop, body)) {
      state = refresh;
      return n - 1;
    }
  }
  return 0;
}

// Count, body group: the body runs |count| times; INT32_MIN (a count out of
// range or NaN) stays negative and runs nothing.
void ExecCmdRepeat() {
  LoopRefresh start = {DisplayCountdown, false};
  int32_t v = EvalNextInt();
  int32_t n = v < 0 && v != INT32_MIN ? -v : v;
  ExecItem* body = ExecPointer;
  if (n > 0) n = RunRepeatDecoded(body, n, start);
  LoopRefresh refresh = start;
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
