// How the main window's size and the zoom follow each other: WM_SIZE of every
// window (WindowItem::OnResize, declared with WindowItem) and the main
// window's WM_SIZING.
#pragma once
#include <windows.h>

// Adjusts the proposed outer rectangle in place so that the client area is
// the surface size times a step of the zoom; the opposite corner stays.
void SnapWindowSizing(WPARAM edge, RECT* proposed);
