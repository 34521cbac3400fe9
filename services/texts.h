// The texts the program shows: the number texts of the main window and the string table.
#pragma once

#include <windows.h>

#include <string>

// Writes "[number]" into one of the main window's number texts.
void SetNumberText(wchar_t *text, int number);

// Both number texts at once: "[current]" and "[total]".
void SetNumberTexts(int current, int total);

// A text of the program's string table (message boxes).
std::wstring LoadProgramText(UINT id);
