// Running other programs, with and without waiting for their exit code.
#pragma once
#include <stdint.h>
#include "base/text.h"

// Starts command (leading characters 1..32 dropped) and gives its full exit
// code when waiting, else 0. A command that starts no program may be a
// drive or directory change, done here, or else runs through the command
// interpreter. A failure sets FileError and gives 1; an empty command gives 0.
uint32_t RunExternalProgram(const Text& command, bool wait);
