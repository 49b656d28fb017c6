// The font cache with real fonts: stock slots, sharing and reference counts,
// the fonts asked of the system for a miss, slot reuse, a full cache, the
// faces the test prefix maps to metric-compatible fonts, and the window
// items' font requests.
#include <math.h>
#include "base/pi.h"
#include "controls_setup.h"
#include "window/font_seam.h"
#include "base/language.h"
#include "startup/runtime.h"

namespace {

class FontCacheTest : public ControlsFixture {
 public:
  int32_t SavedLanguageCharset = LanguageCharset, SavedSystemCharset = SystemCharset;
  void SetUp() override {
    ControlsFixture::SetUp();
    LanguageCharset = SystemCharset = 0;
    UserFontName.AssignChars("Impact");
  }
  void TearDown() override {
    FontSys = RealFontSys;
    LanguageCharset = SavedLanguageCharset;
    SystemCharset = SavedSystemCharset;
    UserFontName.AssignChars("Impact");
    ControlsFixture::TearDown();
  }
  static HFONT Plain(int32_t height, double factor = 0, double angle = 0) {
    return GetCachedFont(0, 0, 0, 0, 0, 0, height, factor, angle);
  }
  static int32_t SlotOf(HFONT font) {
    for (int32_t i = 0; i < FontCacheSize && FontCache[i].Font; i++)
      if (FontCache[i].Font == font) return i;
    return -1;
  }
  static LOGFONTA LogFont(HFONT font) {
    LOGFONTA lf = {};
    EXPECT_NE(0, GetObjectA(font, sizeof lf, &lf));
    return lf;
  }
};

TEST_F(FontCacheTest, StockSlots) {
  EXPECT_EQ(GetStockObject(ANSI_VAR_FONT), Plain(0)) << "the default request";
  EXPECT_EQ(GetStockObject(ANSI_FIXED_FONT), GetCachedFont(0, 0, 0, 0, 0, 1, 0, 0, 0));
  EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCachedFont(1, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(GetStockObject(SYSTEM_FIXED_FONT), GetCachedFont(1, 0, 0, 0, 0, 1, 0, 0, 0));
  EXPECT_EQ(StockFontRefCount + 1, FontCache[0].RefCount);
  EXPECT_EQ(nullptr, FontCache[4].Font) << "no font was made";
  // -0.0 is another request than 0.0.
  HFONT negativeZero = Plain(0, -0.0);
  EXPECT_EQ(4, SlotOf(negativeZero));
}

TEST_F(FontCacheTest, DefaultRequestInAnotherCharset) {
  LanguageCharset = 204;
  HFONT font = Plain(0);
  EXPECT_EQ(4, SlotOf(font));
  LOGFONTA lf = LogFont(font);
  EXPECT_EQ(16, lf.lfHeight);
  EXPECT_EQ(0, lf.lfWidth);
  EXPECT_EQ(204, lf.lfCharSet);
  EXPECT_STREQ("Arial", lf.lfFaceName);
  EXPECT_EQ(204, FontCache[4].Charset);
}

TEST_F(FontCacheTest, SharingAndReferences) {
  HFONT a = Plain(20), b = Plain(-20);
  EXPECT_EQ(a, b) << "heights 20 and -20 share";
  int32_t slot = SlotOf(a);
  ASSERT_EQ(4, slot);
  EXPECT_EQ(2, FontCache[slot].RefCount);
  EXPECT_EQ(20, FontCache[slot].Height);
  EXPECT_NE(a, GetCachedFont(0, 1, 0, 0, 0, 0, 20, 0, 0)) << "another flag, another font";
  ReleaseCachedFont(a);
  ReleaseCachedFont(a);
  EXPECT_EQ(0, FontCache[slot].RefCount);
  ReleaseCachedFont(a);
  EXPECT_EQ(0, FontCache[slot].RefCount) << "never below 0";
  EXPECT_NE(0u, GetObjectType(a)) << "an unreferenced font stays cached";
  EXPECT_EQ(a, Plain(20)) << "and is found again";
  ReleaseCachedFont(nullptr);
  ReleaseCachedFont((HFONT)GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(1, FontCache[slot].RefCount);
}

TEST_F(FontCacheTest, FacesWidthsAndEscapements) {
  const struct {
    const char* Name;
    uint8_t Bold, Italic, Serif, Fixed;
    int32_t Height;
    double Factor, Angle;
    int32_t H, W, E, Weight;
    const char* Face;
  } cases[] = {
      {"arial 16 x1", 0, 0, 0, 0, 16, 1.0, 0, 16, 6, 0, 400, "Arial"},
      {"bold arial 16 x1", 1, 0, 0, 0, 16, 1.0, 0, 16, 7, 0, 700, "Arial"},
      {"default height", 0, 0, 0, 0, 0, 1.0, 0, 16, 6, 0, 400, "Arial"},
      {"negative factor", 0, 0, 0, 0, 16, -1.0, 0, 16, 6, 0, 400, "Arial"},
      {"courier 10 x1", 0, 0, 0, 1, 10, 1.0, 0, 10, 6, 0, 400, "Courier New"},
      {"bold italic courier 20 x1", 1, 1, 0, 1, 20, 1.0, 0, 20, 9, 0, 700, "Courier New"},
      {"times 30 x2", 0, 0, 1, 0, 30, 2.0, 0, 30, 22, 0, 400, "Times New Roman"},
      {"serif fixed", 0, 0, 1, 1, 10, 1.0, 0, 10, 6, 0, 400, "Impact"},
      {"pi/2", 0, 0, 0, 0, 16, 0, Pi / 2, 16, 0, 900, 400, "Arial"},
      {"4 pi", 0, 0, 0, 0, 16, 0, 4 * Pi, 16, 0, 0, 400, "Arial"},
      {"-pi/2", 0, 0, 0, 0, 16, 0, -Pi / 2, 16, 0, -900, 400, "Arial"},
      {"-3 pi keeps the sign", 0, 0, 0, 0, 16, 0, -3 * Pi, 16, 0, -1800, 400, "Arial"},
      {"infinite angle", 0, 0, 0, 0, 16, 0, INFINITY, 16, 0, 0, 400, "Arial"},
      {"NaN angle", 0, 0, 0, 0, 16, 0, NAN, 16, 0, 0, 400, "Arial"},
      {"NaN factor", 0, 0, 0, 0, 16, NAN, 0, 16, 0, 0, 400, "Arial"},
      {"huge factor", 0, 0, 0, 0, 16, 1e300, 0, 16, MaxFontHeight, 0, 400, "Arial"},
      {"most negative height", 0, 0, 0, 0, INT32_MIN, 0, 0, MaxFontHeight, 0, 0, 400, "Arial"},
      {"huge height", 0, 0, 0, 0, 1 << 30, 0, 0, MaxFontHeight, 0, 0, 400, "Arial"},
  };
  for (auto& c : cases) {
    FontRequestFace r = FontFaceFor(c.Bold, c.Italic, c.Serif, c.Fixed, c.Height, c.Factor, c.Angle);
    EXPECT_EQ(c.H, r.Height) << c.Name;
    EXPECT_EQ(c.W, r.Width) << c.Name;
    EXPECT_EQ(c.E, r.Escapement) << c.Name;
    EXPECT_EQ(c.Weight, r.Weight) << c.Name;
    EXPECT_STREQ(c.Face, r.Face) << c.Name;
    // What the system is asked for is what the cache gives.
    HFONT font = GetCachedFont(c.Bold, c.Italic, 0, 0, c.Serif, c.Fixed, c.Height, c.Factor, c.Angle);
    ASSERT_NE(nullptr, font) << c.Name;
    if (c.Height == 0 && c.Factor == 0 && c.Angle == 0) continue;
    LOGFONTA lf = LogFont(font);
    EXPECT_EQ(c.H, lf.lfHeight) << c.Name;
    EXPECT_EQ(c.W, lf.lfWidth) << c.Name;
    EXPECT_EQ(c.E, lf.lfEscapement) << c.Name;
    EXPECT_EQ(c.E, lf.lfOrientation) << c.Name;
    EXPECT_EQ(c.Italic, lf.lfItalic) << c.Name;
    EXPECT_STREQ(c.Face, lf.lfFaceName) << c.Name;
  }
  // Underline and strike-out reach the font too.
  LOGFONTA lf = LogFont(GetCachedFont(0, 0, 1, 1, 0, 0, 12, 0, 0));
  EXPECT_EQ(1, lf.lfUnderline);
  EXPECT_EQ(1, lf.lfStrikeOut);
}

TEST_F(FontCacheTest, UserFaceForSerifFixed) {
  HFONT impact = GetCachedFont(0, 0, 0, 0, 1, 1, 18, 0, 0);
  EXPECT_EQ(impact, GetCachedFont(0, 0, 0, 0, 1, 1, 18, 0, 0));
  HFONT plainSerif = GetCachedFont(0, 0, 0, 0, 1, 0, 18, 0, 0);
  UserFontName.AssignChars("Liberation Mono");
  EXPECT_EQ(plainSerif, GetCachedFont(0, 0, 0, 0, 1, 0, 18, 0, 0)) << "the name counts only for serif fixed";
  HFONT mono = GetCachedFont(0, 0, 0, 0, 1, 1, 18, 0, 0);
  EXPECT_NE(impact, mono) << "a new face misses the old entry";
  EXPECT_STREQ("Liberation Mono", LogFont(mono).lfFaceName);
  EXPECT_EQ(2, FontCache[SlotOf(impact)].RefCount) << "the old entry stays for its holders";
  EXPECT_NE(0u, GetObjectType(impact));
}

// After all 60 slots were used, a new font takes the first unreferenced slot
// from the cursor on and deletes the font kept there; with every slot held,
// the request shares the stock font of its flags.
TEST_F(FontCacheTest, SlotReuseAndAFullCache) {
  HFONT held[60];
  for (int32_t k = 0; k < 60; k++) {
    held[k] = Plain(k + 1);
    ASSERT_EQ(4 + k, SlotOf(held[k]));
  }
  EXPECT_EQ(4, FontCacheNext) << "the cursor wrapped";
  ReleaseCachedFont(held[10]);  // slot 14
  HFONT fresh = Plain(100);
  EXPECT_EQ(14, SlotOf(fresh));
  EXPECT_EQ(0u, GetObjectType(held[10])) << "the unreferenced font was deleted";
  EXPECT_EQ(15, FontCacheNext);
  EXPECT_EQ(1, FontCache[14].RefCount);
  EXPECT_EQ(100, FontCache[14].Height);

  int32_t stockCount = FontCache[3].RefCount;
  HFONT shared = GetCachedFont(1, 0, 0, 0, 0, 1, 200, 0, 0);
  EXPECT_EQ(FontCache[3].Font, shared) << "bold fixed: the stock system fixed font";
  EXPECT_EQ(stockCount + 1, FontCache[3].RefCount);
  ReleaseCachedFont(shared);
  EXPECT_EQ(stockCount, FontCache[3].RefCount);
  for (int32_t k = 0; k < 60; k++) EXPECT_NE(0u, GetObjectType(FontCache[4 + k].Font)) << "slot " << 4 + k;
}

// Fonts the system refuses: with the first character set, the request is
// tried again with the default set and stored under the first; refused
// twice, the system font is shared through its stock entry and no slot is
// taken (a slot holding it would never be released, since the release finds
// the stock entry first).
int32_t CreateCalls;
DWORD CharsetsAsked[4];
HFONT WINAPI RefuseAll(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD charset, DWORD, DWORD, DWORD, DWORD,
                       LPCSTR) {
  if (CreateCalls < 4) CharsetsAsked[CreateCalls] = charset;
  CreateCalls++;
  return nullptr;
}
HFONT WINAPI RefuseCharsets(int h, int w, int e, int o, int weight, DWORD i, DWORD u, DWORD s, DWORD charset,
                            DWORD out, DWORD clip, DWORD q, DWORD pitch, LPCSTR face) {
  RefuseAll(h, w, e, o, weight, i, u, s, charset, out, clip, q, pitch, face);
  return charset == 1 ? CreateFontA(h, w, e, o, weight, i, u, s, charset, out, clip, q, pitch, face) : nullptr;
}

TEST_F(FontCacheTest, RefusedFonts) {
  LanguageCharset = 238;
  CreateCalls = 0;
  FontSys.CreateFontA = RefuseCharsets;
  HFONT font = Plain(14);
  EXPECT_EQ(2, CreateCalls);
  EXPECT_EQ(238u, CharsetsAsked[0]);
  EXPECT_EQ(1u, CharsetsAsked[1]);
  ASSERT_EQ(4, SlotOf(font));
  EXPECT_EQ(238, FontCache[4].Charset) << "stored under the set first asked for";
  EXPECT_EQ(font, Plain(14)) << "and found again without asking";
  EXPECT_EQ(2, CreateCalls);

  CreateCalls = 0;
  FontSys.CreateFontA = RefuseAll;
  int32_t systemCount = FontCache[2].RefCount;
  HFONT fallback = Plain(15);
  FontSys = RealFontSys;
  EXPECT_EQ(2, CreateCalls);
  EXPECT_EQ(SystemFont, fallback);
  EXPECT_EQ(nullptr, FontCache[5].Font) << "no slot taken";
  EXPECT_EQ(systemCount + 1, FontCache[2].RefCount);
  ReleaseCachedFont(fallback);
  EXPECT_EQ(systemCount, FontCache[2].RefCount) << "the release finds the reference it took";
}

// The test prefix maps the three faces to metric-compatible fonts, so the
// fixed-pitch request is fixed-pitch.
TEST_F(FontCacheTest, FixedPitchFacesAreFixedPitch) {
  const struct {
    uint8_t Serif, Fixed;
    bool FixedPitch;
  } cases[] = {{0, 0, false}, {0, 1, true}, {1, 0, false}};
  HDC dc = GetDC(MainWindow);
  for (auto& c : cases) {
    HFONT font = GetCachedFont(0, 0, 0, 0, c.Serif, c.Fixed, 20, 0, 0);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SIZE narrow, wide;
    GetTextExtentPoint32A(dc, "iiii", 4, &narrow);
    GetTextExtentPoint32A(dc, "WWWW", 4, &wide);
    SelectObject(dc, old);
    // TMPF_FIXED_PITCH set means a variable pitch.
    EXPECT_EQ(c.FixedPitch, (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0) << (int)c.Fixed << (int)c.Serif;
    EXPECT_EQ(c.FixedPitch, narrow.cx == wide.cx) << (int)c.Fixed << (int)c.Serif;
  }
  ReleaseDC(MainWindow, dc);
}

TEST_F(FontCacheTest, WindowItemsHoldOneReference) {
  int32_t a = Make(ExecNumNewEdit), b = Make(ExecNumNewButton);
  EXPECT_EQ(GetStockObject(ANSI_VAR_FONT), Windows[a].Font) << "the default request";
  for (int32_t id : {a, b}) {
    Windows[id].FontHeight = 24;
    WindowItem::ApplyFont(id);
  }
  HFONT shared = Windows[a].Font;
  EXPECT_EQ(shared, Windows[b].Font);
  int32_t slot = SlotOf(shared);
  ASSERT_GE(slot, 4);
  EXPECT_EQ(2, FontCache[slot].RefCount);
  EXPECT_EQ((LRESULT)shared, SendMessageA(Windows[b].Handle, WM_GETFONT, 0, 0));
  WindowItem::ApplyFont(a);
  EXPECT_EQ(2, FontCache[slot].RefCount) << "an unchanged request keeps its entry";
  Windows[a].Bold = 1;
  WindowItem::ApplyFont(a);
  EXPECT_EQ(1, FontCache[slot].RefCount);
  EXPECT_NE(shared, Windows[a].Font);
  DestroyWindowItem(b);
  EXPECT_EQ(0, FontCache[slot].RefCount) << "freeing the entry returns its reference";
}

// The status bar holds one reference to the default font while shown; a
// second showing releases the first.
TEST_F(FontCacheTest, StatusBarFont) {
  int32_t count = FontCache[0].RefCount;
  ShowStatusBar(true);
  EXPECT_EQ(FontCache[0].Font, StatusBarFont);
  EXPECT_EQ((LRESULT)StatusBarFont, SendMessageA(StatusBar, WM_GETFONT, 0, 0));
  EXPECT_EQ(count + 1, FontCache[0].RefCount);
  ShowStatusBar(false);
  ShowStatusBar(true);
  EXPECT_EQ(count + 1, FontCache[0].RefCount);
}

TEST_F(FontCacheTest, FontFamilyList) {
  FontFamilyList.Empty();
  Text first, second;
  ExecTextFontList(first);
  ExecTextFontList(second);
  std::string list(first.Chars(), first.Length());
  EXPECT_NE(std::string::npos, list.find("Liberation Mono\r\n")) << list;
  ASSERT_GE(list.size(), 2u);
  EXPECT_EQ("\r\n", list.substr(list.size() - 2));
  EXPECT_EQ(first.Data, second.Data) << "enumerated once";
  FontFamilyList.Empty();
}

}  // namespace
