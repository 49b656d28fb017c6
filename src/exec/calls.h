// User function calls: the nesting budget, and the steps a call runs.
#pragma once
#include <stdint.h>

// Decremented before every function body and restored after it; a body runs
// only while the budget stays 0 or more, so at most 200 bodies are nested.
const int32_t CallDepthLimit = 200;
extern int32_t CallDepthBudget;
