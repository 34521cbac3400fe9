#include "shell/playback_window.h"

#include "shell/app_state.h"
#include "shell/window_class.h"

const wchar_t kPlaybackWindowClass[] = L"PWClassName";

HWND CreatePlaybackWindow() {
    RegisterProgramClass(kPlaybackWindowClass, PlaybackWindowProc, L"Play", nullptr);
    g_app.hPlay = CreateWindowExW(0, kPlaybackWindowClass, L"再生ウィンドウ",
                                  WS_POPUP | WS_THICKFRAME | WS_VISIBLE, 200, 100, 535, 400,
                                  nullptr, nullptr, g_app.hInst, nullptr);
    return g_app.hPlay;
}

static int StockBandHeight() {
    RECT stock = {};
    if (g_app.hStock) GetClientRect(g_app.hStock, &stock);
    return stock.bottom;
}

RECT VideoArea() {
    RECT client = {};
    GetClientRect(g_app.hPlay, &client);
    return RECT{8, 8, client.right - 8, client.bottom - StockBandHeight() - 8};
}

static void OnSize(HWND hwnd) {
    g_app.zoom = 0;
    RECT client;
    GetClientRect(hwnd, &client);
    if (g_app.hStock)
        MoveWindow(g_app.hStock, client.left - 25, client.bottom - 94, client.right + 50, 100,
                   FALSE);
}

static void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const int stock = StockBandHeight();
    if (!g_app.hVideo) {
        RECT video = g_app.fullSize ? client : VideoArea();
        FillRect(dc, &video, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    if (!g_app.fullSize) {
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
    case WM_SIZE:
        OnSize(hwnd);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        if (!g_app.fullSize) PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
