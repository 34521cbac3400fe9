#include "ui/playback/video_window.h"

#include "core/video_layout.h"
#include "services/app_state.h"

int StockBandHeight() {
    RECT stock = {};
    if (g_app.hStock) GetClientRect(g_app.hStock, &stock);
    return stock.bottom;
}

void PlaceVideo(bool fullArea) {
    if (!g_app.hVideo || !g_app.hPlay) return;
    RECT client = {};
    GetClientRect(g_app.hPlay, &client);
    const VideoRect r = VideoPlacement(client.right, client.bottom, StockBandHeight(), fullArea);
    SetWindowPos(g_app.hVideo, HWND_TOP, r.x, r.y, r.width, r.height, 0);
    ShowWindow(g_app.hVideo, SW_SHOW);
    InvalidateRect(g_app.hVideo, nullptr, TRUE);
}

void PlaceVideoWindow() {
    PlaceVideo(g_app.fullSize != 0);
}

