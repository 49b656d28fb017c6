// The fake pump's state, shared by the program tests.
#include "program_fixture.h"

FakePump Fake;
