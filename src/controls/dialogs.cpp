// Modal dialogs owned by the current window: the message box, the text input
// dialog of resource 245 and the open and save file dialogs. Each leaves
// full-screen mode and refreshes the display first, so the program's latest
// drawing shows behind it.
#include "controls/dialogs.h"
#include <string.h>
#include "base/global_storage.h"
#include "controls/dialog_seam.h"
#include "window/window_ids.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "base/language.h"
#include "base/process.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "graphics/display_refresh.h"
#include "graphics/full_screen.h"

GLOBAL_OBJECT(Text, InputDialogCaption);
GLOBAL_OBJECT(Text, InputDialogLine1);
GLOBAL_OBJECT(Text, InputDialogLine2);
GLOBAL_OBJECT(Text, InputDialogLine3);
GLOBAL_OBJECT(Text, InputDialogText);

void InitInputDialogTexts() {
  InputDialogCaption.InitEmpty();
  InputDialogLine1.InitEmpty();
  InputDialogLine2.InitEmpty();
  InputDialogLine3.InitEmpty();
  InputDialogText.InitEmpty();
}

static void PrepareForDialog() {
  if (InFullScreen()) LeaveFullScreen();
  RefreshDisplay();
}

static HWND CurrentWindowHandle() {
  return Windows.IsLive(CurrentWindowId) ? Windows[CurrentWindowId].Handle : MainWindow;
}

UINT MessageBoxFlags(int32_t icon, int32_t buttons, int32_t defaultButton) {
  if ((uint32_t)icon > 4) icon = 0;
  if ((uint32_t)buttons > 5) buttons = 0;
  int32_t count = buttons == MB_OK ? 1 : buttons == MB_ABORTRETRYIGNORE || buttons == MB_YESNOCANCEL ? 3 : 2;
  if (defaultButton < 1) defaultButton = 1;
  if (defaultButton > count) defaultButton = count;
  return (UINT)(buttons + icon * 16 + (defaultButton - 1) * 256);
}

// Named parameters caption, text, icon, buttons and default button: the id
// of the button pressed, 0 when the box cannot be shown.
double ExecNumMessageBox() {
  Text caption, text;
  RunValue(caption);
  RunValue(text);
  int32_t icon = EvalNextInt();
  int32_t buttons = EvalNextInt();
  int32_t defaultButton = EvalNextInt();
  CutAtCarriageReturn(caption);
  UINT flags = MessageBoxFlags(icon, buttons, defaultButton);
  PrepareForDialog();
  return DialogSys.MessageBoxA(CurrentWindowHandle(), text.Chars(), caption.Chars(), flags);
}

void ExecCmdMessageBox() { ExecNumMessageBox(); }

void CenterWindow(HWND window, HWND over) {
  RECT r = {0, 0, 0, 0};
  if (over)
    GetWindowRect(over, &r);
  else
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  RECT w = {0, 0, 0, 0};
  GetWindowRect(window, &w);
  int64_t x = ((int64_t)r.left + r.right) / 2 - ((int64_t)w.right - w.left) / 2;
  int64_t y = ((int64_t)r.top + r.bottom) / 2 - ((int64_t)w.bottom - w.top) / 2;
  SetWindowPos(window, nullptr, (int)x, (int)y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    CenterWindow(dialog, CurrentWindowHandle());
    InputDialogCaption.StoreWindowText(dialog);
    InputDialogLine1.StoreDlgItemText(dialog, InputDialogLineIds[0]);
    InputDialogLine2.StoreDlgItemText(dialog, InputDialogLineIds[1]);
    InputDialogLine3.StoreDlgItemText(dialog, InputDialogLineIds[2]);
    InputDialogText.StoreDlgItemText(dialog, InputDialogEditId);
    Text(LanguageTable[CurrentLanguageIndex].CancelText).StoreDlgItemText(dialog, IDCANCEL);
    return TRUE;  // the system focuses the edit field
  }
  if (message != WM_COMMAND || HIWORD(wParam) > 1) return FALSE;
  if (LOWORD(wParam) == IDOK) {
    InputDialogText.LoadDlgItemText(dialog, InputDialogEditId);
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    InputDialogText.Empty();
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

// Named parameters caption, three prompt lines and the initial text: the
// text entered, empty after Cancel or closing.
void ExecTextInputDialog(Text& r) {
  RunValue(InputDialogCaption);
  RunValue(InputDialogLine1);
  RunValue(InputDialogLine2);
  RunValue(InputDialogLine3);
  RunValue(InputDialogText);
  PrepareForDialog();
  DialogSys.DialogBoxParamA(Instance, MAKEINTRESOURCEA(InputDialogResourceId), CurrentWindowHandle(),
                            InputDialogProc, 0);
  r = InputDialogText;
}

// The directory part of an initial name d, which keeps only the file name.
static Text SplitInitialDirectory(Text& d) {
  Text dir;
  int32_t k = d.FindCharReverse('\\');
  if (k < 0) {
    k = d.FindChar(':');
    if (k < 0)
      dir.LoadCurrentDirectory();
    else
      dir = d.Left(k + 1);
  } else if (k == 0) {
    dir.AssignChars("\\");
  } else if (k == 2 && d.GetChar(1) == ':') {
    dir = d.Left(3);
  } else {
    dir = d.Left(k);
  }
  if (k >= 0) d.Delete(0, k + 1);
  return dir;
}

// The default extension of the dialog and the key that finds the filter
// holding it (".EXT;").
struct DefaultExtension {
  Text Ext;
  Text Key;
  bool Set = false;
  void Take(const Text& ext) {
    Ext = ext;
    Key = ConcatTextChar(ConcatCharText('.', ext), ';');
    Key.UpperCase();
    Set = true;
  }
};

// A filter pattern line: without surrounding blanks and semicolons and
// without any space; empty means all files.
static Text CleanPattern(Text p) {
  p.TrimLeft();
  p.TrimRight();
  int32_t start = 0, end = p.Length();
  while (start < end && p.GetChar(start) == ';') start++;
  while (end > start && p.GetChar(end - 1) == ';') end--;
  Text q;
  for (int32_t i = start; i < end; i++)
    if (p.GetChar(i) != ' ') q.AppendChar(p.GetChar(i));
  if (q.Length() == 0) q.AssignChars(AllFilesPattern);
  return q;
}

// The extension a pattern names: after its first dot, up to the first
// semicolon; empty when it holds a wildcard.
static Text PatternExtension(const Text& pattern) {
  int32_t dot = pattern.FindChar('.');
  Text e = dot < 0 ? pattern : pattern.Mid(dot + 1, pattern.Length());
  int32_t semicolon = e.FindChar(';');
  if (semicolon >= 0) e = e.Left(semicolon);
  if (e.FindChar('*') >= 0) e.Empty();
  return e;
}

// The filter buffer (name, zero, pattern, zero for each line, one zero at
// the end); sets the filter index and the default extension.
static Text BuildFilters(const Text& names, const Text& patterns, DefaultExtension& ext, DWORD& filterIndex) {
  int32_t n = patterns.CountLines();
  if (names.CountLines() > n) n = names.CountLines();
  if (n < 1) n = 1;
  Text buffer, firstExt;
  int32_t firstIndex = 0;
  for (int32_t i = 1; i <= n; i++) {
    Text name = names.GetLine(i - 1);
    name.TrimLeft();
    name.TrimRight();
    if (name.Length() == 0) {
      name.AssignChars(LanguageTable[CurrentLanguageIndex].AllFilesText);
      name.AppendChars(" (*.*)");
    }
    Text pattern = CleanPattern(patterns.GetLine(i - 1));
    if (firstIndex == 0) {
      Text e = PatternExtension(pattern);
      if (e.Length() > 0) {
        firstExt = e;
        firstIndex = i;
        if (!ext.Set) ext.Take(e);
      }
    }
    if (ext.Set) {
      Text upper = ConcatTextChar(pattern, ';');
      upper.UpperCase();
      if (upper.Find(ext.Key) >= 0) filterIndex = i;
    }
    buffer.Append(name);
    buffer.AppendChar(0);
    buffer.Append(pattern);
    buffer.AppendChar(0);
  }
  buffer.AppendChar(0);
  if (filterIndex == 0) {
    if (firstIndex > 0) {
      ext.Take(firstExt);
      filterIndex = firstIndex;
    } else {
      ext.Set = false;
    }
  }
  return buffer;
}

void RunFileDialog(Text& result, bool save) {
  Text title, names, patterns, d;
  RunValue(title);
  RunValue(names);
  RunValue(patterns);
  RunValue(d);
  d.TrimLeft();
  d.TrimRight();
  d.RemoveInvalidPathChars(0);
  PrepareForDialog();
  OPENFILENAMEA ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = CurrentWindowHandle();
  Text dir = SplitInitialDirectory(d);
  ofn.lpstrInitialDir = dir.Chars();
  // With several dots the name keeps all but the last part.
  DefaultExtension ext;
  int32_t dot = d.FindCharReverse('.');
  if (dot >= 0) {
    Text e = d.Mid(dot + 1, d.Length());
    d = d.Left(dot);
    if (e.Length() > 0) ext.Take(e);
  }
  Text filters = BuildFilters(names, patterns, ext, ofn.nFilterIndex);
  ofn.lpstrFilter = filters.Chars();
  ofn.lpstrDefExt = ext.Set ? ext.Ext.Chars() : nullptr;
  int32_t size = d.Length() + 1 < 1024 ? 1024 : d.Length() + 1;
  char* file = (char*)MemAlloc(size);
  memset(file, 0, size);
  memcpy(file, d.Chars(), d.Length());
  ofn.lpstrFile = file;
  ofn.nMaxFile = size;
  ofn.lpstrTitle = title.Length() ? title.Chars() : nullptr;
  ofn.Flags = FileDialogFlags;
  BOOL ok = save ? DialogSys.GetSaveFileNameA(&ofn) : DialogSys.GetOpenFileNameA(&ofn);
  if (ok)
    result.AssignBytes(file, (int32_t)strnlen(file, size));
  else
    result.Empty();
  MemFree(file);
}

// Named parameters title, filter names, filter patterns and initial name:
// the chosen path, empty when cancelled or failed.
void ExecTextOpenDialog(Text& r) { RunFileDialog(r, false); }
void ExecTextSaveDialog(Text& r) { RunFileDialog(r, true); }
