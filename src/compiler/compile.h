// The compile functions of the ten kinds and the routines they share: operand
// lists, single operands, named parameters, command groups, variable
// references, and the whole-program pass.
#pragma once
#include <stdint.h>
#include "code/compiled_code.h"
#include "compiler/element_table.h"

// Compiles one PROGRAM item as a value of its kind (or a command): true after
// emitting its steps, false with nothing emitted.
typedef bool (*ItemCompiler)(int32_t index);

bool CompileCommand(int32_t index);
bool CompileNum(int32_t index);
bool CompileBool(int32_t index);
bool CompileText(int32_t index);
bool CompileIcon(int32_t index);
bool CompilePicture(int32_t index);
bool CompileMap(int32_t index);
bool CompileSprite(int32_t index);
bool CompileSound(int32_t index);
bool CompileMusic(int32_t index);

// The compile function of each kind, indexed by ValueKind (KindCmd .. KindMusic).
extern const ItemCompiler KindCompilers[KindMusic + 1];

// A named parameter with id p is a child item whose ElementId is p; the
// compiler names it ParamId(p) = 20000 + p, and the result kind of a call likewise.
const int32_t ParamIdBase = 20000;
constexpr int32_t ParamId(int32_t element) { return ParamIdBase + element; }

// Per kind, the callee locals that the calls being compiled have pushed so far.
enum PendingKind {
  PendingNum, PendingBool, PendingIcon, PendingMap, PendingMusic, PendingPicture,
  PendingSound, PendingSprite, PendingText, PendingLists, PendingKindCount
};
extern int32_t PendingLocalCounts[PendingKindCount];
PendingKind PendingKindOf(ValueKind kind);

// The LOCAL items [first, end) whose frame the body being compiled runs in:
// the subtree of the top-level function definition that names the body.
// Local references outside it do not compile; end <= first means no frame.
extern int32_t CompileFrameFirst;
extern int32_t CompileFrameEnd;

bool CompileList(ItemCompiler compile, int32_t index, ExecFunction naryFn, ExecFunction oneFn);
// A step followed by one operand of the kind, the item's first child.
bool EmitWithOperand(ValueKind kind, int32_t index, ExecFunction fn, int32_t p1 = 0, int32_t p2 = -1);
// A named parameter of the kind, or its default (numbers: x; logic: x != 0).
void CompileParam(ValueKind kind, int32_t index, int32_t paramId, double x = 0);
// A named parameter holding commands as a group, or DoNothing; returns its size.
int32_t CompileCommandParam(int32_t index, int32_t paramId);
bool CompileCase(int32_t index);
// A call of a user function delivering resultId (ParamId of the kind's
// element); index -1 is the entry call of the main function.
bool CompileFunctionCall(int32_t index, int32_t resultId);

// Compiles every function body, the entry call and fixes up call targets.
// False when the image must be rejected (a call whose body is not a function body).
bool CompileProgram();
// The start-up state: no code, no pending locals, no frame. For a fresh
// compile in tests.
void ResetCompiler();

// The single-operand emitters and named-parameter compilers of each kind.
#define OPERAND_EMITTER(kind)                                                                      \
  inline bool EmitWith##kind##Operand(int32_t index, ExecFunction fn, int32_t p1 = 0, int32_t p2 = -1) { \
    return EmitWithOperand(Kind##kind, index, fn, p1, p2);                                         \
  }
OPERAND_EMITTER(Num)
OPERAND_EMITTER(Bool)
OPERAND_EMITTER(Text)
OPERAND_EMITTER(Icon)
OPERAND_EMITTER(Picture)
OPERAND_EMITTER(Map)
OPERAND_EMITTER(Sprite)
OPERAND_EMITTER(Sound)
OPERAND_EMITTER(Music)
#undef OPERAND_EMITTER

#define PARAM_COMPILER(kind) \
  inline void Compile##kind##Param(int32_t index, int32_t paramId) { CompileParam(Kind##kind, index, paramId); }
PARAM_COMPILER(Text)
PARAM_COMPILER(Icon)
PARAM_COMPILER(Picture)
PARAM_COMPILER(Map)
PARAM_COMPILER(Sound)
#undef PARAM_COMPILER
inline void CompileNumParam(int32_t index, int32_t paramId, double x) { CompileParam(KindNum, index, paramId, x); }
inline void CompileBoolParam(int32_t index, int32_t paramId, bool b) { CompileParam(KindBool, index, paramId, b); }
