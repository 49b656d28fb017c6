// The sprite file: header checks, reading raw and coded pixels through the
// colour import, cut-off files, and files written by the engine read back.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include "media_setup.h"
#include "values/sprite_file.h"

namespace {

class SpriteFileTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
};

// A file as a test builds it: header fields, colours, then pixel bytes.
struct FileFields {
  int32_t Phases = 1, Directions = 1, Rest = 1, Width = 2, Height = 2;
  int32_t Delay = 100, Level = 7;
  double Step = 4.0;
  int32_t Colors = 10, Compression = 0;
};

void Put32(std::vector<uint8_t>& b, size_t at, int32_t v) { memcpy(&b[at], &v, 4); }
void Put16(std::vector<uint8_t>& b, size_t at, int32_t v) {
  b[at] = (uint8_t)v;
  b[at + 1] = (uint8_t)(v >> 8);
}

std::vector<uint8_t> Header(const FileFields& f) {
  std::vector<uint8_t> b(40);
  memcpy(&b[0], "YSPR", 4);
  Put32(b, 4, f.Phases);
  Put32(b, 8, f.Directions);
  Put32(b, 12, f.Rest);
  Put16(b, 16, f.Width);
  Put16(b, 18, f.Height);
  Put32(b, 20, f.Delay);
  Put32(b, 24, f.Level);
  memcpy(&b[28], &f.Step, 8);
  Put16(b, 36, f.Colors);
  Put16(b, 38, f.Compression);
  return b;
}

// The header, `colors` RGBQUADs (blue, green, red, 0) and the raw pixels.
std::vector<uint8_t> RawFile(const FileFields& f, const std::vector<RGBQUAD>& colors,
                             const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> b = Header(f);
  const uint8_t* c = reinterpret_cast<const uint8_t*>(colors.data());
  b.insert(b.end(), c, c + 4 * colors.size());
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

RGBQUAD Quad(uint8_t red, uint8_t green, uint8_t blue) { return RGBQUAD{blue, green, red, 0}; }

TEST_F(SpriteFileTest, HeaderChecks) {
  struct Case {
    const char* Name;
    void (*Change)(FileFields&);
    bool Accepted;
  };
  const Case cases[] = {
      {"plain", [](FileFields&) {}, true},
      {"compression -1 is raw", [](FileFields& f) { f.Compression = -1; }, true},
      {"compression 1", [](FileFields& f) { f.Compression = 1; }, true},
      {"compression 2", [](FileFields& f) { f.Compression = 2; }, false},
      {"no phases", [](FileFields& f) { f.Phases = 0; }, false},
      {"2049 phases", [](FileFields& f) { f.Phases = 2049; f.Rest = 1025; }, false},
      {"1025 directions", [](FileFields& f) { f.Directions = 1025; }, false},
      {"rest equal to phases", [](FileFields& f) { f.Phases = 5; f.Rest = 5; }, true},
      {"rest above phases", [](FileFields& f) { f.Phases = 5; f.Rest = 6; }, false},
      {"rest 0", [](FileFields& f) { f.Rest = 0; }, false},
      {"2048 phases with 1000 rest", [](FileFields& f) { f.Phases = 2048; f.Rest = 1000; }, false},
      {"2048 phases with 1024 rest", [](FileFields& f) { f.Phases = 2048; f.Rest = 1024; f.Width = 1; f.Height = 1; }, true},
      {"width 0", [](FileFields& f) { f.Width = 0; }, false},
      {"width 32767", [](FileFields& f) { f.Width = 32767; }, true},
      {"width 32768, wider than a picture", [](FileFields& f) { f.Width = 32768; }, false},
      {"delay -1", [](FileFields& f) { f.Delay = -1; }, false},
      {"delay 3600000", [](FileFields& f) { f.Delay = 3600000; }, true},
      {"delay 3600001", [](FileFields& f) { f.Delay = 3600001; }, false},
      {"level negative", [](FileFields& f) { f.Level = -5; }, true},
      {"step 0", [](FileFields& f) { f.Step = 0; }, true},
      {"step 1e6", [](FileFields& f) { f.Step = 1e6; }, true},
      {"step above 1e6", [](FileFields& f) { f.Step = 1000001; }, false},
      {"step negative", [](FileFields& f) { f.Step = -0.5; }, false},
      {"step NaN", [](FileFields& f) { f.Step = nan(""); }, false},
      {"9 colours", [](FileFields& f) { f.Colors = 9; }, false},
      {"256 colours", [](FileFields& f) { f.Colors = 256; }, true},
      {"257 colours", [](FileFields& f) { f.Colors = 257; }, false},
      {"pixels beyond any buffer",
       [](FileFields& f) { f.Width = 32767; f.Height = 32767; f.Phases = 2048; f.Rest = 1024; f.Directions = 1024; },
       false},
  };
  for (const Case& c : cases) {
    FileFields f;
    c.Change(f);
    std::vector<uint8_t> header = Header(f);
    SpriteFileHeader h;
    EXPECT_EQ(c.Accepted, ParseSpriteFileHeader(header.data(), 40, &h)) << c.Name;
  }
}

TEST_F(SpriteFileTest, HeaderCutOffOrWithoutMagicFails) {
  FileFields f;
  std::vector<uint8_t> header = Header(f);
  SpriteFileHeader h;
  EXPECT_TRUE(ParseSpriteFileHeader(header.data(), 38, &h)) << "the colour count is present";
  EXPECT_FALSE(ParseSpriteFileHeader(header.data(), 37, &h)) << "the colour count is cut off";
  EXPECT_FALSE(ParseSpriteFileHeader(header.data(), 0, &h));
  header[3] = 'Q';
  EXPECT_FALSE(ParseSpriteFileHeader(header.data(), 40, &h));
}

TEST_F(SpriteFileTest, BadHeaderLeavesTheSpriteAlone) {
  FileFields f;
  f.Compression = 2;
  std::vector<uint8_t> file = RawFile(f, std::vector<RGBQUAD>(10), std::vector<uint8_t>(4));
  Sprite s(3, 1);
  SpriteData* before = s.Data.Data;
  EXPECT_EQ(-1, ReadSpriteFile(s, file.data(), (int32_t)file.size()));
  EXPECT_EQ(before, s.Data.Data);
}

TEST_F(SpriteFileTest, RawPixelsThroughTheColourImport) {
  FileFields f;
  f.Width = 4;
  f.Height = 1;
  f.Phases = 2;
  f.Rest = 2;
  f.Compression = -1;
  std::vector<RGBQUAD> colors(10, Quad(255, 255, 255));
  colors[0] = Quad(1, 2, 3);  // replaced by the transparent colour
  colors[1] = Quad(255, 0, 0);  // fewer than 224 colours: through the cube
  colors[2] = Quad(0, 0, 255);
  colors[3] = DibHeader->bmiColors[0];  // the transparent colour anywhere
  std::vector<uint8_t> pixels = {0, 1, 2, 3, 4, 10, 200, 255};
  std::vector<uint8_t> file = RawFile(f, colors, pixels);
  Sprite s;
  EXPECT_EQ((int32_t)file.size(), ReadSpriteFile(s, file.data(), (int32_t)file.size()));
  const SpriteData* d = s.Data.Data;
  EXPECT_EQ(2, d->PhaseCount);
  EXPECT_EQ(2, d->RestPhaseCount);
  EXPECT_EQ(100, d->Delay);
  EXPECT_EQ(7, d->Level);
  EXPECT_EQ(4.0, d->Step);
  Picture* pictures = const_cast<SpriteData*>(d)->Pictures();
  const uint8_t first[4] = {TransparentColor, RedColor, BlueColor, TransparentColor};
  const uint8_t second[4] = {WhiteColor, BlackColor, BlackColor, BlackColor};
  ASSERT_EQ(4, pictures[0].Width());
  EXPECT_EQ(0, memcmp(first, pictures[0].Pixels(), 4));
  EXPECT_EQ(0, memcmp(second, pictures[1].Pixels(), 4));
  EXPECT_EQ(Unclassified, pictures[0].Data->State);
}

TEST_F(SpriteFileTest, FullPaletteTakesColourOneAsShadow) {
  FileFields f;
  f.Width = 2;
  f.Height = 1;
  f.Colors = 224;
  std::vector<RGBQUAD> colors(224, Quad(0, 255, 0));
  colors[1] = Quad(255, 0, 0);
  std::vector<uint8_t> file = RawFile(f, colors, {1, 2});
  Sprite s;
  ASSERT_GT(ReadSpriteFile(s, file.data(), (int32_t)file.size()), 0);
  const uint8_t expected[2] = {ShadowColor, GreenColor};
  EXPECT_EQ(0, memcmp(expected, s.Data.Data->Pictures()[0].Pixels(), 2));
}

TEST_F(SpriteFileTest, CutOffFilesGiveZeroPadding) {
  FileFields f;
  f.Width = 4;
  f.Height = 2;
  std::vector<RGBQUAD> colors(10);
  for (int i = 0; i < 10; i++) colors[i] = DibHeader->bmiColors[200 + i];
  std::vector<uint8_t> file = RawFile(f, colors, {5, 6, 7});
  Sprite s;
  EXPECT_EQ((int32_t)file.size(), ReadSpriteFile(s, file.data(), (int32_t)file.size()));
  const uint8_t expected[8] = {205, 206, 207, TransparentColor, TransparentColor,
                               TransparentColor, TransparentColor, TransparentColor};
  EXPECT_EQ(0, memcmp(expected, s.Data.Data->Pictures()[0].Pixels(), 8));

  // Coded pixels whose stored count claims more than the file holds.
  f.Compression = 1;
  std::vector<uint8_t> coded = Header(f);
  const uint8_t* c = reinterpret_cast<const uint8_t*>(colors.data());
  coded.insert(coded.end(), c, c + 40);
  std::vector<uint8_t> code = ImageRecord({5, 5, 5, 5, 6, 6, 6, 6}, 4);
  Put32(code, 0, 100000);
  code.resize(code.size() - 1);
  coded.insert(coded.end(), code.begin(), code.end());
  Sprite t;
  EXPECT_EQ((int32_t)coded.size(), ReadSpriteFile(t, coded.data(), (int32_t)coded.size()));
  EXPECT_EQ(205, t.Data.Data->Pictures()[0].Pixels()[0]);
}

void ExpectSameSpriteData(SpriteData* a, SpriteData* b) {
  EXPECT_EQ(a->PhaseCount, b->PhaseCount);
  EXPECT_EQ(a->DirectionCount, b->DirectionCount);
  EXPECT_EQ(a->RestPhaseCount, b->RestPhaseCount);
  EXPECT_EQ(a->Delay, b->Delay);
  EXPECT_EQ(a->Level, b->Level);
  EXPECT_EQ(a->Step, b->Step);
  for (int32_t k = 0; k < a->PictureCount(); k++) {
    const Picture& p = a->Pictures()[k];
    const Picture& q = b->Pictures()[k];
    ASSERT_EQ(p.Width(), q.Width()) << "picture " << k;
    ASSERT_EQ(p.Height(), q.Height()) << "picture " << k;
    EXPECT_EQ(0, memcmp(p.Pixels(), q.Pixels(), p.Data->PixelCount())) << "picture " << k;
  }
}

TEST_F(SpriteFileTest, NewSpriteWritesOneStreamOfZerosAndReadsBack) {
  Sprite s(2, 3);
  uint8_t* file;
  int32_t size = WriteSpriteFile(s, &file);
  ASSERT_NE(nullptr, file);
  std::vector<uint8_t> zeros(6 * 1024, 0);
  std::vector<uint8_t> code = ImageRecord(zeros, 32);
  ASSERT_EQ(940 + (int32_t)code.size() - 4, size);
  EXPECT_EQ(0, memcmp(code.data(), file + 936, code.size())) << "count and stream";
  SpriteFileHeader h;
  ASSERT_TRUE(ParseSpriteFileHeader(file, size, &h));
  EXPECT_EQ(224, h.ColorCount);
  EXPECT_EQ(1, h.Compression);
  EXPECT_EQ(32, h.Width);
  EXPECT_EQ(6 * 1024, h.Length);
  for (int i = 0; i < 224; i++) {
    RGBQUAD q;
    memcpy(&q, file + 40 + 4 * i, 4);
    EXPECT_EQ(0, memcmp(&q, &DibHeader->bmiColors[i], 4)) << "colour " << i;
  }

  Sprite back;
  EXPECT_EQ(size, ReadSpriteFile(back, file, size));
  ExpectSameSpriteData(s.Data.Data, back.Data.Data);
  EXPECT_EQ(1, back.Data.Data->RestPhaseCount);
  EXPECT_EQ(55, back.Data.Data->Delay);
  MemFree(file);
}

TEST_F(SpriteFileTest, EveryPaletteColourSurvivesARoundTrip) {
  const int32_t sizes[][2] = {{1, 1}, {1, 2}, {2, 1}, {3, 1}, {17, 5}, {64, 40}};
  for (const auto& size : sizes) {
    Sprite s(3, 2);
    SpriteData* d = s.Data.Data;
    d->SetRestPhaseCount(2);
    d->Delay = 1234;
    d->Level = -3;
    d->Step = 0.25;
    for (int32_t k = 0; k < 6; k++) {
      Picture& p = d->Pictures()[k];
      p.New(size[0], size[1]);
      std::vector<uint8_t> pixels = PatternPixels(size[0], size[1], 37 * k);
      pixels[0] = (uint8_t)(k % 2);  // transparent and shadow pixels too
      memcpy(p.Data->Pixels, pixels.data(), pixels.size());
    }
    uint8_t* file;
    int32_t bytes = WriteSpriteFile(s, &file);
    ASSERT_GT(bytes, 940) << size[0] << " x " << size[1];
    EXPECT_LE(bytes - 940, CompressedPixelBound(6 * size[0] * size[1]));
    Sprite back;
    ASSERT_EQ(bytes, ReadSpriteFile(back, file, bytes)) << size[0] << " x " << size[1];
    ExpectSameSpriteData(d, back.Data.Data);
    MemFree(file);
  }
}

// Pixels that share nothing with their neighbours are the encoder's worst case.
TEST_F(SpriteFileTest, WorkBufferHoldsTheWorstCaseOfTinyPictures) {
  for (int32_t length = 1; length <= 64; length++) {
    std::vector<uint8_t> pixels(length);
    for (int32_t i = 0; i < length; i++) pixels[i] = (uint8_t)(2 + i);
    std::vector<uint8_t> out(4 + length * 2 + 16);
    int32_t written = CompressPixels(out.data(), pixels.data(), length, length);
    EXPECT_LE(SpriteFileCodeOffset + written, SpriteFileBufferSize(length)) << "length " << length;
  }
}

TEST_F(SpriteFileTest, ImagePicturesAreDecodedForWriting) {
  std::vector<uint8_t> pixels = PatternPixels(8, 4, 3);
  std::vector<uint8_t> record = ImageRecord(pixels, 8);
  PictureData* image = (PictureData*)MemAlloc(sizeof(PictureData));
  *image = PictureData{ImageCountBase, Compressed, 8, 4, record.data()};
  Sprite s(1, 1);
  s.Data.Data->Pictures()[0].AttachRecord(image);
  uint8_t* file;
  int32_t bytes = WriteSpriteFile(s, &file);
  EXPECT_EQ(Unclassified, image->State);
  EXPECT_EQ(1, image->RefCount);
  Sprite back;
  ASSERT_EQ(bytes, ReadSpriteFile(back, file, bytes));
  EXPECT_EQ(0, memcmp(pixels.data(), back.Data.Data->Pictures()[0].Pixels(), 32));
  MemFree(file);
}

}  // namespace
