// The real joystick queries, replaceable by tests.
#include "input/joystick_seam.h"

const JoystickSystemCalls RealJoystickSys = {joyGetDevCapsA, joyGetPos};
JoystickSystemCalls JoystickSys = RealJoystickSys;
