#include "ui/playback/playback_window.h"

#include <windowsx.h>

#include "services/media_device.h"
#include "services/media_host.h"
#include "core/video_layout.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/skinned_button.h"
#include "ui/shell/window_commands.h"
#include "ui/shell/window_class.h"
#include "ui/playback/video_window.h"

const wchar_t kPlaybackWindowClass[] = L"PWClassName";

HWND CreatePlaybackWindow() {
    RegisterProgramClass(kPlaybackWindowClass, PlaybackWindowProc, L"Play", nullptr);
    g_ui.hPlay = CreateWindowExW(0, kPlaybackWindowClass, L"再生ウィンドウ",
                                  WS_POPUP | WS_THICKFRAME, 200, 100, 535, 400,
                                  nullptr, nullptr, g_app.hInst, nullptr);
    SetVideoParent(g_ui.hPlay);  // the device's video window shows inside it
    return g_ui.hPlay;
}

static void OnSize(HWND hwnd) {
    g_ui.zoom = 0;
    RECT client;
    GetClientRect(hwnd, &client);
    if (g_ui.hStock)
        MoveWindow(g_ui.hStock, client.left - 25, client.bottom - 94, client.right + 50, 100,
                   FALSE);
    // A size change always puts the video back in the normal area above the stock band.
    PlaceVideo(false);
}

void ToggleFullSize() {
    g_ui.zoom = 0;
    if (!g_ui.hPlay) return;
    if (g_ui.fullSize) {
        SetButtonFace(SlotFull, 0);
        g_ui.fullSize = 0;
        ShowWindow(g_ui.hPlay, SW_RESTORE);
        if (g_ui.hStock) ShowWindow(g_ui.hStock, SW_SHOW);
        InvalidateRect(g_ui.hPlay, nullptr, FALSE);
    } else {
        SetButtonFace(SlotFull, 1);
        g_ui.fullSize = 1;
        ShowWindow(g_ui.hPlay, SW_MAXIMIZE);
        if (g_ui.hStock) ShowWindow(g_ui.hStock, SW_HIDE);
        PlaceVideoWindow();
    }
}

static void OnBodyPressed(HWND hwnd, LPARAM lParam) {
    if (!g_ui.fullSize) PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (g_ui.hLeftPanel) SetWindowPos(g_ui.hLeftPanel, HWND_TOPMOST, 0, 0, 0, 0, keep);
    if (g_ui.hMain) SetWindowPos(g_ui.hMain, HWND_TOPMOST, 0, 0, 0, 0, keep);
}

static void OnCommand(WPARAM wParam) { PerformPlaybackCommand(LOWORD(wParam)); }

static void ShowBodyMenuAt(HWND owner, LPARAM lParam) {
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(owner, &at);
    ShowBodyMenu(owner, at);
}

// Icon 302, and icon 300 while the playback window went to the tray in its place.
static void OnTrayIcon(HWND hwnd, int which, LPARAM mouse) {
    if (mouse == WM_LBUTTONDBLCLK) {
        DeleteTrayIcon(which, hwnd);
        ShowWindow(hwnd, SW_SHOW);
    } else if (mouse == WM_RBUTTONDOWN && which == TrayMain) {
        ShowTrayIconMenu(hwnd);
    }
}

static void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const int stock = StockBandHeight();
    if (!MediaVideoWindow()) {
        const VideoRect v = VideoPlacement(client.right, client.bottom, stock, g_ui.fullSize != 0);
        const RECT video = {v.x, v.y, v.x + v.width, v.y + v.height};
        FillRect(dc, &video, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    if (!g_ui.fullSize) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        const int bottom = client.bottom - stock;
        Rectangle(dc, 0, 0, client.right, 8);
        Rectangle(dc, 0, 0, 8, bottom);
        Rectangle(dc, 0, bottom - 8, client.right, bottom);
        Rectangle(dc, client.right - 8, 0, client.right, bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK PlaybackWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_APPCOMMAND:  // a media key in the playback window or the stock list acts as anywhere
        if (g_ui.hMain) return SendMessageW(g_ui.hMain, msg, wParam, lParam);
        break;
    case WM_SIZE:
        OnSize(hwnd);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        WatchVideoWindow();  // what uncovered this window may have spoiled the still picture
        return 0;
    case WM_SIZING:
        PlaceVideo(false);
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_MOVE:
        if (MediaVideoWindow()) InvalidateRect(MediaVideoWindow(), nullptr, FALSE);
        WatchVideoWindow();
        return 0;
    case WM_LBUTTONDOWN:
        OnBodyPressed(hwnd, lParam);
        return 0;
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_RBUTTONDOWN:
        ShowBodyMenuAt(hwnd, lParam);
        return 0;
    case WM_TRAY_PLAY:
        OnTrayIcon(hwnd, TrayPlay, lParam);
        return 0;
    case WM_VIDEO_MENU:
        ShowBodyMenu(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_VIDEO_DOUBLE_CLICK:
        PressButton(SlotFull);
        return 0;
    case WM_VIDEO_DRAG:
        // Dragging the video drags the playback window.
        if (!g_ui.fullSize) PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    case WM_TRAY_MAIN:
        OnTrayIcon(hwnd, TrayMain, lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
