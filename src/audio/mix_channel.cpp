// Mixing one channel into a block of 16-bit stereo frames: eight variants by
// sample width, channel count and whether the read position falls between
// samples (then interpolated), each side saturating at +-32767.
#include <string.h>
#include "audio/mixer.h"
#include "exec/eval_next.h"

// RoundToInt and FloorToInt in line for the per-sample loop: fistp under the
// unit's mode (to nearest); out of range gives INT32_MIN, which every index
// test finds outside.
static inline int32_t Nearest(double x) {
  int32_t r;
  __asm__("fistpl %0" : "=m"(r) : "t"(x) : "st");
  return r;
}
static inline int32_t Floor(double x) {
  int32_t r = Nearest(x);
  return r != INT32_MIN && r > x ? r - 1 : r;
}

// The sample at byte index i: 8-bit bytes are centred and scaled to 16 bits.
template <bool Wide>
static inline int32_t SampleAt(const uint8_t* data, uint32_t i) {
  if (!Wide) return (data[i] - 128) * 256;
  int16_t s;
  memcpy(&s, data + i, 2);
  return s;
}

// v x gain, limited before rounding so that no product wraps (a limit of
// 65536 saturates every sum the way the exact product would); a NaN product
// (an infinite gain on a silent sample) adds nothing.
static inline int32_t Scaled(double v, double gain) {
  double p = v * gain;
  if (p >= 65536) return 65536;
  if (p <= -65536) return -65536;
  if (p != p) return 0;
  return Nearest(p);
}

static inline void AddSaturated(int16_t& to, int32_t add) {
  int32_t s = to + add;
  to = (int16_t)(s > 32767 ? 32767 : s < -32767 ? -32767 : s);
}

// One side of an exact frame: the rounded position aligned to its frame,
// plus the side's place in it; adds the sample when inside.
template <bool Wide, int32_t Bpf>
static inline bool ExactSide(const uint8_t* data, uint32_t limit, double x, uint32_t shift, double gain,
                             int16_t& to) {
  uint32_t i = ((uint32_t)Nearest(x) & ~(uint32_t)(Bpf - 1)) + shift;
  if (i >= limit) return false;
  AddSaturated(to, Scaled(SampleAt<Wide>(data, i), gain));
  return true;
}

// One side of an interpolating frame: the sample of the frame the position
// lies in and the one of the next frame, weighted by the position inside the
// frame; the frame's own sample alone when the next one is outside. Returns
// whether either index is inside.
template <bool Wide, int32_t Bpf>
static inline bool BetweenSide(const uint8_t* data, uint32_t limit, double x, uint32_t shift, double gain,
                               int16_t& to) {
  int32_t frame = Floor(x / Bpf);
  uint32_t start = (uint32_t)frame * Bpf;
  uint32_t i = start + shift, next = i + Bpf;
  if (i < limit) {
    double v = SampleAt<Wide>(data, i);
    if (next < limit) v += (SampleAt<Wide>(data, next) - v) * (x - (double)(int32_t)start) / Bpf;
    AddSaturated(to, Scaled(v, gain));
    return true;
  }
  return next < limit;
}

template <bool Wide, bool Stereo, bool Between>
static int32_t MixFrames(MixerChannel& c, int16_t* out, int32_t n) {
  const int32_t Bpf = (Wide ? 2 : 1) * (Stereo ? 2 : 1);
  const uint32_t RightShift = Stereo ? Bpf / 2 : 0;
  int32_t limit = Wide ? c.Size - 1 : c.Size;
  if (limit <= 0) return 0;
  const uint8_t* data = c.Data;
  double position = c.Position;
  const double step = c.Step, offset = c.Offset, left = c.LeftGain, right = c.RightGain;
  int32_t done = 0;
  for (; done < n; done++, out += 2) {
    bool inside;
    if (Between) {
      inside = BetweenSide<Wide, Bpf>(data, limit, position - offset, 0, left, out[0]);
      inside |= BetweenSide<Wide, Bpf>(data, limit, position + offset, RightShift, right, out[1]);
    } else {
      inside = ExactSide<Wide, Bpf>(data, limit, position - offset, 0, left, out[0]);
      inside |= ExactSide<Wide, Bpf>(data, limit, position + offset, RightShift, right, out[1]);
    }
    if (!inside) break;
    // Stored as the double the channel keeps, whatever register holds it.
    position = StoredDouble((long double)position + step);
  }
  c.Position = position;
  return done;
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
