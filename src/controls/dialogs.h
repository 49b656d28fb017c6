// Modal dialogs of the program: the message box, the text input dialog of
// resource 245 and the open and save file dialogs.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"

const int InputDialogResourceId = 245;
const int InputDialogEditId = 1093;
const int InputDialogLineIds[3] = {1146, 1147, 1148};
const uint32_t FileDialogFlags = OFN_ENABLESIZING | OFN_LONGNAMES | OFN_EXPLORER | OFN_SHAREAWARE |
                                 OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

extern Text& InputDialogCaption;
extern Text& InputDialogLine1;
extern Text& InputDialogLine2;
extern Text& InputDialogLine3;
extern Text& InputDialogText;  // the initial text in, the entered text out

// Start-up constructs the five texts empty.
void InitInputDialogTexts();

// The message box flags for the icon, button set and default button codes
// of the language, each out-of-range code replaced.
UINT MessageBoxFlags(int32_t icon, int32_t buttons, int32_t defaultButton);
// Moves window so that it is centred over over (the work area when null).
void CenterWindow(HWND window, HWND over);
INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Evaluates the title, filter names, patterns and initial name, shows the
// open or save dialog and gives the chosen path, or the empty text.
void RunFileDialog(Text& result, bool save);
