// A listing of compiled code, one step a line: the function's name, Param1,
// Param2 and Skip ("ExecCmdIf 0 -1 0"); a number constant shows its value
// instead of the two parameter words ("ExecNumConst 2.5 0").
#pragma once
#include <stdint.h>
#include "base/text.h"

Text DumpCode(int32_t first, int32_t end);
// One step's line, without the line end.
Text DumpStep(int32_t index);
