// A fixture that loads a program and creates the real main window in the
// test process, and a virtual clock behind the time calls: the timer's k-th
// message is due at k periods; time jumps to the next one when the pump
// blocks, and moves on by MsPerRead at each clock read or look at the queue
// once the timer runs.
// A due timer message is posted unless one still waits (as the system keeps
// at most one); scheduled messages or actions arrive at given ticks through
// the real queue, pump and filter.
#pragma once
#include <gtest/gtest.h>
#include <vector>
#include "audio/music_player.h"
#include "controls/dialogs.h"
#include "window/font_cache.h"
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "controls/window_texts.h"
#include "graphics/display_geometry.h"
#include "graphics/display_refresh.h"
#include "image_setup.h"
#include "program_fixture.h"
#include "system/data_files.h"
#include "input/keyboard_state.h"
#include "run/main_run.h"
#include "window/main_window.h"
#include "input/mouse_state.h"
#include "window/time_seam.h"
#include "run/window_proc.h"
#include "window/window_table.h"

struct ClockEvent {
  int32_t Tick;
  UINT Message;     // posted to the main window; 0 for none
  WPARAM WParam;
  LPARAM LParam;
  void (*Action)();  // run at that tick; may be null
};

struct VirtualClock {
  int32_t Now;                 // ticks the clock has given
  std::vector<ClockEvent> Events;
  int32_t TimersStarted;
  HWND TimerWindow;
  UINT_PTR TimerEvent;
  UINT TimerPeriodAsked;
  int32_t TimersKilled;
  UINT_PTR KilledEvent;
  POINT Cursor;                // what GetCursorPos gives
  DWORD Milliseconds;          // what GetTickCount gives
  DWORD MsPerRead;             // time a clock read or a look takes once the timer runs; 0 none
  int32_t Looks;               // looks for a waiting timer message
};
extern VirtualClock Clock;

// One tick of the virtual clock: its scheduled messages and actions, then
// the timer message.
inline void AdvanceClock() {
  Clock.Now++;
  for (const ClockEvent& e : Clock.Events) {
    if (e.Tick != Clock.Now) continue;
    if (e.Message) PostMessageA(MainWindow, e.Message, e.WParam, e.LParam);
    if (e.Action) e.Action();
  }
  MSG waiting;
  if (!PeekMessageA(&waiting, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE))
    PostMessageA(MainWindow, WM_TIMER, TimerEventId, 0);
}

inline DWORD NextTimerDue() { return (DWORD)(Clock.Now + 1) * Clock.TimerPeriodAsked; }

inline UINT_PTR WINAPI ClockSetTimer(HWND w, UINT_PTR id, UINT period, TIMERPROC) {
  Clock.TimersStarted++;
  Clock.TimerWindow = w;
  Clock.TimerEvent = id;
  Clock.TimerPeriodAsked = period;
  return id;
}
inline BOOL WINAPI ClockKillTimer(HWND, UINT_PTR id) {
  Clock.TimersKilled++;
  Clock.KilledEvent = id;
  return TRUE;
}
// Blocking take: time passes only when nothing waits in the queue.
inline BOOL WINAPI ClockGetMessage(LPMSG m, HWND w, UINT first, UINT last) {
  MSG peek;
  if (!PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
    if (Clock.Milliseconds < NextTimerDue()) Clock.Milliseconds = NextTimerDue();
    AdvanceClock();
  }
  return GetMessageA(m, w, first, last);
}
// A clock read or a look at the queue, once the timer runs, takes MsPerRead.
inline void PassReadTime() {
  if (!Clock.TimersStarted || !Clock.TimerPeriodAsked) return;
  Clock.Milliseconds += Clock.MsPerRead;
  while (Clock.Milliseconds >= NextTimerDue()) AdvanceClock();
}
inline BOOL WINAPI ClockPeekMessage(LPMSG m, HWND w, UINT first, UINT last, UINT remove) {
  if (first == WM_TIMER && last == WM_TIMER) {
    Clock.Looks++;
    PassReadTime();
  }
  return PeekMessageA(m, w, first, last, remove);
}
inline DWORD WINAPI ClockGetTickCount() {
  PassReadTime();
  return Clock.Milliseconds;
}
inline BOOL WINAPI ClockGetCursorPos(LPPOINT p) {
  *p = Clock.Cursor;
  return TRUE;
}

// Ticks RunTimerTick ran since the fixture (or a test) cleared the count.
inline int32_t TicksRun() { return TimerTicksRun; }

// A window with an invalid region keeps producing WM_PAINT until it is
// validated, so paint messages are answered by validating their window, and
// the drain is bounded either way.
inline void DrainQueue() {
  MSG m;
  for (int n = 0; n < 100000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); n++)
    if (m.message == WM_PAINT && m.hwnd) ValidateRect(m.hwnd, nullptr);
}

// Removes the main window and empties the window state of a previous test.
inline void ResetMainWindowState() {
  static bool made;
  if (!made) {
    made = true;
    InitCaptionTexts();
    InitControlClassNames();
    InitFontTexts();
    InitWindowTexts();
    InitInputDialogTexts();
    Windows.Init();
    if (!MusicTempFile.Data) InitMusicTempFile();
    if (!ReadFileName.Data) InitDataFileNames();
  }
  ResetMainWindow();
  Windows.Destroy();
  ResetCaptionTexts();
  Instance = GetModuleHandleA(nullptr);
  ReadScreenMetrics();
  ResetDisplayGeometry();
  ResetDisplayRefresh();
  ResetWindowIds();
  ClearKeyboardState();
  ResetMouseState();
  ForgetDataFiles();
  ResetMessagePump();
  DrainQueue();
}

const char* const PlainMainProgram = R"(
global
  main: function "Main caption" -> main_def
local
  main_def: function -> main_body
program
  main_body: function
)";

class MainWindowFixture : public ProgramTest {
 public:
  void SetUp() override {
    ProgramTest::SetUp();
    Clock = VirtualClock();
    TimeSys = {ClockSetTimer, ClockKillTimer, ClockGetMessage, ClockPeekMessage, ClockGetCursorPos, ClockGetTickCount};
    ResetMainWindowState();
  }
  void TearDown() override {
    TimeSys = RealTimeSys;
    ExecFlags = 0;
    DrainQueue();
    ProgramTest::TearDown();
  }
  // Loads the program and creates the main window as start-up does.
  void Open(const char* source = PlainMainProgram) {
    ASSERT_TRUE(LoadTestProgram(source));
    ASSERT_TRUE(CompileProgram());
    ASSERT_TRUE(CreateMainWindow(WindowProc));
  }
  static RECT WindowRect() {
    RECT r;
    GetWindowRect(MainWindow, &r);
    return r;
  }
  static RECT ClientRect() {
    RECT r;
    GetClientRect(MainWindow, &r);
    return r;
  }
};
