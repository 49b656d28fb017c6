// The engine's palette tables: the unpacked colour-cube resource, the bitmap
// header, the window-system palette, darker colours and the colour-import map.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "values/lz_decode.h"
#include "values/palette.h"
#include "base/memory.h"

namespace {

class PaletteTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!DibHeader) {
      ASSERT_TRUE(BuildPaletteTables());
      BuildDarkerColors();
    }
  }
};

// A colour-table entry from a colour value 0x00BBGGRR.
RGBQUAD Quad(uint32_t value, uint8_t reserved = 0) {
  return RGBQUAD{(uint8_t)(value >> 16), (uint8_t)(value >> 8), (uint8_t)value, reserved};
}

TEST_F(PaletteTables, ResourceUnpacksToComputedCube) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(ColorCubeResourceId), "LOADER");
  ASSERT_NE(nullptr, found);
  const uint8_t* data = (const uint8_t*)LockResource(LoadResource(nullptr, found));
  int32_t size = (int32_t)SizeofResource(nullptr, found);
  ASSERT_GT(size, ColorCubeHeaderSize);
  EXPECT_EQ(0, memcmp(data, "\x1B\x58\x43\x44\x00\x00", 6));

  std::vector<uint8_t> expected(ColorCubeSize);
  ComputeColorCube(expected.data());
  EXPECT_EQ(0, memcmp(expected.data(), ColorCube, ColorCubeSize));
  // The stream ends with the end code at exactly the cube's size.
  std::vector<uint8_t> roomy(ColorCubeSize + 100);
  EXPECT_EQ(ColorCubeSize, DecompressResource(roomy.data(), (int32_t)roomy.size(),
                                              data + ColorCubeHeaderSize,
                                              size - ColorCubeHeaderSize));
}

TEST_F(PaletteTables, MissingResourceIsReported) {
  EXPECT_FALSE(UnpackColorCube(GetModuleHandleA("kernel32.dll")));
}

TEST_F(PaletteTables, CubeLooksUpColorValues) {
  const uint32_t cases[][2] = {
      {0x0000FF, RedColor},   {0xFF0000, BlueColor},   {0x00FF00, GreenColor},
      {0x00FFFF, YellowColor}, {0xFFFFFF, WhiteColor}, {0x000000, BlackColor},
      {0x0000D7, 3},          {0x8B8B8B, 217},         {0xFF000000, BlackColor},
      {0x8C2295, 185},        // the transparent colour's own cell is not 0
  };
  for (const auto& c : cases) EXPECT_EQ(c[1], ColorCubeIndex(c[0])) << std::hex << c[0];
  std::vector<int> seen(256, 0);
  for (int i = 0; i < ColorCubeSize; i++) seen[ColorCube[i]]++;
  for (int i = 0; i < 256; i++)
    EXPECT_EQ(i >= 2 && i < PaletteColorCount, seen[i] > 0) << "index " << i;
}

// A header of its own: painting changes the shared header's size fields.
TEST_F(PaletteTables, DibHeaderHoldsPaletteColors) {
  BITMAPINFO* shared = DibHeader;
  BuildDibHeader();
  BITMAPINFO* built = DibHeader;
  DibHeader = shared;
  const BITMAPINFOHEADER& h = built->bmiHeader;
  EXPECT_EQ(40u, h.biSize);
  EXPECT_EQ(32, h.biWidth);
  EXPECT_EQ(32, h.biHeight);
  EXPECT_EQ(1, h.biPlanes);
  EXPECT_EQ(8, h.biBitCount);
  EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
  EXPECT_EQ(0u, h.biSizeImage);
  EXPECT_EQ(0, h.biXPelsPerMeter);
  EXPECT_EQ(0, h.biYPelsPerMeter);
  EXPECT_EQ(0u, h.biClrUsed);
  EXPECT_EQ(224u, h.biClrImportant);
  for (int i = 0; i < 256; i++) {
    const RGBQUAD& q = built->bmiColors[i];
    PaletteRgb c = i < PaletteColorCount ? PaletteColorAt(i) : PaletteRgb{0, 0, 0};
    EXPECT_TRUE(q.rgbRed == c.Red && q.rgbGreen == c.Green && q.rgbBlue == c.Blue &&
                q.rgbReserved == 0)
        << "entry " << i;
  }
  const RGBQUAD& transparent = built->bmiColors[0];
  EXPECT_EQ(149, transparent.rgbRed);
  EXPECT_EQ(140, transparent.rgbBlue);
  MemFree(built);
}

TEST_F(PaletteTables, ColorValuesPerIndex) {
  const uint32_t cases[][2] = {
      {0, 0},          {1, 0},          {2, 0x0000FF}, {7, 0x00002B},
      {134, 0xFF0000}, {212, 0xFFFFFF}, {222, 0x171717}, {223, 0},
      {224, 0},        {255, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c[1], PaletteColors[c[0]]) << "index " << c[0];
}

TEST_F(PaletteTables, SystemPaletteHas224Colors) {
  ASSERT_NE(nullptr, PaletteHandle);
  EXPECT_EQ(224u, GetPaletteEntries(PaletteHandle, 0, 0, nullptr));
  PALETTEENTRY entries[256];
  ASSERT_EQ(224u, GetPaletteEntries(PaletteHandle, 0, 256, entries));
  for (int i = 0; i < PaletteColorCount; i++) {
    PaletteRgb c = PaletteColorAt(i);
    EXPECT_TRUE(entries[i].peRed == c.Red && entries[i].peGreen == c.Green &&
                entries[i].peBlue == c.Blue && entries[i].peFlags == 0)
        << "entry " << i;
  }
  EXPECT_EQ(0x300, LogPalette->palVersion);
  EXPECT_EQ(224, LogPalette->palNumEntries);
  // The storage behind the 224 entries holds 32 black ones for the
  // 256-entry full-screen palette.
  for (int i = PaletteColorCount; i < 256; i++) {
    const PALETTEENTRY& e = LogPalette->palPalEntry[i];
    EXPECT_TRUE(e.peRed == 0 && e.peGreen == 0 && e.peBlue == 0 && e.peFlags == 0) << i;
  }
}

TEST_F(PaletteTables, DarkerColors) {
  const int cases[][2] = {
      {0, 223},   {1, 223},   {2, 3},     {7, 223},   {8, 9},     {211, 223},
      {212, 214}, {220, 222}, {221, 223}, {222, 223}, {223, 223}, {255, 223},
  };
  for (const auto& c : cases) EXPECT_EQ(c[1], DarkerColor[c[0]]) << "index " << c[0];
}

// A bitmap info block with room for 256 colours.
struct ColorBlock {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

ColorBlock MakeBlock(uint32_t clrUsed, uint16_t bitCount) {
  ColorBlock b;
  memset(&b, 0, sizeof b);
  b.Header.biSize = sizeof(BITMAPINFOHEADER);
  b.Header.biBitCount = bitCount;
  b.Header.biClrUsed = clrUsed;
  for (int i = 0; i < 256; i++) b.Colors[i] = Quad(0x00FFFF);  // yellow
  return b;
}

void Import(const ColorBlock& b) {
  memset(ColorImportMap, 0x77, 256);
  BuildColorImportMap((const BITMAPINFO*)&b);
}

TEST_F(PaletteTables, ImportMapFromTenColors) {
  ColorBlock b = MakeBlock(10, 8);
  const RGBQUAD colors[10] = {
      Quad(0x8C2295),     Quad(0x0000FF), Quad(0xFF0000),     Quad(0xFFFFFF),
      Quad(0x000000),     Quad(0x6F1E61), Quad(0x8C2295),     // transparent again
      Quad(0x8C2295, 1),  // reserved byte differs: an ordinary colour
      Quad(0x0000D7),     Quad(0x8B8B8B),
  };
  const uint8_t expected[10] = {0, RedColor, BlueColor, WhiteColor, BlackColor, 1, 0, 185, 3, 217};
  memcpy(b.Colors, colors, sizeof colors);
  Import(b);
  for (int i = 0; i < 10; i++) EXPECT_EQ(expected[i], ColorImportMap[i]) << "colour " << i;
  for (int i = 10; i < 256; i++) ASSERT_EQ(BlackColor, ColorImportMap[i]) << "entry " << i;
}

TEST_F(PaletteTables, ImportMapColorCount) {
  struct Case {
    uint32_t ClrUsed;
    uint16_t BitCount;
    int Filled;  // colours read; -1: the map stays unchanged
  };
  const Case cases[] = {
      {0, 8, 256}, {0, 4, 16}, {0, 1, 2},  {256, 8, 256}, {1, 8, 1},
      {300, 8, -1}, {257, 8, -1}, {0, 16, -1}, {0, 24, -1}, {0, 32, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "biClrUsed " << c.ClrUsed << " biBitCount " << c.BitCount);
    Import(MakeBlock(c.ClrUsed, c.BitCount));
    for (int i = 0; i < 256; i++) {
      int want = c.Filled < 0 ? 0x77 : i < c.Filled ? YellowColor : BlackColor;
      ASSERT_EQ(want, ColorImportMap[i]) << "entry " << i;
    }
  }
}

}  // namespace
