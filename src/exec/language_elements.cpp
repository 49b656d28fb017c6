// The language element: switching the program's language and reading its id.
#include "image/image_texts.h"
#include "exec/eval_next.h"
#include "code/exec_functions.h"

// Number operand, a language id rounded to an integer: that language (the
// start-up one when no row has the id) becomes current, its texts re-read.
void ExecCmdLanguage() { SwitchLanguage(EvalNextInt()); }

// The current language id, unsigned.
double ExecNumLanguage() { return (uint32_t)LanguageId; }
