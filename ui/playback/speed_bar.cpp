#include "ui/playback/speed_bar.h"

#include "core/play_modes.h"
#include "services/transport.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/level_bar.h"
#include "ui/shell/window_class.h"

const wchar_t kSpeedBarClass[] = L"SPWClaxxName";

namespace {

int SpeedLevel() { return g_app.speed / 20; }

void SetSpeed(int x) {
    g_app.speed = SpeedFromX(x);
    SendSpeed();
}

const LevelBar kSpeedBar = {RGB(0xFF, 0x63, 0x47), RGB(255, 0, 0), SpeedLevel, SetSpeed};

} // namespace

HWND CreateSpeedBar(HWND mainWindow) {
    RegisterProgramClass(kSpeedBarClass, SpeedBarProc, L"MYICON", nullptr);
    g_ui.hSpeedBar = CreateWindowExW(0, kSpeedBarClass, L"SPWindow", WS_CHILD | WS_VISIBLE, 110,
                                      240, 150, 20, mainWindow, nullptr, g_app.hInst, nullptr);
    return g_ui.hSpeedBar;
}

LRESULT CALLBACK SpeedBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return LevelBarProc(kSpeedBar, hwnd, msg, wParam, lParam);
}
