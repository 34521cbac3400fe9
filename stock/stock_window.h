// The stock window (class LWClassName) and its list of the current genre's entries.
#pragma once

#include <windows.h>

extern const wchar_t kStockWindowClass[];

HWND CreateStockWindow();
LRESULT CALLBACK StockWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Gives the list view a new, empty thumbnail list of CapWidth x CapHight images.
void ReplaceThumbnailList(int initialCapacity);

// Rebuilds the rows of the list view from the store (at most five rows).
void RefillStockList();
