// The window of a WAV file that the program plays backwards itself, where the media window
// cannot: closing it stops the playback.
#pragma once

#include <windows.h>

class ReversePlayer;

// Starts playing the file backwards in a new window titled with `title`; null (and no window)
// when the file is no PCM WAV file or the wave output cannot start.
HWND OpenReverseWindow(const wchar_t *path, const wchar_t *title);

// The playback of such a window (null for any other window).
const ReversePlayer *ReversePlayerOf(HWND window);

LRESULT CALLBACK ReverseWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
