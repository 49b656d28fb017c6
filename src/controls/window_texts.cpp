// Texts of windows and controls: the cached text set and read per kind, the
// rich edit stream callbacks, list lines, icons and pictures.
#include "controls/window_texts.h"
#include <string.h>
#include <richedit.h>
#include "base/global_storage.h"
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "graphics/display_refresh.h"

GLOBAL_OBJECT(Text, RtfMarker);
GLOBAL_OBJECT(Text, StreamInText);
GLOBAL_OBJECT(Text, StreamOutText);
int32_t StreamInOffset;
// Bytes of StreamOutText in use while it grows by doubling.
static int32_t StreamOutUsed;

void InitWindowTexts() {
  RtfMarker.InitNew("{\\RTF", -1);
  StreamInText.InitEmpty();
  StreamOutText.InitEmpty();
}

static WindowItem* SelectedItem() {
  return Windows.IsLive(SelectedWindowId) ? &Windows[SelectedWindowId] : nullptr;
}

DWORD CALLBACK StreamInCallback(DWORD_PTR, LPBYTE buffer, LONG size, LONG* done) {
  int64_t left = (int64_t)StreamInText.Length() - StreamInOffset;
  int64_t n = size < left ? size : left;
  if (n < 0) n = 0;
  if (n > 0) memcpy(buffer, StreamInText.Chars() + StreamInOffset, (size_t)n);
  StreamInOffset += (int32_t)n;
  *done = (LONG)n;
  return 0;
}

// The text's room doubles, so a long stream of small pieces costs linear time;
// a stream beyond 2 GB is refused.
DWORD CALLBACK StreamOutCallback(DWORD_PTR, LPBYTE buffer, LONG size, LONG* done) {
  *done = 0;
  if (size <= 0) return 0;
  int64_t need = (int64_t)StreamOutUsed + size;
  if (need > 0x7FFFFF00) return 1;
  if (need > StreamOutText.Length()) {
    int64_t room = (int64_t)StreamOutText.Length() * 2;
    if (room < need) room = need;
    if (room < 4096) room = 4096;
    if (room > 0x7FFFFF00) room = 0x7FFFFF00;
    StreamOutText.SetLength((int32_t)room);
  }
  memcpy(StreamOutText.Bytes() + StreamOutUsed, buffer, (size_t)size);
  StreamOutUsed += size;
  *done = size;
  return 0;
}

// The field's contents as RTF.
static void StreamOut(HWND richEdit) {
  StreamOutText.Empty();
  StreamOutUsed = 0;
  EDITSTREAM es = {0, 0, StreamOutCallback};
  SendMessageA(richEdit, EM_STREAMOUT, SF_RTF, (LPARAM)&es);
  StreamOutText.SetLength(StreamOutUsed);
}

// The selected line of a list (getCurrent, getLength, getText are the list
// or combo box messages); the empty text when none is selected.
static void LoadSelectedLine(Text& text, HWND list, UINT getCurrent, UINT getLength, UINT getText) {
  text.Empty();
  LRESULT i = SendMessageA(list, getCurrent, 0, 0);
  if (i < 0) return;
  LRESULT n = SendMessageA(list, getLength, (WPARAM)i, 0);
  if (n <= 0 || n >= 0x7FFFFFF0) return;
  Text line;
  line.SetLength((int32_t)n + 1);
  LRESULT got = SendMessageA(list, getText, (WPARAM)i, (LPARAM)line.Bytes());
  if (got <= 0) return;
  line.SetLength(got < n ? (int32_t)got : (int32_t)n);
  text = line;
}

void RefreshSelectedText() {
  WindowItem* item = SelectedItem();
  if (!item || item->TextValid) return;
  Text t;
  HWND h = item->Handle;
  switch (item->Type) {
    case WindowTypeListBox:
      LoadSelectedLine(t, h, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT);
      break;
    case WindowTypeComboList:
      LoadSelectedLine(t, h, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT);
      break;
    case WindowTypeRichEdit:
      StreamOut(h);
      t = StreamOutText;
      break;
    default:
      t.LoadWindowText(h);
      break;
  }
  WindowItem& again = Windows[SelectedWindowId];  // a send may have grown the table
  again.Text = t;
  again.TextValid = 1;
}

static int32_t AtMost(int32_t p, int32_t n) { return p < n ? p : n; }

// What the control opens as RTF: "{\rtf" or "{\urtf" exactly.
static bool ControlTakesRtf(const Text& t) {
  return strncmp(t.Chars(), "{\\rtf", 5) == 0 || strncmp(t.Chars(), "{\\urtf", 6) == 0;
}

static bool StartsWithRtfMarker(const Text& t) {
  Text head = t.Left(RtfMarker.Length());
  head.UpperCase();
  return head.Equals(RtfMarker);
}

static bool StreamIn(HWND richEdit, const Text& t, WPARAM format) {
  StreamInText = t;
  StreamInOffset = 0;
  EDITSTREAM es = {0, 0, StreamInCallback};
  SendMessageA(richEdit, EM_STREAMIN, format, (LPARAM)&es);
  return es.dwError == 0;
}

// Streams t into a rich edit field, keeping the caret; true when the field
// took it as RTF, so that the cached text is its contents. A text with the
// marker that the control refuses as RTF is streamed again as plain text.
static bool SetRichEditText(HWND h, const Text& t) {
  CHARRANGE sel = {0, 0};
  SendMessageA(h, EM_EXGETSEL, 0, (LPARAM)&sel);
  int32_t p = AtMost(sel.cpMin, t.Length());
  bool rtf = StartsWithRtfMarker(t);
  if (rtf) rtf = StreamIn(h, t, SF_RTF) && ControlTakesRtf(t);
  if (!rtf) StreamIn(h, t, SF_TEXT);
  CHARRANGE caret = {p, p};
  SendMessageA(h, EM_EXSETSEL, 0, (LPARAM)&caret);
  return rtf;
}

// Gives the control of entry id the text t by its kind; false when the
// cached text does not show what the control holds (a rich edit field given
// plain text reads back as RTF).
static bool SetControlText(int32_t id, const Text& t) {
  HWND h = Windows[id].Handle;
  switch (Windows[id].Type) {
    case WindowTypeEdit:
    case WindowTypeMemo: {
      DWORD start = 0;
      SendMessageA(h, EM_GETSEL, (WPARAM)&start, 0);
      int32_t p = AtMost((int32_t)start, t.Length());
      SetWindowTextA(h, t.Chars());
      SendMessageA(h, EM_SETSEL, p, p);
      return true;
    }
    case WindowTypeComboEdit:
    case WindowTypeComboDrop: {
      DWORD start = 0;
      SendMessageA(h, CB_GETEDITSEL, (WPARAM)&start, 0);
      int32_t p = AtMost((int32_t)start, t.Length());
      SendMessageA(h, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)t.Chars());
      SetWindowTextA(h, t.Chars());
      SendMessageA(h, CB_SETEDITSEL, 0, MAKELPARAM(p, p));
      return true;
    }
    case WindowTypeListBox:
      SendMessageA(h, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)t.Chars());
      return true;
    case WindowTypeComboList:
      SendMessageA(h, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)t.Chars());
      return true;
    case WindowTypeIconBox:
    case WindowTypePictureBox:
      return true;
    case WindowTypeRichEdit:
      return SetRichEditText(h, t);
    default:
      SetWindowTextA(h, t.Chars());
      return true;
  }
}

// Text operand: the selected item's text, sent only when it differs from
// what the item shows; the main window's caption goes through the refresh.
void ExecCmdWindowText() {
  Text t;
  RunValue(t);
  if (!SelectedItem()) return;
  RefreshSelectedText();
  int32_t id = SelectedWindowId;
  if (t.Equals(Windows[id].Text)) return;
  IgnoreNotifications = 1;
  if (id == 0) {
    PendingCaption = t;
    CaptionChanged = 1;
    RefreshDisplay();
  } else {
    Windows[id].Text = t;
    bool valid = SetControlText(id, t);
    Windows[id].TextValid = valid;
  }
  IgnoreNotifications = 0;
}

// The selected item's text, asked of the system only when it is stale; the
// empty text without a live item.
void ExecTextWindowText(Text& r) {
  if (!SelectedItem()) {
    r.Empty();
    return;
  }
  RefreshSelectedText();
  r = Windows[SelectedWindowId].Text;
}

// Text operand: a line at the end of a list or combo box; other kinds ignore it.
void ExecCmdWindowListAdd() {
  Text t;
  RunValue(t);
  WindowItem* item = SelectedItem();
  if (!item) return;
  if (item->Type == WindowTypeListBox)
    SendMessageA(item->Handle, LB_ADDSTRING, 0, (LPARAM)t.Chars());
  else if (item->Type >= WindowTypeComboEdit && item->Type <= WindowTypeComboDrop)
    SendMessageA(item->Handle, CB_ADDSTRING, 0, (LPARAM)t.Chars());
}

// Empties a list or combo box; its text is then read again.
void ExecCmdWindowListClear() {
  WindowItem* item = SelectedItem();
  if (!item) return;
  if (item->Type == WindowTypeListBox)
    SendMessageA(item->Handle, LB_RESETCONTENT, 0, 0);
  else if (item->Type >= WindowTypeComboEdit && item->Type <= WindowTypeComboDrop)
    SendMessageA(item->Handle, CB_RESETCONTENT, 0, 0);
  else
    return;
  Windows[SelectedWindowId].TextValid = 0;
}

// Icon operand: shared by the selected item, and shown by windows, icon
// buttons and icon boxes; the same record again changes nothing.
void ExecCmdWindowIcon() {
  Icon icon;
  RunValue(icon);
  WindowItem* item = SelectedItem();
  if (!item || item->Icon.Data == icon.Data) return;
  item->Icon = icon;
  int32_t type = item->Type;
  HWND h = item->Handle;
  if (type != WindowTypeWindow && type != WindowTypeDialog && type != WindowTypeIconButton &&
      type != WindowTypeIconBox)
    return;
  HICON handle = icon.GetWindowIcon();
  if (type == WindowTypeIconButton) {
    SendMessageA(h, BM_SETIMAGE, IMAGE_ICON, (LPARAM)handle);
  } else if (type == WindowTypeIconBox) {
    SendMessageA(h, STM_SETIMAGE, IMAGE_ICON, (LPARAM)handle);
  } else {
    SendMessageA(h, WM_SETICON, ICON_BIG, (LPARAM)handle);
    SendMessageA(h, WM_SETICON, ICON_SMALL, (LPARAM)handle);
  }
}

void ExecIconWindowIcon(Icon& r) {
  WindowItem* item = SelectedItem();
  if (item)
    r = item->Icon;
  else
    r.Empty();
}

// Picture operand: shared by the selected item; a picture box drops its
// padded copy and is repainted at once.
void ExecCmdWindowPicture() {
  Picture picture;
  RunValue(picture);
  WindowItem* item = SelectedItem();
  if (!item || item->Picture.Data == picture.Data) return;
  item->Picture = picture;
  MemFree(item->PaddedPixels);
  item->PaddedPixels = nullptr;
  if (item->Type != WindowTypePictureBox) return;
  InvalidateRect(item->Handle, nullptr, FALSE);
  UpdateWindow(item->Handle);
}

void ExecPictureWindowPicture(Picture& r) {
  WindowItem* item = SelectedItem();
  if (item)
    r = item->Picture;
  else
    r.Empty();
}
