#include "ui/playback/video_window.h"

#include <windowsx.h>

#include "core/video_layout.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "resources/resource.h"

namespace {

void OnAttached(HWND video) {
    const WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(video, GWLP_WNDPROC));
    if (current == VideoWindowProc) return;
    g_app.videoOldProc = current;
    SetWindowLongPtrW(video, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(VideoWindowProc));
}

void OnDetaching(HWND video) {
    if (IsWindow(video) && g_app.videoOldProc)
        SetWindowLongPtrW(video, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_app.videoOldProc));
    g_app.videoOldProc = nullptr;
}

int StockBandHeight() {
    RECT stock = {};
    if (g_app.hStock) GetClientRect(g_app.hStock, &stock);
    return stock.bottom;
}

// The video window's messages arrive on the device's thread; what they ask of the windows
// is passed on to the playback window, whose thread does it.
void OnRightButton(HWND hwnd, LPARAM lParam) {
    // The video is drawn magnified around its centre.
    const int shift = g_app.zoom / 2;
    POINT at = {GET_X_LPARAM(lParam) - shift, GET_Y_LPARAM(lParam) - shift};
    ClientToScreen(hwnd, &at);
    if (g_app.hPlay) PostMessageW(g_app.hPlay, WM_VIDEO_MENU, 0, MAKELPARAM(at.x, at.y));
}

}  // namespace

void InstallVideoWindowHandling() {
    SetVideoWindowListener(VideoWindowListener{OnAttached, OnDetaching});
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

// The playback window's handling comes first (commands, dragging, full size); every other
// message goes to the device's own procedure.
LRESULT CALLBACK VideoWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_COMMAND:
        if (g_app.hPlay) PostMessageW(g_app.hPlay, WM_COMMAND, wParam, 0);
        return 0;
    case WM_RBUTTONDOWN:
        OnRightButton(hwnd, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        // Dragging the video drags the playback window.
        if (!g_app.fullSize && g_app.hPlay)
            PostMessageW(g_app.hPlay, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (g_app.hPlay) PostMessageW(g_app.hPlay, WM_VIDEO_DOUBLE_CLICK, 0, 0);
        return 0;
    }
    if (!g_app.videoOldProc) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return CallWindowProcW(g_app.videoOldProc, hwnd, msg, wParam, lParam);
}
