// Reading and assigning variables in their four forms (assignments to the main
// map and to sprites are in graphics/), and the index and auto step of lists.
// Every access goes through the lists' bounds checks: a local addressed
// outside its list (a body run without a frame of its own) reads the kind's
// default, and a write there does nothing.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/eval_next.h"
#include "exec/value_kinds.h"
#include "exec/variable_access.h"

int32_t WrapIndex(int32_t v, int32_t size) {
  if (size < 1) return 0;
  if ((uint32_t)v < (uint32_t)size) return v;
  int32_t r = v % size;
  return r < 0 ? r + size : r;
}

int32_t GlobalListRecord(int32_t number) { return ListRecords.Inside(number) ? number : -1; }
int32_t LocalListRecord(int32_t number) {
  int32_t i = ListRecords.Count - number;
  return ListRecords.Inside(i) ? i : -1;
}

void AdvanceList(int32_t record) {
  if (record < 0) return;
  ListRecord& r = ListRecords[record];
  if (r.Auto != 0) r.Index = WrapIndex((int32_t)((uint32_t)r.Index + (uint32_t)r.Auto), r.Size);
}

// A read uses the index as it was and leaves the list at its next element.
template <class K, Target (*Locate)(const ExecItem&)>
static const typename K::Value& Read() {
  return K::Values().Get(ReadEntry<K, Locate>());
}

#define VARIABLE_FUNCTIONS(kind, form, locate)                                  \
  void ExecCmdSet##kind##form() { Assign<kind##Kind, locate<kind##Kind>>(); }

#define NUMBER_LIKE_READS(kind, type, form, locate) \
  type Exec##kind##form() { return Read<kind##Kind, locate<kind##Kind>>(); }

#define SLOT_READS(kind, form, locate) \
  void Exec##kind##form(kind##Kind::Value& r) { kind##Kind::Assign(r, Read<kind##Kind, locate<kind##Kind>>()); }

ALL_FORMS(VARIABLE_FUNCTIONS, Num)
ALL_FORMS(VARIABLE_FUNCTIONS, Bool)
ALL_FORMS(VARIABLE_FUNCTIONS, Text)
ALL_FORMS(VARIABLE_FUNCTIONS, Icon)
ALL_FORMS(VARIABLE_FUNCTIONS, Picture)
ALL_FORMS(VARIABLE_FUNCTIONS, Sound)
ALL_FORMS(VARIABLE_FUNCTIONS, Music)
// Sprite variables take over a value's appearance through the sprite engine
// (graphics/sprite_properties.cpp).
// A map assigned to the global entry 0 (the main map) also resizes the
// display (ExecCmdSetMapGlobal, graphics/main_map.cpp); the other forms never
// reach it.
VARIABLE_FUNCTIONS(Map, Local, LocalTarget)
VARIABLE_FUNCTIONS(Map, GlobalListItem, GlobalItemTarget)
VARIABLE_FUNCTIONS(Map, LocalListItem, LocalItemTarget)

ALL_FORMS(NUMBER_LIKE_READS, Num, double)
ALL_FORMS(NUMBER_LIKE_READS, Bool, uint8_t)
ALL_FORMS(SLOT_READS, Text)
ALL_FORMS(SLOT_READS, Icon)
ALL_FORMS(SLOT_READS, Picture)
ALL_FORMS(SLOT_READS, Map)
ALL_FORMS(SLOT_READS, Sprite)
ALL_FORMS(SLOT_READS, Sound)
ALL_FORMS(SLOT_READS, Music)

// list_index as a command: Index := the rounded value wrapped into the list.
static void SetListIndex(int32_t (*record)(int32_t)) {
  int32_t number = OwnStep().Param2;
  int32_t v = EvalNextInt();
  int32_t r = record(number);
  if (r >= 0) ListRecords[r].Index = WrapIndex(v, ListRecords[r].Size);
}

// list_auto as a command: Auto := the rounded value, reduced below Size in
// magnitude with the sign of the value.
static void SetListAuto(int32_t (*record)(int32_t)) {
  int32_t number = OwnStep().Param2;
  int32_t v = EvalNextInt();
  int32_t r = record(number);
  if (r < 0) return;
  int32_t size = ListRecords[r].Size < 1 ? 1 : ListRecords[r].Size;
  ListRecords[r].Auto = (uint32_t)v < (uint32_t)size ? v : v % size;
}

void ExecCmdSetListIndexGlobal() { SetListIndex(GlobalListRecord); }
void ExecCmdSetListIndexLocal() { SetListIndex(LocalListRecord); }
void ExecCmdSetListAutoGlobal() { SetListAuto(GlobalListRecord); }
void ExecCmdSetListAutoLocal() { SetListAuto(LocalListRecord); }

// list_index and list_auto read as numbers; reading never advances the list.
double ExecNumListIndexGlobal() { return ListRecords.Get(OwnStep().Param2).Index; }
double ExecNumListIndexLocal() { return ListRecords.Get(ListRecords.Count - OwnStep().Param2).Index; }
double ExecNumListAutoGlobal() { return ListRecords.Get(OwnStep().Param2).Auto; }
double ExecNumListAutoLocal() { return ListRecords.Get(ListRecords.Count - OwnStep().Param2).Auto; }
