// The routines every compile function shares: operand lists with folders,
// single operands, named parameters with defaults and command groups.
#include "compiler/compile.h"
#include <string.h>
#include "compiler/compile_items.h"

int32_t PendingLocalCounts[PendingKindCount];
int32_t CompileFrameFirst;
int32_t CompileFrameEnd;

void ResetCompiler() {
  ResetCompiledCode();
  memset(PendingLocalCounts, 0, sizeof PendingLocalCounts);
  CompileFrameFirst = CompileFrameEnd = 0;
}

PendingKind PendingKindOf(ValueKind kind) {
  switch (kind) {
    case KindNum: return PendingNum;
    case KindBool: return PendingBool;
    case KindIcon: return PendingIcon;
    case KindMap: return PendingMap;
    case KindMusic: return PendingMusic;
    case KindPicture: return PendingPicture;
    case KindSound: return PendingSound;
    case KindSprite: return PendingSprite;
    case KindText: return PendingText;
    default: return PendingLists;
  }
}

// The operands of parent, folders taken in their place at any depth. Each
// operand's first step holds the operand's size until CompileList turns it
// into the distance to the end of the list.
static void CompileOperands(ItemCompiler compile, int32_t parent, int32_t head) {
  for (int32_t k = ProgFirstChild(parent); k >= 0; k = ProgNextChild(parent, k)) {
    const ProgramItem& item = ProgItem(k);
    if (item.ElementId == El::group && ProgHasChildren(k) && !IsSwitchedOff(item)) {
      CompileOperands(compile, k, head);
      continue;
    }
    int32_t start = CompiledCodeCount;
    if (compile(k)) {
      CompiledCode[head].Param1++;
      CompiledCode[start].Skip = CompiledCodeCount - start;
    }
  }
}

// Turns the sizes held by the first steps of the members from first up to
// the current end into distances to end.
static void SetSkipsToEnd(int32_t first, int32_t end) {
  for (int32_t t = first; t < end;) {
    int32_t size = CompiledCode[t].Skip;
    CompiledCode[t].Skip = end - t;
    t += size;
  }
}

bool CompileList(ItemCompiler compile, int32_t index, ExecFunction naryFn, ExecFunction oneFn) {
  int32_t head = EmitCode1(naryFn, -1);
  CompileOperands(compile, index, head);
  SetSkipsToEnd(head + 1, CompiledCodeCount);
  ExecItem& step = CompiledCode[head];
  if (step.Param1 < 0) {
    if (oneFn == EXEC_FN(Cmd, ExecCmdSingle)) {
      step.Exec = EXEC_FN(Cmd, DoNothing);
      return true;
    }
    RollBackCode(head);
    return false;
  }
  if (step.Param1 == 0) step.Exec = oneFn;
  return true;
}

bool EmitWithOperand(ValueKind kind, int32_t index, ExecFunction fn, int32_t p1, int32_t p2) {
  int32_t e = EmitCode(fn, p1, p2);
  if (ProgHasChildren(index) && KindCompilers[kind](index + 1)) return true;
  RollBackCode(e);
  return false;
}

// The first child of index that is the named parameter paramId and has
// children, from child `from` on; -1 when there is none.
static int32_t FindParam(int32_t index, int32_t paramId, int32_t from) {
  for (int32_t c = from; c >= 0; c = ProgNextChild(index, c)) {
    const ProgramItem& item = ProgItem(c);
    if (ParamId(item.ElementId) == paramId && ProgHasChildren(c) && !IsSwitchedOff(item)) return c;
  }
  return -1;
}

static void EmitParamDefault(ValueKind kind, double x) {
  switch (kind) {
    case KindNum: EmitNumConst(x); break;
    case KindBool: EmitCode0(x != 0 ? EXEC_FN(Bool, ExecBoolTrue) : EXEC_FN(Bool, ExecBoolFalse)); break;
    case KindText: EmitCode0(EXEC_FN(Text, ExecTextEmpty)); break;
    case KindIcon: EmitCode0(EXEC_FN(Icon, ExecIconEmpty)); break;
    case KindPicture: EmitCode0(EXEC_FN(Picture, ExecPictureEmpty)); break;
    case KindMap: EmitCode0(EXEC_FN(Map, ExecMapMain)); break;
    case KindSound: EmitCode0(EXEC_FN(Sound, ExecSoundEmpty)); break;
    default: break;  // no element takes a named parameter of the other kinds
  }
}

void CompileParam(ValueKind kind, int32_t index, int32_t paramId, double x) {
  for (int32_t c = FindParam(index, paramId, ProgFirstChild(index)); c >= 0;
       c = FindParam(index, paramId, ProgNextChild(index, c)))
    if (KindCompilers[kind](c + 1)) return;
  EmitParamDefault(kind, x);
}

int32_t CompileCommandParam(int32_t index, int32_t paramId) {
  int32_t s = CompiledCodeCount;
  int32_t c = FindParam(index, paramId, ProgFirstChild(index));
  if (c >= 0)
    CompileList(CompileCommand, c, EXEC_FN(Cmd, ExecCmdSequence), EXEC_FN(Cmd, ExecCmdSingle));
  else
    EmitCode0(EXEC_FN(Cmd, DoNothing));
  CompiledCode[s].Skip = CompiledCodeCount - s;
  return CompiledCodeCount - s;
}
