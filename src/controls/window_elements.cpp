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

// New controls in the current window, centred and hidden (CreateControl adds
// WS_CHILD): the new id. Most controls start a tab group of their own.
const uint32_t TabGroup = WS_GROUP | WS_TABSTOP;
const uint32_t MemoStyle = WS_VSCROLL | TabGroup | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE;
const uint32_t ComboStyle = WS_VSCROLL | TabGroup | CBS_NOINTEGRALHEIGHT | CBS_AUTOHSCROLL;
const uint32_t StaticTextStyle = SS_NOTIFY | SS_NOPREFIX;

static double NewControl(int32_t type, const Text& className, int32_t width, int32_t height, uint32_t style,
                         uint32_t exStyle) {
  CreateControl(type, className, width, height, style, exStyle);
  return SelectedWindowId;
}

double ExecNumNewButton() {
  return NewControl(WindowTypeButton, ButtonClassName, 80, 24, TabGroup | BS_NOTIFY | BS_PUSHBUTTON, 0);
}
double ExecNumNewDefaultButton() {
  return NewControl(WindowTypeDefaultButton, ButtonClassName, 80, 24, TabGroup | BS_NOTIFY | BS_DEFPUSHBUTTON, 0);
}
double ExecNumNewIconButton() {
  return NewControl(WindowTypeIconButton, ButtonClassName, 40, 40,
                    TabGroup | BS_NOTIFY | BS_PUSHLIKE | BS_ICON | BS_3STATE, 0);
}
double ExecNumNewCheckBox() {
  return NewControl(WindowTypeCheckBox, ButtonClassName, 128, 16, TabGroup | BS_NOTIFY | BS_AUTOCHECKBOX, 0);
}
double ExecNumNewCheckBox3() {
  return NewControl(WindowTypeCheckBox3, ButtonClassName, 128, 16, TabGroup | BS_NOTIFY | BS_AUTO3STATE, 0);
}
// No group and no tab stop: it joins the group of the radio buttons before it.
double ExecNumNewRadioButton() {
  return NewControl(WindowTypeRadioButton, ButtonClassName, 128, 16, BS_NOTIFY | BS_AUTORADIOBUTTON, 0);
}
double ExecNumNewRadioGroupStart() {
  return NewControl(WindowTypeRadioGroupStart, ButtonClassName, 128, 16,
                    TabGroup | BS_NOTIFY | BS_AUTORADIOBUTTON, 0);
}
double ExecNumNewEdit() {
  return NewControl(WindowTypeEdit, EditClassName, 128, 21, TabGroup | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}
double ExecNumNewMemo() {
  return NewControl(WindowTypeMemo, EditClassName, 160, 73, MemoStyle, WS_EX_CLIENTEDGE);
}
double ExecNumNewGroupBox() {
  return NewControl(WindowTypeGroupBox, ButtonClassName, 192, 96, BS_GROUPBOX, WS_EX_TRANSPARENT);
}
double ExecNumNewListBox() {
  return NewControl(WindowTypeListBox, ListBoxClassName, 128, 192,
                    WS_VSCROLL | TabGroup | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | LBS_NOTIFY, WS_EX_CLIENTEDGE);
}
double ExecNumNewComboEdit() {
  return NewControl(WindowTypeComboEdit, ComboBoxClassName, 128, 192, ComboStyle | CBS_SIMPLE, 0);
}
double ExecNumNewComboList() {
  return NewControl(WindowTypeComboList, ComboBoxClassName, 128, 192, ComboStyle | CBS_DROPDOWNLIST, 0);
}
double ExecNumNewComboDrop() {
  return NewControl(WindowTypeComboDrop, ComboBoxClassName, 128, 192, ComboStyle | CBS_DROPDOWN, 0);
}
double ExecNumNewStaticLeft() {
  return NewControl(WindowTypeStaticText, StaticClassName, 128, 16, StaticTextStyle | SS_LEFT, 0);
}
double ExecNumNewStaticCenter() {
  return NewControl(WindowTypeStaticText, StaticClassName, 128, 16, StaticTextStyle | SS_CENTER, 0);
}
double ExecNumNewStaticRight() {
  return NewControl(WindowTypeStaticText, StaticClassName, 128, 16, StaticTextStyle | SS_RIGHT, 0);
}
double ExecNumNewIconBox() {
  return NewControl(WindowTypeIconBox, StaticClassName, 32, 32,
                    SS_REALSIZEIMAGE | SS_CENTERIMAGE | SS_NOTIFY | SS_ICON, 0);
}
double ExecNumNewPictureBox() {
  return NewControl(WindowTypePictureBox, StaticClassName, 32, 32, SS_NOTIFY | SS_OWNERDRAW, 0);
}

// The rich edit library is loaded on first use; without one the entry has
// no system window.
double ExecNumNewRichEdit() {
  LoadRichEditLibrary();
  return NewControl(WindowTypeRichEdit, RichEditClassName, 160, 73, MemoStyle, WS_EX_CLIENTEDGE);
}
