// The smallest program that opens one window: the yardstick for start-up time. With
// MIRELO_STARTUP_TRACE set it says on standard error when its window is shown and painted,
// and when it first finds its message queue empty, as Mirelo.exe does.
#include <windows.h>

#include <cstdio>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int main() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MinimalWindow";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Minimal", WS_POPUP, 100, 100, 400, 366,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    const bool trace = GetEnvironmentVariableW(L"MIRELO_STARTUP_TRACE", nullptr, 0) != 0;
    if (trace) std::fputs("startup: main window shown\n", stderr), std::fflush(stderr);
    MSG msg;
    for (bool idle = !trace;;) {
        if (!idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            std::fputs("startup: idle\n", stderr), std::fflush(stderr);
            idle = true;
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        DispatchMessageW(&msg);
    }
    return 0;
}
