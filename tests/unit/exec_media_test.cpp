// The media kinds in compiled programs: case matches a shared record, value
// calls of every kind deliver their result, frames of every kind balance,
// sprite locals are fresh objects, and an item's icon gives a colour.
#include "program_fixture.h"
#include "values/palette.h"

namespace {

class ExecMedia : public ProgramTest {
 public:
  int32_t ListCounts[10];
  void RememberCounts() {
    int32_t counts[10] = {Numbers.Count, Texts.Count, Logics.Count, Icons.Count,   Maps.Count,
                          Pictures.Count, Sprites.Count, Sounds.Count, Musics.Count, ListRecords.Count};
    memcpy(ListCounts, counts, sizeof counts);
  }
  void ExpectCountsKept() {
    int32_t counts[10] = {Numbers.Count, Texts.Count, Logics.Count, Icons.Count,   Maps.Count,
                          Pictures.Count, Sprites.Count, Sounds.Count, Musics.Count, ListRecords.Count};
    for (int32_t i = 0; i < 10; i++) EXPECT_EQ(ListCounts[i], counts[i]) << "list " << i;
  }
  void CompileAndRun() {
    ASSERT_TRUE(Compile());
    RememberCounts();
    Run();
  }
};

// Two icons with equal pixels are different values; element 0 reads an icon
// variable like 44.
TEST_F(ExecMedia, CaseMatchesTheSameRecord) {
  Icons.AppendNew();
  Icons.AppendNew();
  Pictures.Append(EmptyPicture);
  Numbers.Append(0);
  Global.Parse({"47 d3:0", "44 d9:0", "44 d9:1", "43 d6:0", "246 d11:0"});
  Local.Parse({"47 d4:0"});
  Program.Parse({"47", "  11", "    12", "      44 g1", "    13", "      14", "        44 g2", "      43 g3",
                 "        18", "    13", "      14", "        0 g1", "      43 g3", "        19", "  11", "    12",
                 "      246 g4", "    13", "      14", "        246 g4", "      43 g3", "        20"});
  CompileAndRun();
  EXPECT_EQ(3, Numbers[0]);
  ExpectCountsKept();
}

// h's icon result is set from a global. f has locals of every kind; its
// sprite result keeps its initial value's appearance, which a case on f()
// matches; inside the body the sprite argument is a hidden sprite at rest
// sharing the caller's data.
SpriteData* CallerSpriteData;
bool SpriteArgumentFresh;
void LookAtSpriteArgument() {
  const Sprite& s = Sprites[Sprites.Count - 2];  // below the sprite result
  SpriteArgumentFresh = s.Held() == CallerSpriteData && !s.Visible && !s.Moving;
}

TEST_F(ExecMedia, ValueCallsAndFramesOfEveryKind) {
  Icons.AppendNew();
  Icons.AppendNew();
  Maps.AppendNew(2, 2);
  Pictures.Append(EmptyPicture);
  Sprites.AppendNew();
  Sprites.AppendNew();
  Sprites[1].NewData(2, 1);
  Sprites[1].Visible = 1;
  Sounds.Append(EmptySound);
  Musics.Append(EmptyMusic);
  Numbers.Append(0);
  Texts.Append(Text("t"));
  Logics.Append(1);
  Global.Parse({"47 d3:0", "47 d3:1", "44 d9:0", "44 d9:1", "49 d12:1", "43 d6:0", "47 d3:18"});
  Local.Parse({"47 d4:0", "47 d4:13", "  53", "    49 d12:0", "  54", "    49 d12:1", "  43 d6:0", "  51 d7:0",
               "  63 d8:0", "  48 d10:0", "  246 d11:0", "  45 d13:0", "  46 d14:0", "  56", "    255", "      19",
               "    45 d13:0", "  44 d9:0", "47 d4:15", "  54", "    44 d9:0"});
  Program.Parse({"47", "  44 g2", "    47 g6", "  11", "    12", "      47 g1", "        49 l3", "          49 g4",
                 "    13", "      14", "        49 g4", "      43 g5", "        18",
                 "47", "  122", "47", "  44 l20", "    44 g3"});
  CallerSpriteData = Sprites[1].Held();
  Fake.OnWait = LookAtSpriteArgument;
  CompileAndRun();
  EXPECT_EQ(Icons[1].Held(), Icons[0].Held()) << "the icon result";
  EXPECT_EQ(1, Numbers[0]) << "the sprite result has the initial value's appearance";
  EXPECT_TRUE(SpriteArgumentFresh);
  EXPECT_EQ(1, Fake.Waits);
  ExpectCountsKept();
}

TEST_F(ExecMedia, ColorOfTheItemsIcon) {
  if (!PaletteColors) BuildPaletteTables();
  Icons.AppendNew();
  Icons[0].WritablePixels()[16 * 32 + 16] = 5;
  Icons[0].WritablePixels()[16 * 32 + 15] = 7;
  Program.Parse({"301 i0", "301", "301 i9"});
  Link();
  const double colors[] = {(double)PaletteColors[5], (double)PaletteColors[212], (double)PaletteColors[212]};
  for (int32_t i = 0; i < 3; i++) {
    int32_t start = CompiledCodeCount;
    ASSERT_TRUE(CompileNum(i));
    EXPECT_EQ(colors[i], StepNumber(CompiledCode[start])) << "item " << i;
  }
  EXPECT_NE(PaletteColors[5], PaletteColors[212]);
}

TEST_F(ExecMedia, ElementZeroReadsAnIconVariable) {
  Icons.AppendNew();
  Global.Parse({"44 d9:0"});
  Program.Parse({"0 g0", "44 g0", "0"});
  Link();
  EXPECT_EQ("ExecIconGlobal 0 -1 0\n", CompileAlone(KindIcon, 0));
  EXPECT_EQ("ExecIconGlobal 0 -1 0\n", CompileAlone(KindIcon, 1));
  EXPECT_EQ("fails", CompileAlone(KindIcon, 2));
}

}  // namespace
