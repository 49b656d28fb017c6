// Fake MCI devices behind the device-command seam: a sequencer (id 7) that
// reads the file it opens and moves only when a test moves it, and a CD
// drive (id 9) with a disc of tracks laid out from its start, answering in
// milliseconds or TMSF as set. Every command is logged in a short form.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "audio/mci_seam.h"

const MCIDEVICEID FakeSequencerId = 7;
const MCIDEVICEID FakeCdId = 9;

struct FakeMciDevices {
  // The sequencer.
  bool SeqOpenFails = false, SeqPlayFails = false, SeqStatusFails = false;
  DWORD SeqLength = 2000, SeqPosition = 0;
  bool SeqOpen = false, SeqPlaying = false;
  DWORD_PTR SeqCallback = 0;
  std::string SeqFile;           // the element name it was opened with
  std::vector<uint8_t> SeqBytes; // the file's contents at the open
  // The CD drive.
  bool CdMissing = false;
  DWORD CdMode = MCI_MODE_STOP;
  DWORD CdStart = 2000;              // ms of the first track's start
  std::vector<DWORD> CdTracks = {};  // track lengths in ms
  DWORD CdAt = 2000;                 // absolute position in ms
  DWORD CdFormat = MCI_FORMAT_MILLISECONDS;
  DWORD CdReportedTmsf = 0;          // when set, the TMSF position reported instead
  bool CdOpen = false;
  int CdStatusCalls = 0;
  std::vector<std::string> Log;

  int Count(const std::string& entry) const {
    int n = 0;
    for (const std::string& e : Log) n += e == entry;
    return n;
  }
  DWORD CdDiscLength() const {
    DWORD n = 0;
    for (DWORD t : CdTracks) n += t;
    return n;
  }
  // Absolute ms of a TMSF value.
  DWORD CdFromTmsf(DWORD tmsf) const {
    DWORD at = CdStart;
    for (DWORD t = 1; t < MCI_TMSF_TRACK(tmsf) && t <= CdTracks.size(); t++) at += CdTracks[t - 1];
    return at + MCI_TMSF_MINUTE(tmsf) * 60000 + MCI_TMSF_SECOND(tmsf) * 1000 +
           MCI_TMSF_FRAME(tmsf) * 1000 / 75;
  }
  DWORD CdToTmsf(DWORD at) const {
    DWORD offset = at > CdStart ? at - CdStart : 0, track = 1;
    while (track < CdTracks.size() && offset >= CdTracks[track - 1]) offset -= CdTracks[track++ - 1];
    return MCI_MAKE_TMSF(track, offset / 60000, offset / 1000 % 60, offset % 1000 * 75 / 1000);
  }
};

inline FakeMciDevices FakeMci;

inline std::string MciNumber(const char* what, DWORD_PTR v) {
  char b[64];
  snprintf(b, sizeof b, "%s %lu", what, (unsigned long)v);
  return b;
}

inline MCIERROR FakeSequencerCommand(UINT message, DWORD_PTR flags, DWORD_PTR parms) {
  FakeMciDevices& f = FakeMci;
  switch (message) {
    case MCI_SET:
      f.Log.push_back(((MCI_SET_PARMS*)parms)->dwTimeFormat == MCI_FORMAT_MILLISECONDS ? "seq set ms" : "seq set ?");
      return 0;
    case MCI_STATUS: {
      MCI_STATUS_PARMS* s = (MCI_STATUS_PARMS*)parms;
      f.Log.push_back(s->dwItem == MCI_STATUS_LENGTH ? "seq length" : "seq position");
      if (f.SeqStatusFails) return MCIERR_UNSUPPORTED_FUNCTION;
      s->dwReturn = s->dwItem == MCI_STATUS_LENGTH ? f.SeqLength : f.SeqPosition;
      return 0;
    }
    case MCI_PLAY:
      f.Log.push_back(flags == MCI_NOTIFY ? "seq play notify" : "seq play ?");
      if (f.SeqPlayFails) return MCIERR_HARDWARE;
      f.SeqPlaying = true;
      f.SeqCallback = ((MCI_PLAY_PARMS*)parms)->dwCallback;
      return 0;
    case MCI_PAUSE:
      f.Log.push_back("seq pause");
      f.SeqPlaying = false;
      return 0;
    case MCI_SEEK:
      f.SeqPosition = (DWORD)((MCI_SEEK_PARMS*)parms)->dwTo;
      f.Log.push_back(MciNumber("seq seek", f.SeqPosition));
      return 0;
    case MCI_STOP:
      f.Log.push_back("seq stop");
      f.SeqPlaying = false;
      return 0;
    case MCI_CLOSE:
      f.Log.push_back("seq close");
      f.SeqOpen = false;
      return 0;
  }
  return MCIERR_UNRECOGNIZED_COMMAND;
}

inline MCIERROR FakeCdStatus(MCI_STATUS_PARMS* s, DWORD_PTR flags) {
  FakeMciDevices& f = FakeMci;
  f.CdStatusCalls++;
  bool ms = f.CdFormat == MCI_FORMAT_MILLISECONDS;
  switch (s->dwItem) {
    case MCI_STATUS_POSITION:
      if (flags & MCI_STATUS_START) s->dwReturn = f.CdStart;
      else if (ms) s->dwReturn = f.CdAt;
      else s->dwReturn = f.CdReportedTmsf ? f.CdReportedTmsf : f.CdToTmsf(f.CdAt);
      return 0;
    case MCI_STATUS_MODE: s->dwReturn = f.CdMode; return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS: s->dwReturn = f.CdTracks.size(); return 0;
    case MCI_STATUS_LENGTH:
      if (!(flags & MCI_TRACK)) {
        s->dwReturn = f.CdDiscLength();
        return 0;
      }
      if (s->dwTrack < 1 || s->dwTrack > f.CdTracks.size()) return MCIERR_OUTOFRANGE;
      s->dwReturn = f.CdTracks[s->dwTrack - 1];
      return 0;
  }
  return MCIERR_UNSUPPORTED_FUNCTION;
}

inline MCIERROR FakeCdCommand(UINT message, DWORD_PTR flags, DWORD_PTR parms) {
  FakeMciDevices& f = FakeMci;
  bool ms = f.CdFormat == MCI_FORMAT_MILLISECONDS;
  switch (message) {
    case MCI_SET: {
      MCI_SET_PARMS* s = (MCI_SET_PARMS*)parms;
      if (flags & MCI_SET_TIME_FORMAT) {
        f.CdFormat = s->dwTimeFormat;
        return 0;
      }
      if (flags & MCI_SET_DOOR_OPEN) {
        f.Log.push_back(flags & MCI_WAIT ? "cd door open wait" : "cd door open");
        f.CdMode = MCI_MODE_OPEN;
      } else if (flags & MCI_SET_DOOR_CLOSED) {
        f.Log.push_back(flags & MCI_WAIT ? "cd door closed wait" : "cd door closed");
        f.CdMode = MCI_MODE_STOP;
      }
      return 0;
    }
    case MCI_STATUS: return FakeCdStatus((MCI_STATUS_PARMS*)parms, flags);
    case MCI_PLAY: {
      MCI_PLAY_PARMS* p = (MCI_PLAY_PARMS*)parms;
      if (flags & MCI_FROM) {
        f.CdAt = ms ? (DWORD)p->dwFrom : f.CdFromTmsf((DWORD)p->dwFrom);
        f.Log.push_back(MciNumber(ms ? "cd play from ms" : "cd play from tmsf", p->dwFrom));
      } else {
        f.Log.push_back(flags ? "cd play ?" : "cd play");
      }
      f.CdMode = MCI_MODE_PLAY;
      return 0;
    }
    case MCI_SEEK: {
      MCI_SEEK_PARMS* s = (MCI_SEEK_PARMS*)parms;
      f.CdAt = ms ? (DWORD)s->dwTo : f.CdFromTmsf((DWORD)s->dwTo);
      f.Log.push_back(MciNumber(ms ? "cd seek ms" : "cd seek tmsf", s->dwTo));
      f.CdMode = MCI_MODE_STOP;
      return 0;
    }
    case MCI_PAUSE:
      f.Log.push_back("cd pause");
      f.CdMode = MCI_MODE_PAUSE;
      return 0;
    case MCI_STOP:
      f.Log.push_back("cd stop");
      f.CdMode = MCI_MODE_STOP;
      return 0;
    case MCI_CLOSE:
      f.Log.push_back("cd close");
      f.CdOpen = false;
      return 0;
  }
  return MCIERR_UNRECOGNIZED_COMMAND;
}

inline MCIERROR FakeOpen(DWORD_PTR flags, MCI_OPEN_PARMSA* o) {
  FakeMciDevices& f = FakeMci;
  if (strcmp(o->lpstrDeviceType, "cdaudio") == 0) {
    f.Log.push_back(flags == (MCI_WAIT | MCI_OPEN_SHAREABLE | MCI_OPEN_TYPE) ? "cd open" : "cd open ?");
    if (f.CdMissing) return MCIERR_INVALID_DEVICE_NAME;
    f.CdOpen = true;
    o->wDeviceID = FakeCdId;
    return 0;
  }
  f.Log.push_back(flags == (MCI_OPEN_TYPE | MCI_OPEN_ELEMENT) && strcmp(o->lpstrDeviceType, "sequencer") == 0
                      ? "seq open"
                      : "seq open ?");
  f.SeqFile = o->lpstrElementName;
  if (f.SeqOpenFails) return MCIERR_INVALID_FILE;
  f.SeqBytes.clear();
  if (FILE* file = fopen(o->lpstrElementName, "rb")) {
    int c;
    while ((c = fgetc(file)) != EOF) f.SeqBytes.push_back((uint8_t)c);
    fclose(file);
  }
  f.SeqOpen = true;
  o->wDeviceID = FakeSequencerId;
  return 0;
}

inline MCIERROR WINAPI FakeMciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parms) {
  if (message == MCI_OPEN) return FakeOpen(flags, (MCI_OPEN_PARMSA*)parms);
  if (device == FakeSequencerId && FakeMci.SeqOpen) return FakeSequencerCommand(message, flags, parms);
  if (device == FakeCdId && FakeMci.CdOpen) return FakeCdCommand(message, flags, parms);
  FakeMci.Log.push_back(MciNumber("closed device", device));
  return MCIERR_INVALID_DEVICE_ID;
}

#include "audio/cd_audio.h"
#include "audio/music_player.h"

// The players' state as at start-up, and fresh fake devices behind the seam.
inline void ResetAudioPlayers() {
  FakeMci = FakeMciDevices();
  MciSys.mciSendCommandA = FakeMciSendCommand;
  if (!MusicTempFile.Data) InitMusicTempFile();
  ResetMusicPlayer();
  ResetCdAudio();
}

inline void RestoreRealMci() { MciSys = RealMciSys; }
