// The AVI edit window "Avi編集": the preview of one frame of a chosen AVI file.
#pragma once

#include <windows.h>

// Opens the window on `path` (an earlier edit window goes first) and records it in
// g_ui.hAviEdit. A file the AVI library cannot read gives the window with an empty preview.
HWND OpenAviEditWindow(const wchar_t *path);

// Frames of the window's video (0 for none or no window).
long AviEditFrames(HWND window);

// Shows the frame for a slider position; positions outside the video show its nearest frame.
void ShowAviEditFrame(HWND window, long position);

// Draws the window's current frame into dc at (0, 0), as its paint does; false when there is
// none to draw.
bool PaintAviEditFrame(HWND window, HDC dc);

LRESULT CALLBACK AviEditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
