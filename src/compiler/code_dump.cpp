// Listings of compiled code, for tests and for looking at what compiled.
#include "compiler/code_dump.h"
#include <stdio.h>
#include "code/compiled_code.h"
#include "code/exec_functions.h"

Text DumpStep(int32_t index) {
  char line[256];
  const ExecItem& step = CompiledCode[index];
  const char* name = ExecFunctionNameOf(step.Exec);
  if (!name) name = "?";
  if (step.Exec == EXEC_FN(Num, ExecNumConst))
    snprintf(line, sizeof line, "%s %.15g %d", name, StepNumber(step), (int)step.Skip);
  else
    snprintf(line, sizeof line, "%s %d %d %d", name, (int)step.Param1, (int)step.Param2, (int)step.Skip);
  return Text(line);
}

Text DumpCode(int32_t first, int32_t end) {
  Text listing;
  if (first < 0) first = 0;
  if (end > CompiledCodeCount) end = CompiledCodeCount;
  for (int32_t i = first; i < end; i++) {
    listing.Append(DumpStep(i));
    listing.AppendChar('\n');
  }
  return listing;
}
