// The state kept per joystick 0..3: axes, buttons, the once-a-tick poll flag,
// the back-off after a failure and the last raw positions; the poll that
// brings it up to date.
#pragma once
#include <stdint.h>

const int JoystickCount = 4;
// Ticks a joystick that failed to answer is left alone.
const int32_t JoystickRetryTicks = 90;
// The raw positions are kept in 64 bits, as the device's axis values are
// unsigned 32-bit; the unset value (0x80200000 read as a signed 32-bit
// number) lies far below any of them, so the first reading is always taken.
const int64_t JoystickRawUnset = (int32_t)0x80200000;

extern double JoystickX[JoystickCount], JoystickY[JoystickCount], JoystickZ[JoystickCount];
extern uint8_t JoystickButton1[JoystickCount], JoystickButton2[JoystickCount];
extern uint8_t JoystickButton3[JoystickCount], JoystickButton4[JoystickCount];
extern uint8_t JoystickPolled[JoystickCount];
extern int32_t JoystickRetry[JoystickCount];
extern int64_t JoystickRawX[JoystickCount], JoystickRawY[JoystickCount], JoystickRawZ[JoystickCount];

// The main run's preparation: raw positions far outside any range, not polled,
// polling allowed.
void PrepareJoysticks();
// The tick's part, joysticks 3 down to 0: not polled, one tick less to wait.
void AgeJoystickPolls();
// Joystick n (0..3) read from the device, at most once per tick and not while
// it backs off after a failure; a failure zeroes its values.
void PollJoystick(int32_t n);
