// Wave output: 32 software-mixed channels for PCM sounds into one 16-bit
// stereo stream at 22050 Hz, and the solo player for compressed sounds, on
// one wave output device serviced once per tick without callbacks.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <stdint.h>
#include "values/sound.h"

const int32_t MixerChannelCount = 32;
const int32_t WaveBufferCount = 3;
const int32_t WaveBufferFrames = 4096;
const int32_t WaveBufferBytes = WaveBufferFrames * 4;
const int32_t EndlessLoops = 0x40000000;
const int32_t WaveOpenRetryTicks = 36;
const int32_t MixerRate = 22050;

struct MixerChannel {
  int32_t Size;      // bytes of sample data; 0 = free
  uint8_t* Data;
  double LeftGain;
  double RightGain;
  double Position;   // read position in source bytes
  double Step;       // source bytes per output frame; negative plays backwards
  double Offset;     // the left side reads at Position - Offset, the right at Position + Offset
  int32_t Loops;     // plays left; EndlessLoops for endless
  ::Sound Sound;     // keeps the samples alive; its record is the channel's identity
};

typedef MixerChannel MixerChannelArray[MixerChannelCount];
extern MixerChannelArray& MixerChannels;
extern int32_t ActiveChannelCount;
extern HWAVEOUT WaveOutDevice;  // a sound counts as playing while this is open
extern WAVEHDR WaveHeaders[WaveBufferCount];
extern uint8_t* WaveBuffers[WaveBufferCount];
extern uint8_t MixerMode;       // 1: PCM sounds are mixed; 0: a compressed sound plays alone
extern Sound& CurrentSound;     // the sound started last
extern uint8_t SoundPaused;
extern int32_t WaveOpenBackoff;
extern int32_t SoloLoops;
extern int32_t SoloBlockSize;
extern int32_t SoloBytesPerSecond;
extern int32_t SoloChunkSize;
extern uint8_t* SoloData;
extern int32_t SoloBytesLeft;
extern double SoloTimeOffset;

// Start-up: the channels' sounds and CurrentSound, empty.
void InitMixer();
// The main run, before the program's first step: every channel free, the
// three blocks allocated (once) and every header done.
void PrepareWaveOutput();

// loops below 1 play endlessly; restart starts a sound already playing on a
// channel from the beginning, else it only takes the new settings; balance
// -10..10 pans; speed 1 is the recorded pitch, negative plays backwards.
void StartSound(Sound sound, int32_t loops, bool restart, double volume, double balance, double speed);
void StopSound(Sound sound);
void StopAllSounds();  // also closes the device
void PauseSound(bool pause);
void SetSoundPosition(double seconds);  // of CurrentSound
double GetSoundPosition();              // seconds of CurrentSound; 0 when nothing plays
// The per-tick service: refills and queues every block the device has finished.
void ServiceWaveOutput();

// Adds the channel into at most n stereo frames at out and returns the
// frames it processed (n unless the channel reached its end).
int32_t MixChannel(MixerChannel& channel, int16_t* out, int32_t n);

// Bytes per second of a PCM sound's samples; 0 when that is not positive.
double PcmBytesPerSecond(const SoundData* r);
// A compressed sound's format header field at byte offset, when the header
// and the data hold all its bytes; otherwise fallback.
uint32_t FormatHeaderField(const SoundData* r, int32_t offset, int32_t bytes, uint32_t fallback);
