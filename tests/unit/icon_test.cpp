// Icons: image icons decoded once in their shared record and never freed
// before that, New on private and shared records, classification, the list.
#include <gtest/gtest.h>
#include <string.h>
#include "media_setup.h"
#include "values/icon.h"

namespace {

class IconTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
  void TearDown() override { Icons.RemoveAll(); }

  // A record over image data, as the loader builds it.
  IconData ImageIcon(std::vector<uint8_t>& record) {
    return IconData{ImageCountBase, Compressed, nullptr, nullptr, record.data()};
  }
};

TEST_F(IconTest, ImageIconNeverUsedIsNeverFreed) {
  std::vector<uint8_t> record = ImageRecord(PatternPixels(32, 32, 1), 32);
  IconData image = ImageIcon(record);
  {
    Icons.AppendRecord(&image);
    Icons.AppendCopies(0, 3);
    EXPECT_EQ(ImageCountBase + 4, image.RefCount);
    Icons.RemoveAll();
  }
  EXPECT_EQ(ImageCountBase, image.RefCount);
  EXPECT_EQ(Compressed, image.State);
  EXPECT_EQ(record.data(), image.Pixels);
}

TEST_F(IconTest, DecompressDecodesTheSharedRecordOnce) {
  std::vector<uint8_t> pixels = PatternPixels(32, 32, 2);
  std::vector<uint8_t> record = ImageRecord(pixels, 32);
  const std::vector<uint8_t> original = record;
  IconData* image = (IconData*)MemAlloc(sizeof(IconData));
  *image = ImageIcon(record);
  Icon a, b;
  a.Assign(image);
  b = a;
  const uint8_t* decoded = b.Pixels();
  EXPECT_EQ(0, memcmp(pixels.data(), decoded, 1024));
  EXPECT_EQ(image, a.Data);
  EXPECT_EQ(decoded, a.Pixels()) << "decoded once, seen by every handle";
  EXPECT_EQ(2, image->RefCount) << "the count equals the handles again";
  EXPECT_EQ(Unclassified, image->State);
  EXPECT_EQ(original, record) << "the image's bytes are only read";
}

TEST_F(IconTest, LastReleaseOfADecodedIconDestroysItsCursor) {
  std::vector<uint8_t> record = ImageRecord(PatternPixels(32, 32, 3), 32);
  IconData* image = (IconData*)MemAlloc(sizeof(IconData));
  *image = ImageIcon(record);
  Icon* a = new Icon;
  a->Assign(image);
  a->Decompress();
  uint8_t andMask[128] = {}, xorMask[128] = {};
  HCURSOR cursor = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
  ASSERT_NE(nullptr, cursor);
  image->Cursor = cursor;
  Icon* b = new Icon(*a);
  delete a;
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(cursor, &info)) << "alive while a handle holds the record";
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  delete b;
  EXPECT_FALSE(GetIconInfo(cursor, &info)) << "destroyed with the record";
}

TEST_F(IconTest, NewKeepsAPrivateRecordAndReplacesASharedOne) {
  Icon a;
  a.New();
  IconData* own = a.Data;
  ASSERT_NE(&EmptyIconData, own);
  a.WritablePixels()[5] = 9;
  a.Classify();
  int32_t state = own->State;
  a.New();
  EXPECT_EQ(own, a.Data);
  EXPECT_EQ(9, a.Pixels()[5]);
  EXPECT_EQ(state, a.Data->State);

  Icon b(a);
  b.New();
  EXPECT_NE(own, b.Data);
  EXPECT_EQ(Unclassified, b.Data->State);
  EXPECT_EQ(1, own->RefCount);
  EXPECT_EQ(9, a.Pixels()[5]) << "the other sharer is unchanged";
}

TEST_F(IconTest, ChangingAnEmptyIconLeavesTheOthersEmpty) {
  Icon a, b;
  a.WritablePixels()[0] = 200;
  EXPECT_NE(&EmptyIconData, a.Data);
  EXPECT_EQ(&EmptyIconData, b.Data);
  EXPECT_EQ(0, b.Pixels()[0]);
  EXPECT_EQ(0, EmptyIcon.Pixels()[0]);
}

TEST_F(IconTest, ClassificationByPixels) {
  struct Case {
    const char* Name;
    uint8_t Fill, Odd;
    ImageState Expected;
  };
  const Case cases[] = {
      {"all transparent", 0, 0, Invisible}, {"one visible pixel", 0, 7, Masked},
      {"one transparent pixel", 7, 0, Masked}, {"one shadow pixel", 7, 1, Masked},
      {"all shadow", 1, 1, Masked},          {"all colours", 7, 223, Opaque},
  };
  for (const Case& c : cases) {
    Icon icon;
    uint8_t* p = icon.WritablePixels();
    memset(p, c.Fill, IconPixelCount);
    p[IconPixelCount - 1] = c.Odd;
    EXPECT_EQ(c.Expected, icon.Classify()) << c.Name;
    EXPECT_EQ(c.Expected, icon.Data->State) << c.Name << ": stored in the record";
  }
}

TEST_F(IconTest, ClassifyDecodesAnImageIconFirst) {
  std::vector<uint8_t> record = ImageRecord(std::vector<uint8_t>(1024, 0), 32);
  IconData* image = (IconData*)MemAlloc(sizeof(IconData));
  *image = ImageIcon(record);
  Icon a;
  a.Assign(image);
  EXPECT_EQ(Invisible, a.Classify());
  EXPECT_EQ(1, image->RefCount);
}

TEST_F(IconTest, ListAppendNewAndGet) {
  EXPECT_EQ(&EmptyIcon, &Icons.Get(0));
  int32_t i = Icons.AppendNew();
  EXPECT_EQ(0, i);
  EXPECT_EQ(1, Icons[0].Data->RefCount);
  EXPECT_EQ(Unclassified, Icons[0].Data->State);
  EXPECT_EQ(&Icons[0], &Icons.Get(0));
  EXPECT_EQ(&EmptyIcon, &Icons.Get(1));
  EXPECT_EQ(&EmptyIcon, &Icons.Get(-1));
}

}  // namespace
