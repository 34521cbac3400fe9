// The playback window (class PWClassName): video above the stock list.
#pragma once

#include <windows.h>

extern const wchar_t kPlaybackWindowClass[];

// Made hidden: the caller shows it once the stock list inside it is filled.
HWND CreatePlaybackWindow();
LRESULT CALLBACK PlaybackWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The Full button: the playback window maximised with the video over all of it, and back.
void ToggleFullSize();
