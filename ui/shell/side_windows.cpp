#include "ui/shell/side_windows.h"

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/draw_bitmap.h"
#include "services/skin.h"
#include "ui/shell/skinned_button.h"
#include "ui/shell/window_class.h"

namespace {

enum { kPanelWidth = 270, kPanelHeight = 170, kPanelDrop = 100 };

struct PanelInfo {
    PanelSide side;
    const wchar_t *className, *title;
    WNDPROC proc;
    UINT timer;
    int tabSlot;
    Box bay;  // the ellipse cut out of the side that faces the main window
    const wchar_t *resource[2];  // cute, cool
    const wchar_t *userFile;
};

const PanelInfo kPanels[2] = {
    {PanelLeft, L"SWClassName", L"SettingWindow", LeftPanelProc, TIMER_LEFT_SLIDE, SlotLeftTab,
     {210, -100, 532, 266}, {L"SETTING_WND", L"SETTING_WND_2"}, L"LeftWindow.bmp"},
    {PanelRight, L"SWClassName2", L"SettingWindow2", RightPanelProc, TIMER_RIGHT_SLIDE,
     SlotRightTab, {-460, -140, 72, 306}, {L"SETTING_WND2", L"SETTING_WND2_2"}, L"RightWindow.bmp"},
};

// The play-mode buttons the right side window holds.
const int kRightPanelSlots[] = {SlotRepeat, SlotContinuous, SlotRandom};

SidePanel &StateOf(PanelSide side) { return side == PanelLeft ? g_ui.left : g_ui.right; }
HWND &WindowOf(PanelSide side) { return side == PanelLeft ? g_ui.hLeftPanel : g_ui.hRightPanel; }

RECT MainRect() {
    RECT r = {};
    GetWindowRect(g_ui.hMain, &r);
    return r;
}

void PlacePanel(PanelSide side, const RECT &main, UINT extraFlags) {
    SetWindowPos(WindowOf(side), HWND_NOTOPMOST, PanelX(side, main.left, StateOf(side).slide),
                 main.top + kPanelDrop, kPanelWidth, kPanelHeight, SWP_NOACTIVATE | extraFlags);
}

HBITMAP LoadPanelBitmap(const PanelInfo &info) {
    return LoadSkinBitmap(info.resource[0], info.resource[1], info.userFile);
}

void OnPaint(HWND hwnd, const PanelInfo &info) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (HBITMAP bitmap = LoadPanelBitmap(info)) {
        DrawBitmap(dc, bitmap, kPanelWidth, kPanelHeight);
        DeleteObject(bitmap);
    }
    EndPaint(hwnd, &ps);
}

void OnSlideTimer(HWND hwnd, const PanelInfo &info) {
    SidePanel &panel = StateOf(info.side);
    const bool opening = panel.direction == SlideOpening;
    // An opening follows the main window; a closing keeps to where it started.
    if (opening) panel.lastMainRect = MainRect();
    const SlideTick tick = SlideStep(info.side, opening, panel.lastMainRect.left, panel.slide);
    SetWindowPos(hwnd, HWND_NOTOPMOST, tick.x, panel.lastMainRect.top + kPanelDrop, kPanelWidth,
                 kPanelHeight, SWP_NOACTIVATE);
    if (tick.stop) KillTimer(hwnd, info.timer);
    if (tick.hide) ShowWindow(hwnd, SW_HIDE);
}

LRESULT PanelProc(const PanelInfo &info, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_APPCOMMAND:  // a media key acts as anywhere in the program
        if (g_ui.hMain) return SendMessageW(g_ui.hMain, msg, wParam, lParam);
        break;
    case WM_CREATE:
        if (info.side == PanelRight)
            for (int slot : kRightPanelSlots) CreateSkinnedButton(hwnd, slot);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd, info);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == info.timer) OnSlideTimer(hwnd, info);
        return 0;
    case WM_COMMAND:
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void CreatePanel(const PanelInfo &info) {
    RegisterProgramClass(info.className, info.proc, L"MYICON", nullptr);
    const RECT main = MainRect();
    SidePanel &panel = StateOf(info.side);
    panel.lastMainRect = main;
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, info.className, info.title, WS_POPUP,
                                PanelX(info.side, main.left, panel.slide), main.top + kPanelDrop,
                                kPanelWidth, kPanelHeight, nullptr, nullptr, g_app.hInst, nullptr);
    WindowOf(info.side) = hwnd;
    if (!hwnd) return;
    HRGN shape = CreateRectRgn(0, 0, kPanelWidth, kPanelHeight);
    HRGN bay = CreateEllipticRgn(info.bay.left, info.bay.top, info.bay.right, info.bay.bottom);
    CombineRgn(shape, shape, bay, RGN_XOR);
    DeleteObject(bay);
    SetWindowRgn(hwnd, shape, FALSE);
}

}  // namespace

LRESULT CALLBACK LeftPanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PanelProc(kPanels[0], hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK RightPanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PanelProc(kPanels[1], hwnd, msg, wParam, lParam);
}

void MakeSideWindowHolding(int slot) {
    for (int held : kRightPanelSlots)
        if (slot == held && !g_ui.hRightPanel && g_ui.hMain) CreatePanel(kPanels[1]);
}

void ToggleSidePanel(PanelSide side) {
    const PanelInfo &info = kPanels[side == PanelLeft ? 0 : 1];
    SidePanel &panel = StateOf(side);
    if (!WindowOf(side) && g_ui.hMain) CreatePanel(info);
    HWND hwnd = WindowOf(side);
    if (!hwnd) return;
    if (!panel.open) {
        panel.lastMainRect = MainRect();
        PlacePanel(side, panel.lastMainRect, SWP_SHOWWINDOW);
        panel.open = 1;
        panel.direction = SlideOpening;
    } else {
        panel.open = 0;
        panel.direction = SlideClosing;
    }
    SetButtonFace(info.tabSlot, panel.open);
    SetTimer(hwnd, info.timer, 10, nullptr);
}

void HideSidePanels() {
    if (g_ui.hLeftPanel) ShowWindow(g_ui.hLeftPanel, SW_HIDE);
    if (g_ui.hRightPanel) ShowWindow(g_ui.hRightPanel, SW_HIDE);
}

void ReattachSidePanels() {
    for (const PanelInfo &info : kPanels) {
        if (!StateOf(info.side).open || !WindowOf(info.side)) continue;
        const RECT main = MainRect();
        SetWindowPos(WindowOf(info.side), HWND_TOPMOST,
                     PanelX(info.side, main.left, StateOf(info.side).slide),
                     main.top + kPanelDrop, kPanelWidth, kPanelHeight, 0);
        ShowWindow(WindowOf(info.side), SW_SHOWNORMAL);
        SetWindowPos(g_ui.hMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}
