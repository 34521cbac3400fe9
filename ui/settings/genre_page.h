// The genre names page: one row a genre, an edit and a "設定" button that renames it.
#pragma once

#include <windows.h>

INT_PTR CALLBACK GenrePageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);

// The "設定" button of a genre name field; 0 for any other control.
int GenreFieldButton(int field);
