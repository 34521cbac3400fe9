// The skin editor page: the main window's text colours, the places of the buttons and of the
// texts, and the home page address, tried at once with "テスト" and kept with "セーブ".
#pragma once

#include <windows.h>

INT_PTR CALLBACK SkinPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
