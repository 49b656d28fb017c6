// The state kept per joystick, its preparation and ageing by the tick, and
// the poll with its axis scaling and dead band.
#include "input/joystick_state.h"
#include "base/rounding.h"
#include "input/joystick_seam.h"

double JoystickX[JoystickCount], JoystickY[JoystickCount], JoystickZ[JoystickCount];
uint8_t JoystickButton1[JoystickCount], JoystickButton2[JoystickCount];
uint8_t JoystickButton3[JoystickCount], JoystickButton4[JoystickCount];
uint8_t JoystickPolled[JoystickCount];
int32_t JoystickRetry[JoystickCount] = {-1, -1, -1, -1};
int64_t JoystickRawX[JoystickCount], JoystickRawY[JoystickCount], JoystickRawZ[JoystickCount];

void PrepareJoysticks() {
  for (int n = 0; n < JoystickCount; n++) {
    JoystickRawX[n] = JoystickRawY[n] = JoystickRawZ[n] = JoystickRawUnset;
    JoystickPolled[n] = 0;
    JoystickRetry[n] = -1;
  }
}

void AgeJoystickPolls() {
  for (int n = JoystickCount - 1; n >= 0; n--) {
    JoystickPolled[n] = 0;
    JoystickRetry[n]--;
  }
}

// All values 0 and polling suspended. The raw positions become unset, so the
// first reading after the device answers again is taken even when it lies
// within the dead band of the last one before the failure.
static void FailJoystick(int32_t n) {
  JoystickX[n] = JoystickY[n] = JoystickZ[n] = 0.0;
  JoystickButton1[n] = JoystickButton2[n] = JoystickButton3[n] = JoystickButton4[n] = 0;
  JoystickRawX[n] = JoystickRawY[n] = JoystickRawZ[n] = JoystickRawUnset;
  JoystickRetry[n] = JoystickRetryTicks;
}

// One axis from the device's range lo..hi and reading p, in 64 bits: a range
// of 2 or less (also lo above hi) is no axis and gives 0; a reading within
// range / 512 of the last accepted one keeps the value; otherwise the value
// is the reading's place in the range, -1..1 in steps of 0.001. inverted
// makes the smaller readings positive.
static void ReadAxis(int64_t lo, int64_t hi, int64_t p, bool inverted, int64_t& raw, double& axis) {
  int64_t range = hi - lo + 1;
  if (range <= 2) {
    axis = 0.0;
    return;
  }
  if (p < lo) p = lo;
  if (p > hi) p = hi;
  int64_t band = range / 512;
  if (p - raw <= band && raw - p <= band) return;
  raw = p;
  int64_t v = inverted ? lo + hi + 1 - 2 * p : 2 * p - lo - hi - 1;
  axis = RoundToInt((double)v / (double)range * 1000) * 0.001;
}

void PollJoystick(int32_t n) {
  if (JoystickPolled[n]) return;
  JoystickPolled[n] = 1;
  if (JoystickRetry[n] >= 0) return;
  JOYCAPSA caps;
  JOYINFO pos;
  if (JoystickSys.joyGetDevCapsA((UINT_PTR)n, &caps, sizeof caps) != JOYERR_NOERROR ||
      JoystickSys.joyGetPos((UINT)n, &pos) != JOYERR_NOERROR) {
    FailJoystick(n);
    return;
  }
  ReadAxis(caps.wXmin, caps.wXmax, pos.wXpos, false, JoystickRawX[n], JoystickX[n]);
  ReadAxis(caps.wYmin, caps.wYmax, pos.wYpos, true, JoystickRawY[n], JoystickY[n]);
  ReadAxis(caps.wZmin, caps.wZmax, pos.wZpos, false, JoystickRawZ[n], JoystickZ[n]);
  JoystickButton1[n] = (pos.wButtons & 1) != 0;
  JoystickButton2[n] = (pos.wButtons & 2) != 0;
  JoystickButton3[n] = (pos.wButtons & 4) != 0;
  JoystickButton4[n] = (pos.wButtons & 8) != 0;
}
