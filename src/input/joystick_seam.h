// The two joystick queries of the poll: the device's capabilities (axis
// ranges) and its position. Tests replace them to drive a stick; the real
// calls fail where no joystick driver exists.
#pragma once
#include <windows.h>
#include <mmsystem.h>

struct JoystickSystemCalls {
  MMRESULT(WINAPI* joyGetDevCapsA)(UINT_PTR, LPJOYCAPSA, UINT);
  MMRESULT(WINAPI* joyGetPos)(UINT, LPJOYINFO);
};

extern JoystickSystemCalls JoystickSys;
extern const JoystickSystemCalls RealJoystickSys;
