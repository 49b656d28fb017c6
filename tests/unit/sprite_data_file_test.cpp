// Sprites through the data files: written at the write offset and read back
// at the read offset, a bad header leaving the offset, and a file whose
// stated pixel-code count exceeds what it holds.
#include <string.h>
#include "fake_files.h"
#include "media_setup.h"
#include "system/file_data_elements.h"
#include "values/sprite_file.h"

namespace {

class SpriteDataFileTest : public DataFilesTest {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
};

// A sprite of 2 phases and 3 directions, 5 x 4 pixels in every palette
// colour, with timing of its own.
void MakeSprite(Sprite& s, int32_t seed) {
  s.NewData(2, 3);
  SpriteData* d = s.Data.Data;
  d->SetRestPhaseCount(2);
  d->Delay = 300 + seed;
  d->Level = -seed;
  d->Step = 0.5;
  for (int32_t k = 0; k < d->PictureCount(); k++) {
    Picture& p = d->Pictures()[k];
    p.New(5, 4);
    for (int32_t i = 0; i < 20; i++) p.Data->Pixels[i] = (uint8_t)((i * 7 + k * 31 + seed) % 224);
  }
}

void ExpectSame(SpriteData* a, SpriteData* b, const char* what) {
  ASSERT_EQ(a->PhaseCount, b->PhaseCount) << what;
  ASSERT_EQ(a->DirectionCount, b->DirectionCount) << what;
  EXPECT_EQ(a->RestPhaseCount, b->RestPhaseCount) << what;
  EXPECT_EQ(a->Delay, b->Delay) << what;
  EXPECT_EQ(a->Level, b->Level) << what;
  EXPECT_EQ(a->Step, b->Step) << what;
  for (int32_t k = 0; k < a->PictureCount(); k++) {
    const Picture& p = a->Pictures()[k];
    const Picture& q = b->Pictures()[k];
    ASSERT_EQ(p.Width(), q.Width()) << what << ": picture " << k;
    ASSERT_EQ(p.Height(), q.Height()) << what << ": picture " << k;
    EXPECT_EQ(0, memcmp(p.Pixels(), q.Pixels(), 20)) << what << ": picture " << k;
  }
}

TEST_F(SpriteDataFileTest, TwoSpritesWrittenInARowReadBack) {
  WriteFileName = Text("s");
  ReadFileName = Text("s");
  Sprite first, second;
  MakeSprite(first, 1);
  MakeSprite(second, 2);
  WriteFileState.Offset = 3;  // after bytes of the program's own
  SaveSpriteFile(first);
  int32_t middle = WriteFileState.Offset;
  SaveSpriteFile(second);
  CloseFiles();
  EXPECT_EQ(0, FileError);
  EXPECT_EQ((size_t)WriteFileState.Offset, FakeDisk.Files["s"].size());

  Sprite a, b;
  ReadFileState.Offset = 3;
  LoadSpriteFile(a);
  EXPECT_EQ(middle, ReadFileState.Offset) << "the reader stops after its file";
  LoadSpriteFile(b);
  EXPECT_EQ(WriteFileState.Offset, ReadFileState.Offset);
  EXPECT_EQ(0, FileError);
  ExpectSame(first.Data.Data, a.Data.Data, "first");
  ExpectSame(second.Data.Data, b.Data.Data, "second");
}

TEST_F(SpriteDataFileTest, BadHeaderKeepsTheOffset) {
  std::vector<uint8_t> file(100, 0);
  memcpy(file.data() + 10, "YSPX", 4);
  FakeDisk.Files["s"] = file;
  ReadFileName = Text("s");
  ReadFileState.Offset = 10;
  Sprite s;
  LoadSpriteFile(s);
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(10, ReadFileState.Offset);
  EXPECT_EQ(EmptySpriteData, s.Data.Data);

  // A file that ends inside the header fails the same way.
  FakeDisk.Files["s"].resize(20);
  memcpy(FakeDisk.Files["s"].data() + 10, "YSPR", 4);
  CloseFiles();
  FileError = 0;
  LoadSpriteFile(s);
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(10, ReadFileState.Offset);
}

// The stated count of the pixel code says 4 GiB; the reader takes the bytes
// the file holds and stops at its end (a buffer of the stated size would end
// the process as exhausted memory).
TEST_F(SpriteDataFileTest, StatedCodeCountBeyondTheFile) {
  Sprite s;
  MakeSprite(s, 5);
  WriteFileName = Text("s");
  SaveSpriteFile(s);
  CloseFiles();
  std::vector<uint8_t>& file = FakeDisk.Files["s"];
  memset(&file[SpriteFileCodeOffset - 4], 0xFF, 4);
  file.push_back(0x55);  // a byte of something after the sprite

  ReadFileName = Text("s");
  Sprite back;
  LoadSpriteFile(back);
  EXPECT_EQ((int32_t)file.size(), ReadFileState.Offset);
  ExpectSame(s.Data.Data, back.Data.Data, "read to the end of the file");
}

TEST_F(SpriteDataFileTest, FailingWriteSetsTheFlag) {
  Sprite s;
  MakeSprite(s, 0);
  WriteFileName = Text("s");
  FakeDisk.FailWriteFrom = 1;
  SaveSpriteFile(s);
  CloseFiles();
  EXPECT_EQ(1, FileError);
  EXPECT_TRUE(FakeDisk.Files["s"].empty());
}

}  // namespace
