// The main run: preparation, the window timer, the program's entry and the
// shutdown; the tick, the message pump and the waits built on it.
#pragma once
#include <windows.h>
#include <stdint.h>

const UINT_PTR TimerEventId = 543;
extern UINT_PTR TimerId;

// Start-up's step once the main window exists; returns when the program's
// main function has returned.
void RunCompiledProgram();
// Its three stages, in order.
void PrepareMainRun();
void EnterProgram();
void ShutDownMainRun();
// The real pump functions into Pump (the loops and waits of the interpreter).
void InstallPump();

void RunTimerTick();
// Ticks run so far; nothing in the engine reads it (tests count ticks by it).
extern int32_t TimerTicksRun;
void PumpMessages(bool wait);
void WaitTicks(int32_t ticks);
bool IsTimerTickPending();
// The loops' check: IsTimerTickPending, skipped while the clock says no timer
// message can be waiting yet (see message_pump.cpp).
bool LoopTimerTickPending();
// Milliseconds before a timer message is due from which loops look for it,
// and between two looks while it is not due for longer than that.
const DWORD TimerLookSlack = 16;
const DWORD TimerLookStep = 4;
extern bool TimerLookGated;  // set when the main run starts its timer
void NoteTimerStarted();
// The start-up state: no tick run, every check looks.
void ResetMessagePump();
void NoteTimerMessageTaken();
bool IsPaused();
void SetKeyToggle(int32_t virtualKey, bool on);
// The pump's first step: each pending lock-key request written into the
// keyboard state, in the order Num Lock, Caps Lock, Scroll Lock, Insert.
void ApplyLockKeyRequests();
