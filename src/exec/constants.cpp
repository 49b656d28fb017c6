// The constants the compiler emits as operands and as parameter defaults.
#include "exec/interpreter.h"
#include "exec/exec_functions.h"
#include "base/text.h"

// The double held in the step's two parameter words.
double ExecNumConst() { return StepNumber(OwnStep()); }

uint8_t ExecBoolTrue() { return 1; }
uint8_t ExecBoolFalse() { return 0; }

void ExecTextEmpty(Text& r) { r.Empty(); }
