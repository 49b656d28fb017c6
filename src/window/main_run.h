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
void PumpMessages(bool wait);
void WaitTicks(int32_t ticks);
bool IsTimerTickPending();
bool IsPaused();
void SetKeyToggle(int32_t virtualKey, bool on);
// The pump's first step: each pending lock-key request written into the
// keyboard state, in the order Num Lock, Caps Lock, Scroll Lock, Insert.
void ApplyLockKeyRequests();
