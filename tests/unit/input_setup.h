// A fixture for the input filter: the real main window, messages fed through
// the real filter, and the key state it reads from a fake the test sets.
#pragma once
#include <string.h>
#include <string>
#include <vector>
#include "window_setup.h"
#include "controls/dialog_keys.h"
#include "input/cursor_regions.h"
#include "input/input_filter.h"
#include "input/input_ring.h"
#include "window/key_seam.h"

struct FakeKeys {
  uint8_t Toggled[256];   // bit 0 of GetKeyState
  uint8_t Physical[256];  // top bit of GetAsyncKeyState
};
extern FakeKeys Keys;

inline SHORT WINAPI FakeGetKeyState(int vk) { return (SHORT)(Keys.Toggled[vk & 0xFF] ? 1 : 0); }
inline SHORT WINAPI FakeGetAsyncKeyState(int vk) { return (SHORT)(Keys.Physical[vk & 0xFF] ? 0x8000 : 0); }

// lParam of a key message: repeat count 1, the scan code, the extended bit;
// a release also has the previous-state and transition bits.
inline LPARAM KeyParam(int32_t scan, bool extended, bool release = false) {
  return (LPARAM)(1 | (scan << 16) | (extended ? 1 << 24 : 0) | (release ? 0xC0000000u : 0));
}

class InputTest : public MainWindowFixture {
 public:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open();
    memset(&Keys, 0, sizeof Keys);
    KeySys = {FakeGetKeyState, FakeGetAsyncKeyState};
    ClearKeyboardState();
    ResetMouseState();
    EscWindowId = -1;
  }
  void TearDown() override {
    KeySys = RealKeySys;
    while (CursorRegionCount) RemoveCursorRegion(CursorRegionCount - 1);
    MainWindowFixture::TearDown();
  }
  static bool Feed(UINT message, WPARAM wParam, LPARAM lParam, HWND window = MainWindow) {
    MSG m = {window, message, wParam, lParam, 0, {0, 0}};
    return FilterInputMessage(&m);
  }
  static bool Press(WPARAM vk, int32_t scan = 0, bool extended = false, UINT message = WM_KEYDOWN) {
    return Feed(message, vk, KeyParam(scan, extended));
  }
  static bool Release(WPARAM vk, int32_t scan = 0, bool extended = false, UINT message = WM_KEYUP) {
    return Feed(message, vk, KeyParam(scan, extended, true));
  }
  // The ring's entries, oldest first, taken out.
  static std::vector<int32_t> Taken(InputRing& ring) {
    std::vector<int32_t> v;
    while (!ring.IsEmpty()) v.push_back(ring.Read());
    return v;
  }
  // Runs a program whose main body is body (items at depth 2) with the
  // globals r (real), b and b2 (logic), and ico, a picture whose top-left
  // pixel is 56 (a hot-spot marker), nanv, a NaN, and t (text).
  void RunBody(const std::string& body) {
    std::string source = R"(
global
  main: function -> main_def
  r: real = 0
  b: logic = false
  b2: logic = false
  ico: picture = dot
  nanv: real = nan
  t: text = "unset"
picture dot fill=0
  key y=56
  |y
local
  main_def: function -> main_body
program
  main_body: function
)" + body;
    ResetCompiler();
    ASSERT_TRUE(LoadTestProgram(source));
    ASSERT_TRUE(CompileProgram());
    RunCompiledStep(EntryCallIndex);
  }
  static double R() { return Numbers[GlobalItemLinks[1].DataIndex]; }
  static uint8_t B() { return Logics[GlobalItemLinks[2].DataIndex]; }
  static uint8_t B2() { return Logics[GlobalItemLinks[3].DataIndex]; }
  static std::string T() {
    const Text& t = Texts[GlobalItemLinks[6].DataIndex];
    return std::string(t.Chars(), t.Length());
  }
  // A second top-level entry over the main window's handle: while it is the
  // current window the filter is out of graphics mode.
  static int32_t AddProgramWindow() {
    int32_t i = Windows.NewItem();
    Windows[i].Handle = MainWindow;
    Windows[i].Type = 0;
    return i;
  }
};
