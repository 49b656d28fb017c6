// CD audio on a fake drive: the defaults without a drive or disc, the open
// back-off, reading a new disc, the cache's freshness and the positions it
// advances, the idle close, the track guard, and the play, move, stop, pause
// and door commands with their wraps.
#include <gtest/gtest.h>
#include "mci_fakes.h"

namespace {

class CdAudioTest : public testing::Test {
 public:
  void SetUp() override {
    ResetAudioPlayers();
    FakeMci.CdStart = 2500;
    FakeMci.CdTracks = {200000, 300000, 250000};
    FakeMci.CdAt = 2500;
  }
  void TearDown() override {
    CloseCdDevice();
    RestoreRealMci();
  }
  static void Ticks(int n) {
    for (int i = 0; i < n; i++) ServiceCdAudio();
  }
  static void ExpectDefaults(const char* what) {
    EXPECT_EQ(CdDefaultStart, CdStart) << what;
    EXPECT_EQ(CdDefaultLength, CdLength) << what;
    EXPECT_EQ(1, CdTrackCount) << what;
    EXPECT_EQ(1, CdTrack) << what;
    EXPECT_EQ(CdDefaultLength, CdTrackLength) << what;
    EXPECT_EQ(0, CdPosition) << what;
    EXPECT_EQ(0, CdTrackPosition) << what;
    EXPECT_EQ(0, CdPlaying) << what;
    EXPECT_EQ(0, CdPaused) << what;
    EXPECT_EQ(0, CdDiscKnown) << what;
  }
  // A refresh forced now.
  static bool Refresh() {
    CdRefreshTicks = 0;
    return RefreshCdStatus();
  }
};

// Without a drive the defaults stand in and no open is tried for 54 ticks.
TEST_F(CdAudioTest, NoDriveGivesDefaultsAndBacksOff) {
  FakeMci.CdMissing = true;
  EXPECT_FALSE(RefreshCdStatus());
  ExpectDefaults("no drive");
  EXPECT_EQ(CdOpenWait, CdOpenBackoff);
  EXPECT_FALSE(RefreshCdStatus());
  Ticks(53);
  EXPECT_FALSE(RefreshCdStatus());
  EXPECT_EQ(1, FakeMci.Count("cd open")) << "no open while backing off";
  FakeMci.CdMissing = false;
  Ticks(1);
  EXPECT_TRUE(RefreshCdStatus());
  EXPECT_EQ(2, FakeMci.Count("cd open"));
}

// A new disc: start, length and track count, then the track from the TMSF
// position (frames rounded to ms) and its length.
TEST_F(CdAudioTest, NewDiscIsRead) {
  const struct {
    DWORD Mode, At;
    int32_t Position, Track, TrackPosition;
    uint8_t Playing, Paused;
  } cases[] = {
      {MCI_MODE_PLAY, 2500 + 200000 + 65500, 265500, 2, 65493, 1, 0},
      {MCI_MODE_PAUSE, 2500 + 1000, 1000, 1, 1000, 0, 1},
      {MCI_MODE_STOP, 2500 + 801, 801, 1, 800, 0, 1},
      {MCI_MODE_STOP, 2500 + 800, 800, 1, 800, 0, 0},
      {MCI_MODE_SEEK, 2500 + 510000, 510000, 3, 10000, 0, 1},
  };
  for (auto& c : cases) {
    SetUp();
    FakeMci.CdMode = c.Mode;
    FakeMci.CdAt = c.At;
    EXPECT_TRUE(RefreshCdStatus()) << c.At;
    EXPECT_TRUE(Refresh()) << c.At << ": the mode is judged with the disc's own start";
    EXPECT_EQ(1, CdDiscKnown);
    EXPECT_EQ(2500, CdStart);
    EXPECT_EQ(750000, CdLength);
    EXPECT_EQ(3, CdTrackCount);
    EXPECT_EQ(c.Position, CdPosition) << c.At;
    EXPECT_EQ(c.Track, CdTrack) << c.At;
    EXPECT_EQ((int32_t)FakeMci.CdTracks[c.Track - 1], CdTrackLength) << c.At;
    EXPECT_EQ(c.TrackPosition, CdTrackPosition) << c.At;
    EXPECT_EQ(c.Playing, CdPlaying) << c.At;
    EXPECT_EQ(c.Paused, CdPaused) << c.At;
    TearDown();
  }
}

// Fresh for 18 ticks: reads send nothing, and a playing disc's positions
// advance by 55 ms a tick up to the lengths; then the next read refreshes.
TEST_F(CdAudioTest, CacheStaysFreshAndAdvancesAPlayingDisc) {
  FakeMci.CdMode = MCI_MODE_PLAY;
  FakeMci.CdAt = 2500 + 200000 - 120;  // 120 ms (9 frames) before track 2
  ASSERT_TRUE(RefreshCdStatus());
  int statusCalls = FakeMci.CdStatusCalls;
  Ticks(1);
  EXPECT_TRUE(RefreshCdStatus());
  EXPECT_EQ(statusCalls, FakeMci.CdStatusCalls);
  EXPECT_EQ(199935, CdPosition);
  EXPECT_EQ(199935, CdTrackPosition);
  Ticks(5);
  EXPECT_EQ(200210, CdPosition);
  EXPECT_EQ(200000, CdTrackPosition) << "never past the track's length";
  Ticks(11);
  EXPECT_EQ(1, CdRefreshTicks);
  EXPECT_EQ(200760, CdPosition);
  Ticks(1);
  EXPECT_EQ(200760, CdPosition) << "the last fresh tick does not advance";
  EXPECT_EQ(statusCalls, FakeMci.CdStatusCalls);
  FakeMci.CdAt = 2500 + 200000 + 1200;
  EXPECT_TRUE(RefreshCdStatus());
  EXPECT_GT(FakeMci.CdStatusCalls, statusCalls);
  EXPECT_EQ(2, CdTrack);
  EXPECT_EQ(1200, CdTrackPosition);

  FakeMci.CdAt = 2500 + 750000 - 20;
  ASSERT_TRUE(Refresh());
  Ticks(3);
  EXPECT_EQ(750000, CdPosition) << "never past the disc's length";
}

// 48 ticks after the last refresh the device closes and the disc is
// forgotten; the next read opens it and reads the disc again.
TEST_F(CdAudioTest, IdleDeviceCloses) {
  ASSERT_TRUE(RefreshCdStatus());
  Ticks(47);
  EXPECT_EQ(FakeCdId, CdDevice);
  Ticks(1);
  EXPECT_EQ(0u, CdDevice);
  EXPECT_EQ(0, CdDiscKnown);
  EXPECT_EQ(1, FakeMci.Count("cd close"));
  Ticks(500);
  EXPECT_EQ(1, FakeMci.Count("cd close"));
  FakeMci.CdTracks = {100000};
  EXPECT_TRUE(RefreshCdStatus());
  EXPECT_EQ(2, FakeMci.Count("cd open"));
  EXPECT_EQ(1, CdTrackCount) << "the disc was read again";
  EXPECT_EQ(100000, CdLength);
}

// With the door open or no disc every read gives the defaults, also while
// that answer is fresh; a disc put in later is read anew.
TEST_F(CdAudioTest, OpenDoorOrNoDiscGivesDefaults) {
  for (DWORD mode : {(DWORD)MCI_MODE_OPEN, (DWORD)MCI_MODE_NOT_READY}) {
    SetUp();
    ASSERT_TRUE(RefreshCdStatus());
    FakeMci.CdMode = mode;
    EXPECT_FALSE(Refresh()) << mode;
    ExpectDefaults("no disc");
    Ticks(1);
    EXPECT_FALSE(RefreshCdStatus()) << mode << ": still fresh, still no disc";
    FakeMci.CdMode = MCI_MODE_STOP;
    FakeMci.CdTracks = {1000, 2000};
    EXPECT_TRUE(Refresh());
    EXPECT_EQ(2, CdTrackCount);
    EXPECT_EQ(3000, CdLength);
    TearDown();
  }
}

// A drive that names the next track while the time still belongs to the end
// of the current one keeps the current track, unless the time went back by
// more than 4 s since the last refresh.
TEST_F(CdAudioTest, TrackGuardAtATracksEnd) {
  const struct {
    const char* Name;
    DWORD At;  // where the first refresh finds the disc
    DWORD Reported;
    int32_t Track;
  } cases[] = {
      {"next track named at the old end", 2500 + 200000 + 296000, MCI_MAKE_TMSF(3, 4, 58, 0), 2},
      {"next track near its start", 2500 + 200000 + 296000, MCI_MAKE_TMSF(3, 0, 1, 0), 3},
      {"time went back 8 s", 2500 + 200000 + 299000, MCI_MAKE_TMSF(3, 4, 51, 0), 3},
      {"two tracks on", 2500 + 1000, MCI_MAKE_TMSF(3, 4, 58, 0), 3},
      {"beyond the disc", 2500 + 200000 + 296000, MCI_MAKE_TMSF(9, 0, 1, 0), 1},
  };
  for (auto& c : cases) {
    SetUp();
    FakeMci.CdAt = c.At;
    ASSERT_TRUE(RefreshCdStatus());
    FakeMci.CdReportedTmsf = c.Reported;
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(c.Track, CdTrack) << c.Name;
    TearDown();
  }
}

// Any track number wraps into the disc's tracks by whole turns, NaN's
// integer included; play starts there without waiting.
TEST_F(CdAudioTest, PlayWrapsTheTrack) {
  const struct {
    int32_t Track, Played;
  } cases[] = {{1, 1}, {10, 10}, {0, 10}, {11, 1}, {-1, 9}, {-10, 10}, {INT32_MIN, 2}, {INT32_MAX, 7}};
  for (auto& c : cases) {
    SetUp();
    FakeMci.CdTracks.assign(10, 60000);
    PlayCdTrack(c.Track);
    EXPECT_EQ(MciNumber("cd play from tmsf", MCI_MAKE_TMSF(c.Played, 0, 0, 0)), FakeMci.Log.back()) << c.Track;
    EXPECT_EQ(0, CdRefreshTicks) << "the next read refreshes";
    EXPECT_TRUE(RefreshCdStatus());
    EXPECT_EQ(c.Played, CdTrack) << c.Track;
    EXPECT_EQ(1, CdPlaying);
    TearDown();
  }
}

// Setting the track plays on from it on a playing disc and only moves a
// stopped one.
TEST_F(CdAudioTest, SetTrackPlaysOnOrMoves) {
  SetCdTrack(5);
  EXPECT_EQ(MciNumber("cd seek tmsf", MCI_MAKE_TMSF(2, 0, 0, 0)), FakeMci.Log.back());
  FakeMci.CdMode = MCI_MODE_PLAY;
  SetCdTrack(3);
  EXPECT_EQ(MciNumber("cd play from tmsf", MCI_MAKE_TMSF(3, 0, 0, 0)), FakeMci.Log.back());
}

// The disc position wraps modulo the disc's length and counts from its start.
TEST_F(CdAudioTest, SetPositionWrapsIntoTheDisc) {
  const struct {
    int32_t Ms;
    DWORD Target;
  } cases[] = {{0, 2500}, {1000, 3500}, {750000, 2500}, {800000, 52500}, {-1, 752499},
               {INT32_MIN, 2500 + 516352}, {INT32_MAX, 2500 + 233647}};
  for (auto& c : cases) {
    SetUp();
    SetCdPosition(c.Ms);
    EXPECT_EQ(MciNumber("cd seek ms", c.Target), FakeMci.Log.back()) << c.Ms;
    FakeMci.CdMode = MCI_MODE_PLAY;
    CdRefreshTicks = 0;
    SetCdPosition(c.Ms);
    EXPECT_EQ(MciNumber("cd play from ms", c.Target), FakeMci.Log.back()) << c.Ms;
    TearDown();
  }
}

// The track position stays before the track's end; frames round to the
// nearest 1/75 s but never reach 75.
TEST_F(CdAudioTest, SetTrackPositionStaysInsideTheTrack) {
  const struct {
    int32_t Ms;
    DWORD Target;
  } cases[] = {
      {65500, MCI_MAKE_TMSF(1, 1, 5, 38)},  {0, MCI_MAKE_TMSF(1, 0, 0, 0)},
      {-5, MCI_MAKE_TMSF(1, 0, 0, 0)},      {59993, MCI_MAKE_TMSF(1, 0, 59, 74)},
      {59999, MCI_MAKE_TMSF(1, 0, 59, 74)}, {1006, MCI_MAKE_TMSF(1, 0, 1, 0)},
      {199999, MCI_MAKE_TMSF(1, 3, 19, 74)}, {500000, MCI_MAKE_TMSF(1, 3, 19, 74)},
      {INT32_MIN, MCI_MAKE_TMSF(1, 0, 0, 0)},
  };
  for (auto& c : cases) {
    SetUp();
    SetCdTrackPosition(c.Ms);
    EXPECT_EQ(MciNumber("cd seek tmsf", c.Target), FakeMci.Log.back()) << c.Ms;
    TearDown();
  }
}

// Stop acts on a playing or paused disc and leaves it at its start; a
// stopped disc at its start gets nothing.
TEST_F(CdAudioTest, StopRestsAtTheStart) {
  FakeMci.CdMode = MCI_MODE_PLAY;
  FakeMci.CdAt = 100000;
  StopCd();
  EXPECT_EQ((std::vector<std::string>{"cd open", "cd stop", "cd seek ms 2500"}), FakeMci.Log);
  FakeMci.Log.clear();
  StopCd();
  EXPECT_TRUE(FakeMci.Log.empty()) << FakeMci.Log.front();
}

// Pause toggles between playing and paused; a stopped disc is left alone,
// its cache too.
TEST_F(CdAudioTest, PauseToggle) {
  FakeMci.CdMode = MCI_MODE_PLAY;
  ToggleCdPause();
  EXPECT_EQ("cd pause", FakeMci.Log.back());
  EXPECT_EQ(0, CdRefreshTicks);
  ToggleCdPause();
  EXPECT_EQ("cd play", FakeMci.Log.back()) << "resumes where it is";
  FakeMci.CdMode = MCI_MODE_STOP;
  FakeMci.CdAt = 2500;
  ASSERT_TRUE(Refresh());
  FakeMci.Log.clear();
  ToggleCdPause();
  EXPECT_TRUE(FakeMci.Log.empty());
  EXPECT_EQ(CdFreshTicks, CdRefreshTicks);
}

// The door opens the device only and leaves the cache as it was.
TEST_F(CdAudioTest, DoorLeavesTheCache) {
  ASSERT_TRUE(RefreshCdStatus());
  int statusCalls = FakeMci.CdStatusCalls;
  SetCdDoor(true);
  EXPECT_EQ("cd door open", FakeMci.Log.back()) << "without waiting";
  EXPECT_EQ(1, CdDiscKnown);
  EXPECT_EQ(statusCalls, FakeMci.CdStatusCalls);
  SetCdDoor(false);
  EXPECT_EQ("cd door closed", FakeMci.Log.back());
  CloseCdDevice();
  FakeMci.Log.clear();
  SetCdDoor(true);
  EXPECT_EQ((std::vector<std::string>{"cd open", "cd door open"}), FakeMci.Log);
  EXPECT_EQ(statusCalls, FakeMci.CdStatusCalls);
}

// Commands do nothing without a disc or drive.
TEST_F(CdAudioTest, CommandsNeedADisc) {
  FakeMci.CdMode = MCI_MODE_OPEN;
  PlayCdTrack(1);
  SetCdTrack(1);
  SetCdPosition(0);
  SetCdTrackPosition(0);
  StopCd();
  ToggleCdPause();
  EXPECT_EQ((std::vector<std::string>{"cd open"}), FakeMci.Log);
}

}  // namespace
