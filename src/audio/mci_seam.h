// The one call that drives the MIDI sequencer and the CD device. Tests
// replace it with fake devices; everything else calls the system directly.
#pragma once
#include <windows.h>
#include <mmsystem.h>

struct MciSystemCalls {
  MCIERROR(WINAPI* mciSendCommandA)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
};

extern MciSystemCalls MciSys;
extern const MciSystemCalls RealMciSys;
