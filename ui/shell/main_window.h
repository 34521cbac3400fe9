// The main window: class MWClassName, the program's face and the receiver of every command.
#pragma once

#include <windows.h>

extern const wchar_t kMainWindowClass[];

// Registers the class and creates the window; its creation handler builds everything else.
HWND CreateMainWindow();

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The area of the status texts, repainted once a second.
extern const RECT kStatusRect;

// Repaints the status texts now.
void RepaintStatus();

// Draws the window's background and status texts; used by WM_PAINT and by tests.
void PaintMainWindow(HDC dc);

// The font of the status texts: the size and weight of the system font, with Japanese glyphs.
HFONT StatusFont();
