// case: the selector, then the values in order until one matches; the
// matching value's branch group runs, or the default group when none does.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/value_kinds.h"

// Param1 = the number of values. Values after a match are not evaluated.
template <class K>
static void RunCase() {
  int32_t n = OwnStep().Param1;
  typename K::Value selector, value;
  K::Eval(selector);
  for (int32_t i = 0; i < n; i++) {
    ExecItem* start = ExecPointer;
    K::Eval(value);
    if (K::Matches(selector, value)) {
      ExecPointer = start + start->Skip;
      break;
    }
  }
  ExecItem* group = ExecPointer;
  RunCmd();
  ExecPointer = group + group->Skip;
}

void ExecCmdCaseNum() { RunCase<NumKind>(); }
void ExecCmdCaseBool() { RunCase<BoolKind>(); }
void ExecCmdCaseText() { RunCase<TextKind>(); }
void ExecCmdCaseIcon() { RunCase<IconKind>(); }
void ExecCmdCaseMap() { RunCase<MapKind>(); }
void ExecCmdCaseSprite() { RunCase<SpriteKind>(); }
void ExecCmdCaseMusic() { RunCase<MusicKind>(); }
void ExecCmdCasePicture() { RunCase<PictureKind>(); }
void ExecCmdCaseSound() { RunCase<SoundKind>(); }
