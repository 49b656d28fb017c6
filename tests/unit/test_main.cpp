// Unit-test entry: the engine's allocator must run before any test uses it.
#include <gtest/gtest.h>
#include "base/memory.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!InitMemory()) return 3;
  return RUN_ALL_TESTS();
}
