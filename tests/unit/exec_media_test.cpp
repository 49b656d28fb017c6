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

// Two icons with equal pixels are different values; icon reads an icon
// variable like picture.
TEST_F(ExecMedia, CaseMatchesTheSameRecord) {
  Icons.AppendNew();
  Icons.AppendNew();
  Pictures.Append(EmptyPicture);
  Numbers.Append(0);
  Assemble(R"(
global
  function -> main_def
  i1: picture datatable=9 dataindex=0
  i2: picture datatable=9 dataindex=1
  r: real datatable=6 dataindex=0
  p: background datatable=11 dataindex=0
local
  main_def: function -> main_body
program
  main_body: function
    case
      case_expr
        @i1
      case_on
        case_equ
          @i2
        @r
          1
      case_on
        case_equ
          icon @i1
        @r
          2
    case
      case_expr
        @p
      case_on
        case_equ
          @p
        @r
          3
)");
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
  Assemble(R"(
global
  function -> main_def
  f: function -> f_def
  i1: picture datatable=9 dataindex=0
  i2: picture datatable=9 dataindex=1
  s: sprite datatable=12 dataindex=1
  r: real datatable=6 dataindex=0
  h: function -> h_def
local
  main_def: function -> main_body
  f_def: function -> f_body
    iparam
      arg: sprite datatable=12 dataindex=0
    oparam
      sprite datatable=12 dataindex=1
    real datatable=6 dataindex=0
    text datatable=7 dataindex=0
    logic datatable=8 dataindex=0
    map datatable=10 dataindex=0
    background datatable=11 dataindex=0
    sound datatable=13 dataindex=0
    music datatable=14 dataindex=0
    list
      list_size 2
      sound datatable=13 dataindex=0
    picture datatable=9 dataindex=0
  h_def: function -> h_body
    oparam
      hr: picture datatable=9 dataindex=0
program
  main_body: function
    @i1
      @h
    case
      case_expr
        @f
          @arg
            @s
      case_on
        case_equ
          @s
        @r
          1
  f_body: function
    wait
  h_body: function
    @hr
      @i2
)");
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
  Assemble(R"(
program
  color iconindex=0
  color
  color iconindex=9
)");
  Link();
  const double colors[] = {(double)PaletteColors[5], (double)PaletteColors[212], (double)PaletteColors[212]};
  for (int32_t i = 0; i < 3; i++) {
    int32_t start = CompiledCodeCount;
    ASSERT_TRUE(CompileNum(i));
    EXPECT_EQ(colors[i], StepNumber(CompiledCode[start])) << "item " << i;
  }
  EXPECT_NE(PaletteColors[5], PaletteColors[212]);
}

TEST_F(ExecMedia, IconReadsAnIconVariable) {
  Icons.AppendNew();
  Assemble(R"(
global
  i: picture datatable=9 dataindex=0
program
  icon @i
  @i
  icon
)");
  Link();
  EXPECT_EQ("ExecIconGlobal 0 -1 0\n", CompileAlone(KindIcon, 0));
  EXPECT_EQ("ExecIconGlobal 0 -1 0\n", CompileAlone(KindIcon, 1));
  EXPECT_EQ("fails", CompileAlone(KindIcon, 2));
}

}  // namespace
