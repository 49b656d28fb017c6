// The state kept per joystick 0..3: axes, buttons, the once-a-tick poll flag,
// the back-off after a failure and the last raw positions.
#pragma once
#include <stdint.h>

const int JoystickCount = 4;
const int32_t JoystickRawUnset = (int32_t)0x80200000;

extern double JoystickX[JoystickCount], JoystickY[JoystickCount], JoystickZ[JoystickCount];
extern uint8_t JoystickButton1[JoystickCount], JoystickButton2[JoystickCount];
extern uint8_t JoystickButton3[JoystickCount], JoystickButton4[JoystickCount];
extern uint8_t JoystickPolled[JoystickCount];
extern int32_t JoystickRetry[JoystickCount];
extern int32_t JoystickRawX[JoystickCount], JoystickRawY[JoystickCount], JoystickRawZ[JoystickCount];

// The main run's preparation: raw positions far outside any range, not polled,
// polling allowed.
void PrepareJoysticks();
// The tick's part, joysticks 3 down to 0: not polled, one tick less to wait.
void AgeJoystickPolls();
