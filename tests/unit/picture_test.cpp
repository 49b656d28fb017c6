// Pictures: sizes, image pictures decoded in their shared record, copy on
// write, pictures from icons and maps, imported pixels.
#include <gtest/gtest.h>
#include <string.h>
#include "media_setup.h"
#include "values/picture.h"

namespace {

class PictureTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
  void TearDown() override { Icons.RemoveAll(); }

  PictureData* ImagePicture(std::vector<uint8_t>& record, int32_t width, int32_t height) {
    PictureData* r = (PictureData*)MemAlloc(sizeof(PictureData));
    *r = PictureData{ImageCountBase, Compressed, (int16_t)width, (int16_t)height, record.data()};
    return r;
  }
};

TEST_F(PictureTest, SizesAreLimitedToWhatTheRecordHolds) {
  const int32_t cases[][4] = {{0, 0, 1, 1}, {-3, 7, 1, 7}, {40, 20, 40, 20}, {40000, 5, 32767, 5}};
  for (const auto& c : cases) {
    Picture p(c[0], c[1]);
    EXPECT_EQ(c[2], p.Width()) << c[0] << " x " << c[1];
    EXPECT_EQ(c[3], p.Height()) << c[0] << " x " << c[1];
    EXPECT_EQ(Unclassified, p.Data->State);
  }
}

TEST_F(PictureTest, MakeUniqueDecodesTheImageRecordThenCopies) {
  std::vector<uint8_t> pixels = PatternPixels(40, 3, 5);
  std::vector<uint8_t> record = ImageRecord(pixels, 40);
  PictureData* image = ImagePicture(record, 40, 3);
  Picture a, b;
  a.AttachRecord(image);
  b = a;
  b.MakeUnique();
  EXPECT_EQ(image, a.Data) << "the other handle still shares the image record";
  EXPECT_NE(image, b.Data);
  EXPECT_EQ(Unclassified, image->State);
  EXPECT_EQ(1, image->RefCount);
  EXPECT_EQ(0, memcmp(pixels.data(), image->Pixels, pixels.size()));
  EXPECT_EQ(0, memcmp(pixels.data(), b.Data->Pixels, pixels.size()));
  EXPECT_EQ(40, b.Width());
}

TEST_F(PictureTest, FromIconDecodesTheIconInItsRecord) {
  std::vector<uint8_t> pixels = PatternPixels(32, 32, 9);
  std::vector<uint8_t> record = ImageRecord(pixels, 32);
  IconData* image = (IconData*)MemAlloc(sizeof(IconData));
  *image = IconData{ImageCountBase, Compressed, nullptr, nullptr, record.data()};
  Icon icon;
  icon.Assign(image);
  Picture p;
  p.FromIcon(icon);
  EXPECT_EQ(Unclassified, image->State);
  EXPECT_EQ(1, image->RefCount);
  EXPECT_EQ(32, p.Width());
  EXPECT_EQ(32, p.Height());
  EXPECT_NE(image->Pixels, p.Data->Pixels);
  EXPECT_EQ(0, memcmp(pixels.data(), p.Pixels(), 1024));
}

TEST_F(PictureTest, FromTheEmptyMapIsTheEmptyIcon) {
  Picture p;
  p.FromMap(EmptyMap);
  ASSERT_EQ(32, p.Width());
  ASSERT_EQ(32, p.Height());
  EXPECT_EQ(std::vector<uint8_t>(1024, 0), std::vector<uint8_t>(p.Pixels(), p.Pixels() + 1024));
}

TEST_F(PictureTest, FromMapPlacesEachCellInItsBand) {
  Map map(3, 2);
  for (int32_t i = 0; i < 6; i++) {
    Icon& icon = map.Data->Cells()[i].Icon;
    std::vector<uint8_t> pixels = PatternPixels(32, 32, 11 * i);
    memcpy(icon.WritablePixels(), pixels.data(), 1024);
  }
  Picture p;
  p.FromMap(map);
  ASSERT_EQ(96, p.Width());
  ASSERT_EQ(64, p.Height());
  for (int32_t y = 0; y < 64; y++)
    for (int32_t x = 0; x < 96; x++) {
      const uint8_t* icon = map.Cell(x / 32, y / 32).Icon.Pixels();
      ASSERT_EQ(icon[(y % 32) * 32 + x % 32], p.Pixels()[y * 96 + x]) << "pixel " << x << "," << y;
    }
}

TEST_F(PictureTest, FromMapDecodesImageIcons) {
  std::vector<uint8_t> pixels = PatternPixels(32, 32, 4);
  std::vector<uint8_t> record = ImageRecord(pixels, 32);
  IconData* image = (IconData*)MemAlloc(sizeof(IconData));
  *image = IconData{ImageCountBase, Compressed, nullptr, nullptr, record.data()};
  Icons.AppendRecord(image);
  Map map(2, 1);
  map.Clear();
  Picture p;
  p.FromMap(map);
  EXPECT_EQ(Unclassified, image->State);
  EXPECT_EQ(0, memcmp(pixels.data() + 32, p.Pixels() + 64, 32)) << "second row of the first cell";
  EXPECT_EQ(0, memcmp(pixels.data() + 32, p.Pixels() + 64 + 32, 32)) << "second row of the second cell";
}

TEST_F(PictureTest, FromMapWiderThanAPictureIsCut) {
  Map map(1100, 2);
  Picture p;
  p.FromMap(map);
  EXPECT_EQ(1023 * 32, p.Width());
  EXPECT_EQ(64, p.Height());
}

TEST_F(PictureTest, ImportPixelsMapsColoursIntoAPrivateRecord) {
  for (int32_t i = 0; i < 256; i++) ColorImportMap[i] = (uint8_t)(255 - i);
  Picture a(4, 2);
  memset(a.Data->Pixels, 50, 8);
  a.Data->State = Opaque;
  Picture b(a);
  const uint8_t source[8] = {0, 1, 2, 3, 250, 251, 252, 255};
  b.ImportPixels(source);
  ASSERT_NE(a.Data, b.Data);
  EXPECT_EQ(1, a.Data->RefCount);
  EXPECT_EQ(50, a.Pixels()[0]) << "the other sharer keeps its pixels";
  const uint8_t expected[8] = {255, 254, 253, 252, 5, 4, 3, 0};
  EXPECT_EQ(0, memcmp(expected, b.Pixels(), 8));
  EXPECT_EQ(Unclassified, b.Data->State);
  EXPECT_EQ(4, b.Width());

  PictureData* own = a.Data;
  a.ImportPixels(source);
  EXPECT_EQ(own, a.Data) << "a private record is changed in place";
  EXPECT_EQ(Unclassified, a.Data->State);
}

TEST_F(PictureTest, ClassifyStoresTheStateInTheSharedRecord) {
  Picture a(2, 1);
  a.Data->Pixels[0] = 5;
  a.Data->Pixels[1] = 6;
  Picture b(a);
  EXPECT_EQ(Opaque, b.Classify());
  EXPECT_EQ(Opaque, a.Data->State);
}

}  // namespace
