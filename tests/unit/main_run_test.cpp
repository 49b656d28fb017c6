// The main run, the tick, the pump and the waits on the virtual clock: ticks
// counted exactly, messages fed at given ticks through the real queue.
#include "window_setup.h"
#include "input/joystick_state.h"
#include "run/window_proc.h"

namespace {

class MainRunTest : public MainWindowFixture {
 public:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open(Source());
    MainWindowShown = 1;  // as after the first refresh; RunCompiledProgram tests clear it
    TimerPeriod = 60;
    LoopMessageCountdown = 7;
    DisplayCountdown = 4;
    InstallPump();
  }
  virtual const char* Source() { return PlainMainProgram; }
  static void PostTimers(int32_t k) {
    for (int32_t i = 0; i < k; i++) PostMessageA(MainWindow, WM_TIMER, TimerEventId, 0);
  }
  static bool QuitPosted() {
    MSG m;
    return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  }
};

TEST_F(MainRunTest, WaitRunsItsTicks) {
  const struct {
    int32_t N, Ticks;
  } cases[] = {{0, 0}, {-5, 0}, {1, 1}, {3, 3}, {10, 10}};
  for (auto& c : cases) {
    Clock.Now = 0;
    TimerTicksRun = 0;
    LoopMessageCountdown = 7;
    DisplayCountdown = 2;
    WaitTicks(c.N);
    EXPECT_EQ(c.Ticks, Clock.Now) << "timer messages taken, n = " << c.N;
    EXPECT_EQ(c.Ticks, TicksRun()) << "ticks run, n = " << c.N;
    EXPECT_EQ(c.Ticks ? 4 : 2, DisplayCountdown) << "each tick of a wait refreshes, n = " << c.N;
    EXPECT_EQ(c.Ticks ? 50 : 7, LoopMessageCountdown) << "n = " << c.N;
  }
}

// Without wait each timer message found runs a tick; with wait one tick runs
// at once and the timer message that ends the block runs none.
TEST_F(MainRunTest, TimerMessagesInOnePump) {
  const struct {
    bool Wait;
    int32_t Queued, Ticks, ClockTicks;
  } cases[] = {{false, 0, 0, 0}, {false, 1, 1, 0}, {false, 2, 2, 0}, {false, 3, 3, 0},
               {true, 0, 1, 1},  {true, 1, 1, 0},  {true, 2, 2, 0},  {true, 3, 3, 0}};
  for (auto& c : cases) {
    DrainQueue();
    Clock.Now = 0;
    TimerTicksRun = 0;
    LoopMessageCountdown = 7;
    PostTimers(c.Queued);
    PumpMessages(c.Wait);
    EXPECT_EQ(c.Ticks, TicksRun()) << "wait " << c.Wait << ", queued " << c.Queued;
    EXPECT_EQ(c.ClockTicks, Clock.Now) << "wait " << c.Wait << ", queued " << c.Queued;
    EXPECT_EQ(c.Ticks ? 50 : 7, LoopMessageCountdown) << "wait " << c.Wait << ", queued " << c.Queued;
    EXPECT_FALSE(IsTimerTickPending()) << "the queue was drained";
  }
}

TEST_F(MainRunTest, PendingTimerCheckLeavesTheMessage) {
  EXPECT_FALSE(IsTimerTickPending());
  PostMessageA(MainWindow, WM_APP, 0, 0);
  EXPECT_FALSE(IsTimerTickPending()) << "another message is no timer";
  PostTimers(1);
  EXPECT_TRUE(IsTimerTickPending());
  EXPECT_TRUE(IsTimerTickPending()) << "not removed by the check";
  PumpMessages(false);
  EXPECT_FALSE(IsTimerTickPending());
}

// The tick's services in order: files age and close even while paused;
// sprites and the periodic refresh wait for the end of the pause.
TEST_F(MainRunTest, TickServices) {
  const struct {
    const char* Name;
    uint8_t Paused;
    int32_t IdleBefore, CountdownBefore;
    int32_t IdleAfter, CountdownAfter;
  } cases[] = {
      {"running", 0, 5, 4, 4, 3},
      {"fourth tick refreshes", 0, 0, 1, 0, 4},
      {"late countdown refreshes", 0, 0, -2, 0, 4},
      {"files close at 0", 0, 1, 3, 0, 2},
      {"paused: no refresh", 1, 5, 1, 4, 1},
      {"paused: files still age", 1, 1, 4, 0, 4},
      {"idle count below 0 stays", 0, -3, 4, -3, 3},
  };
  for (auto& c : cases) {
    PauseFlag = c.Paused;
    FileIdleTicks = c.IdleBefore;
    DisplayCountdown = c.CountdownBefore;
    MouseMoved = 1;
    for (int n = 0; n < JoystickCount; n++) {
      JoystickPolled[n] = 1;
      JoystickRetry[n] = 10 * n;
    }
    RunTimerTick();
    EXPECT_EQ(c.IdleAfter, FileIdleTicks) << c.Name;
    EXPECT_EQ(c.CountdownAfter, DisplayCountdown) << c.Name;
    EXPECT_EQ(0, MouseMoved) << c.Name;
    for (int n = 0; n < JoystickCount; n++) {
      EXPECT_EQ(0, JoystickPolled[n]) << c.Name << " joystick " << n;
      EXPECT_EQ(10 * n - 1, JoystickRetry[n]) << c.Name << " joystick " << n;
    }
  }
  PauseFlag = 0;
}

void EndPause() { PauseFlag = 0; }

// A paused wait goes on tick by tick until the pause ends, then returns.
TEST_F(MainRunTest, PauseHoldsAWait) {
  PauseFlag = 1;
  FileIdleTicks = 10;
  Clock.Events = {{4, 0, 0, 0, EndPause}};
  WaitTicks(1);
  EXPECT_EQ(4, Clock.Now);
  EXPECT_EQ(4, TicksRun());
  EXPECT_EQ(6, FileIdleTicks) << "paused ticks still serve the files";
  EXPECT_EQ(0, PauseFlag);
}

// Closing the main window at tick 3 ends a long wait there, and every later
// wait returns at once.
TEST_F(MainRunTest, CloseEndsWaits) {
  Clock.Events = {{3, WM_CLOSE, 0, 0, nullptr}};
  WaitTicks(1000);
  EXPECT_EQ(3, Clock.Now);
  EXPECT_EQ(ExecFlagQuit, ExecFlags);
  EXPECT_TRUE(IsWindow(MainWindow));
  WaitTicks(1000);
  PumpMessages(true);  // the element's own pump is not held back by the flag
  WaitTicks(5);
  EXPECT_EQ(4, Clock.Now) << "only the direct pump took a tick";
  EXPECT_EQ(ExecFlagQuit, ExecFlags) << "nothing clears the quit flag";
}

// Lock-key requests are written into the keyboard state by the next pump and
// cleared; keys without a request keep their state.
TEST_F(MainRunTest, LockKeyRequests) {
  for (const LockKey& k : LockKeys) {
    for (uint8_t on : {1, 0, 1}) {
      *k.State = on;
      *k.Request = 1;
      BYTE before[256];
      GetKeyboardState(before);
      PumpMessages(false);
      BYTE after[256];
      GetKeyboardState(after);
      EXPECT_EQ(on, after[k.VirtualKey] & 1) << "key " << k.VirtualKey;
      EXPECT_EQ(0, *k.Request) << "key " << k.VirtualKey;
      for (const LockKey& other : LockKeys) {
        if (other.VirtualKey == k.VirtualKey) continue;
        EXPECT_EQ(before[other.VirtualKey] & 1, after[other.VirtualKey] & 1) << "key " << other.VirtualKey;
      }
    }
  }
  for (const LockKey& k : LockKeys) {
    SetKeyToggle(k.VirtualKey, false);
    BYTE s[256];
    GetKeyboardState(s);
    EXPECT_EQ(0, s[k.VirtualKey] & 1);
  }
}

// The request is applied before the pump handles any message.
WNDPROC EngineProc;
int32_t NumLockSeenByMessage;
LRESULT CALLBACK RecordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP) {
    BYTE s[256];
    GetKeyboardState(s);
    NumLockSeenByMessage = s[VK_NUMLOCK] & 1;
  }
  return CallWindowProcA(EngineProc, w, m, wp, lp);
}

TEST_F(MainRunTest, LockKeyRequestComesBeforeTheMessages) {
  EngineProc = (WNDPROC)SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, (LONG_PTR)RecordingProc);
  for (uint8_t on : {1, 0}) {
    SetKeyToggle(VK_NUMLOCK, !on);
    NumLockSeenByMessage = -1;
    NumLockState = on;
    NumLockRequest = 1;
    PostMessageA(MainWindow, WM_APP, 0, 0);
    PumpMessages(false);
    EXPECT_EQ(on, NumLockSeenByMessage);
  }
  SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, (LONG_PTR)EngineProc);
}

// After the pump the field position follows the cursor, over the graphics
// area through zoom and offsets, in a program window by its client height.
TEST_F(MainRunTest, MousePosition) {
  POINT origin = {0, 0};
  ClientToScreen(MainWindow, &origin);
  int32_t second = Windows.NewItem();
  Windows[second].Handle = MainWindow;
  Windows[second].ClientHeight = 100;
  const struct {
    const char* Name;
    uint8_t Moved;
    int32_t Current;
    double Zoom;
    int32_t OffsetX, OffsetY, Height;
    int32_t Wx, Wy;  // cursor in client pixels
    double X, Y;
  } cases[] = {
      {"zoom 1", 0, 0, 1.0, 0, 0, 320, 64, 0, 2.0, 319.0 / 32},
      {"zoom 2 with offsets", 0, 0, 2.0, 10, 5, 640, 74, 100, 1.0, 8.5},
      {"outside the window", 0, 0, 1.0, 0, 0, 320, -40, 400, -1.25, -81.0 / 32},
      {"a program window: no zoom", 0, second, 2.0, 10, 5, 640, 48, 3, 1.5, 3.0},
      {"a mouse message this tick", 1, 0, 1.0, 0, 0, 320, 32, 10, 1.0, 309.0 / 32},
  };
  for (auto& c : cases) {
    CurrentWindowId = c.Current;
    Zoom = c.Zoom;
    DisplayOffsetX = c.OffsetX;
    DisplayOffsetY = c.OffsetY;
    DisplayHeight = c.Height;
    MouseMoved = c.Moved;
    if (c.Moved) {
      MouseWindowPos = {c.Wx, c.Wy};
      Clock.Cursor = {9999, 9999};
    } else {
      Clock.Cursor = {origin.x + c.Wx, origin.y + c.Wy};
    }
    PumpMessages(false);
    EXPECT_DOUBLE_EQ(c.X, MouseX) << c.Name;
    EXPECT_DOUBLE_EQ(c.Y, MouseY) << c.Name;
    if (!c.Moved) {
      EXPECT_EQ(Clock.Cursor.x, MouseScreenPos.x) << c.Name;
      EXPECT_EQ(c.Wx, MouseWindowPos.x) << c.Name;
      EXPECT_EQ(c.Wy, MouseWindowPos.y) << c.Name;
    }
  }
  CurrentWindowId = 0;
}

// A quit ends the pump at once: the mouse position is not updated.
TEST_F(MainRunTest, QuitEndsThePumpAtOnce) {
  MouseX = 123;
  Clock.Cursor = {0, 0};
  PostQuitMessage(0);
  PumpMessages(false);
  EXPECT_EQ(ExecFlagQuit, ExecFlags);
  EXPECT_EQ(123, MouseX);
}

class MainRunProgramTest : public MainRunTest {
 public:
  const char* Source() override {
    return R"(
global
  main: function "Run" -> main_def
  n: real = 5
  g: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    repeat
      repeat_num
        @n
      while_body
        wait
    while
      while_cond
        true
      while_body
        @g
          num 1
)";
  }
};

// The whole run: the timer started with event 543 and the period, the
// program entered, its waits ticking, its endless loop ended by closing the
// window, then the shutdown closes the window's run and kills the timer.
TEST_F(MainRunProgramTest, RunUntilTheWindowIsClosed) {
  MainWindowShown = 0;
  Pump = NoPump;
  Sprites[0].Visible = 0;
  Clock.MsPerRead = 10;  // time passes while the loop runs
  Clock.Events = {{8, WM_CLOSE, 0, 0, nullptr}};
  RunCompiledProgram();
  EXPECT_EQ(1, Clock.TimersStarted);
  EXPECT_EQ(MainWindow, Clock.TimerWindow);
  EXPECT_EQ(543u, Clock.TimerEvent);
  EXPECT_EQ(60u, Clock.TimerPeriodAsked);
  EXPECT_EQ(1, Clock.TimersKilled);
  EXPECT_EQ(543u, Clock.KilledEvent);
  EXPECT_EQ(8, Clock.Now) << "five waits, then the loop's looks until the close";
  EXPECT_EQ(ExecFlagQuit, ExecFlags);
  EXPECT_EQ(1, Numbers[GlobalItemLinks[2].DataIndex]) << "the loop ran";
  EXPECT_TRUE(IsWindow(MainWindow)) << "the window goes with the process";
  EXPECT_TRUE(IsWindowVisible(MainWindow)) << "shown by the first refresh";
  EXPECT_TRUE(QuitPosted()) << "the shutdown's close posted quit again";
  EXPECT_EQ(0u, GetObjectType(ButtonFaceBrush)) << "shared brushes deleted";
  EXPECT_EQ(0u, GetObjectType(EditBackBrush));
  EXPECT_TRUE(Pump.WaitTicks == WaitTicks) << "the real pump was installed";
  EXPECT_EQ(1, Sprites[0].Visible) << "the first built-in sprite is shown";
}

class LoopOnlyProgramTest : public MainRunTest {
 public:
  const char* Source() override {
    return R"(
global
  main: function "Loop" -> main_def
  g: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    repeat
      repeat_num
        num 30000
      while_body
        @g
          num 1
)";
  }
};

// Time passes for a program only through the queue: a loop that never finds a
// waiting timer message gets no tick and never shows the window. While time
// passes (a millisecond per clock read, so one per 50 iterations) the loop
// pumps every timer message that falls due, and looks for one only near the
// end of each period, not at each of its 600 checks.
TEST_F(LoopOnlyProgramTest, TicksOnlyFromTimerMessages) {
  const struct {
    DWORD MsPerRead;
    int32_t MinTicks;
  } cases[] = {{0, 0}, {1, 9}};
  for (auto& c : cases) {
    SetUp();
    MainWindowShown = 0;
    Clock.MsPerRead = c.MsPerRead;
    RunCompiledProgram();
    int32_t ticks = TicksRun();
    EXPECT_GE(ticks, c.MinTicks) << c.MsPerRead;
    EXPECT_LE(Clock.Now - ticks, 1) << c.MsPerRead << ": every due message but the last was pumped";
    EXPECT_LE(Clock.Looks, (ticks + 1) * (int32_t)(TimerLookSlack + 1)) << c.MsPerRead;
    EXPECT_GE(Clock.Looks, ticks) << c.MsPerRead;
    EXPECT_EQ(ticks >= 4, MainWindowShown != 0) << c.MsPerRead << ": the fourth tick refreshes";
    EXPECT_EQ(1, Numbers[GlobalItemLinks[1].DataIndex]);
    TearDown();
  }
}

// The loops' check looks at the queue only once the clock says a timer
// message can be waiting: from TimerLookSlack before the next one is due (a
// period after the timer started or a timer message was taken). Before the
// timer runs it always looks.
TEST_F(MainRunTest, LoopCheckLooksOnlyWhenATimerMessageCanWait) {
  auto check = [](DWORD ms) {
    Clock.Milliseconds = ms;
    return LoopTimerTickPending();
  };
  PostTimers(1);
  EXPECT_TRUE(check(5)) << "no timer yet: every check looks";
  EXPECT_EQ(1, Clock.Looks);
  DrainQueue();
  Clock.Looks = 0;

  const DWORD start = 0xFFFFFFE0;  // the clock wraps within the first period
  Clock.Milliseconds = start;
  NoteTimerStarted();
  PostTimers(1);  // cannot be waiting yet; shows whether a look was made
  const DWORD open = start + 60 - TimerLookSlack;
  EXPECT_FALSE(check(start));
  EXPECT_FALSE(check(open - 1));
  EXPECT_EQ(0, Clock.Looks) << "no look before the end of the period nears";
  EXPECT_TRUE(check(open));
  EXPECT_EQ(1, Clock.Looks);

  PumpMessages(false);  // takes it at open: the next one is due a period later
  const DWORD due = open + 60, next = due - TimerLookSlack;
  EXPECT_FALSE(check(open + 1));
  EXPECT_FALSE(check(next - 1));
  EXPECT_EQ(1, Clock.Looks);
  // While nothing waits: a look every TimerLookStep ms, then every ms once
  // the message is due within that; never two in one millisecond.
  std::vector<DWORD> looked;
  for (DWORD ms = next; ms != due - 2; ms++) {
    int32_t before = Clock.Looks;
    EXPECT_FALSE(check(ms));
    EXPECT_FALSE(check(ms));
    if (Clock.Looks != before) looked.push_back(ms - next);
    EXPECT_LE(Clock.Looks - before, 1);
  }
  EXPECT_EQ(std::vector<DWORD>({0, 4, 8, 12, 13}), looked);
  PostTimers(1);
  int32_t before = Clock.Looks;
  EXPECT_TRUE(check(due - 2)) << "found at the first check of the next millisecond";
  EXPECT_TRUE(check(due - 2)) << "still waiting: no wait for the clock";
  EXPECT_EQ(2, Clock.Looks - before);
}

TEST_F(MainRunProgramTest, EmptyCodeIsNotEntered) {
  ResetCompiledCode();
  EnterProgram();
  EXPECT_EQ(0, Clock.Now);
  EXPECT_EQ(0u, ExecFlags);
}

}  // namespace
