// Text output: the lines of a text drawn through the font cache into a
// one-bit mask of the whole surface, whose cleared bits take the colour.
#include "graphics/text_output.h"
#include <windows.h>
#include <math.h>
#include <string.h>
#include "base/text.h"
#include "window/font_cache.h"
#include "exec/eval_next.h"
#include "base/rounding.h"
#include "code/exec_functions.h"
#include "exec/interpreter.h"
#include "exec/number_operand.h"
#include "graphics/drawing.h"
#include "graphics/surface.h"
#include "window/main_window.h"

int32_t TextAreaWidth;

// Width (EvalNextPixels): the text area width of later textouts.
void ExecCmdGraphAreaWidth() { TextAreaWidth = EvalNextPixels(); }

TextLineLayout TextLineLayoutFor(int32_t height, double angle, double widthFactor, uint8_t bold, uint8_t italic,
                                 uint8_t underline, uint8_t strikeout, uint8_t serif, uint8_t courier) {
  TextLineLayout l = {height ? height : 16, 0};
  if (l.Height != 16 || angle != 0 || italic || underline || strikeout || serif || widthFactor != 1.0) return l;
  if (bold && courier) return {15, 1};
  if (bold) return l;
  if (courier) return {10, 6};
  return {13, 3};
}

// A pixel count of |v| as 32 bits: NaN gives 0, beyond the range the largest.
static int32_t AbsPixels(double v) {
  v = fabs(v);
  if (!(v == v)) return 0;
  return v < 2147483647.0 ? (int32_t)v : INT32_MAX;
}

// The one-bit mask of the whole surface: a DIB section, rows bottom-up, bit 1
// white (untouched) and 0 black (glyph). The info has room for the two
// colours after the header.
struct TextMask {
  HDC WindowDC, Dc;
  HBITMAP Bitmap;
  HGDIOBJ OldBitmap;
  uint8_t* Bits;
};

static bool OpenTextMask(TextMask& m) {
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
  } info;
  memset(&info, 0, sizeof info);
  info.Header.biSize = sizeof info.Header;
  info.Header.biWidth = SurfaceWidth;
  info.Header.biHeight = SurfaceHeight;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = 1;
  info.Header.biCompression = BI_RGB;
  info.Colors[1].rgbRed = info.Colors[1].rgbGreen = info.Colors[1].rgbBlue = 255;
  m.WindowDC = nullptr;
  m.Dc = nullptr;
  m.Bits = nullptr;
  m.Bitmap = CreateDIBSection(nullptr, (BITMAPINFO*)&info, DIB_RGB_COLORS, (void**)&m.Bits, nullptr, 0);
  if (!m.Bitmap || !m.Bits) {
    if (m.Bitmap) DeleteObject(m.Bitmap);
    return false;
  }
  m.WindowDC = GetDC(MainWindow);
  if (m.WindowDC) m.Dc = CreateCompatibleDC(m.WindowDC);
  if (!m.Dc) {
    if (m.WindowDC) ReleaseDC(MainWindow, m.WindowDC);
    DeleteObject(m.Bitmap);
    return false;
  }
  memset(m.Bits, 0xFF, (size_t)SurfaceHeight * (SurfaceWidth / 8));
  m.OldBitmap = SelectObject(m.Dc, m.Bitmap);
  return true;
}

static void CloseTextMask(TextMask& m) {
  DeleteDC(m.Dc);
  ReleaseDC(MainWindow, m.WindowDC);
  DeleteObject(m.Bitmap);
}

// Every cleared bit of the mask writes the colour into its layer byte: bit b
// of byte n (most significant first) stands for byte 8n + 7 - b. Whole words
// of set bits are passed over at once.
static void ExpandTextMask(const uint8_t* bits, uint8_t color) {
  int64_t bytes = (int64_t)SurfaceHeight * (SurfaceWidth / 8);
  uint8_t* layer = BackgroundLayer;
  for (int64_t n = 0; n < bytes; n++) {
    if ((n & 3) == 0 && n + 4 <= bytes && *(const uint32_t*)(bits + n) == 0xFFFFFFFFu) {
      n += 3;
      continue;
    }
    uint8_t b = bits[n];
    if (b == 0xFF) continue;
    uint8_t* to = layer + 8 * n;
    for (int32_t k = 0; k < 8; k++)
      if (!(b & (0x80 >> k))) to[k] = color;
  }
}

// Lines of the text stacked downward from the start point, each centred in
// the text area when one is set and its extent can be measured.
static void DrawTextLines(HDC dc, const Text& text, int64_t x0, int64_t top, int32_t lineHeight) {
  for (int32_t i = 0, lines = text.CountLines(); i < lines; i++) {
    Text line = text.GetLine(i);
    int64_t d = 0;
    SIZE extent;
    if (TextAreaWidth > 0 && GetTextExtentPoint32A(dc, line.Chars(), line.Length(), &extent)) {
      d = ((int64_t)TextAreaWidth - extent.cx) / 2;
      if (d < 0) d = 0;
    }
    int64_t x = x0 + d, y = top + (int64_t)i * lineHeight;
    if (x != ClampToInt32(x) || y != ClampToInt32(y)) continue;  // no coordinate can place it
    TextOutA(dc, (int)x, (int)y, line.Chars(), line.Length());
  }
}

// Text, colour, x, y, angle (radians), height (fields; 0 the default), width
// factor (0 the default), bold, italic, underline, strikeout, serif, courier:
// the text's lines drawn with the cached font of that request into the
// layer; every tile is marked. Nothing changes when the mask or its device
// context cannot be made.
void ExecCmdTextout() {
  Text text;
  RunValue(text);
  uint8_t color = EvalNextColorIndex();
  int32_t x = EvalNextPixels(), y = EvalNextPixels();
  double angle = RunNumOperand();
  int32_t height = AbsPixels(StoredDouble((long double)RunNumOperand() * PixelsPerField));
  double widthFactor = fabs(RunNumOperand());
  uint8_t bold = RunBool(), italic = RunBool(), underline = RunBool();
  uint8_t strikeout = RunBool(), serif = RunBool(), courier = RunBool();
  int32_t lineHeight = height ? height : 16;
  int64_t x0 = (int64_t)x - TruncPixel(sin(angle) * lineHeight);
  int64_t top = ((int64_t)SurfaceHeight - y) - TruncPixel(cos(angle) * lineHeight);
  TextLineLayout layout =
      TextLineLayoutFor(height, angle, widthFactor, bold, italic, underline, strikeout, serif, courier);
  top += layout.TopOffset;
  TextMask mask;
  if (!OpenTextMask(mask)) return;
  HFONT font = GetCachedFont(bold, italic, underline, strikeout, serif, courier, height, widthFactor, angle);
  HGDIOBJ oldFont = font ? SelectObject(mask.Dc, font) : nullptr;
  DrawTextLines(mask.Dc, text, x0, top, layout.Height);
  if (font) {
    SelectObject(mask.Dc, oldFont);
    ReleaseCachedFont(font);
  }
  SelectObject(mask.Dc, mask.OldBitmap);
  GdiFlush();
  ExpandTextMask(mask.Bits, color);
  MarkTileRectDirty(0, 0, TileColumns - 1, TileRows - 1);
  CloseTextMask(mask);
}
