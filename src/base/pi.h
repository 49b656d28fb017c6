// The circle constant, for the angles of sprites, pictures, fonts and tones.
#pragma once

const double Pi = 3.14159265358979323846264338327950288;
