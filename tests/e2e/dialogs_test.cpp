// The message box, the text input dialog and the file dialogs of a bound
// program under Wine, answered from another process by the window probe:
// it finds each dialog by caption, reads and types into its items, picks
// a filter and clicks by id; the program returns or shows what it got.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

// body runs in main; then a long wait that the probe ends by closing the window.
std::string DialogProgram(const std::string& body) {
  return R"(
global
  main: function "Dialogs" -> main_def
local
  main_def: function -> main_body
program
  main_body: function
)" + body + R"(    repeat
      repeat_num
        num 200000
      while_body
        wait
)";
}

// The main window's text becomes what value gives.
std::string ShowInCaption(const std::string& value) { return "    window_id\n      num 0\n    window_text\n" + value; }

ProgramRun Answer(const std::string& source, const std::string& script, const std::string& exe) {
  RunOptions options;
  options.Launcher = "tools/yltwin.exe";
  options.ExeName = exe;
  options.WorkDir = "work";
  options.Args = {"dialogs", script, "30000"};
  return RunSource(source, options);
}

bool Has(const ProgramRun& run, const std::string& line) { return run.Output.find(line) != std::string::npos; }

TEST(Dialogs, MessageBoxReturnsTheButtonPressed) {
  ProgramRun run = Answer(DialogProgram(R"(    return_code
      message_box
        dialog_caption
          text_const "Ask\r\nnot in the caption"
        message_box_text
          text_const "Yes or no?"
        message_box_icon
          num 2
        message_box_buttons
          num 4
        message_box_default
          num 2
)"), "fAsk c7", "msgbox.exe");
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_TRUE(Has(run, "dialog [Ask] found")) << "the caption was cut at its CR: " << run.Output;
  EXPECT_EQ(7u, run.ExitCode) << "No: " << run.Output;
}

TEST(Dialogs, TextInputDialog) {
  std::string ask = R"(      input_dialog
        dialog_caption
          text_const "Input"
        input_dialog_line1
          text_const "Your name"
        input_dialog_line3
          text_const "third line"
        input_dialog_text
          text_const "anon"
)";
  ProgramRun run = Answer(DialogProgram(ShowInCaption(ask)),
                          "fInput g1146 g1147 g1148 g1093 g1 g2 t1093=Alice_Smith c1 q", "input.exe");
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_TRUE(Has(run, "dialog [Input] found")) << run.Output;
  EXPECT_TRUE(Has(run, "item 1146 [Your name]")) << run.Output;
  EXPECT_TRUE(Has(run, "item 1147 []")) << run.Output;
  EXPECT_TRUE(Has(run, "item 1148 [third line]")) << run.Output;
  EXPECT_TRUE(Has(run, "item 1093 [anon]")) << run.Output;
  EXPECT_TRUE(Has(run, "item 1 [OK]")) << run.Output;
  EXPECT_TRUE(Has(run, "item 2 [Cancel]")) << "the language's cancel text: " << run.Output;
  EXPECT_TRUE(Has(run, "final [Alice Smith]")) << run.Output;

  run = Answer(DialogProgram(ShowInCaption(ask)), "fInput t1093=lost c2 q", "cancel.exe");
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_TRUE(Has(run, "final []")) << "Cancel gives the empty text: " << run.Output;
}

std::string FileDialog(int32_t element, const char* title) {
  return ShowInCaption("      " + std::string(ElementNameOfId(element)) + R"(
        dialog_caption
          text_const ")" + title + R"("
        file_dialog_names
          text_const "Texts\r\nAll"
        file_dialog_patterns
          text_const "*.txt\r\n*.*"
        file_dialog_file
          text_const "notes.txt"
)");
}

// The name box is a combo box (cmb13) or an edit field (edt1), whichever
// the dialog has; the filter list is cmb1.
TEST(Dialogs, OpenDialogReturnsTheChosenPath) {
  ProgramRun run = Answer(DialogProgram(FileDialog(El::open_dialog, "Pick one")),
                          "fPick_one g1148 g1152 t1148=picked.txt t1152=picked.txt s1136=1 c1 q", "open.exe");
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_TRUE(Has(run, "dialog [Pick one] found")) << run.Output;
  EXPECT_TRUE(Has(run, "item 1148 [notes]") || Has(run, "item 1152 [notes]"))
      << "the name box shows the name without its extension: " << run.Output;
  EXPECT_TRUE(Has(run, "\\work\\picked.txt]")) << "in the current directory: " << run.Output;
}

TEST(Dialogs, SaveDialogAddsTheDefaultExtension) {
  ProgramRun run = Answer(DialogProgram(FileDialog(El::save_dialog, "Save as")),
                          "fSave_as t1148=report t1152=report c1 q", "save.exe");
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_TRUE(Has(run, "dialog [Save as] found")) << run.Output;
  EXPECT_TRUE(Has(run, "\\work\\report.txt]")) << run.Output;

  run = Answer(DialogProgram(FileDialog(El::save_dialog, "Save as")), "fSave_as c2 q", "savecancel.exe");
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_TRUE(Has(run, "final []")) << "cancelled: " << run.Output;
}

}  // namespace
