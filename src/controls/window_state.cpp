// Shown, disabled, checked, third-state and clicked state of the selected
// window or control, and its text and background colours.
#include "controls/focus_walks.h"
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "window/main_window.h"
#include "window/window_table.h"

static WindowItem* SelectedItem() {
  return Windows.IsLive(SelectedWindowId) ? &Windows[SelectedWindowId] : nullptr;
}

template <uint8_t WindowItem::*Flag>
static uint8_t ReadFlag() {
  WindowItem* item = SelectedItem();
  return item ? item->*Flag : 0;
}

// A set form: the toggle runs when the logic operand differs from the flag.
template <uint8_t WindowItem::*Flag, void (*Toggle)()>
static void SetByToggle() {
  uint8_t on = RunBool() != 0;
  WindowItem* item = SelectedItem();
  if (item && item->*Flag != on) Toggle();
}

// A control that loses its use while it has the focus hands the focus on
// first, so keys never go to a hidden or disabled window.
static void FocusAwayFrom(int32_t id) {
  if (FocusWindowId == id && !Windows[id].IsTopLevel()) MoveFocusFrom(id);
}

// Shows or hides the selected item; the main window always stays shown.
void ExecCmdToggleWindowVisible() {
  WindowItem* item = SelectedItem();
  if (!item || SelectedWindowId == 0) return;
  item->Visible = !item->Visible;
  if (!item->Visible) FocusAwayFrom(SelectedWindowId);
  WindowItem& again = Windows[SelectedWindowId];
  ShowWindow(again.Handle, again.Visible ? SW_SHOW : SW_HIDE);
}

void ExecCmdWindowVisible() { SetByToggle<&WindowItem::Visible, ExecCmdToggleWindowVisible>(); }
uint8_t ExecBoolWindowVisible() { return ReadFlag<&WindowItem::Visible>(); }

// Disables or enables the selected control: edit fields become read-only
// (they keep taking the focus), the others lose the input.
void ExecCmdToggleWindowDisabled() {
  WindowItem* item = SelectedItem();
  if (!item || item->IsTopLevel()) return;
  item->Disabled = !item->Disabled;
  int32_t id = SelectedWindowId;
  if (IsEditLike(item->Type)) {
    SendMessageA(item->Handle, EM_SETREADONLY, item->Disabled, 0);
    return;
  }
  if (item->Disabled) FocusAwayFrom(id);
  EnableWindow(Windows[id].Handle, !Windows[id].Disabled);
}

void ExecCmdWindowDisabled() { SetByToggle<&WindowItem::Disabled, ExecCmdToggleWindowDisabled>(); }
uint8_t ExecBoolWindowDisabled() { return ReadFlag<&WindowItem::Disabled>(); }

// The button's check state from the flags, without the notification it causes.
static void SendCheck(int32_t id, WPARAM state) {
  IgnoreNotifications = 1;
  SendMessageA(Windows[id].Handle, BM_SETCHECK, state, 0);
  IgnoreNotifications = 0;
}

// Checks or unchecks the selected item: a radio item that gets checked
// unchecks the rest of its group; icon and picture boxes keep only the flag.
void ExecCmdToggleWindowCheck() {
  WindowItem* item = SelectedItem();
  if (!item) return;
  int32_t id = SelectedWindowId;
  switch (item->Type) {
    case WindowTypeRadioButton:
    case WindowTypeRadioGroupStart:
      if (!item->Checked) {
        CheckRadioItem(id);
        return;
      }
      [[fallthrough]];
    case WindowTypeIconButton:
    case WindowTypeCheckBox:
    case WindowTypeCheckBox3:
      item->Checked = !item->Checked;
      item->Indeterminate = 0;
      SendCheck(id, item->Checked ? BST_CHECKED : BST_UNCHECKED);
      return;
    case WindowTypeIconBox:
    case WindowTypePictureBox:
      item->Checked = !item->Checked;
      item->Indeterminate = 0;
      return;
    default:
      return;
  }
}

void ExecCmdWindowCheck() { SetByToggle<&WindowItem::Checked, ExecCmdToggleWindowCheck>(); }
uint8_t ExecBoolWindowCheck() { return ReadFlag<&WindowItem::Checked>(); }

// The third state, for three-state buttons and the boxes' own mark only.
void ExecCmdToggleWindowCheck3() {
  WindowItem* item = SelectedItem();
  if (!item) return;
  switch (item->Type) {
    case WindowTypeIconButton:
    case WindowTypeCheckBox3:
      item->Indeterminate = !item->Indeterminate;
      item->Checked = 0;
      SendCheck(SelectedWindowId, item->Indeterminate ? BST_INDETERMINATE : BST_UNCHECKED);
      return;
    case WindowTypeIconBox:
    case WindowTypePictureBox:
      item->Indeterminate = !item->Indeterminate;
      item->Checked = 0;
      return;
    default:
      return;
  }
}

void ExecCmdWindowCheck3() { SetByToggle<&WindowItem::Indeterminate, ExecCmdToggleWindowCheck3>(); }
uint8_t ExecBoolWindowCheck3() { return ReadFlag<&WindowItem::Indeterminate>(); }

// The click latch, read and cleared; false without a live item.
uint8_t ExecBoolWindowClicked() {
  WindowItem* item = SelectedItem();
  if (!item) return 0;
  uint8_t clicked = item->Clicked;
  item->Clicked = 0;
  return clicked;
}

// A colour operand: rounded, its top byte cleared (0x00BBGGRR).
static uint32_t EvalNextColor() { return (uint32_t)EvalNextInt() & 0x00FFFFFFu; }

// Text colour of the selected item; it is repainted when the colour changes.
void ExecCmdWindowTextColor() {
  uint32_t c = EvalNextColor();
  WindowItem* item = SelectedItem();
  if (!item || item->TextColor == c) return;
  item->TextColor = c;
  InvalidateRect(item->Handle, nullptr, FALSE);
}

double ExecNumWindowTextColor() {
  WindowItem* item = SelectedItem();
  return item ? item->TextColor : ButtonTextColor;
}

// The brush of a background colour: a shared one for the button face and
// edit colours, else a cross-hatch brush of the item's own (the button face
// brush when the system cannot make one).
static HBRUSH BrushForColor(uint32_t c) {
  if (c == ButtonFaceColor) return ButtonFaceBrush;
  if (c == EditBackColor) return EditBackBrush;
  HBRUSH brush = CreateHatchBrush(HS_CROSS, c);
  return brush ? brush : ButtonFaceBrush;
}

void ExecCmdWindowBackColor() {
  uint32_t c = EvalNextColor();
  WindowItem* item = SelectedItem();
  if (!item || item->BackColor == c) return;
  item->BackColor = c;
  HBRUSH old = item->BackBrush;
  if (old && old != ButtonFaceBrush && old != EditBackBrush) DeleteObject(old);
  item->BackBrush = BrushForColor(c);
  InvalidateRect(item->Handle, nullptr, TRUE);
}

double ExecNumWindowBackColor() {
  WindowItem* item = SelectedItem();
  return item ? item->BackColor : ButtonFaceColor;
}
