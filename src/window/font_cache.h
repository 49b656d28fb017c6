// The font cache: 64 entries shared by every font the engine uses, four of
// them the stock fonts; equal requests share one system font.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"

struct FontCacheEntry {
  uint8_t Bold, Italic, Underline, Strikeout, Serif, Fixed;
  int32_t Height;  // absolute requested height; 0 the default
  double WidthFactor;
  double Angle;
  HFONT Font;  // 0: never used, and no later entry is used either
  int32_t Charset;
  Text FaceName;  // UserFontName when made; compared for serif fixed requests only
  int32_t RefCount;
};

const int32_t FontCacheSize = 64;
const int32_t FontCacheStockSlots = 4;
const int32_t StockFontRefCount = 0x40000000;
// Heights beyond this many pixels are taken as this many.
const int32_t MaxFontHeight = 32767;

extern FontCacheEntry* FontCache;
extern int32_t FontCacheNext;
extern HFONT SystemFont;
extern Text& UserFontName;
extern Text& FontFamilyList;

void InitFontCache();
void ReleaseFontCache();
// A font for the request with one reference added, or 0 when none could be had.
HFONT GetCachedFont(uint8_t bold, uint8_t italic, uint8_t underline, uint8_t strikeout, uint8_t serif,
                    uint8_t fixed, int32_t height, double widthFactor, double angle);
// Drops one reference; 0 and fonts the cache does not hold are ignored.
void ReleaseCachedFont(HFONT font);

// What CreateFontA is asked for when the cache misses a request.
struct FontRequestFace {
  int32_t Height, Width, Escapement, Weight;
  const char* Face;
};
// Height, width, escapement, weight and face of a request that the cache
// does not hold (pure; used by GetCachedFont).
FontRequestFace FontFaceFor(uint8_t bold, uint8_t italic, uint8_t serif, uint8_t fixed, int32_t height,
                            double widthFactor, double angle);

// Enumeration callback: appends the family name and CR LF to FontFamilyList.
int CALLBACK AddFontFamily(const LOGFONTA* font, const TEXTMETRICA* metric, DWORD type, LPARAM data);

// Start-up constructs the user face name ("Impact") and the empty family list.
void InitFontTexts();
