// The font cache: lookup by request, creation of missing fonts from four
// families, reference counts and the reuse of unreferenced slots.
#include "window/font_cache.h"
#include <math.h>
#include <string.h>
#include "base/memory.h"
#include "base/language.h"
#include "base/pi.h"
#include "base/process.h"
#include "base/rounding.h"
#include "window/font_seam.h"

FontCacheEntry* FontCache;
int32_t FontCacheNext = FontCacheStockSlots;
HFONT SystemFont;
GLOBAL_OBJECT(Text, UserFontName);
GLOBAL_OBJECT(Text, FontFamilyList);

void InitFontTexts() {
  UserFontName.InitNew("Impact", -1);
  FontFamilyList.InitEmpty();
}

static void FillStockEntry(int32_t slot, uint8_t bold, uint8_t fixed, int stockObject) {
  FontCacheEntry& e = FontCache[slot];
  e.Bold = bold;
  e.Fixed = fixed;
  e.Font = (HFONT)GetStockObject(stockObject);
  if (!e.Font) e.Font = SystemFont;
  e.RefCount = StockFontRefCount;
}

void InitFontCache() {
  FontCache = (FontCacheEntry*)MemAlloc(FontCacheSize * (int32_t)sizeof(FontCacheEntry));
  memset((void*)FontCache, 0, FontCacheSize * sizeof(FontCacheEntry));
  for (int32_t i = 0; i < FontCacheSize; i++) {
    FontCache[i].FaceName.InitEmpty();
    FontCache[i].Charset = 1;
  }
  FontCacheNext = FontCacheStockSlots;
  SystemFont = (HFONT)GetStockObject(SYSTEM_FONT);
  FillStockEntry(0, 0, 0, ANSI_VAR_FONT);
  FillStockEntry(1, 0, 1, ANSI_FIXED_FONT);
  FillStockEntry(2, 1, 0, SYSTEM_FONT);
  FillStockEntry(3, 1, 1, SYSTEM_FIXED_FONT);
}

void ReleaseFontCache() {
  if (!FontCache) return;
  for (int32_t i = 0; i < FontCacheSize; i++) {
    FontCache[i].FaceName.~Text();
    if (FontCache[i].Font && FontCache[i].Font != SystemFont) DeleteObject(FontCache[i].Font);
  }
  if (SystemFont) DeleteObject(SystemFont);
  SystemFont = nullptr;
  MemFree(FontCache);
  FontCache = nullptr;
}

// Doubles compared by their bits: the sign of zero counts, and a NaN request
// finds the entry an equal NaN request made.
static bool SameDouble(double a, double b) { return memcmp(&a, &b, sizeof a) == 0; }

// |height| without overflow, limited to MaxFontHeight.
static int32_t AbsoluteFontHeight(int32_t height) {
  int64_t h = height < 0 ? -(int64_t)height : height;
  return h > MaxFontHeight ? MaxFontHeight : (int32_t)h;
}

static int32_t RequestCharset() { return LanguageCharset == SystemCharset ? 1 : LanguageCharset; }

static bool Matches(const FontCacheEntry& e, uint8_t bold, uint8_t italic, uint8_t underline, uint8_t strikeout,
                    uint8_t serif, uint8_t fixed, int32_t h, double widthFactor, double angle, int32_t c) {
  if (e.Bold != bold || e.Italic != italic || e.Underline != underline || e.Strikeout != strikeout ||
      e.Serif != serif || e.Fixed != fixed)
    return false;
  if (e.Height != h || !SameDouble(e.WidthFactor, widthFactor) || !SameDouble(e.Angle, angle) || e.Charset != c)
    return false;
  return !(serif && fixed) || e.FaceName.Equals(UserFontName);
}

FontRequestFace FontFaceFor(uint8_t bold, uint8_t italic, uint8_t serif, uint8_t fixed, int32_t height,
                            double widthFactor, double angle) {
  FontRequestFace r;
  int32_t h = AbsoluteFontHeight(height);
  r.Height = h ? h : 16;
  double f;
  if (fixed && serif) {
    r.Face = UserFontName.Chars();
    f = 0.6;
  } else if (fixed) {
    r.Face = "Courier New";
    f = 0.58;
  } else if (serif) {
    r.Face = "Times New Roman";
    f = 0.37;
  } else {
    r.Face = "Arial";
    f = 0.4;
  }
  if (fixed && italic) f *= 0.9;
  if (bold) f *= fixed ? 0.9 : 1.06;
  // A NaN or huge factor gives the default width or the largest one.
  double w = fabs(widthFactor) * r.Height * f - 0.1;
  if (!(w >= 0)) r.Width = 0;
  else if (w >= MaxFontHeight) r.Width = MaxFontHeight;
  else r.Width = RoundToInt(w);
  // Tenths of a degree, the remainder keeping the sign; a NaN or infinite
  // angle gives 0.
  double tenths = angle / Pi * 1800;
  r.Escapement = isfinite(tenths) ? (int32_t)fmod(nearbyint(tenths), 3600.0) : 0;
  r.Weight = bold ? 700 : 400;
  return r;
}

// The first slot from the cursor on that nobody holds, or -1 when all 60 are held.
static int32_t TakeFreeSlot() {
  for (int32_t n = 0; n < FontCacheSize - FontCacheStockSlots; n++) {
    int32_t slot = FontCacheNext;
    if (FontCache[slot].RefCount == 0) return slot;
    FontCacheNext = slot + 1 == FontCacheSize ? FontCacheStockSlots : slot + 1;
  }
  return -1;
}

// One more reference to the first entry holding font (so that the release
// finds the same entry); the font itself.
static HFONT ShareEntryOf(HFONT font) {
  for (int32_t i = 0; i < FontCacheSize && FontCache[i].Font; i++)
    if (FontCache[i].Font == font) {
      FontCache[i].RefCount++;
      return font;
    }
  return nullptr;
}

HFONT GetCachedFont(uint8_t bold, uint8_t italic, uint8_t underline, uint8_t strikeout, uint8_t serif,
                    uint8_t fixed, int32_t height, double widthFactor, double angle) {
  if (!FontCache) return nullptr;
  int32_t c = RequestCharset();
  int32_t h = AbsoluteFontHeight(height);
  for (int32_t i = 0; i < FontCacheSize && FontCache[i].Font; i++) {
    FontCacheEntry& e = FontCache[i];
    if (Matches(e, bold, italic, underline, strikeout, serif, fixed, h, widthFactor, angle, c)) {
      e.RefCount++;
      return e.Font;
    }
  }
  FontRequestFace r = FontFaceFor(bold, italic, serif, fixed, height, widthFactor, angle);
  HFONT font = FontSys.CreateFontA(r.Height, r.Width, r.Escapement, r.Escapement, r.Weight, italic, underline,
                                   strikeout, (DWORD)c, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, r.Face);
  if (!font)
    font = FontSys.CreateFontA(r.Height, r.Width, r.Escapement, r.Escapement, r.Weight, italic, underline,
                               strikeout, 1, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, r.Face);
  // The system font is shared through the stock entry that holds it, so a
  // failed creation takes no slot that its release would never find.
  if (!font) return SystemFont ? ShareEntryOf(SystemFont) : nullptr;
  int32_t slot = TakeFreeSlot();
  if (slot < 0) {
    // Every slot is held: the request shares the stock font of its flags.
    DeleteObject(font);
    return ShareEntryOf(FontCache[(bold ? 2 : 0) + (fixed ? 1 : 0)].Font);
  }
  FontCacheEntry& e = FontCache[slot];
  if (e.Font) DeleteObject(e.Font);
  e.Bold = bold;
  e.Italic = italic;
  e.Underline = underline;
  e.Strikeout = strikeout;
  e.Serif = serif;
  e.Fixed = fixed;
  e.Height = h;
  e.WidthFactor = widthFactor;
  e.Angle = angle;
  e.Font = font;
  e.Charset = c;
  e.FaceName = UserFontName;
  e.RefCount = 1;
  FontCacheNext = slot + 1 == FontCacheSize ? FontCacheStockSlots : slot + 1;
  return font;
}

void ReleaseCachedFont(HFONT font) {
  if (!font || !FontCache) return;
  for (int32_t i = 0; i < FontCacheSize && FontCache[i].Font; i++)
    if (FontCache[i].Font == font && FontCache[i].RefCount > 0) {
      FontCache[i].RefCount--;
      return;
    }
}

int CALLBACK AddFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM) {
  FontFamilyList.AppendChars(font->lfFaceName);
  FontFamilyList.AppendChars("\r\n");
  return 1;
}
