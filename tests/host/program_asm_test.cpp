// The program assembler: items and their fields, import names, literals,
// texts by language, pictures, maps, sprites, sounds, music, raw overrides and
// the errors it reports.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include "image_fixtures.h"
#include "image/element_ids.h"
#include "lib/file_bytes.h"
#include "lib/program_asm.h"
#include "values/pixel_code.h"

namespace {

uint32_t Get32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24;
}

// The tables of an assembled image, found through its directory.
struct ImageView {
  std::vector<uint8_t> Bytes;
  explicit ImageView(const std::string& source) {
    std::string error;
    EXPECT_TRUE(AssembleImage(source, Bytes, error)) << error;
  }
  uint32_t ByteSize(int t) const { return Get32(&Bytes[16 + 32 * t]); }
  uint32_t Count(int t) const { return Get32(&Bytes[16 + 32 * t + 4]); }
  uint32_t Extra(int t, int e) const { return Get32(&Bytes[16 + 32 * t + 16 + 4 * e]); }
  // The writer puts the tables after the standard header, whatever its word says.
  const uint8_t* Table(int t) const {
    size_t at = ImageHeaderSize;
    for (int i = 0; i < t; i++) at += ByteSize(i);
    return &Bytes[at];
  }
  ProgramItem Item(int t, int k) const {
    ProgramItem item;
    memcpy(&item, Table(t) + 32 * k, 32);
    return item;
  }
  std::vector<std::string> ImportNames() const {
    std::vector<std::string> names;
    const uint8_t* p = Table(TableImport);
    for (uint32_t k = 0; k < Count(TableImport); k++, p += 1 + p[0])
      names.push_back(std::string((const char*)p + 1, p[0]));
    return names;
  }
  // Text k of block b, as stored.
  std::string Text(int b, int k) const {
    const uint8_t* p = Table(TableText);
    for (int i = 0; i <= b; i++) {
      p += 8;
      for (int j = 0; j < (int)Count(TableText); j++) {
        if (i == b && j == k) return std::string((const char*)p + 4, Get32(p));
        p += 4 + Get32(p);
      }
    }
    return "?";
  }
};

std::vector<uint8_t> Decode(const uint8_t* sizeWord, int32_t length, int32_t width) {
  std::vector<uint8_t> pixels(length);
  DecompressPixels(pixels.data(), length, width, sizeWord + 4, (int32_t)Get32(sizeWord));
  return pixels;
}

struct ItemCase {
  int Table, Index;
  ProgramItem Expected;
};

TEST(ProgramAsm, ItemFieldsFromDeclarationsReferencesAndValues) {
  ImageView image(R"(
global
  main: function "Title" -> main_def
  score: real = 7
  flag: logic = true
  name: text = {9:"Bob"}
  hero: sprite = spr icon=ball
    hx: sprite_x
local
  main_def: function -> body
    iparam
      a: real = 1.5
    oparam
program
  body: function
    @score
      @a
    sprite_x @hx off
    #999 off80 flags=0x104 textindex=9
picture ball
sprite spr
)");
  const int32_t None = -1;
  const ItemCase cases[] = {
      {TableGlobal, 0, {0x02, 0, 0, DataLocal, 0, None, 0, El::function}},
      {TableGlobal, 1, {0x02, 0, 1, TableReal, 0, None, None, El::real}},
      {TableGlobal, 2, {0x02, 0, 2, TableBool, 0, None, None, El::logic}},
      {TableGlobal, 3, {0x02, 0, 3, TableText, 1, None, None, El::text}},
      {TableGlobal, 4, {0x01, 0, 4, TableSprite, 0, 0, None, El::sprite}},
      {TableGlobal, 5, {0x00, 0, 5, None, None, None, None, El::sprite_x}},
      {TableLocal, 0, {0x01, 0, 0, DataProgram, 0, None, None, El::function}},
      {TableLocal, 1, {0x03, 0, 6, None, None, None, None, El::iparam}},
      {TableLocal, 2, {0x00, 0, 1, TableReal, 1, None, None, El::real}},
      {TableLocal, 3, {0x00, 0, 7, None, None, None, None, El::oparam}},
      {TableProgram, 0, {0x01, 0, 0, None, None, None, None, El::function}},
      {TableProgram, 1, {0x03, RefGlobal, 1, None, None, None, None, El::real}},
      {TableProgram, 2, {0x00, RefLocal, 2, None, None, None, None, El::real}},
      {TableProgram, 3, {0x12, RefGlobal, 5, None, None, None, None, El::sprite_x}},
      {TableProgram, 4, {0x104, 0, 8, None, None, None, 9, 999}},
  };
  EXPECT_EQ(6u, image.Count(TableGlobal));
  EXPECT_EQ(4u, image.Count(TableLocal));
  EXPECT_EQ(5u, image.Count(TableProgram));
  for (const ItemCase& c : cases) {
    ProgramItem got = image.Item(c.Table, c.Index), want = c.Expected;
    EXPECT_EQ(0, memcmp(&got, &want, 32))
        << "table " << c.Table << " item " << c.Index << ": flags " << got.Flags << " ref "
        << got.RefTable << ":" << got.RefIndex << " data " << got.DataTable << ":"
        << got.DataIndex << " icon " << got.IconIndex << " text " << got.TextIndex
        << " element " << got.ElementId;
  }
  // First met in GLOBAL, LOCAL, PROGRAM order; references add no names.
  std::vector<std::string> names = {"function", "real",  "logic",  "text", "sprite",
                                    "sprite_x", "iparam", "oparam", "#999"};
  EXPECT_EQ(names, image.ImportNames());
  double v;
  memcpy(&v, image.Table(TableReal) + 8, 8);
  EXPECT_EQ(1.5, v);
  EXPECT_EQ("Title", image.Text(0, 0));
  EXPECT_EQ("Bob", image.Text(0, 1));
}

// Each element of the list is a head by its name, which is also its import
// name; a name listed for two ids would give the first id back here.
TEST(ProgramAsm, EveryListedElementIsAHeadByItsName) {
  int32_t listed = 0;
  for (int32_t id = 0; id < 1000; id++) {
    const char* name = ElementNameOfId(id);
    if (!name) continue;
    listed++;
    ImageView image(std::string("program\n  ") + name + "\n");
    ASSERT_EQ(1u, image.Count(TableProgram)) << name;
    EXPECT_EQ(id, image.Item(TableProgram, 0).ElementId) << name;
    EXPECT_EQ(std::vector<std::string>{name}, image.ImportNames()) << name;
    EXPECT_EQ(id, ElementIdOfName(name)) << name;
  }
  EXPECT_LT(0, listed);
  EXPECT_EQ(-1, ElementIdOfName("nosuch"));
}

TEST(ProgramAsm, NumberLiteralsBecomeDigitChildren) {
  ImageView image("program\n  num -1.5E3\n  list_size 12\n");
  const int32_t expected[] = {El::num,          El::num_minus, El::digit_1,   El::num_point, El::digit_5,
                              El::num_exponent, El::digit_3,   El::list_size, El::digit_1,   El::digit_2};
  ASSERT_EQ(10u, image.Count(TableProgram));
  for (int k = 0; k < 10; k++) EXPECT_EQ(expected[k], image.Item(TableProgram, k).ElementId) << k;
  EXPECT_EQ(0x03u, image.Item(TableProgram, 0).Flags);  // children, then list_size follows
  EXPECT_EQ(0x02u, image.Item(TableProgram, 1).Flags);
  EXPECT_EQ(0x00u, image.Item(TableProgram, 6).Flags);  // the last digit closes the literal
}

TEST(ProgramAsm, TextsByLanguageBlocksAndTransform) {
  const char* program = R"(
languages 9 5:1250 9
texts "same" {5:"Ahoj" 9:"Hi" 9:"Later"} {}
)";
  ImageView plain(program);
  EXPECT_EQ(3u, plain.Extra(TableText, 1));
  EXPECT_EQ(3u, plain.Count(TableText));
  EXPECT_EQ(5u, Get32(plain.Table(TableText) + 26));  // block 1 after 8 + 8 + 6 + 4 bytes
  const char* expected[3][3] = {{"same", "Hi", ""}, {"same", "Ahoj", ""}, {"same", "Later", ""}};
  for (int b = 0; b < 3; b++)
    for (int k = 0; k < 3; k++) EXPECT_EQ(expected[b][k], plain.Text(b, k)) << b << " " << k;

  ImageView transformed(std::string(program) + "header magic=REL\n");
  EXPECT_EQ(0, memcmp(transformed.Bytes.data(), "REL\x01", 4));
  std::string stored = transformed.Text(1, 1);
  ASSERT_EQ(4u, stored.size());
  for (int i = 0; i < 4; i++)
    EXPECT_EQ((uint8_t)"Ahoj"[i], (uint8_t)(TextTransformConstant - (uint8_t)stored[i]));
}

TEST(ProgramAsm, PixelGridsAreStoredBottomRowFirst) {
  ImageView image(R"(
key o=200
picture ball fill=3
  key x=1
  |o.x
  |.o
background wide w=4 h=3
  |oooo
)");
  const uint8_t* icon = image.Table(TablePicture);
  std::vector<uint8_t> pixels = Decode(icon, 1024, 32);
  EXPECT_EQ(200, pixels[31 * 32 + 0]);  // the first row written is the top row
  EXPECT_EQ(0, pixels[31 * 32 + 1]);
  EXPECT_EQ(1, pixels[31 * 32 + 2]);
  EXPECT_EQ(3, pixels[31 * 32 + 3]);  // the rest is the fill
  EXPECT_EQ(200, pixels[30 * 32 + 1]);
  EXPECT_EQ(3, pixels[0]);
  const uint8_t* picture = image.Table(TableBackgrnd);
  EXPECT_EQ(4u, Get32(picture));
  EXPECT_EQ(3u, Get32(picture + 4));
  std::vector<uint8_t> wide = Decode(picture + 8, 12, 4);
  EXPECT_EQ(std::vector<uint8_t>({0, 0, 0, 0, 0, 0, 0, 0, 200, 200, 200, 200}), wide);
}

TEST(ProgramAsm, MapsSpritesSoundsAndMusic) {
  ImageView image(R"(
picture a
picture b
map m w=3 h=2 icon=a param=7
  cell 2 1 icon=b param=5
sprite s phases=2 directions=3 rest=2 w=2 h=1 delay=100 level=5 step=2.5
  frame
    |..
  frame fill=9
sound beep rate=8000 bits=8
  samples 1 255
  bytes 0a0B
sound tone rate=1000 channels=2
  tone 250 0.004 1
music tune
  notes 60 62
)");
  const uint8_t* map = image.Table(TableMap);
  EXPECT_EQ(3u, Get32(map));
  EXPECT_EQ(2u, Get32(map + 4));
  EXPECT_EQ(0u, Get32(map + 8));       // cell (0, 0): icon a
  EXPECT_EQ(7u, Get32(map + 12));
  EXPECT_EQ(1u, Get32(map + 8 + 8 * 5));  // cell (2, 1): icon b, param 5
  EXPECT_EQ(5u, Get32(map + 12 + 8 * 5));

  const uint8_t* sprite = image.Table(TableSprite);
  ImageSpriteHeader h;
  memcpy(&h, sprite, 32);
  EXPECT_EQ(2u, h.Phases);
  EXPECT_EQ(3u, h.Directions);
  EXPECT_EQ(2u, h.RestPhases);
  EXPECT_EQ(2, h.Width);
  EXPECT_EQ(1, h.Height);
  EXPECT_EQ(100u, h.Delay);
  EXPECT_EQ(5u, h.Level);
  EXPECT_EQ(2.5, h.StepsPerField);
  const uint8_t* p = sprite + 32;
  for (int k = 0; k < 6; k++) {  // six pictures: two given, four of the fill
    EXPECT_EQ(k == 1 ? std::vector<uint8_t>({9, 9}) : std::vector<uint8_t>({0, 0}), Decode(p, 2, 2))
        << k;
    p += 4 + Get32(p);
  }
  EXPECT_EQ((size_t)(p - sprite), (size_t)image.ByteSize(TableSprite));

  const uint8_t* sound = image.Table(TableSound);
  EXPECT_EQ(4u, Get32(sound));
  EXPECT_EQ(8000u, Get32(sound + 4));
  EXPECT_EQ(0, memcmp(sound + 8, "\x01\x00\x01\x08\x01\xFF\x0A\x0B", 8));
  const uint8_t* tone = sound + 16;
  EXPECT_EQ(16u, Get32(tone));  // 4 frames of two 16-bit channels
  EXPECT_EQ(0, memcmp(tone + 10, "\x02\x10", 2));
  int16_t quarter;  // a quarter period in: the peak
  memcpy(&quarter, tone + 12 + 4, 2);
  EXPECT_EQ(32767, quarter);

  const uint8_t* music = image.Table(TableMusic);
  EXPECT_EQ(0, memcmp(music + 4, "MThd\0\0\0\6\0\0\0\1\0\x60MTrk", 18));
  EXPECT_EQ(4 + Get32(music), image.ByteSize(TableMusic));
}

// A map in rows, top row first, with a key of icons and parameters; '.' is
// the map's own icon= and param=, and a cell line after the rows still sets
// its cell. The same map cell by cell gives the same image, byte for byte.
TEST(ProgramAsm, MapRowsAssembleAsTheirCells) {
  const char* const pictures = "picture grass\npicture wall\npicture coin\n";
  const std::string rows = std::string(pictures) + R"(
map level w=5 h=3 icon=grass param=4
  key #=wall o=coin:0x8000001 r=7
  |#####
  |#.o.r
  |##..#
  cell 2 0 icon=coin
)";
  const std::string cells = std::string(pictures) + R"(
map level w=5 h=3 icon=grass param=4
  cell 0 2 icon=wall
  cell 1 2 icon=wall
  cell 2 2 icon=wall
  cell 3 2 icon=wall
  cell 4 2 icon=wall
  cell 0 1 icon=wall
  cell 2 1 icon=coin param=0x8000001
  cell 4 1 icon=7
  cell 0 0 icon=wall
  cell 1 0 icon=wall
  cell 4 0 icon=wall
  cell 2 0 icon=coin
)";
  std::vector<uint8_t> fromRows, fromCells;
  std::string error;
  ASSERT_TRUE(AssembleImage(rows, fromRows, error)) << error;
  ASSERT_TRUE(AssembleImage(cells, fromCells, error)) << error;
  EXPECT_EQ(fromCells, fromRows);
}

TEST(ProgramAsm, RawOverridesMakeMalformedImages) {
  ImageView image(R"(
header magic=XYZ version=2 word4=77 headersize=600 tablecount=3
numbers 1 2
table REAL count=9 bytesize=3 name=ODD extra1=5
bytes bool 0102
trailer ffff
picture p size=1000
)");
  EXPECT_EQ(0, memcmp(image.Bytes.data(), "XYZ\x02", 4));
  EXPECT_EQ(77u, Get32(&image.Bytes[4]));
  EXPECT_EQ(600u, Get32(&image.Bytes[8]));
  EXPECT_EQ(3u, Get32(&image.Bytes[12]));
  EXPECT_EQ(9u, image.Count(TableReal));
  EXPECT_EQ(3u, image.ByteSize(TableReal));
  EXPECT_EQ(5u, image.Extra(TableReal, 1));
  EXPECT_EQ(0, memcmp(&image.Bytes[16 + 32 * TableReal + 8], "ODD     ", 8));
  EXPECT_EQ(2u, image.ByteSize(TableBool));
  EXPECT_EQ(0u, image.Count(TableBool));
  // The directory lies about REAL, so PICTURE is found by the bytes written:
  // 16 of REAL, 8 of the one empty text block, 2 of BOOL.
  EXPECT_EQ(1000u, Get32(&image.Bytes[528 + 16 + 8 + 2]));
  EXPECT_EQ(0xFF, image.Bytes.back());

  ImageView cut("size 500\n");
  EXPECT_EQ(500u, cut.Bytes.size());
}

struct ErrorCase {
  const char* Source;
  const char* Expected;
};

TEST(ProgramAsm, ReportsErrorsWithTheirLine) {
  const ErrorCase cases[] = {
      {"global\n  x: nosuch\n", "line 2: unknown element nosuch"},
      {"program\n  @missing\n", "line 2: no label missing"},
      {"global\n  a: real\n  a: real\n", "line 3: label a is defined twice"},
      {"global\n    real\n  real\n", "line 3: indentation does not match"},
      {"global\n\treal\n", "line 2: indent with spaces"},
      {"program\n  x: function\n  @x\n", "line 3: @x must name a GLOBAL or LOCAL item"},
      {"global\n  f: function -> f\n", "line 2: -> must name a LOCAL or PROGRAM item"},
      {"picture p\n  |q\n", "line 2: no key for 'q'"},
      {"background b w=2 h=1\n  |...\n", "line 2: row wider than the picture"},
      {"texts {7:\"x\"}\n", "line 1: no text block for language 7"},
      {"texts \"open\n", "line 1: text without its closing quote"},
      {"global\n  real = {1:\n", "line 2: texts by language are written"},
      {"map m w=2 h=2\n  cell 2 0\n", "line 2: cell outside the map"},
      {"sprite s frames=1\n  frame\n  frame\n", "line 1: more frames"},
      {"nonsense\n", "line 1: unknown section nonsense"},
      {"  indented\n", "line 1: sections start in column 1"},
      {"global\n  real = ball\npicture ball\n", ""},
      {"global\n  real = nothere\n", "line 2: no label nothere"},
      {"program\n  num 1x\n", "line 2: a number literal holds only digits"},
      {"table NOPE count=1\n", "line 1: no table NOPE"},
      {"sound s\n  tone 1\n", "line 2: a tone is written"},
      {"map m w=3 h=2\n  |...\n  |..\n", "line 3: a map row holds one key per cell: 3, not 2"},
      {"map m w=2 h=1\n  |...\n", "line 2: a map row holds one key per cell: 2, not 3"},
      {"map m w=2 h=1\n  |.q\n", "line 2: no key for 'q'"},
      {"map m w=2 h=1\n  key q=0\n  |.q\n  |..\n", "line 4: more rows than the map is high"},
      {"map m w=1 h=3\n  |.\n  |.\n", "line 1: a map written in rows needs all 3 of them, not 2"},
      {"map m\n  key qq\n", "line 2: map key entries are written C=ICON or C=ICON:PARAM"},
      {"map m\n  key q=nothere\n", "line 2: no label nothere"},
      {"map m\n  key q=0:x\n", "line 2: a map key's :PARAM needs an integer"},
      {"map m w=2 h=1 cells=1\n  |..\n", "line 2: cell outside the map"},
  };
  for (const ErrorCase& c : cases) {
    std::vector<uint8_t> image;
    std::string error;
    bool ok = AssembleImage(c.Source, image, error);
    if (!*c.Expected) {
      EXPECT_TRUE(ok) << c.Source << ": " << error;
      continue;
    }
    EXPECT_FALSE(ok) << c.Source;
    EXPECT_EQ(0u, error.find(c.Expected)) << c.Source << " gave: " << error;
  }
}

TEST(ProgramAsm, MinimalImageIsOneEmptyMainFunction) {
  std::vector<uint8_t> image = MinimalImage(), assembled;
  std::string error;
  ASSERT_TRUE(AssembleImage(std::string("languages\n") + MainProgram, assembled, error)) << error;
  EXPECT_EQ(image, assembled);
}

}  // namespace

namespace {

TEST(Yltasm, WritesTheImageOrReportsTheLine) {
  std::string dir = std::string(YELTO_BUILD_DIR) + "/host-scratch";
  ASSERT_EQ(0, system(("mkdir -p '" + dir + "'").c_str()));
  std::string good = dir + "/good.yl", bad = dir + "/bad.yl", out = dir + "/out.img";
  ASSERT_TRUE(WriteFileBytes(good, std::vector<uint8_t>(MainProgram, MainProgram + strlen(MainProgram))));
  const char* wrong = "global\n  nosuch\n";
  ASSERT_TRUE(WriteFileBytes(bad, std::vector<uint8_t>(wrong, wrong + strlen(wrong))));
  std::string tool = std::string(YELTO_BUILD_DIR) + "/tools/yltasm ";
  EXPECT_EQ(0, system((tool + good + " " + out).c_str()));
  std::vector<uint8_t> written, expected;
  std::string error;
  ASSERT_TRUE(ReadFileBytes(out, written));
  ASSERT_TRUE(AssembleImage(MainProgram, expected, error));
  EXPECT_EQ(expected, written);
  std::string log = dir + "/log.txt";
  EXPECT_NE(0, system((tool + bad + " " + out + " 2>" + log).c_str()));
  std::vector<uint8_t> message;
  ASSERT_TRUE(ReadFileBytes(log, message));
  EXPECT_EQ(bad + ": line 2: unknown element nosuch\n", std::string(message.begin(), message.end()));
  EXPECT_NE(0, system((tool + " 2>/dev/null").c_str()));  // usage
}

}  // namespace
