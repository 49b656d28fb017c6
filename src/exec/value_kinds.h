// One description per value kind for the code that every kind repeats (push
// and pop, calls, case, variable access): its value type, its global value
// list, how an operand of the kind is evaluated and when two values match.
#pragma once
#include <stdint.h>
#include "base/value_lists.h"
#include "exec/interpreter.h"

struct NumKind {
  typedef double Value;
  typedef RealList List;
  static List& Values() { return Numbers; }
  static void Eval(Value& v) { v = RunNum(); }
  // An unordered comparison (a NaN on either side) counts as equal.
  static bool Matches(Value a, Value b) { return !(a < b || a > b); }
};

struct BoolKind {
  typedef uint8_t Value;
  typedef LogicList List;
  static List& Values() { return Logics; }
  static void Eval(Value& v) { v = RunBool() ? 1 : 0; }
  static bool Matches(Value a, Value b) { return a == b; }
};

struct TextKind {
  typedef Text Value;
  typedef TextList List;
  static List& Values() { return Texts; }
  static void Eval(Value& v) { RunValue(v); }
  static bool Matches(const Value& a, const Value& b) { return a.Equals(b); }
};

// The entry of a local counted from the top of its list (count - slot); a
// slot outside the list gives an index that Get and Set treat as outside.
template <class K>
inline int32_t LocalEntry(int32_t slot) {
  return K::Values().Count - slot;
}
