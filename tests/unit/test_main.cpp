// Unit-test entry: the engine's allocator must run before any test uses it.
#include <gtest/gtest.h>
#include "base/memory.h"
#include "exec/numbers.h"
#include "startup/runtime.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!InitMemory()) return 3;
  // The floating-point setting and the factorial table of start-up.
  SetFloatingPointControl();
  BuildFactorialTable();
  return RUN_ALL_TESTS();
}
