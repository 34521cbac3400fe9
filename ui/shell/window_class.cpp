#include "ui/shell/window_class.h"

#include "resources/resource.h"
#include "services/app_state.h"

void RegisterProgramClass(const wchar_t *className, WNDPROC proc, const wchar_t *iconName,
                          HBRUSH background) {
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = g_app.hInst;
    wc.hIcon = LoadIconW(g_app.hInst, iconName);
    wc.hCursor = LoadCursorW(g_app.hInst, MAKEINTRESOURCEW(IDC_MIRELO));
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassW(&wc);
}
