// Drawing programs run on tiny surfaces: the body of main written as
// commands with named operands, the background layer set and read as grids
// of text (top row first) and the dirty tiles read the same way.
#pragma once
#include <stdio.h>
#include <string.h>
#include <map>
#include <string>
#include <vector>
#include "graphics/drawing.h"
#include "graphics/surface.h"
#include "image_setup.h"
#include "program_fixture.h"
#include "values/palette.h"

// Pictures the background tests draw: opaque, masked (transparent and
// shadow pixels) and invisible; letters of the key below.
const char* const DrawingProgram = R"(
global
  main: function -> main_def
  r: real = 0
  opaque: background = opaque_pic
  masked: background = masked_pic
  clear: background = clear_pic
  got: background = clear_pic
  icon: picture = blank
  nan: real = nan
local
  main_def: function -> main_body
program
  main_body: function
%BODY%
key a=30 b=40 s=1
background opaque_pic w=3 h=2 fill=30
  |aba
  |bab
background masked_pic w=3 h=2 fill=0
  |as.
  |.sb
background clear_pic w=4 h=4 fill=0
picture blank fill=0
)";

// Grid characters and the palette indexes they stand for.
const uint8_t PenIndex = 20;
inline const std::map<char, uint8_t>& GridKey() {
  static const std::map<char, uint8_t> key = {{'.', BlackColor}, {'#', PenIndex}, {'a', 30}, {'b', 40},
                                              {' ', TransparentColor}, {'s', ShadowColor}, {'c', 62},
                                              {'d', 218}, {'e', 63}, {'w', WhiteColor}};
  return key;
}
inline char GridChar(uint8_t index) {
  for (const auto& k : GridKey())
    if (k.second == index) return k.first;
  return '?';
}

// An operand item line: a number, a colour of the palette, a pixel position
// in fields.
inline std::string Num(double v) {
  char s[64];
  snprintf(s, sizeof s, "num %.17g", v);
  return s;
}
inline std::string Px(double pixels) { return Num(pixels / 32); }
inline std::string ColorOf(uint8_t index) { return Num(PaletteColors[index]); }

struct Operand {
  std::string Name;  // the parameter's head: a name or #id
  std::string Value; // the operand's item line
};
// A command of main's body with its named operands (at depth 2; a value
// assigned to a variable is at depth 3).
inline std::string Command(const std::string& head, std::initializer_list<Operand> operands, int depth = 2) {
  std::string in(2 * depth, ' ');
  std::string s = in + head + "\n";
  for (const Operand& o : operands) s += in + "  " + o.Name + "\n" + in + "    " + o.Value + "\n";
  return s;
}
// r := the value element with its operands.
inline std::string AssignR(const std::string& head, std::initializer_list<Operand> operands) {
  return "    @r\n" + Command(head, operands, 3);
}

class DrawingTest : public ProgramTest {
 public:
  // Loads the program with body, builds a surface of columns x rows tiles,
  // black and without dirty tiles, lays the grid at the bottom-left corner,
  // calls prepare and runs main.
  void Draw(const std::string& body, int32_t columns = 1, int32_t rows = 1, const char* initial = nullptr,
            void (*prepare)() = nullptr) {
    SetUp();
    std::string source = DrawingProgram;
    source.replace(source.find("%BODY%"), 6, body);
    ASSERT_TRUE(LoadTestProgram(source));
    ASSERT_TRUE(CompileProgram());
    ASSERT_EQ(PenIndex, ColorCubeIndex(PaletteColors[PenIndex])) << "the pen colour maps to itself";
    Maps.RemoveAll();
    Maps.AppendNew(columns, rows);
    InitGraphicsSurface();
    memset(BackgroundLayer, BlackColor, (size_t)SurfaceStride * SurfaceHeight);
    memset(DirtyTiles, 0, (size_t)TileColumns * TileRows);
    if (initial) SetLayer(initial);
    if (prepare) prepare();
    Run();
  }

  static double R() { return Numbers[GlobalItemLinks[1].DataIndex]; }
  // The globals after r: opaque, masked, clear, got (pictures), icon.
  static const Picture& GlobalPicture(int32_t k) { return Pictures.Get(GlobalItemLinks[2 + k].DataIndex); }
  static const Icon& IconGot() { return Icons.Get(GlobalItemLinks[6].DataIndex); }

  static uint8_t Pixel(int32_t x, int32_t y) { return BackgroundLayer[y * SurfaceStride + x]; }

  // Lines of the grid text, top row first, with no empty lines.
  static std::vector<std::string> GridLines(const char* grid) {
    std::vector<std::string> lines;
    std::string line;
    for (const char* p = grid;; p++) {
      if (*p == '\n' || !*p) {
        if (!line.empty()) lines.push_back(line);
        line.clear();
        if (!*p) break;
      } else {
        line += *p;
      }
    }
    return lines;
  }
  static void SetLayer(const char* grid) {
    std::vector<std::string> lines = GridLines(grid);
    int32_t h = (int32_t)lines.size();
    for (int32_t j = 0; j < h; j++)
      for (int32_t i = 0; i < (int32_t)lines[j].size(); i++)
        BackgroundLayer[(h - 1 - j) * SurfaceStride + i] = GridKey().at(lines[j][i]);
  }
  // The w x h block at the bottom-left corner, top row first, each row ended by a newline.
  static std::string Grid(int32_t w, int32_t h) {
    std::string s;
    for (int32_t y = h - 1; y >= 0; y--) {
      for (int32_t x = 0; x < w; x++) s += GridChar(Pixel(x, y));
      s += '\n';
    }
    return s;
  }
  // The grid's own size read back, for comparing with the expected text.
  static std::string GridLike(const char* expected) {
    std::vector<std::string> lines = GridLines(expected);
    return Grid((int32_t)lines[0].size(), (int32_t)lines.size());
  }
  static std::string Text(const char* grid) {
    std::string s;
    for (const std::string& line : GridLines(grid)) s += line + "\n";
    return s;
  }
  // Pixels of the layer other than black outside the w x h corner block.
  static int32_t PaintedOutside(int32_t w, int32_t h) {
    int32_t n = 0;
    for (int32_t y = 0; y < SurfaceHeight; y++)
      for (int32_t x = 0; x < SurfaceWidth; x++)
        if ((x >= w || y >= h) && Pixel(x, y) != BlackColor) n++;
    return n;
  }
  // The dirty tiles, top row first: '#' dirty, '.' clean.
  static std::string Tiles() {
    std::string s;
    for (int32_t r = TileRows - 1; r >= 0; r--) {
      for (int32_t c = 0; c < TileColumns; c++) s += DirtyTiles[r * TileColumns + c] ? '#' : '.';
      s += '\n';
    }
    return s;
  }
};
