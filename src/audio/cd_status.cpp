// The CD status cache: opening and closing the device, the refresh that
// reads the drive's state, and the tick that advances a playing disc.
#include "audio/cd_audio.h"
#include <windows.h>
#include <mmsystem.h>
#include "audio/cd_send.h"

uint32_t CdDevice;
int32_t CdRefreshTicks;
uint8_t CdDiscKnown;
int32_t CdPosition;
int32_t CdTrackPosition;
uint8_t CdPlaying;
uint8_t CdPaused;
int32_t CdOpenBackoff = -1;
int32_t CdStart = CdDefaultStart;
int32_t CdLength = CdDefaultLength;
int32_t CdTrackCount = 1;
int32_t CdTrack = 1;
int32_t CdTrackLength = CdDefaultLength;

const DWORD CdStopPauseMs = 800;  // a stopped disc this far in counts as paused

void SetCdTimeFormat(DWORD format) {
  MCI_SET_PARMS set = {};
  set.dwTimeFormat = format;
  SendCdCommand(MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, &set);
}

// A status item with the return value preset; false when the command fails.
static bool QueryCd(DWORD item, DWORD_PTR& value, DWORD extraFlags = 0, DWORD track = 0) {
  MCI_STATUS_PARMS status = {};
  status.dwItem = item;
  status.dwTrack = track;
  status.dwReturn = value;
  bool ok = SendCdCommand(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM | extraFlags, &status) == 0;
  value = status.dwReturn;
  return ok;
}

static int32_t AtMost(DWORD_PTR value, int32_t limit) {
  return value > (DWORD_PTR)limit ? limit : (int32_t)value;
}

bool OpenCdDevice() {
  if (CdDevice) return true;
  if (CdOpenBackoff > 0) return false;
  MCI_OPEN_PARMSA open = {};
  open.lpstrDeviceType = "cdaudio";
  if (MciSys.mciSendCommandA(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_SHAREABLE | MCI_OPEN_TYPE,
                             (DWORD_PTR)&open) != 0) {
    CdOpenBackoff = CdOpenWait;
    return false;
  }
  CdDevice = open.wDeviceID;
  return true;
}

void CloseCdDevice() {
  if (CdDevice) {
    MCI_GENERIC_PARMS close = {};
    SendCdCommand(MCI_CLOSE, MCI_WAIT, &close);
    CdDevice = 0;
  }
  CdDiscKnown = 0;
}

static void PutCdDefaults() {
  CdStart = CdDefaultStart;
  CdLength = CdDefaultLength;
  CdTrackCount = 1;
  CdTrack = 1;
  CdTrackLength = CdDefaultLength;
}

static void ClearCdMotion() {
  CdPosition = CdTrackPosition = 0;
  CdPlaying = CdPaused = 0;
}

void ResetCdAudio() {
  CdDevice = 0;
  CdRefreshTicks = 0;
  CdDiscKnown = 0;
  ClearCdMotion();
  CdOpenBackoff = -1;
  PutCdDefaults();
}

// The disc position in ms format, relative to the disc's start; the mode;
// false when the drive holds no disc (the cache is then reset).
static bool ReadCdPositionAndMode() {
  SetCdTimeFormat(MCI_FORMAT_MILLISECONDS);
  DWORD_PTR position = (DWORD_PTR)CdStart;
  if (QueryCd(MCI_STATUS_POSITION, position)) {
    int64_t relative = (int64_t)position - CdStart;
    CdPosition = relative < 0 ? 0 : relative > CdMaxTime ? CdMaxTime : (int32_t)relative;
  }
  DWORD_PTR mode = 0;
  if (!QueryCd(MCI_STATUS_MODE, mode)) return true;
  switch (mode) {
    case MCI_MODE_NOT_READY:
    case MCI_MODE_OPEN:
      PutCdDefaults();
      CdDiscKnown = 0;
      ClearCdMotion();
      return false;
    case MCI_MODE_PLAY: CdPlaying = 1; break;
    case MCI_MODE_PAUSE: CdPaused = 1; break;
    default: CdPaused = CdPosition > (int32_t)CdStopPauseMs; break;
  }
  return true;
}

// A new disc: its start (the position is kept absolute across the change),
// length and track count; the track length is read below.
static void ReadNewDisc() {
  CdDiscKnown = 1;
  DWORD_PTR start = 0;
  if (QueryCd(MCI_STATUS_POSITION, start, MCI_STATUS_START) && start > 0) {
    int64_t absolute = (int64_t)CdPosition + CdStart;
    CdStart = AtMost(start, CdMaxTime);
    CdPosition = absolute - CdStart < 0 ? 0 : (int32_t)(absolute - CdStart);
  }
  DWORD_PTR length = 0;
  if (QueryCd(MCI_STATUS_LENGTH, length) && length > 0) CdLength = AtMost(length, CdMaxTime);
  DWORD_PTR tracks = 0;
  if (QueryCd(MCI_STATUS_NUMBER_OF_TRACKS, tracks) && tracks > 0)
    CdTrackCount = AtMost(tracks, CdMaxTracks);
  CdTrack = 0;
}

// The track and the position in it from the TMSF position. A drive that
// already names the next track while the time still belongs to the end of
// the current one does not make the track jump.
static void ReadCdTrack(int32_t previousTrackPosition) {
  SetCdTimeFormat(MCI_FORMAT_TMSF);
  DWORD_PTR tmsf = 0;
  int32_t m = 0;
  if (QueryCd(MCI_STATUS_POSITION, tmsf)) {
    CdTrackPosition = ((int32_t)MCI_TMSF_FRAME(tmsf) * 1000 + 37) / 75 +
                      (int32_t)MCI_TMSF_SECOND(tmsf) * 1000 + (int32_t)MCI_TMSF_MINUTE(tmsf) * 60000;
    m = MCI_TMSF_TRACK(tmsf);
  }
  if (CdTrackPosition < 0) CdTrackPosition = 0;
  if (m < 1 || m > CdTrackCount) m = 1;
  if (m == CdTrack + 1 && m > 1 && CdTrackPosition > CdTrackLength - 10000 && CdTrackPosition > 5000 &&
      CdTrackPosition > previousTrackPosition - 4000)
    m--;
  if (m == CdTrack) return;
  CdTrack = m;
  SetCdTimeFormat(MCI_FORMAT_MILLISECONDS);
  DWORD_PTR length = 0;
  if (QueryCd(MCI_STATUS_LENGTH, length, MCI_TRACK, (DWORD)CdTrack) && length > 0)
    CdTrackLength = AtMost(length, CdMaxTime);
}

// While fresh the cache answers as the last refresh did: a drive found
// without a disc is still without one.
bool RefreshCdStatus() {
  if (CdRefreshTicks > 0) return CdDiscKnown != 0;
  int32_t previousTrackPosition = CdTrackPosition;
  if (!CdDiscKnown) PutCdDefaults();
  ClearCdMotion();
  if (!OpenCdDevice()) return false;
  CdRefreshTicks = CdFreshTicks;
  if (!ReadCdPositionAndMode()) return false;
  if (!CdDiscKnown) ReadNewDisc();
  ReadCdTrack(previousTrackPosition);
  if (CdTrackLength > CdLength) CdTrackLength = CdLength;
  if (CdTrackPosition > CdTrackLength) CdTrackPosition = CdTrackLength;
  if (CdPosition > CdLength) CdPosition = CdLength;
  return true;
}

// The counts rest just past the values that matter instead of running on.
void ServiceCdAudio() {
  if (CdOpenBackoff > -1) CdOpenBackoff--;
  if (CdRefreshTicks > CdCloseTicks - 1 && --CdRefreshTicks == CdCloseTicks) CloseCdDevice();
  if (!CdDevice || !CdPlaying || CdRefreshTicks <= 1) return;
  CdPosition = CdPosition > CdLength - CdTickMs ? CdLength : CdPosition + CdTickMs;
  CdTrackPosition = CdTrackPosition > CdTrackLength - CdTickMs ? CdTrackLength : CdTrackPosition + CdTickMs;
}
