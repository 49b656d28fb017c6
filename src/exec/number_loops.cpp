// Decoding while loops of plain number code (see number_loops.h).
#include "exec/number_loops.h"
#include "exec/exec_functions.h"
#include "exec/interpreter.h"

namespace {

struct Decoder {
  NumberLoop& Loop;
  const ExecItem* At;  // the next step to decode
  int32_t Depth;

  // A new slot for address a; -1 when the slots are used up.
  int32_t AddSlot(StoredNumber* a) {
    if (Loop.SlotCount >= DecodedSlotLimit) return -1;
    Loop.Slots[Loop.SlotCount] = a;
    return Loop.SlotCount++;
  }

  int32_t ReadSlot(int32_t entry) { return AddSlot(const_cast<double*>(&Numbers.Get(entry))); }

  int32_t WriteSlot(int32_t entry) {
    return AddSlot(Numbers.Inside(entry) ? &Numbers[entry] : &Loop.Discarded);
  }

  bool Emit(DecodedCode code, int32_t a, int32_t b, int32_t to) {
    if (Loop.OpCount >= DecodedOpLimit) return false;
    Loop.Ops[Loop.OpCount++] = {code, (uint8_t)a, (uint8_t)b, (uint8_t)to};
    return true;
  }

  // The slot that holds the value of the operand at At, with the operations
  // that work it out emitted; -1 when it is not plain number code. An n-ary
  // operation folds left to right, each result into a temporary.
  int32_t Operand() {
    const ExecItem& s = *At++;
    ExecFunction f = s.Exec;
    if (f == EXEC_FN(Num, ExecNumConst))
      return AddSlot(const_cast<StoredNumber*>(reinterpret_cast<const StoredNumber*>(&s.Param1)));
    if (f == EXEC_FN(Num, ExecNumLocal)) return ReadSlot(LocalEntryIn(Numbers, s.Param1));
    if (f == EXEC_FN(Num, ExecNumGlobal)) return ReadSlot(s.Param1);
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
      return -1;
    if (s.Param1 < 0 || ++Depth > 8) return -1;
    int32_t acc = Operand();
    for (int32_t i = 0; i < s.Param1 && acc >= 0; i++) {
      int32_t v = Operand();
      int32_t t = Loop.OpCount;
      if (v < 0 || t >= DecodedOpLimit) return -1;
      int32_t to = AddSlot(&Loop.Temps[t]);
      if (to < 0 || !Emit(code, acc, v, to)) return -1;
      acc = to;
    }
    Depth--;
    return acc;
  }

  // An assignment of a number to a plain variable: the last operation writes
  // the variable itself, as the assignment stores the folded result.
  bool Member() {
    const ExecItem& s = *At++;
    int32_t entry;
    if (s.Exec == EXEC_FN(Cmd, ExecCmdSetNumLocal))
      entry = LocalEntryIn(Numbers, s.Param1);
    else if (s.Exec == EXEC_FN(Cmd, ExecCmdSetNumGlobal))
      entry = s.Param1;
    else
      return false;
    int32_t to = WriteSlot(entry);
    int32_t ops = Loop.OpCount;
    int32_t v = Operand();
    if (to < 0 || v < 0) return false;
    if (Loop.OpCount > ops && Loop.Ops[Loop.OpCount - 1].To == v) {
      Loop.Ops[Loop.OpCount - 1].To = (uint8_t)to;
      return true;
    }
    return Emit(DecodedCopy, v, 0, to);
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
    int32_t b = a < 0 ? -1 : Operand();
    if (b < 0) return false;
    Loop.Test = (DecodedTest)k;
    Loop.Left = (uint8_t)a;
    Loop.Right = (uint8_t)b;
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

}  // namespace

bool DecodeNumberLoop(NumberLoop& loop, const ExecItem* condition) {
  loop.Items = Numbers.ItemArray();
  loop.Count = Numbers.Count;
  loop.OpCount = loop.SlotCount = 0;
  Decoder d = {loop, condition, 0};
  if (!d.Condition()) return false;
  const ExecItem* body = d.At;
  loop.BodyStart = (int32_t)(body - condition);
  // The decoded steps must be the loop's whole body, as its Skip says.
  return d.Body() && d.At == body + body->Skip;
}
