// Tests of the mixer and the wave output on a fake device: exact mixed
// samples of every mixing variant, gains, balance and saturation, the
// channel choice, loops, backwards play, pause, stop, positions, the solo
// player for compressed sounds, and the failure paths.
#include <math.h>
#include <string>
#include <utility>
#include <vector>
#include "fake_wave_device.h"

namespace {

typedef std::vector<int> Samples;
typedef std::pair<int, int> Frame;
typedef std::vector<Frame> Frames;

// A PCM sound; samples are bytes for 8 bits, signed values for 16.
Sound Pcm(int channels, int bits, const Samples& samples, int rate = 22050) {
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
Sound Mono16(const Samples& samples) { return Pcm(1, 16, samples); }

// n samples 0, 1, 2, ...: a played sample tells its source index.
Sound Ramp(int n) {
  Samples s(n);
  for (int i = 0; i < n; i++) s[i] = i;
  return Mono16(s);
}

// Starts with restart on; volume 1.25 gives the gains 1 at balance 0.
void Play(const Sound& s, double volume = 1.25, double balance = 0, double speed = 1, int loops = 1) {
  StartSound(s, loops, true, volume, balance, speed);
}

void Tick(int n = 1) {
  for (int i = 0; i < n; i++) ServiceWaveOutput();
}

// The first n frames the device played.
Frames Played(size_t n) {
  Frames f;
  for (size_t i = 0; i < n && 2 * i + 1 < FakeWave.Played.size(); i++)
    f.push_back({FakeWave.Played[2 * i], FakeWave.Played[2 * i + 1]});
  return f;
}

// One tick of mixing, all three blocks played: the first n frames.
Frames MixAndPlay(size_t n) {
  Tick();
  CompleteBlocks();
  return Played(n);
}

std::string Show(const Frames& frames) {
  std::string s;
  for (const Frame& f : frames) s += "(" + std::to_string(f.first) + "," + std::to_string(f.second) + ")";
  return s;
}

int ChannelOf(const Sound& s) {
  for (int i = 0; i < MixerChannelCount; i++)
    if (MixerChannels[i].Size > 0 && MixerChannels[i].Sound.Held() == s.Held()) return i;
  return -1;
}

class Mixer : public WaveOutputTest {};

// --- Mixed samples -----------------------------------------------------------

TEST_F(Mixer, ChannelsAddWithTheirGainsAndSaturate) {
  struct Start {
    Sound S;
    double Volume;
  };
  Sound a = Mono16({1000, -2000, 3000, 4000});
  Sound b = Pcm(1, 8, {138, 108});  // 2560, -5120
  Sound c = Mono16({1000, -1000, 250});
  Sound loud = Mono16({30000, -30000, 1000});
  Sound loud2 = Mono16({30000, -30000});
  struct Case {
    const char* Name;
    std::vector<Start> Starts;
    Frames Expected;
  } cases[] = {
      {"gains 1 and 0.5", {{a, 1.25}, {b, 0.625}}, {{2280, 2280}, {-4560, -4560}, {3000, 3000}, {4000, 4000}, {0, 0}}},
      {"gain 0.8", {{c, 1}}, {{800, 800}, {-800, -800}, {200, 200}, {0, 0}}},
      {"gain 0 adds nothing", {{c, 0}, {a, 1.25}}, {{1000, 1000}, {-2000, -2000}, {3000, 3000}, {4000, 4000}}},
      {"sums saturate at +-32767", {{loud, 1.25}, {loud2, 1.25}}, {{32767, 32767}, {-32767, -32767}, {1000, 1000}}},
      {"huge gains saturate, never wrap", {{loud, 1e300}}, {{32767, 32767}, {-32767, -32767}, {32767, 32767}}},
      {"negative huge gains", {{loud, -1e300}}, {{-32767, -32767}, {32767, 32767}, {-32767, -32767}}},
      {"infinite gain on silence adds nothing", {{Mono16({0, 5}), INFINITY}}, {{0, 0}, {32767, 32767}, {0, 0}}},
  };
  for (Case& k : cases) {
    SetUp();
    for (Start& s : k.Starts) Play(s.S, s.Volume);
    EXPECT_EQ(Show(k.Expected), Show(MixAndPlay(k.Expected.size()))) << k.Name;
    TearDown();
  }
}

// Speed 1 reads whole frames; speed 0.5 falls between them and interpolates,
// holding the last sample once the next one is outside.
TEST_F(Mixer, EveryVariantReadsItsSamples) {
  struct Case {
    const char* Name;
    Sound S;
    double Speed;
    Frames Expected;
  } cases[] = {
      {"8-bit mono", Pcm(1, 8, {138, 118}), 1, {{2560, 2560}, {-2560, -2560}, {0, 0}}},
      {"8-bit stereo", Pcm(2, 8, {138, 118, 148, 108}), 1, {{2560, -2560}, {5120, -5120}, {0, 0}}},
      {"16-bit mono", Mono16({700, -900}), 1, {{700, 700}, {-900, -900}, {0, 0}}},
      {"16-bit stereo", Pcm(2, 16, {1, -2, 3, -4}), 1, {{1, -2}, {3, -4}, {0, 0}}},
      {"8-bit mono between", Pcm(1, 8, {128, 132, 140}), 0.5,
       {{0, 0}, {512, 512}, {1024, 1024}, {2048, 2048}, {3072, 3072}, {3072, 3072}, {0, 0}}},
      {"8-bit stereo between", Pcm(2, 8, {128, 138, 148, 108}), 0.5,
       {{0, 2560}, {2560, -1280}, {5120, -5120}, {5120, -5120}, {0, 0}}},
      {"16-bit mono between", Mono16({0, 1000, 3000}), 0.5,
       {{0, 0}, {500, 500}, {1000, 1000}, {2000, 2000}, {3000, 3000}, {3000, 3000}, {0, 0}}},
      {"16-bit stereo between", Pcm(2, 16, {0, 100, 1000, -1000}), 0.5,
       {{0, 100}, {500, -450}, {1000, -1000}, {1000, -1000}, {0, 0}}},
  };
  for (Case& k : cases) {
    SetUp();
    Play(k.S, 1.25, 0, k.Speed);
    EXPECT_EQ(Show(k.Expected), Show(MixAndPlay(k.Expected.size()))) << k.Name;
    EXPECT_EQ(0, ActiveChannelCount) << k.Name;
    TearDown();
  }
}

// Balance 10 inverts the left side; the offset (1 - -1) x step x 20 = 80
// bytes makes the right side read 80 bytes ahead of the position and the
// left 80 behind: the right side starts on the first frame, the left 80
// frames later, and beyond +-10 the balance acts as +-10.
TEST_F(Mixer, BalancePansInvertsAndDelaysTheSides) {
  Sound s = Ramp(100);
  auto at = [](const Frames& f, std::initializer_list<int> ks) {
    Frames out;
    for (int k : ks) out.push_back(f[k]);
    return Show(out);
  };
  for (double balance : {10.0, 25.0}) {
    SetUp();
    Play(s, 1, balance);
    EXPECT_EQ(-1, MixerChannels[0].LeftGain);
    EXPECT_EQ(1, MixerChannels[0].RightGain);
    Frames f = MixAndPlay(181);
    EXPECT_EQ(Show({{0, 0}, {0, 1}, {0, 79}, {0, 80}, {-1, 81}, {-19, 99}, {-20, 0}, {-99, 0}, {0, 0}}),
              at(f, {0, 1, 79, 80, 81, 99, 100, 179, 180}))
        << balance;
    EXPECT_EQ(0, ActiveChannelCount);
    TearDown();
  }
  SetUp();
  Play(s, 1, -10);
  Frames f = MixAndPlay(181);
  EXPECT_EQ(Show({{1, 0}, {81, -1}, {0, -99}, {0, 0}}), at(f, {1, 81, 179, 180}));
}

// Sounds of a thousand frames and more, and the interpolating variants with
// an offset or a gain beyond the samples' range: each listed frame as
// played.
TEST_F(Mixer, LongSoundsOffsetsAndHugeGainsGiveTheirSamples) {
  typedef std::pair<int, Frame> At;
  // 8-bit bytes 0, 255, 128, 129, 127 over and over.
  Samples bytes(3000);
  static const int cycle[] = {0, 255, 128, 129, 127};
  for (size_t i = 0; i < bytes.size(); i++) bytes[i] = cycle[i % 5];
  Samples up(100), across(100);
  for (int i = 0; i < 100; i++) up[i] = 100 * i, across[i] = 100 * (i - 50);
  struct Case {
    const char* Name;
    Sound S;
    double Volume, Balance, Speed;
    std::vector<At> Expected;
  } cases[] = {
      // Gain 0.8: -26214.4, 26009.6, 0, 204.8, -204.8.
      {"long 8-bit mono", Pcm(1, 8, bytes), 1, 0, 1,
       {{0, {-26214, -26214}}, {1, {26010, 26010}}, {2, {0, 0}}, {3, {205, 205}}, {4, {-205, -205}},
        {2999, {-205, -205}}, {3000, {0, 0}}}},
      {"long 8-bit stereo", Pcm(2, 8, bytes), 1, 0, 1,
       {{0, {-26214, 26010}}, {1, {0, 205}}, {2, {-205, -26214}}, {1499, {205, -205}}, {1500, {0, 0}}}},
      // Gains 0.6 and 1; the left side reads 16 bytes behind the right.
      {"long 8-bit mono, balance 1", Pcm(1, 8, bytes), 1, 1, 1,
       {{0, {0, -32767}}, {1, {0, 32512}}, {13, {0, 256}}, {15, {0, -32767}}, {16, {-19661, 32512}}, {17, {19507, 0}},
        {3015, {-154, 0}}, {3016, {0, 0}}}},
      // Half a byte a frame; gains -1 and 1; the right side reads 20 bytes
      // ahead of the position and the left 20 behind. A ramp interpolates
      // to 25 per frame, the last sample held.
      {"16-bit mono between, balance 10", Mono16(up), 1, 10, 0.25,
       {{0, {0, 0}}, {1, {0, 25}}, {81, {-25, 2025}}, {395, {-7875, 9875}}, {396, {-7900, 9900}},
        {399, {-7975, 9900}}, {400, {-8000, 0}}, {475, {-9875, 0}}, {479, {-9900, 0}}, {480, {0, 0}}}},
      {"16-bit mono between, infinite gain", Mono16(across), INFINITY, 0, 0.5,
       {{0, {-32767, -32767}}, {99, {-32767, -32767}}, {100, {0, 0}}, {101, {32767, 32767}},
        {199, {32767, 32767}}, {200, {0, 0}}}},
  };
  for (Case& k : cases) {
    SetUp();
    Play(k.S, k.Volume, k.Balance, k.Speed);
    Frames played = MixAndPlay(k.Expected.back().first + 1);
    Frames expected, got;
    for (const At& a : k.Expected) {
      expected.push_back(a.second);
      got.push_back(played.at(a.first));
    }
    EXPECT_EQ(Show(expected), Show(got)) << k.Name;
    EXPECT_EQ(0, ActiveChannelCount) << k.Name;
    TearDown();
  }
}

// --- Channels ----------------------------------------------------------------

TEST_F(Mixer, ANewSoundTakesAFreeChannelOrTheOneWithTheFewestBytesLeft) {
  // Busy channels with their bytes left; -1 = free.
  struct Case {
    const char* Name;
    std::vector<int> Rest;
    int Expected;
  } cases[] = {
      {"none busy", {}, 0},
      {"after the busy ones", {100, 200, 300}, 3},
      {"the first free one", {100, -1, 300, -1, 50}, 1},
      {"all busy: fewest left, lowest index on ties", std::vector<int>(32, 500), 7},
      {"a channel played past its end after the first free one", std::vector<int>(32, 500), 31},
  };
  cases[3].Rest[7] = cases[3].Rest[20] = 10;
  cases[4].Rest[0] = -1;
  cases[4].Rest[31] = -2;  // position beyond the size: a negative remainder
  for (Case& k : cases) {
    SetUp();
    std::vector<Sound> sounds;
    for (size_t i = 0; i < k.Rest.size(); i++) {
      sounds.push_back(Ramp(1000));
      Play(sounds.back());
      ASSERT_EQ((int)i, ChannelOf(sounds.back())) << k.Name;
      MixerChannels[i].Position = 2000 - k.Rest[i];
    }
    for (size_t i = 0; i < k.Rest.size(); i++)
      if (k.Rest[i] == -1) StopSound(sounds[i]);
    int busy = ActiveChannelCount;
    bool wasFree = MixerChannels[k.Expected].Size == 0;
    Sound added = Ramp(10);
    Play(added);
    EXPECT_EQ(k.Expected, ChannelOf(added)) << k.Name;
    EXPECT_EQ(busy + wasFree, ActiveChannelCount) << k.Name;
    TearDown();
  }
}

TEST_F(Mixer, StartingAPlayingSoundUpdatesItsChannel) {
  Sound s = Ramp(20000);
  Play(s);
  Tick();
  double played = MixerChannels[0].Position;
  EXPECT_EQ(3 * 4096 * 2, played);
  StartSound(s, 3, false, 0.625, 0, 1);
  EXPECT_EQ(0, ChannelOf(s));
  EXPECT_EQ(1, ActiveChannelCount);
  EXPECT_EQ(played, MixerChannels[0].Position);
  EXPECT_EQ(0.5, MixerChannels[0].LeftGain);
  EXPECT_EQ(3, MixerChannels[0].Loops);
  StartSound(s, 1, true, 1.25, 0, 1);
  EXPECT_EQ(0, MixerChannels[0].Position);
  // A copy with a record of its own plays beside it.
  Sound copy = s;
  copy.MakeDistinct();
  Play(copy);
  EXPECT_EQ(1, ChannelOf(copy));
  EXPECT_EQ(2, ActiveChannelCount);
}

// --- Loops, direction, speed -----------------------------------------------------

TEST_F(Mixer, LoopsBackwardsAndStandingStill) {
  struct Case {
    const char* Name;
    Sound S;
    double Speed;
    int Loops;
    Frames Expected;
    int BusyAfter;
  } cases[] = {
      {"twice", Mono16({1000, 2000}), 1, 2, {{1000, 1000}, {2000, 2000}, {1000, 1000}, {2000, 2000}, {0, 0}}, 0},
      {"backwards, looping at the last frame", Mono16({1000, 2000, 3000}), -1, 2,
       {{3000, 3000}, {2000, 2000}, {1000, 1000}, {3000, 3000}, {2000, 2000}, {1000, 1000}, {0, 0}}, 0},
      {"speed 0 holds the first frame", Mono16({500, 900}), 0, 1, Frames(12288, {500, 500}), 1},
  };
  for (Case& k : cases) {
    SetUp();
    Play(k.S, 1.25, 0, k.Speed, k.Loops);
    EXPECT_EQ(Show(k.Expected), Show(MixAndPlay(k.Expected.size()))) << k.Name;
    EXPECT_EQ(k.BusyAfter, ActiveChannelCount) << k.Name;
    TearDown();
  }
}

TEST_F(Mixer, LoopsBelowOnePlayEndlessly) {
  for (int loops : {0, -5}) {
    SetUp();
    Play(Mono16({1000, 2000, 3000}), 1.25, 0, 1, loops);
    Tick(3);
    CompleteBlocks();
    Tick();
    CompleteBlocks();
    ASSERT_EQ(6u * 4096 * 2, FakeWave.Played.size());
    for (size_t i = 0; i < FakeWave.Played.size(); i++)
      ASSERT_EQ(1000 * (int)(i / 2 % 3 + 1), FakeWave.Played[i]) << "sample " << i << ", loops " << loops;
    EXPECT_EQ(1, ActiveChannelCount);
    TearDown();
  }
}

// A 16-bit sound of an odd byte count ends where its whole frames end.
TEST_F(Mixer, PartialFramesEndTheSound) {
  Sound s = Mono16({1000, 2000, 77});
  s.SetSize(5);
  Play(s, 1.25, 0, 1, 2);
  EXPECT_EQ(Show({{1000, 1000}, {2000, 2000}, {1000, 1000}, {2000, 2000}, {0, 0}}), Show(MixAndPlay(5)));
  EXPECT_EQ(0, ActiveChannelCount);
  // Endless: the block is filled with whole plays and the tick ends.
  Play(s, 1.25, 0, 1, 0);
  Tick();
  EXPECT_EQ(1, ActiveChannelCount);
}

TEST_F(Mixer, UnplayableStartsChangeNothing) {
  Sound one = Ramp(30000);
  struct Case {
    const char* Name;
    Sound S;
    double Volume, Balance, Speed;
  } cases[] = {
      {"NaN volume", Ramp(4), NAN, 0, 1},
      {"NaN balance", Ramp(4), 1, NAN, 1},
      {"NaN speed", Ramp(4), 1, 1, NAN},
      {"empty", EmptySound, 1, 0, 1},
      {"16-bit mono of one byte", Pcm(1, 8, {1}), 1, 0, 1},
      {"16-bit stereo of three bytes", Pcm(2, 8, {1, 2, 3}), 1, 0, 1},
  };
  cases[4].S.Data->BitsPerSample = 16;
  cases[5].S.Data->BitsPerSample = 16;
  for (Case& k : cases) {
    SetUp();
    Play(one);
    Tick();
    StartSound(k.S, 1, true, k.Volume, k.Balance, k.Speed);
    EXPECT_EQ(1, ActiveChannelCount) << k.Name;
    EXPECT_EQ(one.Held(), CurrentSound.Held()) << k.Name;
    EXPECT_EQ(1, FakeWave.Opens) << k.Name;
    TearDown();
  }
}

// --- The device --------------------------------------------------------------

TEST_F(Mixer, OpensInTheMixerFormatAndClosesOnceIdle) {
  Play(Ramp(9000));  // ends in the third block
  const uint8_t expected[18] = {1, 0, 2, 0, 0x22, 0x56, 0, 0, 0x88, 0x58, 1, 0, 4, 0, 16, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(expected, expected + 18), FakeWave.OpenFormat);
  Tick();
  EXPECT_EQ(3, FakeWave.Writes);
  EXPECT_EQ(0, ActiveChannelCount);
  // The device stays open until the last block has played.
  CompleteBlocks(2);
  Tick();
  EXPECT_EQ(FakeDeviceHandle, WaveOutDevice);
  CompleteBlocks();
  Tick();
  EXPECT_EQ(nullptr, WaveOutDevice);
  EXPECT_EQ(1, FakeWave.Closes);
  for (const WAVEHDR& h : WaveHeaders) EXPECT_EQ((DWORD)WHDR_DONE, h.dwFlags);
}

TEST_F(Mixer, StoppingOneSoundKeepsTheOthersAndTheDevice) {
  Sound a = Ramp(30000), b = Ramp(30000);
  Play(a);
  Play(b);
  Tick();
  StopSound(a);
  EXPECT_EQ(-1, ChannelOf(a));
  EXPECT_EQ(EmptySound.Held(), MixerChannels[0].Sound.Held());
  EXPECT_EQ(1, ChannelOf(b));
  EXPECT_EQ(1, ActiveChannelCount);
  EXPECT_EQ(FakeDeviceHandle, WaveOutDevice);
  StopAllSounds();
  EXPECT_EQ(1, FakeWave.Resets);
  EXPECT_EQ(1, FakeWave.Closes);
  EXPECT_EQ(nullptr, WaveOutDevice);
  EXPECT_EQ(0, ActiveChannelCount);
  EXPECT_EQ(EmptySound.Held(), CurrentSound.Held());
  for (const WAVEHDR& h : WaveHeaders) EXPECT_EQ((DWORD)WHDR_DONE, h.dwFlags);
  for (const MixerChannel& c : MixerChannels) EXPECT_EQ(EmptySound.Held(), c.Sound.Held());
}

TEST_F(Mixer, PauseHoldsTheDeviceAndThePauseKeyQueuesSilence) {
  Sound s = Ramp(30000);
  Play(s);
  Tick();
  CompleteBlocks();
  PauseSound(true);
  PauseSound(true);
  EXPECT_EQ(1, FakeWave.Pauses);
  double at = GetSoundPosition();
  EXPECT_DOUBLE_EQ(3 * 4096 / 22050.0, at);
  SetSoundPosition(0);
  Tick();
  EXPECT_EQ(3, FakeWave.Writes);
  EXPECT_EQ(at, GetSoundPosition());
  // Any PCM start resumes.
  Play(Ramp(5));
  EXPECT_EQ(1, FakeWave.Restarts);
  EXPECT_EQ(0, SoundPaused);
  // The Pause key: blocks go on, silent, and no channel moves.
  PauseFlag = 1;
  Tick();
  CompleteBlocks();
  PauseFlag = 0;
  ASSERT_EQ(6u * 4096 * 2, FakeWave.Played.size());
  for (size_t i = 3 * 4096 * 2; i < FakeWave.Played.size(); i++) ASSERT_EQ(0, FakeWave.Played[i]) << i;
  EXPECT_EQ(3 * 4096 * 2, MixerChannels[0].Position);
  Tick();
  CompleteBlocks();
  EXPECT_EQ(3 * 4096, FakeWave.Played[6 * 4096 * 2 + 1]);
}

TEST_F(Mixer, PositionsInSecondsOfTheSoundStartedLast) {
  EXPECT_EQ(0, GetSoundPosition());
  Sound s = Ramp(22050);  // one second
  Play(s);
  struct Case {
    double Seconds, Expected;
  } cases[] = {{0.25, 0.25}, {5, 1}, {-3, 0}, {NAN, 0}};
  for (const Case& k : cases) {
    SetSoundPosition(k.Seconds);
    EXPECT_EQ(k.Expected, GetSoundPosition()) << k.Seconds;
  }
  // 0.25 s is byte 11025, not on a frame: the mix reads sample 5512.
  SetSoundPosition(0.25);
  Tick();
  CompleteBlocks();
  EXPECT_EQ(5512, FakeWave.Played[0]);
  // A sound whose channel has ended has no position, while its last block plays.
  SetSoundPosition(0.99);
  Tick();
  EXPECT_EQ(0, ActiveChannelCount);
  EXPECT_EQ(FakeDeviceHandle, WaveOutDevice);
  EXPECT_EQ(0, GetSoundPosition());
}

TEST_F(Mixer, AFailedOpenHoldsOffStartsFor36Ticks) {
  FakeWave.FailOpen = true;
  Sound s = Ramp(100);
  Play(s);
  EXPECT_EQ(1, FakeWave.Opens);
  EXPECT_EQ(nullptr, WaveOutDevice);
  EXPECT_EQ(0, ActiveChannelCount);
  EXPECT_EQ(0, MixerChannels[0].Size);
  FakeWave.FailOpen = false;
  Tick(35);
  Play(s);
  EXPECT_EQ(1, FakeWave.Opens);
  Tick();
  Play(s);
  EXPECT_EQ(2, FakeWave.Opens);
  EXPECT_EQ(0, ChannelOf(s));
  EXPECT_EQ(FakeDeviceHandle, WaveOutDevice);
}

// A block the device refused counts as done: mixing and the idle close go on.
TEST_F(Mixer, RefusedBlocksAreFilledAgain) {
  for (bool prepare : {true, false}) {
    SetUp();
    (prepare ? FakeWave.FailPrepare : FakeWave.FailWrite) = true;
    Sound s = Ramp(30000);
    Play(s);
    Tick();
    EXPECT_EQ(3 * 4096 * 2, MixerChannels[0].Position);
    Tick();
    EXPECT_EQ(6 * 4096 * 2, MixerChannels[0].Position);
    StopSound(s);
    Tick();
    EXPECT_EQ(nullptr, WaveOutDevice);
    TearDown();
  }
}

// --- Solo mode ---------------------------------------------------------------

std::vector<uint8_t> Format(int tag, int channels, int rate, int avgBytes, int blockAlign, int bits,
                            std::vector<uint8_t> extra) {
  std::vector<uint8_t> b;
  auto put = [&](uint32_t v, int n) {
    for (int i = 0; i < n; i++) b.push_back((uint8_t)(v >> 8 * i));
  };
  put(tag, 2);
  put(channels, 2);
  put(rate, 4);
  put(avgBytes, 4);
  put(blockAlign, 2);
  put(bits, 2);
  put((uint32_t)extra.size(), 2);
  b.insert(b.end(), extra.begin(), extra.end());
  return b;
}

// A compressed sound: its format header, then `size` data bytes numbered by position.
Sound Compressed(const std::vector<uint8_t>& format, int size) {
  const WAVEFORMATEX* f = (const WAVEFORMATEX*)format.data();
  Sound s;
  s.New((int32_t)format.size() + size);
  memcpy(s.Data->Data, format.data(), format.size());
  for (int i = 0; i < size; i++) s.Data->Data[format.size() + i] = (uint8_t)(i * 7 + i / 251);
  s.Data->FormatTag = f->wFormatTag;
  s.Data->Channels = f->nChannels;
  s.Data->BitsPerSample = f->wBitsPerSample;
  s.Data->SamplesPerSec = (int32_t)f->nSamplesPerSec;
  s.Data->FormatHeaderSize = (int32_t)format.size();
  return s;
}

std::vector<uint8_t> DataOf(const Sound& s, int from, int to) {
  const uint8_t* d = s.Data->Data + s.Data->FormatHeaderSize;
  return std::vector<uint8_t>(d + from, d + to);
}

std::vector<uint8_t> Adpcm() { return Format(2, 1, 22050, 11155, 512, 4, std::vector<uint8_t>(32, 0)); }

class Solo : public WaveOutputTest {};

TEST_F(Solo, ACompressedSoundPlaysAloneInChunksOfItsOwnFormat) {
  Sound pcm = Ramp(1000);
  Play(pcm);
  Sound s = Compressed(Adpcm(), 40000);
  StartSound(s, 2, true, 1, 0, 1);
  EXPECT_EQ(1, FakeWave.Closes);
  EXPECT_EQ(0, ActiveChannelCount);
  EXPECT_EQ(0, MixerMode);
  EXPECT_EQ(Adpcm(), FakeWave.OpenFormat);
  EXPECT_EQ(512, SoloBlockSize);
  EXPECT_EQ(11025, SoloBytesPerSecond);
  // Headers 2, 1, 0 take the chunks; the second play starts at once.
  Tick();
  EXPECT_EQ(16384u, WaveHeaders[2].dwBufferLength);
  EXPECT_EQ((DWORD)(WHDR_BEGINLOOP | WHDR_ENDLOOP | WHDR_PREPARED | WHDR_INQUEUE), WaveHeaders[2].dwFlags);
  EXPECT_EQ(1u, WaveHeaders[2].dwLoops);
  CompleteBlocks();
  Tick();
  CompleteBlocks();
  std::vector<std::vector<uint8_t>> expected = {DataOf(s, 0, 16384),     DataOf(s, 16384, 32768),
                                                DataOf(s, 32768, 40000), DataOf(s, 0, 16384),
                                                DataOf(s, 16384, 32768), DataOf(s, 32768, 40000)};
  EXPECT_EQ(expected, FakeWave.Blocks);
  EXPECT_EQ(FakeDeviceHandle, WaveOutDevice);
  Tick();
  EXPECT_EQ(nullptr, WaveOutDevice);
  // A PCM start after the solo sound goes back to the mixer.
  StartSound(s, 0, true, 1, 0, 1);
  Play(pcm);
  EXPECT_EQ(1, MixerMode);
  EXPECT_EQ(0, ChannelOf(pcm));
  EXPECT_EQ(3, FakeWave.Closes);
}

TEST_F(Solo, PositionsMoveByWholeBlocksOfTheSoundsFormat) {
  std::vector<uint8_t> mp3extra = {1, 0, 2, 0, 0, 0, 0xA1, 1, 1, 0, 0x71, 5};  // block 417
  struct Case {
    const char* Name;
    std::vector<uint8_t> Format;
    double Seconds;
    int Byte;         // where the data is taken up again; -1: not moved
    int BytesPerSecond;
  } cases[] = {
      // 11025 x 1 + 256 = 11281, down to whole 512-byte blocks.
      {"MS ADPCM", Adpcm(), 1, 11264, 11025},
      // 16000 x 1 + 208.5 rounds to 16208, down to whole 417-byte blocks.
      {"MPEG layer 3", Format(85, 1, 44100, 16000, 1, 0, mp3extra), 1, 15846, 16000},
      // No block size field in a bare header: 1024-byte blocks.
      {"MPEG layer 3 without its block size", Format(85, 2, 8000, 16000, 1, 0, {}), 2, 31744, 16000},
      {"beyond the end", Adpcm(), 1000, 39936, 11025},
      {"another format stays", Format(6, 1, 8000, 8000, 1, 8, {}), 1, -1, 4000},
  };
  for (Case& k : cases) {
    SetUp();
    Sound s = Compressed(k.Format, 40000);
    StartSound(s, 1, true, 1, 0, 1);
    EXPECT_EQ(k.BytesPerSecond, SoloBytesPerSecond) << k.Name;
    FakeWave.Samples = s.Data->SamplesPerSec / 2;
    EXPECT_DOUBLE_EQ(0.5, GetSoundPosition()) << k.Name;
    SetSoundPosition(k.Seconds);
    if (k.Byte < 0) {
      EXPECT_EQ(1, FakeWave.Opens) << k.Name;
      EXPECT_EQ(40000, SoloBytesLeft) << k.Name;
      TearDown();
      continue;
    }
    EXPECT_EQ(2, FakeWave.Opens) << k.Name;
    EXPECT_EQ(1, FakeWave.Closes) << k.Name;
    EXPECT_EQ(40000 - k.Byte, SoloBytesLeft) << k.Name;
    EXPECT_DOUBLE_EQ(0.5 + (double)k.Byte / k.BytesPerSecond, GetSoundPosition()) << k.Name;
    Tick();
    CompleteBlocks();
    if (k.Byte < 40000) {
      ASSERT_FALSE(FakeWave.Blocks.empty()) << k.Name;
      EXPECT_EQ(DataOf(s, k.Byte, std::min(40000, k.Byte + SoloChunkSize)), FakeWave.Blocks[0]) << k.Name;
    }
    TearDown();
  }
}

// A start that stops the playing sounds (a compressed sound, or any sound in
// solo mode) stops them whether or not the new sound can then play; a
// compressed sound ignores the gains and the speed, NaN included.
TEST_F(Solo, AStartStopsThePlayingSoundsBeforeItIsRefused) {
  Sound cut = Compressed(Adpcm(), 20);
  cut.SetSize(20);
  Sound oneByte = Pcm(1, 8, {1});
  oneByte.Data->BitsPerSample = 16;
  struct Case {
    const char* Name;
    bool SoloFirst;  // a compressed sound plays before, else two PCM sounds
    Sound S;
    double Volume;
    int Opens;  // device opens in all
    int MixerModeAfter;
  } cases[] = {
      {"compressed, only its header", false, Compressed(Adpcm(), 0), 1, 1, 1},
      {"compressed, header cut short", false, cut, 1, 1, 1},
      {"compressed, NaN volume plays", false, Compressed(Adpcm(), 1000), NAN, 2, 0},
      {"PCM of no whole frame after a solo sound", true, oneByte, 1, 1, 0},
  };
  for (Case& k : cases) {
    SetUp();
    if (k.SoloFirst) {
      StartSound(Compressed(Adpcm(), 20000), 1, true, 1, 0, 1);
    } else {
      Play(Ramp(30000));
      Play(Ramp(30000));
      Tick();
      ASSERT_EQ(2, ActiveChannelCount) << k.Name;
    }
    StartSound(k.S, 1, true, k.Volume, 0, 1);
    EXPECT_EQ(0, ActiveChannelCount) << k.Name;
    EXPECT_EQ(1, FakeWave.Closes) << k.Name << ": the playing sounds stopped";
    EXPECT_EQ(k.Opens, FakeWave.Opens) << k.Name;
    EXPECT_EQ(k.Opens == 2 ? k.S.Held() : EmptySound.Held(), CurrentSound.Held()) << k.Name;
    EXPECT_EQ(k.Opens == 2, WaveOutDevice != nullptr) << k.Name;
    EXPECT_EQ(k.MixerModeAfter, MixerMode) << k.Name;
    TearDown();
  }
}

TEST_F(Solo, FailuresLeaveTheDeviceClosedOrRefillTheBlock) {
  Sound s = Compressed(Adpcm(), 20000);
  FakeWave.FailOpen = true;
  StartSound(s, 1, true, 1, 0, 1);
  EXPECT_EQ(nullptr, WaveOutDevice);
  EXPECT_EQ(WaveOpenRetryTicks, WaveOpenBackoff);
  SetUp();
  // A compressed sound whose data does not hold its header, or nothing
  // after it, is not started.
  Sound cut = Compressed(Adpcm(), 0);
  StartSound(cut, 1, true, 1, 0, 1);
  cut.SetSize(20);
  StartSound(cut, 1, true, 1, 0, 1);
  EXPECT_EQ(0, FakeWave.Opens);
  // A rate of 0 gives no position from the device's samples, never a division by 0.
  Sound still = Compressed(Adpcm(), 1000);
  still.Data->SamplesPerSec = 0;
  StartSound(still, 1, true, 1, 0, 1);
  FakeWave.Samples = 500;
  EXPECT_EQ(0, GetSoundPosition());
  StopAllSounds();
  // A refused chunk is queued again on the next tick.
  StartSound(s, 1, true, 1, 0, 1);
  FakeWave.FailWrite = true;
  Tick();
  EXPECT_EQ((DWORD)WHDR_DONE, WaveHeaders[2].dwFlags & WHDR_DONE);
  FakeWave.FailWrite = false;
  // The failed reopen after a move loses the sound without a hold-off.
  FakeWave.FailOpen = true;
  SetSoundPosition(0.5);
  EXPECT_EQ(nullptr, WaveOutDevice);
  EXPECT_LE(WaveOpenBackoff, 0);
}

}  // namespace
