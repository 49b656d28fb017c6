// The window procedure of the class shared by the main window and every
// program window: what each message means for the item it belongs to.
#pragma once
#include <windows.h>
#include <stdint.h>

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The item a message of this window belongs to, or -1: the index in the
// window's extra word must name a live entry that holds this very window.
int32_t WindowItemOf(HWND window);

// The parts the procedure hands messages to.
void HandleSetFocus(int32_t index);
void HandleControlNotification(int32_t id, int32_t code);
void ClickItem(int32_t id);
// The brush for a control's colour request, 0 for default processing.
HBRUSH AnswerControlColor(HDC dc, HWND control);
void RealizeProgramPalette(HWND window, int32_t index);
void HandleMusicNotification(WPARAM code, LPARAM device);
