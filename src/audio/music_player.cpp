// The MIDI music player on the sequencer's commands: open, play, pause, seek,
// the end of a piece and the per-tick watch.
#include "audio/music_player.h"
#include "audio/mci_seam.h"
#include "base/global_storage.h"
#include "window/main_window.h"

GLOBAL_OBJECT(Text, MusicTempFile);
uint32_t MusicDevice;
uint8_t MusicOpen;
uint8_t MusicPaused;
uint8_t MusicLoop;
uint8_t MusicEndNotified;
int32_t MusicPosition;
int32_t MusicLength = MusicNoLength;
int32_t MusicStallTicks = MusicStallStart;
int32_t MusicRetryTicks = -1;

void InitMusicTempFile() { MusicTempFile.InitEmpty(); }

static MCIERROR SendMusicCommand(UINT message, DWORD_PTR flags, void* parms) {
  return MciSys.mciSendCommandA(MusicDevice, message, flags, (DWORD_PTR)parms);
}

// The music's bytes into the file just named; false when the file cannot be
// made or takes fewer bytes.
static bool WriteMusicFile(const Music& music) {
  HANDLE file = CreateFileA(MusicTempFile.Chars(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  int32_t size = music.Data->Size;
  DWORD written = 0;
  bool ok = size >= 0 && WriteFile(file, music.Data->Data, (DWORD)size, &written, nullptr) &&
            written == (DWORD)size;
  CloseHandle(file);
  return ok;
}

static void DeleteMusicFile() {
  if (MusicTempFile.Length() == 0) return;
  DeleteFileA(MusicTempFile.Chars());
  MusicTempFile.Empty();
}

void ResetMusicPlayer() {
  DeleteMusicFile();
  MusicDevice = 0;
  MusicOpen = MusicPaused = MusicLoop = MusicEndNotified = 0;
  MusicPosition = 0;
  MusicLength = MusicNoLength;
  MusicStallTicks = MusicStallStart;
  MusicRetryTicks = -1;
}

static bool OpenSequencer() {
  MCI_OPEN_PARMSA open = {};
  open.lpstrDeviceType = "sequencer";
  open.lpstrElementName = MusicTempFile.Chars();
  if (MciSys.mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, (DWORD_PTR)&open) != 0)
    return false;
  MusicDevice = open.wDeviceID;
  return true;
}

// The length in ms, 1 .. one day; a failing query reads as 0, so 1.
static int32_t QueryMusicLength() {
  MCI_STATUS_PARMS status = {};
  status.dwItem = MCI_STATUS_LENGTH;
  status.dwReturn = 0;
  SendMusicCommand(MCI_STATUS, MCI_STATUS_ITEM, &status);
  if (status.dwReturn < 1) return 1;
  if (status.dwReturn > (DWORD_PTR)MusicNoLength) return MusicNoLength;
  return (int32_t)status.dwReturn;
}

// Refused for a while after a failure; a piece started while paused stays
// loaded and paused.
void PlayMusic(const Music& music, bool loop) {
  if (MusicRetryTicks >= 0) return;
  StopMusic();
  MusicTempFile.SetTempFileName();
  if (!WriteMusicFile(music) || !OpenSequencer()) {
    DeleteMusicFile();
    MusicRetryTicks = MusicRetryWait;
    return;
  }
  MCI_SET_PARMS set = {};
  set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  SendMusicCommand(MCI_SET, MCI_SET_TIME_FORMAT, &set);
  MusicLength = QueryMusicLength();
  MusicOpen = 1;
  uint8_t wasPaused = MusicPaused;
  MusicPaused = 1;
  MusicLoop = loop;
  MusicStallTicks = MusicStallStart;
  if (MusicPosition > 0) SeekMusic(MusicPosition);
  if (!wasPaused) ToggleMusicPause();
}

// Without a piece only the flag changes. A failed play leaves the piece
// paused and lets the tick try again after a while.
void ToggleMusicPause() {
  MusicStallTicks = MusicStallStart;
  MusicPaused = !MusicPaused;
  if (!MusicOpen) return;
  MusicRetryTicks = -1;
  if (MusicPaused) {
    MCI_GENERIC_PARMS pause = {};
    SendMusicCommand(MCI_PAUSE, MCI_WAIT, &pause);
    return;
  }
  MCI_PLAY_PARMS play = {};
  play.dwCallback = (DWORD_PTR)MainWindow;
  if (SendMusicCommand(MCI_PLAY, MCI_NOTIFY, &play) != 0) {
    MusicPaused = 1;
    MusicRetryTicks = MusicRetryWait;
  }
}

static void SeekSequencer(int32_t ms) {
  MCI_SEEK_PARMS seek = {};
  seek.dwTo = (DWORD_PTR)ms;
  SendMusicCommand(MCI_SEEK, MCI_TO | MCI_WAIT, &seek);
}

// ms is kept inside the piece; without a piece it is where the next starts.
void SeekMusic(int32_t ms) {
  if (ms < 0) ms = 0;
  if (ms >= MusicLength) ms = MusicLength - 1;
  MusicPosition = ms;
  MusicStallTicks = MusicStallStart;
  if (!MusicOpen) return;
  if (MusicPaused) {
    SeekSequencer(ms);
    return;
  }
  ToggleMusicPause();
  SeekSequencer(ms);
  ToggleMusicPause();
}

// The system reuses device ids, so end notices of the old piece still
// waiting in the queue are dropped with its flag: they must not end the next.
static void DropMusicNotices() {
  MusicEndNotified = 0;
  if (!MainWindow) return;
  MSG m;
  while (PeekMessageA(&m, MainWindow, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
  }
}

// MusicPaused stays as it is.
void StopMusic() {
  MusicOpen = 0;
  MusicRetryTicks = -1;
  if (MusicDevice) {
    MCI_GENERIC_PARMS parms = {};
    SendMusicCommand(MCI_STOP, MCI_WAIT, &parms);
    SendMusicCommand(MCI_CLOSE, MCI_WAIT, &parms);
    MusicDevice = 0;
    MusicLength = MusicNoLength;
    MusicPosition = 0;
  }
  DropMusicNotices();
  DeleteMusicFile();
}

// A repeating piece plays again from its start; another one is stopped.
void HandleMusicEnd() {
  MusicStallTicks = MusicStallStart;
  MusicRetryTicks = -1;
  if (!MusicOpen) return;
  if (!MusicLoop) {
    StopMusic();
    return;
  }
  MusicPaused = 1;
  SeekMusic(0);
  ToggleMusicPause();
}

// The position, a failing query reading as no movement, within 0 .. length.
static int32_t QueryMusicPosition() {
  MCI_STATUS_PARMS status = {};
  status.dwItem = MCI_STATUS_POSITION;
  status.dwReturn = (DWORD_PTR)MusicPosition;
  SendMusicCommand(MCI_STATUS, MCI_STATUS_ITEM, &status);
  if (status.dwReturn > (DWORD_PTR)MusicLength) return MusicLength;
  return (int32_t)status.dwReturn;
}

// The retry count rests at -1 rather than running on below it: nothing
// tells -1 from lower counts.
void ServiceMusic() {
  if (MusicRetryTicks >= 0) MusicRetryTicks--;
  if (MusicEndNotified) {
    MusicEndNotified = 0;
    HandleMusicEnd();
  }
  if (!MusicOpen) return;
  int32_t position = QueryMusicPosition();
  if (!MusicPaused && position > MusicLength - MusicStallWindow && position == MusicPosition) {
    if (--MusicStallTicks < 0) HandleMusicEnd();
  } else {
    MusicPosition = position;
    MusicStallTicks = MusicStallStart;
  }
  if (MusicRetryTicks == 0 && MusicPaused) ToggleMusicPause();
}
