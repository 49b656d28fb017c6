// Creating and destroying program windows and controls, and dialog mode.
#include "controls/program_windows.h"
#include <richedit.h>
#include "base/global_storage.h"
#include "controls/focus_walks.h"
#include "window/window_ids.h"
#include "base/process.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "graphics/full_screen.h"

GLOBAL_OBJECT(Text, ButtonClassName);
GLOBAL_OBJECT(Text, EditClassName);
GLOBAL_OBJECT(Text, RichEditClassName);
GLOBAL_OBJECT(Text, ListBoxClassName);
GLOBAL_OBJECT(Text, ComboBoxClassName);
GLOBAL_OBJECT(Text, StaticClassName);
HMODULE RichEditLibrary;

void InitControlClassNames() {
  ButtonClassName.InitNew("Button", -1);
  EditClassName.InitNew("Edit", -1);
  RichEditClassName.InitNew("RichEdit", -1);
  ListBoxClassName.InitNew("Listbox", -1);
  ComboBoxClassName.InitNew("Combobox", -1);
  StaticClassName.InitNew("Static", -1);
}

void SetDialogMode(bool on) {
  if ((uint8_t)on == DialogMode) return;
  DialogMode = on;
  InvalidateRect(MainWindow, nullptr, TRUE);
  UpdateWindow(MainWindow);
}

static void LeaveFullScreenFirst() {
  if (InFullScreen()) LeaveFullScreen();
}

static void SetButtonColors(WindowItem& item) {
  item.TextColor = ButtonTextColor;
  item.BackColor = ButtonFaceColor;
  item.BackBrush = ButtonFaceBrush;
}

static void SetEditColors(WindowItem& item) {
  item.TextColor = EditTextColor;
  item.BackColor = EditBackColor;
  item.BackBrush = EditBackBrush;
}

void CreateProgramWindow(int32_t type, uint32_t extraStyle) {
  LeaveFullScreenFirst();
  int32_t i = Windows.NewItem();
  SelectedWindowId = i;
  int32_t owner = CurrentWindowId;
  WindowItem& item = Windows[i];
  const WindowItem& o = Windows[owner];
  item.Parent = owner;
  item.Type = type;
  SetButtonColors(item);
  item.HasFrame = 1;
  item.HasCaption = 1;
  item.TopMost = 0;
  item.X = o.X;
  item.Y = o.Y;
  item.Width = o.Width;
  item.Height = o.Height;
  if (item.Width >= 64) {
    item.X += 16;
    item.Width -= 32;
  }
  if (item.Height >= 64) {
    item.Y += 16;
    item.Height -= 32;
  }
  HWND ownerHandle = o.Handle;
  HWND h = CreateWindowExA(ProgramWindowExStyle, WindowClassName, "", extraStyle | ProgramWindowStyle, item.X,
                           item.Y, item.Width, item.Height, ownerHandle, nullptr, Instance, nullptr);
  // A window the system refused stays an entry without effect; its owner
  // keeps the input and stays the current window.
  if (!h) return;
  Windows[i].Handle = h;
  SetWindowLongA(h, 0, i);
  Windows[owner].Disabled = 1;
  CurrentWindowId = i;
  FocusWindowId = i;
  WindowItem::UpdateMetrics(i);
  SetFocus(h);
  EnableWindow(ownerHandle, FALSE);
}

static void AppendToRing(int32_t ring, int32_t i) {
  WindowItem& o = Windows[ring];
  WindowItem& item = Windows[i];
  item.Prev = o.Prev;
  item.Next = ring;
  o.Prev = i;
  Windows[item.Prev].Next = i;
}

static bool UsesEditColors(int32_t type) {
  return type == WindowTypeEdit || type == WindowTypeMemo || type == WindowTypeListBox ||
         type == WindowTypeComboEdit || type == WindowTypeComboList || type == WindowTypeComboDrop ||
         type == WindowTypeRichEdit;
}

void CreateControl(int32_t type, const Text& className, int32_t width, int32_t height, uint32_t style,
                   uint32_t exStyle) {
  LeaveFullScreenFirst();
  int32_t i = Windows.NewItem();
  SelectedWindowId = i;
  int32_t owner = CurrentWindowId;
  if (owner == 0) SetDialogMode(true);
  AppendToRing(owner, i);
  WindowItem& item = Windows[i];
  const WindowItem& o = Windows[owner];
  item.Parent = owner;
  item.Type = type;
  item.X = (o.ClientWidth - width) / 2;
  item.Y = (o.ClientHeight - height) / 2;
  item.Width = width;
  item.Height = height;
  item.HasCaption = 0;
  item.TopMost = 0;
  item.TabStop = (style & WS_TABSTOP) != 0;
  item.HasFrame = (exStyle & WS_EX_CLIENTEDGE) != 0;
  if (UsesEditColors(type))
    SetEditColors(item);
  else
    SetButtonColors(item);
  HWND h = CreateWindowExA(exStyle, className.Chars(), "", style | WS_CHILD, item.X, item.Y, width, height,
                           o.Handle, (HMENU)(intptr_t)i, Instance, nullptr);
  Windows[i].Handle = h;
  if (h && type == WindowTypeMemo) SendMessageA(h, EM_LIMITTEXT, 0, 0);
  if (h && type == WindowTypeRichEdit) {
    SendMessageA(h, EM_EXLIMITTEXT, 0, 0x10000000);
    SendMessageA(h, EM_SETEVENTMASK, 0, ENM_CHANGE);
  }
  WindowItem::ApplyFont(i);
  WindowItem::UpdateMetrics(i);
  if (FocusWindowId == CurrentWindowId) FocusNextTabStop();
}

void LoadRichEditLibrary() {
  if (RichEditLibrary) return;
  RichEditLibrary = LoadLibraryA("RICHED20.DLL");
  if (RichEditLibrary)
    RichEditClassName.AssignChars("RichEdit20A");
  else
    RichEditLibrary = LoadLibraryA("RICHED32.DLL");
}

void MoveFocusFrom(int32_t id) {
  FocusNextTabStop();
  if (FocusWindowId != id) return;
  int32_t parent = Windows[id].Parent;
  FocusWindowId = parent;
  SetFocus(Windows[parent].Handle);
}

// The focus moves on first, so the system never hands it to the dying control.
static void DestroyControl(int32_t id) {
  if (FocusWindowId == id) MoveFocusFrom(id);
  DestroyWindow(Windows[id].Handle);
  WindowItem& item = Windows[id];
  Windows[item.Prev].Next = item.Next;
  Windows[item.Next].Prev = item.Prev;
  if (item.Parent == 0 && Windows[0].Next == 0) SetDialogMode(false);
}

static void DestroyProgramWindow(int32_t id) {
  for (int32_t k = Windows.Capacity - 1; k >= 0; k--)
    if (Windows.IsLive(k) && Windows[k].Parent == id) DestroyWindowItem(k);
  // A window the system refused never took its owner's place.
  HWND h = Windows[id].Handle;
  if (!h) return;
  int32_t owner = Windows[id].Parent;
  HWND ownerHandle = Windows[owner].Handle;
  EnableWindow(ownerHandle, TRUE);
  // The owner is current before the system activates it, so its focus
  // hand-over does not pass the focus back to the dying window.
  CurrentWindowId = FocusWindowId = owner;
  Windows[owner].Disabled = 0;
  DestroyWindow(h);
  SetFocus(ownerHandle);
}

void DestroyWindowItem(int32_t id) {
  if (id == 0) return;
  if (SelectedWindowId == id) SelectedWindowId = -1;
  if (!Windows.IsLive(id)) return;
  if (Windows[id].IsTopLevel())
    DestroyProgramWindow(id);
  else
    DestroyControl(id);
  Windows.FreeItem(id);
}
