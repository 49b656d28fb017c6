// The real font creation, replaceable by tests.
#include "window/font_seam.h"

const FontSystemCalls RealFontSys = {CreateFontA};
FontSystemCalls FontSys = RealFontSys;
