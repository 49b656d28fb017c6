// Decoding loops of plain number code (see number_loops.h).
#include "exec/number_loops.h"
#include "exec/calls.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"

namespace {

const int32_t NoSlot = -1;

// Loops whose steps can never decode, remembered by their first step, so a
// short loop started again and again does not try each time.
struct UndecodableLoop {
  const ExecItem* Step;
  uint32_t Version;  // CompiledCodeVersion when it was seen
};
const int32_t UndecodableSlots = 64;
UndecodableLoop Undecodable[UndecodableSlots];

UndecodableLoop& UndecodableSlot(const ExecItem* step) {
  return Undecodable[(reinterpret_cast<uintptr_t>(step) / sizeof(ExecItem)) % UndecodableSlots];
}

bool KnownUndecodable(const ExecItem* step) {
  const UndecodableLoop& u = UndecodableSlot(step);
  return u.Step == step && u.Version == CompiledCodeVersion;
}

struct Decoder {
  // What is known of a slot is set when the slot is added.
  Decoder(NumberLoop& loop, const ExecItem* at) : Loop(loop), At(at), Depth(0), Top(Numbers.Count), InCall(false), ForNow(false) {}

  NumberLoop& Loop;
  const ExecItem* At;  // the next step to decode
  int32_t Depth;
  int32_t Top;   // the count the numbers' list has at this point of the steps
  bool InCall;   // decoding a call's arguments or body: no call inside
  bool ForNow;   // refused for the state of the run (budget, room), not the steps
  // Per slot, another slot known to hold the same value, or NoSlot.
  int8_t Same[DecodedSlotLimit];

  // The slot of address a, one per address; NoSlot when they are used up.
  int32_t AddSlot(StoredNumber* a) {
    for (int32_t k = 0; k < Loop.SlotCount; k++)
      if (Loop.Slots[k] == a) return k;
    if (Loop.SlotCount >= DecodedSlotLimit) return NoSlot;
    Loop.Slots[Loop.SlotCount] = a;
    Same[Loop.SlotCount] = NoSlot;
    return Loop.SlotCount++;
  }

  bool Inside(int32_t entry) const { return (uint32_t)entry < (uint32_t)Top; }

  // Where the steps would read or write the entry with the list at Top
  // entries: its item, the list's default outside it, or a discard slot.
  int32_t ReadSlot(int32_t entry) {
    return AddSlot(Inside(entry) ? Numbers.ItemArray() + entry : const_cast<double*>(&Numbers.Get(-1)));
  }
  int32_t WriteSlot(int32_t entry) { return AddSlot(Inside(entry) ? Numbers.ItemArray() + entry : &Loop.Discarded); }
  int32_t LocalEntry(int32_t slot) const { return Top - slot; }

  int32_t Source(int32_t s) const { return Same[s] == NoSlot ? s : Same[s]; }

  // Slots[to] := Slots[a] op Slots[b]. Each operand is read from the slot
  // known to hold its value; what was known of `to` is gone.
  bool Emit(DecodedCode code, int32_t a, int32_t b, int32_t to) {
    if (Loop.OpCount >= DecodedOpLimit) return false;
    a = Source(a);
    b = Source(b);
    Forget(to);
    if (code == DecodedCopy && a != to) Same[to] = (int8_t)a;
    Loop.Ops[Loop.OpCount++] = {code, (uint8_t)a, (uint8_t)b, (uint8_t)to};
    return true;
  }

  // The slot that holds the value of the operand at At, with the operations
  // that work it out emitted; NoSlot when it is not plain number code. An
  // n-ary operation folds left to right, each result into a temporary, the
  // last one into `to` when that is given.
  int32_t Operand(int32_t to = NoSlot) {
    const ExecItem& s = *At++;
    ExecFunction f = s.Exec;
    if (f == EXEC_FN(Num, ExecNumConst))
      return AddSlot(const_cast<StoredNumber*>(reinterpret_cast<const StoredNumber*>(&s.Param1)));
    if (f == EXEC_FN(Num, ExecNumLocal)) return ReadSlot(LocalEntry(s.Param1));
    if (f == EXEC_FN(Num, ExecNumGlobal)) return ReadSlot(s.Param1);
    if (f == EXEC_FN(Num, ExecNumCall)) return Call(s);
    DecodedCode code;
    if (f == EXEC_FN(Num, ExecNumAdd))
      code = DecodedAdd;
    else if (f == EXEC_FN(Num, ExecNumSub))
      code = DecodedSub;
    else if (f == EXEC_FN(Num, ExecNumMul))
      code = DecodedMul;
    else if (f == EXEC_FN(Num, ExecNumDiv))
      code = DecodedDiv;
    else
      return NoSlot;
    if (s.Param1 < 0 || ++Depth > 8) return NoSlot;
    int32_t acc = Operand();
    for (int32_t i = 0; i < s.Param1 && acc >= 0; i++) {
      int32_t v = NextOperand(acc);
      int32_t t = Loop.OpCount;
      if (v < 0 || t >= DecodedOpLimit) return NoSlot;
      int32_t into = i == s.Param1 - 1 && to >= 0 ? to : AddSlot(&Loop.Temps[t]);
      if (into < 0 || !Emit(code, acc, v, into)) return NoSlot;
      acc = into;
    }
    Depth--;
    return acc;
  }

  bool WrittenSince(int32_t mark, int32_t slot) const {
    for (int32_t k = mark; k < Loop.OpCount; k++)
      if (Loop.Ops[k].To == slot) return true;
    return false;
  }

  // The operand at At while `held` must keep the value it has: when the
  // operand's operations write held's slot (a call's frame or body does),
  // they are decoded again after a copy of held into a temporary, which
  // then stands for it.
  int32_t NextOperand(int32_t& held) {
    const ExecItem* at = At;
    int32_t mark = Loop.OpCount, depth = Depth, top = Top;
    bool inCall = InCall;
    int32_t v = Operand();
    if (v < 0 || !WrittenSince(mark, held)) return v;
    At = at;
    Depth = depth;
    Top = top;
    InCall = inCall;
    Loop.OpCount = mark;
    Replay();
    if (mark >= DecodedOpLimit) return NoSlot;
    int32_t t = AddSlot(&Loop.Temps[mark]);
    if (t < 0 || !Emit(DecodedCopy, held, 0, t)) return NoSlot;
    held = t;
    return Operand();
  }

  // What is known of the slots, worked out again from the operations
  // emitted so far, as Emit worked it out.
  void Replay() {
    for (int32_t k = 0; k < Loop.SlotCount; k++) Same[k] = NoSlot;
    for (int32_t i = 0; i < Loop.OpCount; i++) {
      const DecodedOp& o = Loop.Ops[i];
      Forget(o.To);
      if (o.Code == DecodedCopy && o.A != o.To) Same[o.To] = (int8_t)o.A;
    }
  }

  // Slot `to` is written: what was known of it, and what stood on it, goes.
  void Forget(int32_t to) {
    for (int32_t k = 0; k < Loop.SlotCount; k++)
      if (Same[k] == to) Same[k] = NoSlot;
    Same[to] = NoSlot;
  }

  // Slots[to] := the operand at At.
  bool OperandInto(int32_t to) {
    if (to < 0) return false;
    int32_t v = Operand(to);
    return v >= 0 && (v == to || Emit(DecodedCopy, v, 0, to));
  }

  // The call step s, which At has passed: a push group of number arguments
  // and initial values, a pop group of one number pop taking them all, and a
  // body of number assignments. The frame goes where the pushes would put
  // it; the result is read from it as the call reads it, before the pop.
  int32_t Call(const ExecItem& s) {
    const ExecItem* push = At++;
    int32_t members = push->Param1 + 1;
    if (InCall || push->Exec != EXEC_FN(Cmd, ExecCmdSequence) || members < 0 || members > DecodedOpLimit)
      return NoSlot;
    if ((uint32_t)s.Param1 >= (uint32_t)CompiledCodeCount) return NoSlot;
    // The body must run: the budget must allow it, and the frame must fit
    // in the list's items as they are. Both can change while the steps stay.
    if (CallDepthBudget < 1 || Top + members > Numbers.Capacity) {
      ForNow = true;
      return NoSlot;
    }
    InCall = true;
    for (int32_t i = 0; i < members; i++) {
      const ExecItem& m = *At++;
      int32_t frame = AddSlot(Numbers.ItemArray() + Top);
      if (m.Exec == EXEC_FN(Cmd, ExecCmdPushNumArg)) {
        if (!OperandInto(frame)) return NoSlot;
      } else if (m.Exec == EXEC_FN(Cmd, ExecCmdPushNumLocal)) {
        int32_t v = ReadSlot(m.Param1);
        if (frame < 0 || v < 0 || !Emit(DecodedCopy, v, 0, frame)) return NoSlot;
      } else {
        return NoSlot;
      }
      Top++;
    }
    const ExecItem* pop = At++;
    if (pop->Exec != EXEC_FN(Cmd, ExecCmdSequence)) return NoSlot;
    if (pop->Param1 == 0) {
      if (At->Exec != EXEC_FN(Cmd, ExecCmdPopLocalsNum) || At->Param1 != members) return NoSlot;
      At++;
    } else if (pop->Param1 != -1 || members != 0) {
      return NoSlot;
    }
    const ExecItem* after = At;
    At = CompiledCode + s.Param1;
    if (!Body()) return NoSlot;
    int32_t result = ReadSlot(LocalEntry(s.Param2));
    At = after;
    Top -= members;
    InCall = false;
    return result;
  }

  // An assignment of a number to a plain variable: the last operation writes
  // the variable itself, as the assignment stores the folded result.
  bool Member() {
    const ExecItem& s = *At++;
    int32_t entry;
    if (s.Exec == EXEC_FN(Cmd, ExecCmdSetNumLocal))
      entry = LocalEntry(s.Param1);
    else if (s.Exec == EXEC_FN(Cmd, ExecCmdSetNumGlobal))
      entry = s.Param1;
    else
      return false;
    return OperandInto(WriteSlot(entry));
  }

  // A comparison of two numbers.
  bool Condition() {
    static const ExecFunction tests[] = {
        EXEC_FN(Bool, ExecBoolEqual), EXEC_FN(Bool, ExecBoolNotEqual), EXEC_FN(Bool, ExecBoolGreaterEqual),
        EXEC_FN(Bool, ExecBoolLessEqual), EXEC_FN(Bool, ExecBoolGreater), EXEC_FN(Bool, ExecBoolLess)};
    const ExecItem& s = *At++;
    if (s.Param1 != 1) return false;
    int32_t k = 0;
    while (k < 6 && tests[k] != s.Exec) k++;
    if (k == 6) return false;
    int32_t a = Operand();
    int32_t b = a < 0 ? NoSlot : NextOperand(a);
    if (b < 0) return false;
    Loop.Test = (DecodedTest)k;
    Loop.Left = (uint8_t)Source(a);
    Loop.Right = (uint8_t)Source(b);
    Loop.ConditionOps = Loop.OpCount;
    return true;
  }

  // A group of members or a single one.
  bool Body() {
    const ExecItem& s = *At++;
    int32_t members;
    if (s.Exec == EXEC_FN(Cmd, ExecCmdSequence))
      members = s.Param1 + 1;
    else if (s.Exec == EXEC_FN(Cmd, ExecCmdSingle))
      members = 1;
    else
      return false;
    for (int32_t i = 0; i < members; i++)
      if (!Member()) return false;
    return true;
  }
};

Decoder StartDecoding(NumberLoop& loop, const ExecItem* at) {
  loop.Items = Numbers.ItemArray();
  loop.Count = Numbers.Count;
  loop.Capacity = Numbers.Capacity;
  loop.OpCount = loop.SlotCount = loop.ConditionOps = 0;
  return Decoder(loop, at);
}

// A refusal that comes from the steps alone is remembered.
bool Refused(const Decoder& d, const ExecItem* step) {
  if (!d.ForNow) UndecodableSlot(step) = {step, CompiledCodeVersion};
  return false;
}

}  // namespace

bool DecodeNumberLoop(NumberLoop& loop, const ExecItem* condition) {
  if (KnownUndecodable(condition)) return false;
  Decoder d = StartDecoding(loop, condition);
  if (!d.Condition()) return Refused(d, condition);
  const ExecItem* body = d.At;
  loop.BodyStart = (int32_t)(body - condition);
  // The decoded steps must be the loop's whole body, as its Skip says.
  return (d.Body() && d.At == body + body->Skip) || Refused(d, condition);
}

bool DecodeRepeatLoop(NumberLoop& loop, const ExecItem* body) {
  if (KnownUndecodable(body)) return false;
  Decoder d = StartDecoding(loop, body);
  loop.BodyStart = 0;
  return (d.Body() && d.At == body + body->Skip) || Refused(d, body);
}
