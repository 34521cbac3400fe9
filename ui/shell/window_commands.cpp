#include "shell/window_commands.h"

#include "audio/cd_tray.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/command_table.h"
#include "shell/playback_window.h"
#include "shell/settings.h"
#include "shell/skinned_button.h"

namespace {

struct TrayIconInfo {
    UINT id;
    UINT callback;
    const wchar_t *icon;
    const wchar_t *tip;
};
const TrayIconInfo kTrayIcons[kTrayIconCount] = {
    {IDI_TRAY_MAIN, WM_TRAY_MAIN, L"MYICON", L"Mirelo"},
    {IDI_TRAY_STOCK, WM_TRAY_STOCK, L"Stock", L"Stock"},
    {IDI_TRAY_PLAY, WM_TRAY_PLAY, L"Play", L"Play"},
};

void HideSidePanelsClosed() {
    for (HWND panel : {g_app.hLeftPanel, g_app.hRightPanel})
        if (panel) ShowWindow(panel, SW_HIDE);
    g_app.left.open = 0;
    g_app.right.open = 0;
    if (g_app.hLeftPanel) InvalidateRect(g_app.hLeftPanel, nullptr, TRUE);
}

void MainToTray() {
    HideSidePanelsClosed();
    AddTrayIcon(TrayMain, g_app.hMain);
    ShowWindow(g_app.hMain, SW_HIDE);
}

void ToTray(int which, HWND window) {
    if (!window) return;
    AddTrayIcon(which, window);
    ShowWindow(window, SW_HIDE);
}

void ToBar(int which, HWND window) {
    if (window) CloseWindow(window);
    DeleteTrayIcon(which);
}

void ChangeSkin(int skin) {
    WriteSkin(skin);
    for (HWND w : {g_app.hMain, g_app.hLeftPanel, g_app.hRightPanel})
        if (w) InvalidateRect(w, nullptr, FALSE);
}

void Magnify(int amount) {
    HWND video = VideoDisplayWindow();
    RECT client = {};
    if (video) GetClientRect(video, &client);
    g_app.zoom = amount;
    const DestinationRect d = MagnifiedDestination(client.right, client.bottom, amount);
    wchar_t command[96];
    wsprintfW(command, L"put music destination at %d %d %d %d", d.x, d.y, d.width, d.height);
    mciSendStringW(command, nullptr, 0, nullptr);
}

bool PerformWindowAction(WindowAction action) {
    switch (action) {
    case WindowAction::MainToTray:
        MainToTray();
        return true;
    case WindowAction::MainToBar:
        ToBar(TrayMain, g_app.hMain);
        return true;
    case WindowAction::PlaybackToTray:
        ToTray(TrayPlay, g_app.hPlay);
        return true;
    case WindowAction::PlaybackToBar:
        ToBar(TrayPlay, g_app.hPlay);
        return true;
    case WindowAction::StockToTray:
        ToTray(TrayStock, g_app.hStock);
        return true;
    case WindowAction::StockToBar:
        ToBar(TrayStock, g_app.hStock);
        return true;
    case WindowAction::AllToTray:
        MainToTray();
        ToTray(TrayPlay, g_app.hPlay);
        return true;
    case WindowAction::SkinCute:
        ChangeSkin(SkinCute);
        return true;
    case WindowAction::SkinCool:
        ChangeSkin(SkinCool);
        return true;
    case WindowAction::SkinUser:
        ChangeSkin(SkinUser);
        return true;
    case WindowAction::None:
        break;
    }
    return false;
}

HMENU LoadPopup(HMENU *menu) {
    *menu = LoadMenuW(g_app.hInst, MAKEINTRESOURCEW(IDM_POPUP));
    return *menu ? GetSubMenu(*menu, 0) : nullptr;
}

}  // namespace

void AddTrayIcon(int which, HWND owner) {
    const TrayIconInfo &info = kTrayIcons[which];
    NOTIFYICONDATAW &record = g_app.tray[which];
    ZeroMemory(&record, sizeof record);
    record.cbSize = sizeof record;
    record.hWnd = owner;
    record.uID = info.id;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = info.callback;
    record.hIcon = LoadIconW(g_app.hInst, info.icon);
    lstrcpynW(record.szTip, info.tip, ARRAYSIZE(record.szTip));
    Shell_NotifyIconW(NIM_ADD, &record);
}

void DeleteTrayIcon(int which) {
    NOTIFYICONDATAW &record = g_app.tray[which];
    if (record.cbSize) Shell_NotifyIconW(NIM_DELETE, &record);
    record.cbSize = 0;  // deleting an icon that is not there does nothing
}

void PerformMainCommand(int command) {
    if (HandleTrayCommand(command)) return;
    const int slot = SlotForCommand(command);
    if (slot >= 0) {
        PressButton(slot);
        return;
    }
    if (PerformWindowAction(ActionForCommand(command))) return;
    const int zoom = ZoomAmountForCommand(command);
    if (zoom >= 0) Magnify(zoom);
}

void PerformPlaybackCommand(int command) {
    switch (command) {
    case ID_MAIN_TO_TRAY:
        ToTray(TrayMain, g_app.hPlay);
        return;
    case ID_MAIN_TO_BAR:
        ToBar(TrayMain, g_app.hPlay);
        return;
    case ID_ALL_TO_TRAY:
        ToTray(TrayMain, g_app.hPlay);
        AddTrayIcon(TrayPlay, g_app.hPlay);
        return;
    default:
        PerformMainCommand(command);
    }
}

HMENU BuildBodyMenu(HWND owner, HMENU *menu) {
    HMENU popup = LoadPopup(menu);
    if (popup) BuildTrayMenuEntries(popup, owner);
    return popup;
}

HMENU BuildTrayIconMenu(HMENU *menu) {
    HMENU popup = LoadPopup(menu);
    if (popup && !(g_app.hPlay && IsWindow(g_app.hPlay))) {
        EnableMenuItem(popup, ID_FULL, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(popup, ID_PLAY_TO_BAR, MF_BYCOMMAND | MF_GRAYED);
    }
    return popup;
}

void ShowBodyMenu(HWND owner, POINT screen) {
    HMENU menu = nullptr;
    if (HMENU popup = BuildBodyMenu(owner, &menu))
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, owner, nullptr);
    if (menu) DestroyMenu(menu);
}

void ShowTrayIconMenu(HWND owner) {
    HMENU menu = nullptr;
    HMENU popup = BuildTrayIconMenu(&menu);
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(owner);
    if (popup)
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, owner,
                       nullptr);
    if (menu) DestroyMenu(menu);
}
