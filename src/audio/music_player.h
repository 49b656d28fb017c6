// The MIDI music player: one piece at a time, played from a temporary file
// by the system's sequencer, ended by its notification or a stall watch.
#pragma once
#include <stdint.h>
#include "base/text.h"
#include "values/music.h"

const int32_t MusicNoLength = 86400000;  // one day: the length when no piece is open
const int32_t MusicStallStart = 72;      // ticks a piece may stand still at its end
const int32_t MusicStallWindow = 20;     // ms before the end that count as the end
const int32_t MusicRetryWait = 90;       // ticks after a failed open or play

extern Text& MusicTempFile;     // the open piece's temporary file; empty when none
extern uint32_t MusicDevice;    // the open sequencer, 0 when none
extern uint8_t MusicOpen;       // a piece is loaded, playing or paused
extern uint8_t MusicPaused;     // kept across StopMusic: the next piece opens paused
extern uint8_t MusicLoop;
extern uint8_t MusicEndNotified;  // set by the window procedure at a successful end
extern int32_t MusicPosition;   // ms; while no piece is open, where the next one starts
extern int32_t MusicLength;     // ms, 1 .. MusicNoLength
extern int32_t MusicStallTicks;
extern int32_t MusicRetryTicks;  // PlayMusic is refused while it is 0 or more

void InitMusicTempFile();
// The start-up state: no device, no piece and no pause, the temporary file
// deleted. The device is forgotten, not closed.
void ResetMusicPlayer();

void PlayMusic(const Music& music, bool loop);
void StopMusic();
void ToggleMusicPause();
void SeekMusic(int32_t ms);
void HandleMusicEnd();
void ServiceMusic();  // once per tick
