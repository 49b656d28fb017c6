// Tests of sounds: handle rules over heap and image records, the PCM
// conversions with exact samples, tones, unsafe input, and decompression
// through the audio compression manager with small hand-built or
// test-time-encoded blocks.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>
#include <math.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "values/sound.h"

namespace {

typedef std::vector<uint8_t> Bytes;
typedef std::vector<int> Samples;

// A PCM sound of the given form; `samples` are bytes for 8 bits, signed values for 16.
Sound Pcm(int channels, int bits, int rate, const Samples& samples) {
  int sampleBytes = bits / 8;
  Sound s;
  s.New((int32_t)samples.size() * sampleBytes);
  s.Data->Channels = channels;
  s.Data->BitsPerSample = bits;
  s.Data->SamplesPerSec = rate;
  for (size_t i = 0; i < samples.size(); i++) {
    s.Data->Data[i * sampleBytes] = (uint8_t)samples[i];
    if (bits == 16) s.Data->Data[i * 2 + 1] = (uint8_t)(samples[i] >> 8);
  }
  return s;
}

Samples SamplesOf(const Sound& s) {
  Samples out;
  const uint8_t* d = s.Data->Data;
  if (s.Data->BitsPerSample == 16) {
    for (int32_t i = 0; i + 1 < s.Data->Size; i += 2) out.push_back((int16_t)(d[i] | d[i + 1] << 8));
  } else {
    for (int32_t i = 0; i < s.Data->Size; i++) out.push_back(d[i]);
  }
  return out;
}

std::string Form(const SoundData* r) {
  return "tag " + std::to_string(r->FormatTag) + ", " + std::to_string(r->Channels) + " ch, " +
         std::to_string(r->BitsPerSample) + " bits, " + std::to_string(r->SamplesPerSec) + " Hz, header " +
         std::to_string(r->FormatHeaderSize) + ", " + std::to_string(r->Size) + " bytes";
}

std::string PcmForm(int channels, int bits, int rate, int size) {
  SoundData r = {1, size, rate, PcmFormatTag, channels, bits, 0, nullptr};
  return Form(&r);
}

// A record over bytes that stand for program-image data: never freed.
SoundData ImageRecord(int tag, int channels, int bits, int rate, uint8_t* data, int32_t size, int32_t header) {
  return {ImageCountBase, size, rate, tag, channels, bits, header, data};
}

// Readable bytes between two inaccessible pages, so any read before or past
// the bytes placed at either edge faults.
class GuardedBytes {
 public:
  GuardedBytes() {
    Base = (uint8_t*)VirtualAlloc(nullptr, 3 * Page, MEM_RESERVE, PAGE_NOACCESS);
    VirtualAlloc(Base + Page, Page, MEM_COMMIT, PAGE_READWRITE);
  }
  ~GuardedBytes() { VirtualFree(Base, 0, MEM_RELEASE); }
  uint8_t* AtEnd(const Bytes& b) { return Place(Base + 2 * Page - b.size(), b); }
  uint8_t* AtStart(const Bytes& b) { return Place(Base + Page, b); }
  // Address space that faults on every access, for records whose size
  // claims far more than any buffer holds.
  uint8_t* Unreadable() { return Base; }

 private:
  static const int Page = 4096;
  uint8_t* Base;
  uint8_t* Place(uint8_t* at, const Bytes& b) {
    if (!b.empty()) memcpy(at, b.data(), b.size());
    return at;
  }
};

void Put16(Bytes& b, int v) {
  b.push_back((uint8_t)v);
  b.push_back((uint8_t)(v >> 8));
}
void Put32(Bytes& b, int v) {
  Put16(b, v & 0xFFFF);
  Put16(b, (v >> 16) & 0xFFFF);
}

// A WAVEFORMATEX, cbSize last; the caller appends the extra bytes.
Bytes WaveFormat(int tag, int channels, int rate, int avgBytes, int blockAlign, int bits, int extra) {
  Bytes b;
  Put16(b, tag);
  Put16(b, channels);
  Put32(b, rate);
  Put32(b, avgBytes);
  Put16(b, blockAlign);
  Put16(b, bits);
  Put16(b, extra);
  return b;
}

// A compressed sound as the loader makes it: the format header, then the data.
Sound Compressed(const Bytes& format, const Bytes& data) {
  const WAVEFORMATEX* f = (const WAVEFORMATEX*)format.data();
  Sound s;
  s.New((int32_t)(format.size() + data.size()));
  memcpy(s.Data->Data, format.data(), format.size());
  if (!data.empty()) memcpy(s.Data->Data + format.size(), data.data(), data.size());
  s.Data->FormatTag = f->wFormatTag;
  s.Data->Channels = f->nChannels;
  s.Data->BitsPerSample = f->wBitsPerSample;
  s.Data->SamplesPerSec = (int32_t)f->nSamplesPerSec;
  s.Data->FormatHeaderSize = (int32_t)format.size();
  return s;
}

class SoundTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!EmptySound.Data) InitEmptySound();
  }
};

// --- Handle rules --------------------------------------------------------

class SoundHandle : public SoundTest {};

TEST_F(SoundHandle, EmptySoundsShareOneRecordOfTheDefaultForm) {
  Sound a, b;
  EXPECT_EQ(&EmptySoundData, a.Data);
  EXPECT_EQ(&EmptySoundData, EmptySound.Data);
  EXPECT_EQ(a.Data, b.Data);
  EXPECT_EQ(PcmForm(1, 16, 22050, 0), Form(a.Data));
  EXPECT_NE(nullptr, EmptySoundData.Data);
}

TEST_F(SoundHandle, NewRecordsTakeTheDefaultFormAndRaiseNegativeSizes) {
  Sound s;
  s.New(6);
  EXPECT_EQ(1, s.Data->RefCount);
  EXPECT_EQ(PcmForm(1, 16, 22050, 6), Form(s.Data));
  s.New(-5);
  EXPECT_EQ(0, s.Data->Size);
  alignas(Sound) uint8_t raw[sizeof(Sound)];
  Sound* t = reinterpret_cast<Sound*>(raw);
  t->InitNew(4);
  EXPECT_EQ(PcmForm(1, 16, 22050, 4), Form(t->Data));
  t->~Sound();
}

TEST_F(SoundHandle, ChangingAnEmptySoundNeverChangesAnotherEmptySound) {
  Sound a, b;
  a.SetSize(2);
  a.Data->Data[0] = 7;
  EXPECT_NE(&EmptySoundData, a.Data);
  EXPECT_EQ(&EmptySoundData, b.Data);
  EXPECT_EQ(0, EmptySoundData.Size);
}

TEST_F(SoundHandle, SetSizeCopiesASharedRecordAndKeepsTheFirstBytes) {
  Sound a = Pcm(1, 8, 11025, {1, 2, 3, 4});
  Sound b(a);
  b.SetSize(2);
  EXPECT_EQ((Samples{1, 2, 3, 4}), SamplesOf(a));
  EXPECT_EQ((Samples{1, 2}), SamplesOf(b));
  EXPECT_EQ(PcmForm(1, 8, 11025, 2), Form(b.Data));
  b.SetSize(-1);
  EXPECT_EQ(0, b.Data->Size);
  b.SetSize(3);
  EXPECT_EQ(3, b.Data->Size);
}

TEST_F(SoundHandle, MakeDistinctKeepsImageDataAndCopiesHeapData) {
  uint8_t image[4] = {10, 20, 30, 40};
  SoundData record = ImageRecord(PcmFormatTag, 1, 8, 8000, image, 4, 0);
  Sound a;
  a.Assign(&record);
  Sound b(a);
  b.MakeDistinct();
  EXPECT_NE(&record, b.Data);
  EXPECT_EQ(image, b.Data->Data);
  EXPECT_EQ(ImageCountBase, b.Data->RefCount);
  EXPECT_EQ(ImageCountBase + 1, record.RefCount);
  EXPECT_EQ(PcmForm(1, 8, 8000, 4), Form(b.Data));

  Sound c = Pcm(1, 8, 8000, {5, 6});
  Sound d(c);
  d.MakeDistinct();
  EXPECT_NE(c.Data, d.Data);
  EXPECT_NE(c.Data->Data, d.Data->Data);
  EXPECT_EQ(1, d.Data->RefCount);
  EXPECT_EQ(1, c.Data->RefCount);
  EXPECT_EQ((Samples{5, 6}), SamplesOf(d));
}

TEST_F(SoundHandle, MakeDistinctTreatsCountsFromImageCountBaseLess999AsImageRecords) {
  struct Case {
    int32_t count;
    bool keepsData;
  } cases[] = {{ImageCountBase - 999, true}, {ImageCountBase - 1000, false}, {ImageCountBase + 5, true}};
  for (const Case& c : cases) {
    uint8_t bytes[2] = {1, 2};
    SoundData record = ImageRecord(PcmFormatTag, 1, 8, 8000, bytes, 2, 0);
    record.RefCount = c.count - 1;  // the count MakeDistinct sees includes this handle
    Sound s;
    s.Assign(&record);
    s.MakeDistinct();
    EXPECT_EQ(c.keepsData, s.Data->Data == bytes) << c.count;
    EXPECT_EQ(c.keepsData ? ImageCountBase : 1, s.Data->RefCount) << c.count;
    EXPECT_EQ(c.count - 1, record.RefCount) << c.count;
    EXPECT_EQ((Samples{1, 2}), SamplesOf(s)) << c.count;
  }
}

TEST_F(SoundHandle, ChangingACopyOfAnImageSoundNeverChangesTheImageData) {
  uint8_t image[4] = {0, 128, 255, 64};
  SoundData record = ImageRecord(PcmFormatTag, 1, 8, 8000, image, 4, 0);
  {
    Sound a;
    a.Assign(&record);
    a.To16Bit();
    EXPECT_EQ((Samples{-32768, 0, 32512, -16384}), SamplesOf(a));
    Sound b;
    b.Assign(&record);
    b.SetSize(2);
    b.Data->Data[0] = 99;
    Sound c;
    c.Assign(&record);
    c.MakeDistinct();
    c.SetSize(4);
    c.Data->Data[1] = 99;
  }
  EXPECT_EQ(ImageCountBase, record.RefCount);
  EXPECT_EQ(0, memcmp(image, "\x00\x80\xff\x40", 4));
  EXPECT_EQ(PcmForm(1, 8, 8000, 4), Form(&record));
}

TEST_F(SoundHandle, ListCopiesOutsideTheListAreTheEmptySound) {
  uint8_t image[2] = {1, 2};
  SoundData record = ImageRecord(PcmFormatTag, 1, 8, 8000, image, 2, 0);
  {
    SoundList list;
    list.Init();
    EXPECT_EQ(0, list.AppendRecord(&record));
    EXPECT_EQ(1, list.AppendCopy(0));
    EXPECT_EQ(2, list.AppendCopy(2));
    EXPECT_EQ(3, list.AppendCopies(-1, 2));
    EXPECT_EQ(&record, list[1].Data);
    for (int i = 2; i < 5; i++) EXPECT_EQ(&EmptySoundData, list[i].Data) << i;
    EXPECT_EQ(&EmptySound, &list.Get(5));
    EXPECT_EQ(ImageCountBase + 2, record.RefCount);
    list.RemoveAll();
  }
  EXPECT_EQ(ImageCountBase, record.RefCount);
}

TEST_F(SoundHandle, StartUpInitialisersMakeTheEmptySoundAndAnEmptyList) {
  InitSounds();
  EXPECT_EQ(0, Sounds.Count);
  EXPECT_EQ(nullptr, Sounds.Items);
  Sounds.AppendCopy(0);
  EXPECT_EQ(&EmptySoundData, Sounds[0].Data);
  Sounds.RemoveAll();
}

// --- Bits and channels ---------------------------------------------------

class SoundFormat : public SoundTest {};

TEST_F(SoundFormat, To8BitMapsSamplesExactly) {
  Sound s = Pcm(1, 16, 22050, {-32768, -32641, -32640, -129, -128, -1, 0, 127, 128, 32383, 32384, 32639, 32640, 32767});
  s.To8Bit();
  EXPECT_EQ(PcmForm(1, 8, 22050, 14), Form(s.Data));
  EXPECT_EQ((Samples{0, 0, 1, 127, 128, 128, 128, 128, 129, 254, 255, 255, 255, 255}), SamplesOf(s));
}

TEST_F(SoundFormat, To16BitMapsBytesExactly) {
  Sound s = Pcm(2, 8, 8000, {0, 1, 127, 128, 129, 255});
  s.To16Bit();
  EXPECT_EQ(PcmForm(2, 16, 8000, 12), Form(s.Data));
  EXPECT_EQ((Samples{-32768, -32512, -256, 0, 256, 32512}), SamplesOf(s));
}

TEST_F(SoundFormat, ToStereoDoublesEverySample) {
  Sound a = Pcm(1, 8, 11025, {1, 200, 3});
  a.ToStereo();
  EXPECT_EQ(PcmForm(2, 8, 11025, 6), Form(a.Data));
  EXPECT_EQ((Samples{1, 1, 200, 200, 3, 3}), SamplesOf(a));
  Sound b = Pcm(1, 16, 11025, {-2, 30000});
  b.ToStereo();
  EXPECT_EQ(PcmForm(2, 16, 11025, 8), Form(b.Data));
  EXPECT_EQ((Samples{-2, -2, 30000, 30000}), SamplesOf(b));
}

TEST_F(SoundFormat, ToMonoAveragesFramesWith8BitTiesAlternating) {
  struct Case {
    int bits;
    Samples in, out;
  } cases[] = {
      {8, {1, 2, 1, 2, 1, 2}, {1, 2, 1}},
      {8, {0, 255, 0, 255}, {127, 128}},
      {8, {255, 255, 0, 0}, {255, 0}},
      {16, {-1, -2, 1, 2}, {-1, 1}},
      {16, {-32768, 32767, 32767, -32768}, {0, 0}},
      {16, {-32768, -32768, 32767, 32767, -3, 0}, {-32768, 32767, -1}},
  };
  for (const Case& c : cases) {
    Sound s = Pcm(2, c.bits, 44100, c.in);
    s.ToMono();
    EXPECT_EQ(PcmForm(1, c.bits, 44100, (int)c.in.size() * c.bits / 16), Form(s.Data)) << c.bits;
    EXPECT_EQ(c.out, SamplesOf(s)) << c.bits << " bits, first input " << c.in[0];
  }
}

TEST_F(SoundFormat, OddTrailingBytesAreDroppedOrSilent) {
  Sound a = Pcm(1, 8, 8000, {0, 0, 0, 0, 0});
  memcpy(a.Data->Data, "\x00\x80\xff\x7f\x55", 5);
  a.Data->BitsPerSample = 16;  // 2.5 samples: 0x8000, 0x7fff, a stray byte
  a.To8Bit();
  EXPECT_EQ((Samples{0, 255}), SamplesOf(a));

  Sound b = Pcm(1, 8, 8000, {0x34, 0x12, 0x55});
  b.Data->BitsPerSample = 16;
  b.ToStereo();
  EXPECT_EQ(6, b.Data->Size);
  EXPECT_EQ((Samples{0x1234, 0x1234, 0}), SamplesOf(b));

  Sound c = Pcm(2, 8, 8000, {2, 4, 6, 8, 10, 12, 14});
  c.Data->BitsPerSample = 16;  // one frame of 16-bit stereo and three stray bytes
  c.ToMono();
  EXPECT_EQ(3, c.Data->Size);
  EXPECT_EQ(0, c.Data->Data[2]);
  EXPECT_EQ((Samples{(0x0402 + 0x0806) / 2}), SamplesOf(c));
}

TEST_F(SoundFormat, SoundsAlreadyInTheRequestedFormKeepTheirRecord) {
  Sound mono8 = Pcm(1, 8, 8000, {1, 2});
  Sound stereo16 = Pcm(2, 16, 8000, {1, 2});
  SoundData* m = mono8.Data;
  SoundData* s = stereo16.Data;
  mono8.To8Bit();
  mono8.ToMono();
  stereo16.To16Bit();
  stereo16.ToStereo();
  EXPECT_EQ(m, mono8.Data);
  EXPECT_EQ(s, stereo16.Data);
  EXPECT_EQ((Samples{1, 2}), SamplesOf(mono8));
}

TEST_F(SoundFormat, AConversionLeavesOtherSharersUnchanged) {
  Sound a = Pcm(1, 8, 8000, {0, 255});
  Sound b(a);
  b.To16Bit();
  EXPECT_EQ((Samples{0, 255}), SamplesOf(a));
  EXPECT_EQ(1, a.Data->RefCount);
  EXPECT_EQ((Samples{-32768, 32512}), SamplesOf(b));
}

// --- Speed and rate ------------------------------------------------------

class SoundSpeed : public SoundTest {};

TEST_F(SoundSpeed, ResamplesByLinearInterpolationRoundingTiesToEven) {
  struct Case {
    const char* name;
    int channels, bits;
    double factor;
    Samples in, out;
  } cases[] = {
      {"double speed, 7 samples", 1, 16, 2, {0, 1, 2, 3, 4, 5, 6}, {0, 2, 4}},
      {"half speed", 1, 16, 0.5, {0, 100}, {0, 50, 100, 100}},
      {"half speed, tie to even 0", 1, 16, 0.5, {0, 1}, {0, 0, 1, 1}},
      {"half speed, tie to even 2", 1, 16, 0.5, {0, 3}, {0, 2, 3, 3}},
      {"half speed, negative tie", 1, 16, 0.5, {0, -3}, {0, -2, -3, -3}},
      {"quarter speed", 1, 16, 0.25, {0, 40}, {0, 10, 20, 30, 40, 40, 40, 40}},
      {"8-bit stereo", 2, 8, 0.5, {0, 255, 100, 50}, {0, 255, 50, 153, 100, 50, 100, 50}},
      {"1.5 times, 16-bit stereo", 2, 16, 1.5, {0, -10, 10, -20, 20, -30, 30, -40},
       {0, -10, 15, -25}},
      {"factor above 100 acts as 100", 1, 8, 150, Samples(200, 7), {7, 7}},
  };
  for (const Case& c : cases) {
    Sound s = Pcm(c.channels, c.bits, 22050, c.in);
    s.ChangeSpeed(c.factor);
    EXPECT_EQ(PcmForm(c.channels, c.bits, 22050, (int)c.out.size() * c.bits / 8), Form(s.Data)) << c.name;
    EXPECT_EQ(c.out, SamplesOf(s)) << c.name;
  }
}

TEST_F(SoundSpeed, NewLengthIsRoundedAndCutToWholeFrames) {
  struct Case {
    int channels, bits, size;
    double factor;
    int newSize;
  } cases[] = {
      {1, 16, 14, 2, 6},        // 7 bytes, cut to 3 samples
      {2, 16, 8, 0.8, 8},       // 10 bytes, cut to 2 frames
      {2, 16, 12, 1.1, 8},      // 10.9 rounds to 11, cut to 2 frames
      {1, 8, 3, 2, 2},          // 1.5 rounds to even: 2
      {1, 8, 5, 2, 2},          // 2.5 rounds to even: 2
      {1, 16, 2, 0.005, 200},   // below 0.01 acts as 0.01
      {1, 16, 2, 0.01, 200},
      {1, 16, 4, 100, 0},       // 0.04 bytes: an empty sound
  };
  for (const Case& c : cases) {
    Sound s = Pcm(c.channels, c.bits, 22050, Samples(c.size / (c.bits / 8), 9));
    s.SetSize(c.size);
    s.ChangeSpeed(c.factor);
    EXPECT_EQ(c.newSize, s.Data->Size) << c.channels << " ch, " << c.bits << " bits, " << c.size << " bytes, factor "
                                       << c.factor;
  }
}

TEST_F(SoundSpeed, FactorOneOrNotANumberChangesNothing) {
  Sound s = Pcm(1, 16, 22050, {1, 2, 3});
  SoundData* r = s.Data;
  s.ChangeSpeed(1);
  s.ChangeSpeed(nan(""));
  EXPECT_EQ(r, s.Data);
  EXPECT_EQ((Samples{1, 2, 3}), SamplesOf(s));
}

TEST_F(SoundSpeed, SetRateResamplesAndTakesRatesFrom100To200000) {
  struct Case {
    int from, to, rate, size;
  } cases[] = {
      {11025, 22050, 22050, 16}, {22050, 11025, 11025, 4}, {200, 100, 100, 4}, {8000, 100, 100, 0},
      {100, 200000, 200000, 800},  // factor 0.0005 acts as 0.01
      {8000, 99, 8000, 8},         {8000, 200001, 8000, 8}, {8000, 8000, 8000, 8},
  };
  for (const Case& c : cases) {
    Sound s = Pcm(1, 16, c.from, {0, 100, 200, 300});
    s.SetRate(c.to);
    EXPECT_EQ(PcmForm(1, 16, c.rate, c.size), Form(s.Data)) << c.from << " to " << c.to;
  }
  Sound s = Pcm(1, 16, 11025, {0, 100, 200, 300});
  s.SetRate(22050);
  EXPECT_EQ((Samples{0, 50, 100, 150, 200, 250, 300, 300}), SamplesOf(s));
}

TEST_F(SoundSpeed, SetRateOnASharedSoundLeavesTheOtherSharer) {
  Sound a = Pcm(1, 16, 8000, {});
  Sound b(a);
  b.SetRate(11025);
  EXPECT_EQ(8000, a.Data->SamplesPerSec);
  EXPECT_EQ(11025, b.Data->SamplesPerSec);
}

// --- Joining -------------------------------------------------------------

class SoundAppend : public SoundTest {};

TEST_F(SoundAppend, RatesMeetAtTheTargetRateOfTheLarger) {
  struct Case {
    int a, b, joined;
  } cases[] = {
      {11025, 22050, 22050}, {22050, 44100, 44100}, {8000, 8000, 8000},   {48000, 48000, 48000},
      {11050, 8000, 11025},  {8000, 11051, 22050},  {22100, 11025, 22050}, {22101, 22050, 44100},
      {96000, 11025, 44100},
  };
  for (const Case& c : cases) {
    Sound s = Pcm(1, 16, c.a, {1, 2, 3, 4});
    Sound t = Pcm(1, 16, c.b, {5, 6});
    s.Append(t);
    EXPECT_EQ(c.joined, s.Data->SamplesPerSec) << c.a << " + " << c.b;
    EXPECT_EQ(c.b, t.Data->SamplesPerSec) << c.a << " + " << c.b;
  }
}

TEST_F(SoundAppend, ResamplesBothSoundsToTheTargetRate) {
  Sound s = Pcm(1, 16, 11025, {0, 100});
  Sound t = Pcm(1, 16, 44100, {0, 10, 20, 30});
  s.Append(t);
  EXPECT_EQ(PcmForm(1, 16, 44100, 16 + 8), Form(s.Data));
  EXPECT_EQ((Samples{0, 25, 50, 75, 100, 100, 100, 100, 0, 10, 20, 30}), SamplesOf(s));
}

TEST_F(SoundAppend, JoinsInTheWiderFormAndNeverChangesTheArgument) {
  Sound s = Pcm(1, 8, 8000, {128, 255});
  Sound t = Pcm(2, 16, 8000, {-5, 5});
  SoundData* other = t.Data;
  s.Append(t);
  EXPECT_EQ(PcmForm(2, 16, 8000, 12), Form(s.Data));
  EXPECT_EQ((Samples{0, 0, 32512, 32512, -5, 5}), SamplesOf(s));
  EXPECT_EQ(other, t.Data);
  EXPECT_EQ(PcmForm(2, 16, 8000, 4), Form(t.Data));
  EXPECT_EQ((Samples{-5, 5}), SamplesOf(t));

  Sound u = Pcm(2, 16, 8000, {1, 2});
  Sound v = Pcm(1, 8, 8000, {0});
  u.Append(v);
  EXPECT_EQ((Samples{1, 2, -32768, -32768}), SamplesOf(u));
  EXPECT_EQ(PcmForm(1, 8, 8000, 1), Form(v.Data));
}

TEST_F(SoundAppend, CutsAPartialFrameBeforeTheJoinAndJoinsToItself) {
  Sound s = Pcm(2, 8, 8000, {1, 2, 3});
  Sound t = Pcm(2, 8, 8000, {4, 5});
  s.Append(t);
  EXPECT_EQ((Samples{1, 2, 4, 5}), SamplesOf(s));
  s.Append(s);
  EXPECT_EQ((Samples{1, 2, 4, 5, 1, 2, 4, 5}), SamplesOf(s));
  Sound empty;
  empty.Append(Pcm(1, 16, 22050, {4, 5}));
  EXPECT_EQ((Samples{4, 5}), SamplesOf(empty));
  EXPECT_EQ(0, EmptySoundData.Size);
}

// --- Tones ---------------------------------------------------------------

class SoundTone : public SoundTest {};

TEST_F(SoundTone, LengthIsWholePeriodsOfTheLimitedFrequency) {
  struct Case {
    double frequency, duration;
    int samples;
  } cases[] = {
      {1000, 1, 22050},   {0.2, 0, 22050},        {-440, 1, 22050},     {440, -3, 50},
      {nan(""), 0.5, 22050}, {1, nan(""), 22050}, {20000, 0.01, 220},    {3, 0.5, 14700},
      {2756.25, 1, 22048},
  };
  for (const Case& c : cases) {
    Sound s = Pcm(2, 8, 8000, {1, 2});
    s.MakeTone(c.frequency, c.duration);
    EXPECT_EQ(PcmForm(1, 16, 22050, 2 * c.samples), Form(s.Data)) << c.frequency << " Hz, " << c.duration << " s";
  }
}

TEST_F(SoundTone, SamplesRunBackwardsFromAZeroCrossing) {
  Sound s;
  s.MakeTone(2756.25, 1);  // an eighth of a period per sample
  Samples all = SamplesOf(s);
  ASSERT_EQ(22048u, all.size());
  Samples first(all.begin(), all.begin() + 9);
  EXPECT_EQ((Samples{0, -23170, -32767, -23170, 0, 23170, 32767, 23170, 0}), first);
  // The last sample is one step before the zero crossing that ends the tone.
  EXPECT_EQ((Samples{23170, 32767, 23170}), Samples(all.end() - 3, all.end()));

  Sound q;
  q.MakeTone(5512.5, 1);  // a quarter period per sample: 5512 periods
  Samples quarter = SamplesOf(q);
  ASSERT_EQ(22048u, quarter.size());
  EXPECT_EQ((Samples{0, -32767, 0, 32767, 0}), Samples(quarter.begin(), quarter.begin() + 5));
}

TEST_F(SoundTone, NegativeFrequencyGivesTheSameTone) {
  Sound a, b;
  a.MakeTone(440, 1);
  b.MakeTone(-440, 1);
  EXPECT_EQ(SamplesOf(a), SamplesOf(b));
  Samples s = SamplesOf(a);
  int peak = 0;
  for (int v : s) peak = v > peak ? v : peak;
  EXPECT_EQ(32767, peak);
  EXPECT_EQ(0, s[0]);
}

// --- Unsafe input --------------------------------------------------------

class SoundBadInput : public SoundTest {};

// Every conversion on a record that must stay as it is.
void ExpectEveryConversionLeaves(SoundData* record, const char* name) {
  SoundData before = *record;
  Sound other = Pcm(1, 16, 22050, {1, 2});
  void (*steps[])(Sound&, const Sound&) = {
      [](Sound& s, const Sound&) { s.To8Bit(); },        [](Sound& s, const Sound&) { s.To16Bit(); },
      [](Sound& s, const Sound&) { s.ToStereo(); },      [](Sound& s, const Sound&) { s.ToMono(); },
      [](Sound& s, const Sound&) { s.ChangeSpeed(0.5); }, [](Sound& s, const Sound&) { s.SetRate(11025); },
      [](Sound& s, const Sound& o) { s.Append(o); },     [](Sound& s, const Sound&) { s.DecompressToPcm(); },
  };
  int step = 0;
  for (auto run : steps) {
    Sound s;
    s.Assign(record);
    run(s, other);
    EXPECT_EQ(record, s.Data) << name << ", step " << step;
    step++;
  }
  EXPECT_EQ(0, memcmp(&before, record, sizeof before)) << name;
  // Joining the record to a playable sound leaves that sound too.
  SoundData* o = other.Data;
  Sound r;
  r.Assign(record);
  other.Append(r);
  EXPECT_EQ(o, other.Data) << name;
}

TEST_F(SoundBadInput, UnplayablePcmFormatsAreNeverConverted) {
  struct Case {
    const char* name;
    int channels, bits, rate;
  } cases[] = {
      {"no channels", 0, 16, 22050}, {"no bits", 1, 0, 22050},       {"rate 0", 2, 8, 0},
      {"negative rate", 1, 8, -5},   {"three channels", 3, 16, 22050}, {"24 bits", 2, 24, 22050},
  };
  GuardedBytes guard;
  for (const Case& c : cases) {
    uint8_t* bytes = guard.AtEnd(Bytes{1, 2, 3, 4, 5, 6});
    SoundData record = ImageRecord(PcmFormatTag, c.channels, c.bits, c.rate, bytes, 6, 0);
    ExpectEveryConversionLeaves(&record, c.name);
  }
}

TEST_F(SoundBadInput, CompressedRecordsTooShortForTheirHeaderStayAsTheyAre) {
  struct Case {
    const char* name;
    int size, extra;
  } cases[] = {
      {"no bytes", 0, 0},         {"17 bytes", 17, 0},          {"18 bytes, 1 extra", 18, 1},
      {"20 bytes, 3 extra", 20, 3}, {"50 bytes, 65535 extra", 50, 65535},
  };
  GuardedBytes guard;
  for (const Case& c : cases) {
    Bytes b = WaveFormat(WAVE_FORMAT_MULAW, 1, 8000, 8000, 1, 8, c.extra);
    b.resize(c.size, 0xFF);
    // Both edges, so neither a read past the end nor one before the start goes unseen.
    for (uint8_t* bytes : {guard.AtEnd(b), guard.AtStart(b)}) {
      SoundData record = ImageRecord(WAVE_FORMAT_MULAW, 1, 8, 8000, bytes, c.size, WaveFormatExSize + c.extra);
      ExpectEveryConversionLeaves(&record, c.name);
    }
  }
}

TEST_F(SoundBadInput, ChangeSpeedOfLessThanOneFrameReadsNothing) {
  struct Case {
    int channels, bits, size;
  } cases[] = {{1, 16, 1}, {2, 16, 3}, {2, 8, 1}, {1, 8, 0}};
  GuardedBytes guard;
  for (const Case& c : cases) {
    Bytes b(c.size, 0x40);
    for (uint8_t* bytes : {guard.AtEnd(b), guard.AtStart(b)}) {
      SoundData record = ImageRecord(PcmFormatTag, c.channels, c.bits, 8000, bytes, c.size, 0);
      for (double factor : {0.01, 0.5, 2.0}) {
        Sound s;
        s.Assign(&record);
        s.ChangeSpeed(factor);
        EXPECT_EQ(&record, s.Data) << c.channels << " ch, " << c.bits << " bits, " << c.size << " bytes";
      }
      // The rate still changes: there is no sample to resample.
      Sound s;
      s.Assign(&record);
      s.SetRate(16000);
      EXPECT_EQ(16000, s.Data->SamplesPerSec);
      EXPECT_EQ(c.size, s.Data->Size);
    }
  }
}

TEST_F(SoundBadInput, ResultsLargerThan32BitsLeaveTheSoundUnread) {
  GuardedBytes guard;
  uint8_t* nowhere = guard.Unreadable();
  struct Case {
    const char* name;
    int channels, bits, size;
    void (*run)(Sound&);
  } cases[] = {
      {"To16Bit", 1, 8, 0x40000000, [](Sound& s) { s.To16Bit(); }},
      {"ToStereo", 1, 16, 0x40000000, [](Sound& s) { s.ToStereo(); }},
      {"ChangeSpeed", 1, 16, 0x02000000, [](Sound& s) { s.ChangeSpeed(0.01); }},
      {"SetRate", 2, 16, 0x02000000, [](Sound& s) { s.SetRate(200000); }},
  };
  for (const Case& c : cases) {
    SoundData record = ImageRecord(PcmFormatTag, c.channels, c.bits, 2000, nowhere, c.size, 0);
    Sound s;
    s.Assign(&record);
    c.run(s);
    EXPECT_EQ(&record, s.Data) << c.name;
    EXPECT_EQ(2000, record.SamplesPerSec) << c.name;
  }
  SoundData a = ImageRecord(PcmFormatTag, 1, 16, 8000, nowhere, 0x40000000, 0);
  SoundData b = a;
  Sound s, t;
  s.Assign(&a);
  t.Assign(&b);
  s.Append(t);
  EXPECT_EQ(&a, s.Data);
}

// --- Decompression through the audio compression manager -----------------

class SoundAcm : public SoundTest {};

TEST_F(SoundAcm, G711BlocksDecodeToExactSamples) {
  struct Case {
    const char* name;
    int tag;
    Bytes in;
    Samples out;
  } cases[] = {
      {"mu-law", WAVE_FORMAT_MULAW, {0xFF, 0x7F, 0x80, 0x00, 0xF0, 0x70}, {0, 0, 32124, -32124, 120, -120}},
      {"A-law", WAVE_FORMAT_ALAW, {0xD5, 0x55, 0xAA, 0x2A}, {8, -8, 32256, -32256}},
  };
  for (const Case& c : cases) {
    Sound s = Compressed(WaveFormat(c.tag, 1, 8000, 8000, 1, 8, 0), c.in);
    s.DecompressToPcm();
    EXPECT_EQ(PcmForm(1, 16, 8000, (int)c.out.size() * 2), Form(s.Data)) << c.name;
    EXPECT_EQ(c.out, SamplesOf(s)) << c.name;
  }
}

TEST_F(SoundAcm, ConversionsDecompressFirst) {
  Sound s = Compressed(WaveFormat(WAVE_FORMAT_MULAW, 1, 8000, 8000, 1, 8, 0), {0xFF, 0x80, 0x00});
  s.To8Bit();
  EXPECT_EQ(PcmForm(1, 8, 8000, 3), Form(s.Data));
  EXPECT_EQ((Samples{128, 253, 3}), SamplesOf(s));

  Sound t = Compressed(WaveFormat(WAVE_FORMAT_ALAW, 1, 8000, 8000, 1, 8, 0), {0xD5});
  Sound u = Pcm(1, 16, 8000, {1});
  u.Append(t);
  EXPECT_EQ((Samples{1, 8}), SamplesOf(u));
  EXPECT_EQ(WAVE_FORMAT_ALAW, t.Data->FormatTag);
}

TEST_F(SoundAcm, ImageSoundIsDecodedIntoANewRecord) {
  Bytes b = WaveFormat(WAVE_FORMAT_MULAW, 1, 8000, 8000, 1, 8, 0);
  b.push_back(0x80);
  Bytes image = b;
  SoundData record = ImageRecord(WAVE_FORMAT_MULAW, 1, 8, 8000, image.data(), (int32_t)image.size(), 18);
  Sound s;
  s.Assign(&record);
  s.DecompressToPcm();
  EXPECT_EQ((Samples{32124}), SamplesOf(s));
  EXPECT_EQ(1, s.Data->RefCount);
  EXPECT_EQ(ImageCountBase, record.RefCount);
  EXPECT_EQ(b, image);
}

// An MS ADPCM format of 256-byte mono blocks with the standard coefficients.
Bytes MsAdpcmFormat() {
  Bytes f = WaveFormat(WAVE_FORMAT_ADPCM, 1, 22050, 11289, 256, 4, 32);
  Put16(f, 500);  // samples per block: 2 in the header, 2 per byte after it
  Put16(f, 7);
  for (int c : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232}) Put16(f, c);
  return f;
}

TEST_F(SoundAcm, MsAdpcmBlockWithoutErrorsHoldsItsStartSamples) {
  // Predictor 0 repeats the last sample; zero nibbles add nothing to it.
  Bytes block = {0};
  Put16(block, 16);    // delta
  Put16(block, 1000);  // sample 1
  Put16(block, 500);   // sample 2, played first
  block.resize(256, 0);
  Bytes data = block;
  data.insert(data.end(), block.begin(), block.end());
  Sound s = Compressed(MsAdpcmFormat(), data);
  s.DecompressToPcm();
  ASSERT_EQ(PcmForm(1, 16, 22050, 2 * 1000), Form(s.Data));
  Samples out = SamplesOf(s);
  Samples expected(1000, 1000);
  expected[0] = expected[500] = 500;
  EXPECT_EQ(expected, out);
}

TEST_F(SoundAcm, Gsm610ZeroBlocksDecodeToTheirLength) {
  Bytes f = WaveFormat(WAVE_FORMAT_GSM610, 1, 8000, 1625, 65, 0, 2);
  Put16(f, 320);
  Sound s = Compressed(f, Bytes(3 * 65, 0));
  s.DecompressToPcm();
  EXPECT_EQ(PcmForm(1, 16, 8000, 3 * 320 * 2), Form(s.Data));
}

TEST_F(SoundAcm, Mp3SilentFramesDecodeToNearSilence) {
  // MPEG-1 layer III, 128 kbit/s, 44100 Hz, mono: 417-byte frames of 1152
  // samples; zero side information and main data code silence.
  Bytes f = WaveFormat(WAVE_FORMAT_MPEGLAYER3, 1, 44100, 16000, 1, 0, 12);
  Put16(f, MPEGLAYER3_ID_MPEG);
  Put32(f, MPEGLAYER3_FLAG_PADDING_OFF);
  Put16(f, 417);
  Put16(f, 1);
  Put16(f, 1393);
  Bytes data;
  for (int i = 0; i < 4; i++) {
    Bytes frame(417, 0);
    frame[0] = 0xFF;
    frame[1] = 0xFB;
    frame[2] = 0x90;
    frame[3] = 0xC0;
    data.insert(data.end(), frame.begin(), frame.end());
  }
  Sound s = Compressed(f, data);
  s.DecompressToPcm();
  EXPECT_EQ(PcmForm(1, 16, 44100, 4 * 1152 * 2), Form(s.Data));
  // Wine's decoder dithers its output: silence comes out as noise of a few
  // steps (at most 2 seen), whatever the frames' gain.
  for (int v : SamplesOf(s)) ASSERT_LE(abs(v), 4);
}

// PCM encoded through the manager at test time; the format header and the data.
struct Encoded {
  Bytes Format, Data;
};

Encoded EncodeWithAcm(int tag, int channels, const std::vector<int16_t>& pcm) {
  WAVEFORMATEX source = {WAVE_FORMAT_PCM, (WORD)channels, 22050, (DWORD)(44100 * channels), (WORD)(2 * channels), 16, 0};
  DWORD maxFormat = 0;
  acmMetrics(nullptr, ACM_METRIC_MAX_SIZE_FORMAT, &maxFormat);
  Bytes format(maxFormat < sizeof(WAVEFORMATEX) ? sizeof(WAVEFORMATEX) : maxFormat, 0);
  WAVEFORMATEX* target = (WAVEFORMATEX*)format.data();
  target->wFormatTag = (WORD)tag;
  Encoded e;
  if (acmFormatSuggest(nullptr, &source, target, (DWORD)format.size(), ACM_FORMATSUGGESTF_WFORMATTAG)) return e;
  HACMSTREAM stream;
  if (acmStreamOpen(&stream, nullptr, &source, target, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME)) return e;
  DWORD length = (DWORD)pcm.size() * 2, size = 0;
  acmStreamSize(stream, length, &size, ACM_STREAMSIZEF_SOURCE);
  e.Data.resize(size);
  ACMSTREAMHEADER h;
  memset(&h, 0, sizeof h);
  h.cbStruct = sizeof h;
  h.pbSrc = (BYTE*)pcm.data();
  h.cbSrcLength = length;
  h.pbDst = e.Data.data();
  h.cbDstLength = size;
  acmStreamPrepareHeader(stream, &h, 0);
  bool done = acmStreamConvert(stream, &h, 0) == MMSYSERR_NOERROR;
  acmStreamUnprepareHeader(stream, &h, 0);
  acmStreamClose(stream, 0);
  if (!done) return Encoded();
  e.Data.resize(h.cbDstLengthUsed);
  format.resize(WaveFormatExSize + target->cbSize);
  e.Format = format;
  return e;
}

TEST_F(SoundAcm, ImaAdpcmEncodedAtTestTimeDecodesCloseToTheOriginal) {
  for (int channels : {1, 2}) {
    std::vector<int16_t> pcm(3000 * channels);
    for (size_t i = 0; i < pcm.size(); i++)
      pcm[i] = (int16_t)lrint(12000 * sin((int)(i / channels) * 2 * 3.14159265358979 * 441 / 22050) + 3000 * (i % channels));
    Encoded e = EncodeWithAcm(WAVE_FORMAT_IMA_ADPCM, channels, pcm);
    ASSERT_FALSE(e.Data.empty()) << channels;
    const IMAADPCMWAVEFORMAT* f = (const IMAADPCMWAVEFORMAT*)e.Format.data();
    int blocks = (int)e.Data.size() / f->wfx.nBlockAlign;
    ASSERT_GT(blocks, 0) << channels;
    Sound s = Compressed(e.Format, e.Data);
    s.DecompressToPcm();
    int frames = blocks * f->wSamplesPerBlock;
    ASSERT_EQ(PcmForm(channels, 16, 22050, frames * channels * 2), Form(s.Data)) << channels;
    Samples out = SamplesOf(s);
    // The encoder's step size needs a few samples to adapt at the start.
    int worst = 0;
    for (int i = 200 * channels; i < frames * channels; i++) worst = std::max(worst, abs(out[i] - pcm[i]));
    EXPECT_LT(worst, 600) << channels << " channels";
  }
}

TEST_F(SoundAcm, FormatsWithoutADriverStayAsTheyAre) {
  Sound s = Compressed(WaveFormat(0x1234, 1, 8000, 8000, 1, 8, 0), Bytes(10, 0));
  SoundData* r = s.Data;
  s.DecompressToPcm();
  s.To16Bit();
  s.SetRate(11025);
  EXPECT_EQ(r, s.Data);
  EXPECT_EQ("tag 4660, 1 ch, 8 bits, 8000 Hz, header 18, 28 bytes", Form(s.Data));
}

}  // namespace
