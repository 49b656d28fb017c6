// The wave output device over the ticks: refilling and queueing the mixer's
// blocks and the solo sound's chunks, pausing, moving and reading the
// position, and stopping everything.
#include "audio/mixer.h"
#include <math.h>
#include <string.h>
#include "audio/wave_seam.h"
#include "base/memory.h"
#include "base/rounding.h"
#include "input/keyboard_state.h"

void PrepareWaveOutput() {
  for (MixerChannel& c : MixerChannels) c.Size = 0;
  for (int32_t h = 0; h < WaveBufferCount; h++) {
    if (!WaveBuffers[h]) WaveBuffers[h] = (uint8_t*)MemAlloc(WaveBufferBytes);
    WaveHeaders[h].dwFlags |= WHDR_DONE;
  }
}

static bool AllHeadersDone() {
  for (const WAVEHDR& h : WaveHeaders)
    if (!(h.dwFlags & WHDR_DONE)) return false;
  return true;
}

static void UnprepareIfPrepared(WAVEHDR& h) {
  if (h.dwFlags & WHDR_PREPARED) WaveSys.waveOutUnprepareHeader(WaveOutDevice, &h, sizeof h);
}

// Headers 2, 1, 0 taken back from the reset device and marked done.
static void TakeBackHeaders() {
  for (int32_t h = WaveBufferCount - 1; h >= 0; h--) {
    UnprepareIfPrepared(WaveHeaders[h]);
    WaveHeaders[h].dwFlags = WHDR_DONE;
  }
}

// A block that could not be queued counts as played, so it is filled again.
static void Queue(WAVEHDR& h) {
  if (WaveSys.waveOutPrepareHeader(WaveOutDevice, &h, sizeof h) != MMSYSERR_NOERROR ||
      WaveSys.waveOutWrite(WaveOutDevice, &h, sizeof h) != MMSYSERR_NOERROR)
    h.dwFlags |= WHDR_DONE;
}

static void SetHeader(WAVEHDR& h, uint8_t* data, int32_t length, DWORD flags, DWORD loops) {
  h.lpData = (LPSTR)data;
  h.dwBufferLength = h.dwBytesRecorded = (DWORD)length;
  h.dwUser = 0;
  h.dwFlags = flags;
  h.dwLoops = loops;
  h.lpNext = nullptr;
  h.reserved = 0;
}

static bool EndReached(const MixerChannel& c) {
  uint32_t size = (uint32_t)c.Size;
  return (uint32_t)RoundToInt(c.Position + c.Offset) >= size && (uint32_t)RoundToInt(c.Position - c.Offset) >= size;
}

// Mixes a busy channel into the whole block, looping it as often as it ends
// inside the block. A channel also ends when the mix gives fewer frames than
// asked: a size that is not whole frames stops the mix short of the size.
static void MixIntoBlock(MixerChannel& c, int16_t* block) {
  int32_t asked = WaveBufferFrames;
  int32_t done = MixChannel(c, block, asked);
  int32_t left = asked - done;
  while (done < asked || EndReached(c)) {
    if (--c.Loops <= 0) {
      c.Size = 0;
      ActiveChannelCount--;
      return;
    }
    int32_t bpf = c.Sound.Held()->PcmFrameBytes();
    c.Position = c.Step >= 0 ? -fabs(c.Offset) : fabs(c.Offset) + c.Size - bpf;
    if (left <= 0) return;
    asked = left;
    done = MixChannel(c, block + 2 * (WaveBufferFrames - left), asked);
    left -= done;
  }
}

// Scans the busy channels in index order into one block; a paused program
// queues silence and no channel advances.
static void MixBlock(int16_t* block) {
  memset(block, 0, WaveBufferBytes);
  int32_t busyLeft = ActiveChannelCount;
  for (int32_t i = 0; i < MixerChannelCount && busyLeft > 0 && !PauseFlag; i++) {
    MixerChannel& c = MixerChannels[i];
    if (c.Size <= 0) continue;
    busyLeft--;
    MixIntoBlock(c, block);
  }
}

static void ServiceMixer() {
  if (ActiveChannelCount <= 0) {
    // The device closes once the last queued block has played.
    if (WaveOutDevice && AllHeadersDone()) StopAllSounds();
    return;
  }
  if (!WaveOutDevice) return;
  for (int32_t h = 0; h < WaveBufferCount; h++) {
    if (ActiveChannelCount <= 0) return;
    WAVEHDR& header = WaveHeaders[h];
    if (!(header.dwFlags & WHDR_DONE)) continue;
    UnprepareIfPrepared(header);
    SetHeader(header, WaveBuffers[h], WaveBufferBytes, 0, 0);
    MixBlock((int16_t*)WaveBuffers[h]);
    Queue(header);
  }
}

static bool SoloFinished() { return SoloBytesLeft <= 0 && SoloLoops <= 0; }

static void ServiceSolo() {
  if (!WaveOutDevice) return;
  if (AllHeadersDone() && SoloFinished()) {
    StopAllSounds();
    return;
  }
  for (int32_t h = WaveBufferCount - 1; h >= 0; h--) {
    if (SoloFinished()) return;
    WAVEHDR& header = WaveHeaders[h];
    if (!(header.dwFlags & WHDR_DONE)) continue;
    UnprepareIfPrepared(header);
    int32_t k = SoloBytesLeft < SoloChunkSize ? SoloBytesLeft : SoloChunkSize;
    SetHeader(header, SoloData, k, WHDR_BEGINLOOP | WHDR_ENDLOOP, 1);
    SoloBytesLeft -= k;
    SoloData += k;
    Queue(header);
    if (SoloBytesLeft > 0) continue;
    // The play is queued; the next one starts over from the beginning.
    if (--SoloLoops > 0) {
      const SoundData* r = CurrentSound.Held();
      SoloData = r->Data + r->FormatHeaderSize;
      SoloBytesLeft = r->Size - r->FormatHeaderSize;
      SoloTimeOffset = 0;
    }
  }
}

void ServiceWaveOutput() {
  if (WaveOpenBackoff > INT32_MIN) WaveOpenBackoff--;
  if (SoundPaused) return;
  if (MixerMode == 1)
    ServiceMixer();
  else
    ServiceSolo();
}

void StopAllSounds() {
  if (WaveOutDevice) {
    WaveSys.waveOutReset(WaveOutDevice);
    TakeBackHeaders();
    WaveSys.waveOutClose(WaveOutDevice);
    WaveOutDevice = nullptr;
  }
  for (MixerChannel& c : MixerChannels) {
    c.Size = 0;
    c.Sound.Empty();
  }
  CurrentSound.Empty();
  ActiveChannelCount = SoloBytesLeft = SoloLoops = 0;
  SoundPaused = 0;
}

void PauseSound(bool pause) {
  if (!WaveOutDevice || pause == (SoundPaused != 0)) return;
  SoundPaused = pause;
  if (pause)
    WaveSys.waveOutPause(WaveOutDevice);
  else
    WaveSys.waveOutRestart(WaveOutDevice);
}

// The busy channel that plays CurrentSound's record, or null.
static MixerChannel* CurrentChannel() {
  int32_t busyLeft = ActiveChannelCount;
  for (int32_t i = 0; i < MixerChannelCount && busyLeft > 0; i++) {
    MixerChannel& c = MixerChannels[i];
    if (c.Size <= 0) continue;
    busyLeft--;
    if (c.Sound.Held() == CurrentSound.Held()) return &c;
  }
  return nullptr;
}

static int32_t ClampInt(int32_t x, int32_t low, int32_t high) { return x < low ? low : x > high ? high : x; }

// Solo mode moves only MS ADPCM and MPEG layer 3, in whole blocks; the
// device is opened again and the next tick queues from the new place.
static void MoveSolo(double t) {
  const SoundData* r = CurrentSound.Held();
  if (r->FormatTag != WAVE_FORMAT_ADPCM && r->FormatTag != WAVE_FORMAT_MPEGLAYER3) return;
  int32_t n = r->Size - r->FormatHeaderSize;
  if (t > (double)n / SoloBytesPerSecond) t = (double)n / SoloBytesPerSecond;
  int32_t p = RoundToInt(SoloBytesPerSecond * t + SoloBlockSize / 2.0);
  p = ClampInt(p / SoloBlockSize * SoloBlockSize, 0, n);
  SoloData = r->Data + r->FormatHeaderSize + p;
  SoloBytesLeft = n - p;
  if (SoloBytesLeft < 0) {
    SoloBytesLeft = 0;
    SoloLoops = 0;
  }
  SoloTimeOffset = (double)p / SoloBytesPerSecond;
  WaveSys.waveOutReset(WaveOutDevice);
  TakeBackHeaders();
  WaveSys.waveOutClose(WaveOutDevice);
  HWAVEOUT device = nullptr;
  if (WaveSys.waveOutOpen(&device, WAVE_MAPPER, (const WAVEFORMATEX*)r->Data, 0, 0, CALLBACK_NULL) !=
      MMSYSERR_NOERROR)
    device = nullptr;
  WaveOutDevice = device;
}

void SetSoundPosition(double t) {
  if (!WaveOutDevice || SoundPaused) return;
  if (!(t > 0)) t = 0;  // negative or not a number
  if (MixerMode == 0) {
    MoveSolo(t);
    return;
  }
  MixerChannel* c = CurrentChannel();
  double bps = PcmBytesPerSecond(CurrentSound.Held());
  if (!c || bps <= 0) return;
  if (t > c->Size / bps) t = c->Size / bps;
  c->Position = ClampInt(RoundToInt(bps * t), 0, c->Size);
}

double GetSoundPosition() {
  if (!WaveOutDevice) return 0;
  const SoundData* r = CurrentSound.Held();
  if (MixerMode == 0) {
    MMTIME time;
    memset(&time, 0, sizeof time);
    time.wType = TIME_SAMPLES;
    WaveSys.waveOutGetPosition(WaveOutDevice, &time, sizeof time);
    double played = r->SamplesPerSec > 0 ? (double)(uint32_t)time.u.sample / r->SamplesPerSec : 0;
    return played + SoloTimeOffset;
  }
  MixerChannel* c = CurrentChannel();
  double bps = PcmBytesPerSecond(r);
  if (!c || bps <= 0) return 0;
  return ClampInt(RoundToInt(c->Position), 0, c->Size) / bps;
}
