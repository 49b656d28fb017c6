// Tests of music values: the shared empty music, sharing of MIDI bytes by
// reference, image records that are never freed, and the list of music.
#include <gtest/gtest.h>
#include <string.h>
#include "values/music.h"

namespace {

class MusicTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!EmptyMusic.Data) InitEmptyMusic();
  }
};

// A heap record with its own copy of the bytes that no handle holds yet.
MusicData* HeapMusic(const char* bytes, int32_t size) {
  MusicData* r = (MusicData*)MemAlloc(sizeof(MusicData));
  r->RefCount = 0;
  r->Size = size;
  r->Data = (uint8_t*)MemAlloc(size);
  memcpy(r->Data, bytes, size);
  return r;
}

TEST_F(MusicTest, EmptyMusicValuesShareOneEmptyRecord) {
  Music a, b;
  EXPECT_EQ(&EmptyMusicData, a.Data);
  EXPECT_EQ(&EmptyMusicData, EmptyMusic.Data);
  EXPECT_EQ(0, EmptyMusicData.Size);
  EXPECT_NE(nullptr, EmptyMusicData.Data);
  int32_t count = EmptyMusicData.RefCount;
  {
    Music c(a);
    EXPECT_EQ(count + 1, EmptyMusicData.RefCount);
  }
  EXPECT_EQ(count, EmptyMusicData.RefCount);
}

TEST_F(MusicTest, CopiesShareTheBytesAndEmptyLetsGoOfThem) {
  Music a;
  a.Assign(HeapMusic("MThd", 4));
  MusicData* r = a.Data;
  Music b(a), c;
  c = b;
  EXPECT_EQ(r, b.Data);
  EXPECT_EQ(r, c.Data);
  EXPECT_EQ(3, r->RefCount);
  EXPECT_EQ(0, memcmp("MThd", c.Data->Data, 4));
  c = c;
  EXPECT_EQ(3, r->RefCount);
  b.Empty();
  c.Empty();
  EXPECT_EQ(&EmptyMusicData, b.Data);
  EXPECT_EQ(1, r->RefCount);
  EXPECT_EQ(r, a.Data);
}

TEST_F(MusicTest, ImageMusicIsNeverFreed) {
  uint8_t image[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
  MusicData record = {ImageCountBase, (int32_t)sizeof image, image};
  {
    MusicList list;
    list.Init();
    EXPECT_EQ(0, list.AppendRecord(&record));
    EXPECT_EQ(1, list.AppendCopy(0));
    EXPECT_EQ(2, list.Append(list[1]));
    EXPECT_EQ(ImageCountBase + 3, record.RefCount);
    Music held = list.Get(2);
    list.RemoveAll();
    EXPECT_EQ(ImageCountBase + 1, record.RefCount);
    EXPECT_EQ(image, held.Data->Data);
  }
  EXPECT_EQ(ImageCountBase, record.RefCount);
  EXPECT_EQ(0, memcmp(image, "MThd\0\0\0\6", 8));
}

TEST_F(MusicTest, ListReadsOutsideTheListGiveTheEmptyMusic) {
  InitMusics();
  EXPECT_EQ(0, Musics.Count);
  EXPECT_EQ(nullptr, Musics.Items);
  EXPECT_EQ(0, Musics.AppendCopy(0));
  EXPECT_EQ(1, Musics.AppendCopies(-1, 0));
  EXPECT_EQ(2, Musics.Count);
  EXPECT_EQ(&EmptyMusicData, Musics[0].Data);
  EXPECT_EQ(&EmptyMusicData, Musics[1].Data);
  EXPECT_EQ(&EmptyMusic, &Musics.Get(-1));
  EXPECT_EQ(&EmptyMusic, &Musics.Get(2));
  Musics.RemoveLast(5);
  EXPECT_EQ(0, Musics.Count);
  Musics.RemoveAll();
}

}  // namespace
