// Painting a picture box, the control that shows a picture.
#pragma once
#include <windows.h>
#include <stdint.h>

// WM_DRAWITEM of a picture box (entry of type 18).
void PaintPictureBox(int32_t index, const DRAWITEMSTRUCT* draw);
