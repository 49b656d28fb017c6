// The sound elements run as compiled programs on the fake wave device:
// sound_play's operands and defaults, stopping, pausing, positions, the
// state values, and the values that read, convert and build sounds.
#include <math.h>
#include <string>
#include "expression_fixture.h"
#include "fake_wave_device.h"

namespace {

std::string Zeros(int bytes) { return std::string(2 * bytes, '0'); }

// beep: 4 samples; slow: one second of a tone; st: 8-bit stereo at 11025 Hz;
// mp3: an MPEG layer-3 header (16000 bytes per second) and 1600 data bytes;
// adp: an ADPCM header of 4 bits per sample and 11025 data bytes; mu: two
// mu-law bytes. A variable holds the entry of its constant: out has one of
// its own.
const std::string SoundProgram = R"(
sound beep rate=22050 bits=16 channels=1 format=1
  samples 1000 2000 3000 4000
sound slow rate=22050 bits=16 channels=1 format=1
  tone 441 1
sound st rate=11025 bits=8 channels=2 format=1
  samples 1 2 3 4 5 6
sound mp3 rate=44100 bits=0 channels=1 format=85
  bytes 5500010044ac0000803e000001000000 0c00010002000000a10101007105
  bytes )" + Zeros(1600) + R"(
sound adp rate=22050 bits=4 channels=1 format=2
  bytes 0200010022560000232b00000001 04000000
  bytes )" + Zeros(11025) + R"(
sound mu rate=8000 bits=8 channels=1 format=7
  bytes 07000100401f0000401f000001000800 0000 ff80
sound spare
  samples 0
global
  main: function -> main_def
  r: real = 0
  b: logic = false
  w: sound = beep
  ws: sound = slow
  wt: sound = st
  wm: sound = mp3
  wa: sound = adp
  wu: sound = mu
  out: sound = spare
local
  main_def: function -> main_body
program
  main_body: function
%CMD%
)";

// The wait element runs one tick of the wave output.
void TickOnWait() { ServiceWaveOutput(); }

class ExecSound : public ProgramTest {
 public:
  void SetUp() override {
    ProgramTest::SetUp();
    InstallFakeWave();
  }
  void TearDown() override {
    RemoveFakeWave();
    ProgramTest::TearDown();
  }
  // Runs main with the commands (nested items); false when it does not compile.
  bool RunCommands(const std::string& commands) {
    RemoveFakeWave();
    ProgramTest::SetUp();
    InstallFakeWave();
    Fake.OnWait = TickOnWait;
    std::string source = SoundProgram;
    source.replace(source.find("%CMD%"), 5, ExpressionLines(commands, 2));
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    Run();
    return true;
  }
  static int32_t Entry(int item) { return GlobalItemLinks[item].DataIndex; }
  static double R() { return Numbers[Entry(1)]; }
  static uint8_t B() { return Logics[Entry(2)]; }
  static const SoundData* Var(int item) { return Sounds[Entry(item)].Held(); }
  static const SoundData* Out() { return Var(9); }
};

const int W = 3, WS = 4;

TEST_F(ExecSound, PlayTakesItsOperandsInOrderWithTheirDefaults) {
  ASSERT_TRUE(RunCommands("(sound_play (sound_play_sound (@ws)))"));
  const MixerChannel& c = MixerChannels[0];
  EXPECT_EQ(Var(WS), c.Sound.Held());
  EXPECT_EQ(Var(WS), CurrentSound.Held());
  EXPECT_EQ(1, c.Loops);
  EXPECT_EQ(0.8, c.LeftGain);
  EXPECT_EQ(0.8, c.RightGain);
  EXPECT_EQ(2, c.Step);
  EXPECT_EQ(0, c.Offset);

  ASSERT_TRUE(RunCommands(
      "(sound_play (sound_play_loop (num 0)) (sound_play_speed (num 0.5)) (sound_play_balance (num 2))"
      " (sound_play_volume (num 0.5)) (sound_play_sound (@ws)))"));
  EXPECT_DOUBLE_EQ(0.2, c.LeftGain);
  EXPECT_DOUBLE_EQ(0.5, c.RightGain);
  EXPECT_EQ(1, c.Step);
  EXPECT_DOUBLE_EQ(12, c.Offset);  // (1 - 0.4) x 1 x 20
  EXPECT_EQ(EndlessLoops, c.Loops);
}

// The restart flag decides whether a playing sound starts over or keeps its
// place and only takes the new volume.
TEST_F(ExecSound, PlayAgainRestartsOrRetunes) {
  for (bool restart : {true, false}) {
    std::string commands = std::string("(sound_play (sound_play_sound (@ws))) (wait (num 1)) ") +
                           "(sound_play (sound_play_sound (@ws)) (sound_play_volume (num 1.25)) (sound_play_stop (" +
                           (restart ? "true" : "false") + "))) (@r (sound_position))";
    ASSERT_TRUE(RunCommands(commands));
    EXPECT_DOUBLE_EQ(restart ? 0 : 3 * 4096 * 2 / 44100.0, R()) << restart;
    EXPECT_EQ(1, MixerChannels[0].LeftGain) << restart;
    EXPECT_EQ(1, ActiveChannelCount) << restart;
  }
}

TEST_F(ExecSound, StopPauseAndTheStateValues) {
  const std::string slow = "(sound_play (sound_play_sound (@ws))) ";
  struct Case {
    const char* Name;
    std::string Commands;
    int Playing, SlowPlaying, Paused, Busy;
  } cases[] = {
      {"nothing played", "", 0, 0, 0, 0},
      {"one sound", slow, 1, 1, 0, 1},
      {"another sound plays", "(sound_play (sound_play_sound (@w)))", 1, 0, 0, 1},
      {"stopped", slow + "(sound_play (sound_play_sound (@w))) (sound_stop (@ws))", 1, 0, 0, 1},
      {"all stopped", slow + "(sound_play (sound_play_sound (@w))) (sound_stop)", 0, 0, 0, 0},
      {"paused", slow + "(sound_pause (true))", 1, 1, 1, 1},
      {"paused by toggle", slow + "(sound_pause)", 1, 1, 1, 1},
      {"toggled twice", slow + "(sound_pause) (sound_pause)", 1, 1, 0, 1},
      {"resumed", slow + "(sound_pause (true)) (sound_pause (false))", 1, 1, 0, 1},
      {"a compressed sound plays alone", slow + "(sound_play (sound_play_sound (@wm)))", 1, 0, 0, 0},
      {"stopping the solo sound", "(sound_play (sound_play_sound (@wm))) (sound_stop (@wm))", 0, 0, 0, 0},
  };
  for (const Case& k : cases) {
    ASSERT_TRUE(RunCommands(k.Commands + " (@b (sound_playing))")) << k.Name;
    EXPECT_EQ(k.Playing, B()) << k.Name;
    ASSERT_TRUE(RunCommands(k.Commands + " (@b (sound_playing (@ws)))")) << k.Name;
    EXPECT_EQ(k.SlowPlaying, B()) << k.Name;
    ASSERT_TRUE(RunCommands(k.Commands + " (@b (sound_pause))")) << k.Name;
    EXPECT_EQ(k.Paused, B()) << k.Name;
    EXPECT_EQ(k.Busy, ActiveChannelCount) << k.Name;
  }
  ASSERT_TRUE(RunCommands("(sound_play (sound_play_sound (@wm))) (@b (sound_playing (@wm)))"));
  EXPECT_EQ(1, B());
}

TEST_F(ExecSound, PositionInSeconds) {
  struct Case {
    std::string Commands;
    double Expected;
  } cases[] = {
      {"", 0},
      {"(sound_play (sound_play_sound (@ws))) (sound_position (num 0.25))", 0.25},
      {"(sound_play (sound_play_sound (@ws))) (sound_position (num 7))", 1},
      {"(sound_play (sound_play_sound (@ws))) (sound_position (num 0.5)) (sound_position (num -1))", 0},
      {"(sound_position (num 0.5))", 0},
  };
  for (const Case& k : cases) {
    ASSERT_TRUE(RunCommands(k.Commands + " (@r (sound_position))")) << k.Commands;
    EXPECT_DOUBLE_EQ(k.Expected, R()) << k.Commands;
  }
}

TEST_F(ExecSound, FormAndLength) {
  struct Case {
    std::string Expression;
    double Expected;
  } cases[] = {
      {"(sound_bits (@w))", 16},          {"(sound_bits (@wt))", 8},           {"(sound_rate (@wt))", 11025},
      {"(sound_length (@w))", 8 / 44100.0}, {"(sound_length (@wt))", 6 / 22050.0}, {"(sound_length (@wu))", 2 / 8000.0},
      // Compressed: the header's bytes per second (tags 80 to 95), else 4 bits a sample.
      {"(sound_length (@wm))", 0.1},        {"(sound_length (@wa))", 1},
  };
  for (const Case& k : cases) {
    ASSERT_TRUE(RunCommands("(@r " + k.Expression + ")")) << k.Expression;
    EXPECT_DOUBLE_EQ(k.Expected, R()) << k.Expression;
  }
  ASSERT_TRUE(RunCommands("(@b (sound_stereo (@wt)))"));
  EXPECT_EQ(1, B());
  ASSERT_TRUE(RunCommands("(@b (sound_stereo (@w)))"));
  EXPECT_EQ(0, B());
}

std::string Form(const SoundData* r) {
  return std::to_string(r->BitsPerSample) + " bits, " + std::to_string(r->Channels) + " ch, " +
         std::to_string(r->SamplesPerSec) + " Hz, tag " + std::to_string(r->FormatTag) + ", " +
         std::to_string(r->Size) + " bytes";
}

TEST_F(ExecSound, ConversionsAndNewSounds) {
  struct Case {
    std::string Expression;
    const char* Expected;
  } cases[] = {
      {"(sound_conv_8bit (@w))", "8 bits, 1 ch, 22050 Hz, tag 1, 4 bytes"},
      {"(sound_conv_16bit (@wt))", "16 bits, 2 ch, 11025 Hz, tag 1, 12 bytes"},
      {"(sound_conv_stereo (@w))", "16 bits, 2 ch, 22050 Hz, tag 1, 16 bytes"},
      {"(sound_conv_mono (@wt))", "8 bits, 1 ch, 11025 Hz, tag 1, 3 bytes"},
      {"(sound_conv_11025 (@w))", "16 bits, 1 ch, 11025 Hz, tag 1, 4 bytes"},
      {"(sound_conv_22050 (@wt))", "8 bits, 2 ch, 22050 Hz, tag 1, 12 bytes"},
      {"(sound_conv_44100 (@w))", "16 bits, 1 ch, 44100 Hz, tag 1, 16 bytes"},
      {"(sound_conv_pcm (@wu))", "16 bits, 1 ch, 8000 Hz, tag 1, 4 bytes"},
      {"(sound_distinct (@w))", "16 bits, 1 ch, 22050 Hz, tag 1, 8 bytes"},
      {"(sound_join (@w) (@w) (@w))", "16 bits, 1 ch, 22050 Hz, tag 1, 24 bytes"},
      {"(sound_join (@w) (@wt))", "16 bits, 2 ch, 22050 Hz, tag 1, 40 bytes"},
      {"(sound_speed (sound_speed_sound (@ws)) (sound_speed_factor (num 2)))", "16 bits, 1 ch, 22050 Hz, tag 1, 22050 bytes"},
      {"(sound_speed (sound_speed_sound (@w)))", "16 bits, 1 ch, 22050 Hz, tag 1, 8 bytes"},
      {"(sound_tone (sound_tone_freq (num 1000)) (sound_tone_length (num 0.5)))", "16 bits, 1 ch, 22050 Hz, tag 1, 22050 bytes"},
      {"(sound_tone)", "16 bits, 1 ch, 22050 Hz, tag 1, 44100 bytes"},
  };
  for (const Case& k : cases) {
    ASSERT_TRUE(RunCommands("(@out " + k.Expression + ")")) << k.Expression;
    EXPECT_EQ(k.Expected, Form(Out())) << k.Expression;
  }
  // The join of one sound is that sound; a distinct copy has a record of its own.
  ASSERT_TRUE(RunCommands("(@out (sound_join (@w)))"));
  EXPECT_EQ(Var(W), Out());
  ASSERT_TRUE(RunCommands("(@out (sound_distinct (@w)))"));
  EXPECT_NE(Var(W), Out());
  EXPECT_EQ(Var(W)->Data, Out()->Data);  // image data is not copied
}

// Two copies of one sound share a channel; a distinct copy plays beside it.
TEST_F(ExecSound, ADistinctCopyPlaysOnItsOwnChannel) {
  ASSERT_TRUE(RunCommands("(@out (@w)) (sound_play (sound_play_sound (@w))) (sound_play (sound_play_sound (@out)))"));
  EXPECT_EQ(1, ActiveChannelCount);
  ASSERT_TRUE(RunCommands(
      "(@out (sound_distinct (@w))) (sound_play (sound_play_sound (@w))) (sound_play (sound_play_sound (@out)))"));
  EXPECT_EQ(2, ActiveChannelCount);
}

}  // namespace
