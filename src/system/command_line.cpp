// The command line, its words and the module path as elements.
#include "system/command_line.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"

// The end of the word that starts at start: the first character 0..32 outside
// quotes (bytes of 128 or more belong to the word), or the end of the line.
static int32_t WordEnd(const uint8_t* s, int32_t length, int32_t start) {
  bool quoted = false;
  int32_t i = start;
  for (; i < length; i++) {
    if (s[i] == '"') quoted = !quoted;
    else if (s[i] <= 32 && !quoted) break;
  }
  return i;
}

static Text WithoutQuotes(const Text& word) {
  Text t;
  const uint8_t* s = (const uint8_t*)word.Chars();
  int32_t n = word.Length();
  for (int32_t i = 0; i < n; i++) {
    if (s[i] != '"') t.AppendChar(s[i]);
    else if (i + 1 < n && s[i + 1] == '"') t.AppendChar(s[i++]);
  }
  return t;
}

// A pass that finds no word (the end of the line, or a zero byte where no
// word can start) finds none again, so a huge n stops there instead of
// scanning on.
Text CommandWord(const Text& line, int32_t n) {
  if (n < 0) return Text();
  const uint8_t* s = (const uint8_t*)line.Chars();
  int32_t length = line.Length(), start = 0, end = 0;
  for (int64_t pass = 0; pass <= n; pass++) {
    start = end;
    while (start < length && s[start] >= 1 && s[start] <= 32) start++;
    if (start >= length) return Text();
    end = WordEnd(s, length, start);
    if (end == start) return Text();
  }
  return WithoutQuotes(line.Mid(start, end - start));
}

// The full command line as the system gave it.
void ExecTextCommandLine(Text& r) { r = CommandLine; }

// Number operand n, rounded: word n of the command line; empty beyond the
// last word and for a negative n (NaN included).
void ExecTextCommandWord(Text& r) {
  int32_t n = EvalNextInt();
  r = CommandWord(CommandLine, n);
}

// The full path of the engine's executable.
void ExecTextModulePath(Text& r) { r = ModulePath; }
