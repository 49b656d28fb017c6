// The display refresh on tiny maps: backgrounds, map icons with transparent
// and shadow pixels, sprites in their draw order, clipping, the status bar,
// the dirty-tile closure and the dirty rectangle.
#include "graphics_setup.h"

namespace {

class DisplayRefresh : public GraphicsFixture {};

// Each case: a 2 x 1 map, what its left tile shows at (4, 4) and at (20, 4).
TEST_F(DisplayRefresh, MapIconsOverTheBackground) {
  const uint8_t shaded = DarkerColor[White];
  const struct {
    const char* Map;
    uint8_t Left, Right;
    ImageState State;
  } cases[] = {
      {"o.", IconColor, IconColor, Opaque},
      {".o", White, White, Invisible},
      {"so", shaded, shaded, Masked},
      {"ho", IconColor, White, Masked},
  };
  for (auto& c : cases) {
    Surface({c.Map});
    Refresh();
    EXPECT_EQ(c.Left, FramePixel(4, 4)) << c.Map;
    EXPECT_EQ(c.Right, FramePixel(20, 4)) << c.Map;
    EXPECT_EQ(c.State, Maps[0].Cell(0, 0).Icon.Data->State) << c.Map << ": classified in the shared record";
    EXPECT_EQ(".." , DirtyGrid()) << c.Map;
    EXPECT_EQ(SurfaceWidth, DirtyLeft) << c.Map << ": the copy emptied the dirty rectangle";
    EXPECT_EQ(0, DirtyRight) << c.Map;
  }
  EXPECT_EQ(214, shaded) << "the darker colour of white";
}

// Only dirty tiles are recomposed; a refresh with nothing dirty copies nothing.
TEST_F(DisplayRefresh, OnlyDirtyTilesAreRecomposed) {
  Surface({"..", ".."});
  Refresh();
  memset(BackgroundLayer, Red, (size_t)SurfaceStride * SurfaceHeight);
  DisplayCountdown = 1;
  Refresh();
  EXPECT_EQ(White, FramePixel(5, 5));
  EXPECT_EQ(4, DisplayCountdown);
  EXPECT_GE(DirtyLeft, DirtyRight) << "nothing to copy";
  MarkPixelRectDirty(40, 5, 40, 5);
  Refresh();
  EXPECT_EQ(White, FramePixel(5, 5));
  EXPECT_EQ(Red, FramePixel(40, 5)) << "tile (1, 0) recomposed";
  EXPECT_EQ(White, FramePixel(40, 40));
}

// Pixel 0 of a sprite leaves the frame, 1 darkens it, other values replace it.
TEST_F(DisplayRefresh, MaskedAndShadowSpritePixels) {
  Surface({"."});
  int32_t s = AddSprite(3, 1, SpriteColor);
  uint8_t* p = Sprites[s].Held()->Pictures()[0].Data->Pixels;
  p[0] = 0;
  p[1] = 1;
  ShowSpriteAt(s, 10, 10);
  Refresh();
  EXPECT_EQ(White, FramePixel(10, 10));
  EXPECT_EQ(DarkerColor[White], FramePixel(11, 10));
  EXPECT_EQ(SpriteColor, FramePixel(12, 10));
  EXPECT_EQ(Masked, Sprites[s].Held()->Pictures()[0].Data->State);
}

// Two overlapping sprites: which colour shows where they overlap.
TEST_F(DisplayRefresh, DrawOrderByLevelThenY) {
  const struct {
    const char* Name;
    int32_t LevelA, YA, LevelB, YB;
    uint8_t Shown;
  } cases[] = {
      {"same level: the lower one (smaller y) covers", 1000, 3, 1000, 5, SpriteColor},
      {"same level, other way round", 1000, 5, 1000, 3, OtherColor},
      {"higher level covers", 10, 3, 20, 5, OtherColor},
      {"higher level covers, lower on screen", 20, 5, 10, 3, SpriteColor},
      {"equal keys: the one shown later covers", 1000, 4, 1000, 4, OtherColor},
  };
  for (auto& c : cases) {
    Surface({"..", ".."});
    int32_t a = AddSprite(16, 16, SpriteColor, c.LevelA);
    int32_t b = AddSprite(16, 16, OtherColor, c.LevelB);
    ShowSpriteAt(a, 20, c.YA);
    ShowSpriteAt(b, 24, c.YB);
    Refresh();
    EXPECT_EQ(c.Shown, FramePixel(30, 10)) << c.Name;
    EXPECT_EQ(0, SpriteDrawOrder.Count) << c.Name << ": the draw list is emptied";
    EXPECT_EQ(0, Sprites[a].Queued + Sprites[b].Queued) << c.Name;
    SetSpriteVisible(a, false);
    SetSpriteVisible(b, false);
  }
}

// A sprite below the map (negative level) shows only through transparent icon pixels.
TEST_F(DisplayRefresh, BackSpritesUnderTheIcons) {
  Surface({"oh"});
  int32_t s = AddSprite(64, 32, SpriteColor, -1);
  ShowSpriteAt(s, 0, 0);
  Refresh();
  EXPECT_EQ(IconColor, FramePixel(5, 5)) << "under an opaque icon";
  EXPECT_EQ(IconColor, FramePixel(37, 5)) << "under the masked icon's opaque half";
  EXPECT_EQ(SpriteColor, FramePixel(60, 5)) << "through its transparent half";
}

// A 16 x 16 sprite on a 2 x 2 map (64 x 64) at pixel (x, y), clipped by the
// clip rectangle: the columns and rows (from the bottom) it covers, and the
// dirty rectangle its drawing leaves.
TEST_F(DisplayRefresh, SpritesClippedAtEveryEdge) {
  const int32_t Huge = 2147483600;
  const struct {
    const char* Name;
    int32_t X, Y, ClipL, ClipB, ClipR, ClipT;
    int32_t X0, X1, Y0, Y1;  // drawn columns and rows (y from the bottom), exclusive ends; X0 = X1 none
  } cases[] = {
      {"inside", 10, 20, 0, 0, 32000000, 32000000, 10, 26, 20, 36},
      {"half outside the left edge", -8, 20, 0, 0, 32000000, 32000000, 0, 8, 20, 36},
      {"half outside the right edge", 56, 20, 0, 0, 32000000, 32000000, 56, 64, 20, 36},
      {"half below the bottom", 10, -8, 0, 0, 32000000, 32000000, 10, 26, 0, 8},
      {"half above the top", 10, 56, 0, 0, 32000000, 32000000, 10, 26, 56, 64},
      {"clip rectangle", 10, 20, 12, 22, 20, 30, 12, 20, 22, 30},
      {"clip corners given swapped", 10, 20, 20, 30, 12, 22, 12, 20, 22, 30},
      {"entirely left", -40, 20, 0, 0, 32000000, 32000000, 0, 0, 0, 0},
      {"empty clip", 10, 20, 30, 0, 30, 64, 0, 0, 0, 0},
      {"near +2^31", Huge, Huge, 0, 0, 32000000, 32000000, 0, 0, 0, 0},
      {"near -2^31", -Huge, -Huge, 0, 0, 32000000, 32000000, 0, 0, 0, 0},
      {"negative clip clamped", 10, 20, -100, -100, -50, -50, 0, 0, 0, 0},
  };
  for (auto& c : cases) {
    Surface({"..", ".."});
    Refresh();
    int32_t s = AddSprite(16, 16, SpriteColor);
    Sprite& sp = Sprites[s];
    sp.Visible = 1;
    sp.PixelX = c.X;
    sp.PixelY = c.Y;
    SpriteClipLeft = c.ClipL;
    SpriteClipBottom = c.ClipB;
    SpriteClipRight = c.ClipR;
    SpriteClipTop = c.ClipT;
    SetDirtyRectEmpty();
    DrawSprite(s);
    std::string wrong;
    for (int32_t y = 0; y < 64; y++)
      for (int32_t x = 0; x < 64; x++) {
        bool inside = x >= c.X0 && x < c.X1 && y >= c.Y0 && y < c.Y1;
        if ((FramePixel(x, y) == SpriteColor) != inside) wrong += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
        if (wrong.size() > 60) break;
      }
    EXPECT_EQ("", wrong) << c.Name;
    if (c.X0 == c.X1) {
      EXPECT_GE(DirtyLeft, DirtyRight) << c.Name << ": nothing drawn, rectangle unchanged";
    } else {
      EXPECT_EQ(c.X0, DirtyLeft) << c.Name;
      EXPECT_EQ(c.X1, DirtyRight) << c.Name;
      EXPECT_EQ(64 - c.Y1, DirtyTop) << c.Name;
      EXPECT_EQ(64 - c.Y0, DirtyBottom) << c.Name;
    }
  }
}

// Status 0.6 on a 40 x 40 block: 24 green and 16 black pixels in the top
// three rows, white side lines and bottom line; nothing for status -1 or a
// block 2 pixels wide.
TEST_F(DisplayRefresh, StatusBar) {
  Surface({"..", ".."});
  int32_t s = AddSprite(40, 40, SpriteColor);
  ShowSpriteAt(s, 0, 0);
  Sprites[s].Status = 0.6;
  Sprites[s].StatusShown = 1;
  Refresh();
  std::string top;
  for (int32_t x = 0; x < 40; x++) top += FramePixel(x, 37) == Green ? 'g' : FramePixel(x, 37) == Black ? 'b' : '?';
  EXPECT_EQ(std::string(24, 'g') + std::string(16, 'b'), top);
  for (int32_t y : {36, 20, 1}) {
    EXPECT_EQ(White, FramePixel(0, y)) << y;
    EXPECT_EQ(White, FramePixel(39, y)) << y;
    EXPECT_EQ(SpriteColor, FramePixel(1, y)) << y;
  }
  EXPECT_EQ(White, FramePixel(20, 0)) << "bottom line";
  EXPECT_EQ(Green, FramePixel(0, 39));
  const struct {
    double Status;
    uint8_t Shown;
    int32_t ClipRight;
    uint8_t Corner;
  } cases[] = {{0.3, 1, 32000000, Yellow}, {0.1, 1, 32000000, Red}, {0, 1, 32000000, Black},
               {-1, 0, 32000000, SpriteColor}, {0.6, 1, 2, SpriteColor}};
  for (auto& c : cases) {
    Sprites[s].Status = c.Status;
    Sprites[s].StatusShown = c.Shown;
    SpriteClipRight = c.ClipRight;
    MarkAllTilesDirty();
    Refresh();
    EXPECT_EQ(c.Corner, FramePixel(0, 39)) << "status " << c.Status << ", clip right " << c.ClipRight;
  }
}

// A resting sprite that neither moves nor animates takes its pending phase
// when it is drawn.
TEST_F(DisplayRefresh, PendingPhaseAtRest) {
  Surface({"."});
  int32_t s = AddSprite(8, 8, SpriteColor, 1000, 3, 1);
  ShowSpriteAt(s, 0, 0);
  Sprites[s].PendingPhase = 2;
  InvalidateSprite(s);
  Refresh();
  EXPECT_EQ(SpriteColor + 2, FramePixel(1, 1));
  EXPECT_EQ(2, Sprites[s].Phase);
  EXPECT_EQ(-1, Sprites[s].PendingPhase);
}

// A sprite over a dirty tile is drawn again and the other tiles it covers are
// recomposed; a second sprite over those tiles is drawn too (closure); tiles
// under no queued sprite keep what the frame showed.
TEST_F(DisplayRefresh, DirtyTileClosure) {
  Surface({"...."});
  int32_t a = AddSprite(40, 8, SpriteColor);
  int32_t b = AddSprite(30, 8, OtherColor);
  ShowSpriteAt(a, 10, 0);  // tiles 0 and 1
  ShowSpriteAt(b, 60, 10); // tiles 1 and 2
  Refresh();
  memset(FrameBuffer, 0, (size_t)SurfaceStride * SurfaceHeight);
  MarkTileRectDirty(0, 0, 0, 0);
  Refresh();
  EXPECT_EQ(White, FramePixel(5, 20)) << "tile 0";
  EXPECT_EQ(SpriteColor, FramePixel(45, 4)) << "a, in tile 1";
  EXPECT_EQ(White, FramePixel(40, 25)) << "tile 1 recomposed";
  EXPECT_EQ(OtherColor, FramePixel(85, 12)) << "b, in tile 2";
  EXPECT_EQ(White, FramePixel(70, 25)) << "tile 2 recomposed";
  EXPECT_EQ(0, FramePixel(110, 5)) << "tile 3 untouched";
  EXPECT_EQ("....", DirtyGrid());
}

// A main map replaced by a smaller one without a new surface: only its own
// cells are read; the others show the background.
TEST_F(DisplayRefresh, MapSmallerThanTheSurface) {
  Surface({"oo", "oo"});
  SetMainMap({"o"});
  MarkAllTilesDirty();
  Refresh();
  EXPECT_EQ(IconColor, FramePixel(5, 5));
  EXPECT_EQ(White, FramePixel(40, 40));
}

// Hiding a sprite recomposes its tiles without it.
TEST_F(DisplayRefresh, HiddenSpriteIsRemoved) {
  Surface({"."});
  int32_t s = AddSprite(8, 8, SpriteColor);
  ShowSpriteAt(s, 4, 4);
  Refresh();
  EXPECT_EQ(SpriteColor, FramePixel(5, 5));
  SetSpriteVisible(s, false);
  Refresh();
  EXPECT_EQ(White, FramePixel(5, 5));
}

}  // namespace

namespace {

// The collection of a refresh looks only at the sprites of each tile's own
// bucket; looking at every visible sprite for every tile, one tile
// at a time, must queue the same sprites in the same order.
TEST_F(DisplayRefresh, ClosureOrderWithManySprites) {
  Surface({"........", "........", "........", "........", "........", "........"});
  uint32_t seed = 12345;
  auto next = [&seed](int32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (int32_t)((seed >> 8) % (uint32_t)n);
  };
  for (int32_t k = 0; k < 300; k++) {
    int32_t s = AddSprite(8 + next(60), 8 + next(60), SpriteColor, 1000 * next(3), 1, 1);
    ShowSpriteAt(s, next(300) - 30, next(230) - 30);
    if (next(5) == 0) Sprites[s].Y = Sprites[k ? s - 1 : s].Y;  // some equal keys
  }
  for (int32_t round = 0; round < 5; round++) {
    memset(DirtyTiles, 0, 48);
    for (int32_t k = 0; k < 3; k++) DirtyTiles[next(48)] = 1;
    std::vector<uint8_t> marks(DirtyTiles, DirtyTiles + 48);
    CollectDirtySprites();
    std::vector<int32_t> fast(SpriteDrawOrder.ItemArray(), SpriteDrawOrder.ItemArray() + SpriteDrawOrder.Count);
    std::string fastGrid = DirtyGrid();
    for (int32_t k = 0; k < SpriteDrawOrder.Count; k++) Sprites[SpriteDrawOrder[k]].Queued = 0;
    SpriteDrawOrder.RemoveAll();
    SpriteDrawLevels.RemoveAll();
    SpriteDrawKeys.RemoveAll();
    memcpy(DirtyTiles, marks.data(), 48);
    for (int32_t k = 47; k >= 0; k--)
      if (DirtyTiles[k]) CollectSpritesOverTile(k % 8, k / 8);
    std::vector<int32_t> plain(SpriteDrawOrder.ItemArray(), SpriteDrawOrder.ItemArray() + SpriteDrawOrder.Count);
    EXPECT_EQ(plain, fast) << "round " << round;
    EXPECT_EQ(DirtyGrid(), fastGrid) << "round " << round;
    EXPECT_GT(fast.size(), 3u) << "round " << round;
    for (int32_t k = 0; k < SpriteDrawOrder.Count; k++) Sprites[SpriteDrawOrder[k]].Queued = 0;
    SpriteDrawOrder.RemoveAll();
    SpriteDrawLevels.RemoveAll();
    SpriteDrawKeys.RemoveAll();
  }
}

}  // namespace
