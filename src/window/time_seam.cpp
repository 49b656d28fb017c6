// The real time and cursor calls, replaceable by tests.
#include "window/time_seam.h"

const TimeSystemCalls RealTimeSys = {SetTimer, KillTimer, GetMessageA, PeekMessageA, GetCursorPos, GetTickCount};
TimeSystemCalls TimeSys = RealTimeSys;
