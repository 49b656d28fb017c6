// Program windows and controls: the kinds, their creation in the current
// window, destruction, and the dialog mode of the main window.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"
#include "window/window_ids.h"  // the mode itself (DialogMode, InDialogMode)

enum WindowItemType : int32_t {
  WindowTypeWindow = 0,
  WindowTypeDialog = 1,
  WindowTypeButton = 2,
  WindowTypeDefaultButton = 3,
  WindowTypeIconButton = 4,
  WindowTypeCheckBox = 5,
  WindowTypeCheckBox3 = 6,
  WindowTypeRadioButton = 7,
  WindowTypeRadioGroupStart = 8,
  WindowTypeEdit = 9,
  WindowTypeMemo = 10,
  WindowTypeGroupBox = 11,
  WindowTypeListBox = 12,
  WindowTypeComboEdit = 13,
  WindowTypeComboList = 14,
  WindowTypeComboDrop = 15,
  WindowTypeStaticText = 16,
  WindowTypeIconBox = 17,
  WindowTypePictureBox = 18,
  WindowTypeRichEdit = 19,
};

const uint32_t ProgramWindowStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION;
const uint32_t ProgramWindowExStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;

extern Text& ButtonClassName;
extern Text& EditClassName;
extern Text& RichEditClassName;
extern Text& ListBoxClassName;
extern Text& ComboBoxClassName;
extern Text& StaticClassName;
extern HMODULE RichEditLibrary;

// Start-up constructs the class names.
void InitControlClassNames();

void SetDialogMode(bool on);
// Both leave the new id in SelectedWindowId.
void CreateProgramWindow(int32_t type, uint32_t extraStyle);
void CreateControl(int32_t type, const Text& className, int32_t width, int32_t height, uint32_t style,
                   uint32_t exStyle);
// Loads a rich edit library unless one is loaded; the class name follows it.
void LoadRichEditLibrary();
void DestroyWindowItem(int32_t id);
// The focus leaves control id: to the next tab stop, or to its window when
// the ring has no other.
void MoveFocusFrom(int32_t id);

// Kinds that keep the focus while disabled (they are read-only then).
inline bool IsEditLike(int32_t type) {
  return type == WindowTypeEdit || type == WindowTypeMemo || type == WindowTypeRichEdit;
}
inline bool IsPushButton(int32_t type) { return type >= WindowTypeButton && type <= WindowTypeIconButton; }
inline bool IsRadioKind(int32_t type) {
  return type == WindowTypeRadioButton || type == WindowTypeRadioGroupStart;
}
