#include "ui/shell/volume_bar.h"

#include "core/volume.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/mixer.h"
#include "ui/shell/level_bar.h"
#include "ui/shell/window_class.h"

const wchar_t kVolumeBarClass[] = L"OWClassName";

namespace {

int VolumeLevel() { return g_ui.volumeBarPos; }

void SetVolume(int x) {
    g_ui.volumeBarPos = x;
    SetVolumePercent(PercentFromBar(g_ui.volumeBarPos));
}

const LevelBar kVolumeBar = {RGB(0xFF, 0xFF, 0x33), RGB(0, 0, 0), VolumeLevel, SetVolume};

void ShowMixerVolume(HWND hwnd) {
    g_ui.volumeBarPos = BarFromPercent(ReadVolumePercent());
    InvalidateRect(hwnd, &kLevelBarRepaint, TRUE);
}

} // namespace

void PaintVolumeBar(HDC dc) { PaintLevelBar(kVolumeBar, dc); }

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

// The bar follows changes made elsewhere: on creation and on its timer.
LRESULT CALLBACK VolumeBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE || msg == WM_TIMER) {
        ShowMixerVolume(hwnd);
        return 0;
    }
    return LevelBarProc(kVolumeBar, hwnd, msg, wParam, lParam);
}
