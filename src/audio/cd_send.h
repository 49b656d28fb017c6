// The CD files' shared helpers: a command to the open device and the time
// format change.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include "audio/cd_audio.h"
#include "audio/mci_seam.h"

inline MCIERROR SendCdCommand(UINT message, DWORD_PTR flags, void* parms) {
  return MciSys.mciSendCommandA(CdDevice, message, flags, (DWORD_PTR)parms);
}

void SetCdTimeFormat(DWORD format);  // with MCI_WAIT
