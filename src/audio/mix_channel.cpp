// Mixing one channel into a block of 16-bit stereo frames: eight variants by
// sample width, channel count and whether the read position falls between
// samples (then interpolated), each side saturating at +-32767.
#include <string.h>
#include "audio/mixer.h"
#include "base/rounding.h"

// RoundToInt and FloorToInt in line for the per-sample loop: StoreInt rounds
// under the unit's mode (to nearest); out of range gives INT32_MIN, which
// every index test finds outside.
static inline int32_t Floor(double x) {
  int32_t r = StoreInt(x);
  return r != INT32_MIN && r > x ? r - 1 : r;
}
// The same for an x known to be far inside the 32-bit range, without a
// branch: the rounded value is one too high for about half of all positions.
static inline int32_t FloorInRange(double x) {
  int32_t r = StoreInt(x);
  return r - (int32_t)(r > x);
}

// The same, also giving where x lies in its frame, in frames: x - floor(x)
// equals (x - start of the frame) / bytes per frame exactly, since a frame
// is a power of two bytes. The rounded value is corrected by a constant
// from a table rather than the integer being stored and loaded back.
static const double FloorCorrection[2] = {0, 1};
static inline int32_t FloorWithin(double x, double& within) {
  int32_t r = StoreInt(x);
  double rounded = r;
  int32_t high = rounded > x;
  within = x - (rounded - FloorCorrection[high]);
  return r - high;
}

// The sample at byte index i: 8-bit bytes are centred and scaled to 16 bits.
template <bool Wide>
static inline int32_t SampleAt(const uint8_t* data, uint32_t i) {
  if (!Wide) return (data[i] - 128) * 256;
  int16_t s;
  memcpy(&s, data + i, 2);
  return s;
}

// The same sample as a double, for the interpolating loops: 8-bit samples
// come from a table built by the compiler instead of going through memory
// to the floating-point unit as integers.
struct ByteSampleTable {
  double Of[256];
  constexpr ByteSampleTable() : Of() {
    for (int32_t b = 0; b < 256; b++) Of[b] = (b - 128) * 256;
  }
};
static constexpr ByteSampleTable ByteSamples;
template <bool Wide>
static inline double SampleValue(const uint8_t* data, uint32_t i) {
  if (!Wide) return ByteSamples.Of[data[i]];
  return SampleAt<true>(data, i);
}

// v x gain, limited before rounding so that no product wraps (a limit of
// 65536 saturates every sum the way the exact product would); a NaN product
// (an infinite gain on a silent sample) adds nothing. Bounded: the gain is
// known to keep every product inside the limits, which leaves the rounding.
template <bool Bounded>
static inline int32_t Scaled(double v, double gain) {
  double p = v * gain;
  if (Bounded) return StoreInt(p);
  if (p >= 65536) return 65536;
  if (p <= -65536) return -65536;
  if (p != p) return 0;
  return StoreInt(p);
}

// Samples stay within +-32768, so a gain of at most 1.9 either way keeps the
// products below 65536 and never makes a NaN.
static inline bool BoundedGain(double gain) { return gain <= 1.9 && gain >= -1.9; }

static inline void AddSaturated(int16_t& to, int32_t add) {
  int32_t s = to + add;
  to = (int16_t)(s > 32767 ? 32767 : s < -32767 ? -32767 : s);
}

// The scaled sample of each of the 256 byte values of 8-bit data, for one
// gain: a channel long enough to play many samples reads it instead of
// multiplying and rounding each one. Built only when it pays for itself.
struct ByteGains {
  int32_t Of[256];
  void Build(double gain) {
    for (int32_t b = 0; b < 256; b++) {
      uint8_t byte = (uint8_t)b;
      Of[b] = Scaled<false>(SampleAt<false>(&byte, 0), gain);
    }
  }
};
const int32_t ByteTableMinFrames = 1024;

// One side of an exact frame at byte index i: adds the sample when inside.
template <bool Wide, bool Bounded, bool Table>
static inline bool ExactSample(const uint8_t* data, uint32_t limit, uint32_t i, double gain, const ByteGains& bytes,
                               int16_t& to) {
  if (i >= limit) return false;
  AddSaturated(to, Table ? bytes.Of[data[i]] : Scaled<Bounded>(SampleAt<Wide>(data, i), gain));
  return true;
}

// One side of an interpolating frame: the sample of the frame the position
// lies in and the one of the next frame, weighted by the position inside the
// frame; the frame's own sample alone when the next one is outside. Returns
// whether either index is inside.
template <bool Wide, int32_t Bpf, bool Bounded, bool InRange>
static inline bool BetweenSide(const uint8_t* data, uint32_t limit, double x, uint32_t shift, double gain,
                               int16_t& to) {
  int32_t frame = InRange ? FloorInRange(x / Bpf) : Floor(x / Bpf);
  uint32_t start = (uint32_t)frame * Bpf;
  uint32_t i = start + shift, next = i + Bpf;
  if (i < limit) {
    double v = SampleValue<Wide>(data, i);
    if (next < limit) v += (SampleValue<Wide>(data, next) - v) * (x - (double)(int32_t)start) / Bpf;
    AddSaturated(to, Scaled<Bounded>(v, gain));
    return true;
  }
  return next < limit;
}

// One side of an interpolating frame whose place is known (within, in
// frames): the sample at byte index i and the one a frame later. Returns
// whether i is inside.
template <bool Wide, int32_t Bpf, bool Bounded>
static inline bool BetweenAt(const uint8_t* data, uint32_t limit, double within, uint32_t i, double gain,
                             int16_t& to) {
  if (i >= limit) return false;
  double v = SampleValue<Wide>(data, i);
  if (i + Bpf < limit) v += (SampleValue<Wide>(data, i + Bpf) - v) * within;
  AddSaturated(to, Scaled<Bounded>(v, gain));
  return true;
}

// What every loop of one channel reads.
struct MixSource {
  const uint8_t* Data;
  uint32_t Limit;
  double Left, Right;
  ByteGains LeftBytes, RightBytes;  // built only for the table loops
};

// The exact loop while the position is a whole number of bytes and both
// sides read at it (no offset): the position is an integer that the steps
// of one frame keep exact, so it is counted as one; the double the channel
// keeps is the same number.
template <bool Wide, bool Stereo, bool Bounded, bool Table>
__attribute__((noinline)) static int32_t MixWhole(MixerChannel& c, const MixSource& s, int16_t* out, int32_t n, int32_t position,
                        int32_t step) {
  const int32_t Bpf = (Wide ? 2 : 1) * (Stereo ? 2 : 1);
  const uint32_t RightShift = Stereo ? Bpf / 2 : 0;
  int32_t done = 0;
  const bool sameGain = s.Left == s.Right;
  for (; done < n; done++, out += 2) {
    uint32_t i = (uint32_t)position & ~(uint32_t)(Bpf - 1);
    if (Stereo) {
      bool inside = ExactSample<Wide, Bounded, Table>(s.Data, s.Limit, i, s.Left, s.LeftBytes, out[0]);
      inside |= ExactSample<Wide, Bounded, Table>(s.Data, s.Limit, i + RightShift, s.Right, s.RightBytes, out[1]);
      if (!inside) break;
    } else {
      // Both sides read the same sample.
      if (i >= s.Limit) break;
      int32_t v = SampleAt<Wide>(s.Data, i);
      int32_t left = Table ? s.LeftBytes.Of[s.Data[i]] : Scaled<Bounded>(v, s.Left);
      AddSaturated(out[0], left);
      AddSaturated(out[1], sameGain ? left : Table ? s.RightBytes.Of[s.Data[i]] : Scaled<Bounded>(v, s.Right));
    }
    position += step;
  }
  if (done) c.Position = position;
  return done;
}

// The general exact loop: each side rounds its own position.
template <bool Wide, bool Stereo, bool Bounded, bool Table>
__attribute__((noinline)) static int32_t MixExact(MixerChannel& c, const MixSource& s, int16_t* out, int32_t n) {
  const int32_t Bpf = (Wide ? 2 : 1) * (Stereo ? 2 : 1);
  const uint32_t RightShift = Stereo ? Bpf / 2 : 0, Frame = ~(uint32_t)(Bpf - 1);
  double position = c.Position;
  const double step = c.Step, offset = c.Offset;
  int32_t done = 0;
  for (; done < n; done++, out += 2) {
    uint32_t l = ((uint32_t)StoreInt(position - offset) & Frame);
    uint32_t r = ((uint32_t)StoreInt(position + offset) & Frame) + RightShift;
    bool inside = ExactSample<Wide, Bounded, Table>(s.Data, s.Limit, l, s.Left, s.LeftBytes, out[0]);
    inside |= ExactSample<Wide, Bounded, Table>(s.Data, s.Limit, r, s.Right, s.RightBytes, out[1]);
    if (!inside) break;
    // Stored as the double the channel keeps, whatever register holds it.
    position = StoredDouble((long double)position + step);
  }
  c.Position = position;
  return done;
}

template <bool Wide, bool Stereo, bool Bounded, bool InRange>
__attribute__((noinline)) static int32_t MixBetween(MixerChannel& c, const MixSource& s, int16_t* out, int32_t n) {
  const int32_t Bpf = (Wide ? 2 : 1) * (Stereo ? 2 : 1);
  const uint32_t RightShift = Stereo ? Bpf / 2 : 0;
  double position = c.Position;
  const double step = c.Step, offset = c.Offset;
  int32_t done = 0;
  for (; done < n; done++, out += 2) {
    bool inside = BetweenSide<Wide, Bpf, Bounded, InRange>(s.Data, s.Limit, position - offset, 0, s.Left, out[0]);
    inside |=
        BetweenSide<Wide, Bpf, Bounded, InRange>(s.Data, s.Limit, position + offset, RightShift, s.Right, out[1]);
    if (!inside) break;
    position = StoredDouble((long double)position + step);
  }
  c.Position = position;
  return done;
}

// The interpolating loop without an offset, far inside the range: both
// sides read at the position itself, so they share its frame; a mono
// channel shares the interpolated sample too, and its scaled value when both
// gains are equal.
template <bool Wide, bool Stereo, bool Bounded>
__attribute__((noinline)) static int32_t MixBetweenCentred(MixerChannel& c, const MixSource& s, int16_t* out,
                                                           int32_t n) {
  const int32_t Bpf = (Wide ? 2 : 1) * (Stereo ? 2 : 1);
  const uint32_t RightShift = Stereo ? Bpf / 2 : 0;
  const uint8_t* data = s.Data;
  const uint32_t limit = s.Limit;
  const bool sameGain = s.Left == s.Right;
  double position = c.Position;
  const double step = c.Step;
  int32_t done = 0;
  for (; done < n; done++, out += 2) {
    double within;
    uint32_t start = (uint32_t)FloorWithin(position / Bpf, within) * Bpf;
    uint32_t next = start + Bpf;
    if (Stereo) {
      uint32_t ri = start + RightShift, rnext = next + RightShift;
      bool inside = BetweenAt<Wide, Bpf, Bounded>(data, limit, within, start, s.Left, out[0]);
      inside |= BetweenAt<Wide, Bpf, Bounded>(data, limit, within, ri, s.Right, out[1]);
      if (!inside && next >= limit && rnext >= limit) break;
    } else if (start < limit) {
      double v = SampleValue<Wide>(data, start);
      // A frame of 8-bit mono is one byte: its place in bytes is the place
      // in frames, and measured faster taken directly.
      if (next < limit)
        v += (SampleValue<Wide>(data, next) - v) * (Wide ? within : position - (double)(int32_t)start);
      int32_t left = Scaled<Bounded>(v, s.Left);
      AddSaturated(out[0], left);
      AddSaturated(out[1], sameGain ? left : Scaled<Bounded>(v, s.Right));
    } else if (next >= limit) {
      break;
    }
    position = StoredDouble((long double)position + step);
  }
  c.Position = position;
  return done;
}

// The exact variants: the whole-number loop when the channel allows it, the
// byte table for 8-bit data long enough to repay it.
template <bool Wide, bool Stereo, bool Bounded>
static int32_t MixExactVariant(MixerChannel& c, MixSource& s, int16_t* out, int32_t n) {
  const int32_t Bpf = (Wide ? 2 : 1) * (Stereo ? 2 : 1);
  bool table = !Wide && (n < c.Size / Bpf ? n : c.Size / Bpf) >= ByteTableMinFrames;
  if (table) {
    s.LeftBytes.Build(s.Left);
    s.RightBytes.Build(s.Right);
  }
  // Positions up to 2^30 bytes away from 0 stay exact and never overflow.
  int32_t position = StoreInt(c.Position);
  bool whole = c.Offset == 0 && (double)position == c.Position && position > -(1 << 30) &&
               position < (1 << 30) && (double)n * Bpf < (1 << 30) - (position < 0 ? -position : position);
  int32_t step = c.Step > 0 ? Bpf : -Bpf;
  if (whole && table) return MixWhole<Wide, Stereo, Bounded, !Wide>(c, s, out, n, position, step);
  if (whole) return MixWhole<Wide, Stereo, Bounded, false>(c, s, out, n, position, step);
  if (table) return MixExact<Wide, Stereo, Bounded, !Wide>(c, s, out, n);
  return MixExact<Wide, Stereo, Bounded, false>(c, s, out, n);
}

// The interpolating variants: the branch-free floor while every position of
// the block stays far inside the 32-bit range. Only there does each weight
// lie in 0..1, so that an interpolated sample stays between its two samples
// and a bounded gain needs no limits.
template <bool Wide, bool Stereo>
static int32_t MixBetweenVariant(MixerChannel& c, MixSource& s, int16_t* out, int32_t n, bool bounded) {
  double reach = (c.Position < 0 ? -c.Position : c.Position) + (c.Offset < 0 ? -c.Offset : c.Offset) +
                 (c.Step < 0 ? -c.Step : c.Step) * n;
  if (!(reach < (1 << 30))) return MixBetween<Wide, Stereo, false, false>(c, s, out, n);
  if (c.Offset == 0 && bounded) return MixBetweenCentred<Wide, Stereo, true>(c, s, out, n);
  if (c.Offset == 0) return MixBetweenCentred<Wide, Stereo, false>(c, s, out, n);
  if (bounded) return MixBetween<Wide, Stereo, true, true>(c, s, out, n);
  return MixBetween<Wide, Stereo, false, true>(c, s, out, n);
}

template <bool Wide, bool Stereo, bool Between>
static int32_t MixFrames(MixerChannel& c, int16_t* out, int32_t n) {
  MixSource s;
  int32_t limit = Wide ? c.Size - 1 : c.Size;
  if (limit <= 0) return 0;
  s.Data = c.Data;
  s.Limit = limit;
  s.Left = c.LeftGain;
  s.Right = c.RightGain;
  bool bounded = BoundedGain(s.Left) && BoundedGain(s.Right);
  if (Between) return MixBetweenVariant<Wide, Stereo>(c, s, out, n, bounded);
  if (bounded) return MixExactVariant<Wide, Stereo, true>(c, s, out, n);
  return MixExactVariant<Wide, Stereo, false>(c, s, out, n);
}

typedef int32_t MixFunction(MixerChannel&, int16_t*, int32_t);

// By bit 0 = 16-bit samples, bit 1 = stereo, bit 2 = a step other than one frame.
static MixFunction* const MixVariants[8] = {
    MixFrames<false, false, false>, MixFrames<true, false, false>, MixFrames<false, true, false>,
    MixFrames<true, true, false>,   MixFrames<false, false, true>, MixFrames<true, false, true>,
    MixFrames<false, true, true>,   MixFrames<true, true, true>,
};

int32_t MixChannel(MixerChannel& c, int16_t* out, int32_t n) {
  const SoundData* r = c.Sound.Held();
  bool wide = r->BitsPerSample == 16, stereo = r->Channels == 2;
  double bpf = (wide ? 2 : 1) * (stereo ? 2 : 1);
  bool between = c.Step != bpf && c.Step != -bpf;
  return MixVariants[wide | stereo << 1 | between << 2](c, out, n);
}
