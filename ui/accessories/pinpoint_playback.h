// Pinpoint playback on the toolkit page: the loaded media from one marked position to
// another, once or repeated.
#pragma once

#include <windows.h>

// The period of the watch on the position, in milliseconds.
enum { kPinpointPeriodMs = 20 };

// Marks the current position into the page's field.
void OnPinpointMark(HWND page, int field);
void OnPinpointPlay(HWND page);
void PinpointTick(HWND page);
void EndPinpoint(HWND page);

// The "繰り返し" box: shown from the repeat flag, and toggling it as the repeat button does.
void ShowRepeat(HWND page);
void OnRepeatBox(HWND page);
