// Tiny maps and sprites for the graphics tests: the main map and its icons
// written as text grids, sprites of one colour or a pixel pattern, and reads
// of the frame buffer and the dirty-tile map. The fixture has the real main
// window (hidden) and a surface built for the map it was given.
#pragma once
#include <string.h>
#include <string>
#include <vector>
#include "graphics/composition.h"
#include "graphics/display_refresh.h"
#include "graphics/sprite_engine.h"
#include "graphics/sprite_motion.h"
#include "graphics/surface.h"
#include "window_setup.h"

const uint8_t Black = 223, White = 212, Red = 2, Green = 80, Yellow = 56;
const uint8_t IconColor = 100, SpriteColor = 150, OtherColor = 160;

// An icon by letter: 'o' opaque IconColor, '.' transparent, 's' all shadow,
// 'h' masked: left half IconColor, right half transparent.
inline Icon LetterIcon(char c) {
  Icon icon;
  icon.New();
  uint8_t* p = icon.WritablePixels();
  for (int32_t y = 0; y < IconSide; y++)
    for (int32_t x = 0; x < IconSide; x++) {
      uint8_t v = 0;
      if (c == 'o' || (c == 'h' && x < 16)) v = IconColor;
      if (c == 's') v = 1;
      p[y * IconSide + x] = v;
    }
  return icon;
}

// Rows top first, one letter per cell; becomes Maps entry 0.
inline void SetMainMap(const std::vector<std::string>& rows) {
  int32_t h = (int32_t)rows.size(), w = (int32_t)rows[0].size();
  Map map(w, h);
  for (int32_t y = 0; y < h; y++)
    for (int32_t x = 0; x < w; x++) map.Cell(x, y).Icon = LetterIcon(rows[h - 1 - y][x]);
  if (Maps.Count == 0) Maps.Append(map);
  Maps[0] = map;
}

// Sprite data of phases x directions pictures of w x h, picture k filled with
// color + k; rest phases and level as given.
inline int32_t AddSprite(int32_t w, int32_t h, uint8_t color, int32_t level = 1000, int32_t phases = 1,
                         int32_t rest = 1, int32_t directions = 1) {
  Sprite s(phases, directions);
  SpriteData* d = s.Held();
  d->SetRestPhaseCount(rest);
  d->Level = level;
  for (int32_t k = 0; k < d->PictureCount(); k++) {
    Picture& p = d->Pictures()[k];
    p.New(w, h);
    memset(p.Data->Pixels, color + k, (size_t)w * h);
  }
  return Sprites.Append(s);
}

// Places sprite i at the pixel position (its bottom-left corner) and shows it.
inline void ShowSpriteAt(int32_t i, int32_t px, int32_t py) {
  MoveSpriteTo(i, px / 32.0, py / 32.0);
  SetSpriteVisible(i, true);
}

// Frame-buffer pixel (x, y), y from the bottom.
inline uint8_t FramePixel(int32_t x, int32_t y) { return FrameBuffer[(size_t)y * SurfaceStride + x]; }

// The dirty-tile map as text, top row first: '#' dirty, '.' clean.
inline std::string DirtyGrid() {
  std::string s;
  for (int32_t r = TileRows - 1; r >= 0; r--) {
    for (int32_t c = 0; c < TileColumns; c++) s += DirtyTiles[r * TileColumns + c] ? '#' : '.';
    if (r) s += '/';
  }
  return s;
}

class GraphicsFixture : public MainWindowFixture {
 public:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Open();
    ResetSpriteEngine();
  }
  void TearDown() override {
    // A shown window with an update region would keep the queue's WM_PAINT
    // coming, and the fixture drains the queue without dispatching.
    ShowWindow(MainWindow, SW_HIDE);
    ValidateRect(MainWindow, nullptr);
    MainWindowShown = 0;
    MainWindowFixture::TearDown();
  }
  // A fresh surface for the map over a background of one colour, every tile
  // dirty, the frame buffer cleared to 0.
  void Surface(const std::vector<std::string>& rows, uint8_t background = White) {
    SetMainMap(rows);
    InitGraphicsSurface();
    memset(BackgroundLayer, background, (size_t)SurfaceStride * SurfaceHeight);
    memset(FrameBuffer, 0, (size_t)SurfaceStride * SurfaceHeight);
    SetDirtyRectEmpty();
  }
  // A refresh of the shown main window.
  static void Refresh() {
    MainWindowShown = 1;
    RefreshDisplay();
  }
};
