// The roundings of doubles to integers with the x87 unit's integer stores.
#include "base/rounding.h"

// fistp under the rounding control bits rc for this one store, then the
// previous control word again.
static int32_t StoreIntRounding(double x, uint16_t rc) {
  uint16_t saved, changed;
  int32_t r;
  __asm__ __volatile__("fnstcw %0" : "=m"(saved));
  changed = static_cast<uint16_t>((saved & ~0x0C00) | rc);
  __asm__ __volatile__("fldcw %2\n\tfistpl %0\n\tfldcw %3"
                       : "=m"(r)
                       : "t"(x), "m"(changed), "m"(saved)
                       : "st");
  return r;
}

const uint16_t RoundTowardZero = 0x0C00;
const uint16_t RoundUp = 0x0800;

int32_t RoundToInt(double x) { return StoreInt(x); }

int32_t TruncToInt(double x) { return StoreIntRounding(x, RoundTowardZero); }

int32_t CeilToInt(double x) { return StoreIntRounding(x, RoundUp); }

// The mixer calls this per sample, so it keeps the control word: the store
// under the current mode lies within 1 of x and steps down when above it.
// Only [2^31 - 1, 2^31) can store indefinite yet floor inside the range.
int32_t FloorToInt(double x) {
  int32_t r = StoreInt(x);
  if (r == INT32_MIN) return x >= 2147483647.0 && x < 2147483648.0 ? INT32_MAX : INT32_MIN;
  return r > x ? r - 1 : r;
}
