// The global list of each kind of variable, addressed by the kind's element id.
#pragma once
#include <stdint.h>

// Appends n copies (at least one) of entry `index` of the global list of the
// variable kind `elementId` (the kind's default outside the list); returns
// the first new entry, -1 for an element that is no variable kind.
int32_t AppendVariableCopies(int32_t elementId, int32_t index, int32_t n);
