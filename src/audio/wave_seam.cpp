// The real wave output calls, replaceable by tests.
#include "audio/wave_seam.h"

const WaveSystemCalls RealWaveSys = {waveOutOpen,  waveOutClose, waveOutPrepareHeader,
                                     waveOutUnprepareHeader, waveOutWrite, waveOutReset,
                                     waveOutPause, waveOutRestart, waveOutGetPosition};
WaveSystemCalls WaveSys = RealWaveSys;
