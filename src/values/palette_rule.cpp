// The palette's colours, darker-colour rule and colour cube from their rules.
#include "values/palette_rule.h"

const uint32_t PaletteGroupBases[PaletteGroupCount] = {
    0xFF0000, 0xFF4848, 0xFF7474, 0xFFA69E, 0xFFDCD2, 0xFF7200, 0xFFC696,
    0xFFB600, 0xFFC060, 0xFFFF00, 0xFFFF80, 0xFFFFC0, 0xB2FF00, 0x00FF00,
    0x80FF80, 0xC0FFC0, 0x00FF92, 0x8AFFDE, 0x00FFFF, 0x00BAFF, 0x7CDEFF,
    0x0080FF, 0x0000FF, 0x4850FF, 0x8090FF, 0x9AC0FF, 0xD2EEFF, 0x7200FF,
    0xAE00FF, 0xC6A2FF, 0xFF00FF, 0xFF80FF, 0xFF008A, 0xFF80C0, 0xFFBAD2,
};

// Shade multipliers (/256) after the base colour of a group.
static const int ShadeFactors[ShadesPerGroup] = {256, 216, 176, 132, 88, 44};

PaletteRgb PaletteColorAt(int index) {
  if (index == TransparentColor) return PaletteRgb{149, 34, 140};
  if (index == ShadowColor) return PaletteRgb{97, 30, 111};
  if (index >= FirstGreyColor) {
    uint8_t c = (uint8_t)((2805 - 255 * (index - FirstGreyColor)) / 11);
    return PaletteRgb{c, c, c};
  }
  int group = (index - FirstGroupColor) / ShadesPerGroup;
  int k = ShadeFactors[(index - FirstGroupColor) % ShadesPerGroup];
  uint32_t base = PaletteGroupBases[group];
  return PaletteRgb{(uint8_t)((base >> 16 & 0xFF) * k / 256),
                    (uint8_t)((base >> 8 & 0xFF) * k / 256),
                    (uint8_t)((base & 0xFF) * k / 256)};
}

void ComputePalette(PaletteRgb colors[PaletteColorCount]) {
  for (int i = 0; i < PaletteColorCount; i++) colors[i] = PaletteColorAt(i);
}

void ComputeDarkerColors(uint8_t darker[256]) {
  for (int i = 0; i < 256; i++) {
    int d = BlackColor;
    if (i >= FirstGroupColor && i < FirstGreyColor) {
      if ((i - 1) % ShadesPerGroup != 0) d = i + 1;
    } else if (i >= FirstGreyColor && i < FirstGreyColor + GreyCount - 2) {
      d = i + 2;
    }
    darker[i] = (uint8_t)d;
  }
}

static inline int AbsDiff(int a, int b) { return a > b ? a - b : b - a; }

void ComputeColorCube(uint8_t* cube) {
  PaletteRgb colors[PaletteColorCount];
  ComputePalette(colors);
  // Channel distance of each cell component (spread over 0..255) to each colour.
  uint8_t redDist[64][PaletteColorCount], greenDist[64][PaletteColorCount],
      blueDist[64][PaletteColorCount];
  for (int c = 0; c < 64; c++) {
    int v = c << 2 | c >> 4;
    for (int i = 0; i < PaletteColorCount; i++) {
      redDist[c][i] = (uint8_t)AbsDiff(v, colors[i].Red);
      greenDist[c][i] = (uint8_t)AbsDiff(v, colors[i].Green);
      blueDist[c][i] = (uint8_t)AbsDiff(v, colors[i].Blue);
    }
  }
  for (int b = 0; b < 64; b++) {
    for (int g = 0; g < 64; g++) {
      uint8_t* row = cube + (b << 12 | g << 6);
      for (int r = 0; r < 64; r++) {
        int best = FirstGroupColor, bestDist = 1 << 30;
        for (int i = FirstGroupColor; i < PaletteColorCount; i++) {
          int d = redDist[r][i] + greenDist[g][i] + blueDist[b][i];
          if (d < bestDist) {
            bestDist = d;
            best = i;
          }
        }
        row[r] = (uint8_t)best;
      }
    }
  }
}
