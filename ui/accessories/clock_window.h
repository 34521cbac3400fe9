// The desk clock (TWClassName): a borderless window cut from a mask bitmap that shows the
// date, the time with seconds and the weekday, refreshed twice a second.
#pragma once

#include <windows.h>

extern const wchar_t kClockClass[];

// Registers the class, creates the clock at the screen's top-left corner and shows it.
HWND OpenClock();

// Destroys the clock window, if there is one.
void CloseClock();

// Reads the local time into the clock's texts.
void UpdateClockTexts();

// Draws the face and the texts into dc as the clock's paint does.
void DrawClock(HDC dc);

LRESULT CALLBACK ClockProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
