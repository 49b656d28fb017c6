// The dialog keys among the program's controls: Tab and the arrows move the
// focus, Enter presses a button, Esc clicks the item named for it.
#include <initializer_list>
#include "controls/dialog_keys.h"
#include "window/window_ids.h"
#include "window/key_seam.h"
#include "window/window_table.h"
#include "controls/focus_walks.h"

static bool FocusIs(int32_t f, std::initializer_list<int32_t> types) {
  if (!Windows.IsLive(f)) return false;
  for (int32_t t : types)
    if (Windows[f].Type == t) return true;
  return false;
}

// The button takes a space key press and release as a press.
static void PressButton(int32_t id) {
  HWND button = Windows[id].Handle;
  SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageA(button, WM_KEYUP, VK_SPACE, (LPARAM)0xC0390001);
}

// The first enabled default button in the ring of the current window; -1 none.
// The walk is bounded by the table, so a broken ring cannot hold it.
static int32_t FindDefaultButton() {
  int32_t start = CurrentWindowId;
  if (!Windows.IsLive(start)) return -1;
  int32_t i = Windows[start].Next;
  for (int32_t steps = 0; steps < Windows.Capacity && i != start && Windows.IsLive(i); steps++) {
    if (Windows[i].Type == 3 && !Windows[i].Disabled) return i;
    i = Windows[i].Next;
  }
  return -1;
}

static bool HandleEnter(int32_t f) {
  if (FocusIs(f, {2, 3, 4})) {
    PressButton(f);
    return true;
  }
  if (FocusIs(f, {10, 19})) return false;  // a memo or rich edit takes the Enter
  int32_t d = FindDefaultButton();
  if (d < 0) return false;
  FocusWindowId = d;
  SetFocus(Windows[d].Handle);
  PressButton(d);
  return true;
}

static bool HandleEsc() {
  int32_t e = EscWindowId;
  if (!FocusIs(e, {0, 1, 2, 3, 4, 16, 17, 18}) || Windows[e].Disabled) return false;
  Windows[e].Clicked = 1;
  return true;
}

static bool HandleArrow(int32_t f, bool forward, bool vertical) {
  if (vertical && FocusIs(f, {9})) return true;  // an edit swallows Up and Down
  if (!FocusIs(f, {2, 3, 4, 7, 8})) return false;
  if (forward)
    FocusNextInGroup();
  else
    FocusPreviousInGroup();
  return true;
}

bool HandleDialogKeys(const MSG* m) {
  if (m->message != WM_KEYDOWN || m->wParam < VK_TAB || m->wParam > VK_DOWN) return false;
  int32_t f = FocusWindowId;
  switch (m->wParam) {
    case VK_TAB:
      if (KeySys.GetAsyncKeyState(VK_SHIFT) & 0x8000)
        FocusPreviousTabStop();
      else
        FocusNextTabStop();
      return true;
    case VK_RETURN: return HandleEnter(f);
    case VK_ESCAPE: return HandleEsc();
    case VK_LEFT: return HandleArrow(f, false, false);
    case VK_UP: return HandleArrow(f, false, true);
    case VK_RIGHT: return HandleArrow(f, true, false);
    case VK_DOWN: return HandleArrow(f, true, true);
    default: return false;
  }
}
