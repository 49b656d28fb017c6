// User function calls: the call step, the push group that builds the
// callee's frame (each local from its argument or its initial value) and the
// pop group that removes it.
#include "compiler/compile.h"
#include "compiler/compile_items.h"
#include "compiler/compile_refs.h"

const int32_t CommandResultId = ParamId(El::function);

// Per kind of local: its element, the kind, and its argument, local,
// local-list and pop steps, in the order the pop group pops.
struct FrameKind {
  int32_t Element;
  ValueKind Kind;
  ExecFunction Arg, Local, LocalList, Pop;
};
#define FRAME_KIND(element, kind)                                                             \
  {element, Kind##kind, EXEC_FN(Cmd, ExecCmdPush##kind##Arg), EXEC_FN(Cmd, ExecCmdPush##kind##Local), \
   EXEC_FN(Cmd, ExecCmdPush##kind##LocalList), EXEC_FN(Cmd, ExecCmdPopLocals##kind)}
static const FrameKind FrameKinds[] = {
    FRAME_KIND(El::real, Num),      FRAME_KIND(El::text, Text),   FRAME_KIND(El::logic, Bool),
    FRAME_KIND(El::picture, Icon),  FRAME_KIND(El::map, Map),     FRAME_KIND(El::background, Picture),
    FRAME_KIND(El::sprite, Sprite), FRAME_KIND(El::sound, Sound), FRAME_KIND(El::music, Music),
};
const int32_t FrameKindCount = sizeof FrameKinds / sizeof FrameKinds[0];
const int32_t ListsCounter = FrameKindCount;  // the counter of list records, popped last

// Call steps by result id.
struct CallStep {
  int32_t ResultId;
  ExecFunction Fn;
};
static const CallStep CallSteps[] = {
    {ParamId(El::function), EXEC_FN(Cmd, ExecCmdCall)},
    {ParamId(El::real), EXEC_FN(Num, ExecNumCall)},
    {ParamId(El::picture), EXEC_FN(Icon, ExecIconCall)},
    {ParamId(El::sound), EXEC_FN(Sound, ExecSoundCall)},
    {ParamId(El::music), EXEC_FN(Music, ExecMusicCall)},
    {ParamId(El::map), EXEC_FN(Map, ExecMapCall)},
    {ParamId(El::sprite), EXEC_FN(Sprite, ExecSpriteCall)},
    {ParamId(El::text), EXEC_FN(Text, ExecTextCall)},
    {ParamId(El::logic), EXEC_FN(Bool, ExecBoolCall)},
    {ParamId(El::background), EXEC_FN(Picture, ExecPictureCall)},
};

static ExecFunction CallStepOf(int32_t resultId) {
  for (const CallStep& c : CallSteps)
    if (c.ResultId == resultId) return c.Fn;
  return nullptr;
}

static int32_t FrameKindOf(int32_t element) {
  for (int32_t i = 0; i < FrameKindCount; i++)
    if (FrameKinds[i].Element == element) return i;
  return -1;
}

// The body of LOCAL definition d, or -1 when d is no function definition.
static int32_t BodyOf(int32_t d) {
  if ((uint32_t)d >= (uint32_t)LocalItemCount || LocalItems[d].DataTable != DataProgram) return -1;
  int32_t body = LocalItemLinks[d].DataIndex;
  return ProgramIndexValid(body) ? body : -1;
}

// The result slot: the LocalSlot of the first variable of the result kind in
// the definition's first oparam group; -1 when there is none.
static int32_t ResultSlot(int32_t d, int32_t resultId) {
  int32_t end = d + LocalItemLinks[d].SubtreeSize;
  for (int32_t g = d + 1; g < end; g += LocalItemLinks[g].SubtreeSize) {
    if (LocalItems[g].ElementId != El::oparam) continue;
    int32_t groupEnd = g + LocalItemLinks[g].SubtreeSize;
    for (int32_t k = g; k < groupEnd; k++)
      if (ParamId(LocalItems[k].ElementId) == resultId) return LocalItemLinks[k].LocalSlot;
    return -1;
  }
  return -1;
}

// The first argument child of call item index for local k, or -1.
static int32_t ArgumentFor(int32_t index, int32_t k) {
  for (int32_t c = ProgFirstChild(index); c >= 0; c = ProgNextChild(index, c)) {
    const ProgramItem& item = ProgItem(c);
    if (item.RefIndex == k && item.RefTable == RefLocal && ProgHasChildren(c) && !IsSwitchedOff(item)) return c;
  }
  return -1;
}

// The push group's members for the definition d: one per local, in item order.
static void EmitPushes(int32_t index, int32_t d, int32_t push, int32_t* counters) {
  int32_t end = d + LocalItemLinks[d].SubtreeSize;
  for (int32_t k = d; k < end; k++) {
    const ProgramItem& item = LocalItems[k];
    const ItemLinks& links = LocalItemLinks[k];
    int32_t start = CompiledCodeCount;
    if (item.ElementId == El::list) {
      EmitCode1(EXEC_FN(Cmd, ExecCmdPushListRecord), links.ListIndex);
      counters[ListsCounter]++;
      PendingLocalCounts[PendingLists]++;
    } else {
      int32_t f = FrameKindOf(item.ElementId);
      if (f < 0 || !TakesLocalSlot(item)) continue;
      const FrameKind& fk = FrameKinds[f];
      int32_t m = links.ListIndex < 0 ? 1 : ListRecordSize(links.ListIndex);
      int32_t arg = index >= 0 && m == 1 ? ArgumentFor(index, k) : -1;
      if (arg < 0 || !EmitWithOperand(fk.Kind, arg, fk.Arg)) {
        if (m == 1)
          EmitCode1(fk.Local, links.DataIndex);
        else
          EmitCode(fk.LocalList, links.DataIndex, m);
      }
      counters[f] += m;
      PendingLocalCounts[PendingKindOf(fk.Kind)] += m;
    }
    CompiledCode[push].Param1++;
    CompiledCode[start].Skip = CompiledCodeCount - start;  // the member's size for now
  }
}

static void EmitPops(int32_t pop, const int32_t* counters) {
  for (int32_t f = 0; f <= ListsCounter; f++) {
    int32_t c = counters[f];
    if (c <= 0) continue;
    if (f == ListsCounter) {
      EmitCode1(EXEC_FN(Cmd, ExecCmdPopListRecords), c);
      PendingLocalCounts[PendingLists] -= c;
    } else {
      EmitCode1(FrameKinds[f].Pop, c);
      PendingLocalCounts[PendingKindOf(FrameKinds[f].Kind)] -= c;
    }
    CompiledCode[pop].Param1++;
    CompiledCode[CompiledCodeCount - 1].Skip = 1;
  }
}

// Turns the member sizes held in the first steps from first to end into
// distances to end.
static void SetMemberSkips(int32_t first, int32_t end) {
  for (int32_t t = first; t < end;) {
    int32_t size = CompiledCode[t].Skip;
    CompiledCode[t].Skip = end - t;
    t += size;
  }
}

// The definition a call item names through a GLOBAL declaration, or -1.
static int32_t GlobalDefinition(const ProgramItem& call) {
  if ((uint32_t)call.RefIndex >= (uint32_t)GlobalItemCount || GlobalItems[call.RefIndex].DataTable != DataLocal)
    return -1;
  return GlobalItemLinks[call.RefIndex].DataIndex;
}

bool CompileFunctionCall(int32_t index, int32_t resultId) {
  int32_t d = 0;
  if (index >= 0) {
    const ProgramItem& call = ProgItem(index);
    if (call.RefTable == RefLocal) {
      // A function defined among the locals of the function whose frame the
      // caller runs in: its body runs in that same frame.
      if (resultId != CommandResultId || !InCompileFrame(call.RefIndex)) return false;
      int32_t body = BodyOf(call.RefIndex);
      if (body < 0) return false;
      EmitCode1(EXEC_FN(Cmd, ExecCmdCallNested), body);
      return true;
    }
    if (call.RefTable != RefGlobal) return false;
    d = GlobalDefinition(call);
  }
  int32_t body = BodyOf(d);
  // A definition nested in another one has slots counted in the outer frame.
  if (body < 0 || LocalItemLinks[d].Parent != -1) return false;
  ExecFunction fn = CallStepOf(resultId);
  if (!fn) return false;
  int32_t slot = -1;
  if (resultId != CommandResultId) {
    slot = ResultSlot(d, resultId);
    if (slot < 1) return false;
  }

  EmitCode(fn, body, slot);
  int32_t counters[FrameKindCount + 1] = {0};
  int32_t push = EmitCode1(EXEC_FN(Cmd, ExecCmdSequence), -1);
  EmitPushes(index, d, push, counters);
  int32_t pop = EmitCode1(EXEC_FN(Cmd, ExecCmdSequence), -1);
  SetMemberSkips(push + 1, pop);
  EmitPops(pop, counters);
  SetMemberSkips(pop + 1, CompiledCodeCount);
  return true;
}
