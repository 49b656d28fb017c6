// A main window with the font cache made, and helpers that create program
// windows and controls through the elements and read back what the system
// made of them.
#pragma once
#include <string>
#include <richedit.h>
#include "controls/focus_walks.h"
#include "window/font_cache.h"
#include "controls/program_windows.h"
#include "code/exec_functions.h"
#include "window_setup.h"

class ControlsFixture : public MainWindowFixture {
 public:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open();
    InitFontCache();
  }
  void TearDown() override {
    for (int32_t i = Windows.Capacity - 1; i > 0; i--) DestroyWindowItem(i);
    ReleaseFontCache();
    MainWindowFixture::TearDown();
  }
  static std::string ClassOf(int32_t id) {
    char name[64] = {};
    GetClassNameA(Windows[id].Handle, name, sizeof name);
    return name;
  }
  static uint32_t StyleOf(int32_t id) { return (uint32_t)GetWindowLongA(Windows[id].Handle, GWL_STYLE); }
  static uint32_t ExStyleOf(int32_t id) { return (uint32_t)GetWindowLongA(Windows[id].Handle, GWL_EXSTYLE); }
  // The ring of entry start as ids in order, start first.
  static std::string Ring(int32_t start) {
    std::string s = std::to_string(start);
    for (int32_t i = Windows[start].Next, n = 0; i != start && n < 200; i = Windows[i].Next, n++)
      s += " " + std::to_string(i);
    return s;
  }
  // n controls of the kind made by element function make.
  static int32_t Make(double (*make)()) { return (int32_t)make(); }
};
