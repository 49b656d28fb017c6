// Sound records: creation, release, copy on write, and the PCM conversions
// between bit depths, channel counts, rates and speeds, joining and tones.
#include "values/sound.h"
#include <math.h>
#include <string.h>
#include "base/pi.h"
#include "base/rounding.h"

static uint8_t EmptySoundBytes[1];
SoundData EmptySoundData = {1, 0, 22050, PcmFormatTag, 1, 16, 0, EmptySoundBytes};

GLOBAL_OBJECT(Sound, EmptySound);
GLOBAL_OBJECT(SoundList, Sounds);

const Sound& Sound::EmptyValue() { return EmptySound; }

void InitEmptySound() { EmptySound.InitEmpty(); }
void InitSounds() { Sounds.Init(); }

int32_t SoundData::PcmFrameBytes() const {
  if (FormatTag != PcmFormatTag || SamplesPerSec <= 0) return 0;
  if (Channels != 1 && Channels != 2) return 0;
  if (BitsPerSample != 8 && BitsPerSample != 16) return 0;
  return Channels * BitsPerSample / 8;
}

SoundData* Sound::NewRecord(int32_t size) {
  if (size < 0) size = 0;
  SoundData* r = (SoundData*)MemAlloc(sizeof(SoundData));
  *r = {1, size, 22050, PcmFormatTag, 1, 16, 0, (uint8_t*)MemAlloc(size)};
  return r;
}

void Sound::FreeRecord(SoundData* r) {
  MemFree(r->Data);
  MemFree(r);
}

SoundData* Sound::CopyRecord(const SoundData* source) {
  SoundData* r = NewRecord(source->Size);
  uint8_t* bytes = r->Data;
  *r = *source;
  r->RefCount = 1;
  r->Data = bytes;
  memcpy(bytes, source->Data, source->Size);
  return r;
}

void Sound::MakeDistinct() {
  if (Data->RefCount < ImageCountBase - 999) {
    MakeUnique();
    return;
  }
  SoundData* r = (SoundData*)MemAlloc(sizeof(SoundData));
  *r = *Data;
  r->RefCount = ImageCountBase;
  Data->RefCount--;
  Data = r;
}

void Sound::SetSize(int32_t n) {
  if (n < 0) n = 0;
  MakeUnique();
  // At least one byte, so Data stays a buffer of its own even when empty.
  Data->Data = (uint8_t*)MemRealloc(Data->Data, n > 0 ? n : 1);
  Data->Size = n;
}

SoundData* Sound::NewRecordLike(int32_t size, int32_t channels, int32_t bits) const {
  SoundData* r = NewRecord(size);
  r->SamplesPerSec = Data->SamplesPerSec;
  r->FormatTag = Data->FormatTag;
  r->Channels = channels;
  r->BitsPerSample = bits;
  return r;
}

static int32_t Sample16(const uint8_t* p) { return (int16_t)(p[0] | p[1] << 8); }

static void PutSample16(uint8_t* p, int32_t s) {
  p[0] = (uint8_t)s;
  p[1] = (uint8_t)(s >> 8);
}

void Sound::To8Bit() {
  DecompressToPcm();
  if (!Data->PcmFrameBytes() || Data->BitsPerSample != 16) return;
  int32_t n = Data->Size / 2;
  SoundData* r = NewRecordLike(n, Data->Channels, 8);
  const uint8_t* from = Data->Data;
  for (int32_t i = 0; i < n; i++) {
    int32_t b = (Sample16(from + 2 * i) + 32768 + 128) / 256;
    r->Data[i] = (uint8_t)(b > 255 ? 255 : b);
  }
  Replace(r);
}

void Sound::To16Bit() {
  DecompressToPcm();
  if (!Data->PcmFrameBytes() || Data->BitsPerSample != 8) return;
  int32_t n = Data->Size;
  if (n > INT32_MAX / 2) return;
  SoundData* r = NewRecordLike(n * 2, Data->Channels, 16);
  const uint8_t* from = Data->Data;
  for (int32_t i = 0; i < n; i++) PutSample16(r->Data + 2 * i, (from[i] - 128) * 256);
  Replace(r);
}

void Sound::ToStereo() {
  DecompressToPcm();
  int32_t sampleBytes = Data->PcmFrameBytes();
  if (!sampleBytes || Data->Channels != 1) return;
  int32_t size = Data->Size;
  if (size > INT32_MAX / 2) return;
  SoundData* r = NewRecordLike(size * 2, 2, Data->BitsPerSample);
  const uint8_t* from = Data->Data;
  uint8_t* to = r->Data;
  int32_t whole = size / sampleBytes * sampleBytes;
  for (int32_t i = 0; i < whole; i += sampleBytes, to += 2 * sampleBytes) {
    memcpy(to, from + i, sampleBytes);
    memcpy(to + sampleBytes, from + i, sampleBytes);
  }
  // A trailing part of a sample has no value to double: its bytes are silent zeros.
  memset(to, 0, 2 * (size - whole));
  Replace(r);
}

void Sound::ToMono() {
  DecompressToPcm();
  int32_t frameBytes = Data->PcmFrameBytes();
  if (!frameBytes || Data->Channels != 2) return;
  int32_t size = Data->Size / 2;
  SoundData* r = NewRecordLike(size, 1, Data->BitsPerSample);
  const uint8_t* from = Data->Data;
  uint8_t* to = r->Data;
  int32_t frames = Data->Size / frameBytes;
  if (Data->BitsPerSample == 16) {
    for (int32_t i = 0; i < frames; i++)
      PutSample16(to + 2 * i, (Sample16(from + 4 * i) + Sample16(from + 4 * i + 2)) / 2);
  } else {
    for (int32_t i = 0; i < frames; i++) to[i] = (uint8_t)((from[2 * i] + from[2 * i + 1] + (i & 1)) / 2);
  }
  int32_t written = frames * frameBytes / 2;
  memset(to + written, 0, size - written);
  Replace(r);
}

void Sound::ChangeSpeed(double factor) {
  DecompressToPcm();
  if (Data->PcmFrameBytes()) Resample(factor);
}

// Sample c of frame p of a PCM buffer with `channels` channels.
static int32_t SampleAt(const uint8_t* data, int32_t bits, int32_t channels, int32_t p, int32_t c) {
  int32_t i = p * channels + c;
  return bits == 16 ? Sample16(data + 2 * i) : data[i];
}

bool Sound::Resample(double factor) {
  if (factor == 1 || factor != factor) return true;
  if (factor < 0.01) factor = 0.01;
  if (factor > 100) factor = 100;
  int32_t frameBytes = Data->PcmFrameBytes();
  int32_t sourceFrames = Data->Size / frameBytes;
  // Less than one frame has no sample to interpolate from.
  if (sourceFrames < 1) return true;
  double length = Data->Size / factor;
  if (length >= 2147483647.5) return false;
  int32_t size = RoundToInt(length) & ~(frameBytes - 1);
  int32_t channels = Data->Channels, bits = Data->BitsPerSample;
  SoundData* r = NewRecordLike(size, channels, bits);
  const uint8_t* from = Data->Data;
  uint32_t last = (uint32_t)(sourceFrames - 1);
  for (int32_t i = 0, frames = size / frameBytes; i < frames; i++) {
    double t = i * factor;
    int32_t p = FloorToInt(t);
    if ((uint32_t)p > last) p = (int32_t)last;
    int32_t q = (uint32_t)p < last ? p + 1 : p;
    for (int32_t c = 0; c < channels; c++) {
      int32_t a = SampleAt(from, bits, channels, p, c);
      int32_t b = SampleAt(from, bits, channels, q, c);
      int32_t v = a + RoundToInt((b - a) * (t - p));
      int32_t k = i * channels + c;
      if (bits == 16) PutSample16(r->Data + 2 * k, v);
      else r->Data[k] = (uint8_t)v;
    }
  }
  Replace(r);
  return true;
}

void Sound::SetRate(int32_t rate) {
  DecompressToPcm();
  if (!Data->PcmFrameBytes() || rate == Data->SamplesPerSec || rate < 100 || rate > 200000) return;
  if (!Resample((double)Data->SamplesPerSec / rate)) return;
  MakeUnique();
  Data->SamplesPerSec = rate;
}

// The common rate two joined sounds take from the larger of their rates.
static int32_t JoinedRate(int32_t a, int32_t b) {
  int32_t r = a > b ? a : b;
  return r <= 11050 ? 11025 : r < 22101 ? 22050 : 44100;
}

void Sound::Append(const Sound& source) {
  Sound other(source);
  DecompressToPcm();
  other.DecompressToPcm();
  if (!Data->PcmFrameBytes() || !other.Data->PcmFrameBytes()) return;
  if (other.Data->BitsPerSample == 16) To16Bit();
  if (Data->BitsPerSample == 16) other.To16Bit();
  if (other.Data->Channels == 2) ToStereo();
  if (Data->Channels == 2) other.ToStereo();
  if (Data->SamplesPerSec != other.Data->SamplesPerSec) {
    int32_t target = JoinedRate(Data->SamplesPerSec, other.Data->SamplesPerSec);
    SetRate(target);
    other.SetRate(target);
  }
  // A conversion that could not be made leaves the two in different forms.
  const SoundData* o = other.Data;
  if (o->SamplesPerSec != Data->SamplesPerSec || o->Channels != Data->Channels ||
      o->BitsPerSample != Data->BitsPerSample)
    return;
  int32_t frameBytes = Data->PcmFrameBytes();
  int32_t kept = Data->Size / frameBytes * frameBytes;
  if (o->Size > INT32_MAX - kept) return;
  SetSize(kept + o->Size);
  memcpy(Data->Data + kept, o->Data, o->Size);
}

void Sound::MakeTone(double frequency, double duration) {
  if (!(duration > 0)) duration = 0;  // negative or not a number
  if (duration > 3600) duration = 3600;
  double f = fabs(frequency);
  if (!(f >= 1)) f = 1;  // below 1 or not a number
  if (f > 11025) f = 11025;
  int32_t periods = RoundToInt(duration * f);
  if (periods < 1) periods = 1;
  int32_t n = RoundToInt(periods / f * 22050);
  New(2 * n);
  double step = f * Pi / 11025;
  for (int32_t k = 0; k < n; k++) PutSample16(Data->Data + 2 * k, RoundToInt(32767 * sin(step * (n - k))));
}
