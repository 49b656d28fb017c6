// The CD commands: play and set a track, move on the disc or in the track,
// stop, pause and resume, and the door; their results are not checked.
#include "audio/cd_audio.h"
#include "audio/cd_send.h"

// Each command but the door reads the cache first, does nothing without a
// disc and makes the next read refresh.

// track brought into 1 .. count by whole turns, in 64 bits so that any
// operand (INT32_MIN from NaN included) takes one step.
static int32_t WrapTrack(int32_t track) {
  if (CdTrackCount <= 0) return track;
  int64_t r = ((int64_t)track - 1) % CdTrackCount;
  if (r < 0) r += CdTrackCount;
  return (int32_t)r + 1;
}

static void PlayCdFrom(DWORD from) {
  MCI_PLAY_PARMS play = {};
  play.dwFrom = from;
  SendCdCommand(MCI_PLAY, MCI_FROM, &play);
}

static void SeekCdTo(DWORD to) {
  MCI_SEEK_PARMS seek = {};
  seek.dwTo = to;
  SendCdCommand(MCI_SEEK, MCI_WAIT | MCI_TO, &seek);
}

// A playing disc plays on from the target, another one only moves there.
static void MoveCdTo(DWORD target) {
  if (CdPlaying)
    PlayCdFrom(target);
  else
    SeekCdTo(target);
}

void PlayCdTrack(int32_t track) {
  if (!RefreshCdStatus()) return;
  track = WrapTrack(track);
  SetCdTimeFormat(MCI_FORMAT_TMSF);
  PlayCdFrom(MCI_MAKE_TMSF(track, 0, 0, 0));
  CdRefreshTicks = 0;
}

void SetCdTrack(int32_t track) {
  if (!RefreshCdStatus()) return;
  track = WrapTrack(track);
  SetCdTimeFormat(MCI_FORMAT_TMSF);
  MoveCdTo(MCI_MAKE_TMSF(track, 0, 0, 0));
  CdRefreshTicks = 0;
}

// ms from the disc's start, wrapped into the disc.
void SetCdPosition(int32_t ms) {
  if (!RefreshCdStatus()) return;
  SetCdTimeFormat(MCI_FORMAT_MILLISECONDS);
  if (CdLength > 0) {
    int64_t r = (int64_t)ms % CdLength;
    ms = (int32_t)(r < 0 ? r + CdLength : r);
  }
  MoveCdTo((DWORD)((int64_t)CdStart + ms));
  CdRefreshTicks = 0;
}

// ms from the current track's start, kept before the track's end. Frames
// round to the nearest 1/75 s but stay below 75 (the last 6 ms of a second
// take frame 74), and minutes stay within their byte.
void SetCdTrackPosition(int32_t ms) {
  if (!RefreshCdStatus()) return;
  SetCdTimeFormat(MCI_FORMAT_TMSF);
  if (ms > CdTrackLength - 1) ms = CdTrackLength - 1;
  if (ms < 0) ms = 0;
  int32_t minutes = ms / 60000, seconds = ms / 1000 % 60, frames = (75 * (ms % 1000) + 500) / 1000;
  if (frames > 74) frames = 74;
  if (minutes > 255) minutes = 255;
  MoveCdTo(MCI_MAKE_TMSF(CdTrack, minutes, seconds, frames));
  CdRefreshTicks = 0;
}

// Only a playing or paused disc is stopped; it then rests at its start.
void StopCd() {
  if (!RefreshCdStatus()) return;
  if (CdPlaying || CdPaused) {
    MCI_GENERIC_PARMS stop = {};
    SendCdCommand(MCI_STOP, MCI_WAIT, &stop);
    SetCdTimeFormat(MCI_FORMAT_MILLISECONDS);
    SeekCdTo((DWORD)CdStart);
  }
  CdRefreshTicks = 0;
}

// A stopped disc at its start is neither playing nor paused: nothing happens.
void ToggleCdPause() {
  if (!RefreshCdStatus()) return;
  if (CdPlaying) {
    MCI_GENERIC_PARMS pause = {};
    SendCdCommand(MCI_PAUSE, MCI_WAIT, &pause);
  } else if (CdPaused) {
    MCI_PLAY_PARMS play = {};
    SendCdCommand(MCI_PLAY, 0, &play);
  } else {
    return;
  }
  CdRefreshTicks = 0;
}

// The cache is left as it is and shows the old state until it is stale.
void SetCdDoor(bool open) {
  if (!OpenCdDevice()) return;
  MCI_SET_PARMS set = {};
  SendCdCommand(MCI_SET, open ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED, &set);
}
