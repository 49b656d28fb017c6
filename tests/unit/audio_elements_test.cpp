// The music and CD elements compiled and run as programs over the fake
// devices: operands, the forms with and without an operand, the values read,
// and the defaults without a drive.
#include <math.h>
#include "mci_fakes.h"
#include "program_fixture.h"

namespace {

// The globals: 1 the music, 2 NaN, 3..8 numbers, 9..12 logic values.
const char* const AudioProgram = R"(
global
  main: function -> main_def
  tune: music = t
  nan: real = nan
  n0: real = -1
  n1: real = -1
  n2: real = -1
  n3: real = -1
  n4: real = -1
  n5: real = -1
  b0: logic = false
  b1: logic = false
  b2: logic = false
  b3: logic = false
local
  main_def: function -> main_body
program
  main_body: function
%BODY%
music t
  notes 60 62
)";

class AudioElementsTest : public ProgramTest {
 public:
  void SetUp() override {
    ProgramTest::SetUp();
    ResetAudioPlayers();
  }
  void TearDown() override {
    StopMusic();
    CloseCdDevice();
    RestoreRealMci();
    ProgramTest::TearDown();
  }
  // Runs main with the body given (items indented by four spaces).
  bool RunBody(const std::string& body) {
    std::string source = AudioProgram;
    source.replace(source.find("%BODY%"), 6, body);
    if (!LoadTestProgram(source) || !CompileProgram()) return false;
    Run();
    return true;
  }
  static double N(int k) { return Numbers[GlobalItemLinks[3 + k].DataIndex]; }
  static uint8_t B(int k) { return Logics[GlobalItemLinks[9 + k].DataIndex]; }
};

// Pausing without a piece makes the next one open paused; its position and
// length read in seconds; the stop command clears the pause.
TEST_F(AudioElementsTest, MusicPlayPausePositionLengthStop) {
  ASSERT_TRUE(RunBody(R"(    music_pause
      true
    music_play
      @tune
    @b0
      music_pause
    @b1
      music_playing
    music_position
      num 1.5
    @n0
      music_position
    @n1
      music_length
    music_stop
    @b2
      music_pause
    @b3
      music_playing
    @n2
      music_length)"));
  EXPECT_EQ(1, B(0)) << "opened paused";
  EXPECT_EQ(1, B(1)) << "loaded";
  EXPECT_DOUBLE_EQ(1.5, N(0));
  EXPECT_DOUBLE_EQ(2.0, N(1));
  EXPECT_EQ(0, B(2)) << "the stop clears the pause";
  EXPECT_EQ(0, B(3));
  EXPECT_DOUBLE_EQ(86400.0, N(2)) << "one day without a piece";
  EXPECT_EQ(0, FakeMci.Count("seq play notify"));
  EXPECT_EQ(1, FakeMci.Count("seq seek 1500"));
  EXPECT_EQ(std::vector<uint8_t>(Musics[GlobalItemLinks[1].DataIndex].Data->Data,
                                 Musics[GlobalItemLinks[1].DataIndex].Data->Data +
                                     Musics[GlobalItemLinks[1].DataIndex].Data->Size),
            FakeMci.SeqBytes);
}

// The pause command acts only when it changes the state; the toggle always.
TEST_F(AudioElementsTest, MusicPauseForms) {
  ASSERT_TRUE(RunBody(R"(    music_play_loop
      @tune
    music_pause
      false
    music_pause
    music_pause
      true
    @b0
      music_pause)"));
  EXPECT_EQ(1, MusicLoop);
  EXPECT_EQ(1, FakeMci.Count("seq play notify"));
  EXPECT_EQ(1, FakeMci.Count("seq pause"));
  EXPECT_EQ(1, B(0));
}

// The program's pause cancels the retry of a failed play.
TEST_F(AudioElementsTest, MusicPauseCancelsTheRetry) {
  FakeMci.SeqPlayFails = true;
  ASSERT_TRUE(RunBody(R"(    music_play
      @tune
    music_pause
      true)"));
  EXPECT_EQ(-1, MusicRetryTicks);
  FakeMci.SeqPlayFails = false;
  for (int i = 0; i < 100; i++) ServiceMusic();
  EXPECT_EQ(1, FakeMci.Count("seq play notify"));
  EXPECT_EQ(1, MusicPaused);
}

// Seconds become milliseconds; NaN goes to the start.
TEST_F(AudioElementsTest, MusicPositionOperand) {
  const struct {
    const char* Operand;
    int32_t Position;
  } cases[] = {{"num 0.0004", 0}, {"num 0.0016", 2}, {"@nan", 0}, {"num 99", 1999}};
  for (auto& c : cases) {
    SetUp();
    ASSERT_TRUE(RunBody(std::string("    music_play\n      @tune\n    music_position\n      ") + c.Operand));
    EXPECT_EQ(c.Position, MusicPosition) << c.Operand;
    TearDown();
  }
}

// The six CD numbers into n0..n5 and the three CD logic values into b0..b2.
const char* const ReadCdValues = R"(    @n0
      cd_length
    @n1
      cd_track_count
    @n2
      cd_position
    @n3
      cd_track
    @n4
      cd_track_length
    @n5
      cd_track_position
    @b0
      cd_pause
    @b1
      cd_playing
    @b2
      cd_eject)";

// Without a drive every value is the default and the commands do nothing.
TEST_F(AudioElementsTest, CdWithoutADrive) {
  FakeMci.CdMissing = true;
  ASSERT_TRUE(RunBody(R"(    cd_play
    cd_pause
      true
)" + std::string(ReadCdValues)));
  const double numbers[] = {3600, 1, 0, 1, 3600, 0};
  for (int k = 0; k < 6; k++) EXPECT_DOUBLE_EQ(numbers[k], N(k)) << k;
  EXPECT_EQ(0, B(0));
  EXPECT_EQ(0, B(1));
  EXPECT_EQ(1, B(2)) << "ejected";
  EXPECT_EQ((std::vector<std::string>{"cd open"}), FakeMci.Log) << "one try, then the back-off";
}

// A ten-track disc of one minute each, playing 1.6 s into track 2.
TEST_F(AudioElementsTest, CdValuesOfAPlayingDisc) {
  FakeMci.CdTracks.assign(10, 60000);
  FakeMci.CdStart = 2500;
  FakeMci.CdAt = 2500 + 60000 + 1600;
  FakeMci.CdMode = MCI_MODE_PLAY;
  ASSERT_TRUE(RunBody(ReadCdValues));
  const double numbers[] = {600, 10, 61.6, 2, 60, 1.6};
  for (int k = 0; k < 6; k++) EXPECT_DOUBLE_EQ(numbers[k], N(k)) << k;
  EXPECT_EQ(0, B(0));
  EXPECT_EQ(1, B(1));
  EXPECT_EQ(0, B(2));
}

// Each command's last device command on the ten-track disc.
TEST_F(AudioElementsTest, CdCommands) {
  const struct {
    const char* Name;
    DWORD Mode;
    const char* Body;
    std::string Last;
  } cases[] = {
      {"play without a track", MCI_MODE_STOP, "    cd_play", MciNumber("cd play from tmsf", 1)},
      {"play NaN", MCI_MODE_STOP, "    cd_play\n      @nan", MciNumber("cd play from tmsf", 2)},
      {"play 2.6", MCI_MODE_STOP, "    cd_play\n      num 2.6", MciNumber("cd play from tmsf", 3)},
      {"set track 12", MCI_MODE_STOP, "    cd_track\n      num 12", MciNumber("cd seek tmsf", 2)},
      {"set position 61.5 s", MCI_MODE_STOP, "    cd_position\n      num 61.5", MciNumber("cd seek ms", 2500 + 61500)},
      {"set track position 1.5 s", MCI_MODE_STOP, "    cd_track_position\n      num 1.5",
       MciNumber("cd seek tmsf", MCI_MAKE_TMSF(1, 0, 1, 38))},
      {"stop while playing", MCI_MODE_PLAY, "    cd_stop", "cd seek ms 2500"},
      {"pause toggle while playing", MCI_MODE_PLAY, "    cd_pause", "cd pause"},
      {"pause false while paused", MCI_MODE_PAUSE, "    cd_pause\n      false", "cd play"},
      {"pause true while stopped at the start", MCI_MODE_STOP, "    cd_pause\n      true", "cd open"},
      {"pause true while paused", MCI_MODE_PAUSE, "    cd_pause\n      true", "cd open"},
      {"door toggle before any read", MCI_MODE_STOP, "    cd_eject", "cd door closed"},
      {"door toggle after a read", MCI_MODE_STOP, "    @b0\n      cd_playing\n    cd_eject", "cd door open"},
      {"door true", MCI_MODE_STOP, "    cd_eject\n      true", "cd door open"},
      {"door false", MCI_MODE_STOP, "    cd_eject\n      false", "cd door closed"},
  };
  for (auto& c : cases) {
    SetUp();
    FakeMci.CdTracks.assign(10, 60000);
    FakeMci.CdStart = 2500;
    FakeMci.CdAt = 2500;
    FakeMci.CdMode = c.Mode;
    ASSERT_TRUE(RunBody(c.Body)) << c.Name;
    ASSERT_FALSE(FakeMci.Log.empty()) << c.Name;
    EXPECT_EQ(c.Last, FakeMci.Log.back()) << c.Name;
    TearDown();
  }
}

}  // namespace
