#include "services/app_state.h"

#include <new>

#include "services/recorder.h"

AppState g_app;

void ResetAppState() {
    g_app.~AppState();
    new (&g_app) AppState();
    ResetRecorder();
    SetDefaultSettings(g_app.settings);
    lstrcpyW(g_app.positionText, L" 0 秒");
    g_app.speed = 1000;
    g_app.barPage = 10;
    g_app.nPlayLimiter = 1000;
    g_app.nShotInterval = 0;
    g_app.nShotCount = 1;
    g_app.nRecRate = 2700;  // slider position: the rate in Hz is ten times it
    g_app.bCaptureOn = 1;
}
