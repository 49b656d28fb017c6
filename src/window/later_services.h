// Services of other subsystems that the main window, the window procedure and
// the main run call at their places. Each is a small stand-in until its own
// subsystem is built; the stand-ins do the least that keeps the run sound.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "audio/cd_audio.h"
#include "audio/music_player.h"
#include "system/data_files.h"

// The font cache, program windows and dialog mode live in controls/; their
// callers here get them through this header.
#include "controls/font_cache.h"
#include "controls/program_windows.h"

// Full screen (the surface, display and sprites are in graphics/).
bool InFullScreen();
void SetFullScreen(bool on);
void LeaveFullScreen();
void StopDirectDraw();
void RestorePrimarySurface();
void ReselectFullScreenMode();  // after the main map changed its pixel size
// The primary surface's device context, null when there is none.
HDC PrimarySurfaceDC();
void ReleasePrimarySurfaceDC(HDC dc);
// w x h bytes, rows bottom-up `stride` apart from the lowest, written straight
// to the primary surface at (x, y); false when that cannot be done.
bool CopyToPrimarySurface(const uint8_t* lowest, int32_t stride, int32_t x, int32_t y, int32_t w, int32_t h);

// Audio.
void PrepareWaveOutput();
void ServiceWaveOutput();
void StopAllSounds();

// The console (the data files are in system/data_files.h).
bool InConsoleMode();
void FreeProgramConsole();

// The focus walks the dialog keys use, and the item Esc clicks.
#include "controls/focus_walks.h"
#include "controls/window_ids.h"

// The graphics services the window procedure and the main run call.
#include "graphics/display_refresh.h"
#include "graphics/sprite_motion.h"
#include "graphics/surface.h"
#include "graphics/window_sizing.h"
