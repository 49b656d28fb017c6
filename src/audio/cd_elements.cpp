// The CD elements: play, move, stop, pause, the door, and the state read
// through the cache (its defaults when no disc is there).
#include "audio/cd_audio.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"

// Number operand, the track (1 when the program gave none): plays it; any
// number wraps into the disc's tracks.
void ExecCmdCdPlay() { PlayCdTrack(EvalNextInt()); }
// No operand: stops a playing or paused disc at its start.
void ExecCmdCdStop() { StopCd(); }

// Logic operand: pauses (true) or resumes (false) when that changes the state.
void ExecCmdCdPause() {
  bool paused = RunBool() != 0;
  if (RefreshCdStatus() && paused != (CdPaused != 0)) ToggleCdPause();
}
// No operand: pauses a playing disc, resumes a paused one.
void ExecCmdCdPauseToggle() { ToggleCdPause(); }

// Number operand in seconds from the disc's start, wrapped into the disc.
void ExecCmdCdSetPosition() { SetCdPosition(EvalNextMilliseconds()); }
// Number operand, the track: moves there, playing on when the disc plays.
void ExecCmdCdSetTrack() { SetCdTrack(EvalNextInt()); }
// Number operand in seconds from the track's start, kept inside the track.
void ExecCmdCdSetTrackPosition() { SetCdTrackPosition(EvalNextMilliseconds()); }

// Logic operand: true opens the door, false closes it.
void ExecCmdCdEject() { SetCdDoor(RunBool() != 0); }
// No operand: opens the door when the cache knows a disc, else closes it;
// the cache is not refreshed first.
void ExecCmdCdEjectToggle() { SetCdDoor(CdDiscKnown != 0); }

// No operand, each: the cache refreshed when stale, then the value.
uint8_t ExecBoolCdPaused() {
  RefreshCdStatus();
  return CdPaused != 0;
}
uint8_t ExecBoolCdPlaying() {
  RefreshCdStatus();
  return CdPlaying != 0;
}
// True when no disc is known: the door is open, the drive is empty or missing.
uint8_t ExecBoolCdEjected() {
  RefreshCdStatus();
  return !CdDiscKnown;
}
double ExecNumCdLength() {
  RefreshCdStatus();
  return CdLength * 0.001;
}
double ExecNumCdTrackCount() {
  RefreshCdStatus();
  return CdTrackCount;
}
double ExecNumCdPosition() {
  RefreshCdStatus();
  return CdPosition * 0.001;
}
double ExecNumCdTrack() {
  RefreshCdStatus();
  return CdTrack;
}
double ExecNumCdTrackLength() {
  RefreshCdStatus();
  return CdTrackLength * 0.001;
}
double ExecNumCdTrackPosition() {
  RefreshCdStatus();
  return CdTrackPosition * 0.001;
}
