// Benchmark of the mixer (not a test): nanoseconds per channel-frame of
// MixChannel in each variant, 32 channels into 4096-frame blocks, beside
// plain mixing loops and a copy of the block, all timed in the same run.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "audio/mixer.h"
#include "base/memory.h"
#include "startup/runtime.h"

static const int32_t Channels = 32, Frames = 4096, SoundFrames = 1 << 20;

static double Now() {
  LARGE_INTEGER c, f;
  QueryPerformanceCounter(&c);
  QueryPerformanceFrequency(&f);
  return (double)c.QuadPart / f.QuadPart;
}

// A sound of SoundFrames frames of a pattern in the given form.
static Sound MakeSound(int32_t channels, int32_t bits) {
  int32_t bpf = channels * bits / 8;
  Sound s;
  s.New(SoundFrames * bpf);
  s.Data->Channels = channels;
  s.Data->BitsPerSample = bits;
  for (int32_t i = 0; i < s.Data->Size; i++) s.Data->Data[i] = (uint8_t)(i * 37 + (i >> 9));
  return s;
}

static int16_t Block[Frames * 2];

// ns per channel-frame of mixing `blocks` blocks of 32 channels of one form.
static double TimeVariant(int32_t channels, int32_t bits, double speed, double offset, int32_t blocks) {
  Sound s = MakeSound(channels, bits);
  StopAllSounds();
  for (int32_t c = 0; c < Channels; c++) {
    MixerChannel& m = MixerChannels[c];
    m.Size = s.Data->Size;
    m.Data = s.Data->Data;
    m.LeftGain = 0.7;
    m.RightGain = 0.6;
    m.Step = channels * bits / 8 * speed;
    m.Offset = offset;
    m.Position = -offset;
    m.Loops = 1;
    m.Sound = s;
  }
  double start = Now();
  int64_t frames = 0;
  for (int32_t b = 0; b < blocks; b++) {
    memset(Block, 0, sizeof Block);
    for (int32_t c = 0; c < Channels; c++) {
      MixerChannel& m = MixerChannels[c];
      if (m.Position > m.Size - 16 * Frames * 4) m.Position = -offset;
      frames += MixChannel(m, Block, Frames);
    }
  }
  double t = Now() - start;
  StopAllSounds();
  return t * 1e9 / frames;
}

// The plain loop: 16-bit mono samples times fixed-point gains, saturated.
static double TimePlain(int32_t blocks) {
  Sound s = MakeSound(1, 16);
  const int16_t* src = (const int16_t*)s.Data->Data;
  double start = Now();
  int32_t at = 0;
  for (int32_t b = 0; b < blocks; b++) {
    memset(Block, 0, sizeof Block);
    for (int32_t c = 0; c < Channels; c++) {
      if (at > SoundFrames - Frames) at = 0;
      const int16_t* p = src + at;
      for (int32_t k = 0; k < Frames; k++) {
        int32_t l = Block[2 * k] + (p[k] * 22938 >> 15);
        int32_t r = Block[2 * k + 1] + (p[k] * 19661 >> 15);
        Block[2 * k] = (int16_t)(l > 32767 ? 32767 : l < -32767 ? -32767 : l);
        Block[2 * k + 1] = (int16_t)(r > 32767 ? 32767 : r < -32767 ? -32767 : r);
      }
      at += Frames;
    }
  }
  double t = Now() - start;
  return t * 1e9 / ((double)blocks * Channels * Frames);
}

// The plain loop doing the work every mixing loop must do: a read position
// advanced by the channel's step, known only at run time, and the end test
// of each index against the sound's size. Without them the loop above reads
// consecutive samples and the compiler turns it into vector code that
// handles eight frames at once, which no channel with a step can do.
static volatile int32_t PlainStep = 1;
static double TimePlainStepped(int32_t blocks) {
  Sound s = MakeSound(1, 16);
  const int16_t* src = (const int16_t*)s.Data->Data;
  const uint32_t limit = SoundFrames;
  const int32_t step = PlainStep;
  double start = Now();
  int32_t at = 0;
  int64_t frames = 0;
  for (int32_t b = 0; b < blocks; b++) {
    memset(Block, 0, sizeof Block);
    for (int32_t c = 0; c < Channels; c++) {
      if (at > SoundFrames - Frames) at = 0;
      int32_t k = 0;
      for (; k < Frames; k++) {
        uint32_t i = (uint32_t)at;
        if (i >= limit) break;
        int32_t l = Block[2 * k] + (src[i] * 22938 >> 15);
        int32_t r = Block[2 * k + 1] + (src[i] * 19661 >> 15);
        Block[2 * k] = (int16_t)(l > 32767 ? 32767 : l < -32767 ? -32767 : l);
        Block[2 * k + 1] = (int16_t)(r > 32767 ? 32767 : r < -32767 ? -32767 : r);
        at += step;
      }
      frames += k;
    }
  }
  double t = Now() - start;
  return t * 1e9 / frames;
}

// A copy of the whole block, per channel-frame of a block's 32 channels.
static double TimeCopy(int32_t blocks) {
  static int16_t to[Frames * 2];
  double start = Now();
  for (int32_t b = 0; b < blocks * Channels; b++) {
    memcpy(to, Block, sizeof Block);
    Block[b & (Frames - 1)] ^= to[(b * 7) & (Frames - 1)];
  }
  double t = Now() - start;
  return t * 1e9 / ((double)blocks * Channels * Frames) + 0 * to[1];
}

static const struct {
  const char* Name;
  int32_t Channels, Bits;
  double Speed, Offset;
} Variants[] = {
    {"8-bit mono", 1, 8, 1, 0},
    {"16-bit mono", 1, 16, 1, 0},
    {"8-bit stereo", 2, 8, 1, 0},
    {"16-bit stereo", 2, 16, 1, 0},
    {"8-bit mono between", 1, 8, 0.7, 0},
    {"16-bit mono between", 1, 16, 0.7, 0},
    {"8-bit stereo between", 2, 8, 0.7, 0},
    {"16-bit stereo between", 2, 16, 0.7, 0},
    // Off centre: the sides read apart, by an offset of no whole number of bytes.
    {"16-bit stereo, offset", 2, 16, 1, 24.3},
    {"16-bit stereo between, offset", 2, 16, 0.7, 17.01},
    {"8-bit stereo between, offset", 2, 8, 0.7, 17.01},
};
const int32_t VariantCount = sizeof Variants / sizeof Variants[0];

static void KeepLeast(double& least, double t) {
  if (t < least) least = t;
}

// Every figure is the least of several rounds; each round times every loop
// once, so that a load on the machine falls on all of them alike.
int main(int argc, char** argv) {
  if (!InitMemory()) return 3;
  SetFloatingPointControl();
  InitEmptySound();
  InitMixer();
  const int32_t blocks = 200, rounds = argc > 1 ? atoi(argv[1]) : 5;
  double plain = 1e9, stepped = 1e9, copy = 1e9, ns[VariantCount];
  for (double& t : ns) t = 1e9;
  for (int32_t round = 0; round < rounds; round++) {
    KeepLeast(plain, TimePlain(blocks));
    KeepLeast(stepped, TimePlainStepped(blocks));
    KeepLeast(copy, TimeCopy(blocks));
    for (int32_t v = 0; v < VariantCount; v++)
      KeepLeast(ns[v], TimeVariant(Variants[v].Channels, Variants[v].Bits, Variants[v].Speed, Variants[v].Offset,
                                   blocks));
  }
  printf("least of %d rounds\n", (int)rounds);
  printf("plain loop, consecutive samples (vector code)  %6.2f ns per channel-frame\n", plain);
  printf("plain loop, run-time step and end test         %6.2f ns per channel-frame\n", stepped);
  printf("memcpy of block                                %6.2f ns per channel-frame\n", copy);
  for (int32_t v = 0; v < VariantCount; v++)
    // 32 channels at 22050 frames a second.
    printf("%-30s %6.2f ns per channel-frame, %5.2fx the stepped plain loop (%5.2fx the vector one), %.3f%% of a "
           "core for 32 channels\n",
           Variants[v].Name, ns[v], ns[v] / stepped, ns[v] / plain, ns[v] * 1e-9 * Channels * MixerRate * 100);
  return 0;
}
