// The whole-program pass: every function body in turn, each in the frame of
// its function, then the entry call, then the call targets fixed up.
#include "compiler/compile.h"
#include "compiler/compile_items.h"
#include "base/memory.h"

static const ExecFunction CallFunctions[] = {
    EXEC_FN(Cmd, ExecCmdCall),       EXEC_FN(Cmd, ExecCmdCallNested), EXEC_FN(Num, ExecNumCall),
    EXEC_FN(Text, ExecTextCall),     EXEC_FN(Bool, ExecBoolCall),     EXEC_FN(Icon, ExecIconCall),
    EXEC_FN(Map, ExecMapCall),       EXEC_FN(Picture, ExecPictureCall), EXEC_FN(Sprite, ExecSpriteCall),
    EXEC_FN(Sound, ExecSoundCall),   EXEC_FN(Music, ExecMusicCall),
};

static bool IsCallFunction(ExecFunction fn) {
  for (ExecFunction c : CallFunctions)
    if (c == fn) return true;
  return false;
}

// For each PROGRAM item, the top-level LOCAL definition whose frame the body
// runs in (the first definition that names it), or -1.
static int32_t* FindBodyFrames() {
  int32_t* frames = (int32_t*)MemAlloc((ProgramItemCount + 1) * (int32_t)sizeof(int32_t));
  for (int32_t i = 0; i < ProgramItemCount; i++) frames[i] = -1;
  for (int32_t k = 0; k < LocalItemCount; k++) {
    if (LocalItems[k].DataTable != DataProgram) continue;
    int32_t body = LocalItemLinks[k].DataIndex;
    if (!ProgramIndexValid(body) || frames[body] >= 0) continue;
    int32_t top = k;
    while (LocalItemLinks[top].Parent >= 0) top = LocalItemLinks[top].Parent;
    frames[body] = top;
  }
  return frames;
}

static void SetCompileFrame(int32_t top) {
  CompileFrameFirst = top < 0 ? 0 : top;
  CompileFrameEnd = top < 0 ? 0 : top + LocalItemLinks[top].SubtreeSize;
}

static void CompileBodies() {
  int32_t* frames = FindBodyFrames();
  for (int32_t t = 0; t < ProgramItemCount; t += ProgLinks(t).SubtreeSize) {
    SetCompileFrame(frames[t]);
    ProgramItemLinks[t].CodeStart = CompiledCodeCount;
    if (IsSwitchedOff(ProgItem(t)))
      EmitCode0(EXEC_FN(Cmd, DoNothing));
    else
      CompileList(CompileCommand, t, EXEC_FN(Cmd, ExecCmdSequence), EXEC_FN(Cmd, ExecCmdSingle));
  }
  SetCompileFrame(-1);
  MemFree(frames);
}

// Calls were compiled with the PROGRAM index of the callee's body; now they
// get the body's compiled start. A body that is no top-level item has none.
static bool FixUpCalls() {
  for (int32_t i = 0; i < CompiledCodeCount; i++) {
    ExecItem& step = CompiledCode[i];
    if (!IsCallFunction(step.Exec)) continue;
    if (!ProgramIndexValid(step.Param1)) return false;
    int32_t start = ProgLinks(step.Param1).CodeStart;
    if (start < 0) return false;
    step.Param1 = start;
  }
  return true;
}

bool CompileProgram() {
  CompileBodies();
  EntryCallIndex = CompiledCodeCount;
  if (!CompileFunctionCall(-1, ParamId(El::function))) EntryCallIndex = 0;
  // The run starts at step 0, which must exist even when nothing compiled.
  if (CompiledCodeCount == 0) EmitCode0(EXEC_FN(Cmd, DoNothing));
  return FixUpCalls();
}
