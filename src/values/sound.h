// Sounds: blocks of audio data with their wave format behind one-word
// handles, and their conversions (bits, channels, rate, speed, joining, tones).
#pragma once
#include <stdint.h>
#include "base/global_storage.h"
#include "values/value_handle.h"

const int32_t PcmFormatTag = 1;
const int32_t WaveFormatExSize = 18;  // WAVEFORMATEX up to and including cbSize

struct SoundData {
  int32_t RefCount;
  int32_t Size;              // bytes of Data, header included
  int32_t SamplesPerSec;
  int32_t FormatTag;         // 1 is PCM
  int32_t Channels;          // 1 or 2
  int32_t BitsPerSample;     // 8 (unsigned) or 16 (signed) for PCM
  int32_t FormatHeaderSize;  // 0 for PCM; else 18 + cbSize of the WAVEFORMATEX that opens Data
  uint8_t* Data;

  // Bytes of one frame of a PCM sound the mixer can play (tag 1, 1 or 2
  // channels, 8 or 16 bits, a positive rate); 0 for every other record, so
  // no conversion divides by a zero or odd frame size.
  int32_t PcmFrameBytes() const;
};

// Count 1, size 0, 22050 Hz, PCM, mono, 16 bits, a static empty buffer.
extern SoundData EmptySoundData;

class Sound : public ValueHandle<Sound, SoundData> {
 public:
  Sound() {}

  // A handle to a new record of `size` bytes (below 0 counts as 0), 22050 Hz,
  // PCM, mono, 16 bits; the bytes are for the creator to fill.
  void InitNew(int32_t size) { Data = NewRecord(size); }
  void New(int32_t size) { Replace(NewRecord(size)); }
  // A record no other handle shares; image data is not copied (the copy
  // keeps pointing at it and is never freed).
  void MakeDistinct();
  void SetSize(int32_t n);

  // Conversions: each first decompresses to PCM and does nothing when the
  // sound is still not playable PCM or already has the requested form.
  void To8Bit();
  void To16Bit();
  void ToStereo();
  void ToMono();
  void DecompressToPcm();  // through the audio compression manager
  void SetRate(int32_t rate);
  void ChangeSpeed(double factor);
  void Append(const Sound& other);
  void MakeTone(double frequency, double duration);

  static SoundData* EmptyRecord() { return &EmptySoundData; }
  static void FreeRecord(SoundData* record);
  static SoundData* CopyRecord(const SoundData* record);
  static const Sound& EmptyValue();
  static SoundData* NewRecord(int32_t size);

 private:
  // The work of ChangeSpeed on playable PCM; false when the result cannot be
  // made (its size does not fit 32 bits), the sound then stays as it is.
  bool Resample(double factor);
  // A new record of `size` bytes with this sound's rate, tag, channels and bits.
  SoundData* NewRecordLike(int32_t size, int32_t channels, int32_t bits) const;
};

extern Sound& EmptySound;

typedef HandleList<Sound> SoundList;
extern SoundList& Sounds;

// Start-up: the global empty sound and the list of sounds.
void InitEmptySound();
void InitSounds();
