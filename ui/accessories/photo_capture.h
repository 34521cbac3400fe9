// The Sya button's work: one frame saved under a name the user gives, or a numbered series
// of frames written into a folder at the set interval (timer 609 on the button).
#pragma once

#include <windows.h>

// A press of the button: asks for the series' folder when more than one shot is set, then
// starts the capture timer.
void OnPhotoPressed(HWND button);

// A tick of the capture timer: the single shot, or the series' next file.
void OnShotTimer(HWND button);
