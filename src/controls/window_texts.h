// Texts of windows and controls: the cached text of each entry, the rich
// edit stream buffers, lists, icons and pictures.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "base/text.h"

extern Text& RtfMarker;       // "{\RTF": compared with a text's start, upper-cased
extern Text& StreamInText;    // the text being streamed into a rich edit field
extern int32_t StreamInOffset;
extern Text& StreamOutText;   // a rich edit field's contents streamed out

// Start-up constructs the texts.
void InitWindowTexts();

// Brings the selected item's cached text up to date when it is stale.
void RefreshSelectedText();
DWORD CALLBACK StreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done);
DWORD CALLBACK StreamOutCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done);
