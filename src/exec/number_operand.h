// Number operands on the hot path. Constants and plain variables are most of
// the operands of arithmetic, comparisons and assignments; they are read in
// place here instead of through a call of their step's function, with the
// same result and the same move of ExecPointer past the step.
#pragma once
#include "exec/exec_functions.h"
#include "exec/interpreter.h"
#include "base/value_lists.h"
#include "exec/eval_next.h"

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
    return Numbers.Get(Numbers.Count - p->Param1);
  }
  if (f == EXEC_FN(Num, ExecNumGlobal)) {
    ExecPointer = p + 1;
    return Numbers.Get(p->Param1);
  }
  return RunNum();
}

// x rounded to a double by the store itself (fstp rounds by the control word).
inline void StoreDouble(double& to, long double x) { __asm__("fstpl %0" : "=m"(to) : "t"(x) : "st"); }

// Numbers entry := the next operand; nothing outside the list. A sum,
// difference or product of two operands runs in place, as the n-ary
// functions compute it (each operand a double, the result stored as one),
// and is rounded by its store into the entry.
inline void AssignNum(int32_t entry) {
  ExecItem* p = ExecPointer;
  ExecFunction f = p->Exec;
  int op = -1;
  if (f == EXEC_FN(Num, ExecNumAdd))
    op = 0;
  else if (f == EXEC_FN(Num, ExecNumSub))
    op = 1;
  else if (f == EXEC_FN(Num, ExecNumMul))
    op = 2;
  if (op < 0 || p->Param1 != 1) {
    double v = RunNumOperand();
    if (Numbers.Inside(entry)) Numbers[entry] = v;
    return;
  }
  ExecPointer = p + 1;
  long double a = RunNumOperand();
  long double b = RunNumOperand();
  long double r = op == 0 ? a + b : op == 1 ? a - b : a * b;
  if (Numbers.Inside(entry))
    StoreDouble(Numbers[entry], r);
}

// A loop's condition: a comparison of two numbers runs in place.
inline uint8_t RunCondition() {
  ExecItem* p = ExecPointer;
  if (p->Exec == EXEC_FN(Bool, ExecBoolLess) && p->Param1 == 1) {
    ExecPointer = p + 1;
    double a = RunNumOperand();
    double b = RunNumOperand();
    return !(a >= b);  // a NaN counts as less
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
    entry = Numbers.Count - p->Param1;
  else if (f == EXEC_FN(Cmd, ExecCmdSetNumGlobal))
    entry = p->Param1;
  else {
    RunCmd();
    return;
  }
  ExecPointer = p + 1;
  AssignNum(entry);
}
