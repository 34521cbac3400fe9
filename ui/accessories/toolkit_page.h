// The toolkit page of the settings dialog (dialog 212): pinpoint playback of the loaded
// media, reverse playback of a chosen file, and the AVI edit window with its save.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ToolkitPageProc(HWND, UINT, WPARAM, LPARAM);

// The repeat button toggled the repeat flag: the page's "繰り返し" box follows it.
void OnRepeatToggled();

// The periods of the pinpoint watch and of the reverse process's watch, in milliseconds.
enum { kPinpointPeriodMs = 20, kReverseWatchMs = 100 };

// The process of the last "セット" while it runs and is watched; 0 otherwise.
DWORD ReverseProcessId();
