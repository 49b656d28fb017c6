// Stand-ins for the execution functions not built yet (placeholders.def):
// each skips its operands and gives the neutral result of its kind (nothing,
// 0, false, the empty value). A stand-in knows how far to skip from the size
// the compiler noted for its step.
#pragma once
#include <stdint.h>
#include "compiler/compiled_code.h"
#include "exec/exec_functions.h"

extern const ExecFunctionName PlaceholderFunctions[];
extern const int32_t PlaceholderCount;

bool IsPlaceholder(ExecFunction fn);

// Called by the compiler once the construct starting at step index is complete:
// when that step is a stand-in, remembers the construct's size.
void NotePlaceholderSize(int32_t index);
// Steps first .. end - 1 were removed again: their notes go.
void ForgetPlaceholderSizes(int32_t first, int32_t end);
// The size noted for step index (1 when none was noted).
int32_t PlaceholderStepSize(int32_t index);
