// The two buffered data files as the rest of the engine sees them: their
// names, the sticky error flag, the idle countdown and the close.
#pragma once
#include <stdint.h>
#include "base/text.h"

extern Text& ReadFileName;
extern Text& WriteFileName;
extern uint8_t FileError;     // set by every failing file operation, cleared only by the program
extern int32_t FileIdleTicks; // counted down by the tick; both files close at 0

void InitDataFileNames();
void CloseFiles();  // closes both files, writing what is pending
