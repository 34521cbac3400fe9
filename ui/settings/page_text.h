// Numbers in the settings pages' edits.
#pragma once

#include <windows.h>

// Shows value in the control, formatted with "%d".
void ShowNumber(HWND page, int id, int value);

// The control's text (at most 259 characters) as its leading decimal number with an
// optional sign; 0 when it starts with none.
int ReadNumber(HWND page, int id);
