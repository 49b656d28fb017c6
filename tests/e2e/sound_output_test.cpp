// Sounds played through Wine's wave output into a file: ALSA_CONFIG_PATH
// names a configuration whose default device writes the raw stream to a
// file of the test's scratch directory (a new numbered file for each open),
// so the mixed samples, a compressed sound decoded by the system's codec and
// the device states the program sees are checked exactly. Without the
// configuration there is no device and the engine takes the failure path.
#include <gtest/gtest.h>
#include <dirent.h>
#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>
#include "lib/bind.h"
#include "lib/file_bytes.h"
#include "run_program.h"

namespace {

typedef std::vector<int> Samples;

struct SoundRun {
  ProgramRun Run;
  std::vector<Samples> Captures;  // the 16-bit samples of each capture file, by name
};

// Assembles, binds and runs source in a scratch directory; with capture, the
// default ALSA device writes into that directory.
SoundRun RunWithSound(const std::string& source, bool capture) {
  SoundRun r;
  std::string error, dir = ScratchDir();
  std::vector<uint8_t> image = AssembleOrEmpty(source, &error), engine, bound;
  EXPECT_FALSE(image.empty()) << error;
  if (image.empty() || !ReadFileBytes(BuildPath("yelto.exe"), engine) || !BindImage(engine, image, bound, error)) {
    ADD_FAILURE() << "cannot build the program: " << error;
    return r;
  }
  std::string exe = dir + "/program.exe", config = dir + "/asound.conf";
  std::string text = "pcm.!default { type file slave.pcm { type null } file \"" + dir +
                     "/capture.raw\" format \"raw\" truncate false }\n";
  EXPECT_TRUE(WriteFileBytes(exe, bound));
  EXPECT_TRUE(WriteFileBytes(config, std::vector<uint8_t>(text.begin(), text.end())));
  r.Run = RunExe(exe, {}, capture ? "ALSA_CONFIG_PATH='" + config + "'" : "");
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name).rfind("capture.raw", 0) == 0) names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& n : names) {
    std::vector<uint8_t> bytes;
    ReadFileBytes(dir + "/" + n, bytes);
    Samples s;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) s.push_back((int16_t)(bytes[i] | bytes[i + 1] << 8));
    r.Captures.push_back(s);
  }
  return r;
}

// The samples from the first one that is not 0, and whether all after count are 0.
Samples FromFirstSound(const Samples& s, size_t count, bool* restSilent) {
  size_t first = 0;
  while (first < s.size() && s[first] == 0) first++;
  Samples out(s.begin() + first, s.begin() + std::min(s.size(), first + count));
  *restSilent = true;
  for (size_t i = first + count; i < s.size(); i++)
    if (s[i] != 0) *restSilent = false;
  return out;
}

// The program: the play commands, then r := 1 when a sound plays right after
// them, + 2 when one still plays after two seconds; r is the return code.
std::string Program(const std::string& constants, const std::string& plays) {
  return constants + R"(
global
  main: function -> main_def
  a: sound = sa
  b: sound = sb
  r: real = 0
local
  main_def: function -> main_body
program
  main_body: function
)" + plays + R"(
    if
      if_cond
        sound_playing
      then
        @r
          1
    wait
      num 2
    if
      if_cond
        sound_playing
      then
        @r
          +
            @r
            2
    return_code
      @r
)";
}

const char* const PcmSounds = R"(
sound sa rate=22050 bits=16 channels=1 format=1
  samples 1000 -2000 3000 4000
sound sb rate=22050 bits=8 channels=1 format=1
  samples 138 108
)";

const char* const PlayBoth = R"(
    sound_play
      sound_play_sound
        @a
      sound_play_volume
        num 1.25
    sound_play
      sound_play_sound
        @b
      sound_play_volume
        num 0.625
      sound_play_loop
        2
)";

TEST(SoundOutput, TwoSoundsAreMixedBitExactly) {
  SoundRun r = RunWithSound(Program(PcmSounds, PlayBoth), true);
  ASSERT_TRUE(r.Run.Started) << r.Run.Output;
  // Playing right after the start; closed once the last block had played.
  EXPECT_EQ(1u, r.Run.ExitCode) << r.Run.Output;
  ASSERT_EQ(1u, r.Captures.size()) << "one open, one capture file";
  // Gains 1 and 0.5 at the mixer's 22050 Hz 16-bit stereo; b (2560, -5120) plays twice.
  bool silent;
  Samples expected = {2280, 2280, -4560, -4560, 4280, 4280, 1440, 1440};
  EXPECT_EQ(expected, FromFirstSound(r.Captures[0], expected.size(), &silent));
  EXPECT_TRUE(silent);
  // One block of 4096 frames at least reached the device.
  EXPECT_GE(r.Captures[0].size(), 4096u * 2);
}

// One MS ADPCM block of 256 bytes decodes to 500 samples: the second header
// sample first, then the first one repeated (predictor 0, zero nibbles).
std::string AdpcmSound(int blocks) {
  // WAVEFORMATEX of 256-byte mono blocks at 22050 Hz, 500 samples a block,
  // the seven standard coefficient pairs.
  std::string hex =
      "0200010022560000192c0000000104002000f401070000010000000200ff00000000c0004000f0000000cc0130ff880118ff";
  // Predictor 0, delta 16, samples 1000 and 500, then zero nibbles.
  std::string block = "001000e803f401" + std::string(2 * (256 - 7), '0');
  for (int i = 0; i < blocks; i++) hex += block;
  return "sound sa rate=22050 bits=4 channels=1 format=2\n  bytes " + hex +
         "\nsound sb rate=22050 bits=16 channels=1 format=1\n  samples 1\n";
}

TEST(SoundOutput, ACompressedSoundPlaysAloneThroughTheSystemCodec) {
  const char* plays = R"(
    sound_play
      sound_play_sound
        @b
      sound_play_loop
        0
    sound_play
      sound_play_sound
        @a
)";
  SoundRun r = RunWithSound(Program(AdpcmSound(4), plays), true);
  ASSERT_TRUE(r.Run.Started) << r.Run.Output;
  EXPECT_EQ(1u, r.Run.ExitCode) << r.Run.Output;
  // The mixer's device for b, then the sound's own format: 16-bit mono PCM
  // from the codec, b's endless play stopped.
  ASSERT_EQ(2u, r.Captures.size());
  bool silent;
  Samples block(500, 1000);
  block[0] = 500;
  Samples expected;
  for (int i = 0; i < 4; i++) expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_EQ(expected, FromFirstSound(r.Captures[1], expected.size(), &silent));
  EXPECT_TRUE(silent);
}

// Two PCM sounds play endlessly in the mixer; a compressed sound whose data
// is only its format header stops them, though it cannot play itself. The
// playing element then reads false, and a short PCM sound played after it
// opens a device of its own: the second capture holds that sound alone.
TEST(SoundOutput, ARefusedCompressedSoundStopsTheMixedOnes) {
  std::string constants = AdpcmSound(0) +
                          "sound sc rate=22050 bits=16 channels=1 format=1\n  samples 1000 -2000 3000 4000\n"
                          "sound sd rate=22050 bits=16 channels=1 format=1\n  samples 1000 -2000 3000 4000\n";
  const char* main = R"(
global
  main: function -> main_def
  a: sound = sb
  b: sound = sc
  c: sound = sa
  d: sound = sd
  r: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    sound_play
      sound_play_sound
        @a
      sound_play_loop
        0
    sound_play
      sound_play_sound
        @b
      sound_play_loop
        0
    wait
      num 0.5
    sound_play
      sound_play_sound
        @c
    if
      if_cond
        sound_playing
          @b
      then
        @r
          +
            @r
            1
    if
      if_cond
        sound_playing
      then
        @r
          +
            @r
            2
    wait
      num 0.3
    sound_play
      sound_play_sound
        @d
      sound_play_volume
        num 1.25
    wait
      num 1
    return_code
      @r
)";
  SoundRun r = RunWithSound(constants + main, true);
  ASSERT_TRUE(r.Run.Started) << r.Run.Output;
  EXPECT_EQ(0u, r.Run.ExitCode) << "b and the device still playing: " << r.Run.Output;
  // The mixer's first device, never one in the compressed sound's format,
  // then the device d opened.
  ASSERT_EQ(2u, r.Captures.size());
  bool silent;
  EXPECT_FALSE(FromFirstSound(r.Captures[0], 8, &silent).empty()) << "a and b were heard first";
  Samples alone = {1000, 1000, -2000, -2000, 3000, 3000, 4000, 4000};
  EXPECT_EQ(alone, FromFirstSound(r.Captures[1], alone.size(), &silent));
  EXPECT_TRUE(silent);
}

TEST(SoundOutput, WithoutADeviceNothingPlays) {
  SoundRun r = RunWithSound(Program(PcmSounds, PlayBoth), false);
  ASSERT_TRUE(r.Run.Started) << r.Run.Output;
  EXPECT_EQ(0u, r.Run.ExitCode) << r.Run.Output;
  EXPECT_TRUE(r.Captures.empty());
}

}  // namespace
