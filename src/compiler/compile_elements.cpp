// The ten compile functions: the common prologue, then the row of the item's
// element in the kind's table decides the steps (one routine per row form).
#include "compiler/compile.h"
#include "compiler/compile_items.h"
#include "compiler/compile_refs.h"

static bool CompileKind(ValueKind kind, int32_t index);

bool CompileCommand(int32_t index) { return CompileKind(KindCmd, index); }
bool CompileNum(int32_t index) { return CompileKind(KindNum, index); }
bool CompileBool(int32_t index) { return CompileKind(KindBool, index); }
bool CompileText(int32_t index) { return CompileKind(KindText, index); }
bool CompileIcon(int32_t index) { return CompileKind(KindIcon, index); }
bool CompilePicture(int32_t index) { return CompileKind(KindPicture, index); }
bool CompileMap(int32_t index) { return CompileKind(KindMap, index); }
bool CompileSprite(int32_t index) { return CompileKind(KindSprite, index); }
bool CompileSound(int32_t index) { return CompileKind(KindSound, index); }
bool CompileMusic(int32_t index) { return CompileKind(KindMusic, index); }

const ItemCompiler KindCompilers[KindMusic + 1] = {
    CompileCommand, CompileNum,    CompileBool,   CompileText,  CompileIcon,
    CompilePicture, CompileMap,    CompileSprite, CompileSound, CompileMusic,
};

// The result id of a call used as a value of each kind.
static const int32_t CallResultIds[KindMusic + 1] = {
    ParamId(El::function), ParamId(El::real),       ParamId(El::logic), ParamId(El::text),
    ParamId(El::picture),  ParamId(El::background), ParamId(El::map),   ParamId(El::sprite),
    ParamId(El::sound),    ParamId(El::music),
};

static bool CompileNamed(const ElementRow& row, int32_t index) {
  EmitCode0(row.Fn[0]);
  for (int32_t i = 0; i < row.ParamCount; i++) {
    const NamedParam& p = row.Params[i];
    int32_t id = ParamId(p.Id);
    if (p.Kind == KindCommands)
      CompileCommandParam(index, id);
    else
      CompileParam((ValueKind)p.Kind, index, id, p.Default);
  }
  return true;
}

static bool CompileOptional(const ElementRow& row, int32_t index) {
  if (EmitWithOperand((ValueKind)row.Operand, index, row.Fn[0])) return true;
  if (row.Form == FormOptionalConst) {
    EmitCode0(row.Fn[0]);
    EmitNumConst(row.Value);
  } else {
    EmitCode0(row.Fn[1]);
  }
  return true;
}

static bool CompileRead(const ElementRow& row, int32_t index) {
  VariableRef ref;
  if (!ResolveVariable(index, (ValueKind)row.Store, true, ref)) return false;
  EmitCode(row.Fn[ref.Form], ref.Param1, ref.Param2);
  return true;
}

static bool CompileAssign(const ElementRow& row, int32_t index) {
  VariableRef ref;
  if (!ResolveVariable(index, (ValueKind)row.Store, false, ref)) return false;
  return EmitWithOperand((ValueKind)row.Operand, index, row.Fn[ref.Form], ref.Param1, ref.Param2);
}

static bool CompileListState(const ElementRow& row, int32_t index) {
  ListRef ref;
  // As commands these stand in bodies, where nothing is pending; as numbers
  // they may stand in arguments and count from the pending top.
  if (!ResolveListRef(index, row.Operand == KindNone, ref)) return false;
  ExecFunction fn = ref.Local ? row.Fn[1] : row.Fn[0];
  if (row.Operand == KindNone) {
    EmitCode(fn, 0, ref.Number);
    return true;
  }
  return EmitWithOperand((ValueKind)row.Operand, index, fn, 0, ref.Number);
}

static bool CompileListSize(int32_t index) {
  ListRef ref;
  if (!ResolveListRef(index, false, ref)) return false;
  EmitNumConst(ListRecordSize(ref.ListIndex));
  return true;
}

static bool CompileRow(ValueKind kind, const ElementRow& row, int32_t index) {
  switch (row.Form) {
    case FormNone: EmitCode0(row.Fn[0]); return true;
    case FormOperand: return EmitWithOperand((ValueKind)row.Operand, index, row.Fn[0]);
    case FormOptional:
    case FormOptionalConst: return CompileOptional(row, index);
    case FormNamed: return CompileNamed(row, index);
    case FormList: return CompileList(KindCompilers[row.Operand], index, row.Fn[0], row.Fn[1]);
    case FormRead: return CompileRead(row, index);
    case FormAssign: return CompileAssign(row, index);
    case FormListState: return CompileListState(row, index);
    case FormListSize: return CompileListSize(index);
    case FormCall: return CompileFunctionCall(index, CallResultIds[kind]);
    case FormCase: return CompileCase(index);
    case FormConst: EmitNumConst(row.Value); return true;
    case FormNumLiteral: EmitNumConst(NumberLiteralOf(index)); return true;
    case FormColor: EmitNumConst(IconColorOf(index)); return true;
    case FormTextConst: EmitCode1(EXEC_FN(Text, ExecTextGlobal), AppendTextConstant(index)); return true;
  }
  return false;
}

static bool CompileElement(ValueKind kind, int32_t index) {
  int32_t id = ProgItem(index).ElementId;
  if (kind == KindNum && id >= FirstKeyElement && id <= LastKeyElement) {
    EmitByteConst(KeyElementCodes[id - FirstKeyElement]);
    return true;
  }
  const ElementRow* row = FindElementRow(kind, id);
  return row && CompileRow(kind, *row, index);
}

// The common prologue, then the element; what a failed element emitted goes.
static bool CompileKind(ValueKind kind, int32_t index) {
  if (!ProgramIndexValid(index) || IsSwitchedOff(ProgItem(index))) return false;
  int32_t start = CompiledCodeCount;
  if (!CompileElement(kind, index)) {
    RollBackCode(start);
    return false;
  }
  return true;
}
