// The push and pop steps that build a called function's frame of locals on
// top of the value lists and remove it again.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/value_kinds.h"

// Param1 = the entry holding the local's initial value (outside the list:
// the kind's default). A sprite local is a new sprite object, hidden and at
// rest, sharing that sprite's data; likewise for a sprite argument.
template <class K>
static void PushLocal() {
  K::Values().AppendCopy(OwnStep().Param1);
}

// Param1 = the initial value's entry, Param2 = the list's size.
template <class K>
static void PushLocalList() {
  const ExecItem& own = OwnStep();
  K::Values().AppendCopies(own.Param1, own.Param2);
}

// One operand, the argument, evaluated and appended.
template <class K>
static void PushArg() {
  typename K::Value v = typename K::Value();
  K::Eval(v);
  K::Values().Append(v);
}

// Param1 = the number of entries to remove.
template <class K>
static void PopLocals() {
  int32_t n = OwnStep().Param1;
  if (n > 0) K::Values().RemoveLast(n);
}

#define PUSH_FUNCTIONS(kind)                                         \
  void ExecCmdPush##kind##Local() { PushLocal<kind##Kind>(); }         \
  void ExecCmdPush##kind##LocalList() { PushLocalList<kind##Kind>(); } \
  void ExecCmdPush##kind##Arg() { PushArg<kind##Kind>(); }
#define FRAME_FUNCTIONS(kind) \
  PUSH_FUNCTIONS(kind)        \
  void ExecCmdPopLocals##kind() { PopLocals<kind##Kind>(); }

FRAME_FUNCTIONS(Num)
FRAME_FUNCTIONS(Bool)
FRAME_FUNCTIONS(Text)
FRAME_FUNCTIONS(Icon)
FRAME_FUNCTIONS(Map)
FRAME_FUNCTIONS(Picture)
// Popped sprites leave the sprite engine's lists first (ExecCmdPopLocalsSprite,
// graphics/sprite_properties.cpp).
PUSH_FUNCTIONS(Sprite)
FRAME_FUNCTIONS(Sound)
FRAME_FUNCTIONS(Music)

// Param1 = the list's declared record; outside ListRecords the default record.
void ExecCmdPushListRecord() { ListRecords.AppendCopy(OwnStep().Param1); }

void ExecCmdPopListRecords() {
  int32_t n = OwnStep().Param1;
  if (n > 0) ListRecords.RemoveLast(n);
}
