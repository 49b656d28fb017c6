// CD audio through the cdaudio device: the status cache, refreshed at most
// every 18 ticks and only when asked, the play, move and door commands.
#pragma once
#include <stdint.h>

const int32_t CdDefaultStart = 2000;      // ms; the defaults stand in while no disc is known
const int32_t CdDefaultLength = 3600000;  // ms, also the default track length
const int32_t CdMaxTime = 86400000;       // ms
const int32_t CdMaxTracks = 999;
const int32_t CdFreshTicks = 18;
const int32_t CdCloseTicks = -30;   // CdRefreshTicks at which the idle device is closed
const int32_t CdOpenWait = 54;      // ticks after a failed open
const int32_t CdTickMs = 55;        // the nominal tick, by which a playing disc advances

extern uint32_t CdDevice;       // the open device, 0 when closed
extern int32_t CdRefreshTicks;  // ticks until stale; 0 or less: the next read refreshes
extern uint8_t CdDiscKnown;     // start, length and track count were read for this disc
extern int32_t CdPosition;      // ms from the disc's start
extern int32_t CdTrackPosition; // ms from the current track's start
extern uint8_t CdPlaying;
extern uint8_t CdPaused;        // paused, or stopped more than 800 ms into the disc
extern int32_t CdOpenBackoff;   // while above 0 no open is tried
extern int32_t CdStart;
extern int32_t CdLength;
extern int32_t CdTrackCount;
extern int32_t CdTrack;         // 1-based
extern int32_t CdTrackLength;

// The start-up state: no device (forgotten, not closed), no disc known, the
// defaults standing in.
void ResetCdAudio();
bool OpenCdDevice();
void CloseCdDevice();
// Brings a stale cache up to date: false when the device does not open or
// holds no disc (the cache then holds the defaults).
bool RefreshCdStatus();

void PlayCdTrack(int32_t track);
void SetCdTrack(int32_t track);
void SetCdPosition(int32_t ms);
void SetCdTrackPosition(int32_t ms);
void StopCd();
void ToggleCdPause();
void SetCdDoor(bool open);
void ServiceCdAudio();  // once per tick
