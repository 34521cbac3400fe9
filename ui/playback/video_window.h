// The video display window the media device makes inside the playback window: the program's
// handling of its messages, and its one placement.
#pragma once

#include <windows.h>

// Listens to the media device: every video window it makes gets the program's procedure.
void InstallVideoWindowHandling();

// Moves the video window over the video area above the stock band (or the whole client area
// when `fullArea`), on top of its siblings, shows and repaints it. Nothing without one.
void PlaceVideo(bool fullArea);

// PlaceVideo for the current full-size state.
void PlaceVideoWindow();

// The procedure installed on the video display window: the playback window's handling
// first, then the device's own procedure.
LRESULT CALLBACK VideoWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
