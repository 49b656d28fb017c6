// The image loader: what each table becomes in its global list, the defaults
// of empty tables, records over image data (counts, states, pointers) and the
// storage links of lists and sprites.
#include <gtest/gtest.h>
#include <string.h>
#include "image/image_format.h"
#include "image/image_loader.h"
#include "image_fixtures.h"
#include "image_setup.h"
#include "values/music.h"
#include "values/sound.h"
#include "values/sprite.h"

namespace {

uint32_t Get32(const uint8_t* p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

// Record k of a table of u32-sized records (icons, music).
const uint8_t* SizedRecord(int table, int k) {
  const uint8_t* p = GetImageTable(table);
  while (k-- > 0) p += 4 + Get32(p);
  return p;
}

class ImageLoaderTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUpMediaValues();
    SetLanguage(EnglishLanguageIndex);
  }
  void TearDown() override { ResetImageLists(); }
};

TEST_F(ImageLoaderTest, EmptyTablesGetTheDefaults) {
  ASSERT_TRUE(LoadTestProgram(MainProgram));
  EXPECT_EQ(0, Numbers.Count);
  EXPECT_EQ(0, Texts.Count);
  EXPECT_EQ(0, Logics.Count);
  ASSERT_EQ(1, Icons.Count);
  EXPECT_EQ(1 + 150, Icons[0].Data->RefCount);  // a new icon, on every cell of the new map
  ASSERT_EQ(1, Maps.Count);
  EXPECT_EQ(15, Maps[0].Width());
  EXPECT_EQ(10, Maps[0].Height());
  EXPECT_EQ(Icons[0].Data, Maps[0].Cell(14, 9).Icon.Data);  // cleared with icon 0
  EXPECT_EQ(0, Pictures.Count);
  ASSERT_EQ(2, Sprites.Count);
  EXPECT_EQ(EmptySpriteData, Sprites[0].Data.Data);
  EXPECT_EQ(EmptySpriteData, Sprites[1].Data.Data);
  EXPECT_EQ(0, Sounds.Count);
  EXPECT_EQ(0, Musics.Count);
  EXPECT_EQ(1, GlobalItemCount);
  EXPECT_EQ(1, LocalItemCount);
  EXPECT_EQ(1, ProgramItemCount);
  EXPECT_EQ(reinterpret_cast<const ProgramItem*>(GetImageTable(TableLocal)), LocalItems);
  EXPECT_EQ(GetImageTable(TableGlobal) + 32, GetImageTable(TableLocal));
}

TEST_F(ImageLoaderTest, OneSpriteGetsTheSecondBuiltIn) {
  ASSERT_TRUE(LoadTestProgram(std::string(MainProgram) + "sprite s phases=3\n"));
  ASSERT_EQ(2, Sprites.Count);
  EXPECT_EQ(3, Sprites[0].Data.Data->PhaseCount);
  EXPECT_EQ(EmptySpriteData, Sprites[1].Data.Data);
  ASSERT_TRUE(LoadTestProgram(std::string(MainProgram) + "sprite s\nsprite t\nsprite u\n"));
  EXPECT_EQ(3, Sprites.Count);
}

TEST_F(ImageLoaderTest, ConstantsInTableOrder) {
  ASSERT_TRUE(LoadTestProgram(FullProgram));
  // REAL: the numbers line first, then the items' values in table order.
  const double numbers[] = {1, 2, 3, 7, 1, 1, 2, 1, 0};
  ASSERT_LE(9, Numbers.Count);
  for (int32_t k = 0; k < 9; k++) EXPECT_EQ(numbers[k], Numbers[k]) << k;
  ASSERT_LE(3, Logics.Count);
  EXPECT_EQ(1, Logics[0]);
  EXPECT_EQ(0, Logics[1]);
  EXPECT_EQ(1, Logics[2]);
  EXPECT_TRUE(Texts[0].EqualsChars("Caption"));
  EXPECT_TRUE(Texts[1].EqualsChars("en"));
  EXPECT_EQ(2, Icons.Count);
  EXPECT_EQ(1, Maps.Count);
  EXPECT_EQ(1, Pictures.Count);
  EXPECT_EQ(2, Sprites.Count);
  EXPECT_EQ(2, Sounds.Count);
  EXPECT_EQ(1, Musics.Count);
}

TEST_F(ImageLoaderTest, IconsAndPicturesStayCompressedInTheImage) {
  ASSERT_TRUE(LoadTestProgram(FullProgram));
  for (int32_t k = 0; k < Icons.Count; k++) {
    IconData* r = Icons[k].Data;
    EXPECT_EQ(Compressed, r->State) << k;
    EXPECT_EQ(SizedRecord(TablePicture, k), r->Pixels) << k;
    EXPECT_EQ(nullptr, r->WindowIcon);
    EXPECT_EQ(nullptr, r->Cursor);
  }
  // Each list item holds its record once, and so does each map cell: the
  // ball is on one cell, the wall on ten of the twelve.
  EXPECT_EQ(ImageCountBase + 1 + 1, Icons[0].Data->RefCount);
  EXPECT_EQ(ImageCountBase + 1 + 10, Icons[1].Data->RefCount);
  PictureData* sky = Pictures[0].Data;
  EXPECT_EQ(ImageCountBase + 1, sky->RefCount);
  EXPECT_EQ(Compressed, sky->State);
  EXPECT_EQ(40, sky->Width);
  EXPECT_EQ(20, sky->Height);
  EXPECT_EQ(GetImageTable(TableBackgrnd) + 8, sky->Pixels);

  // First use decodes the pixels into the shared record and leaves the image state.
  const uint8_t* pixels = Icons[0].Pixels();
  EXPECT_EQ(Unclassified, Icons[0].Data->State);
  EXPECT_EQ(2, Icons[0].Data->RefCount);
  EXPECT_EQ(200, pixels[31 * 32 + 1]);  // the grid's top row
  EXPECT_EQ(3, pixels[0]);              // the fill
}

TEST_F(ImageLoaderTest, MapsAreBuiltFromTheirCells) {
  ASSERT_TRUE(LoadTestProgram(FullProgram));
  const Map& map = Maps[0];
  EXPECT_EQ(1, map.Data->RefCount);
  ASSERT_EQ(4, map.Width());
  ASSERT_EQ(3, map.Height());
  EXPECT_EQ(Icons[1].Data, map.Cell(0, 0).Icon.Data);
  EXPECT_EQ(0u, map.Cell(0, 0).Param);
  EXPECT_EQ(Icons[0].Data, map.Cell(1, 1).Icon.Data);
  EXPECT_EQ(0x801u, map.Cell(1, 1).Param);
  EXPECT_EQ(&EmptyIconData, map.Cell(3, 2).Icon.Data);  // icon index 9: outside Icons
}

TEST_F(ImageLoaderTest, SpritesShareImagePictures) {
  ASSERT_TRUE(LoadTestProgram(std::string(MainProgram) + R"(
sprite a phases=2 directions=3 rest=9 w=8 h=4 delay=100 level=7 step=2.5
sprite b phases=2 rest=0
)"));
  SpriteData* a = Sprites[0].Data.Data;
  EXPECT_EQ(1, a->RefCount);
  EXPECT_EQ(2, a->PhaseCount);
  EXPECT_EQ(3, a->DirectionCount);
  EXPECT_EQ(2, a->RestPhaseCount);  // lowered to the phases
  EXPECT_EQ(100, a->Delay);
  EXPECT_EQ(7, a->Level);
  EXPECT_EQ(2.5, a->Step);
  const uint8_t* p = GetImageTable(TableSprite) + 32;
  for (int32_t k = 0; k < 6; k++) {
    PictureData* r = a->Pictures()[k].Data;
    EXPECT_EQ(ImageCountBase + 1, r->RefCount) << k;
    EXPECT_EQ(Compressed, r->State) << k;
    EXPECT_EQ(8, r->Width);
    EXPECT_EQ(4, r->Height);
    EXPECT_EQ(p, r->Pixels) << k;
    p += 4 + Get32(p);
  }
  EXPECT_EQ(1, Sprites[1].Data.Data->RestPhaseCount);  // 0 is raised to 1
}

TEST_F(ImageLoaderTest, SoundsAndMusicPointIntoTheImage) {
  ASSERT_TRUE(LoadTestProgram(FullProgram));
  const uint8_t* beep = GetImageTable(TableSound);
  SoundData* s = Sounds[0].Data;
  EXPECT_EQ(ImageCountBase + 1, s->RefCount);  // the global variable lives in this entry
  EXPECT_EQ((int32_t)Get32(beep), s->Size);
  EXPECT_EQ(11025, s->SamplesPerSec);
  EXPECT_EQ(1, s->FormatTag);
  EXPECT_EQ(1, s->Channels);
  EXPECT_EQ(8, s->BitsPerSample);
  EXPECT_EQ(0, s->FormatHeaderSize);
  EXPECT_EQ(beep + 12, s->Data);
  SoundData* packed = Sounds[1].Data;
  EXPECT_EQ(2, packed->FormatTag);
  EXPECT_EQ(4, packed->BitsPerSample);
  EXPECT_EQ(18 + 2, packed->FormatHeaderSize);
  EXPECT_EQ(beep + 12 + s->Size + 12, packed->Data);
  MusicData* m = Musics[0].Data;
  EXPECT_EQ(GetImageTable(TableMusic) + 4, m->Data);
  EXPECT_EQ((int32_t)Get32(GetImageTable(TableMusic)), m->Size);
  EXPECT_EQ(0, memcmp(m->Data, "MThd", 4));
}

TEST_F(ImageLoaderTest, ListsOfEveryKindGetStorage) {
  ASSERT_TRUE(LoadTestProgram(std::string(MainProgram) + R"(
picture p
sprite s
global
  list
    list_size 3
    i: picture = p
    hero: sprite = s
      sprite_x
      sprite_vis
    m: map
    w: sound = beep
    t: music = tune
    b: background = sky
background sky
sound beep
music tune
)"));
  // GLOBAL: 0 function, 1 list, 2 list_size, 3 digit, 4 i, 5 hero, 6 sprite_x,
  // 7 sprite_vis, 8 m, 9 w, 10 t, 11 b.
  EXPECT_EQ(1, GlobalItemLinks[4].DataIndex);
  EXPECT_EQ(4, Icons.Count);
  for (int32_t k = 1; k < 4; k++) EXPECT_EQ(Icons[0].Data, Icons[k].Data);
  EXPECT_EQ(ImageCountBase + 4 + 150, Icons[0].Data->RefCount);  // and the default map's cells
  EXPECT_EQ(2, GlobalItemLinks[5].DataIndex);  // after the two sprites of the image
  EXPECT_EQ(5, Sprites.Count);
  EXPECT_EQ(Sprites[0].Data.Data, Sprites[4].Data.Data);
  for (int32_t k : {6, 7}) {  // the properties address the sprite itself
    EXPECT_EQ(2, GlobalItemLinks[k].DataIndex) << k;
    EXPECT_EQ(0, GlobalItemLinks[k].ListIndex) << k;
  }
  EXPECT_EQ(1, GlobalItemLinks[8].DataIndex);  // no initial value: empty maps
  EXPECT_EQ(4, Maps.Count);
  EXPECT_EQ(EmptyMapData, Maps[1].Data);
  EXPECT_EQ(1, GlobalItemLinks[9].DataIndex);
  EXPECT_EQ(4, Sounds.Count);
  EXPECT_EQ(1, GlobalItemLinks[10].DataIndex);
  EXPECT_EQ(4, Musics.Count);
  EXPECT_EQ(1, GlobalItemLinks[11].DataIndex);
  EXPECT_EQ(4, Pictures.Count);
}

TEST_F(ImageLoaderTest, LocalSpritePropertiesTakeTheSpritesSlot) {
  ASSERT_TRUE(LoadTestProgram(R"(
local
  f: function
    s: sprite
      sprite_x
      sprite_y
    t: sprite
)"));
  EXPECT_EQ(2, LocalItemLinks[1].LocalSlot);
  EXPECT_EQ(2, LocalItemLinks[2].LocalSlot);
  EXPECT_EQ(2, LocalItemLinks[3].LocalSlot);
  EXPECT_EQ(1, LocalItemLinks[4].LocalSlot);
}

}  // namespace
