// LZ77 unpacker: flag bits from 16-bit little-endian words, least significant
// bit first, with literal and distance bytes read between them as needed.
#include "values/lz_decode.h"

namespace {

struct LzReader {
  const uint8_t* Input;
  int32_t Size;
  int32_t Pos;
  uint32_t Bits;  // remaining bits above a sentinel bit; <= 1 means empty
  bool Ended;     // the input ran out
};

int ReadBit(LzReader& r) {
  if (r.Bits <= 1) {
    if (r.Pos + 2 > r.Size) {
      r.Ended = true;
      return 0;
    }
    uint32_t w = r.Input[r.Pos] | (uint32_t)r.Input[r.Pos + 1] << 8;
    r.Pos += 2;
    r.Bits = w >> 1 | 0x8000;
    return (int)(w & 1);
  }
  int bit = (int)(r.Bits & 1);
  r.Bits >>= 1;
  return bit;
}

int ReadByte(LzReader& r) {
  if (r.Pos >= r.Size) {
    r.Ended = true;
    return 0;
  }
  return r.Input[r.Pos++];
}

// Coded length 2..25: a start bit, then pairs of steps of 2 until a 0 bit or
// until a step is taken from 22 or more.
int ReadCodedLength(LzReader& r) {
  int length = LzMinLength + ReadBit(r);
  while (!r.Ended) {
    if (!ReadBit(r) || r.Ended) break;
    bool last = length >= 22;
    length += 2;
    if (last) break;
  }
  return length;
}

// The distance's high part 0..31 in a prefix code of 1 to 7 bits.
int ReadDistanceHigh(LzReader& r) {
  if (ReadBit(r)) return 0;
  int v = ReadBit(r) << 2;
  v |= ReadBit(r) << 1;
  v |= ReadBit(r);
  if (v <= 1) return v + 1;
  int t = 2 * v + ReadBit(r) - 1;
  if (t <= 6) return t;
  int u = 2 * t + ReadBit(r) - 7;
  if (u <= 13) return u;
  return 2 * u + ReadBit(r) - 14;
}

}  // namespace

int32_t DecompressResource(uint8_t* output, int32_t outputSize, const uint8_t* input,
                           int32_t inputSize) {
  LzReader r = {input, inputSize, 0, 0, false};
  int32_t j = 0;
  for (;;) {
    int flag = ReadBit(r);
    if (r.Ended) break;
    if (!flag) {
      int byte = ReadByte(r);
      if (r.Ended || j >= outputSize) break;
      output[j++] = (uint8_t)byte;
      continue;
    }
    int length = ReadCodedLength(r);
    if (r.Ended) break;
    if (length == LzEscapeLength) {
      int x = ReadByte(r);
      if (r.Ended || x == LzEndCode) break;
      length = x + LzEscapeBase;
    } else if (length > LzEscapeLength) {
      length--;
    }
    int high = length == LzMinLength ? 0 : ReadDistanceHigh(r);
    int low = ReadByte(r);
    if (r.Ended) break;
    int32_t k = j - (high * 256 + low);
    if (k < 0) break;
    for (; length > 0 && j < outputSize; length--) output[j++] = output[k++];
  }
  return j;
}
