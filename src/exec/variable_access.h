// Addressing variables in their four forms: the entry a step names and, for
// elements of lists, the list's record and its auto step.
#pragma once
#include <stdint.h>
#include "exec/interpreter.h"
#include "exec/value_kinds.h"

// v wrapped into 0 .. size - 1 (the mathematical remainder).
int32_t WrapIndex(int32_t v, int32_t size);

// The record of a global list (Param2 = its index) or of a local list
// (Param2 = its number from the top of ListRecords); -1 outside ListRecords.
int32_t GlobalListRecord(int32_t number);
int32_t LocalListRecord(int32_t number);

inline int32_t CurrentListIndex(int32_t record) { return record < 0 ? 0 : ListRecords[record].Index; }

// The record's Index moves on by its Auto step (the sum in 32-bit wrapping
// arithmetic), wrapped into the list; nothing for -1.
void AdvanceList(int32_t record);

// The entry a step addresses, and the record of the list forms.
struct Target {
  int32_t Entry;
  int32_t Record;  // -1 for the plain forms
};

template <class K>
inline Target GlobalTarget(const ExecItem& s) { return {s.Param1, -1}; }
template <class K>
inline Target LocalTarget(const ExecItem& s) { return {LocalEntry<K>(s.Param1), -1}; }
template <class K>
inline Target GlobalItemTarget(const ExecItem& s) {
  int32_t record = GlobalListRecord(s.Param2);
  return {s.Param1 + CurrentListIndex(record), record};
}
template <class K>
inline Target LocalItemTarget(const ExecItem& s) {
  int32_t record = LocalListRecord(s.Param2);
  return {LocalEntry<K>(s.Param1) + CurrentListIndex(record), record};
}

// The entry a read addresses: the index as it was; the list then moves on.
template <class K, Target (*Locate)(const ExecItem&)>
inline int32_t ReadEntry() {
  Target t = Locate(OwnStep());
  AdvanceList(t.Record);
  return t.Entry;
}

// An assignment: the target is fixed before the value is evaluated; the list
// advances from the index the evaluation left.
template <class K, Target (*Locate)(const ExecItem&)>
inline void Assign() {
  Target t = Locate(OwnStep());
  typename K::Value v = typename K::Value();
  K::Eval(v);
  SetEntry<K>(t.Entry, v);
  AdvanceList(t.Record);
}

// The four forms of one operation, each a function of the form's locator.
#define ALL_FORMS(macro, ...)                                \
  macro(__VA_ARGS__, Global, GlobalTarget)                   \
  macro(__VA_ARGS__, Local, LocalTarget)                     \
  macro(__VA_ARGS__, GlobalListItem, GlobalItemTarget)       \
  macro(__VA_ARGS__, LocalListItem, LocalItemTarget)
