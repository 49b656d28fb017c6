// The virtual clock shared by the window tests.
#include "window_setup.h"

VirtualClock Clock;
