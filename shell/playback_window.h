// The playback window (class PWClassName): video above the stock list.
#pragma once

#include <windows.h>

extern const wchar_t kPlaybackWindowClass[];

HWND CreatePlaybackWindow();
LRESULT CALLBACK PlaybackWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The video area: the client area above the stock band, inset by 8 pixels.
RECT VideoArea();
