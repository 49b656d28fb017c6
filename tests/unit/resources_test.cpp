// The generated window icon (ICON 1) and arrow cursor (CURSOR 4) load from
// the executable's resources with the expected size and hot spot.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

struct IconFacts {
  bool Loaded, IsIcon, HasColor;
  int HotX, HotY, MaskWidth, MaskHeight;
};

IconFacts FactsOf(HICON icon) {
  IconFacts f = {icon != nullptr, false, false, -1, -1, 0, 0};
  ICONINFO info;
  if (!icon || !GetIconInfo(icon, &info)) return f;
  f.IsIcon = info.fIcon != FALSE;
  f.HasColor = info.hbmColor != nullptr;
  f.HotX = (int)info.xHotspot;
  f.HotY = (int)info.yHotspot;
  BITMAP mask;
  if (GetObjectA(info.hbmMask, sizeof mask, &mask)) {
    f.MaskWidth = mask.bmWidth;
    f.MaskHeight = mask.bmHeight;
  }
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return f;
}

TEST(EngineResources, WindowIconIsColor32) {
  IconFacts f = FactsOf(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
  ASSERT_TRUE(f.Loaded);
  EXPECT_TRUE(f.IsIcon);
  EXPECT_TRUE(f.HasColor);
  EXPECT_EQ(32, f.MaskWidth);
  EXPECT_EQ(32, f.MaskHeight);
}

TEST(EngineResources, ArrowCursorIsMonochromeWithHotSpotAtTip) {
  IconFacts f = FactsOf(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4)));
  ASSERT_TRUE(f.Loaded);
  EXPECT_FALSE(f.IsIcon);
  EXPECT_FALSE(f.HasColor);  // AND and XOR planes in one mask bitmap
  EXPECT_EQ(0, f.HotX);
  EXPECT_EQ(0, f.HotY);
  EXPECT_EQ(32, f.MaskWidth);
  EXPECT_EQ(64, f.MaskHeight);
}

}  // namespace
