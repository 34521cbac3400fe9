#include "services/app_state.h"

#include <new>

AppState g_app;

void ResetAppState() {
    g_app.~AppState();
    new (&g_app) AppState();
    SetDefaultSettings(g_app.settings);
    lstrcpyW(g_app.positionText, L" 0 秒");
    g_app.speed = 1000;
    g_app.barPage = 10;
    g_app.nPlayLimiter = 1000;
    g_app.nShotInterval = 0;
    g_app.nShotCount = 1;
    g_app.nRecRate = 2700;  // slider position: the rate in Hz is ten times it
    g_app.bCaptureOn = 1;
    g_app.recordFormat.wFormatTag = WAVE_FORMAT_PCM;
    g_app.recordFormat.nChannels = 1;
    g_app.recordFormat.nSamplesPerSec = 27000;
    g_app.recordFormat.wBitsPerSample = 8;
    g_app.recordFormat.nBlockAlign = 1;
    g_app.recordFormat.nAvgBytesPerSec = 27000;
    g_app.muteControlId = 0xFFFFFFFF;
}
