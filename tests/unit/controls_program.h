// Window elements run in small compiled programs on the real main window:
// each RunBody loads a fresh program whose main body is the given lines
// (depth 2) and runs it; the windows and controls stay between runs.
// Globals: numbers n1..n8, logic values b1..b4, texts t1..t3, the icon ic
// and the picture pc.
#pragma once
#include <string>
#include "controls_setup.h"

const char* const ControlsProgramSource = R"(
global
  main: function "Main caption" -> main_def
  n1: real = -7
  n2: real = -7
  n3: real = -7
  n4: real = -7
  n5: real = -7
  n6: real = -7
  n7: real = -7
  n8: real = -7
  b1: logic = false
  b2: logic = false
  b3: logic = false
  b4: logic = false
  t1: text = ""
  t2: text = ""
  t3: text = ""
  ic: picture = ball
  pc: background = sky
local
  main_def: function -> main_body
program
  main_body: function
%s
picture ball fill=3
  key o=200
  |..oo..
background sky w=40 h=20 fill=5
)";

class ControlsProgramTest : public ControlsFixture {
 public:
  // A shown main window is painted before the queue is drained, which
  // would otherwise find its paint message again and again.
  void TearDown() override {
    for (int32_t i = Windows.Capacity - 1; i > 0; i--) DestroyWindowItem(i);
    if (MainWindow && IsWindowVisible(MainWindow))
      RedrawWindow(MainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ControlsFixture::TearDown();
  }
  void RunBody(const std::string& body) {
    ProgramTest::SetUp();  // a fresh program for every run
    std::string source = ControlsProgramSource;
    source.replace(source.find("%s"), 2, body);
    ASSERT_TRUE(LoadTestProgram(source.c_str()));
    ASSERT_TRUE(CompileProgram());
    Run();
  }
  static double N(int k) { return Numbers[GlobalItemLinks[k].DataIndex]; }
  static uint8_t B(int k) { return Logics[GlobalItemLinks[8 + k].DataIndex]; }
  static std::string T(int k) {
    Text t = Texts.Get(GlobalItemLinks[12 + k].DataIndex);
    return std::string(t.Chars(), t.Length());
  }
  static Icon IconGlobal() { return Icons.Get(GlobalItemLinks[16].DataIndex); }
  static Picture PictureGlobal() { return Pictures.Get(GlobalItemLinks[17].DataIndex); }
  // The control's rectangle in its parent's client coordinates.
  static RECT RectInParent(int32_t id) {
    RECT r;
    GetWindowRect(Windows[id].Handle, &r);
    MapWindowPoints(nullptr, GetParent(Windows[id].Handle), (POINT*)&r, 2);
    return r;
  }
  // Makes a control with element and shows it; its id.
  void MakeShown(int32_t element) {
    RunBody("    @n8\n      " + std::string(ElementNameOfId(element)) + "\n    window_visible\n      true\n");
  }
};
