// Services of other subsystems that the main window, the window procedure and
// the main run call at their places. Each is a small stand-in until its own
// subsystem is built; the stand-ins do the least that keeps the run sound.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "audio/mixer.h"
#include "system/data_files.h"

// Font cache.
void InitFontCache();
void ReleaseFontCache();
HFONT TakeDefaultFont();  // one reference to the default font; 0 while no cache exists
void ReleaseCachedFont(HFONT font);

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
void LeaveFullScreen();
void StopDirectDraw();
void RestorePrimarySurface();

// Audio (wave output: audio/mixer.h).
void ServiceMusic();
void StopMusic();
void ServiceCdAudio();
extern uint32_t MusicDevice;  // the open sequencer device id, 0 when none
extern uint8_t MusicEndNotified;
void HandleMusicEnd();

// The console (the data files are in system/data_files.h).
bool InConsoleMode();
void FreeProgramConsole();

// Input and program windows.
bool FilterInputMessage(MSG* message);
bool ApplyCursorRegion(int32_t x, int32_t y);
bool InDialogMode();
void DestroyWindowItem(int32_t index);

// The display refresh. Until composition exists it does what involves no
// surface: the first refresh shows the main window and gives it the focus;
// every other one applies the pending caption and status text and starts
// the next four-tick period.
extern uint8_t MainWindowShown;
void RefreshDisplay();
