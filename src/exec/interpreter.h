// The interpreter's contract: the cursor into the compiled code, the control
// flags, and running the next step as an operand of each kind.
#pragma once
#include <stdint.h>
#include "code/compiled_code.h"

// The next step to run. Inside an execution function its own step is the one
// just before the value ExecPointer had on entry.
extern ExecItem* ExecPointer;

// Any set bit makes command groups skip the rest of their members and loops stop.
extern uint32_t ExecFlags;
const uint32_t ExecFlagQuit = 1;    // set by the message pump on WM_QUIT, never cleared
const uint32_t ExecFlagReturn = 2;  // set by exit, cleared by the call of the function
const uint32_t ExecFlagBreak = 4;   // set by break, cleared by the innermost loop or the call

// The start-up state of a run: no step, no flags, the whole call depth
// budget, the pump entries and loop countdowns as they start. For the tests'
// fresh programs.
void ResetExecState();

// Locals live at the top of their kind's value list, a slot counting down
// from its end: the entry is count - slot. A slot outside the list gives an
// index that the list's Get and Set treat as outside.
template <class List>
inline int32_t LocalEntryIn(const List& values, int32_t slot) {
  return values.Count - slot;
}

// Runs the step at ExecPointer; ExecPointer ends just past the step's subtree.
inline void RunCmd() {
  ExecItem* p = ExecPointer++;
  reinterpret_cast<ExecCmdFunction>(p->Exec)();
}
inline double RunNum() {
  ExecItem* p = ExecPointer++;
  return reinterpret_cast<ExecNumFunction>(p->Exec)();
}
inline uint8_t RunBool() {
  ExecItem* p = ExecPointer++;
  return reinterpret_cast<ExecBoolFunction>(p->Exec)();
}
// The object kinds evaluate into the caller's slot.
template <class T>
inline void RunValue(T& slot) {
  ExecItem* p = ExecPointer++;
  reinterpret_cast<void (*)(T&)>(p->Exec)(slot);
}

// The step of the running execution function; valid only on entry.
inline const ExecItem& OwnStep() { return ExecPointer[-1]; }

// Moves ExecPointer past the group or operand that starts at ExecPointer,
// by its Skip count.
inline void SkipAtPointer() { ExecPointer += ExecPointer->Skip; }

// Runs the command step at index of CompiledCode (the main run enters the
// program at EntryCallIndex this way).
inline void RunCompiledStep(int32_t index) {
  ExecPointer = CompiledCode + index;
  RunCmd();
}
