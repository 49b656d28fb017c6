// The real keyboard reads, replaceable by tests.
#include "window/key_seam.h"

const KeySystemCalls RealKeySys = {GetKeyState, GetAsyncKeyState};
KeySystemCalls KeySys = RealKeySys;
