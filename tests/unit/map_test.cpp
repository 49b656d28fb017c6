// Maps: sizes (raised to 1, refused when the record cannot exist), clearing
// with icon 0, copy on write of cells, parameter fields, the empty map.
#include <gtest/gtest.h>
#include "media_setup.h"
#include "values/map.h"

namespace {

class MapTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
  void TearDown() override {
    Maps.RemoveAll();
    Icons.RemoveAll();
  }
};

TEST_F(MapTest, SizesBelowOneBecomeOne) {
  const int32_t cases[][4] = {{0, 0, 1, 1}, {-5, 3, 1, 3}, {4, -1, 4, 1}, {15, 10, 15, 10}};
  for (const auto& c : cases) {
    Map m(c[0], c[1]);
    EXPECT_EQ(c[2], m.Width()) << c[0] << " x " << c[1];
    EXPECT_EQ(c[3], m.Height()) << c[0] << " x " << c[1];
    EXPECT_EQ(1, m.Data->RefCount);
    for (int32_t i = 0; i < m.Width() * m.Height(); i++)
      ASSERT_EQ(&EmptyIconData, m.Data->Cells()[i].Icon.Data);
  }
}

UINT QuietMessageBoxes;
int WINAPI QuietMessageBox(HWND, LPCSTR, LPCSTR, UINT) {
  QuietMessageBoxes++;
  return IDOK;
}

// Sizes whose cell bytes do not fit 32 bits end the run as exhausted memory
// rather than giving a record shorter than its cells.
TEST_F(MapTest, SizesWhoseRecordCannotExistAreRefused) {
  const int32_t cases[][2] = {{65536, 65536}, {65536, 4096}, {0x7FFFFFFF, 0x7FFFFFFF}, {1 << 28, 1}};
  for (const auto& c : cases) {
    EXPECT_EXIT(
        {
          MemorySys.MessageBoxA = QuietMessageBox;
          Map m(c[0], c[1]);
          m.Cell(m.Width() - 1, m.Height() - 1).Param = 1;
        },
        testing::ExitedWithCode(253), "")
        << c[0] << " x " << c[1];
  }
}

TEST_F(MapTest, AppendNewClearsWithIconZero) {
  EXPECT_EQ(0, Maps.AppendNew(DefaultMapWidth, DefaultMapHeight));
  const Map& empty = Maps[0];
  EXPECT_EQ(15, empty.Width());
  EXPECT_EQ(10, empty.Height());
  for (int32_t y = 0; y < 10; y++)
    for (int32_t x = 0; x < 15; x++) {
      ASSERT_EQ(&EmptyIconData, empty.Cell(x, y).Icon.Data) << x << "," << y;
      ASSERT_EQ(0u, empty.Cell(x, y).Param);
    }

  Icons.AppendNew();
  Icons.AppendNew();
  EXPECT_EQ(1, Maps.AppendNew(3, 2));
  for (int32_t i = 0; i < 6; i++) EXPECT_EQ(Icons[0].Data, Maps[1].Data->Cells()[i].Icon.Data);
  EXPECT_EQ(7, Icons[0].Data->RefCount);
}

TEST_F(MapTest, MakeUniqueCopiesCellsAndSharesTheirIcons) {
  Icons.AppendNew();
  Map a(2, 2);
  a.Clear();
  a.Cell(1, 1).Param = 0x1234;
  Map b(a);
  b.MakeUnique();
  ASSERT_NE(a.Data, b.Data);
  b.Cell(1, 1).Param = 7;
  b.Cell(0, 1).Icon.Empty();
  EXPECT_EQ(0x1234u, a.Cell(1, 1).Param);
  EXPECT_EQ(Icons[0].Data, a.Cell(0, 1).Icon.Data);
  EXPECT_EQ(a.Cell(0, 0).Icon.Data, b.Cell(0, 0).Icon.Data) << "icons shared, not copied";
  EXPECT_EQ(1 + 4 + 3, Icons[0].Data->RefCount);
}

TEST_F(MapTest, ReleasingTheLastHandleReleasesEveryCellIcon) {
  Icons.AppendNew();
  {
    Map a(4, 3);
    a.Clear();
    Map b(a);
    EXPECT_EQ(13, Icons[0].Data->RefCount);
  }
  EXPECT_EQ(1, Icons[0].Data->RefCount);
}

TEST_F(MapTest, ParamFieldsReplaceOnlyTheirBits) {
  struct Case {
    uint32_t Before;
    MapParamField Field;
    uint32_t Value, After, Read;
  };
  const Case cases[] = {
      {0, MapValue1, 1024, 0, 0},
      {0xFFC00, MapValue1, 1024, 0xFFC00, 0},
      {0, MapValue1, 1023, 0x3FF, 1023},
      {0xFFFFFFFF, MapValue2, 0, 0xFFF003FF, 0},
      {0, MapValue2, 5, 5 << 10, 5},
      {0, MapValue3, 200, 72u << 20, 72},
      {0, MapFlags[0], 1, 0x08000000, 1},
      {0xFFFFFFFF, MapFlags[4], 0, 0x7FFFFFFF, 0},
  };
  for (const Case& c : cases) {
    uint32_t after = SetParamField(c.Before, c.Field, c.Value);
    EXPECT_EQ(c.After, after) << std::hex << c.Before << " mask " << c.Field.Mask << " value " << c.Value;
    EXPECT_EQ(c.Read, GetParamField(after, c.Field)) << std::hex << c.Field.Mask;
  }
  const uint32_t all = 0xFFFFFFFF;
  EXPECT_EQ(1023u, GetParamField(all, MapValue1));
  EXPECT_EQ(1023u, GetParamField(all, MapValue2));
  EXPECT_EQ(127u, GetParamField(all, MapValue3));
  for (const MapParamField& f : MapFlags) EXPECT_EQ(1u, GetParamField(all, f));
}

TEST_F(MapTest, EmptyMapsShareOneRecord) {
  Map a, b;
  EXPECT_EQ(EmptyMapData, a.Data);
  EXPECT_EQ(a.Data, EmptyMap.Data);
  EXPECT_EQ(1, a.Width());
  EXPECT_EQ(&EmptyIconData, a.Cell(0, 0).Icon.Data);
  a.MakeUnique();
  a.Cell(0, 0).Param = 5;
  EXPECT_EQ(0u, b.Cell(0, 0).Param);
  Maps.AppendCopy(3);
  EXPECT_EQ(EmptyMapData, Maps[0].Data);
}

}  // namespace
