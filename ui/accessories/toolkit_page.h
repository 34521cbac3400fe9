// The toolkit page of the settings dialog (dialog 212): pinpoint playback of the loaded
// media, reverse playback of a chosen file, and the AVI edit window with its save.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ToolkitPageProc(HWND, UINT, WPARAM, LPARAM);

// The repeat button toggled the repeat flag: the page's "繰り返し" box follows it.
void OnRepeatToggled();

// The period of the pinpoint watch, in milliseconds.
enum { kPinpointPeriodMs = 20 };
