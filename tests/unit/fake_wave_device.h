// A fake wave output device behind WaveSys: it keeps the flags of the
// headers as the system does (prepared, queued, done), completes queued
// headers only when a test asks, records the bytes of every completed block
// and of every open's format, and can be told to fail its calls.
#pragma once
#include <gtest/gtest.h>
#include <string.h>
#include <deque>
#include <vector>
#include "audio/mixer.h"
#include "audio/wave_seam.h"
#include "input/keyboard_state.h"

struct FakeWaveDevice {
  bool FailOpen, FailPrepare, FailWrite;
  int Opens, Closes, Resets, Pauses, Restarts, Prepares, Writes;
  std::vector<uint8_t> OpenFormat;   // the format of the last open, with its extra bytes
  std::deque<WAVEHDR*> Queued;
  std::vector<int16_t> Played;       // samples of the completed blocks, in order
  std::vector<std::vector<uint8_t>> Blocks;  // bytes of each completed block
  DWORD Samples;                     // what the position call reports
};
inline FakeWaveDevice FakeWave;

const HWAVEOUT FakeDeviceHandle = (HWAVEOUT)0x5A5A;

inline MMRESULT WINAPI FakeOpen(LPHWAVEOUT device, UINT id, LPCWAVEFORMATEX format, DWORD_PTR, DWORD_PTR,
                                DWORD flags) {
  FakeWave.Opens++;
  EXPECT_EQ(WAVE_MAPPER, id);
  EXPECT_EQ((DWORD)CALLBACK_NULL, flags);
  const uint8_t* f = (const uint8_t*)format;
  FakeWave.OpenFormat.assign(f, f + 18 + (format->wFormatTag == WAVE_FORMAT_PCM ? 0 : format->cbSize));
  if (FakeWave.FailOpen) return MMSYSERR_NODRIVER;
  *device = FakeDeviceHandle;
  return MMSYSERR_NOERROR;
}
inline MMRESULT WINAPI FakeClose(HWAVEOUT d) {
  EXPECT_EQ(FakeDeviceHandle, d);
  EXPECT_TRUE(FakeWave.Queued.empty()) << "closed with blocks queued";
  FakeWave.Closes++;
  return MMSYSERR_NOERROR;
}
inline MMRESULT WINAPI FakePrepare(HWAVEOUT d, LPWAVEHDR h, UINT size) {
  EXPECT_EQ(FakeDeviceHandle, d);
  EXPECT_EQ(sizeof(WAVEHDR), size);
  FakeWave.Prepares++;
  if (FakeWave.FailPrepare) return MMSYSERR_NOMEM;
  h->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}
inline MMRESULT WINAPI FakeUnprepare(HWAVEOUT d, LPWAVEHDR h, UINT) {
  EXPECT_EQ(FakeDeviceHandle, d);
  if (h->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  h->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}
inline MMRESULT WINAPI FakeWrite(HWAVEOUT d, LPWAVEHDR h, UINT) {
  EXPECT_EQ(FakeDeviceHandle, d);
  FakeWave.Writes++;
  if (FakeWave.FailWrite) return MMSYSERR_NOMEM;
  if (!(h->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  h->dwFlags = (h->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  FakeWave.Queued.push_back(h);
  return MMSYSERR_NOERROR;
}
// Reset hands every queued block back unplayed.
inline MMRESULT WINAPI FakeReset(HWAVEOUT d) {
  EXPECT_EQ(FakeDeviceHandle, d);
  FakeWave.Resets++;
  for (WAVEHDR* h : FakeWave.Queued) h->dwFlags = (h->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  FakeWave.Queued.clear();
  return MMSYSERR_NOERROR;
}
inline MMRESULT WINAPI FakePause(HWAVEOUT) {
  FakeWave.Pauses++;
  return MMSYSERR_NOERROR;
}
inline MMRESULT WINAPI FakeRestart(HWAVEOUT) {
  FakeWave.Restarts++;
  return MMSYSERR_NOERROR;
}
inline MMRESULT WINAPI FakePosition(HWAVEOUT, LPMMTIME t, UINT size) {
  EXPECT_EQ(sizeof(MMTIME), size);
  EXPECT_EQ((UINT)TIME_SAMPLES, t->wType);
  t->u.sample = FakeWave.Samples;
  return MMSYSERR_NOERROR;
}

// The device plays its oldest n queued blocks (all of them for n < 0).
inline void CompleteBlocks(int n = -1) {
  while (n-- != 0 && !FakeWave.Queued.empty()) {
    WAVEHDR* h = FakeWave.Queued.front();
    FakeWave.Queued.pop_front();
    const uint8_t* b = (const uint8_t*)h->lpData;
    FakeWave.Blocks.emplace_back(b, b + h->dwBufferLength);
    for (DWORD i = 0; i + 1 < h->dwBufferLength; i += 2) FakeWave.Played.push_back((int16_t)(b[i] | b[i + 1] << 8));
    h->dwFlags = (h->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  }
}

// Puts the fake in place and the wave output in its state before a program runs.
inline void InstallFakeWave() {
  if (!EmptySound.Data) InitEmptySound();
  if (!CurrentSound.Data) InitMixer();
  FakeWave = FakeWaveDevice();
  WaveSys = {FakeOpen, FakeClose, FakePrepare, FakeUnprepare, FakeWrite, FakeReset, FakePause, FakeRestart,
             FakePosition};
  StopAllSounds();
  MixerMode = 1;
  WaveOpenBackoff = -1;
  PauseFlag = 0;
  PrepareWaveOutput();
  FakeWave = FakeWaveDevice();
}
inline void RemoveFakeWave() {
  StopAllSounds();
  WaveSys = RealWaveSys;
}

class WaveOutputTest : public testing::Test {
 protected:
  void SetUp() override { InstallFakeWave(); }
  void TearDown() override { RemoveFakeWave(); }
};
