// The names of all execution functions, for listings of compiled code.
#include "code/exec_functions.h"

const ExecFunctionName ExecFunctionNames[] = {
#define EXEC_FUNCTION(name, kind) {EXEC_FN(kind, name), #name},
#include "code/exec_functions.def"
#undef EXEC_FUNCTION
};
const int32_t ExecFunctionNameCount = sizeof ExecFunctionNames / sizeof ExecFunctionNames[0];

const char* ExecFunctionNameOf(ExecFunction fn) {
  for (int32_t i = 0; i < ExecFunctionNameCount; i++)
    if (ExecFunctionNames[i].Fn == fn) return ExecFunctionNames[i].Name;
  return nullptr;
}
