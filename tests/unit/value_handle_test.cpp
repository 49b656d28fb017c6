// The handle rules on a small test kind: sharing, copy on write, release,
// image records that are never freed, and the handle-list operations.
#include <gtest/gtest.h>
#include "base/global_storage.h"
#include "values/value_handle.h"

namespace {

struct TestRecord {
  int32_t RefCount;
  int32_t Value;
};

int32_t FreedRecords;
TestRecord TestEmptyRecord = {1, -1};

class TestHandle : public ValueHandle<TestHandle, TestRecord> {
 public:
  static TestRecord* EmptyRecord() { return &TestEmptyRecord; }
  static void FreeRecord(TestRecord* r) {
    FreedRecords++;
    MemFree(r);
  }
  static TestRecord* CopyRecord(const TestRecord* r) { return NewRecord(r->Value); }
  static TestRecord* NewRecord(int32_t value) {
    TestRecord* r = (TestRecord*)MemAlloc(sizeof(TestRecord));
    r->RefCount = 1;
    r->Value = value;
    return r;
  }
  static const TestHandle& EmptyValue();
  void New(int32_t value) { Replace(NewRecord(value)); }
};

GLOBAL_OBJECT(TestHandle, EmptyTest);
const TestHandle& TestHandle::EmptyValue() { return EmptyTest; }

class ValueHandleTest : public testing::Test {
 protected:
  void SetUp() override {
    FreedRecords = 0;
    TestEmptyRecord.RefCount = 1;
    EmptyTest.InitEmpty();
  }
};

TEST_F(ValueHandleTest, EmptyHandlesShareTheEmptyRecordAndNeverFreeIt) {
  {
    TestHandle a, b;
    EXPECT_EQ(&TestEmptyRecord, a.Data);
    EXPECT_EQ(a.Data, b.Data);
    EXPECT_EQ(4, TestEmptyRecord.RefCount);  // own unit, the global, a, b
  }
  EmptyTest.~TestHandle();
  EXPECT_EQ(1, TestEmptyRecord.RefCount);
  EXPECT_EQ(0, FreedRecords);
}

TEST_F(ValueHandleTest, CopiesShareAndTheLastReleaseFrees) {
  TestHandle* a = new TestHandle;
  a->New(7);
  TestRecord* r = a->Data;
  TestHandle* b = new TestHandle(*a);
  TestHandle c;
  c = *b;
  EXPECT_EQ(r, b->Data);
  EXPECT_EQ(r, c.Data);
  EXPECT_EQ(3, r->RefCount);
  delete a;
  delete b;
  EXPECT_EQ(0, FreedRecords);
  c.Empty();
  EXPECT_EQ(1, FreedRecords);
  EXPECT_EQ(&TestEmptyRecord, c.Data);
}

TEST_F(ValueHandleTest, SelfAssignmentKeepsTheRecord) {
  TestHandle a;
  a.New(3);
  TestRecord* r = a.Data;
  TestHandle& same = a;
  a = same;
  EXPECT_EQ(r, a.Data);
  EXPECT_EQ(1, r->RefCount);
  EXPECT_EQ(3, a.Data->Value);
  EXPECT_EQ(0, FreedRecords);
}

TEST_F(ValueHandleTest, MakeUniqueCopiesOnlySharedRecords) {
  TestHandle a;
  a.New(5);
  TestRecord* r = a.Data;
  a.MakeUnique();
  EXPECT_EQ(r, a.Data) << "a private record is changed in place";

  TestHandle b(a);
  b.MakeUnique();
  EXPECT_NE(r, b.Data);
  EXPECT_EQ(1, r->RefCount);
  EXPECT_EQ(1, b.Data->RefCount);
  EXPECT_EQ(5, b.Data->Value);
  b.Data->Value = 6;
  EXPECT_EQ(5, a.Data->Value);

  TestHandle e;
  e.MakeUnique();
  e.Data->Value = 9;
  EXPECT_EQ(-1, TestEmptyRecord.Value) << "changing an empty value never changes the empty record";
}

TEST_F(ValueHandleTest, ImageRecordsAreNeverFreed) {
  TestRecord image = {ImageCountBase, 1};
  {
    TestHandle a, b;
    a.Assign(&image);
    b = a;
    b.MakeUnique();  // a record over image data is always copied before a change
    EXPECT_NE(&image, b.Data);
    EXPECT_EQ(ImageCountBase + 1, image.RefCount);
  }
  EXPECT_EQ(ImageCountBase, image.RefCount);
  EXPECT_EQ(1, FreedRecords) << "only the private copy";
}

typedef HandleList<TestHandle> TestList;

TEST_F(ValueHandleTest, GetOutsideGivesTheEmptyValue) {
  TestList list;
  TestHandle a;
  a.New(2);
  list.Append(a);
  EXPECT_EQ(&list[0], &list.Get(0));
  for (int32_t i : {1, -1, 1 << 30})
    EXPECT_EQ(&EmptyTest, &list.Get(i)) << "index " << i;
}

TEST_F(ValueHandleTest, AppendCopyIndexesOutsideGiveTheEmptyValue) {
  struct Case {
    int32_t Index;
    bool Shares;
  };
  const Case cases[] = {{0, true}, {1, true}, {2, false}, {3, false}, {-1, false}, {0x7FFFFFFF, false}};
  for (const Case& c : cases) {
    TestList list;
    TestHandle a, b;
    a.New(10);
    b.New(11);
    list.Append(a);
    list.Append(b);
    int32_t at = list.AppendCopy(c.Index);
    EXPECT_EQ(2, at);
    EXPECT_EQ(3, list.Count);
    if (c.Shares)
      EXPECT_EQ(list[c.Index].Data, list[2].Data) << "index " << c.Index;
    else
      EXPECT_EQ(&TestEmptyRecord, list[2].Data) << "index " << c.Index;
  }
}

TEST_F(ValueHandleTest, AppendCopiesAppendsAtLeastOne) {
  const int32_t counts[][2] = {{-3, 1}, {0, 1}, {1, 1}, {4, 4}};
  for (const auto& n : counts) {
    TestList list;
    TestHandle a;
    a.New(1);
    list.Append(a);
    EXPECT_EQ(1, list.AppendCopies(0, n[0]));
    EXPECT_EQ(1 + n[1], list.Count) << "n " << n[0];
    EXPECT_EQ(2 + n[1], a.Data->RefCount) << "n " << n[0];
  }
}

TEST_F(ValueHandleTest, AppendingAnItemSurvivesGrowth) {
  TestList list;
  TestHandle a;
  a.New(4);
  list.Append(a);
  for (int32_t i = 1; i < 3000; i++) list.Append(list[i - 1]);
  EXPECT_EQ(3000, list.Count);
  EXPECT_EQ(4096, list.Capacity);
  EXPECT_EQ(3001, a.Data->RefCount);
  EXPECT_EQ(a.Data, list[2999].Data);
  list.RemoveAll();
  EXPECT_EQ(1, a.Data->RefCount);
  EXPECT_EQ(nullptr, list.Items);
  EXPECT_EQ(0, list.Capacity);
}

TEST_F(ValueHandleTest, RemoveLastReleasesFromTheEnd) {
  const int32_t removals[][2] = {{0, 3}, {2, 1}, {3, 0}, {10, 0}};
  for (const auto& r : removals) {
    TestList list;
    for (int32_t i = 0; i < 3; i++) {
      TestHandle h;
      h.New(i);
      list.Append(h);
    }
    FreedRecords = 0;
    list.RemoveLast(r[0]);
    EXPECT_EQ(r[1], list.Count) << "n " << r[0];
    EXPECT_EQ(3 - r[1], FreedRecords) << "n " << r[0];
    for (int32_t i = 0; i < list.Count; i++) EXPECT_EQ(i, list[i].Data->Value);
  }
}

}  // namespace
