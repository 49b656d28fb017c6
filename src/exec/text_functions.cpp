// The text elements: the numbers that measure, search and convert texts, and
// the texts that cut, convert, case-map and join them.
#include <stdint.h>
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/eval_next.h"
#include "base/text.h"
#include "base/number_text.h"

static int32_t Clamp(int32_t v, int32_t low, int32_t high) { return v < low ? low : v > high ? high : v; }

// Number results of one text operand: the operand goes into a temporary that
// is released before the function returns.
template <double (*Measure)(const Text&)>
static double OfText() {
  Text t;
  RunValue(t);
  return Measure(t);
}

static double LengthOf(const Text& t) { return t.Length(); }
// Read while t is still held.
static double ValueOf(const Text& t) { return ParseReal(t.Chars()); }
static double CharCodeOf(const Text& t) { return t.GetChar(0); }
static double LineCountOf(const Text& t) { return t.CountLines(); }

// Length in bytes; ParseReal of the characters (0 without digits); the code
// of the first character (0 for the empty text); the number of lines.
double ExecNumTextLength() { return OfText<LengthOf>(); }
double ExecNumTextValue() { return OfText<ValueOf>(); }
double ExecNumTextCharCode() { return OfText<CharCodeOf>(); }
double ExecNumTextLineCount() { return OfText<LineCountOf>(); }

// The sought text, then the searched one: the 0-based position of the first
// occurrence, 0 for an empty sought text, -1 when it does not occur.
double ExecNumTextFind() {
  Text sought, searched;
  RunValue(sought);
  RunValue(searched);
  return searched.Find(sought);
}

// A number in the engine's format (15 significant digits, the language's
// decimal separator).
void ExecTextFromNumber(Text& r) {
  double x = RunNum();
  r.SetReal(x);
}

// A number as two digits, clamped to 00..99 (an out-of-range number arrives
// as INT32_MIN and gives 00).
void ExecTextTwoDigits(Text& r) {
  r.Empty();
  int32_t n = Clamp(EvalNextInt(), 0, 99);
  r.AppendTwoDigits(n);
}

// The low 32 bits of the rounded number as eight upper-case hex digits.
void ExecTextHex(Text& r) { r.SetHex8(EvalNextUInt32()); }

// The one character of the low 8 bits of the rounded number; code 0 gives
// the empty text.
void ExecTextChar(Text& r) { r.AssignChar((uint8_t)EvalNextInt()); }

// The text operand in lower or upper case, converted in the slot after the
// copy on write (up to the first zero byte).
void ExecTextLowerCase(Text& r) {
  RunValue(r);
  r.LowerCase();
}
void ExecTextUpperCase(Text& r) {
  RunValue(r);
  r.UpperCase();
}

// Count, then text: the first count characters. The text is cut in the slot,
// so a count at or beyond its length keeps the shared record; count <= 0
// gives the empty text.
void ExecTextLeft(Text& r) {
  int32_t n = EvalNextInt();
  RunValue(r);
  r.Delete(n, INT32_MAX);
}

// Start, then text: the text without its first start characters; start <= 0
// gives the whole text, start >= length the empty text. Start is clamped
// before the count is taken, so that a start of INT32_MIN (an out-of-range
// number) cannot overflow the subtraction.
void ExecTextFromIndex(Text& r) {
  int32_t n = EvalNextInt();
  Text t;
  RunValue(t);
  n = Clamp(n, 0, t.Length());
  r = t.Right(t.Length() - n);
}

// Position, count, then text: count characters from position, both clamped
// to the text.
void ExecTextMid(Text& r) {
  int32_t pos = EvalNextInt();
  int32_t count = EvalNextInt();
  Text t;
  RunValue(t);
  r = t.Mid(pos, count);
}

// Line number, then text: that line (from 0) without its CR LF; a negative
// number gives line 0, one beyond the last line the empty text.
void ExecTextLine(Text& r) {
  int32_t n = EvalNextInt();
  Text t;
  RunValue(t);
  r = t.GetLine(n);
}

// Param1 + 1 operands in order, appended to the emptied slot through one
// temporary reused from operand to operand.
void ExecTextJoin(Text& r) {
  int32_t n = OwnStep().Param1;
  r.Empty();
  Text t;
  for (int32_t i = 0; i <= n; i++) {
    RunValue(t);
    r.Append(t);
  }
}
