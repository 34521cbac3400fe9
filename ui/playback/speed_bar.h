// The speed bar (class SPWClaxxName): a small child of the main window that shows the
// playback speed and sets it where it is pressed or dragged.
#pragma once

#include <windows.h>

extern const wchar_t kSpeedBarClass[];

HWND CreateSpeedBar(HWND mainWindow);
LRESULT CALLBACK SpeedBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
