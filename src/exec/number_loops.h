// Loops of plain number code decoded once at their start: a while loop whose
// condition compares two numbers, or a repeat loop, whose body only assigns
// numbers to plain variables, computed from constants, plain variables,
// sums, differences, products, quotients and calls of functions whose frames
// hold only numbers and whose bodies are such assignments too. The decoded
// loop reads and writes the values where they are stored, as the steps
// would, with the same results: each operation rounds its result to a double
// by storing it, into the variable it assigns or into a temporary for an
// inner operation. A call writes its frame where its pushes would put it,
// just above the list's count; nothing can look at the count while the frame
// is up, so the count itself stays. A copy's source is read wherever the
// same value is known to be held, so the operations after it need not wait
// for the copy.
#pragma once
#include <stdint.h>
#include "code/compiled_code.h"
#include "base/rounding.h"
#include "exec/number_pairs.h"
#include "base/value_lists.h"

// A constant step holds its double in its two parameter words; a decoded
// value may be read there.
typedef double StoredNumber __attribute__((may_alias));

enum DecodedCode : uint8_t { DecodedAdd, DecodedSub, DecodedMul, DecodedDiv, DecodedCopy };
enum DecodedTest : uint8_t { TestEqual, TestNotEqual, TestGreaterEqual, TestLessEqual, TestGreater, TestLess };

// Slots[To] := Slots[A] op Slots[B], or Slots[A] for a copy.
struct DecodedOp {
  DecodedCode Code;
  uint8_t A, B, To;
};

const int32_t DecodedOpLimit = 32;
const int32_t DecodedSlotLimit = 64;

struct NumberLoop {
  // What the addresses were worked out from: the list's items, count and
  // capacity (the frames of calls lie above the count).
  const double* Items;
  int32_t Count;
  int32_t Capacity;
  int32_t BodyStart;     // the body's step, counted from the condition's
  int32_t ConditionOps;  // Ops[0 .. ConditionOps) give the condition's operands; 0 for repeat
  int32_t OpCount;
  DecodedTest Test;
  uint8_t Left, Right;   // the condition's operands
  DecodedOp Ops[DecodedOpLimit];
  StoredNumber* Slots[DecodedSlotLimit];
  int32_t SlotCount;
  double Temps[DecodedOpLimit];  // results of inner operations
  double Discarded;              // what an assignment outside the list writes
};

// Decodes the while loop whose condition starts at condition; false when it
// is not plain number code. The addresses hold until the numbers' list
// changes its items, count or capacity. A loop refused for its steps alone
// (not for the depth budget or the room above the count) is remembered and
// refused at once when it starts again.
bool DecodeNumberLoop(NumberLoop& loop, const ExecItem* condition);

// Decodes the body group of a repeat loop; false when it is not plain number
// code.
bool DecodeRepeatLoop(NumberLoop& loop, const ExecItem* body);

inline bool DecodedAddressesHold(const NumberLoop& loop) {
  return loop.Items == Numbers.ItemArray() && loop.Count == Numbers.Count && loop.Capacity == Numbers.Capacity;
}

inline void RunDecodedOps(NumberLoop& loop, int32_t first, int32_t end) {
  for (int32_t k = first; k < end; k++) {
    const DecodedOp& o = loop.Ops[k];
    StoredNumber* const* s = loop.Slots;
    switch (o.Code) {
      case DecodedAdd: StoreDouble(*s[o.To], Add(*s[o.A], *s[o.B])); break;
      case DecodedSub: StoreDouble(*s[o.To], Sub(*s[o.A], *s[o.B])); break;
      case DecodedMul: StoreDouble(*s[o.To], Mul(*s[o.A], *s[o.B])); break;
      case DecodedDiv: StoreDouble(*s[o.To], Div(*s[o.A], *s[o.B])); break;
      case DecodedCopy: *s[o.To] = *s[o.A]; break;
    }
  }
}

inline bool RunDecodedCondition(NumberLoop& loop) {
  RunDecodedOps(loop, 0, loop.ConditionOps);
  double a = *loop.Slots[loop.Left], b = *loop.Slots[loop.Right];
  switch (loop.Test) {
    case TestEqual: return Equal(a, b);
    case TestNotEqual: return NotEqual(a, b);
    case TestGreaterEqual: return GreaterEqual(a, b);
    case TestLessEqual: return LessEqual(a, b);
    case TestGreater: return Greater(a, b);
    case TestLess: return Less(a, b);
  }
  return false;
}
