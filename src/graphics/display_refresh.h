// The display refresh: composition of the dirty tiles, the pending caption
// and status text, and the copy of the changed rectangle to the main window;
// and the painting of window backgrounds (WindowItem::OnPaint and
// WindowItem::PaintClient, declared with WindowItem).
#pragma once
#include <stdint.h>

extern uint8_t MainWindowShown;  // set by the first refresh
// Back to before the first refresh (for the tests, which make a main window each).
void ResetDisplayRefresh();

// Compose and show; every completed refresh starts the next four-tick period.
void RefreshDisplay();
// The dirty rectangle of the frame buffer to the main window, scaled by the zoom.
void CopyDirtyRectToWindow();
