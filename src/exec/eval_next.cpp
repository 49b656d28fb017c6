// Evaluating number operands into integers.
#include "exec/eval_next.h"
#include "exec/interpreter.h"
#include "base/random.h"

int32_t EvalNextInt() { return RoundToInt(RunNum()); }

int32_t EvalNextTicks() { return RoundToInt(RunNum() * TicksPerSecond); }
