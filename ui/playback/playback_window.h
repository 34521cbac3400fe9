// The playback window (class PWClassName): video above the stock list.
#pragma once

#include <windows.h>

extern const wchar_t kPlaybackWindowClass[];

HWND CreatePlaybackWindow();
LRESULT CALLBACK PlaybackWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The video area: the client area above the stock band, inset by 8 pixels.
RECT VideoArea();

// The video display window: the playback window's child that is not the stock window.
// (Placing it on top of its siblings moves it before the stock window in the child list, so
// "the child after the stock window" only finds it until its first placement.)
HWND VideoDisplayWindow();

// Puts the video in the normal area above the stock band, whatever the full-size flag says.
void PlaceVideoInNormalArea();

// The Full button: the playback window maximised with the video over all of it, and back.
void ToggleFullSize();

// The program's handling of the video display window's messages; false for messages the
// device's own procedure should handle.
bool HandleVideoWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT *result);
