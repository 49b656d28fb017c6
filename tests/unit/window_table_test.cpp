// The window table on a table of its own: growth by 40, the last-in-first-out
// free list, what a fresh entry holds and what freeing releases.
#include <gtest/gtest.h>
#include <vector>
#include "image_setup.h"
#include "window/main_window.h"
#include "window/window_table.h"

namespace {

class WindowTableTest : public testing::Test {
 public:
  WindowTable Table;
  void SetUp() override {
    ResetImageLists();
    Table.Init();
  }
  void TearDown() override { Table.Destroy(); }
};

TEST_F(WindowTableTest, GrowthAndFreeListOrder) {
  // Each step: free these indexes (in order), then take `take` entries and
  // expect these indexes and this capacity.
  const struct {
    const char* Name;
    std::vector<int32_t> Free;
    std::vector<int32_t> Expected;
    int32_t Capacity;
  } steps[] = {
      {"first entries of an empty table", {}, {0, 1, 2, 3, 4, 5}, 40},
      {"freed entry taken again", {5}, {5}, 40},
      {"last freed first", {2, 4, 3}, {3, 4, 2, 6}, 40},
  };
  for (auto& s : steps) {
    for (int32_t i : s.Free) Table.FreeItem(i);
    for (int32_t expected : s.Expected) EXPECT_EQ(expected, Table.NewItem()) << s.Name;
    EXPECT_EQ(s.Capacity, Table.Capacity) << s.Name;
  }
  EXPECT_EQ(7, Table.Count);
  while (Table.Count < 40) Table.NewItem();
  EXPECT_EQ(40, Table.Capacity) << "40 live entries fit the first growth";
  EXPECT_EQ(40, Table.NewItem()) << "the 41st entry";
  EXPECT_EQ(80, Table.Capacity);
  EXPECT_EQ(41, Table.NewItem()) << "new entries are taken in ascending order";
}

TEST_F(WindowTableTest, FreshEntry) {
  int32_t a = Table.NewItem();
  int32_t b = Table.NewItem();
  // Dirty entry b, free it, and take it again: nothing of the old contents stays.
  Table[b].Type = 7;
  Table[b].Clicked = 1;
  Table[b].X = 99;
  Table[b].FontWidth = 2.5;
  Table.FreeItem(b);
  EXPECT_EQ(b, Table.NewItem());
  for (int32_t i : {a, b}) {
    WindowItem& item = Table[i];
    EXPECT_EQ(i, item.Prev) << i;
    EXPECT_EQ(i, item.Next) << i;
    EXPECT_EQ(&EmptyTextData, item.Text.Data) << i;
    EXPECT_EQ(&EmptyIconData, item.Icon.Data) << i;
    EXPECT_EQ(EmptyPicture.Data, item.Picture.Data) << i;
    EXPECT_EQ(nullptr, item.Handle) << i;
    EXPECT_EQ(0, item.Type) << i;
    EXPECT_EQ(0, item.Clicked) << i;
    EXPECT_EQ(0, item.X) << i;
    EXPECT_EQ(0.0, item.FontWidth) << i;
    EXPECT_EQ(nullptr, item.BackBrush) << i;
    EXPECT_EQ(nullptr, item.Font) << i;
    EXPECT_EQ(nullptr, item.PaddedPixels) << i;
  }
}

TEST_F(WindowTableTest, FreeingIndexesThatNameNoEntry) {
  for (int i = 0; i < 3; i++) Table.NewItem();
  Table.FreeItem(1);
  const struct {
    const char* Name;
    int32_t Index;
  } cases[] = {{"negative", -1}, {"far negative", INT32_MIN}, {"capacity", 40},
               {"beyond capacity", 1000}, {"already free", 1}, {"never taken", 10}};
  for (auto& c : cases) {
    int32_t count = Table.Count, head = Table.FreeHead;
    Table.FreeItem(c.Index);
    EXPECT_EQ(count, Table.Count) << c.Name;
    EXPECT_EQ(head, Table.FreeHead) << c.Name;
    EXPECT_FALSE(Table.IsLive(c.Index)) << c.Name;
  }
  EXPECT_TRUE(Table.IsLive(0));
  EXPECT_TRUE(Table.IsLive(2));
}

TEST_F(WindowTableTest, FreeingReleasesWhatTheEntryOwns) {
  ButtonFaceBrush = CreateSolidBrush(RGB(1, 2, 3));
  EditBackBrush = CreateSolidBrush(RGB(4, 5, 6));
  const struct {
    const char* Name;
    HBRUSH Brush;
    bool Survives;
  } cases[] = {
      {"shared button face brush", ButtonFaceBrush, true},
      {"shared edit brush", EditBackBrush, true},
      {"own brush", CreateSolidBrush(RGB(7, 8, 9)), false},
  };
  for (auto& c : cases) {
    Text kept("window text");
    int32_t i = Table.NewItem();
    Table[i].BackBrush = c.Brush;
    Table[i].Text = kept;
    Table[i].PaddedPixels = (uint8_t*)MemAlloc(36 * 3);
    EXPECT_EQ(2, kept.Data->RefCount) << c.Name;
    Table.FreeItem(i);
    EXPECT_EQ(1, kept.Data->RefCount) << c.Name << ": the text reference is returned";
    EXPECT_EQ(c.Survives, GetObjectType(c.Brush) == OBJ_BRUSH) << c.Name;
  }
  DeleteObject(ButtonFaceBrush);
  DeleteObject(EditBackBrush);
  ButtonFaceBrush = EditBackBrush = nullptr;
}

TEST_F(WindowTableTest, DestroyReleasesEveryLiveEntry) {
  Text kept("shared");
  for (int i = 0; i < 45; i++) {
    int32_t k = Table.NewItem();
    Table[k].Text = kept;
  }
  Table.FreeItem(3);
  EXPECT_EQ(45, kept.Data->RefCount);
  Table.Destroy();
  EXPECT_EQ(1, kept.Data->RefCount);
  EXPECT_EQ(0, Table.Count);
  EXPECT_EQ(0, Table.Capacity);
  EXPECT_EQ(-1, Table.FreeHead);
  EXPECT_EQ(0, Table.NewItem()) << "a destroyed table starts again at 0";
}

}  // namespace
