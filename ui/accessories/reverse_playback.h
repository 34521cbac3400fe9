// Reverse playback on the toolkit page: a chosen file played backwards through a media
// window of the chosen device type, in a process of its own (reverse_process.cpp); when that
// cannot, a WAV file is played backwards by the program (reverse_window.cpp).
#pragma once

#include <windows.h>

// The period of the watch on the reverse process, in milliseconds.
enum { kReverseWatchMs = 100 };

// Fills the device-type list and shows the file chosen last.
void InitReversePlayback(HWND page);
void OnReverseDeviceType(HWND page);
void OnChooseReverseFile(HWND page);
// "セット": ends the last playback and starts the chosen file's.
void OnSetReverse();

// The process of the last "セット" while it runs and is watched; 0 otherwise.
DWORD ReverseProcessId();
