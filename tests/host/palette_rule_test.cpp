// The palette's colours, the darker-colour rule, the cube cell formulas and
// the nearest-colour rule of the colour cube.
#include <gtest/gtest.h>

#include <vector>

#include "values/palette_rule.h"

namespace {

struct ColorCase {
  int Index;
  int Red, Green, Blue;
};

TEST(PaletteRule, ColorsFollowGroupsShadesAndGreys) {
  const ColorCase cases[] = {
      {0, 149, 34, 140}, {1, 97, 30, 111},                     // transparent, shadow
      {2, 255, 0, 0},    {3, 215, 0, 0},    {4, 175, 0, 0},    // red and its shades
      {5, 131, 0, 0},    {6, 87, 0, 0},     {7, 43, 0, 0},
      {9, 215, 60, 60},  {56, 255, 255, 0}, {80, 0, 255, 0},   // FF4848 x 216/256
      {134, 0, 0, 255},  {206, 255, 186, 210},
      {211, 43, 31, 36},                                       // FFBAD2 x 44/256
      {212, 255, 255, 255}, {213, 231, 231, 231}, {214, 208, 208, 208},
      {215, 185, 185, 185}, {216, 162, 162, 162}, {217, 139, 139, 139},
      {218, 115, 115, 115}, {219, 92, 92, 92},    {220, 69, 69, 69},
      {221, 46, 46, 46},    {222, 23, 23, 23},    {223, 0, 0, 0},
  };
  PaletteRgb colors[PaletteColorCount];
  ComputePalette(colors);
  for (const ColorCase& c : cases) {
    SCOPED_TRACE(c.Index);
    EXPECT_EQ(c.Red, colors[c.Index].Red);
    EXPECT_EQ(c.Green, colors[c.Index].Green);
    EXPECT_EQ(c.Blue, colors[c.Index].Blue);
  }
}

TEST(PaletteRule, DarkerColors) {
  const int cases[][2] = {
      {0, 223},   {1, 223},   {2, 3},     {6, 7},     {7, 223},   {8, 9},
      {13, 223},  {205, 223}, {206, 207}, {211, 223}, {212, 214}, {220, 222},
      {221, 223}, {222, 223}, {223, 223}, {224, 223}, {255, 223},
  };
  uint8_t darker[256];
  ComputeDarkerColors(darker);
  for (const auto& c : cases) EXPECT_EQ(c[1], darker[c[0]]) << "index " << c[0];
}

TEST(PaletteRule, ColorValueCellMatchesChannelCell) {
  const int samples[] = {0, 1, 3, 4, 63, 64, 127, 128, 200, 252, 255};
  for (int r : samples)
    for (int g : samples)
      for (int b : samples) {
        uint32_t v = (uint32_t)b << 16 | (uint32_t)g << 8 | (uint32_t)r;
        ASSERT_EQ(ColorCubeCell((uint8_t)r, (uint8_t)g, (uint8_t)b), ColorValueCell(v))
            << std::hex << v;
      }
  EXPECT_EQ(0x3FFFFu, ColorValueCell(0x00FFFFFF));
  EXPECT_EQ(0x3F000u, ColorValueCell(0x00FF0000));  // blue is the high part
  EXPECT_EQ(0x3Fu, ColorValueCell(0x000000FF));
  EXPECT_EQ(0x3FFFFu, ColorValueCell(0xFFFFFFFF));   // the top byte is ignored
}

class ColorCubeRule : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Cube = new std::vector<uint8_t>(ColorCubeSize);
    ComputeColorCube(Cube->data());
  }
  static void TearDownTestSuite() {
    delete Cube;
    Cube = nullptr;
  }
  static int At(int r, int g, int b) {
    return (*Cube)[ColorCubeCell((uint8_t)r, (uint8_t)g, (uint8_t)b)];
  }
  static std::vector<uint8_t>* Cube;
};
std::vector<uint8_t>* ColorCubeRule::Cube = nullptr;

TEST_F(ColorCubeRule, NearestColors) {
  const ColorCase cases[] = {
      {RedColor, 255, 0, 0},     {BlueColor, 0, 0, 255},  {GreenColor, 0, 255, 0},
      {YellowColor, 255, 255, 0}, {WhiteColor, 255, 255, 255}, {BlackColor, 0, 0, 0},
      {3, 215, 0, 0},            {217, 139, 139, 139},
      // Exactly between two shades: the lower index wins.
      {6, 65, 0, 0},             {2, 235, 0, 0},          {134, 0, 0, 235},
      {212, 243, 243, 243},
      // The transparent and shadow colours are never chosen.
      {185, 149, 34, 140},       {192, 97, 30, 111},
  };
  for (const ColorCase& c : cases)
    EXPECT_EQ(c.Index, At(c.Red, c.Green, c.Blue))
        << "rgb " << c.Red << "," << c.Green << "," << c.Blue;
}

TEST_F(ColorCubeRule, EveryEntryIsAColorAndEveryColorOccurs) {
  std::vector<int> seen(256, 0);
  for (uint8_t v : *Cube) seen[v]++;
  for (int i = 0; i < 256; i++) {
    if (i >= FirstGroupColor && i < PaletteColorCount)
      EXPECT_GT(seen[i], 0) << "index " << i << " never chosen";
    else
      EXPECT_EQ(0, seen[i]) << "index " << i << " chosen";
  }
}

}  // namespace
