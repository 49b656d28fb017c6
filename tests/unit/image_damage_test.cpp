// Robustness: thousands of randomly damaged copies of a full image, each either
// refused by the checker or loaded in-process, within a time limit.
#include <gtest/gtest.h>
#include <windows.h>
#include "image_fixtures.h"
#include "image_setup.h"

namespace {

TEST(ImageDamage, EachCopyIsRefusedOrLoads) {
  SetLanguage(EnglishLanguageIndex);
  std::vector<uint8_t> image = AssembleForTest(FullProgram);
  ASSERT_TRUE(LoadTestImage(image));
  DWORD start = GetTickCount();
  int loaded = 0, refused = 0;
  for (uint32_t seed = 1; seed <= 20000; seed++) {
    std::vector<uint8_t> damaged = DamagedImage(image, seed);
    ImageVerdict v = CheckProgramImage(damaged.data(), (uint32_t)damaged.size());
    if (v.Fault != ImageGood) {
      refused++;
      continue;
    }
    LoadAcceptedImage(damaged, false);  // a fault here ends the test process
    loaded++;
  }
  DWORD elapsed = GetTickCount() - start;
  EXPECT_GT(refused, 5000);
  EXPECT_GT(loaded, 1000);
  EXPECT_LT(elapsed, 60000u) << loaded << " loaded, " << refused << " refused";
  printf("damaged images: %d loaded, %d refused, %lu ms\n", loaded, refused, elapsed);
}

}  // namespace
