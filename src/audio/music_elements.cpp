// The music elements: play, repeat, stop, pause and move a piece, and read
// its state.
#include "audio/music_player.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"

// A music operand, then the player.
static void PlayMusicOperand(bool loop) {
  Music music;
  RunValue(music);
  PlayMusic(music, loop);
}

// Music operand: plays it once.
void ExecCmdMusicPlay() { PlayMusicOperand(false); }
// Music operand: plays it again at each end.
void ExecCmdMusicPlayLoop() { PlayMusicOperand(true); }

// No operand: stops the piece and clears the pause, so the next one plays.
void ExecCmdMusicStop() {
  StopMusic();
  MusicPaused = 0;
}

// Logic operand: pauses (true) or resumes (false); a request by the program
// cancels a pending retry of a failed play.
void ExecCmdMusicPause() {
  bool paused = RunBool() != 0;
  if (MusicOpen) MusicRetryTicks = -1;
  if (paused != (MusicPaused != 0)) ToggleMusicPause();
}

// No operand: pauses a playing piece, resumes a paused one.
void ExecCmdMusicPauseToggle() { ToggleMusicPause(); }

// Number operand in seconds: moves the piece, or the start of the next one.
// NaN and huge values give a position at one end.
void ExecCmdMusicSetPosition() { SeekMusic(EvalNextMilliseconds()); }

// No operand: the pause flag.
uint8_t ExecBoolMusicPaused() { return MusicPaused != 0; }
// No operand: a piece is loaded, playing or paused.
uint8_t ExecBoolMusicPlaying() { return MusicOpen != 0; }
// No operand: the last polled position in seconds.
double ExecNumMusicPosition() { return MusicPosition * 0.001; }
// No operand: the length in seconds; one day when no piece is open.
double ExecNumMusicLength() { return MusicLength * 0.001; }
