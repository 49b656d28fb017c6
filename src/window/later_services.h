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

// Graphics surface, display and sprites.
void InitGraphicsSurface();
void MarkAllTilesDirty();
void OnResizeItem(int32_t index);
void OnPaintItem(int32_t index);  // validates the update region
void PaintClient(int32_t index);
void SnapWindowSizing(WPARAM edge, RECT* proposed);
void MoveSprites();
void AnimateSprites();
bool InFullScreen();
void SetFullScreen(bool on);
void LeaveFullScreen();
void StopDirectDraw();
void RestorePrimarySurface();


// The console (system/console.cpp; the data files are in system/data_files.h).
bool InConsoleMode();
void FreeProgramConsole();

// The focus walks the dialog keys use, and the item Esc clicks.
#include "controls/focus_walks.h"
#include "controls/window_ids.h"

// The display refresh. Until composition exists it does what involves no
// surface: the first refresh shows the main window and gives it the focus;
// every other one applies the pending caption and status text and starts
// the next four-tick period.
extern uint8_t MainWindowShown;
void RefreshDisplay();
