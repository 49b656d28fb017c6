// The binder's output: a new last read-only data section holding the image,
// with the engine's location words pointing at it.
#include <gtest/gtest.h>
#include <string.h>
#include "lib/bind.h"
#include "lib/file_bytes.h"

namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

std::vector<uint8_t> Engine() {
  std::vector<uint8_t> engine;
  EXPECT_TRUE(ReadFileBytes(std::string(YELTO_BUILD_DIR) + "/yelto.exe", engine));
  return engine;
}

TEST(Bind, AppendsImageSectionAndPatchesWords) {
  std::vector<uint8_t> engine = Engine(), out, image(777);
  for (size_t i = 0; i < image.size(); i++) image[i] = (uint8_t)(i * 7);
  std::string error;
  ASSERT_TRUE(BindImage(engine, image, out, error)) << error;

  size_t pe = Get32(out, 0x3C), coff = pe + 4, opt = coff + 20;
  uint16_t sections = out[coff + 2] | out[coff + 3] << 8;
  EXPECT_EQ(engine[coff + 2] + 1, sections);
  size_t last = opt + (out[coff + 16] | out[coff + 17] << 8) + (sections - 1) * 40;
  EXPECT_EQ(0, memcmp(&out[last], ".yltprg\0", 8));
  EXPECT_EQ(0x40000040u, Get32(out, last + 36));
  uint32_t va = Get32(out, last + 12), rawPtr = Get32(out, last + 20);
  EXPECT_EQ(777u, Get32(out, last + 8));
  EXPECT_GE(Get32(out, opt + 56), va + 777);  // SizeOfImage covers it
  EXPECT_EQ(0, memcmp(&out[rawPtr], image.data(), image.size()));

  size_t marker = 0;
  for (size_t i = 0; i + 16 <= out.size(); i++)
    if (memcmp(&out[i], ImageLocationMarker, 16) == 0) marker = i;
  ASSERT_NE(0u, marker);
  EXPECT_EQ(va, Get32(out, marker + 16));
  EXPECT_EQ(777u, Get32(out, marker + 20));
}

TEST(Bind, RefusesWhatItCannotBind) {
  std::vector<uint8_t> engine = Engine(), once, twice, image(600, 1);
  std::string error;
  ASSERT_TRUE(BindImage(engine, image, once, error)) << error;
  EXPECT_FALSE(BindImage(once, image, twice, error));  // already bound
  std::vector<uint8_t> junk(4096, 0);
  EXPECT_FALSE(BindImage(junk, image, twice, error));
  std::vector<uint8_t> overlay = engine;
  overlay.push_back(0);  // trailing data after the last section
  EXPECT_FALSE(BindImage(overlay, image, twice, error));
}

}  // namespace
