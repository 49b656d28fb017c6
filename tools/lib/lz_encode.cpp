// LZ77 packer: lazy matching over a hash chain of two-byte prefixes, codes
// written in the order the unpacker reads them.
#include "lib/lz_encode.h"

#include "values/lz_decode.h"

namespace {

const int ChainDepth = 512;
const int ShortMatchMaxDistance = 255;  // a length-2 match has no distance prefix

struct LzWriter {
  std::vector<uint8_t>& Out;
  size_t WordPos;
  int Used;  // bits of the current word in use; 16 when a new word is needed
};

void PutBit(LzWriter& w, int bit) {
  if (w.Used == 16) {
    // The unpacker reads the next word at its current position: here.
    w.WordPos = w.Out.size();
    w.Out.push_back(0);
    w.Out.push_back(0);
    w.Used = 0;
  }
  if (bit) w.Out[w.WordPos + (w.Used >> 3)] |= (uint8_t)(1 << (w.Used & 7));
  w.Used++;
}

void PutByte(LzWriter& w, uint8_t byte) { w.Out.push_back(byte); }

// Coded length 2..25 (see ReadCodedLength in the unpacker).
void PutCodedLength(LzWriter& w, int coded) {
  int length = LzMinLength + (coded & 1);
  PutBit(w, coded & 1);
  while (length < coded) {
    PutBit(w, 1);
    bool last = length >= 22;
    length += 2;
    if (last) return;
  }
  PutBit(w, 0);
}

void PutBits(LzWriter& w, int value, int count) {  // most significant first
  for (int i = count - 1; i >= 0; i--) PutBit(w, value >> i & 1);
}

// The distance's high part 0..31: 1, or 0 and three bits v, then up to three
// further bits that double and offset it.
void PutDistanceHigh(LzWriter& w, int h) {
  if (h == 0) {
    PutBit(w, 1);
    return;
  }
  PutBit(w, 0);
  if (h <= 2) {
    PutBits(w, h - 1, 3);
    return;
  }
  int u = h, b3 = -1;
  if (h >= 14) {
    u = (h + 14) >> 1;
    b3 = (h + 14) & 1;
  }
  int t = u, b2 = -1;
  if (u >= 7) {
    t = (u + 7) >> 1;
    b2 = (u + 7) & 1;
  }
  PutBits(w, (t + 1) >> 1, 3);
  PutBit(w, (t + 1) & 1);
  if (b2 >= 0) PutBit(w, b2);
  if (b3 >= 0) PutBit(w, b3);
}

void PutMatch(LzWriter& w, int length, int distance) {
  PutBit(w, 1);
  if (length < LzEscapeLength) {
    PutCodedLength(w, length);
  } else if (length < LzEscapeBase) {
    PutCodedLength(w, length + 1);
  } else {
    PutCodedLength(w, LzEscapeLength);
    PutByte(w, (uint8_t)(length - LzEscapeBase));
  }
  if (length != LzMinLength) PutDistanceHigh(w, distance >> 8);
  PutByte(w, (uint8_t)(distance & 0xFF));
}

void PutLiteral(LzWriter& w, uint8_t byte) {
  PutBit(w, 0);
  PutByte(w, byte);
}

void PutEnd(LzWriter& w) {
  PutBit(w, 1);
  PutCodedLength(w, LzEscapeLength);
  PutByte(w, LzEndCode);
}

struct MatchFinder {
  const uint8_t* Input;
  size_t Size;
  std::vector<int32_t> Head;  // last position of each two-byte prefix
  std::vector<int32_t> Prev;  // previous position with the same prefix
  size_t Inserted;            // positions below this are in the chains
};

int PrefixAt(const MatchFinder& f, size_t p) { return f.Input[p] | f.Input[p + 1] << 8; }

void InsertUpTo(MatchFinder& f, size_t end) {
  for (; f.Inserted < end && f.Inserted + 1 < f.Size; f.Inserted++) {
    int key = PrefixAt(f, f.Inserted);
    f.Prev[f.Inserted] = f.Head[key];
    f.Head[key] = (int32_t)f.Inserted;
  }
}

// Longest match for position p among earlier positions; length 0 when none.
int FindMatch(MatchFinder& f, size_t p, int* distance) {
  if (p + LzMinLength > f.Size) return 0;
  InsertUpTo(f, p);
  size_t limit = f.Size - p < (size_t)LzMaxLength ? f.Size - p : (size_t)LzMaxLength;
  int best = 0;
  int32_t c = f.Head[PrefixAt(f, p)];
  for (int depth = 0; c >= 0 && depth < ChainDepth; depth++, c = f.Prev[c]) {
    int d = (int)(p - (size_t)c);
    if (d > LzMaxDistance) break;
    size_t n = 0;
    while (n < limit && f.Input[c + n] == f.Input[p + n]) n++;
    if (n == LzMinLength && d > ShortMatchMaxDistance) continue;
    if ((int)n > best) {
      best = (int)n;
      *distance = d;
      if (n == limit) break;
    }
  }
  return best;
}

}  // namespace

std::vector<uint8_t> CompressResource(const uint8_t* input, size_t size) {
  std::vector<uint8_t> out;
  LzWriter w = {out, 0, 16};
  MatchFinder f = {input, size, std::vector<int32_t>(65536, -1),
                   std::vector<int32_t>(size, -1), 0};
  size_t p = 0;
  while (p < size) {
    int distance = 0;
    int length = FindMatch(f, p, &distance);
    if (length >= LzMinLength) {
      // Lazy step: a longer match one byte on is worth a literal first.
      int nextDistance = 0;
      if (FindMatch(f, p + 1, &nextDistance) > length) length = 0;
    }
    if (length < LzMinLength) {
      PutLiteral(w, input[p]);
      p++;
    } else {
      PutMatch(w, length, distance);
      p += (size_t)length;
    }
  }
  PutEnd(w);
  return out;
}
