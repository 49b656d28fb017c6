// The global texts the constant elements share.
#pragma once
#include "base/text.h"

// The two characters CR LF; constructed by start-up's initialiser table.
extern Text& NewLineText;
void InitNewLineText();
