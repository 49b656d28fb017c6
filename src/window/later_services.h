// Services of other subsystems that the main window, the window procedure and
// the main run call at their places. Each is a small stand-in until its own
// subsystem is built; the stand-ins do the least that keeps the run sound.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "system/data_files.h"

// Font cache.
void InitFontCache();
void ReleaseFontCache();
HFONT TakeDefaultFont();  // one reference to the default font; 0 while no cache exists
void ReleaseCachedFont(HFONT font);

// Full screen (the surface, display and sprites are in graphics/).
bool InFullScreen();
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

// The graphics services the window procedure and the main run call.
#include "graphics/display_refresh.h"
#include "graphics/sprite_motion.h"
#include "graphics/surface.h"
#include "graphics/window_sizing.h"
