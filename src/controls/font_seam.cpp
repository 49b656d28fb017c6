// The real font creation, replaceable by tests.
#include "controls/font_seam.h"

const FontSystemCalls RealFontSys = {CreateFontA};
FontSystemCalls FontSys = RealFontSys;
