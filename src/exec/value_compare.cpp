// Comparisons of texts and of the object kinds. Objects are equal when they
// share one record (sprites: one sprite data), never by their contents; a
// text equals another byte for byte and sorts by the user locale.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/value_kinds.h"

// A chain over two slots: the first operand, then each further one into the
// second slot, tested against the first (or, for texts in order, the one
// before). The first pair that fails skips the remaining operands.
template <class K, bool (*Test)(const typename K::Value&, const typename K::Value&), bool FromFirst>
static uint8_t ValueChain() {
  int32_t n = OwnStep().Param1;
  typename K::Value first, next;
  K::Eval(first);
  for (int32_t i = 1; i <= n; i++) {
    K::Eval(next);
    if (!Test(first, next)) {
      if (i < n) SkipAtPointer();
      return 0;
    }
    if (!FromFirst) K::Assign(first, next);
  }
  return 1;
}

template <class K>
static bool SameRecord(const typename K::Value& a, const typename K::Value& b) {
  return a.Held() == b.Held();
}

// The operand shares its kind's static empty record.
template <class K>
static uint8_t IsEmptyValue() {
  typename K::Value v;
  K::Eval(v);
  return v.Held() == K::Value::EmptyRecord();
}

#define OBJECT_COMPARISONS(kind)                                                            \
  uint8_t ExecBool##kind##Equal() { return ValueChain<kind##Kind, SameRecord<kind##Kind>, true>(); } \
  uint8_t ExecBool##kind##Empty() { return IsEmptyValue<kind##Kind>(); }

OBJECT_COMPARISONS(Icon)
OBJECT_COMPARISONS(Map)
OBJECT_COMPARISONS(Picture)
OBJECT_COMPARISONS(Sprite)
OBJECT_COMPARISONS(Sound)
OBJECT_COMPARISONS(Music)

static bool TextsEqual(const Text& a, const Text& b) { return a.Equals(b); }
// CompareStringA reports p after v; less, equal or a failed comparison fail.
static bool TextGreater(const Text& p, const Text& v) { return !p.LessOrEqual(v); }

uint8_t ExecBoolTextEqual() { return ValueChain<TextKind, TextsEqual, true>(); }
uint8_t ExecBoolTextGreater() { return ValueChain<TextKind, TextGreater, false>(); }

static int32_t NextTextLength() {
  Text t;
  RunValue(t);
  return t.Length();
}

uint8_t ExecBoolTextEmpty() { return NextTextLength() == 0; }
uint8_t ExecBoolTextNotEmpty() { return NextTextLength() > 0; }
