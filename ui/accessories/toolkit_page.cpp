#include "ui/accessories/toolkit_page.h"

// placeholder: the page handles nothing yet.
INT_PTR CALLBACK ToolkitPageProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
