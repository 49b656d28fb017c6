// The two keyboard reads the input filter makes of the system: the key state
// as of the message being handled and the physical state now. Messages fed to
// the filter by tests do not change either, so tests replace them.
#pragma once
#include <windows.h>

struct KeySystemCalls {
  SHORT(WINAPI* GetKeyState)(int);
  SHORT(WINAPI* GetAsyncKeyState)(int);
};

extern KeySystemCalls KeySys;
extern const KeySystemCalls RealKeySys;
