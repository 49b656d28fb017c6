// Pixel code encoder and decoder: groups of a 16-bit flag word (codes, lowest bit
// first) followed by the literal bytes whose flag bits lie in that word.
#include "values/pixel_code.h"

#include <string.h>

namespace {

// Code values, lowest bit read first: 1 a b, then e in three bits when b is 1.
// a selects the source family (0 previous / two back, 1 above / above-right).
const uint32_t PreviousSingle = 1;  // 1 0 0
const uint32_t AboveSingle = 3;     // 1 1 0
const uint32_t PreviousLong = 5;    // 1 0 1 e
const uint32_t AboveLong = 7;       // 1 1 1 e
const int32_t LongRun = 22;         // the run length of e = 0

int32_t EffectiveWidth(int32_t length, int32_t width) {
  return (width <= 1 || width > length) ? length : width;
}

// The open group of the encoder: its flag word is stored at WordAt once the word
// is complete; its literals follow from WordAt + 2.
struct PixelWriter {
  uint8_t* Out;
  int32_t End;     // next free output byte
  int32_t WordAt;  // where the open group's flag word goes
  uint32_t Word;
  int32_t Used;    // bits of Word used
};

void OpenGroup(PixelWriter& w) {
  w.WordAt = w.End;
  w.End += 2;
  w.Word = 0;
  w.Used = 0;
}

void StoreWord(PixelWriter& w) {
  w.Out[w.WordAt] = (uint8_t)(w.Word & 0xFF);
  w.Out[w.WordAt + 1] = (uint8_t)((w.Word >> 8) & 0xFF);
}

// Appends a k-bit code; the bits that do not fit go into the next group's word.
void PutBits(PixelWriter& w, uint32_t v, int32_t k) {
  w.Word |= v << w.Used;
  if (w.Used + k <= 16) {
    w.Used += k;
    return;
  }
  uint32_t high = v >> (16 - w.Used);
  int32_t left = w.Used + k - 16;
  StoreWord(w);
  OpenGroup(w);
  w.Word = high;
  w.Used = left;
}

// Flag bit 0, then the byte in the group that holds that bit.
void PutLiteral(PixelWriter& w, uint8_t byte) {
  PutBits(w, 0, 1);
  w.Out[w.End++] = byte;
}

// A run of m copies: single codes for 1, 22-runs while m >= 22, else up to 7.
void PutRun(PixelWriter& w, int32_t m, bool above) {
  while (m > 0) {
    if (m == 1) {
      PutBits(w, above ? AboveSingle : PreviousSingle, 3);
      return;
    }
    int32_t e = m >= LongRun ? 0 : (m < 7 ? m : 7);
    PutBits(w, (above ? AboveLong : PreviousLong) | (uint32_t)e << 3, 6);
    m -= e == 0 ? LongRun : e;
  }
}

// Bytes from p on equal to the byte at p - 1.
int32_t RunOfPrevious(const uint8_t* in, int32_t p, int32_t n) {
  int32_t k = 0;
  while (p + k < n && in[p + k] == in[p - 1]) k++;
  return k;
}

// Bytes from p on equal to the byte one row below them.
int32_t RunOfAbove(const uint8_t* in, int32_t p, int32_t n, int32_t width) {
  int32_t k = 0;
  while (p + k < n && in[p + k] == in[p + k - width]) k++;
  return k;
}

// One code for the byte at p when no run starts there; returns the bytes coded (1).
int32_t PutSingle(PixelWriter& w, const uint8_t* in, int32_t p, int32_t width, bool firstRow) {
  if (p >= 2 && in[p] == in[p - 2]) {
    PutBits(w, PreviousLong | 1u << 3, 6);
  } else if (!firstRow && in[p] == in[p - width + 1]) {
    PutBits(w, AboveLong | 1u << 3, 6);
  } else {
    PutLiteral(w, in[p]);
  }
  return 1;
}

// Decoder input: the read position and the flag bits left, with a sentinel bit
// above them (1 alone means the word is used up).
struct PixelReader {
  const uint8_t* In;
  int32_t Size;
  int32_t At;
  uint32_t Bits;
};

// The next flag bit, or -1 when the input ends before the next flag word.
int ReadBit(PixelReader& r) {
  if (r.Bits <= 1) {
    if (r.Size - r.At < 2) return -1;
    uint32_t word = r.In[r.At] | (uint32_t)r.In[r.At + 1] << 8;
    r.At += 2;
    r.Bits = (word >> 1) | 0x8000;
    return (int)(word & 1);
  }
  int bit = (int)(r.Bits & 1);
  r.Bits >>= 1;
  return bit;
}

// e of a long code: three bits, lowest first; -1 at the end of the input.
int ReadCount(PixelReader& r) {
  int e = 0;
  for (int i = 0; i < 3; i++) {
    int bit = ReadBit(r);
    if (bit < 0) return -1;
    e |= bit << i;
  }
  return e;
}

}  // namespace

int64_t CompressedPixelBound(int32_t length) {
  if (length < 1) return 0;
  int64_t n = length;
  int64_t allLiterals = n + 2 * ((n + 15) / 16);
  int64_t oneSixBitCode = n - 1 + 2 * ((n + 5 + 15) / 16);
  return allLiterals > oneSixBitCode ? allLiterals : oneSixBitCode;
}

int32_t CompressPixels(uint8_t* output, const uint8_t* input, int32_t length, int32_t width) {
  if (length < 1) return 0;
  const int32_t n = length;
  width = EffectiveWidth(n, width);
  PixelWriter w = {output, 0, 0, 0, 0};
  OpenGroup(w);
  PutLiteral(w, input[0]);
  int32_t p = 1;
  // The first row counts codes, not bytes: width codes after the first byte.
  for (int32_t i = 0; i < width && p < n; i++) {
    int32_t a = RunOfPrevious(input, p, n);
    if (a > 0) {
      PutRun(w, a, false);
      p += a;
    } else {
      p += PutSingle(w, input, p, width, true);
    }
  }
  while (p < n) {
    int32_t a = RunOfPrevious(input, p, n);
    int32_t b = RunOfAbove(input, p, n, width);
    if (a == 0 && b == 0) {
      p += PutSingle(w, input, p, width, false);
    } else if (a >= b) {
      PutRun(w, a, false);
      p += a;
    } else {
      PutRun(w, b, true);
      p += b;
    }
  }
  StoreWord(w);
  return w.End;
}

PixelDecodeResult DecompressPixels(uint8_t* output, int32_t length, int32_t width,
                                   const uint8_t* input, int32_t inputSize) {
  PixelDecodeResult result = {0, 0};
  if (length < 1) return result;
  width = EffectiveWidth(length, width);
  PixelReader r = {input, inputSize > 0 ? inputSize : 0, 0, 0};
  int32_t p = 0;
  while (p < length) {
    int bit = ReadBit(r);
    if (bit < 0) break;
    if (bit == 0) {
      if (r.At >= r.Size) break;
      output[p++] = r.In[r.At++];
      continue;
    }
    int above = ReadBit(r);
    int isLong = above < 0 ? -1 : ReadBit(r);
    if (isLong < 0) break;
    int32_t distance = above ? width : 1;
    int32_t count = 1;
    if (isLong) {
      int e = ReadCount(r);
      if (e < 0) break;
      if (e == 1)
        distance = above ? width - 1 : 2;
      else
        count = e == 0 ? LongRun : e;
    }
    if (distance < 1 || distance > p) break;  // source before the first byte
    if (count > length - p) count = length - p;
    for (int32_t i = 0; i < count; i++, p++) output[p] = output[p - distance];
  }
  memset(output + p, 0, (size_t)(length - p));
  result.Read = r.At;
  result.Written = p;
  return result;
}
