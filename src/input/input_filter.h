// The input filter the pump passes every message to: it records keyboard and
// mouse state and, while the program shows controls, handles the dialog keys.
#pragma once
#include <windows.h>
#include <stdint.h>

// True: the message is handled and is neither translated nor dispatched.
bool FilterInputMessage(MSG* message);
// Records the keyboard and mouse state; true for messages to swallow.
bool ProcessInputMessage(const MSG* message);
// The key code of a key message: keypad, right-hand and extended keys told apart.
int32_t TranslateVirtualKey(WPARAM virtualKey, LPARAM lParam);

// The keyboard half of the recording; each gives true for a key to swallow.
bool RecordKeyPress(WPARAM virtualKey, LPARAM lParam);
bool RecordKeyRelease(WPARAM virtualKey, LPARAM lParam);
// The mouse half (never swallowed).
void RecordMouseMessage(const MSG* message);
