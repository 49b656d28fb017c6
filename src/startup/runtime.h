// The start-up sequence from the system's facts to the main run, and the
// constructors of the global objects it runs in order.
#pragma once
#include <stdint.h>
#include "base/process.h"

const int32_t MinImageSize = 500;

typedef void (*Initializer)();
// An initializer table entry of all bits set is, like a null one, an empty
// slot that RunInitializers skips.
const uintptr_t SkippedInitializer = 0xFFFFFFFF;
extern Initializer Initializers[];
extern Initializer* InitializersEnd;

[[noreturn]] void RuntimeMain();
void RunInitializers(Initializer* first, Initializer* last);

// Pieces of the sequence, separate so tests can run them with given facts.
void ApplySystemCodePage(uint32_t codePage);
int32_t TimerPeriodFor(int32_t windowsVersion);
void SetFloatingPointControl();
// The screen's and the largest client area's sizes, and the centre of the
// latter, from the system.
void ReadScreenMetrics();
// 0 for a plain image, 1 for transformed texts, -1 for a bad magic or size.
int32_t CheckImageMagic(const uint8_t* image, int32_t size);
