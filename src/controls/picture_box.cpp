// Painting a picture box: its picture stretched to the control through the
// program's palette, from a row-padded copy when the width is not a multiple
// of 4 (device-independent bitmaps need rows of whole words).
#include "controls/picture_box.h"
#include <string.h>
#include "base/memory.h"
#include "values/palette.h"
#include "values/picture.h"
#include "window/window_table.h"

// The padded copy of entry index's picture, made on first need.
static const uint8_t* PaddedPicturePixels(int32_t index, const Picture& picture) {
  WindowItem& item = Windows[index];
  int32_t w = picture.Width(), h = picture.Height(), stride = (w + 3) & ~3;
  if (!item.PaddedPixels) {
    item.PaddedPixels = (uint8_t*)MemAlloc(stride * h);
    const uint8_t* source = picture.Pixels();
    for (int32_t y = 0; y < h; y++) memcpy(item.PaddedPixels + y * stride, source + y * w, w);
  }
  return item.PaddedPixels;
}

void PaintPictureBox(int32_t index, const DRAWITEMSTRUCT* draw) {
  Picture picture = Windows[index].Picture;
  picture.Decompress();
  HDC dc = draw->hDC;
  HPALETTE previous = SelectPalette(dc, PaletteHandle, FALSE);
  RealizePalette(dc);
  int32_t w = picture.Width(), h = picture.Height();
  DibHeader->bmiHeader.biWidth = w;
  DibHeader->bmiHeader.biHeight = h;
  const uint8_t* pixels = w % 4 == 0 ? picture.Pixels() : PaddedPicturePixels(index, picture);
  SetStretchBltMode(dc, COLORONCOLOR);
  const RECT& r = draw->rcItem;
  StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, w, h, pixels, DibHeader,
                DIB_RGB_COLORS, SRCCOPY);
  SelectPalette(dc, previous, FALSE);
}
