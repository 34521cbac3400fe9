// The main settings page: recording rate and channels, the playing media's audio channels,
// thumbnail size, frame and capture switch, the play-switch limiter, continuous shots, and
// the two backup buttons.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
