#include "ui/accessories/reverse_window.h"

#include <string>

#include "services/app_state.h"
#include "services/reverse_wave.h"
#include "ui/shell/program_font.h"
#include "ui/shell/window_class.h"

namespace {

const wchar_t kClassName[] = L"RPClassName";

struct Reverse {
    ReversePlayer player;
    std::wstring text;
};

Reverse *StateOf(HWND window) {
    wchar_t name[32] = {};
    if (!window || !GetClassNameW(window, name, 32) || lstrcmpW(name, kClassName) != 0) return nullptr;
    return reinterpret_cast<Reverse *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (const Reverse *r = StateOf(hwnd)) {
        RECT area;
        GetClientRect(hwnd, &area);
        InflateRect(&area, -8, -8);
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, InterfaceSizedFont());
        DrawTextW(dc, r->text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    EndPaint(hwnd, &ps);
}

}  // namespace

HWND OpenReverseWindow(const wchar_t *path, const wchar_t *title) {
    Reverse *r = new Reverse;
    if (!r->player.Start(path)) {
        delete r;
        return nullptr;
    }
    r->text = std::wstring(L"逆再生: ") + title + L"\n閉じると止まります";
    RegisterProgramClass(kClassName, ReverseWindowProc, L"MYICON",
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    HWND window = CreateWindowExW(0, kClassName, (std::wstring(L"逆再生 - ") + title).c_str(),
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 320, 110, nullptr, nullptr,
                                  g_app.hInst, &r);
    if (!window) {
        delete r;
        return nullptr;
    }
    ShowWindow(window, SW_SHOW);
    return window;
}

const ReversePlayer *ReversePlayerOf(HWND window) {
    const Reverse *r = StateOf(window);
    return r ? &r->player : nullptr;
}

LRESULT CALLBACK ReverseWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        AdoptWindowState<Reverse>(hwnd, lParam);
        break;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_NCDESTROY:
        // The samples go with the window; the wave output is reset first.
        FreeWindowState<Reverse>(hwnd);
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
