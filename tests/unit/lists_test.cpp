// Tests of the lists: growth and size rules, reads and copies outside the
// list, inserts and removals, and the sharing of texts.
#include <gtest/gtest.h>
#include <string>
#include "base/lists.h"

namespace {

class ListsTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!EmptyText.Data) InitEmptyText();
  }
};

TEST_F(ListsTest, SizedConstructors) {
  IntList ints(5);
  LogicList logics(5);
  ASSERT_EQ(5, ints.Count);
  ASSERT_EQ(5, logics.Count);
  for (int32_t i = 0; i < 5; i++) {
    EXPECT_EQ(-1, ints[i]);
    EXPECT_EQ(0, logics[i]);
  }
}

TEST_F(ListsTest, NewListsHoldNothing) {
  RealList reals;
  TextList texts;
  EXPECT_EQ(nullptr, reals.Items);
  EXPECT_EQ(0, reals.Count);
  EXPECT_EQ(0, reals.Capacity);
  EXPECT_EQ(nullptr, texts.Items);
}

// Appends until the list is full twice over: the start capacity, then doubling.
template <class L, class V>
void CheckGrowth(const char* name, L& list, V v, int32_t start) {
  EXPECT_EQ(0, list.Append(v)) << name;
  EXPECT_EQ(start, list.Capacity) << name;
  for (int32_t i = 1; i < start; i++) list.Append(v);
  EXPECT_EQ(start, list.Capacity) << name;
  EXPECT_EQ(start, list.Append(v)) << name;
  EXPECT_EQ(2 * start, list.Capacity) << name;
}

TEST_F(ListsTest, AppendsGrowFromTheStartCapacityByDoubling) {
  IntList ints;
  LogicList logics;
  RealList reals;
  ListRecordList records;
  TextList texts;
  CheckGrowth("int", ints, 3, 1024);
  CheckGrowth("logic", logics, static_cast<uint8_t>(1), 4096);
  CheckGrowth("real", reals, 2.5, 512);
  CheckGrowth("list record", records, DefaultListRecord, 256);
  CheckGrowth("text", texts, Text("t"), 1024);
  EXPECT_EQ(3, ints[1024]);
  EXPECT_EQ(2.5, reals.Get(512));
}

TEST_F(ListsTest, SetSizeCapacities) {
  struct Case {
    int32_t n, intCapacity, logicCapacity, realCapacity;
  } cases[] = {
      {1, 2048, 8192, 2048},
      {1023, 2048, 8192, 2048},
      {1024, 3072, 8192, 3072},
      {3000, 4096, 8192, 4096},
      {4096, 6144, 12288, 6144},
  };
  for (const Case& c : cases) {
    IntList ints;
    LogicList logics;
    RealList reals;
    ints.SetSize(c.n);
    logics.SetSize(c.n);
    reals.SetSize(c.n);
    EXPECT_EQ(c.intCapacity, ints.Capacity) << c.n;
    EXPECT_EQ(c.logicCapacity, logics.Capacity) << c.n;
    EXPECT_EQ(c.realCapacity, reals.Capacity) << c.n;
    EXPECT_EQ(c.n, ints.Count);
  }
}

TEST_F(ListsTest, SetSizeWithinTheCapacityKeepsItemsAndArray) {
  RealList reals;
  for (int i = 0; i < 10; i++) reals.Append(i);
  void* items = reals.Items;
  reals.SetSize(3);
  reals.SetSize(8);
  EXPECT_EQ(items, reals.Items);
  EXPECT_EQ(512, reals.Capacity);
  EXPECT_EQ(8, reals.Count);
  EXPECT_EQ(2.0, reals.Get(2));
  reals.SetSize(600);  // above: the set-size rule, items kept
  EXPECT_EQ(2048, reals.Capacity);
  EXPECT_EQ(7.0, reals.Get(7));
}

TEST_F(ListsTest, ReadsOutsideGiveTheDefault) {
  RealList reals;
  reals.Append(1.5);
  TextList texts;
  texts.Append(Text("a"));
  const int32_t outside[] = {-1, 1, 2, INT32_MIN, INT32_MAX};
  for (int32_t i : outside) {
    EXPECT_EQ(0.0, reals.Get(i)) << i;
    EXPECT_EQ(0.0, reals.At(i)) << i;
    EXPECT_EQ(&EmptyText, &texts.Get(i)) << i;
  }
  EXPECT_EQ(1.5, reals.Get(0));
  EXPECT_EQ(1.5, reals.At(0));
  EXPECT_TRUE(texts.Get(0).EqualsChars("a"));
}

TEST_F(ListsTest, AppendCopy) {
  RealList reals;
  reals.Append(4.5);
  EXPECT_EQ(1, reals.AppendCopy(0));
  EXPECT_EQ(2, reals.AppendCopy(2));  // the new item's own slot is not a source
  EXPECT_EQ(3, reals.AppendCopy(-1));
  EXPECT_EQ(4.5, reals.Get(1));
  EXPECT_EQ(0.0, reals.Get(2));
  EXPECT_EQ(0.0, reals.Get(3));

  LogicList logics;
  logics.Append(1);
  logics.AppendCopy(0);
  logics.AppendCopy(5);
  EXPECT_EQ(1, logics[1]);
  EXPECT_EQ(0, logics[2]);

  ListRecordList records;
  records.AppendNew();
  records[0] = ListRecord{3, 10, 2, 0};
  records.AppendCopy(0);
  records.AppendCopy(-1);
  EXPECT_EQ(10, records[1].Size);
  EXPECT_EQ(2, records[1].Auto);
  const ListRecord& fresh = records[2];
  EXPECT_EQ(0, fresh.Index);
  EXPECT_EQ(1, fresh.Size);
  EXPECT_EQ(0, fresh.Auto);
  EXPECT_EQ(0, fresh.Reserved);
}

// The item copied is read before the array moves.
TEST_F(ListsTest, AppendCopyOfAnItemWhenTheListIsFull) {
  RealList reals;
  for (int i = 0; i < 512; i++) reals.Append(i + 0.5);
  ASSERT_EQ(reals.Count, reals.Capacity);
  reals.AppendCopy(3);
  EXPECT_EQ(3.5, reals.Get(512));
  TextList texts;
  for (int i = 0; i < 1024; i++) texts.Append(Text(i == 3 ? "three" : "other"));
  texts.AppendCopy(3);
  EXPECT_TRUE(texts.Get(1024).EqualsChars("three"));
  EXPECT_EQ(texts.Get(3).Data, texts.Get(1024).Data);
}

TEST_F(ListsTest, AppendCopies) {
  RealList reals;
  reals.Append(7.0);
  EXPECT_EQ(1, reals.AppendCopies(0, 3));
  EXPECT_EQ(4, reals.AppendCopies(9, 2));
  EXPECT_EQ(6, reals.AppendCopies(0, 0));  // still one item
  ASSERT_EQ(7, reals.Count);
  const double expected[] = {7, 7, 7, 7, 0, 0, 7};
  for (int i = 0; i < 7; i++) EXPECT_EQ(expected[i], reals.Get(i)) << i;

  LogicList logics;
  logics.Append(1);
  logics.AppendCopies(0, 4);
  logics.AppendCopies(-1, 2);
  EXPECT_EQ(7, logics.Count);
  EXPECT_EQ(1, logics[4]);
  EXPECT_EQ(0, logics[6]);
}

TEST_F(ListsTest, TextCopiesShareTheRecord) {
  TextList texts;
  texts.Append(Text("shared"));
  TextData* d = texts.Get(0).Data;
  ASSERT_EQ(1, d->RefCount);
  texts.AppendCopies(0, 3);
  EXPECT_EQ(4, d->RefCount);
  texts.AppendCopy(0);
  EXPECT_EQ(5, d->RefCount);
  texts.AppendCopy(99);
  EXPECT_EQ(&EmptyTextData, texts.Get(5).Data);
  texts.RemoveLast(3);
  EXPECT_EQ(3, d->RefCount);
  EXPECT_EQ(3, texts.Count);
}

TEST_F(ListsTest, TextAppendCopiesAcrossGrowth) {
  TextList texts;
  for (int i = 0; i < 1022; i++) texts.Append(Text("x"));
  texts.Append(Text("last"));
  texts.AppendCopies(1022, 5);
  EXPECT_EQ(1028, texts.Count);
  EXPECT_EQ(2048, texts.Capacity);
  for (int i = 1022; i < 1028; i++) EXPECT_TRUE(texts.Get(i).EqualsChars("last")) << i;
  EXPECT_EQ(6, texts.Get(1022).Data->RefCount);
}

TEST_F(ListsTest, TextSet) {
  TextList texts;
  texts.Append(Text("a"));
  Text b("b");
  texts.Set(0, b);
  EXPECT_EQ(b.Data, texts.Get(0).Data);
  EXPECT_EQ(2, b.Data->RefCount);
  texts.Set(1, b);
  texts.Set(-1, b);
  EXPECT_EQ(2, b.Data->RefCount);
  EXPECT_EQ(1, texts.Count);
}

// Removing the last items releases them from the last one down.
TEST_F(ListsTest, RemoveLastReleasesTexts) {
  Text outside("kept");
  TextList texts;
  texts.Append(Text("only here"));
  texts.Append(outside);
  texts.Append(outside);
  EXPECT_EQ(3, outside.Data->RefCount);
  texts.RemoveLast(2);
  EXPECT_EQ(1, outside.Data->RefCount);
  texts.RemoveLast(10);
  EXPECT_EQ(0, texts.Count);
  EXPECT_EQ(1024, texts.Capacity);  // the array stays
}

TEST_F(ListsTest, RemoveLastOfPlainLists) {
  struct Case {
    int32_t n, count;
  } cases[] = {{0, 5}, {2, 3}, {5, 0}, {15, 0}};
  for (const Case& c : cases) {
    IntList ints(5);
    ints.RemoveLast(c.n);
    EXPECT_EQ(c.count, ints.Count) << c.n;
    EXPECT_EQ(2048, ints.Capacity);
  }
}

TEST_F(ListsTest, IntInsert) {
  struct Case {
    int32_t at;
    std::vector<int32_t> expected;
  } cases[] = {
      {-7, {9, 1, 2, 3}}, {0, {9, 1, 2, 3}}, {1, {1, 9, 2, 3}},
      {3, {1, 2, 3, 9}},  {8, {1, 2, 3, 9}}, {INT32_MAX, {1, 2, 3, 9}},
  };
  for (const Case& c : cases) {
    IntList ints;
    for (int32_t v : {1, 2, 3}) ints.Append(v);
    ints.Insert(c.at, 9);
    ASSERT_EQ(4, ints.Count) << c.at;
    for (int32_t i = 0; i < 4; i++) EXPECT_EQ(c.expected[i], ints[i]) << "at " << c.at << " item " << i;
  }
}

TEST_F(ListsTest, InsertGrowsByTheSetSizeRule) {
  IntList ints;
  ints.Insert(0, 5);
  EXPECT_EQ(2048, ints.Capacity);
  RealList reals;
  reals.Insert(4, 1.5);
  EXPECT_EQ(2048, reals.Capacity);
  EXPECT_EQ(1.5, reals.Get(0));
  for (int i = 1; i < 2048; i++) reals.Insert(0, i);
  EXPECT_EQ(2048, reals.Capacity);
  reals.Insert(1, -1);
  EXPECT_EQ(4096, reals.Capacity);  // 2049 + 2048 rounded down to 1024s
  EXPECT_EQ(2047.0, reals.Get(0));
  EXPECT_EQ(-1.0, reals.Get(1));
  EXPECT_EQ(1.5, reals.Get(2048));
}

TEST_F(ListsTest, IntRemoveAt) {
  struct Case {
    int32_t at;
    std::vector<int32_t> expected;
  } cases[] = {
      {0, {2, 3}}, {1, {1, 3}}, {2, {1, 2}}, {3, {1, 2, 3}}, {-1, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    IntList ints;
    for (int32_t v : {1, 2, 3}) ints.Append(v);
    ints.RemoveAt(c.at);
    ASSERT_EQ(static_cast<int32_t>(c.expected.size()), ints.Count) << c.at;
    for (int32_t i = 0; i < ints.Count; i++) EXPECT_EQ(c.expected[i], ints[i]) << c.at;
  }
}

TEST_F(ListsTest, Fill) {
  LogicList logics(3);
  logics.Fill(1);
  IntList ints(2);
  ints.Fill(42);
  EXPECT_EQ(1, logics[2]);
  EXPECT_EQ(42, ints[0]);
  EXPECT_EQ(42, ints[1]);
}

TEST_F(ListsTest, RemoveAllFreesTheArray) {
  RealList reals;
  reals.Append(1);
  reals.RemoveAll();
  EXPECT_EQ(nullptr, reals.Items);
  EXPECT_EQ(0, reals.Count);
  EXPECT_EQ(0, reals.Capacity);
  Text outside("t");
  TextList texts;
  texts.Append(outside);
  texts.RemoveAll();
  EXPECT_EQ(1, outside.Data->RefCount);
  EXPECT_EQ(nullptr, texts.Items);
  EXPECT_EQ(0, texts.Capacity);
  reals.Append(2);  // usable again
  EXPECT_EQ(2.0, reals.Get(0));
}

}  // namespace
