// case: the selector decides the kind, the values of every branch follow,
// then the default group and the branch groups, linked by skip counts.
#include "compiler/compile.h"
#include "compiler/compile_items.h"
#include "base/lists.h"

// The kinds a selector is tried as, in order, with their case functions.
static const ValueKind SelectorKinds[] = {KindNum,    KindBool,    KindIcon,  KindMap,  KindSprite,
                                          KindMusic,  KindPicture, KindSound, KindText};
static const ExecFunction CaseFunctions[] = {
    EXEC_FN(Cmd, ExecCmdCaseNum),    EXEC_FN(Cmd, ExecCmdCaseBool),  EXEC_FN(Cmd, ExecCmdCaseIcon),
    EXEC_FN(Cmd, ExecCmdCaseMap),    EXEC_FN(Cmd, ExecCmdCaseSprite), EXEC_FN(Cmd, ExecCmdCaseMusic),
    EXEC_FN(Cmd, ExecCmdCasePicture), EXEC_FN(Cmd, ExecCmdCaseSound), EXEC_FN(Cmd, ExecCmdCaseText),
};

// The next child of index from k on with that element id and children,
// switched-off parts passed over; -1 when none is left.
static int32_t NextPart(int32_t index, int32_t k, int32_t id) {
  for (; k >= 0; k = ProgNextChild(index, k)) {
    const ProgramItem& item = ProgItem(k);
    if (item.ElementId == id && ProgHasChildren(k) && !IsSwitchedOff(item)) return k;
  }
  return -1;
}
#define FOR_PARTS(k, index, id) \
  for (int32_t k = NextPart(index, ProgFirstChild(index), id); k >= 0; k = NextPart(index, ProgNextChild(index, k), id))

// Compiles the first selector that compiles as any kind; returns the kind's
// position in SelectorKinds, or -1.
static int32_t CompileSelector(int32_t index) {
  FOR_PARTS(c, index, El::case_expr) {
    for (int32_t i = 0; i < (int32_t)(sizeof SelectorKinds / sizeof SelectorKinds[0]); i++)
      if (KindCompilers[SelectorKinds[i]](c + 1)) return i;
  }
  return -1;
}

bool CompileCase(int32_t index) {
  if (!ProgHasChildren(index)) return false;
  int32_t head = EmitCode1(EXEC_FN(Cmd, ExecCmdCaseNum), 0);
  int32_t selector = CompileSelector(index);
  if (selector < 0) {
    RollBackCode(head);
    return false;
  }
  CompiledCode[head].Exec = CaseFunctions[selector];
  ItemCompiler compileValue = KindCompilers[SelectorKinds[selector]];

  // Values, each marked with its branch number (-1, -2, ...) in its Skip.
  IntList values, groups;
  int32_t b = 0;
  FOR_PARTS(on, index, El::case_on) {
    b--;
    FOR_PARTS(equ, on, El::case_equ) {
      int32_t s = CompiledCodeCount;
      if (!compileValue(equ + 1)) continue;
      CompiledCode[head].Param1++;
      CompiledCode[s].Skip = b;
      values.Append(s);
    }
  }

  groups.Append(CompiledCodeCount);
  CompileCommandParam(index, ParamId(El::default_));

  b = 0;
  FOR_PARTS(on, index, El::case_on) {
    b--;
    int32_t s = CompiledCodeCount;
    CompileList(CompileCommand, on, EXEC_FN(Cmd, ExecCmdSequence), EXEC_FN(Cmd, ExecCmdSingle));
    groups.Append(s);
    for (int32_t i = 0; i < values.Count; i++)
      if (CompiledCode[values[i]].Skip == b) CompiledCode[values[i]].Skip = s - values[i];
  }

  for (int32_t i = 0; i < groups.Count; i++) CompiledCode[groups[i]].Skip = CompiledCodeCount - groups[i];
  return true;
}
