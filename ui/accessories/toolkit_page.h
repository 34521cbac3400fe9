// The toolkit page of the settings dialog.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ToolkitPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
