// The commands that name the read file and the write file.
#include "base/text.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "system/data_files.h"

// The text operand without leading codes 1..32 and trailing codes up to 32.
static void EvalTrimmedName(Text& name) {
  RunValue(name);
  name.TrimLeft();
  name.TrimRight();
}

// The trimmed text names the read file: both files close first (what is
// pending is written) and the read offset returns to 0.
void ExecCmdSetReadFileName() {
  Text name;
  EvalTrimmedName(name);
  CloseFiles();
  ReadFileState.Offset = 0;
  ReadFileName = name;
}

// The same for the write file and its offset.
void ExecCmdSetWriteFileName() {
  Text name;
  EvalTrimmedName(name);
  CloseFiles();
  WriteFileState.Offset = 0;
  WriteFileName = name;
}
