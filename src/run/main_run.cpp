// The main run: what is prepared before the program starts, the timer, the
// entry into the compiled program and the shutdown in its order.
#include "run/main_run.h"
#include "code/compiled_code.h"
#include "exec/interpreter.h"
#include "base/process.h"
#include "input/joystick_state.h"
#include "window/main_window.h"
#include "window/time_seam.h"
#include "audio/mixer.h"
#include "audio/music_player.h"
#include "window/font_cache.h"
#include "graphics/full_screen.h"
#include "graphics/sprite_motion.h"
#include "graphics/surface.h"
#include "system/console.h"
#include "system/data_files.h"

UINT_PTR TimerId;

void PrepareMainRun() {
  InitFontCache();
  InitGraphicsSurface();
  PrepareWaveOutput();
  PrepareJoysticks();
  SetSpriteVisible(0, true);
  MarkAllTilesDirty();
  InstallPump();
  NoteTimerStarted();
  TimerId = TimeSys.SetTimer(MainWindow, TimerEventId, (UINT)TimerPeriod, nullptr);
}

// The call of the main function; it returns when the function returns,
// normally or because a flag unwound it.
void EnterProgram() {
  if (CompiledCodeCount > 0) RunCompiledStep(EntryCallIndex);
}

// CD audio is left playing.
void ShutDownMainRun() {
  CloseFilesAtEnd();
  StopAllSounds();
  StopMusic();
  LeaveFullScreen();
  StopDirectDraw();
  FreeProgramConsole();
  if (IsWindow(MainWindow)) SendMessageA(MainWindow, WM_CLOSE, 0, 0);
  TimeSys.KillTimer(MainWindow, TimerId);
  DeleteObject(ButtonFaceBrush);
  DeleteObject(EditBackBrush);
  ReleaseFontCache();
}

void RunCompiledProgram() {
  PrepareMainRun();
  EnterProgram();
  ShutDownMainRun();
}
