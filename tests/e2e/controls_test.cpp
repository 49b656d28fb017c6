// Controls of every kind in a bound program under Wine, found by id from
// the window probe in another process: class, styles and hidden state; the
// program returns the focus and the last id. (Wine answers no WM_GETFONT
// across processes; the fonts are checked by the unit tests.)
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

struct Kind {
  int32_t Element;
  const char* Class;
  unsigned long Style, ExStyle;
};

// In creation order: ids 1 to 20. List and combo boxes and the rich edit
// drop WS_VSCROLL while no scroll bar is needed, so it is not expected.
const Kind Kinds[] = {
    {El::button_new, "Button", 0x00034000, 0},
    {El::default_button_new, "Button", 0x00034001, 0},
    {El::icon_button_new, "Button", 0x00035045, 0},
    {El::check_box_new, "Button", 0x00034003, 0},
    {El::check_box3_new, "Button", 0x00034006, 0},
    {El::radio_button_new, "Button", 0x00004009, 0},
    {El::radio_group_new, "Button", 0x00034009, 0},
    {El::group_box_new, "Button", 0x00000007, 0x20},
    {El::edit_new, "Edit", 0x00030080, 0x200},
    {El::memo_new, "Edit", 0x00231044, 0x200},
    {El::rich_edit_new, "RichEdit20A", 0x00031044, 0x200},
    {El::list_box_new, "ListBox", 0x00030181, 0x200},
    {El::combo_edit_new, "ComboBox", 0x00030441, 0},
    {El::combo_list_new, "ComboBox", 0x00030443, 0},
    {El::combo_drop_new, "ComboBox", 0x00030442, 0},
    {El::static_left_new, "Static", 0x00000180, 0},
    {El::static_center_new, "Static", 0x00000181, 0},
    {El::static_right_new, "Static", 0x00000182, 0},
    {El::icon_box_new, "Static", 0x00000B03, 0},
    {El::picture_box_new, "Static", 0x0000010D, 0},
};

// The controls (or what body makes), then the return code focus x 1000 + n,
// then the caption "done" that the probe waits for, then a long wait that the
// probe ends by closing the window.
std::string ControlsProgram(const std::string& body = "") {
  std::string s = R"(
global
  main: function "Controls" -> main_def
  n: real = 0
local
  main_def: function -> main_body
program
  main_body: function
)";
  if (body.empty())
    for (const Kind& k : Kinds) s += "    @n\n      " + std::string(ElementNameOfId(k.Element)) + "\n";
  s += body;
  s += R"(    caption
      text_const "done"
    return_code
      +
        *
          window_focus
          num 1000
        @n
    repeat
      repeat_num
        num 200000
      while_body
        wait
)";
  return s;
}

struct Reported {
  bool Found = false;
  std::string Class;
  unsigned long Style = 0, ExStyle = 0;
  int Visible = -1;
};

Reported ControlLine(const std::string& output, int id) {
  Reported r;
  std::string head = "control " + std::to_string(id) + " class=";
  size_t at = output.find(head);
  if (at == std::string::npos) return r;
  char name[64] = {};
  if (sscanf(output.c_str() + at + head.size(), "%63s style=%lx exstyle=%lx visible=%d", name, &r.Style,
             &r.ExStyle, &r.Visible) == 4) {
    r.Found = true;
    r.Class = name;
  }
  return r;
}

TEST(Controls, EveryKindFoundByIdFromAnotherProcess) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(ControlsProgram(), &error);
  ASSERT_FALSE(image.empty()) << error;
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = "controls.exe";
  options.Args = {"ready", "30000", "21"};
  ProgramRun run = RunImage(image, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(std::string::npos, run.Output.find("still running")) << run.Output;
  EXPECT_EQ(1020u, run.ExitCode) << "focus on control 1, last id 20: " << run.Output;
  EXPECT_NE(std::string::npos, run.Output.find("control 21 none")) << run.Output;
  EXPECT_NE(std::string::npos, run.Output.find("enabled 1")) << run.Output;
  for (int id = 1; id <= 20; id++) {
    const Kind& k = Kinds[id - 1];
    Reported r = ControlLine(run.Output, id);
    ASSERT_TRUE(r.Found) << id << ": " << run.Output;
    EXPECT_STRCASEEQ(k.Class, r.Class.c_str()) << id;
    unsigned long wanted = k.Style | 0x40000000ul;  // WS_CHILD
    EXPECT_EQ(wanted, r.Style & wanted) << id << std::hex << " style " << r.Style;
    EXPECT_EQ(0ul, r.Style & 0x10000000ul) << id << ": hidden (no WS_VISIBLE)";
    EXPECT_EQ(0, r.Visible) << id;
    EXPECT_EQ(k.ExStyle, r.ExStyle & k.ExStyle) << id;
  }
}

// A program window owns its controls and disables the main window, which
// holds none of them; its first tab stop has the focus.
TEST(Controls, ProgramWindowDisablesItsOwner) {
  std::string error;
  // n := window id x 100 + the button's id: 102.
  std::vector<uint8_t> image = AssembleOrEmpty(ControlsProgram(R"(    @n
      *
        window_new
        num 100
    @n
      +
        @n
        button_new
)"), &error);
  ASSERT_FALSE(image.empty()) << error;
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = "owned.exe";
  options.Args = {"ready", "30000", "2"};
  ProgramRun run = RunImage(image, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(2102u, run.ExitCode) << "focus on the button 2 in window 1: " << run.Output;
  EXPECT_NE(std::string::npos, run.Output.find("enabled 0")) << run.Output;
  EXPECT_NE(std::string::npos, run.Output.find("control 1 none")) << run.Output;
  EXPECT_NE(std::string::npos, run.Output.find("control 2 none")) << run.Output;
}

}  // namespace
