// Picture transformations on small pictures with exact pixels: mask,
// mirrors, quarter and half turns, turns by other angles, nearest and smooth
// resize, colour scaling on the palette and in true colour, dithering.
#include <gtest/gtest.h>
#include <float.h>
#include <math.h>
#include <string.h>
#include <vector>
#include "base/pi.h"
#include "media_setup.h"
#include "values/color_pixels.h"
#include "values/picture.h"

namespace {

typedef std::vector<uint8_t> Pixels;

// Pixels are given in storage order: the bottom row first.
Picture MakePicture(int32_t width, int32_t height, const Pixels& pixels) {
  Picture p(width, height);
  memcpy(p.Data->Pixels, pixels.data(), pixels.size());
  return p;
}

Pixels PixelsOf(const Picture& p) { return Pixels(p.Pixels(), p.Pixels() + p.Data->PixelCount()); }

std::string Describe(const Picture& p) {
  std::string s = std::to_string(p.Width()) + "x" + std::to_string(p.Height()) + ":";
  for (uint8_t v : PixelsOf(p)) s += " " + std::to_string(v);
  return s;
}

std::string Describe(int32_t width, int32_t height, const Pixels& pixels) {
  return Describe(MakePicture(width, height, pixels));
}

uint8_t CubeOf(uint8_t red, uint8_t green, uint8_t blue) { return ColorCube[ColorCubeCell(red, green, blue)]; }

class PictureTransform : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
};

TEST_F(PictureTransform, MaskKeepsOnlyWhatTheOtherPictureCovers) {
  Pixels all(16);
  for (int i = 0; i < 16; i++) all[i] = (uint8_t)(10 + i);
  Picture p = MakePicture(4, 4, all);
  p.Data->State = Opaque;
  Picture copy(p);
  Picture mask = MakePicture(2, 2, {5, 0, 7, 1});
  p.Mask(mask);
  EXPECT_EQ(Describe(4, 4, {10, 0, 0, 0, 14, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), Describe(p));
  EXPECT_NE(copy.Data, p.Data);
  EXPECT_EQ(all, PixelsOf(copy)) << "the record it shared is unchanged";
  EXPECT_EQ(Opaque, copy.Data->State);
  EXPECT_EQ(Masked, p.Classify()) << "the mask's result is classified anew";

  Picture wide = MakePicture(3, 1, {4, 5, 6});
  wide.Mask(MakePicture(5, 2, {9, 9, 0, 9, 9, 9, 9, 9, 9, 9}));
  EXPECT_EQ(Describe(3, 1, {4, 5, 0}), Describe(wide)) << "a larger mask cuts nothing off";
  wide.Mask(MakePicture(1, 1, {0}));
  EXPECT_EQ(Invisible, wide.Classify());
}

TEST_F(PictureTransform, MirrorsSwapInPlaceOnAPrivateCopy) {
  Pixels source = {2, 3, 4, 5, 6, 7};  // 3 x 2: bottom row 2 3 4, top row 5 6 7
  Picture p = MakePicture(3, 2, source);
  p.Data->State = Opaque;
  Picture shared(p);
  p.MirrorX();
  EXPECT_EQ(Describe(3, 2, {4, 3, 2, 7, 6, 5}), Describe(p));
  EXPECT_EQ(Opaque, p.Data->State) << "a mirror keeps the pixel classes";
  EXPECT_EQ(source, PixelsOf(shared));
  p.MirrorY();
  EXPECT_EQ(Describe(3, 2, {7, 6, 5, 4, 3, 2}), Describe(p));

  Picture odd = MakePicture(1, 3, {2, 3, 4});
  odd.MirrorY();
  EXPECT_EQ(Describe(1, 3, {4, 3, 2}), Describe(odd));
  odd.MirrorX();
  EXPECT_EQ(Describe(1, 3, {4, 3, 2}), Describe(odd)) << "a one-pixel row stays";
}

// 3 x 2 with bottom row A B C (2 3 4) and top row D E F (5 6 7).
TEST_F(PictureTransform, ExactTurns) {
  struct Case {
    double Angle;
    int32_t Width, Height;
    Pixels Expected;
  };
  const Case cases[] = {
      // Counter-clockwise quarter turn: the right column C F becomes the top row.
      {Pi / 2, 2, 3, {5, 2, 6, 3, 7, 4}},
      {Pi / 2 + 0.00005, 2, 3, {5, 2, 6, 3, 7, 4}},
      {Pi / 2 - 0.0001, 2, 3, {5, 2, 6, 3, 7, 4}},
      {-3 * Pi / 2, 2, 3, {5, 2, 6, 3, 7, 4}},
      {Pi, 3, 2, {7, 6, 5, 4, 3, 2}},
      {-Pi, 3, 2, {7, 6, 5, 4, 3, 2}},
      {3 * Pi / 2, 2, 3, {4, 7, 3, 6, 2, 5}},
      {-Pi / 2, 2, 3, {4, 7, 3, 6, 2, 5}},
      {2 * Pi * 1000 + Pi / 2, 2, 3, {5, 2, 6, 3, 7, 4}},
  };
  for (const Case& c : cases) {
    Picture p = MakePicture(3, 2, {2, 3, 4, 5, 6, 7});
    Picture shared(p);
    p.Rotate(c.Angle, false, true);
    EXPECT_EQ(Describe(c.Width, c.Height, c.Expected), Describe(p)) << "angle " << c.Angle;
    EXPECT_EQ(Describe(3, 2, {2, 3, 4, 5, 6, 7}), Describe(shared)) << "angle " << c.Angle;
  }
}

TEST_F(PictureTransform, TurnsThatChangeNothing) {
  const double angles[] = {0, 2 * Pi, 0.00009, -2 * Pi, 256 * Pi, NAN, INFINITY, -INFINITY, -1e-300};
  for (double angle : angles) {
    Picture p = MakePicture(3, 2, {2, 3, 4, 5, 6, 7});
    PictureData* record = p.Data;
    p.Rotate(angle, true, true);
    EXPECT_EQ(record, p.Data) << "angle " << angle;
    EXPECT_EQ(Describe(3, 2, {2, 3, 4, 5, 6, 7}), Describe(p)) << "angle " << angle;
  }
}

// Huge angles are reduced at once, never by adding full turns one by one.
TEST_F(PictureTransform, HugeAnglesFinish) {
  const double angles[] = {-1e300, 1e300, -1.5e19, -DBL_MAX};
  for (double angle : angles) {
    Picture p = MakePicture(2, 1, {2, 3});
    p.Rotate(angle, false, false);
    EXPECT_GE(p.Width(), 1) << angle;
    EXPECT_LE(p.Width(), 3) << angle;
    EXPECT_LE(p.Height(), 3) << angle;
  }
}

TEST_F(PictureTransform, EighthTurnOfALine) {
  // A B side by side turn into a rising diagonal in a 3 x 3 box; the corners
  // the line does not reach are transparent.
  Picture p = MakePicture(2, 1, {2, 3});
  p.Rotate(Pi / 4, false, true);
  EXPECT_EQ(Describe(3, 3, {2, 0, 0, 0, 3, 0, 0, 0, 0}), Describe(p));
  EXPECT_EQ(Masked, p.Classify());

  // In the second quadrant the box of a 4 x 2 picture is
  // 4 |cos r| + 2 sin r = 3.09 by 4 sin r + 2 |cos r| = 4.41, each plus 0.4.
  Picture q = MakePicture(4, 2, Pixels(8, 9));
  q.Rotate(Pi / 2 + 0.3, false, true);
  EXPECT_EQ(3, q.Width());
  EXPECT_EQ(5, q.Height());
}

// The smooth turn works on the doubled picture and halves the result; a
// uniform opaque picture keeps its colour in the middle.
TEST_F(PictureTransform, SmoothTurnKeepsTheColourInside) {
  Picture p = MakePicture(8, 8, Pixels(64, 134));
  p.Rotate(Pi / 4, true, true);
  EXPECT_EQ(12, p.Width());
  EXPECT_EQ(12, p.Height());
  EXPECT_EQ(134, p.Pixels()[6 * 12 + 6]);
  EXPECT_EQ(0, p.Pixels()[0]) << "the corners of the box are transparent";
  EXPECT_EQ(0, p.Pixels()[12 * 12 - 1]);
}

// A smooth turn of the widest picture doubles to the side limit, not beyond.
TEST_F(PictureTransform, SmoothTurnOfAWidePictureStaysInsideTheSideLimit) {
  Picture p = MakePicture(20000, 1, Pixels(20000, 80));
  p.Rotate(0.001, true, false);
  EXPECT_LE(p.Width(), MaxPictureSide);
  EXPECT_GE(p.Width(), 16000);
  EXPECT_GE(p.Height(), 1);
}

TEST_F(PictureTransform, NearestResize) {
  struct Case {
    int32_t Width, Height;
    Pixels Source;
    int32_t NewWidth, NewHeight;
    Pixels Expected;
  };
  const Case cases[] = {
      {2, 1, {2, 3}, 4, 1, {2, 2, 3, 3}},
      {3, 1, {2, 3, 4}, 2, 1, {2, 3}},       // columns 0 and floor(1.5)
      {4, 1, {2, 3, 4, 5}, 3, 1, {2, 3, 4}},  // floor(i * 4/3)
      {1, 2, {2, 3}, 2, 3, {2, 2, 2, 2, 3, 3}},
      {2, 2, {2, 3, 4, 5}, 1, 1, {2}},
      {3, 1, {2, 3, 4}, 7, 1, {2, 2, 2, 3, 3, 4, 4}},
  };
  for (const Case& c : cases) {
    Picture p = MakePicture(c.Width, c.Height, c.Source);
    p.Data->State = Opaque;
    Picture shared(p);
    p.Resize(c.NewWidth, c.NewHeight, false, false);
    EXPECT_EQ(Describe(c.NewWidth, c.NewHeight, c.Expected), Describe(p))
        << "from " << c.Width << "x" << c.Height;
    EXPECT_EQ(Unclassified, p.Data->State);
    EXPECT_EQ(c.Source, PixelsOf(shared));
  }
}

TEST_F(PictureTransform, ResizeToTheSameSizeOrBeyondTheLimit) {
  Picture p = MakePicture(2, 1, {2, 3});
  PictureData* record = p.Data;
  p.Resize(2, 1, true, true);
  EXPECT_EQ(record, p.Data) << "the same size does nothing";
  p.Resize(32768, 1, false, false);
  EXPECT_EQ(MaxPictureSide, p.Width()) << "a side beyond what a picture holds is limited";
  EXPECT_EQ(2, p.Pixels()[16383]);
  EXPECT_EQ(3, p.Pixels()[16384]);
}

// Transparent and shadow areas keep their class, opaque areas their colour,
// both ways of the smooth resize (rows first when growing, columns first
// when the height shrinks).
TEST_F(PictureTransform, SmoothResizeKeepsClassesAndUniformColours) {
  struct Case {
    int32_t NewWidth, NewHeight;
    bool Dither;
  };
  const Case cases[] = {{16, 8, true}, {16, 8, false}, {6, 2, true}, {3, 4, false}};
  for (const Case& c : cases) {
    // 8 x 4: left quarter transparent, next quarter shadow, right half red.
    Pixels source;
    for (int y = 0; y < 4; y++)
      for (int x = 0; x < 8; x++) source.push_back(x < 2 ? 0 : x < 4 ? 1 : RedColor);
    Picture p = MakePicture(8, 4, source);
    p.Resize(c.NewWidth, c.NewHeight, true, c.Dither);
    ASSERT_EQ(c.NewWidth, p.Width());
    ASSERT_EQ(c.NewHeight, p.Height());
    for (int y = 0; y < c.NewHeight; y++) {
      const uint8_t* row = p.Pixels() + y * c.NewWidth;
      EXPECT_EQ(TransparentColor, row[0]) << c.NewWidth << "x" << c.NewHeight << " row " << y;
      EXPECT_EQ(RedColor, row[c.NewWidth - 1]) << c.NewWidth << "x" << c.NewHeight << " row " << y;
    }
  }
  Picture shadow = MakePicture(4, 4, Pixels(16, ShadowColor));
  shadow.Resize(9, 3, true, true);
  EXPECT_EQ(Pixels(27, ShadowColor), PixelsOf(shadow));
  Picture blue = MakePicture(3, 3, Pixels(9, BlueColor));
  blue.Resize(2, 7, true, true);
  EXPECT_EQ(Pixels(14, BlueColor), PixelsOf(blue));
}

TEST_F(PictureTransform, ResampleKernel) {
  EXPECT_DOUBLE_EQ(16.0 / 18, ResampleKernel(0));
  EXPECT_NEAR(1.0 / 18, ResampleKernel(1), 1e-13);
  EXPECT_NEAR(1.0 / 18, ResampleKernel(-1), 1e-13);
  EXPECT_DOUBLE_EQ(0, ResampleKernel(2));
  EXPECT_DOUBLE_EQ(0, ResampleKernel(-7));
  for (double x = 0; x < 1; x += 0.125)  // the shifted filters add up to 1
    EXPECT_NEAR(1, ResampleKernel(x - 2) + ResampleKernel(x - 1) + ResampleKernel(x) + ResampleKernel(x + 1),
                1e-12) << x;
}

// Halving a row of alternating black and white averages it to a grey; half
// transparent sums get their colour brightened back.
TEST_F(PictureTransform, ResampleRowsAveragesWhenShrinking) {
  std::vector<ColorPixel> source;
  for (int i = 0; i < 16; i++) {
    uint8_t v = i % 2 ? 255 : 0;
    source.push_back(ColorPixel{v, v, v, 0, 0});
  }
  std::vector<ColorPixel> target(8);
  ResampleRows(source.data(), 16, 1, target.data(), 8);
  for (int i = 2; i < 6; i++) {
    EXPECT_NEAR(128, target[i].Red, 1) << i;
    EXPECT_EQ(target[i].Red, target[i].Blue) << i;
    EXPECT_EQ(0, target[i].Transparency) << i;
  }

  std::vector<ColorPixel> half;
  for (int i = 0; i < 16; i++) half.push_back(i % 2 ? ColorPixel{0, 0, 200, 0, 0} : ColorPixel{0, 0, 0, 255, 0});
  ResampleRows(half.data(), 16, 1, target.data(), 8);
  for (int i = 2; i < 6; i++) {
    EXPECT_NEAR(128, target[i].Transparency, 1) << i;
    EXPECT_EQ(141, target[i].Red) << "100 brightened by sqrt(2): " << i;
  }
}

TEST_F(PictureTransform, ColorPixelsRoundTrip) {
  Picture p = MakePicture(4, 1, {TransparentColor, ShadowColor, RedColor, WhiteColor});
  ColorPixel* colors = p.ToColorPixels();
  const ColorPixel expected[4] = {{0, 0, 0, 255, 0}, {0, 0, 0, 0, 255}, {0, 0, 255, 0, 0}, {255, 255, 255, 0, 0}};
  for (int i = 0; i < 4; i++) EXPECT_EQ(0, memcmp(&expected[i], &colors[i], 5)) << i;
  Picture shared(p);
  p.FromColorPixels(colors, true);
  MemFree(colors);
  EXPECT_NE(shared.Data, p.Data) << "a shared record is not written";
  EXPECT_EQ(Describe(4, 1, {0, 1, RedColor, WhiteColor}), Describe(p));
}

TEST_F(PictureTransform, ClassesOfColorPixelsByWeight) {
  const ColorPixel colors[5] = {
      {0, 0, 255, 129, 0}, {0, 0, 255, 128, 0}, {0, 0, 255, 64, 65}, {0, 0, 255, 64, 64}, {0, 0, 255, 0, 200}};
  Picture p(5, 1);
  p.FromColorPixels(colors, false);
  EXPECT_EQ(Describe(5, 1, {0, RedColor, 1, RedColor, 1}), Describe(p));
}

// A grey between two palette greys alternates between them with dithering;
// errors come from the left pixel and from the row below.
TEST_F(PictureTransform, DitherSpreadsTheError) {
  ASSERT_EQ(219, CubeOf(100, 100, 100));  // grey 92
  ASSERT_EQ(218, CubeOf(105, 105, 105));  // grey 115
  ASSERT_EQ(219, CubeOf(96, 96, 96));
  ASSERT_EQ(219, CubeOf(91, 91, 91));
  std::vector<ColorPixel> grey(8, ColorPixel{100, 100, 100, 0, 0});
  Picture p(4, 2);
  p.FromColorPixels(grey.data(), true);
  // Row 0: 100, then 100 + 8 * 5 / 8 = 105, then 100 - 15 * 5 / 8 = 91, ...
  // Row 1 sees -8 + 15 (96) at the ends and -8 + 15 - 8 in between (the -5 / 8
  // truncates to no correction).
  EXPECT_EQ(Describe(4, 2, {219, 218, 219, 218, 219, 219, 219, 219}), Describe(p));
  // One column: each row takes the error of the row below.
  Picture column(1, 4);
  column.FromColorPixels(grey.data(), true);
  EXPECT_EQ(Describe(1, 4, {219, 218, 219, 218}), Describe(column));
  Picture plain(4, 2);
  plain.FromColorPixels(grey.data(), false);
  EXPECT_EQ(Pixels(8, 219), PixelsOf(plain));
}

TEST_F(PictureTransform, ScaleColorsOnThePalette) {
  Pixels source = {TransparentColor, ShadowColor, RedColor, 3, WhiteColor, 240};
  struct Case {
    double Factor;
    Pixels Expected;
  };
  const Case cases[] = {
      {0.5, {0, 1, CubeOf(128, 0, 0), CubeOf(108, 0, 0), CubeOf(128, 128, 128), BlackColor}},
      {-0.5, {0, 1, CubeOf(128, 0, 0), CubeOf(108, 0, 0), CubeOf(128, 128, 128), BlackColor}},
      {1000, {0, 1, RedColor, RedColor, WhiteColor, BlackColor}},
      {5000, {0, 1, RedColor, RedColor, WhiteColor, BlackColor}},
      {0, {0, 1, BlackColor, BlackColor, BlackColor, BlackColor}},
  };
  for (const Case& c : cases) {
    Picture p = MakePicture(6, 1, source);
    p.Data->State = Masked;
    Picture shared(p);
    p.ScaleColors(c.Factor, false);
    EXPECT_EQ(Describe(6, 1, c.Expected), Describe(p)) << "factor " << c.Factor;
    EXPECT_EQ(Masked, p.Data->State) << "factor " << c.Factor;
    EXPECT_EQ(source, PixelsOf(shared)) << "factor " << c.Factor;
  }
  EXPECT_EQ(5, CubeOf(128, 0, 0)) << "half red is the shade (131, 0, 0)";
}

TEST_F(PictureTransform, ScaleColorsByOneOrNaNChangesNothing) {
  const double factors[] = {1, -1, NAN};
  for (double factor : factors) {
    for (bool smooth : {false, true}) {
      Picture p = MakePicture(2, 1, {RedColor, 3});
      Picture shared(p);
      p.ScaleColors(factor, smooth);
      EXPECT_EQ(shared.Data, p.Data) << factor << " smooth " << smooth;
    }
  }
}

TEST_F(PictureTransform, ScaleColorsSmoothDithers) {
  Picture p = MakePicture(4, 1, {TransparentColor, ShadowColor, WhiteColor, WhiteColor});
  Picture shared(p);
  p.ScaleColors(0.5, true);
  EXPECT_NE(shared.Data, p.Data);
  // White halves to 128 (grey 139), and its error of 11 takes the next
  // pixel to 128 - 6 = 122 (grey 115).
  ASSERT_EQ(217, CubeOf(128, 128, 128));
  ASSERT_EQ(218, CubeOf(122, 122, 122));
  EXPECT_EQ(Describe(4, 1, {0, 1, 217, 218}), Describe(p));
  EXPECT_EQ(Describe(4, 1, {0, 1, WhiteColor, WhiteColor}), Describe(shared));
}

// Every transformation decodes an image picture in its shared record first
// and leaves the other handles of that record as they were; the result is
// the same as that of a plain picture with the decoded pixels.
TEST_F(PictureTransform, ImagePicturesAreDecodedAndNeverChangedInPlace) {
  typedef void (*Op)(Picture&);
  struct Case {
    const char* Name;
    Op Apply;
  };
  const Case cases[] = {
      {"mask", [](Picture& p) { p.Mask(MakePicture(3, 2, {2, 0, 2, 2, 2, 0})); }},
      {"mirror x", [](Picture& p) { p.MirrorX(); }},
      {"mirror y", [](Picture& p) { p.MirrorY(); }},
      {"quarter turn", [](Picture& p) { p.Rotate(Pi / 2, false, true); }},
      {"half turn", [](Picture& p) { p.Rotate(Pi, false, true); }},
      {"eighth turn", [](Picture& p) { p.Rotate(Pi / 4, true, true); }},
      {"nearest resize", [](Picture& p) { p.Resize(7, 3, false, false); }},
      {"smooth resize", [](Picture& p) { p.Resize(7, 3, true, true); }},
      {"palette scale", [](Picture& p) { p.ScaleColors(0.5, false); }},
      {"smooth scale", [](Picture& p) { p.ScaleColors(0.5, true); }},
  };
  Pixels pixels = PatternPixels(5, 4, 3);
  for (const Case& c : cases) {
    std::vector<uint8_t> record = ImageRecord(pixels, 5);
    PictureData* image = (PictureData*)MemAlloc(sizeof(PictureData));
    *image = PictureData{ImageCountBase, Compressed, 5, 4, record.data()};
    Picture a, b;
    a.AttachRecord(image);
    b = a;
    c.Apply(b);
    EXPECT_EQ(Unclassified, image->State) << c.Name;
    EXPECT_EQ(image, a.Data) << c.Name;
    EXPECT_EQ(pixels, PixelsOf(a)) << c.Name;
    EXPECT_NE(image, b.Data) << c.Name;
    Picture plain = MakePicture(5, 4, pixels);
    c.Apply(plain);
    EXPECT_EQ(Describe(plain), Describe(b)) << c.Name;
  }
}

}  // namespace
