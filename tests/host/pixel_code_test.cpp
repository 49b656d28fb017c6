// Pixel code: exact streams for known inputs, round trips over many shapes of
// image, the worst-case size, and damaged streams staying inside their buffers.
#include "values/pixel_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

typedef std::vector<uint8_t> Bytes;

std::string Hex(const Bytes& b) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (size_t i = 0; i < b.size(); i++) {
    if (i) s += ' ';
    s += digits[b[i] >> 4];
    s += digits[b[i] & 15];
  }
  return s;
}

const uint8_t Canary = 0xCD;

// Encodes into a buffer of exactly the bound plus a guard; checks that nothing
// past the returned size was touched.
Bytes Compress(const Bytes& in, int32_t width) {
  int32_t n = (int32_t)in.size();
  Bytes out((size_t)CompressedPixelBound(n) + 16, Canary);
  int32_t size = CompressPixels(out.data(), in.data(), n, width);
  EXPECT_LE(size, CompressedPixelBound(n)) << "length " << n << " width " << width;
  for (size_t i = (size_t)size; i < out.size(); i++)
    EXPECT_EQ(out[i], Canary) << "byte " << i << " past the stream of " << size;
  out.resize((size_t)size);
  return out;
}

// Decodes into a buffer of exactly `length` bytes filled with the canary first.
Bytes Decompress(const Bytes& stream, int32_t length, int32_t width, PixelDecodeResult* result) {
  Bytes out((size_t)length, Canary);
  *result = DecompressPixels(out.data(), length, width, stream.data(), (int32_t)stream.size());
  return out;
}

Bytes Repeat(uint8_t value, int count) { return Bytes((size_t)count, value); }

struct EncodeCase {
  const char* Name;
  Bytes Input;
  int32_t Width;
  Bytes Expected;
};

Bytes Sequence(int count) {
  Bytes b;
  for (int i = 0; i < count; i++) b.push_back((uint8_t)i);
  return b;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Alternating(int count) {
  Bytes b;
  for (int i = 0; i < count; i++) b.push_back(i % 2 ? 2 : 1);
  return b;
}

TEST(PixelCodeEncode, KnownStreams) {
  const Bytes halves = {1, 2, 3, 4, 1, 2, 3, 4};
  const Bytes eightLiterals = {0, 0, 1, 2, 3, 4, 1, 2, 3, 4};
  const EncodeCase cases[] = {
      {"literal, run of 3, literal", {5, 5, 5, 5, 7}, 5, {0x3A, 0x00, 0x05, 0x07}},
      {"first row is width codes, then above run of 3", halves, 4,
       {0xE0, 0x03, 0x01, 0x02, 0x03, 0x04, 0x01}},
      {"thirty equal bytes: 22-run and 7-run", Repeat(9, 30), 30, {0x8A, 0x1E, 0x09}},
      {"thirty equal bytes, width 0", Repeat(9, 30), 0, {0x8A, 0x1E, 0x09}},
      {"single byte", {0xAB}, 1, {0x00, 0x00, 0xAB}},
      {"width 1 is one row", halves, 1, eightLiterals},
      {"width 0 is one row", halves, 0, eightLiterals},
      {"negative width is one row", halves, -3, eightLiterals},
      {"width past the length is one row", halves, 9, eightLiterals},
      {"two back", {1, 2, 1}, 0, {0x34, 0x00, 0x01, 0x02}},
      {"above-right", {1, 2, 3, 4, 5, 3}, 4, {0xE0, 0x01, 0x01, 0x02, 0x03, 0x04, 0x05}},
      {"tie of previous and above goes to previous", {1, 4, 3, 4, 4, 9}, 3,
       {0x68, 0x02, 0x01, 0x04, 0x03, 0x09}},
      {"code split over two groups", Concat(Sequence(15), {14, 14, 14, 20}), 0,
       Concat(Concat({0x00, 0x80}, Sequence(15)), {0x0E, 0x00, 0x14})},
      {"seventeenth literal opens a group", Sequence(17), 0,
       Concat(Concat({0x00, 0x00}, Sequence(16)), {0x00, 0x00, 0x10})},
      {"above 22-run, then a single split off into a word of zeros", Alternating(26), 2,
       {0x34, 0xC7, 0x01, 0x02, 0x00, 0x00}},
  };
  for (const EncodeCase& c : cases) {
    Bytes got = Compress(c.Input, c.Width);
    EXPECT_EQ(Hex(got), Hex(c.Expected)) << c.Name;
    PixelDecodeResult r;
    Bytes back = Decompress(c.Expected, (int32_t)c.Input.size(), c.Width, &r);
    EXPECT_EQ(Hex(back), Hex(c.Input)) << c.Name;
    EXPECT_EQ(r.Read, (int32_t)c.Expected.size()) << c.Name;
  }
}

TEST(PixelCodeEncode, NothingBelowLengthOne) {
  uint8_t out[4] = {Canary, Canary, Canary, Canary};
  const uint8_t in[1] = {7};
  for (int32_t length : {0, -1}) {
    EXPECT_EQ(CompressPixels(out, in, length, 1), 0);
    EXPECT_EQ(CompressedPixelBound(length), 0);
    PixelDecodeResult r = DecompressPixels(out, length, 1, in, 1);
    EXPECT_EQ(r.Read, 0);
    EXPECT_EQ(r.Written, 0);
  }
  for (uint8_t b : out) EXPECT_EQ(b, Canary);
}

// Encodes, decodes with the exact size and with trailing bytes, and compares.
void ExpectRoundTrip(const Bytes& in, int32_t width, const std::string& what) {
  Bytes stream = Compress(in, width);
  int32_t n = (int32_t)in.size();
  PixelDecodeResult r;
  Bytes back = Decompress(stream, n, width, &r);
  ASSERT_EQ(r.Written, n) << what;
  EXPECT_EQ(r.Read, (int32_t)stream.size()) << what;
  ASSERT_TRUE(back == in) << what;
  Bytes padded = Concat(stream, {0x55, 0xAA, 0x00, 0xFF});
  back = Decompress(padded, n, width, &r);
  EXPECT_EQ(r.Read, (int32_t)stream.size()) << what << " with trailing bytes";
  EXPECT_TRUE(back == in) << what << " with trailing bytes";
}

std::string Describe(const char* kind, size_t length, int32_t width) {
  return std::string(kind) + " length " + std::to_string(length) + " width " +
         std::to_string(width);
}

TEST(PixelCodeRoundTrip, RandomImages) {
  std::mt19937 rng(1234);
  for (int32_t n = 1; n <= 2000; n += (n < 100 ? 1 : 37)) {
    const int32_t widths[] = {0, 1, 2, 3, 7, 16, 32, n - 1, n, n + 1,
                              1 + (int32_t)(rng() % (uint32_t)n)};
    for (int32_t width : widths) {
      for (uint32_t alphabet : {256u, 4u, 2u}) {
        Bytes in((size_t)n);
        for (uint8_t& b : in) b = (uint8_t)(rng() % alphabet);
        ExpectRoundTrip(in, width, Describe("random", in.size(), width));
        if (HasFatalFailure()) return;
      }
    }
  }
}

// Rows of random bytes where most bytes repeat the row above, above-right or two
// back, with a few changes: the shapes real sprites have.
TEST(PixelCodeRoundTrip, RowsReusingEarlierBytes) {
  std::mt19937 rng(99);
  for (int32_t width : {2, 3, 5, 16, 32, 61}) {
    for (int32_t rows : {1, 2, 5, 20}) {
      for (int kind = 0; kind < 4; kind++) {
        Bytes in((size_t)(width * rows));
        for (size_t p = 0; p < in.size(); p++) {
          size_t w = (size_t)width;
          bool change = rng() % 8 == 0;
          if (kind == 0 && p >= w && !change) in[p] = in[p - w];
          else if (kind == 1 && p + 1 >= w && p >= 1 && !change) in[p] = in[p - w + 1];
          else if (kind == 2 && p >= 2 && !change) in[p] = in[p - 2];
          else if (kind == 3 && p >= 1 && !change) in[p] = in[p - 1];
          else in[p] = (uint8_t)(rng() % 6);
        }
        ExpectRoundTrip(in, width, Describe(("kind " + std::to_string(kind)).c_str(),
                                            in.size(), width));
      }
    }
  }
}

// Runs of every length, of the previous byte and of the row above, between
// bytes that break them.
TEST(PixelCodeRoundTrip, RunsOfEveryLength) {
  for (int m = 1; m <= 60; m++) {
    Bytes previous = Concat(Concat({3, 4}, Repeat(5, m)), {6, 7});
    ExpectRoundTrip(previous, 0, Describe("previous run", m, 0));
    ExpectRoundTrip(previous, 4, Describe("previous run", m, 4));

    const int32_t width = 64;
    Bytes above;
    for (int i = 0; i < width; i++) above.push_back((uint8_t)(i * 7 % 11));
    for (int i = 0; i < width; i++) above.push_back(i < m ? above[(size_t)i] : 200);
    ExpectRoundTrip(above, width, Describe("above run", m, width));
  }
}

// One row where no byte equals either of the two before it: all literals; with
// `twoBack` a single byte repeats the byte two back.
Bytes WorstInput(int32_t n, bool twoBack) {
  Bytes in;
  for (int32_t p = 0; p < n; p++) {
    if (twoBack && p == 2) {
      in.push_back(in[0]);
      continue;
    }
    uint8_t v = 0;
    while ((p >= 1 && v == in[(size_t)p - 1]) || (p >= 2 && v == in[(size_t)p - 2])) v++;
    in.push_back(v);
  }
  return in;
}

TEST(PixelCodeBound, IsReachedAndNeverPassed) {
  for (int32_t n = 1; n <= 700; n++) {
    size_t literals = Compress(WorstInput(n, false), 0).size();
    size_t oneCode = n >= 3 ? Compress(WorstInput(n, true), 0).size() : 0;
    int64_t worst = (int64_t)(literals > oneCode ? literals : oneCode);
    EXPECT_EQ(worst, CompressedPixelBound(n)) << "length " << n;
    EXPECT_LE(CompressedPixelBound(n), (int64_t)n * 9 / 8 + 2) << "length " << n;
  }
  // Random small-alphabet images mix every code; none passes the bound (checked
  // inside Compress).
  std::mt19937 rng(7);
  for (int i = 0; i < 3000; i++) {
    int32_t n = 1 + (int32_t)(rng() % 300);
    Bytes in((size_t)n);
    for (uint8_t& b : in) b = (uint8_t)(rng() % 3);
    Compress(in, (int32_t)(rng() % 20));
  }
  EXPECT_EQ(CompressedPixelBound(0x7FFFFFFF), 2415919104LL);
}

struct DamagedCase {
  const char* Name;
  Bytes Stream;
  int32_t Length;
  int32_t Width;
  int32_t Read;
  Bytes Output;
};

TEST(PixelCodeDamaged, StopsInsideBothBuffers) {
  const DamagedCase cases[] = {
      {"empty input", {}, 3, 0, 0, {0, 0, 0}},
      {"half a flag word", {0x00}, 3, 0, 0, {0, 0, 0}},
      {"literal without its byte", {0x00, 0x00}, 3, 0, 2, {0, 0, 0}},
      {"previous byte at the start", {0x01, 0x00, 0x09}, 3, 0, 2, {0, 0, 0}},
      {"two back from the second byte", {0x1A, 0x00, 0x07}, 4, 0, 3, {7, 0, 0, 0}},
      {"above in the first row", {0x06, 0x00, 0x07}, 4, 4, 3, {7, 0, 0, 0}},
      {"above-right in the first row", {0x1E, 0x00, 0x07}, 4, 4, 3, {7, 0, 0, 0}},
      {"above-right of a one-byte image", {0x1E, 0x00}, 1, 0, 2, {0}},
      {"22-run past the end", {0x0A, 0x00, 0x09}, 5, 0, 3, {9, 9, 9, 9, 9}},
      {"code cut off by the end of the input", Concat({0x00, 0x80}, Sequence(15)), 20, 0, 17,
       Concat(Sequence(15), Repeat(0, 5))},
  };
  for (const DamagedCase& c : cases) {
    PixelDecodeResult r;
    Bytes out = Decompress(c.Stream, c.Length, c.Width, &r);
    EXPECT_EQ(Hex(out), Hex(c.Output)) << c.Name;
    EXPECT_EQ(r.Read, c.Read) << c.Name;
  }
}

// The decoded part of a cut stream is the start of the image; the rest is zero.
TEST(PixelCodeDamaged, TruncatedStreams) {
  std::mt19937 rng(5);
  for (int i = 0; i < 40; i++) {
    int32_t n = 1 + (int32_t)(rng() % 400);
    int32_t width = (int32_t)(rng() % 40);
    Bytes in((size_t)n);
    for (uint8_t& b : in) b = (uint8_t)(rng() % 4);
    Bytes stream = Compress(in, width);
    for (size_t cut = 0; cut < stream.size(); cut++) {
      Bytes part(stream.begin(), stream.begin() + (long)cut);
      PixelDecodeResult r;
      Bytes out = Decompress(part, n, width, &r);
      std::string what = Describe("truncated", in.size(), width) + " cut " + std::to_string(cut);
      ASSERT_LT(r.Written, n) << what;
      EXPECT_LE(r.Read, (int32_t)cut) << what;
      EXPECT_TRUE(std::equal(in.begin(), in.begin() + r.Written, out.begin())) << what;
      EXPECT_EQ(out.end() - out.begin() - r.Written,
                std::count(out.begin() + r.Written, out.end(), 0)) << what;
    }
  }
}

TEST(PixelCodeDamaged, RandomGarbage) {
  std::mt19937 rng(11);
  for (int i = 0; i < 20000; i++) {
    Bytes stream(rng() % 64);
    // Mostly set flag bits ask for copies, the codes a damaged stream gets wrong.
    bool copies = i % 2 == 0;
    for (uint8_t& b : stream) b = (uint8_t)(copies ? rng() | rng() : rng());
    int32_t length = 1 + (int32_t)(rng() % 100);
    int32_t width = (int32_t)(rng() % 12) - 1;
    PixelDecodeResult r;
    Bytes out = Decompress(stream, length, width, &r);
    ASSERT_GE(r.Written, 0);
    ASSERT_LE(r.Written, length);
    ASSERT_GE(r.Read, 0);
    ASSERT_LE(r.Read, (int32_t)stream.size());
    EXPECT_EQ(length - r.Written, std::count(out.begin() + r.Written, out.end(), 0));
  }
}

}  // namespace
