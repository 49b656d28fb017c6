// The mixer's channels and state, and starting and stopping sounds: the
// channel choice, the update in place of a sound already playing, and the
// start of a compressed sound that plays alone.
#include "audio/mixer.h"
#include <math.h>
#include <string.h>
#include "audio/wave_seam.h"
#include "base/global_storage.h"
#include "base/rounding.h"

GLOBAL_OBJECT(MixerChannelArray, MixerChannels);
GLOBAL_OBJECT(Sound, CurrentSound);
int32_t ActiveChannelCount;
HWAVEOUT WaveOutDevice;
WAVEHDR WaveHeaders[WaveBufferCount] = {{nullptr, 0, 0, 0, WHDR_DONE}, {nullptr, 0, 0, 0, WHDR_DONE},
                                        {nullptr, 0, 0, 0, WHDR_DONE}};
uint8_t* WaveBuffers[WaveBufferCount];
uint8_t MixerMode = 1;
uint8_t SoundPaused;
int32_t WaveOpenBackoff = -1;
int32_t SoloLoops = 1;
int32_t SoloBlockSize = 1024;
int32_t SoloBytesPerSecond = 22050;
int32_t SoloChunkSize = 16384;
uint8_t* SoloData;
int32_t SoloBytesLeft;
double SoloTimeOffset;

void InitMixer() {
  for (MixerChannel& c : MixerChannels) {
    memset((void*)&c, 0, sizeof c);
    c.Sound.InitEmpty();
  }
  CurrentSound.InitEmpty();
}

uint32_t FormatHeaderField(const SoundData* r, int32_t offset, int32_t bytes, uint32_t fallback) {
  if (offset + bytes > r->FormatHeaderSize || offset + bytes > r->Size) return fallback;
  uint32_t v = 0;
  memcpy(&v, r->Data + offset, bytes);
  return v;
}

double PcmBytesPerSecond(const SoundData* r) {
  double bps = (double)(r->BitsPerSample / 8) * r->Channels * r->SamplesPerSec;
  return bps > 0 ? bps : 0;
}

static double Clamp(double x, double low, double high) { return x < low ? low : x > high ? high : x; }

// What a PCM start sets on its channel.
struct ChannelSettings {
  double LeftGain, RightGain, Step, Offset, Start;
  int32_t Loops;
};

static ChannelSettings SettingsFor(const SoundData* r, int32_t loops, double volume, double balance,
                                   double speed) {
  ChannelSettings s;
  int32_t bpf = r->PcmFrameBytes();
  double b = Clamp(balance, -10, 10);
  double left = Clamp(0.8 - 0.2 * b, -1, 1), right = Clamp(0.8 + 0.2 * b, -1, 1);
  s.Step = Clamp((double)r->SamplesPerSec * bpf * speed * (1.0 / MixerRate), -r->Size, r->Size);
  s.Offset = Clamp((right - left) * s.Step * 20, -r->Size, r->Size);
  s.LeftGain = left * volume;
  s.RightGain = right * volume;
  // The leading side starts exactly on the first frame (the last one backwards).
  s.Start = s.Step < 0 ? r->Size - bpf + fabs(s.Offset) : -fabs(s.Offset);
  s.Loops = loops;
  return s;
}

static void TakeSettings(MixerChannel& c, const ChannelSettings& s) {
  c.LeftGain = s.LeftGain;
  c.RightGain = s.RightGain;
  c.Step = s.Step;
  c.Offset = s.Offset;
  c.Loops = s.Loops;
}

// The channel a new sound takes: a free one, else the busy one with the
// fewest bytes left (lowest index on ties); -1 - index of the busy channel
// that already plays the sound's record.
static int32_t ChooseChannel(const SoundData* record) {
  int32_t busyLeft = ActiveChannelCount, chosen = 0;
  int64_t best = EndlessLoops;
  for (int32_t i = 0; i < MixerChannelCount; i++) {
    if (busyLeft <= 0) {
      // Every channel from here on is free.
      if (MixerChannels[chosen].Size > 0) chosen = i;
      break;
    }
    MixerChannel& c = MixerChannels[i];
    if (c.Size <= 0) {
      if (best > 0) {
        chosen = i;
        best = 0;
      }
      continue;
    }
    busyLeft--;
    if (c.Sound.Held() == record) return -1 - i;
    int64_t rest = (int64_t)c.Size - RoundToInt(c.Position);
    if (rest < best) {
      chosen = i;
      best = rest;
    }
  }
  return chosen;
}

// Opens the device in the mixer's format, or frees the new channel and
// holds off further starts.
static void OpenMixerDevice(MixerChannel& c) {
  for (int32_t h = WaveBufferCount - 1; h >= 0; h--) WaveHeaders[h].dwFlags = WHDR_DONE;
  WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, MixerRate, MixerRate * 4, 4, 16, 0};
  HWAVEOUT device = nullptr;
  if (WaveSys.waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR && device) {
    WaveOutDevice = device;
    return;
  }
  c.Size = 0;
  WaveOutDevice = nullptr;
  ActiveChannelCount = 0;
  WaveOpenBackoff = WaveOpenRetryTicks;
}

static void StartMixed(const Sound& sound, int32_t loops, bool restart, double volume, double balance,
                       double speed) {
  MixerMode = 1;
  CurrentSound = sound;
  PauseSound(false);
  const SoundData* r = sound.Held();
  ChannelSettings s = SettingsFor(r, loops, volume, balance, speed);
  int32_t chosen = ChooseChannel(r);
  if (chosen < 0) {
    MixerChannel& c = MixerChannels[-1 - chosen];
    if (restart) c.Position = s.Start;
    double reach = fabs(s.Offset);
    c.Position = Clamp(c.Position, -reach, r->Size - r->PcmFrameBytes() + reach);
    TakeSettings(c, s);
    return;
  }
  MixerChannel& c = MixerChannels[chosen];
  if (c.Size <= 0) ActiveChannelCount++;
  c.Size = r->Size;
  c.Data = r->Data;
  c.Position = s.Start;
  TakeSettings(c, s);
  c.Sound = sound;
  if (!WaveOutDevice) OpenMixerDevice(c);
}

// A compressed sound: the device opens in the sound's own format; the next
// tick queues its first chunks.
static void StartSolo(const Sound& sound, int32_t loops) {
  MixerMode = 0;
  CurrentSound = sound;
  const SoundData* r = sound.Held();
  SoloBlockSize = 1024;
  SoloBytesPerSecond = r->Channels * r->SamplesPerSec / 2;
  if (r->FormatTag >= 80 && r->FormatTag <= 95) {
    SoloBytesPerSecond = (int32_t)FormatHeaderField(r, 8, 4, SoloBytesPerSecond);
    SoloBlockSize = (int32_t)FormatHeaderField(r, 24, 2, SoloBlockSize);
  } else if (r->FormatTag == WAVE_FORMAT_ADPCM) {
    // MS ADPCM moves in whole blocks of its own size.
    SoloBlockSize = (int32_t)FormatHeaderField(r, 12, 2, SoloBlockSize);
  }
  if (SoloBytesPerSecond <= 2) SoloBytesPerSecond = 2;
  if (SoloBlockSize < 2) SoloBlockSize = 2;
  SoloChunkSize = SoloBlockSize * ((SoloBlockSize + 16383) / SoloBlockSize);
  HWAVEOUT device = nullptr;
  if (WaveSys.waveOutOpen(&device, WAVE_MAPPER, (const WAVEFORMATEX*)r->Data, 0, 0, CALLBACK_NULL) !=
          MMSYSERR_NOERROR ||
      !device) {
    WaveOutDevice = nullptr;
    WaveOpenBackoff = WaveOpenRetryTicks;
    return;
  }
  WaveOutDevice = device;
  SoloTimeOffset = 0;
  SoloLoops = loops;
  SoloData = r->Data + r->FormatHeaderSize;
  SoloBytesLeft = r->Size - r->FormatHeaderSize;
}

// Whether the sound can start at all: PCM needs a playable form and at least
// one frame; a compressed sound a format header its data holds, and data
// after it.
static bool Playable(const SoundData* r) {
  if (r->FormatTag == PcmFormatTag) {
    int32_t bpf = r->PcmFrameBytes();
    return bpf > 0 && r->Size >= bpf;
  }
  return r->FormatHeaderSize >= WaveFormatExSize && r->Size > r->FormatHeaderSize;
}

// The sounds that a start stops (all of them in solo mode, or for a
// compressed sound) stop even when the new sound then cannot play.
void StartSound(Sound sound, int32_t loops, bool restart, double volume, double balance, double speed) {
  const SoundData* r = sound.Held();
  if (WaveOpenBackoff > 0 || r->Size <= 0) return;
  if (loops < 1) loops = EndlessLoops;
  bool pcm = r->FormatTag == PcmFormatTag;
  if (MixerMode == 0 || !pcm) StopAllSounds();
  if (!Playable(r)) return;
  if (!pcm) {
    StartSolo(sound, loops);
    return;
  }
  // Only the mixer uses the gains and the speed.
  if (isnan(volume) || isnan(balance) || isnan(speed)) return;
  StartMixed(sound, loops, restart, volume, balance, speed);
}

void StopSound(Sound sound) {
  const SoundData* r = sound.Held();
  if (MixerMode == 0) {
    if (r == CurrentSound.Held()) StopAllSounds();
    return;
  }
  int32_t busyLeft = ActiveChannelCount;
  for (int32_t i = 0; i < MixerChannelCount && busyLeft > 0; i++) {
    MixerChannel& c = MixerChannels[i];
    if (c.Size <= 0) continue;
    busyLeft--;
    if (c.Sound.Held() != r) continue;
    c.Size = 0;
    c.Sound.Empty();
    ActiveChannelCount--;
    return;
  }
}
