// Icons as window-system objects: the .ICO file's bytes, the window icon the
// system extracts from it, and the cursor's planes and hot spot.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "media_setup.h"
#include "startup/runtime.h"
#include "values/icon.h"

namespace {

class IconFileTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
  void SetUp() override { Instance = GetModuleHandleA(nullptr); }

  static std::string TempDir() {
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    return path;
  }
  static std::vector<uint8_t> ReadFile(const std::string& name) {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(name.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = fgetc(f)) != EOF) bytes.push_back((uint8_t)c);
    fclose(f);
    return bytes;
  }
  static int32_t TempFilesLeft() {
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((TempDir() + "YLT*.tmp").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int32_t n = 0;
    do n++;
    while (FindNextFileA(h, &d));
    FindClose(h);
    return n;
  }
  static uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v;
    memcpy(&v, b.data() + at, 4);
    return v;
  }
  static uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    uint16_t v;
    memcpy(&v, b.data() + at, 2);
    return v;
  }
};

TEST_F(IconFileTest, FileLayout) {
  Icon icon;
  uint8_t* p = icon.WritablePixels();
  for (int32_t i = 0; i < 1024; i++) p[i] = (uint8_t)(i % 7 == 0 ? 0 : i);
  std::string name = TempDir() + "yelto_icon_layout.ico";
  ASSERT_TRUE(icon.SaveIcoFile(name.c_str()));
  std::vector<uint8_t> f = ReadFile(name);
  DeleteFileA(name.c_str());
  ASSERT_EQ(2238u, f.size());
  const struct {
    size_t At, Size;
    uint32_t Value;
  } fields[] = {
      {0, 2, 0},    {2, 2, 1},     {4, 2, 1},       {6, 1, 32},     {7, 1, 32},    {8, 1, 0},   {9, 1, 0},
      {10, 2, 0},   {12, 2, 0},    {14, 4, 2216},   {18, 4, 22},    {22, 4, 40},   {26, 4, 32}, {30, 4, 64},
      {34, 2, 1},   {36, 2, 8},    {38, 4, 0},      {42, 4, 1024},  {46, 4, 0},    {50, 4, 0},  {54, 4, 0},
      {58, 4, 0},
  };
  for (auto& k : fields) {
    uint32_t v = k.Size == 1 ? f[k.At] : k.Size == 2 ? U16(f, k.At) : U32(f, k.At);
    EXPECT_EQ(k.Value, v) << "offset " << k.At;
  }
  EXPECT_EQ(0u, U32(f, 62)) << "colour 0 is black";
  EXPECT_EQ(0, memcmp(f.data() + 66, DibHeader->bmiColors + 1, 255 * 4)) << "the palette's colours 1 to 255";
  EXPECT_EQ(0, memcmp(f.data() + 1086, p, 1024)) << "the pixels as stored";
  for (int32_t i = 0; i < 1024; i++)
    ASSERT_EQ(p[i] == 0, (f[2110 + i / 8] >> (7 - i % 8) & 1) == 1) << "mask bit of pixel " << i;
}

TEST_F(IconFileTest, EmptyIconMaskIsAllOnes) {
  std::string name = TempDir() + "yelto_icon_empty.ico";
  ASSERT_TRUE(Icon().SaveIcoFile(name.c_str()));
  std::vector<uint8_t> f = ReadFile(name);
  DeleteFileA(name.c_str());
  ASSERT_EQ(2238u, f.size());
  EXPECT_EQ(std::vector<uint8_t>(128, 0xFF), std::vector<uint8_t>(f.begin() + 2110, f.end()));
}

TEST_F(IconFileTest, SaveFailsWithoutAPlace) {
  std::string name = TempDir() + "no_such_dir_yelto\\icon.ico";
  EXPECT_FALSE(Icon().SaveIcoFile(name.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(name.c_str()));
}

// The system reads the file back as a 32 x 32 icon; the temporary file goes.
TEST_F(IconFileTest, WindowIcon) {
  int32_t before = TempFilesLeft();
  Icon icon;
  icon.WritablePixels()[100] = 212;
  HICON h = icon.GetWindowIcon();
  ASSERT_NE(nullptr, h);
  EXPECT_EQ(h, icon.GetWindowIcon()) << "made once";
  EXPECT_EQ(before, TempFilesLeft()) << "no temporary file left behind";
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(h, &info));
  EXPECT_TRUE(info.fIcon);
  BITMAP bm;
  GetObjectA(info.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(32, bm.bmWidth);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  Icon copy = icon;
  EXPECT_EQ(h, copy.GetWindowIcon()) << "shared with the record";
}

// Without a temporary file there is no window icon, and every call tries
// again until one can be made.
TEST_F(IconFileTest, WindowIconRetriedAfterAFailure) {
  char saved[MAX_PATH] = "";
  DWORD had = GetEnvironmentVariableA("TMP", saved, sizeof saved);
  std::string missing = TempDir() + "no_such_dir_yelto\\";
  SetEnvironmentVariableA("TMP", missing.c_str());
  Icon icon;
  icon.WritablePixels()[0] = 9;
  EXPECT_EQ(nullptr, icon.GetWindowIcon());
  EXPECT_EQ(nullptr, icon.Data->WindowIcon);
  SetEnvironmentVariableA("TMP", had ? saved : nullptr);
  EXPECT_NE(nullptr, icon.GetWindowIcon()) << "made once a file can be written";
}

// The cursor's AND plane (top half of its mask) and XOR plane (bottom half),
// 4 bytes a row, top row first.
struct CursorPlanes {
  std::vector<uint8_t> And, Xor;
  POINT HotSpot;
  bool Ok = false;
  int Bit(const std::vector<uint8_t>& plane, int32_t column, int32_t row) const {
    return plane[row * 4 + column / 8] >> (7 - column % 8) & 1;
  }
};

CursorPlanes ReadCursor(HCURSOR c) {
  CursorPlanes p;
  ICONINFO info;
  if (!GetIconInfo(c, &info)) return p;
  uint8_t bits[256] = {};
  LONG n = GetBitmapBits(info.hbmMask, sizeof bits, bits);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (n != 256 || info.fIcon) return p;
  p.And.assign(bits, bits + 128);
  p.Xor.assign(bits + 128, bits + 256);
  p.HotSpot = {(LONG)info.xHotspot, (LONG)info.yHotspot};
  p.Ok = true;
  return p;
}

TEST_F(IconFileTest, CursorPlanesAndHotSpot) {
  const struct {
    const char* Name;
    uint8_t Value;
    int And, Xor;
    bool HotSpot;
  } cases[] = {
      {"0 transparent", 0, 1, 0, false},      {"2 inverted", 2, 1, 1, false},       {"49 inverted", 49, 1, 1, false},
      {"50 inverted, hot spot", 50, 1, 1, true}, {"62 inverted, hot spot", 62, 1, 1, true},
      {"63 white", 63, 0, 1, true},           {"64 white", 64, 0, 1, true},         {"65 black", 65, 0, 0, true},
      {"66 black", 66, 0, 0, true},           {"68 white", 68, 0, 1, true},
      {"127 black", 127, 0, 0, true},         {"128 transparent", 128, 1, 0, true}, {"134 transparent", 134, 1, 0, true},
      {"211 transparent", 211, 1, 0, true},   {"212 white", 212, 0, 1, false},      {"217 white", 217, 0, 1, false},
      {"218 black", 218, 0, 0, false},        {"223 black", 223, 0, 0, false},      {"255 black", 255, 0, 0, false},
  };
  for (auto& c : cases) {
    Icon icon;
    icon.WritablePixels()[5 * 32 + 9] = c.Value;  // stored row 5: cursor row 26
    CursorPlanes p = ReadCursor(icon.GetCursor());
    ASSERT_TRUE(p.Ok) << c.Name;
    EXPECT_EQ(c.And, p.Bit(p.And, 9, 26)) << c.Name;
    EXPECT_EQ(c.Xor, p.Bit(p.Xor, 9, 26)) << c.Name;
    EXPECT_EQ(c.HotSpot ? 9 : 16, p.HotSpot.x) << c.Name;
    EXPECT_EQ(c.HotSpot ? 26 : 16, p.HotSpot.y) << c.Name;
    EXPECT_EQ(1, p.Bit(p.And, 10, 26)) << c.Name << ": the neighbour stays transparent";
    EXPECT_EQ(0, p.Bit(p.Xor, 10, 26)) << c.Name;
  }
}

TEST_F(IconFileTest, CursorHotSpotRules) {
  const struct {
    const char* Name;
    std::vector<std::pair<int32_t, uint8_t>> Pixels;  // storage index, value
    POINT HotSpot;
  } cases[] = {
      {"none marked: the centre", {}, {16, 16}},
      {"bottom-left corner", {{0, 56}}, {0, 31}},
      {"the topmost marked row wins", {{0, 56}, {20 * 32 + 3, 134}, {2 * 32 + 30, 70}}, {3, 11}},
      {"within a row the rightmost", {{10 * 32 + 3, 56}, {10 * 32 + 7, 130}}, {7, 21}},
      {"top-right corner", {{1023, 60}, {0, 60}}, {31, 0}},
  };
  for (auto& c : cases) {
    Icon icon;
    uint8_t* p = icon.WritablePixels();
    for (auto& px : c.Pixels) p[px.first] = px.second;
    CursorPlanes planes = ReadCursor(icon.GetCursor());
    ASSERT_TRUE(planes.Ok) << c.Name;
    EXPECT_EQ(c.HotSpot.x, planes.HotSpot.x) << c.Name;
    EXPECT_EQ(c.HotSpot.y, planes.HotSpot.y) << c.Name;
  }
}

TEST_F(IconFileTest, CursorMadeOnceAndEmptyIconArrow) {
  Icon icon;
  icon.WritablePixels()[0] = 0;
  CursorPlanes blank = ReadCursor(icon.GetCursor());
  ASSERT_TRUE(blank.Ok);
  EXPECT_EQ(std::vector<uint8_t>(128, 0xFF), blank.And) << "all transparent";
  EXPECT_EQ(std::vector<uint8_t>(128, 0), blank.Xor);
  EXPECT_EQ(icon.GetCursor(), icon.GetCursor()) << "cached in the record";
  HCURSOR saved = EmptyIconData.Cursor;
  EmptyIconData.Cursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
  EXPECT_EQ(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), Icon().GetCursor());
  EmptyIconData.Cursor = saved;
}

}  // namespace
