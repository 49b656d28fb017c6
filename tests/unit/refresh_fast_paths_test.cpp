// The refresh's quick ways checked against the plain rules they stand for:
// the draw-list place found by halving against the walk from the end (NaN and
// infinite keys, ties), masked sprite rows drawn sixteen pixels at a time against
// pixel by pixel, and the zoomed copy against one table lookup per pixel.
#include <math.h>
#include "base/rounding.h"
#include "graphics/display_geometry.h"
#include "graphics_setup.h"

namespace {

class RefreshFastPaths : public GraphicsFixture {};

struct DrawEntry {
  int32_t Index, Level;
};

// The draw list as the plain walk builds it: from after the last entry
// towards the front while the entry before has a lower level, or the same
// level and a greater key.
void InsertByWalk(std::vector<DrawEntry>& list, std::vector<double>& keys, int32_t i, int32_t level, double key) {
  size_t n = list.size();
  while (n > 0 && (list[n - 1].Level < level || (list[n - 1].Level == level && keys[n - 1] > key))) n--;
  list.insert(list.begin() + n, {i, level});
  keys.insert(keys.begin() + n, key);
}

void ClearDrawList() {
  for (int32_t k = 0; k < SpriteDrawOrder.Count; k++) Sprites[SpriteDrawOrder[k]].Queued = 0;
  SpriteDrawOrder.RemoveAll();
  SpriteDrawLevels.RemoveAll();
  SpriteDrawKeys.RemoveAll();
}

// Each round queues 200 sprites with levels and keys drawn from small sets
// (many ties); NaN keys come never, from some point on, or first.
TEST_F(RefreshFastPaths, DrawListPlacesMatchTheWalk) {
  Surface({"."});
  const double nan = NAN;
  const double keys[] = {0.0, -0.0, 1.5, 1.5, 3.0, -2.0, INFINITY, -INFINITY, 1e300};
  const int32_t levels[] = {-1, 0, 1000, 1000, 7};
  const struct {
    const char* Name;
    int32_t NaNFrom;  // first entry that may have a NaN key; 200 for none
  } rounds[] = {{"no NaN", 200}, {"NaN from entry 120", 120}, {"NaN first", 0}};
  uint32_t seed = 777;
  auto next = [&seed](int32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (int32_t)((seed >> 8) % (uint32_t)n);
  };
  std::vector<int32_t> made;
  for (int32_t k = 0; k < 200; k++) made.push_back(AddSprite(1, 1, SpriteColor, levels[k % 5]));
  for (auto& r : rounds) {
    std::vector<DrawEntry> expected;
    std::vector<double> expectedKeys;
    for (int32_t k = 0; k < 200; k++) {
      int32_t i = made[next(200)];
      if (Sprites[i].Queued) continue;
      double key = k >= r.NaNFrom && next(6) == 0 ? nan : keys[next(9)];
      Sprites[i].Y = key;
      InsertByWalk(expected, expectedKeys, i, Sprites[i].Held()->Level, key);
      AddSpriteToDrawList(i);
    }
    ASSERT_EQ((int32_t)expected.size(), SpriteDrawOrder.Count) << r.Name;
    ASSERT_GT(expected.size(), 50u) << r.Name;
    for (int32_t k = 0; k < SpriteDrawOrder.Count; k++) {
      EXPECT_EQ(expected[k].Index, SpriteDrawOrder[k]) << r.Name << ", entry " << k;
      EXPECT_EQ(expected[k].Level, SpriteDrawLevels[k]) << r.Name << ", entry " << k;
    }
    ClearDrawList();
  }
}

// A picture whose rows are, by row number mod 4: all transparent, all
// colour, colour and transparent, and all three kinds of pixel mixed.
void FillMaskedPicture(Picture& p, uint32_t& seed) {
  int32_t w = p.Width(), h = p.Height();
  for (int32_t y = 0; y < h; y++)
    for (int32_t x = 0; x < w; x++) {
      seed = seed * 1103515245u + 12345u;
      uint32_t r = (seed >> 8) % 3;
      uint8_t v = 0;
      if (y % 4 == 1) v = (uint8_t)(150 + x);
      if (y % 4 == 2) v = r ? (uint8_t)(150 + x) : 0;
      if (y % 4 == 3) v = r == 0 ? 0 : r == 1 ? 1 : (uint8_t)(150 + x);
      p.Data->Pixels[y * w + x] = v;
    }
}

// Sprites narrower than, as wide as and wider than sixteen pixels, where the surface
// edge or the clip rectangle cut them at odd columns, drawn over a frame of
// varied colours: every frame pixel as the per-pixel rule gives it.
TEST_F(RefreshFastPaths, MaskedSpriteRowsMatchPixelByPixel) {
  const struct {
    int32_t Width, Height, X, Y, ClipLeft;
  } cases[] = {
      {1, 8, 10, 10, 0},   {3, 8, 10, 10, 0},  {4, 8, 10, 10, 0},  {5, 8, 11, 10, 0},
      {13, 12, 20, 30, 0}, {32, 9, 7, 20, 0},  {13, 8, -3, 10, 0}, {32, 8, 50, 10, 0},
      {17, 8, 20, 60, 0},  {17, 8, 20, -3, 0}, {17, 8, 20, 10, 25},
  };
  uint32_t seed = 4242;
  for (auto& c : cases) {
    Surface({"..", ".."});
    SpriteClipLeft = c.ClipLeft;
    int32_t s = AddSprite(c.Width, c.Height, SpriteColor);
    Picture& picture = Sprites[s].Held()->Pictures()[0];
    FillMaskedPicture(picture, seed);
    ShowSpriteAt(s, c.X, c.Y);
    for (int32_t k = 0; k < SurfaceStride * SurfaceHeight; k++) FrameBuffer[k] = (uint8_t)((k * 37 + 11) % 224);
    std::vector<uint8_t> before(FrameBuffer, FrameBuffer + SurfaceStride * SurfaceHeight);
    DrawSprite(s);
    int32_t mismatches = 0;
    for (int32_t y = 0; y < SurfaceHeight; y++)
      for (int32_t x = 0; x < SurfaceWidth; x++) {
        uint8_t was = before[y * SurfaceStride + x], want = was;
        int32_t sx = x - c.X, sy = y - c.Y;
        if (x >= c.ClipLeft && sx >= 0 && sx < c.Width && sy >= 0 && sy < c.Height) {
          uint8_t p = picture.Data->Pixels[sy * c.Width + sx];
          want = p == 0 ? was : p == 1 ? DarkerColor[was] : p;
        }
        if (FramePixel(x, y) != want && mismatches++ < 5)
          ADD_FAILURE() << c.Width << " wide at (" << c.X << ", " << c.Y << "): pixel (" << x << ", " << y << ") is "
                        << (int)FramePixel(x, y) << ", not " << (int)want;
      }
    EXPECT_EQ(0, mismatches) << c.Width << " wide at (" << c.X << ", " << c.Y << ")";
    EXPECT_EQ(Masked, picture.Data->State);
    SetSpriteVisible(s, false);
    SpriteClipLeft = 0;
  }
}

// The zoomed copy of a dirty rectangle of a 64 x 64 surface: each row of the
// scaled area, bottom-up in ZoomBuffer, holds the frame-buffer bytes the
// unzoom tables name, also where display rows repeat a surface row.
TEST_F(RefreshFastPaths, ZoomedCopyFollowsTheTables) {
  const struct {
    double Zoom;
    int32_t Left, Top, Right, Bottom;
  } cases[] = {
      {1.5, 5, 7, 40, 50}, {1.5, 0, 0, 64, 64}, {2, 1, 2, 63, 62}, {33.0 / 32, 30, 0, 64, 33}, {0.5, 3, 9, 60, 41},
  };
  Surface({"..", ".."});
  for (int32_t k = 0; k < SurfaceStride * SurfaceHeight; k++) FrameBuffer[k] = (uint8_t)((k * 7 + k / 64 * 13) % 224);
  for (auto& c : cases) {
    Zoom = c.Zoom;
    DisplayWidth = DisplayHeight = RoundToInt(64 * c.Zoom);
    DisplayStride = (DisplayWidth + 3) & ~3;
    BuildZoomTables();
    ASSERT_EQ(1, Zoomed) << c.Zoom;
    memset(ZoomBuffer, 255, ZoomBufferSize);
    SetDirtyRectEmpty();
    WidenDirtyRect(c.Left, c.Top, c.Right, c.Bottom);
    CopyDirtyRectToWindow();
    int32_t x0 = c.Left > 0 ? ZoomColumns[c.Left - 1] : 0, y0 = c.Top > 0 ? ZoomRows[c.Top - 1] : 0;
    int32_t x1 = c.Right < SurfaceWidth - 1 ? ZoomColumns[c.Right + 1] : DisplayWidth;
    int32_t y1 = c.Bottom < SurfaceHeight - 1 ? ZoomRows[c.Bottom + 1] : DisplayHeight;
    int32_t dw = x1 - x0, dh = y1 - y0, s = (dw + 3) & ~3, mismatches = 0;
    ASSERT_GT(dh, 1) << c.Zoom;
    for (int32_t j = y0; j < y1; j++)
      for (int32_t i = x0; i < x1; i++) {
        uint8_t want = FrameBuffer[UnzoomRowOffsets[j] + UnzoomColumns[i]];
        uint8_t got = ZoomBuffer[(dh - 1 - (j - y0)) * s + (i - x0)];
        if (got != want && mismatches++ < 5)
          ADD_FAILURE() << "zoom " << c.Zoom << ": display (" << i << ", " << j << ") is " << (int)got << ", not "
                        << (int)want;
      }
    EXPECT_EQ(0, mismatches) << "zoom " << c.Zoom;
  }
  Zoom = 1;
  DisplayWidth = SurfaceWidth;
  DisplayHeight = SurfaceHeight;
  DisplayStride = (DisplayWidth + 3) & ~3;
  BuildZoomTables();
  EXPECT_EQ(0, Zoomed);
}

}  // namespace
