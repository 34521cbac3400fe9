#include "ui/playback/video_window.h"

#include "services/media_device.h"
#include "core/video_layout.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"

namespace {

bool g_playing;
// A still picture is repainted for a moment after anything that may have spoiled it (half a
// second at the timer's minimum period), not for as long as it shows: a paused video then
// costs nothing while nothing happens.
enum { kStillRepaintTicks = 50 };
int g_stillRepaints;

}  // namespace

int StockBandHeight() {
    RECT stock = {};
    if (g_ui.hStock) GetClientRect(g_ui.hStock, &stock);
    return stock.bottom;
}

void PlaceVideo(bool fullArea) {
    PlaceVideo(MediaVideoWindow(), fullArea);
}

void PlaceVideo(HWND video, bool fullArea) {
    WatchVideoWindow();
    if (!video || !g_ui.hPlay) return;
    RECT client = {};
    GetClientRect(g_ui.hPlay, &client);
    const VideoRect r = VideoPlacement(client.right, client.bottom, StockBandHeight(), fullArea);
    // The video window belongs to the device's process: asked without waiting, so that a
    // device stuck outside a command cannot hold this window up.
    SetWindowPos(video, HWND_TOP, r.x, r.y, r.width, r.height, SWP_ASYNCWINDOWPOS);
    ShowWindowAsync(video, SW_SHOW);
    InvalidateRect(video, nullptr, TRUE);
}

void PlaceVideoWindow() {
    PlaceVideo(g_ui.fullSize != 0);
}


void WatchVideoWindow() {
    if (!g_ui.hMain || !MediaVideoWindow()) return;
    g_stillRepaints = kStillRepaintTicks;
    SetTimer(g_ui.hMain, TIMER_VIDEO_REPAINT, USER_TIMER_MINIMUM, nullptr);
}

void OnVideoRepaintTimer() {
    HWND video = MediaVideoWindow();
    // Playing, hidden or minimised, there is nothing to keep; whatever shows the picture
    // again (a pause, a stop, a move, a paint of the playback window) starts the timer anew.
    if (!video || !IsWindow(video) || (g_playing && !g_app.paused) || !IsWindowVisible(video) ||
        (g_ui.hPlay && IsIconic(g_ui.hPlay)) || --g_stillRepaints < 0) {
        if (g_ui.hMain) KillTimer(g_ui.hMain, TIMER_VIDEO_REPAINT);
        return;
    }
    InvalidateRect(video, nullptr, FALSE);
}

void SetVideoPlaying(bool playing) {
    g_playing = playing;
    if (!playing) WatchVideoWindow();
}
