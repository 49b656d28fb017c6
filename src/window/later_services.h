// Services of other subsystems that the main window, the window procedure and
// the main run call at their places. Each is a small stand-in until its own
// subsystem is built; the stand-ins do the least that keeps the run sound.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "audio/cd_audio.h"
#include "audio/music_player.h"
#include "audio/mixer.h"
#include "system/data_files.h"

// The font cache, program windows and dialog mode live in controls/; their
// callers here get them through this header.
#include "controls/font_cache.h"
#include "controls/program_windows.h"

// Full screen lives in graphics/.
#include "graphics/full_screen.h"


// The console (system/console.cpp; the data files are in system/data_files.h).
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
