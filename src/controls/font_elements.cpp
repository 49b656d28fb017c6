// The font requests of window items and their elements, the code page, the
// user face name and the list of installed font families.
#include "window/font_cache.h"
#include "controls/program_windows.h"
#include "window/window_ids.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "base/language.h"
#include "window/main_window.h"
#include "window/window_table.h"

void WindowItem::ApplyFont(int32_t index) {
  WindowItem& item = Windows[index];
  if (item.Type == WindowTypeIconBox || item.Type == WindowTypePictureBox) return;
  HFONT old = item.Font;
  item.Font = GetCachedFont(item.Bold, item.Italic, item.Underline, item.Strikeout, item.Serif, item.Fixed,
                            item.FontHeight, item.FontWidth, item.FontAngle);
  SendMessageA(item.Handle, WM_SETFONT, (WPARAM)item.Font, TRUE);
  ReleaseCachedFont(old);
}

static WindowItem* SelectedItem() {
  return Windows.IsLive(SelectedWindowId) ? &Windows[SelectedWindowId] : nullptr;
}

// The flag elements: a toggle inverts the flag of the selected item and
// applies the font; a set toggles when the logic operand differs; the value
// is the flag, false without a live item.
template <uint8_t WindowItem::*Flag>
static void ToggleFlag() {
  WindowItem* item = SelectedItem();
  if (!item) return;
  item->*Flag = !(item->*Flag);
  WindowItem::ApplyFont(SelectedWindowId);
}

template <uint8_t WindowItem::*Flag>
static void SetFlag() {
  uint8_t on = RunBool() != 0;
  WindowItem* item = SelectedItem();
  if (item && item->*Flag != on) ToggleFlag<Flag>();
}

template <uint8_t WindowItem::*Flag>
static uint8_t ReadFlag() {
  WindowItem* item = SelectedItem();
  return item ? item->*Flag : 0;
}

#define FONT_FLAG_ELEMENTS(Name, Field)                         \
  void ExecCmdToggleWindow##Name() { ToggleFlag<&WindowItem::Field>(); } \
  void ExecCmdWindow##Name() { SetFlag<&WindowItem::Field>(); }          \
  uint8_t ExecBoolWindow##Name() { return ReadFlag<&WindowItem::Field>(); }
FONT_FLAG_ELEMENTS(Bold, Bold)
FONT_FLAG_ELEMENTS(Fixed, Fixed)
FONT_FLAG_ELEMENTS(Italic, Italic)
FONT_FLAG_ELEMENTS(Underline, Underline)
FONT_FLAG_ELEMENTS(Strikeout, Strikeout)
FONT_FLAG_ELEMENTS(Serif, Serif)
#undef FONT_FLAG_ELEMENTS

// Font height: the operand in fields to pixels; stored and applied when it
// differs. The value is the height in fields, 0 without a live item.
void ExecCmdWindowFontHeight() {
  int32_t h = EvalNextPixels();
  WindowItem* item = SelectedItem();
  if (!item || item->FontHeight == h) return;
  item->FontHeight = h;
  WindowItem::ApplyFont(SelectedWindowId);
}

double ExecNumWindowFontHeight() {
  WindowItem* item = SelectedItem();
  return item ? item->FontHeight / PixelsPerField : 0;
}

// Width factor and angle (radians): the number stored unchanged and applied
// when it differs exactly; the values give them, 0 without a live item.
template <double WindowItem::*Field>
static void SetFontNumber() {
  double x = RunNum();
  WindowItem* item = SelectedItem();
  if (!item || item->*Field == x) return;
  item->*Field = x;
  WindowItem::ApplyFont(SelectedWindowId);
}

template <double WindowItem::*Field>
static double ReadFontNumber() {
  WindowItem* item = SelectedItem();
  return item ? item->*Field : 0;
}

void ExecCmdWindowFontWidth() { SetFontNumber<&WindowItem::FontWidth>(); }
double ExecNumWindowFontWidth() { return ReadFontNumber<&WindowItem::FontWidth>(); }
void ExecCmdWindowFontAngle() { SetFontNumber<&WindowItem::FontAngle>(); }
double ExecNumWindowFontAngle() { return ReadFontNumber<&WindowItem::FontAngle>(); }

// Code page of the texts (rounded operand, negative gives 0) and the font
// character set that follows from it; fonts in use keep theirs.
void ExecCmdCodePage() {
  int32_t c = EvalNextInt();
  if (c < 0) c = 0;
  LanguageCodePage = c;
  LanguageCharset = CharsetOfCodePage((uint32_t)c);
}

double ExecNumCodePage() { return LanguageCodePage; }

// The face of serif fixed-pitch fonts: the text operand without surrounding
// blanks and control characters; an empty one changes nothing.
void ExecCmdFontName() {
  Text t;
  RunValue(t);
  t.TrimLeft();
  t.TrimRight();
  if (t.Length() > 0) UserFontName = t;
}

void ExecTextFontName(Text& r) { r = UserFontName; }

// The installed font families, each followed by CR LF, enumerated once
// (again while none was reported).
void ExecTextFontList(Text& r) {
  if (FontFamilyList.Length() == 0) {
    HDC dc = GetDC(MainWindow);
    EnumFontFamiliesA(dc, nullptr, (FONTENUMPROCA)AddFontFamily, 0);
    ReleaseDC(MainWindow, dc);
  }
  r = FontFamilyList;
}
