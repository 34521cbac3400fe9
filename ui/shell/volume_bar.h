// The volume bar (class OWClassName): a small child of the main window that shows the master
// volume, sets it where it is pressed or dragged, and follows changes made elsewhere.
#pragma once

#include <windows.h>

extern const wchar_t kVolumeBarClass[];

// Creates the bar; the main window starts its 300 ms re-read timer once the speed bar exists.
HWND CreateVolumeBar(HWND mainWindow);
void StartVolumeTimer();

// Draws the bar into dc as its paint does.
void PaintVolumeBar(HDC dc);

LRESULT CALLBACK VolumeBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
