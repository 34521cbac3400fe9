#include "ui/accessories/accessory_window.h"

#include "services/app_state.h"
#include "ui/shell/window_class.h"

HWND OpenAccessory(const wchar_t *className, WNDPROC proc, const wchar_t *title, int width,
                   int height) {
    RegisterProgramClass(className, proc, L"MYICON",
                         static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)));
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, className, title, WS_POPUP, 0, 0, width, height,
                                nullptr, nullptr, g_app.hInst, nullptr);
    if (hwnd) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

void CloseAccessory(HWND *handle) {
    if (*handle && IsWindow(*handle)) DestroyWindow(*handle);
    *handle = nullptr;
}

LRESULT AccessoryProc(const Accessory &accessory, HWND hwnd, UINT msg, WPARAM wParam,
                      LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        *accessory.handle = hwnd;
        accessory.create(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        accessory.draw(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        return 0;
    case WM_DESTROY:
        if (*accessory.handle == hwnd) *accessory.handle = nullptr;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
