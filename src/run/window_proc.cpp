// The window procedure: moves, sizes, focus, closing, colours, palette and
// the control notifications that set the program's latches.
#include "run/window_proc.h"
#include "base/memory.h"
#include "controls/focus_walks.h"
#include "controls/picture_box.h"
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "input/cursor_regions.h"
#include "values/palette.h"
#include "input/keyboard_state.h"
#include "window/main_window.h"
#include "window/window_table.h"
#include "base/process.h"
#include "audio/music_player.h"
#include "graphics/full_screen.h"
#include "graphics/window_sizing.h"

// A window being created has no stored index yet (its extra word reads 0),
// and an entry whose window is gone may be taken again: matching the handle
// keeps such messages from being taken for the main window's or another's.
int32_t WindowItemOf(HWND window) {
  int32_t i = (int32_t)GetWindowLongA(window, 0);
  if (!Windows.IsLive(i) || Windows[i].Handle != window) return -1;
  return i;
}

void HandleSetFocus(int32_t i) {
  int32_t f = FocusWindowId;
  if (Windows.IsLive(f) && Windows[f].Parent == i)
    SetFocus(Windows[f].Handle);
  else
    FocusWindowId = i;
  if (i == 0) ResetKeyboardState();
}

// The latch of the entry, its check state for the button kinds 4 to 8, and
// the latch of its window.
void ClickItem(int32_t id) {
  WindowItem& item = Windows[id];
  item.Clicked = 1;
  if (item.Type >= 4 && item.Type <= 8) {
    LRESULT check = SendMessageA(item.Handle, BM_GETCHECK, 0, 0);
    WindowItem& again = Windows[id];  // the send may have grown the table
    again.Checked = check == 1;
    again.Indeterminate = check == 2;
    // An automatic radio button unchecked the others of its group silently.
    if (IsRadioKind(again.Type)) ReadRadioChecks(id);
  }
  int32_t parent = Windows[id].Parent;
  if (Windows.IsLive(parent)) Windows[parent].Clicked = 1;
}

// The code is taken by number, whatever the control's class.
void HandleControlNotification(int32_t id, int32_t code) {
  if (IgnoreNotifications || !Windows.IsLive(id)) return;
  switch (code) {
    case 0:
      ClickItem(id);
      break;
    case 1:
    case 5:
    case 0x300:
      Windows[id].TextValid = 0;
      ClickItem(id);
      break;
    case 3:
    case 4:
    case 6:
    case 0x100:
      FocusWindowId = id;
      break;
    default:
      break;
  }
}

HBRUSH AnswerControlColor(HDC dc, HWND control) {
  int32_t i = (int32_t)GetWindowLongA(control, GWL_ID);
  if (!Windows.IsLive(i) || Windows[i].Handle != control) return nullptr;
  SetTextColor(dc, Windows[i].TextColor);
  SetBkColor(dc, Windows[i].BackColor);
  return Windows[i].BackBrush;
}

void RealizeProgramPalette(HWND window, int32_t i) {
  HDC dc = GetDC(window);
  HPALETTE previous = SelectPalette(dc, PaletteHandle, FALSE);
  RealizePalette(dc);
  SelectPalette(dc, previous, FALSE);
  ReleaseDC(window, dc);
  WindowItem::PaintClient(i);
}

// A second successful notification of the open device ends the music; the
// first only marks it.
void HandleMusicNotification(WPARAM code, LPARAM device) {
  if (!MusicDevice || (uint32_t)device != MusicDevice || code != 1) return;
  if (MusicEndNotified) HandleMusicEnd();
  MusicEndNotified = 1;
}

static bool HandleCursor(int32_t i) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(Windows[CurrentWindowId].Handle, &p);
  return ApplyCursorRegion(p.x, p.y);
}

static void ReadDisplayMetrics() {
  if (InFullScreen()) return;
  MaxClientWidth = GetSystemMetrics(SM_CXFULLSCREEN);
  MaxClientHeight = GetSystemMetrics(SM_CYFULLSCREEN);
  ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!MemoryReady) return DefWindowProcA(window, message, wParam, lParam);
  int32_t i = WindowItemOf(window);
  if (i < 0) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_MOVE:
      WindowItem::UpdateMetrics(i);
      return 0;
    case WM_SIZE:
      WindowItem::OnResize(i);
      return 0;
    case WM_SETFOCUS:
      HandleSetFocus(i);
      break;
    case WM_PAINT:
      WindowItem::OnPaint(i);
      return 0;
    case WM_CLOSE:
      if (i == 0) {
        PickForegroundAtExit();
        PostQuitMessage(0);
      } else {
        DestroyWindowItem(i);
      }
      return 0;
    case WM_ACTIVATEAPP:
      if (InFullScreen()) RestorePrimarySurface();
      PickForegroundAtExit();
      break;
    case WM_SETCURSOR:
      if (HandleCursor(i)) return 1;
      break;
    case WM_DRAWITEM:
      if (((const DRAWITEMSTRUCT*)lParam)->CtlType == ODT_STATIC) {
        int32_t id = LOWORD(wParam);
        if (Windows.IsLive(id) && Windows[id].Type == 18) PaintPictureBox(id, (const DRAWITEMSTRUCT*)lParam);
      }
      break;
    case WM_DISPLAYCHANGE:
      ReadDisplayMetrics();
      break;
    case WM_COMMAND:
      HandleControlNotification(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_SIZING:
      if (i == 0) SnapWindowSizing(wParam, (RECT*)lParam);
      return TRUE;
    case WM_QUERYNEWPALETTE:
      RealizeProgramPalette(window, i);
      return 1;
    case WM_PALETTECHANGED:
      if ((HWND)wParam == window) return 0;
      RealizeProgramPalette(window, i);
      return 1;
    case 0x3B9:  // MM_MCINOTIFY
      if (i == 0) HandleMusicNotification(wParam, lParam);
      return 0;
    default:
      if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        HBRUSH brush = AnswerControlColor((HDC)wParam, (HWND)lParam);
        if (brush) return (LRESULT)brush;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
