// Robustness: thousands of randomly damaged copies of a full image, each either
// refused by the checker or loaded in-process and its pictures decoded, within
// a time limit.
#include <gtest/gtest.h>
#include <windows.h>
#include "image_fixtures.h"
#include "image_setup.h"

namespace {

// First use decodes the damaged pixel code too. Pictures of more than a
// million pixels are left alone: decoding allocates them, and a size no
// allocation can give ends the run as exhausted memory does.
void DecodePicture(const Picture& p) {
  if (p.Data->PixelCount() <= 1 << 20) p.Pixels();
}

void DecodeEveryImage() {
  for (int32_t k = 0; k < Icons.Count; k++) Icons[k].Pixels();
  for (int32_t k = 0; k < Pictures.Count; k++) DecodePicture(Pictures[k]);
  for (int32_t k = 0; k < Sprites.Count; k++) {
    SpriteData* d = Sprites[k].Data.Data;
    for (int32_t i = 0; i < d->PictureCount(); i++) DecodePicture(d->Pictures()[i]);
  }
}

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
    DecodeEveryImage();
    loaded++;
  }
  DWORD elapsed = GetTickCount() - start;
  EXPECT_GT(refused, 5000);
  EXPECT_GT(loaded, 1000);
  EXPECT_LT(elapsed, 60000u) << loaded << " loaded, " << refused << " refused";
  printf("damaged images: %d loaded, %d refused, %lu ms\n", loaded, refused, elapsed);
  ResetImageLists();
}

}  // namespace
