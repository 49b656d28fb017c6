// Keyboard focus between controls: Tab order along the ring, arrow keys
// within runs of push buttons and radio groups, and radio group checks.
#include "controls/focus_walks.h"
#include <windows.h>
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "window/window_table.h"

static int32_t TypeOf(int32_t i) { return Windows[i].Type; }
static int32_t NextOf(int32_t i) { return Windows[i].Next; }
static int32_t PrevOf(int32_t i) { return Windows[i].Prev; }

static bool AcceptsTab(int32_t i) {
  const WindowItem& item = Windows[i];
  return item.TabStop && (!item.Disabled || IsEditLike(item.Type));
}

// A radio group start hands the focus on to its last checked, enabled member.
static int32_t CheckedMemberOf(int32_t start) {
  if (TypeOf(start) != WindowTypeRadioGroupStart) return start;
  int32_t result = start;
  int32_t q = start;
  int32_t steps = Windows.Capacity;
  do {
    if (Windows[q].Checked && !Windows[q].Disabled) result = q;
    q = NextOf(q);
  } while (TypeOf(q) == WindowTypeRadioButton && q != start && --steps > 0);
  return result;
}

static void GiveFocus(int32_t i) {
  FocusWindowId = i;
  SetFocus(Windows[i].Handle);
}

static int32_t TabStart() { return Windows.IsLive(FocusWindowId) ? FocusWindowId : CurrentWindowId; }

void FocusNextTabStop() {
  int32_t p = TabStart();
  int32_t result = p;
  int32_t steps = Windows.Capacity;
  for (int32_t q = NextOf(p); q != p && steps-- > 0; q = NextOf(q))
    if (AcceptsTab(q)) {
      result = q;
      break;
    }
  GiveFocus(CheckedMemberOf(result));
}

void FocusPreviousTabStop() {
  int32_t p = TabStart();
  int32_t s = p;
  int32_t steps = Windows.Capacity;
  while (TypeOf(s) == WindowTypeRadioButton && steps-- > 0) s = PrevOf(s);
  int32_t result = p;
  steps = Windows.Capacity;
  for (int32_t q = PrevOf(s); q != p && steps-- > 0; q = PrevOf(q))
    if (AcceptsTab(q)) {
      result = q;
      break;
    }
  GiveFocus(CheckedMemberOf(result));
}

// Push buttons: the run of adjacent push buttons around an item, wrapping.
static int32_t NextPushButton(int32_t x) {
  if (IsPushButton(TypeOf(NextOf(x)))) return NextOf(x);
  int32_t q = x;
  while (IsPushButton(TypeOf(PrevOf(q))) && PrevOf(q) != x) q = PrevOf(q);
  return q;
}

static int32_t PreviousPushButton(int32_t x) {
  if (IsPushButton(TypeOf(PrevOf(x)))) return PrevOf(x);
  int32_t q = x;
  while (IsPushButton(TypeOf(NextOf(q))) && NextOf(q) != x) q = NextOf(q);
  return q;
}

// Radio groups: a start and the radio buttons after it, wrapping.
static int32_t LastOfRadioGroup(int32_t x) {
  int32_t q = x;
  while (TypeOf(NextOf(q)) == WindowTypeRadioButton && NextOf(q) != x) q = NextOf(q);
  return q;
}

static int32_t NextRadioItem(int32_t x) {
  if (TypeOf(NextOf(x)) == WindowTypeRadioButton) return NextOf(x);
  int32_t q = x;
  while (TypeOf(q) == WindowTypeRadioButton && PrevOf(q) != x) q = PrevOf(q);
  return TypeOf(q) == WindowTypeRadioGroupStart ? q : NextOf(q);
}

static int32_t PreviousRadioItem(int32_t x) {
  if (TypeOf(x) == WindowTypeRadioGroupStart) return LastOfRadioGroup(x);
  if (IsRadioKind(TypeOf(PrevOf(x)))) return PrevOf(x);
  return LastOfRadioGroup(x);
}

// From p along step, passing over disabled candidates; p itself when the
// walk comes back to it.
static int32_t WalkGroup(int32_t p, int32_t (*step)(int32_t)) {
  int32_t q = p;
  for (int32_t steps = Windows.Capacity; steps > 0; steps--) {
    q = step(q);
    if (q == p || !Windows[q].Disabled) return q;
  }
  return p;
}

static void FocusInGroup(bool forward) {
  int32_t p = FocusWindowId;
  if (!Windows.IsLive(p)) return;
  int32_t type = TypeOf(p);
  if (IsPushButton(type)) {
    GiveFocus(WalkGroup(p, forward ? NextPushButton : PreviousPushButton));
  } else if (IsRadioKind(type)) {
    int32_t result = WalkGroup(p, forward ? NextRadioItem : PreviousRadioItem);
    CheckRadioItem(result);
    GiveFocus(result);
  }
}

void FocusNextInGroup() { FocusInGroup(true); }
void FocusPreviousInGroup() { FocusInGroup(false); }

static void SetRadioCheck(int32_t i, uint8_t on) {
  Windows[i].Checked = on;
  Windows[i].Indeterminate = 0;
  SendMessageA(Windows[i].Handle, BM_SETCHECK, on, 0);
}

void CheckRadioItem(int32_t id) {
  if (!Windows.IsLive(id)) return;
  IgnoreNotifications = 1;
  int32_t type = TypeOf(id);
  if (IsRadioKind(type)) {
    SetRadioCheck(id, 1);
    if (type == WindowTypeRadioButton) {
      int32_t q = PrevOf(id);
      while (q != id) {
        if (IsRadioKind(TypeOf(q))) SetRadioCheck(q, 0);
        if (TypeOf(q) != WindowTypeRadioButton) break;
        q = PrevOf(q);
      }
    }
    for (int32_t q = NextOf(id); q != id && TypeOf(q) == WindowTypeRadioButton; q = NextOf(q))
      SetRadioCheck(q, 0);
  }
  IgnoreNotifications = 0;
}

static void ReadCheck(int32_t i) {
  LRESULT check = SendMessageA(Windows[i].Handle, BM_GETCHECK, 0, 0);
  Windows[i].Checked = check == BST_CHECKED;
  Windows[i].Indeterminate = check == BST_INDETERMINATE;
}

void ReadRadioChecks(int32_t id) {
  if (!Windows.IsLive(id) || !IsRadioKind(TypeOf(id))) return;
  int32_t q = id;
  int32_t steps = Windows.Capacity;
  do {
    if (IsRadioKind(TypeOf(q)) && Windows[q].Handle) ReadCheck(q);
    q = NextOf(q);
  } while (q != id && steps-- > 0);
}
