// The program's return code, which becomes the process exit code.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "base/process.h"

// The operand plus 0.5, truncated toward zero, limited to 0 .. 4294967295:
// NaN gives 0, and every value above the range (infinity included) the top.
void ExecCmdSetReturnCode() {
  long double x = (long double)RunNum() + 0.5L;
  if (!(x >= 1)) ReturnCode = 0;
  else if (x >= 4294967296.0L) ReturnCode = 4294967295u;
  else ReturnCode = (uint32_t)x;
}

double ExecNumReturnCode() { return ReturnCode; }
