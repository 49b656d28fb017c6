// Calls of user functions: the push group, the body under the depth budget,
// the result read from the frame, then the pop group.
#include "exec/calls.h"
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "exec/value_kinds.h"
#include "exec/number_operand.h"

int32_t CallDepthBudget = CallDepthLimit;

// Appends v to Numbers; only the growth is out of line.
static inline void PushNumber(double v) {
  if (Numbers.Count < Numbers.Capacity)
    Numbers.ItemArray()[Numbers.Count++] = v;
  else
    Numbers.Append(v);
}

// Appends x rounded to a double; the store that rounds it is the append's
// own, so the value makes no round trip through memory on its way in.
static inline void PushRounded(long double x) {
  if (Numbers.Count < Numbers.Capacity)
    StoreDouble(Numbers.ItemArray()[Numbers.Count++], x);
  else
    Numbers.Append(StoredDouble(x));
}

// A sum, difference or product of two operands appended, folded and
// rounded as its step's function does it; ExecPointer is at its step.
template <long double (*Op)(long double, long double)>
static inline void PushPair() {
  ExecPointer++;
  double a = RunNumOperand();  // spilled as a double across the second operand
  double b = RunNumOperand();
  PushRounded(Op(a, b));
}

// A number argument appended: a sum, difference or product of two operands
// runs in place.
static inline void PushNumArgument() {
  const ExecItem* p = ExecPointer;
  if (p->Param1 == 1) {
    ExecFunction f = p->Exec;
    if (f == EXEC_FN(Num, ExecNumAdd)) return PushPair<Add>();
    if (f == EXEC_FN(Num, ExecNumSub)) return PushPair<Sub>();
    if (f == EXEC_FN(Num, ExecNumMul)) return PushPair<Mul>();
  }
  PushNumber(RunNumOperand());
}

// One member of a push group; the number pushes run in place, as their
// steps' functions do them.
static inline void RunFrameMember() {
  ExecItem* p = ExecPointer;
  ExecFunction f = p->Exec;
  if (f == EXEC_FN(Cmd, ExecCmdPushNumArg)) {
    ExecPointer = p + 1;
    PushNumArgument();
  } else if (f == EXEC_FN(Cmd, ExecCmdPushNumLocal)) {
    ExecPointer = p + 1;
    PushNumber(Numbers.At(p->Param1));
  } else {
    RunCmd();
  }
}

// Both frame groups run every member whatever the flags, so a frame is always
// built and removed as a whole: a call made or ended while the program unwinds
// (quit, exit) must leave the lists as they were, or every later local access
// would be off.

// The push group at ExecPointer, every member whatever the flags.
static void RunFrameGroup() {
  ExecItem* head = ExecPointer++;
  for (int32_t n = head->Param1; n >= 0; n--) RunFrameMember();
}

// The pop group at ExecPointer, every member whatever the flags: the pop of
// the number locals runs in place, any other member by its step.
static inline __attribute__((always_inline)) void RunPopGroup() {
  ExecItem* head = ExecPointer++;
  for (int32_t n = head->Param1; n >= 0; n--) {
    ExecItem* p = ExecPointer;
    if (p->Exec == EXEC_FN(Cmd, ExecCmdPopLocalsNum)) {
      ExecPointer = p + 1;
      if (p->Param1 > 0) Numbers.RemoveLast(p->Param1);
    } else {
      RunCmd();
    }
  }
}

// The body whose compiled start is `start`, unless the budget is spent; the
// flags the body set for its own end (exit, break) are cleared.
static void RunBody(int32_t start) {
  if (--CallDepthBudget >= 0) {
    ExecItem* body = CompiledCode + start;
    ExecPointer = body + 1;
    reinterpret_cast<ExecCmdFunction>(body->Exec)();
  }
  CallDepthBudget++;
  ExecFlags &= ~(ExecFlagReturn | ExecFlagBreak);
}

// Param1 = the body's start. Push group, body, then read with the frame still
// on top, then the pop group.
template <class Read>
static inline void CallWithFrame(Read read) {
  int32_t start = OwnStep().Param1;
  RunFrameGroup();
  ExecItem* pop = ExecPointer;
  RunBody(start);
  read();
  ExecPointer = pop;
  RunPopGroup();
}

void ExecCmdCall() {
  CallWithFrame([] {});
}

// Param1 = the body's start; the body runs in the caller's frame.
void ExecCmdCallNested() {
  ExecItem* next = ExecPointer;
  RunBody(OwnStep().Param1);
  ExecPointer = next;
}

// Param2 = the result variable's slot. The result is copied while the frame
// is still on top.
template <class K>
static void ValueCall(typename K::Value& result) {
  int32_t slot = OwnStep().Param2;
  CallWithFrame([&] { K::Assign(result, K::Values().Get(LocalEntry<K>(slot))); });
}

// A number result is read after the pop: removing entries neither moves nor
// clears them, so the result's entry still holds it, and the value needs no
// copy held across the pop.
double ExecNumCall() {
  int32_t slot = OwnStep().Param2;
  const double* items;
  int32_t entry;
  bool inside;
  CallWithFrame([&] {
    items = Numbers.ItemArray();
    entry = LocalEntryIn(Numbers, slot);
    inside = Numbers.Inside(entry);
  });
  if (__builtin_expect(inside, 1)) return items[entry];
  return ListDefault<double>();
}

uint8_t ExecBoolCall() {
  uint8_t r;
  ValueCall<BoolKind>(r);
  return r;
}

void ExecTextCall(Text& r) { ValueCall<TextKind>(r); }
void ExecIconCall(Icon& r) { ValueCall<IconKind>(r); }
void ExecMapCall(Map& r) { ValueCall<MapKind>(r); }
void ExecPictureCall(Picture& r) { ValueCall<PictureKind>(r); }
void ExecSpriteCall(Sprite& r) { ValueCall<SpriteKind>(r); }
void ExecSoundCall(Sound& r) { ValueCall<SoundKind>(r); }
void ExecMusicCall(Music& r) { ValueCall<MusicKind>(r); }
