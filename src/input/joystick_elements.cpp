// The joystick elements: the three axes and four buttons of joystick 0..3,
// each read through the poll, so a stick is queried at most once per tick.
#include "exec/eval_next.h"
#include "code/exec_functions.h"
#include "input/joystick_state.h"

// The joystick number operand; -1 for one outside 0..3 (NaN included).
static int32_t NextJoystick() {
  int32_t n = EvalNextInt();
  if ((uint32_t)n >= (uint32_t)JoystickCount) return -1;
  PollJoystick(n);
  return n;
}

static double AxisOf(const double* axis) {
  int32_t n = NextJoystick();
  return n < 0 ? 0.0 : axis[n];
}

static uint8_t ButtonOf(const uint8_t* button) {
  int32_t n = NextJoystick();
  return n < 0 ? 0 : button[n];
}

// Joystick number: its x, y or z axis in -1..1; a number outside 0..3 gives 0.
double ExecNumJoystickX() { return AxisOf(JoystickX); }
double ExecNumJoystickY() { return AxisOf(JoystickY); }
double ExecNumJoystickZ() { return AxisOf(JoystickZ); }

// Joystick number: button 1, 2, 3 or 4 pressed; a number outside 0..3 gives false.
uint8_t ExecBoolJoystickButton1() { return ButtonOf(JoystickButton1); }
uint8_t ExecBoolJoystickButton2() { return ButtonOf(JoystickButton2); }
uint8_t ExecBoolJoystickButton3() { return ButtonOf(JoystickButton3); }
uint8_t ExecBoolJoystickButton4() { return ButtonOf(JoystickButton4); }
