// The LZ77 resource stream: hand-assembled streams for the unpacker, packer
// round trips, and damaged or truncated streams that must stay in bounds.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "lib/lz_encode.h"
#include "values/lz_decode.h"
#include "values/palette_rule.h"

namespace {

typedef std::vector<uint8_t> Bytes;

// Assembles a stream from text: '0' and '1' are bits in reading order, "[hh]"
// is a byte in hex, anything else is ignored. A 16-bit word is opened where
// its first bit is needed, as the unpacker reads it.
Bytes Assemble(const std::string& text) {
  Bytes out;
  size_t word = 0;
  int used = 16;
  for (size_t i = 0; i < text.size(); i++) {
    char c = text[i];
    if (c == '[') {
      out.push_back((uint8_t)strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 3;
    } else if (c == '0' || c == '1') {
      if (used == 16) {
        word = out.size();
        out.push_back(0);
        out.push_back(0);
        used = 0;
      }
      if (c == '1') out[word + used / 8] |= (uint8_t)(1 << used % 8);
      used++;
    }
  }
  return out;
}

const char* const End = " 1 1110 [FF]";

std::string Literals(const Bytes& bytes) {
  std::string s;
  char buf[8];
  for (uint8_t b : bytes) {
    snprintf(buf, sizeof buf, "0[%02X]", b);
    s += buf;
  }
  return s;
}

// Decodes into a buffer with a guard area behind outputSize.
Bytes Decode(const Bytes& stream, int32_t outputSize, int32_t* written = nullptr) {
  const int guard = 64;
  Bytes out(outputSize + guard, 0xEE);
  int32_t n = DecompressResource(out.data(), outputSize, stream.data(), (int32_t)stream.size());
  for (int i = 0; i < guard; i++) EXPECT_EQ(0xEE, out[outputSize + i]) << "wrote past the output";
  EXPECT_GE(n, 0);
  EXPECT_LE(n, outputSize);
  if (written) *written = n;
  out.resize(n < 0 ? 0 : n);
  return out;
}

Bytes Text(const char* s) { return Bytes(s, s + strlen(s)); }

struct StreamCase {
  const char* Name;
  std::string Stream;
  const char* Output;
};

TEST(LzDecode, HandAssembledStreams) {
  const StreamCase cases[] = {
      {"end code only", End, ""},
      {"literal", "0[41]" + std::string(End), "A"},
      {"length 3, distance 1", "0[41] 1 10 1[01]" + std::string(End), "AAAA"},
      {"length 2 has no distance prefix", "0[41]0[42] 1 00 [02]" + std::string(End), "ABAB"},
      {"length 4", "0[41]0[42] 1 010 1[02]" + std::string(End), "ABABAB"},
      {"length 6", "0[41] 1 0110 1[01]" + std::string(End), "AAAAAAA"},
      {"coded 8 is length 7", "0[41] 1 01110 1[01]" + std::string(End), "AAAAAAAA"},
      {"coded 22 is length 21", "0[41] 1 0 1111111111 0 1[01]" + std::string(End),
       "AAAAAAAAAAAAAAAAAAAAAA"},
      {"coded 24 ends without a 0", "0[41] 1 0 11111111111 1[01]" + std::string(End),
       "AAAAAAAAAAAAAAAAAAAAAAAA"},
      {"coded 25 ends without a 0", "0[41] 1 1 11111111111 1[01]" + std::string(End),
       "AAAAAAAAAAAAAAAAAAAAAAAAA"},
      {"escape byte 0 is length 25", "0[41] 1 1110 [00] 1[01]" + std::string(End),
       "AAAAAAAAAAAAAAAAAAAAAAAAAA"},
      {"bytes after the end code are not read", "0[41]" + std::string(End) + "0[42]", "A"},
      {"source before the output stops", "0[41] 1 10 1[02] 0[42]" + std::string(End), "A"},
      {"stream without end code", "0[41]0[42]", "AB"},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Bytes out = Decode(Assemble(c.Stream), 100);
    EXPECT_EQ(Text(c.Output), out);
  }
}

TEST(LzDecode, SeventeenthBitReadsNextWordAfterLiterals) {
  Bytes bytes;
  for (int i = 0; i < 17; i++) bytes.push_back((uint8_t)('a' + i));
  Bytes stream = Assemble(Literals(bytes) + End);
  // Word, 16 literals, word, the 17th literal, end-code byte.
  ASSERT_EQ(2u + 16 + 2 + 1 + 1, stream.size());
  EXPECT_EQ(0x00, stream[0]);
  EXPECT_EQ('a', stream[2]);
  EXPECT_EQ(0x1E, stream[18]);  // literal bit 0, then 1 1 1 1 0
  EXPECT_EQ(bytes, Decode(stream, 100));
}

TEST(LzDecode, LongLengthsFromEscapeByte) {
  const int lengths[] = {25, 100, 254 + 25};
  for (int length : lengths) {
    char text[64];
    snprintf(text, sizeof text, "0[41] 1 1110 [%02X] 1[01]", length - 25);
    EXPECT_EQ(Bytes(length + 1, 'A'), Decode(Assemble(text + std::string(End)), 400))
        << "length " << length;
  }
}

struct HighCase {
  int High;
  const char* Bits;
};

TEST(LzDecode, DistanceHighParts) {
  const HighCase cases[] = {
      {0, "1"},        {1, "0000"},      {2, "0001"},      {3, "00100"},
      {4, "00101"},    {5, "00110"},     {6, "00111"},     {7, "010000"},
      {8, "010001"},   {12, "010101"},   {13, "010110"},   {14, "0101110"},
      {15, "0101111"}, {16, "0110000"},  {30, "0111110"},  {31, "0111111"},
  };
  Bytes prefix(8192);
  for (size_t i = 0; i < prefix.size(); i++) prefix[i] = (uint8_t)(i * 7 + i / 256);
  std::string lead = Literals(prefix);
  for (const HighCase& c : cases) {
    for (int low : {0x00, 0x5A, 0xFF}) {
      int distance = c.High * 256 + low;
      if (distance == 0) continue;
      char match[64];
      snprintf(match, sizeof match, " 1 10 %s [%02X]", c.Bits, low);
      Bytes out = Decode(Assemble(lead + match + End), 9000);
      Bytes expected = prefix;
      for (int k = 0; k < 3; k++) expected.push_back(expected[expected.size() - distance]);
      EXPECT_EQ(expected, out) << "distance " << distance;
    }
  }
}

TEST(LzDecode, StaysInsideBothBuffersOnDamagedInput) {
  Bytes data(5000);
  for (size_t i = 0; i < data.size(); i++) data[i] = (uint8_t)(i % 97 < 50 ? i % 7 : i * 13);
  Bytes stream = CompressResource(data.data(), data.size());
  // Every truncation unpacks a prefix of the data.
  for (size_t cut = 0; cut <= stream.size(); cut += cut < 64 ? 1 : 37) {
    Bytes part(stream.begin(), stream.begin() + cut);
    Bytes out = Decode(part, (int32_t)data.size());
    ASSERT_TRUE(std::equal(out.begin(), out.end(), data.begin())) << "cut at " << cut;
  }
  // A small output takes only the first bytes.
  EXPECT_EQ(Bytes(data.begin(), data.begin() + 10), Decode(stream, 10));
  EXPECT_TRUE(Decode(stream, 0).empty());
  // Random garbage never writes outside the output.
  srand(7);
  for (int round = 0; round < 2000; round++) {
    Bytes junk(1 + rand() % 64);
    for (uint8_t& b : junk) b = (uint8_t)rand();
    Decode(junk, rand() % 300);
  }
}

void ExpectRoundTrip(const char* name, const Bytes& data) {
  SCOPED_TRACE(name);
  Bytes stream = CompressResource(data.data(), data.size());
  // Junk after the stream must not be read: the end code stops the unpacker.
  Bytes padded = stream;
  for (int i = 0; i < 40; i++) padded.push_back((uint8_t)(i * 37 + 1));
  int32_t written = -1;
  Bytes out = Decode(padded, (int32_t)data.size() + 100, &written);
  EXPECT_EQ((int32_t)data.size(), written);
  EXPECT_TRUE(out == data);
}

Bytes Random(size_t n, unsigned seed) {
  srand(seed);
  Bytes b(n);
  for (uint8_t& x : b) x = (uint8_t)rand();
  return b;
}

TEST(LzRoundTrip, VariousInputs) {
  ExpectRoundTrip("empty", Bytes());
  ExpectRoundTrip("one byte", Bytes(1, 9));
  ExpectRoundTrip("two equal bytes", Bytes(2, 9));
  ExpectRoundTrip("long run", Bytes(100000, 0xAB));
  Bytes pattern;
  for (int i = 0; i < 3000; i++) pattern.push_back((uint8_t)"xyz"[i % 3]);
  ExpectRoundTrip("overlapping period 3", pattern);
  ExpectRoundTrip("random", Random(20000, 1));
  Bytes blocks = Random(300, 2);
  for (int i = 0; i < 60; i++) {
    Bytes part = Random(40 + i * 7, 100 + i % 5);
    blocks.insert(blocks.end(), part.begin(), part.end());
  }
  ExpectRoundTrip("repeated random blocks", blocks);
}

TEST(LzRoundTrip, ColorCube) {
  Bytes cube(ColorCubeSize);
  ComputeColorCube(cube.data());
  ExpectRoundTrip("cube", cube);
  EXPECT_LT(CompressResource(cube.data(), cube.size()).size(), cube.size() / 4);
}

TEST(LzEncode, UsesLongestLengthForRuns) {
  // One literal and four matches of 279: a few words and eight bytes of
  // escape and distance; a packer limited to shorter lengths needs far more.
  Bytes run(1 + 4 * 279, 5);
  ExpectRoundTrip("run", run);
  EXPECT_LE(CompressResource(run.data(), run.size()).size(), 16u);
  Bytes longer(1 + 4 * 279 + 1, 5);
  ExpectRoundTrip("run plus one", longer);
}

TEST(LzEncode, ReachesFarthestDistance) {
  // A block repeated 8191 bytes after its start is found; at 8192 it is not,
  // and the data packs no better than random bytes of the same size.
  for (int distance : {LzMaxDistance, LzMaxDistance + 1}) {
    Bytes data = Random(distance, 3);
    Bytes block(data.begin(), data.begin() + 200);
    data.insert(data.end(), block.begin(), block.end());
    ExpectRoundTrip(distance == LzMaxDistance ? "8191" : "8192", data);
    Bytes fresh = Random(data.size(), 4);
    size_t packed = CompressResource(data.data(), data.size()).size();
    size_t baseline = CompressResource(fresh.data(), fresh.size()).size();
    if (distance == LzMaxDistance)
      EXPECT_LT(packed + 150, baseline);
    else
      EXPECT_GT(packed + 20, baseline);
  }
}

}  // namespace
