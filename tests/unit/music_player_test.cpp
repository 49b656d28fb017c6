// The music player on a fake sequencer: the temporary file, opening playing
// or paused, the pending seek, seeking and pausing, the end by notification
// (once or repeating), the stall watch, failures with their retry wait, and
// stale end notices of a stopped piece.
#include <algorithm>
#include "mci_fakes.h"
#include "window_setup.h"

namespace {

class MusicPlayerTest : public MainWindowFixture {
 public:
  Music Tune;
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open();
    ResetAudioPlayers();
    static const uint8_t bytes[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 0xFF, 0x2F};
    MusicData* r = (MusicData*)MemAlloc(sizeof(MusicData));
    r->RefCount = 0;
    r->Size = sizeof bytes;
    r->Data = (uint8_t*)MemAlloc(sizeof bytes);
    memcpy(r->Data, bytes, sizeof bytes);
    Tune.Assign(r);
  }
  void TearDown() override {
    StopMusic();
    RestoreRealMci();
    MainWindowFixture::TearDown();
  }
  static bool FileExists(const std::string& name) {
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  static void Ticks(int n) {
    for (int i = 0; i < n; i++) ServiceMusic();
  }
  // The end notice the sequencer posts to the main window, taken by the pump.
  static void DeliverEndNotice(MCIDEVICEID device = FakeSequencerId) {
    PostMessageA(MainWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, device);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }
};

// The file holds the music's bytes while the piece is open and goes with it.
TEST_F(MusicPlayerTest, PlaysFromATemporaryFileThatStopDeletes) {
  PlayMusic(Tune, false);
  EXPECT_EQ(FakeSequencerId, MusicDevice);
  EXPECT_EQ(1, MusicOpen);
  EXPECT_EQ(0, MusicPaused);
  EXPECT_EQ(2000, MusicLength);
  std::string file = MusicTempFile.Chars();
  EXPECT_EQ(file, FakeMci.SeqFile);
  EXPECT_NE(std::string::npos, file.find("YLT")) << file;
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(std::vector<uint8_t>(Tune.Data->Data, Tune.Data->Data + Tune.Data->Size), FakeMci.SeqBytes);
  EXPECT_EQ((std::vector<std::string>{"seq open", "seq set ms", "seq length", "seq play notify"}), FakeMci.Log);
  EXPECT_EQ((DWORD_PTR)MainWindow, FakeMci.SeqCallback) << "the main window hears the end";

  FakeMci.Log.clear();
  MusicPosition = 700;
  StopMusic();
  EXPECT_EQ((std::vector<std::string>{"seq stop", "seq close"}), FakeMci.Log);
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(0, MusicTempFile.Length());
  EXPECT_EQ(0u, MusicDevice);
  EXPECT_EQ(0, MusicOpen);
  EXPECT_EQ(MusicNoLength, MusicLength);
  EXPECT_EQ(0, MusicPosition);
}

// A second piece replaces the first, whose file goes at once.
TEST_F(MusicPlayerTest, ANewPieceStopsTheOldOne) {
  PlayMusic(Tune, false);
  std::string first = MusicTempFile.Chars();
  PlayMusic(Tune, true);
  EXPECT_FALSE(FileExists(first));
  EXPECT_TRUE(FileExists(MusicTempFile.Chars()));
  EXPECT_NE(first, MusicTempFile.Chars());
  EXPECT_EQ(1, FakeMci.Count("seq close"));
  EXPECT_EQ(1, MusicLoop);
}

TEST_F(MusicPlayerTest, LengthIsKeptWithinOneMsAndOneDay) {
  const struct {
    DWORD Reported;
    bool Fails;
    int32_t Length;
  } cases[] = {{0, false, 1}, {1, false, 1}, {86400000, false, 86400000}, {4000000000u, false, 86400000},
               {5000, true, 1}};
  for (auto& c : cases) {
    ResetAudioPlayers();
    FakeMci.SeqLength = c.Reported;
    FakeMci.SeqStatusFails = c.Fails;
    PlayMusic(Tune, false);
    EXPECT_EQ(c.Length, MusicLength) << c.Reported << (c.Fails ? " failing" : "");
    StopMusic();
  }
}

// Pausing without a piece only sets the flag: the next piece opens paused,
// at the position set before, and plays from there when resumed.
TEST_F(MusicPlayerTest, PauseAndPositionWaitForTheNextPiece) {
  ToggleMusicPause();
  SeekMusic(1500);
  EXPECT_EQ(1, MusicPaused);
  EXPECT_EQ(1500, MusicPosition);
  EXPECT_TRUE(FakeMci.Log.empty());
  PlayMusic(Tune, false);
  EXPECT_EQ((std::vector<std::string>{"seq open", "seq set ms", "seq length", "seq seek 1500"}), FakeMci.Log);
  EXPECT_EQ(1, MusicOpen);
  EXPECT_EQ(1, MusicPaused);
  FakeMci.Log.clear();
  ToggleMusicPause();
  EXPECT_EQ((std::vector<std::string>{"seq play notify"}), FakeMci.Log);
  EXPECT_EQ(0, MusicPaused);
  StopMusic();
  EXPECT_EQ(0, MusicPaused);
  ToggleMusicPause();
  StopMusic();
  EXPECT_EQ(1, MusicPaused) << "the pause outlives the piece";
}

// The target is kept inside the piece; a playing piece pauses, moves and
// plays on, a paused one only moves.
TEST_F(MusicPlayerTest, SeekStaysInsideThePiece) {
  const struct {
    DWORD Length;
    int32_t Ms;
    int32_t Position;
  } cases[] = {{2000, 1500, 1500}, {2000, 2000, 1999}, {2000, INT32_MAX, 1999}, {2000, -5, 0},
               {2000, INT32_MIN, 0}, {0, 700, 0}};
  for (auto& c : cases) {
    ResetAudioPlayers();
    FakeMci.SeqLength = c.Length;
    PlayMusic(Tune, false);
    FakeMci.Log.clear();
    SeekMusic(c.Ms);
    EXPECT_EQ(c.Position, MusicPosition) << c.Ms;
    EXPECT_EQ((std::vector<std::string>{"seq pause", MciNumber("seq seek", c.Position), "seq play notify"}),
              FakeMci.Log)
        << c.Ms;
    ToggleMusicPause();
    FakeMci.Log.clear();
    SeekMusic(c.Ms);
    EXPECT_EQ((std::vector<std::string>{MciNumber("seq seek", c.Position)}), FakeMci.Log) << c.Ms << " paused";
    StopMusic();
  }
}

// The first notice marks the end for the tick; the tick stops a piece played
// once and plays a repeating one again from its start.
TEST_F(MusicPlayerTest, EndNoticeStopsOrRepeats) {
  for (bool loop : {false, true}) {
    ResetAudioPlayers();
    PlayMusic(Tune, loop);
    std::string file = MusicTempFile.Chars();
    FakeMci.SeqPosition = 1990;
    ServiceMusic();
    EXPECT_EQ(1990, MusicPosition);
    DeliverEndNotice(FakeSequencerId + 1);
    EXPECT_EQ(0, MusicEndNotified) << "another device's notice";
    DeliverEndNotice();
    EXPECT_EQ(1, MusicEndNotified);
    EXPECT_EQ(1, MusicOpen) << "the tick ends it";
    FakeMci.Log.clear();
    ServiceMusic();
    EXPECT_EQ(0, MusicEndNotified);
    EXPECT_EQ(loop, MusicOpen != 0) << loop;
    EXPECT_EQ(loop, FileExists(file)) << loop;
    if (loop) {
      EXPECT_EQ(1, MusicLoop);
      EXPECT_EQ(0, MusicPosition);
      EXPECT_EQ(0, MusicPaused);
      EXPECT_EQ(1, FakeMci.Count("seq seek 0"));
      EXPECT_EQ(1, FakeMci.Count("seq play notify"));
      EXPECT_TRUE(FakeMci.SeqPlaying);
    } else {
      EXPECT_EQ(1, FakeMci.Count("seq close"));
    }
    StopMusic();
  }
}

// A second notice before the tick ends the piece at once.
TEST_F(MusicPlayerTest, SecondNoticeEndsAtOnce) {
  PlayMusic(Tune, false);
  DeliverEndNotice();
  DeliverEndNotice();
  EXPECT_EQ(0, MusicOpen);
  EXPECT_EQ(0u, MusicDevice);
}

// Device ids are reused: an end notice of a stopped piece that still waits
// in the queue, or its flag, must not end the next piece.
TEST_F(MusicPlayerTest, StaleEndNoticeNeverEndsTheNextPiece) {
  PlayMusic(Tune, false);
  PostMessageA(MainWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, FakeSequencerId);
  MusicEndNotified = 1;
  PlayMusic(Tune, false);
  EXPECT_EQ(FakeSequencerId, MusicDevice) << "the same id again";
  EXPECT_EQ(0, MusicEndNotified);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  ServiceMusic();
  EXPECT_EQ(1, MusicOpen);
  EXPECT_EQ(0, MusicEndNotified);
}

// A playing piece that stands still within its last 20 ms ends after 73
// ticks in a row; one that moves, stands earlier or is paused never does.
TEST_F(MusicPlayerTest, StallWatchEndsAPieceStuckAtItsEnd) {
  const struct {
    const char* Name;
    DWORD Position;
    bool Pause, Moving;
    bool Ends;
  } cases[] = {{"stuck at its end", 1990, false, false, true},
               {"stuck at its very end", 2000, false, false, true},
               {"stuck 25 ms before its end", 1975, false, false, false},
               {"paused at its end", 1990, true, false, false},
               {"moving at its end", 1981, false, true, false}};
  for (auto& c : cases) {
    ResetAudioPlayers();
    PlayMusic(Tune, false);
    if (c.Pause) ToggleMusicPause();
    FakeMci.SeqPosition = c.Position;
    for (int i = 0; i < 73; i++) {
      ServiceMusic();
      if (c.Moving) FakeMci.SeqPosition = FakeMci.SeqPosition == 1981 ? 1982 : 1981;
    }
    EXPECT_EQ(1, MusicOpen) << c.Name << ": still open after 73 ticks";
    EXPECT_EQ((int32_t)std::min<DWORD>(c.Position, 2000), MusicPosition) << c.Name;
    ServiceMusic();
    EXPECT_EQ(!c.Ends, MusicOpen != 0) << c.Name;
    StopMusic();
  }
}

// A failing position query reads as no movement.
TEST_F(MusicPlayerTest, FailingPositionQueryKeepsThePosition) {
  PlayMusic(Tune, false);
  SeekMusic(1200);
  FakeMci.SeqStatusFails = true;
  FakeMci.SeqPosition = 50;
  Ticks(5);
  EXPECT_EQ(1200, MusicPosition);
}

// A failed open deletes the file the system made and refuses new pieces for 90 ticks.
TEST_F(MusicPlayerTest, FailedOpenWaitsNinetyTicks) {
  FakeMci.SeqOpenFails = true;
  PlayMusic(Tune, false);
  std::string file = FakeMci.SeqFile;
  EXPECT_NE("", file);
  EXPECT_FALSE(FileExists(file)) << "the file the system made is deleted";
  EXPECT_EQ(0, MusicOpen);
  EXPECT_EQ(0u, MusicDevice);
  EXPECT_EQ(0, MusicTempFile.Length());
  EXPECT_EQ(MusicRetryWait, MusicRetryTicks);
  FakeMci.SeqOpenFails = false;
  Ticks(90);
  PlayMusic(Tune, false);
  EXPECT_EQ(1, FakeMci.Count("seq open")) << "refused while the count is 0 or more";
  Ticks(1);
  PlayMusic(Tune, false);
  EXPECT_EQ(2, FakeMci.Count("seq open"));
  EXPECT_EQ(1, MusicOpen);
}

// A failed play leaves the piece open and paused and plays it again after
// 90 ticks; a pause the program made is never undone by the tick.
TEST_F(MusicPlayerTest, FailedPlayIsRetriedAfterNinetyTicks) {
  FakeMci.SeqPlayFails = true;
  PlayMusic(Tune, false);
  EXPECT_EQ(1, MusicOpen);
  EXPECT_EQ(1, MusicPaused);
  EXPECT_EQ(MusicRetryWait, MusicRetryTicks);
  FakeMci.SeqPlayFails = false;
  Ticks(89);
  EXPECT_EQ(1, FakeMci.Count("seq play notify"));
  EXPECT_EQ(1, MusicPaused);
  Ticks(1);
  EXPECT_EQ(2, FakeMci.Count("seq play notify"));
  EXPECT_EQ(0, MusicPaused);
  EXPECT_TRUE(FakeMci.SeqPlaying);

  ToggleMusicPause();
  Ticks(200);
  EXPECT_EQ(2, FakeMci.Count("seq play notify"));
  EXPECT_EQ(1, MusicPaused);
}

// The timer tick runs the music service, then the CD service.
TEST_F(MusicPlayerTest, TheTickServesMusicAndCd) {
  PlayMusic(Tune, false);
  MusicEndNotified = 1;
  CdRefreshTicks = CdCloseTicks + 1;
  CdDevice = FakeCdId;
  FakeMci.CdOpen = true;
  RunTimerTick();
  EXPECT_EQ(0, MusicOpen);
  EXPECT_EQ(0u, CdDevice) << "the idle device closed";
  EXPECT_EQ(1, FakeMci.Count("cd close"));
}

}  // namespace
