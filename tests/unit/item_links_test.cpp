// Item links: trees from the two flags, number literals, list records with
// the storage of global lists, the slots of locals and sprite property links.
#include <gtest/gtest.h>
#include <math.h>
#include <string>
#include <vector>
#include "image/item_links.h"
#include "image_setup.h"

namespace {

class ItemLinksTest : public testing::Test {
 protected:
  void SetUp() override { SetLanguage(EnglishLanguageIndex); }
  void TearDown() override { ResetImageLists(); }
};

struct TreeCase {
  const char* Name;
  std::vector<uint32_t> Flags;
  std::vector<int32_t> Parents;
  std::vector<int32_t> Sizes;
};

TEST_F(ItemLinksTest, TreesFromTheFlags) {
  const TreeCase cases[] = {
      {"one item", {0}, {-1}, {1}},
      {"an item and its only child", {0x01, 0x00}, {-1, 0}, {2, 1}},
      {"nested with siblings",
       {0x03, 0x03, 0x00, 0x00, 0x00},
       {-1, 0, 1, 0, -1},
       {4, 2, 1, 1, 1}},
      {"two levels close at once", {0x01, 0x01, 0x00, 0x00}, {-1, 0, 1, -1}, {3, 2, 1, 1}},
      {"top level without next flags", {0x00, 0x01, 0x00}, {-1, -1, 1}, {1, 2, 1}},
      {"children announced by the last item", {0x00, 0x01}, {-1, -1}, {1, 1}},
      {"a next sibling that never comes", {0x01, 0x02}, {-1, 0}, {1, 1}},
      {"ignored flag bits", {0x01 | 0x04 | 0x20 | 0x40 | 0x10, 0x80}, {-1, 0}, {2, 1}},
  };
  for (const TreeCase& c : cases) {
    std::vector<ProgramItem> items;
    for (size_t k = 0; k < c.Flags.size(); k++)
      items.push_back({c.Flags[k], 0, 0, -1, (int32_t)k * 10 - 1, -1, -1, 43});
    std::vector<ItemLinks> links(items.size());
    BuildItemLinks(items.data(), links.data(), (int32_t)items.size());
    for (size_t k = 0; k < items.size(); k++) {
      EXPECT_EQ(c.Parents[k], links[k].Parent) << c.Name << ", item " << k;
      EXPECT_EQ(c.Sizes[k], links[k].SubtreeSize) << c.Name << ", item " << k;
      EXPECT_EQ((int32_t)k * 10 - 1, links[k].DataIndex) << c.Name << ", item " << k;
      EXPECT_EQ(-1, links[k].ListIndex);
      EXPECT_EQ(-1, links[k].LocalSlot);
      EXPECT_EQ(-1, links[k].LocalListNumber);
      EXPECT_EQ(-1, links[k].CodeStart);
    }
  }
}

// Every item opens a new level: when the last one announces children too, the
// depth reaches the item count, which is where the work arrays need their
// one extra entry. When the last one closes them, every subtree ends there.
TEST_F(ItemLinksTest, ChainAsDeepAsTheTable) {
  for (bool closed : {false, true}) {
    for (int32_t count : {1, 2, 255, 256, 1023, 1024, 4096}) {
      std::vector<ProgramItem> items(count, ProgramItem{0x01, 0, 0, -1, -1, -1, -1, 1});
      if (closed) items.back().Flags = 0;
      std::vector<ItemLinks> links(count + 1, ItemLinks{7, 7, 7, 7, 7, 7, 7});
      BuildItemLinks(items.data(), links.data(), count);
      for (int32_t k = 0; k < count; k++) {
        ASSERT_EQ(k - 1, links[k].Parent) << count << " items, item " << k;
        ASSERT_EQ(closed ? count - k : 1, links[k].SubtreeSize) << count << " items, item " << k;
      }
      EXPECT_EQ(7, links[count].Parent) << "nothing written past the table";
    }
  }
}

TEST_F(ItemLinksTest, NoItemsNoLinks) {
  ItemLinks untouched = {5, 5, 5, 5, 5, 5, 5};
  ProgramItem item = {0, 0, 0, -1, -1, -1, -1, 1};
  BuildItemLinks(&item, &untouched, 0);
  BuildItemLinks(&item, &untouched, -3);
  EXPECT_EQ(5, untouched.Parent);
}

struct LiteralCase {
  const char* Item;  // one PROGRAM item, with its children
  double Expected;
};

TEST_F(ItemLinksTest, NumberLiterals) {
  const LiteralCase cases[] = {
      {"num 12.5", 12.5},
      {"num -3", -3},
      {"num\n    num_minus", -1},                // a lone minus is -1
      {"num 1E3", 1000},
      {"num \"7 apples\"", 7},             // no digits: the item's own text
      {"num \"apples\"", 0},
      {"num", 0},                          // neither
      {"num 5 \"9\"", 5},                  // digits win over the text
      {"num\n    1\n    2 off\n    3\n    num_exponent off80\n    2", 132},  // switched-off parts add nothing
      {"num\n    group\n      4\n    2", 42},  // every descendant counts
      {"num textindex=99", 0},             // text index outside Texts
  };
  for (const LiteralCase& c : cases) {
    std::string program = std::string("texts \"x\"\nprogram\n  ") + c.Item + "\n";
    if (std::string(c.Item).find("textindex=99") != std::string::npos) {
      // The checker refuses the index, so the literal is tried on links built here.
      std::vector<ProgramItem> item = {{0, 0, 0, -1, -1, -1, 99, 16}};
      ItemLinks links = {-1, 1, -1, -1, -1, -1, -1};
      EXPECT_EQ(c.Expected, GetNumberLiteral(item.data(), &links)) << c.Item;
      continue;
    }
    ASSERT_TRUE(LoadTestProgram(program)) << c.Item;
    EXPECT_EQ(c.Expected, GetNumberLiteral(&ProgramItems[0], &ProgramItemLinks[0])) << c.Item;
  }
}

struct ListCase {
  const char* Items;  // the children of a global list
  int32_t Size, Index, Auto;
};

TEST_F(ItemLinksTest, ListRecordSizeIndexAndAuto) {
  const ListCase cases[] = {
      {"list_size 3", 3, 0, 0},
      {"list_size \"3 items\"", 3, 0, 0},
      {"list_size \"items\"", 1, 0, 0},
      {"list_size 0.3", 1, 0, 0},
      {"list_size 1.5", 2, 0, 0},
      {"list_size 2.49", 2, 0, 0},
      {"list_size 2000000", 1048576, 0, 0},
      {"list_size 1E300", 1048576, 0, 0},
      {"list_size -5", 1, 0, 0},
      {"real = 1", 1, 0, 0},  // no list_size item
      {"list_size 5\n    list_index = -1", 5, 4, 0},
      {"list_size 5\n    list_index = 7", 5, 2, 0},
      {"list_size 5\n    list_index = 2.5", 5, 3, 0},
      {"list_size 5\n    list_index = -2.5", 5, 2, 0},
      {"list_size 5\n    list_index = 1E300", 5, 2, 0},  // outside int32: INT32_MIN mod 5
      {"list_size 5\n    list_index = nan", 5, 2, 0},
      {"list_size 5\n    list_index", 5, 0, 0},           // no value: 0.0
      {"list_size 5\n    list_auto = 2.5", 5, 0, 2},      // ties to even
      {"list_size 5\n    list_auto = 3.5", 5, 0, 4},
      {"list_size 5\n    list_auto = -1", 5, 0, -1},
  };
  for (const ListCase& c : cases) {
    ASSERT_TRUE(LoadTestProgram(std::string("global\n  list\n    ") + c.Items + "\n")) << c.Items;
    ASSERT_EQ(1, ListRecords.Count) << c.Items;
    EXPECT_EQ(0, GlobalItemLinks[0].ListIndex);
    EXPECT_EQ(c.Size, ListRecords[0].Size) << c.Items;
    EXPECT_EQ(c.Index, ListRecords[0].Index) << c.Items;
    EXPECT_EQ(c.Auto, ListRecords[0].Auto) << c.Items;
    EXPECT_EQ(0, ListRecords[0].Reserved);
  }
}

TEST_F(ItemLinksTest, GlobalListsGetStorageLocalListsDoNot) {
  ASSERT_TRUE(LoadTestProgram(R"(
global
  first: real = 1
  list
    list_size 3
    x: real = 7
    name: text = "n"
    flag: logic = true
  plain: real = 2
  list
    list_size 1
    y: real = 4
local
  f: function
    list
      list_size 3
      z: real = 9
)"));
  // GLOBAL items: 0 first, 1 list, 2 list_size, 3 its digit, 4 x, 5 name,
  // 6 flag, 7 plain, 8 list, 9 list_size, 10 digit, 11 y. LOCAL: 0 f, 1 list,
  // 2 list_size, 3 digit, 4 z.
  // REAL records: first, x, plain, y, z; then three copies of x.
  ASSERT_EQ(8, Numbers.Count);
  EXPECT_EQ(5, GlobalItemLinks[4].DataIndex);  // x lives in the first copy
  for (int32_t i = 5; i < 8; i++) EXPECT_EQ(7.0, Numbers[i]);
  EXPECT_EQ(0, GlobalItemLinks[0].DataIndex);
  EXPECT_EQ(2, GlobalItemLinks[7].DataIndex);   // plain stays
  EXPECT_EQ(3, GlobalItemLinks[11].DataIndex);  // a list of size 1 keeps its variable in place
  ASSERT_EQ(4, Texts.Count);
  EXPECT_EQ(1, GlobalItemLinks[5].DataIndex);
  EXPECT_TRUE(Texts[1].EqualsChars("n"));
  EXPECT_TRUE(Texts[3].EqualsChars("n"));
  ASSERT_EQ(4, Logics.Count);
  EXPECT_EQ(1, GlobalItemLinks[6].DataIndex);
  EXPECT_EQ(1, Logics[3]);
  EXPECT_EQ(4, LocalItemLinks[4].DataIndex);  // z keeps its initial value's entry
  ASSERT_EQ(3, ListRecords.Count);
  for (int32_t k = 1; k <= 6; k++) EXPECT_EQ(0, GlobalItemLinks[k].ListIndex) << k;
  EXPECT_EQ(-1, GlobalItemLinks[0].ListIndex);
  EXPECT_EQ(-1, GlobalItemLinks[7].ListIndex);
  EXPECT_EQ(1, GlobalItemLinks[11].ListIndex);
  EXPECT_EQ(2, LocalItemLinks[4].ListIndex);
}

TEST_F(ItemLinksTest, NestedAndSwitchedOffLists) {
  ASSERT_TRUE(LoadTestProgram(R"(
global
  list
    list_size 2
    list
      list_size 3
      a: real = 1
    b: real = 2
  list off
    list_size 4
    c: real = 3
)"));
  // Items: 0 list, 1 list_size, 2 digit, 3 inner list, 4 list_size, 5 digit,
  // 6 a, 7 b, 8 switched-off list, 9 list_size, 10 digit, 11 c.
  // The inner list is part of the outer one: one record of size 2 for both.
  ASSERT_EQ(1, ListRecords.Count);
  EXPECT_EQ(2, ListRecords[0].Size);
  for (int32_t k = 0; k < 8; k++) EXPECT_EQ(0, GlobalItemLinks[k].ListIndex) << k;
  EXPECT_EQ(-1, GlobalItemLinks[8].ListIndex);  // switched off: no record
  EXPECT_EQ(-1, GlobalItemLinks[11].ListIndex);
  EXPECT_EQ(2, GlobalItemLinks[11].DataIndex);  // and c stays plain
  EXPECT_EQ(3, GlobalItemLinks[6].DataIndex);   // a and b got two copies each
  EXPECT_EQ(5, GlobalItemLinks[7].DataIndex);
  EXPECT_EQ(7, Numbers.Count);
}

struct SlotCase {
  int32_t Item;
  int32_t Slot, ListNumber;
};

void ExpectSlots(const char* name, const std::vector<SlotCase>& cases) {
  for (const SlotCase& c : cases) {
    EXPECT_EQ(c.Slot, LocalItemLinks[c.Item].LocalSlot) << name << ", item " << c.Item;
    EXPECT_EQ(c.ListNumber, LocalItemLinks[c.Item].LocalListNumber) << name << ", item " << c.Item;
  }
}

TEST_F(ItemLinksTest, LocalSlotsCountFromTheTopOfTheFrame) {
  ASSERT_TRUE(LoadTestProgram(R"(
local
  f: function
    a: real = 1
    list
      list_size 4
      b: real = 2
    c: real = 3
    t: text = "x"
  g: function
    d: real = 4
    list
      list_size 2
      e: text = "y"
    list
      list_size 3
      p: real = 5
)"));
  // f: 0 f, 1 a, 2 list, 3 list_size, 4 digit, 5 b, 6 c, 7 t; g from 8: 9 d,
  // 10 list, 13 e, 14 list, 17 p.
  ExpectSlots("f", {{0, -1, -1}, {1, 6, -1}, {2, -1, 1}, {3, -1, 1}, {4, -1, 1}, {5, 5, 1},
                    {6, 1, -1}, {7, 1, -1}});
  // g numbers its own frame: lists from the last one up.
  ExpectSlots("g", {{8, -1, -1}, {9, 4, -1}, {10, -1, 2}, {13, 2, 2}, {14, -1, 1}, {17, 3, 1}});
}

TEST_F(ItemLinksTest, LocalsWithoutInitialValueTakeSlots) {
  ASSERT_TRUE(LoadTestProgram(R"(
local
  f: function
    a: real = 1
    x: real
    c: real = 2
    s: text
)"));
  // x is pushed with the default value like every local, so it has a slot
  // and a stays at 3, where the pushed frame has it.
  EXPECT_TRUE(TakesLocalSlot(LocalItems[2]));
  ExpectSlots("f", {{1, 3, -1}, {2, 2, -1}, {3, 1, -1}, {4, 1, -1}});
}

TEST_F(ItemLinksTest, NestedListKeepsTheOuterListsNumber) {
  ASSERT_TRUE(LoadTestProgram(R"(
local
  f: function
    list
      list_size 2
      list
        list_size 3
        y: real = 1
      z: real = 2
    w: real = 3
)"));
  // Items: 0 f, 1 list, 2 list_size, 3 digit, 4 inner list, 5 list_size,
  // 6 digit, 7 y, 8 z, 9 w. The inner list item still counts as a pushed list
  // record (number 1), but every item of the outer list, after the inner one
  // too, carries the outer list's number 2; y and z are elements of the outer
  // list (size 2).
  ExpectSlots("f", {{1, -1, 2}, {2, -1, 2}, {4, -1, 2}, {6, -1, 2}, {7, 5, 2}, {8, 3, 2},
                    {9, 1, -1}});
}

}  // namespace
