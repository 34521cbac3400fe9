#include "ui/shell/volume_bar.h"

#include "core/volume.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/mixer.h"
#include "ui/shell/window_class.h"

const wchar_t kVolumeBarClass[] = L"OWClassName";

namespace {

const RECT kRepaint = {0, 3, 150, 17};

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintVolumeBar(dc);
    EndPaint(hwnd, &ps);
}

void ShowMixerVolume(HWND hwnd) {
    g_ui.volumeBarPos = BarFromPercent(ReadVolumePercent());
    InvalidateRect(hwnd, &kRepaint, TRUE);
}

// Unsigned x, as the message carries it: the bar only sees the pointer while it is over it.
void SetFromPointer(HWND hwnd, LPARAM lParam) {
    g_ui.volumeBarPos = LOWORD(lParam);
    SetVolumePercent(PercentFromBar(g_ui.volumeBarPos));
    InvalidateRect(hwnd, &kRepaint, TRUE);
}

} // namespace

void PaintVolumeBar(HDC dc) {
    // Every pen and brush made here is deselected and deleted again: the bar repaints every
    // 300 ms for as long as the program runs.
    HPEN framePen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    HBRUSH frameBrush = CreateSolidBrush(RGB(0x33, 0x33, 0x66));
    HPEN levelPen = CreatePen(PS_SOLID, 3, RGB(0xFF, 0xFF, 0x33));
    HBRUSH levelBrush = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, framePen);
    HGDIOBJ oldBrush = SelectObject(dc, frameBrush);
    Rectangle(dc, 0, 0, 200, 20);
    SelectObject(dc, levelPen);
    SelectObject(dc, levelBrush);
    Rectangle(dc, 0, 4, g_ui.volumeBarPos, 16);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(framePen);
    DeleteObject(frameBrush);
    DeleteObject(levelPen);
    DeleteObject(levelBrush);
}

HWND CreateVolumeBar(HWND mainWindow) {
    RegisterProgramClass(kVolumeBarClass, VolumeBarProc, L"MYICON",
                         static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)));
    g_ui.hVolumeBar =
        CreateWindowExW(0, kVolumeBarClass, L"OnryouWindow", WS_CHILD | WS_VISIBLE, 110, 260, 150,
                        20, mainWindow, nullptr, g_app.hInst, nullptr);
    return g_ui.hVolumeBar;
}

void StartVolumeTimer() {
    if (g_ui.hVolumeBar) SetTimer(g_ui.hVolumeBar, TIMER_VOLUME, 300, nullptr);
}

LRESULT CALLBACK VolumeBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        ShowMixerVolume(hwnd);
        return 0;
    case WM_TIMER:
        ShowMixerVolume(hwnd);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        g_ui.barDrag = 1;
        SetFromPointer(hwnd, lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (g_ui.barDrag) SetFromPointer(hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        g_ui.barDrag = 0;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
