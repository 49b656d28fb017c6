// The elements that select, create, focus and destroy program windows and
// controls, and the Esc window.
#include "controls/focus_walks.h"
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "graphics/display_refresh.h"

// window_id: the rounded operand selects that item when it is live, else none.
void ExecCmdWindowId() {
  int32_t n = EvalNextInt();
  SelectedWindowId = Windows.IsLive(n) ? n : -1;
}

double ExecNumWindowId() { return SelectedWindowId; }

// Destroys the item of the rounded operand; 0 and dead ids do nothing.
void ExecCmdWindowDelete() { DestroyWindowItem(EvalNextInt()); }

// Shows the main window on first use, then focuses the control of the
// rounded operand; windows and dead ids are ignored.
void ExecCmdWindowFocus() {
  if (!MainWindowShown) {
    MainWindowShown = 1;
    WindowItem::OnResize(0);
    ShowWindow(MainWindow, SW_SHOW);
    SetFocus(MainWindow);
  }
  int32_t n = EvalNextInt();
  if (!Windows.IsLive(n) || Windows[n].IsTopLevel()) return;
  FocusWindowId = n;
  IgnoreNotifications = 1;
  SetFocus(Windows[n].Handle);
  IgnoreNotifications = 0;
}

double ExecNumFocusWindow() { return FocusWindowId; }

// The item that Esc clicks: the rounded operand when live, else none.
void ExecCmdEscWindow() {
  int32_t n = EvalNextInt();
  EscWindowId = Windows.IsLive(n) ? n : -1;
}

double ExecNumEscWindow() { return EscWindowId; }

// New program windows, owned by the current window: the new id.
double ExecNumNewWindow() {
  CreateProgramWindow(WindowTypeWindow, WS_SYSMENU);
  return SelectedWindowId;
}

double ExecNumNewDialog() {
  CreateProgramWindow(WindowTypeDialog, 0);
  return SelectedWindowId;
}

// New controls in the current window, centred and hidden: the new id.
static double NewControl(int32_t type, const Text& className, int32_t width, int32_t height, uint32_t style,
                         uint32_t exStyle) {
  CreateControl(type, className, width, height, style, exStyle);
  return SelectedWindowId;
}

double ExecNumNewButton() { return NewControl(WindowTypeButton, ButtonClassName, 80, 24, 0x00034000, 0); }
double ExecNumNewDefaultButton() {
  return NewControl(WindowTypeDefaultButton, ButtonClassName, 80, 24, 0x00034001, 0);
}
double ExecNumNewIconButton() { return NewControl(WindowTypeIconButton, ButtonClassName, 40, 40, 0x00035045, 0); }
double ExecNumNewCheckBox() { return NewControl(WindowTypeCheckBox, ButtonClassName, 128, 16, 0x00034003, 0); }
double ExecNumNewCheckBox3() { return NewControl(WindowTypeCheckBox3, ButtonClassName, 128, 16, 0x00034006, 0); }
double ExecNumNewRadioButton() {
  return NewControl(WindowTypeRadioButton, ButtonClassName, 128, 16, 0x00004009, 0);
}
double ExecNumNewRadioGroupStart() {
  return NewControl(WindowTypeRadioGroupStart, ButtonClassName, 128, 16, 0x00034009, 0);
}
double ExecNumNewEdit() { return NewControl(WindowTypeEdit, EditClassName, 128, 21, 0x00030080, 0x200); }
double ExecNumNewMemo() { return NewControl(WindowTypeMemo, EditClassName, 160, 73, 0x00231044, 0x200); }
double ExecNumNewGroupBox() { return NewControl(WindowTypeGroupBox, ButtonClassName, 192, 96, 0x00000007, 0x20); }
double ExecNumNewListBox() { return NewControl(WindowTypeListBox, ListBoxClassName, 128, 192, 0x00230181, 0x200); }
double ExecNumNewComboEdit() {
  return NewControl(WindowTypeComboEdit, ComboBoxClassName, 128, 192, 0x00230441, 0);
}
double ExecNumNewComboList() {
  return NewControl(WindowTypeComboList, ComboBoxClassName, 128, 192, 0x00230443, 0);
}
double ExecNumNewComboDrop() {
  return NewControl(WindowTypeComboDrop, ComboBoxClassName, 128, 192, 0x00230442, 0);
}
double ExecNumNewStaticLeft() { return NewControl(WindowTypeStaticText, StaticClassName, 128, 16, 0x00000180, 0); }
double ExecNumNewStaticCenter() {
  return NewControl(WindowTypeStaticText, StaticClassName, 128, 16, 0x00000181, 0);
}
double ExecNumNewStaticRight() {
  return NewControl(WindowTypeStaticText, StaticClassName, 128, 16, 0x00000182, 0);
}
double ExecNumNewIconBox() { return NewControl(WindowTypeIconBox, StaticClassName, 32, 32, 0x00000B03, 0); }
double ExecNumNewPictureBox() { return NewControl(WindowTypePictureBox, StaticClassName, 32, 32, 0x0000010D, 0); }

// The rich edit library is loaded on first use; without one the entry has
// no system window.
double ExecNumNewRichEdit() {
  LoadRichEditLibrary();
  return NewControl(WindowTypeRichEdit, RichEditClassName, 160, 73, 0x00231044, 0x200);
}
