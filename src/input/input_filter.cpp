// The input filter: graphics mode records and may swallow; with controls
// shown it records, then handles the dialog keys.
#include <string.h>
#include "input/input_filter.h"
#include "controls/dialog_keys.h"
#include "window/window_ids.h"
#include "input/input_ring.h"
#include "graphics/full_screen.h"

static bool InGraphicsMode() { return !InDialogMode() && CurrentWindowId == 0; }

// A quick second click on a button is dispatched as a second click.
static void RewriteButtonDoubleClick(MSG* m) {
  if (m->message != WM_LBUTTONDBLCLK) return;
  char name[21];
  int n = GetClassNameA(m->hwnd, name, sizeof name);
  if (n == 6 && memcmp(name, "Button", 6) == 0) m->message = WM_LBUTTONDOWN;
}

bool FilterInputMessage(MSG* message) {
  if (InGraphicsMode()) return ProcessInputMessage(message);
  RewriteButtonDoubleClick(message);
  ProcessInputMessage(message);
  return HandleDialogKeys(message);
}

bool ProcessInputMessage(const MSG* m) {
  switch (m->message) {
    case WM_SYSKEYDOWN:
      if (m->wParam == VK_RETURN) {
        if (InGraphicsMode()) SetFullScreen(!InFullScreen());
        return true;
      }
      return RecordKeyPress(m->wParam, m->lParam);
    case WM_KEYDOWN:
      return RecordKeyPress(m->wParam, m->lParam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return RecordKeyRelease(m->wParam, m->lParam);
    case WM_CHAR:
    case WM_SYSCHAR:
      CharRing.Write((uint8_t)m->wParam);
      return false;
    default:
      RecordMouseMessage(m);
      return false;
  }
}
