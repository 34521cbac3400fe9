// The calculator (DWClassName): a shaped, borderless window with its own face, a display and
// the keys, opened and closed by the Den button.
#pragma once

#include <windows.h>

extern const wchar_t kCalculatorClass[];

// The display's control id.
enum { IDC_CALCULATOR_DISPLAY = 206 };

// Registers the class, creates the calculator at the screen's top-left corner and shows it.
HWND OpenCalculator();

// Destroys the calculator window, if there is one.
void CloseCalculator();

LRESULT CALLBACK CalculatorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
