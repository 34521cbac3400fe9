#include "ui/playback/speed_bar.h"

#include "core/play_modes.h"
#include "services/transport.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/window_class.h"

const wchar_t kSpeedBarClass[] = L"SPWClaxxName";

namespace {

const RECT kRepaint = {0, 3, 150, 17};

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HPEN framePen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    HBRUSH frameBrush = CreateSolidBrush(RGB(0x33, 0x33, 0x66));
    HGDIOBJ oldPen = SelectObject(dc, framePen);
    HGDIOBJ oldBrush = SelectObject(dc, frameBrush);
    Rectangle(dc, 0, 0, 200, 20);
    HPEN levelPen = CreatePen(PS_SOLID, 3, RGB(0xFF, 0x63, 0x47));
    HBRUSH levelBrush = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
    SelectObject(dc, levelPen);
    SelectObject(dc, levelBrush);
    Rectangle(dc, 0, 4, g_app.speed / 20, 16);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(framePen);
    DeleteObject(frameBrush);
    DeleteObject(levelPen);
    DeleteObject(levelBrush);
    EndPaint(hwnd, &ps);
}

void Apply(HWND hwnd, LPARAM lParam) {
    g_app.speed = SpeedFromX(LOWORD(lParam));
    SendSpeed();
    InvalidateRect(hwnd, &kRepaint, TRUE);
}

} // namespace

HWND CreateSpeedBar(HWND mainWindow) {
    RegisterProgramClass(kSpeedBarClass, SpeedBarProc, L"MYICON", nullptr);
    g_ui.hSpeedBar = CreateWindowExW(0, kSpeedBarClass, L"SPWindow", WS_CHILD | WS_VISIBLE, 110,
                                      240, 150, 20, mainWindow, nullptr, g_app.hInst, nullptr);
    return g_ui.hSpeedBar;
}

LRESULT CALLBACK SpeedBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        g_ui.barDrag = 1;
        Apply(hwnd, lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (g_ui.barDrag) Apply(hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        g_ui.barDrag = 0;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
