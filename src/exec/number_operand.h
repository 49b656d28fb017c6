// Number operands on the hot path. Constants and plain variables are most of
// the operands of arithmetic, comparisons and assignments; they are read in
// place here instead of through a call of their step's function, with the
// same result and the same move of ExecPointer past the step.
#pragma once
#include "exec/exec_functions.h"
#include "exec/interpreter.h"
#include "base/value_lists.h"

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
  double v = RunNumOperand();
  if (Numbers.Inside(entry)) Numbers[entry] = v;
}
