// The number operations on the hot path, run in place instead of through a
// call of their step's function, with the same results and the same move of
// ExecPointer past their steps: constants and plain variables as operands,
// assignments of numbers to plain variables (a sum, difference or product
// of two operands computed in place), and a loop condition that compares
// two numbers.
#pragma once
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "base/value_lists.h"
#include "base/rounding.h"
#include "exec/number_pairs.h"

// A constant or plain variable in place, anything else by its step.
inline double RunNumOperand() {
  ExecItem* p = ExecPointer;
  ExecFunction f = p->Exec;
  if (f == EXEC_FN(Num, ExecNumConst)) {
    ExecPointer = p + 1;
    return StepNumber(*p);
  }
  if (f == EXEC_FN(Num, ExecNumLocal)) {
    ExecPointer = p + 1;
    return Numbers.At(LocalEntryIn(Numbers, p->Param1));
  }
  if (f == EXEC_FN(Num, ExecNumGlobal)) {
    ExecPointer = p + 1;
    return Numbers.At(p->Param1);
  }
  return RunNum();
}

// Numbers entry := Op of the two operands of the step at ExecPointer, as the
// n-ary function folds them, rounded to a double by its store into the entry;
// nothing outside the list. The first operand is held as the double it is:
// kept across the second's call, it is spilled in 8 bytes, not 10.
template <long double (*Op)(long double, long double)>
inline void AssignPair(int32_t entry) {
  ExecPointer++;
  double a = RunNumOperand();
  double b = RunNumOperand();
  long double r = Op(a, b);
  if (Numbers.Inside(entry)) StoreDouble(Numbers[entry], r);
}

// Numbers entry := the next operand; nothing outside the list.
inline void AssignNum(int32_t entry) {
  const ExecItem* p = ExecPointer;
  if (p->Param1 == 1) {
    ExecFunction f = p->Exec;
    if (f == EXEC_FN(Num, ExecNumAdd)) return AssignPair<Add>(entry);
    if (f == EXEC_FN(Num, ExecNumSub)) return AssignPair<Sub>(entry);
    if (f == EXEC_FN(Num, ExecNumMul)) return AssignPair<Mul>(entry);
  }
  Numbers.Set(entry, RunNumOperand());
}

// A loop's condition: a comparison of two numbers runs in place, as the
// chain compares them.
inline uint8_t RunCondition() {
  ExecItem* p = ExecPointer;
  if (p->Exec == EXEC_FN(Bool, ExecBoolLess) && p->Param1 == 1) {
    ExecPointer = p + 1;
    double a = RunNumOperand();
    double b = RunNumOperand();
    return Less(a, b);
  }
  return RunBool();
}

// A member of a command group: assignments of numbers to plain variables
// run in place. The target entry is fixed before the value is evaluated.
inline void RunMember() {
  ExecItem* p = ExecPointer;
  ExecFunction f = p->Exec;
  int32_t entry;
  if (f == EXEC_FN(Cmd, ExecCmdSetNumLocal))
    entry = LocalEntryIn(Numbers, p->Param1);
  else if (f == EXEC_FN(Cmd, ExecCmdSetNumGlobal))
    entry = p->Param1;
  else {
    RunCmd();
    return;
  }
  ExecPointer = p + 1;
  AssignNum(entry);
}

// The members of the group step g, which ExecPointer has just passed:
// Param1 = members - 1. The flags are tested before every member; once one
// is set, the rest of the group is skipped by the current member's Skip.
inline void RunMembers(const ExecItem& g) {
  for (int32_t n = g.Param1; n >= 0; n--) {
    if (ExecFlags) {
      SkipAtPointer();
      return;
    }
    RunMember();
  }
}

// The member of a group of one, which ExecPointer has just passed, skipped
// when a flag is set.
inline void RunSingle() {
  if (ExecFlags)
    SkipAtPointer();
  else
    RunMember();
}

// The group at ExecPointer; a group of one member runs in place.
inline void RunGroup() {
  ExecItem* p = ExecPointer;
  if (p->Exec != EXEC_FN(Cmd, ExecCmdSingle)) {
    RunCmd();
    return;
  }
  ExecPointer = p + 1;
  RunSingle();
}
