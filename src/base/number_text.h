// Numbers as texts and back: the engine's number format (Text::SetReal and the
// integer, digit-group and hexadecimal forms, all in number_text.cpp) and its parser.
#pragma once
#include "base/text.h"

// Decimal with '.' or ',', '$' hexadecimal, '%' binary, an exponent, "1#INF";
// reads up to the first character that does not fit, 0 without digits.
double ParseReal(const char* s);
