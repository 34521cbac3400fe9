#include "ui/shell/level_bar.h"

#include "ui/window_state.h"

const RECT kLevelBarRepaint = {0, 3, 150, 17};

namespace {

void SetFromPointer(const LevelBar &bar, HWND hwnd, LPARAM lParam) {
    bar.setFromX(LOWORD(lParam));
    InvalidateRect(hwnd, &kLevelBarRepaint, TRUE);
}

} // namespace

void PaintLevelBar(const LevelBar &bar, HDC dc) {
    HPEN framePen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    HBRUSH frameBrush = CreateSolidBrush(RGB(0x33, 0x33, 0x66));
    HPEN levelPen = CreatePen(PS_SOLID, 3, bar.levelPen);
    HBRUSH levelBrush = CreateHatchBrush(HS_DIAGCROSS, bar.levelHatch);
    HGDIOBJ oldPen = SelectObject(dc, framePen);
    HGDIOBJ oldBrush = SelectObject(dc, frameBrush);
    Rectangle(dc, 0, 0, 200, 20);
    SelectObject(dc, levelPen);
    SelectObject(dc, levelBrush);
    Rectangle(dc, 0, 4, bar.level(), 16);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(framePen);
    DeleteObject(frameBrush);
    DeleteObject(levelPen);
    DeleteObject(levelBrush);
}

LRESULT LevelBarProc(const LevelBar &bar, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintLevelBar(bar, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        g_ui.barDrag = 1;
        SetFromPointer(bar, hwnd, lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (g_ui.barDrag) SetFromPointer(bar, hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        g_ui.barDrag = 0;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
