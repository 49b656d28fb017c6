// The compiled-code array and the emitters that append steps to it.
#include "code/compiled_code.h"
#include <string.h>
#include "base/memory.h"
#include "code/exec_functions.h"

ExecItem* CompiledCode;
int32_t CompiledCodeCount;
int32_t CompiledCodeCapacity;
int32_t EntryCallIndex;
uint32_t CompiledCodeVersion;

int32_t EmitCode(ExecFunction fn, int32_t p1, int32_t p2) {
  CompiledCodeVersion++;
  if (CompiledCodeCount >= CompiledCodeCapacity) {
    CompiledCodeCapacity += CodeGrowth;
    CompiledCode = (ExecItem*)MemRealloc(CompiledCode, CompiledCodeCapacity * (int32_t)sizeof(ExecItem));
  }
  ExecItem& item = CompiledCode[CompiledCodeCount];
  item.Exec = fn;
  item.Param1 = p1;
  item.Param2 = p2;
  item.Skip = 0;
  return CompiledCodeCount++;
}

void SetStepNumber(ExecItem& item, double x) {
  CompiledCodeVersion++;
  uint32_t words[2];
  memcpy(words, &x, sizeof x);
  item.Param1 = (int32_t)words[0];
  item.Param2 = (int32_t)words[1];
}

int32_t EmitNumConst(double x) {
  int32_t index = EmitCode0(EXEC_FN(Num, ExecNumConst));
  SetStepNumber(CompiledCode[index], x);
  return index;
}

int32_t EmitByteConst(uint8_t b) { return EmitNumConst(b); }

void RollBackCode(int32_t index) {
  CompiledCodeCount = index;
  CompiledCodeVersion++;
}

void ResetCompiledCode() {
  RollBackCode(0);
  EntryCallIndex = 0;
}
