// The wave output calls the mixer and the solo player make: open, close,
// prepare, unprepare, write, reset, pause, restart and position. Tests put a
// fake device in their place; everything else calls the system.
#pragma once
#include <windows.h>
#include <mmsystem.h>

struct WaveSystemCalls {
  MMRESULT(WINAPI* waveOutOpen)(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD);
  MMRESULT(WINAPI* waveOutClose)(HWAVEOUT);
  MMRESULT(WINAPI* waveOutPrepareHeader)(HWAVEOUT, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* waveOutUnprepareHeader)(HWAVEOUT, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* waveOutWrite)(HWAVEOUT, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* waveOutReset)(HWAVEOUT);
  MMRESULT(WINAPI* waveOutPause)(HWAVEOUT);
  MMRESULT(WINAPI* waveOutRestart)(HWAVEOUT);
  MMRESULT(WINAPI* waveOutGetPosition)(HWAVEOUT, LPMMTIME, UINT);
};

extern WaveSystemCalls WaveSys;
extern const WaveSystemCalls RealWaveSys;
