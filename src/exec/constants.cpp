// The constants the compiler emits as operands and as parameter defaults.
#include "exec/interpreter.h"
#include "code/exec_functions.h"
#include "base/text.h"
#include "exec/value_kinds.h"
#include "exec/constants.h"
#include "base/global_storage.h"

// The double held in the step's two parameter words.
double ExecNumConst() { return StepNumber(OwnStep()); }

uint8_t ExecBoolTrue() { return 1; }
uint8_t ExecBoolFalse() { return 0; }

void ExecTextEmpty(Text& r) { r.Empty(); }
void ExecIconEmpty(Icon& r) { r.Empty(); }
void ExecPictureEmpty(Picture& r) { r.Empty(); }
void ExecSoundEmpty(Sound& r) { r.Empty(); }

// The main map, Maps entry 0, shared.
void ExecMapMain(Map& r) { r = Maps.Get(0); }

GLOBAL_OBJECT(Text, NewLineText);

void InitNewLineText() { NewLineText.InitNew("\r\n", 2); }

// CR LF, shared.
void ExecTextNewLine(Text& r) { r = NewLineText; }
