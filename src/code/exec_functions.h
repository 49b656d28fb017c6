// Declarations of every execution function (the list is exec_functions.def)
// and the table of their names for the code dumper.
#pragma once
#include "code/compiled_code.h"

#define EXEC_FUNCTION(name, kind) Exec##kind##Signature name;
#include "code/exec_functions.def"
#undef EXEC_FUNCTION

struct ExecFunctionName {
  ExecFunction Fn;
  const char* Name;
};

extern const ExecFunctionName ExecFunctionNames[];
extern const int32_t ExecFunctionNameCount;

// The name of an execution function, or null for a function not in the list.
const char* ExecFunctionNameOf(ExecFunction fn);
