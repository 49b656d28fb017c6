// The state kept per joystick.
#include "window/joystick_state.h"

double JoystickX[JoystickCount], JoystickY[JoystickCount], JoystickZ[JoystickCount];
uint8_t JoystickButton1[JoystickCount], JoystickButton2[JoystickCount];
uint8_t JoystickButton3[JoystickCount], JoystickButton4[JoystickCount];
uint8_t JoystickPolled[JoystickCount];
int32_t JoystickRetry[JoystickCount] = {-1, -1, -1, -1};
int32_t JoystickRawX[JoystickCount], JoystickRawY[JoystickCount], JoystickRawZ[JoystickCount];

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
