#include "services/app_state.h"

#include <new>

#include "services/media_device.h"
#include "services/recorder.h"
#include "services/thumbnail.h"
#include "services/transport.h"
#include "services/stock_store.h"

AppState g_app;

void ResetAppState() {
    g_app.~AppState();
    new (&g_app) AppState();
    // The services' own options start again too: no test carries one over.
    ResetMediaDevice();
    ResetTransport();
    ResetRecorder();
    ForgetEntryCounts();
    SetThumbnailsOn(true);
    SetDefaultSettings(g_app.settings);
    g_app.speed = 1000;
    g_app.nPlayLimiter = 1000;
}
