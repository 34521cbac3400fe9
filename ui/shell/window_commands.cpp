#include "ui/shell/window_commands.h"

#include "services/cd_tray.h"
#include "services/media_device.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "core/command_table.h"
#include "core/cd_commands.h"
#include "ui/playback/playback_window.h"
#include "services/settings.h"
#include "ui/shell/skinned_button.h"
#include "ui/settings/backup_restore.h"

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

// The side windows go with the main window: hidden, closed, their tabs back to normal.
void CloseSidePanelsWithMain() {
    for (HWND panel : {g_ui.hLeftPanel, g_ui.hRightPanel})
        if (panel) ShowWindow(panel, SW_HIDE);
    g_ui.left.open = 0;
    g_ui.right.open = 0;
    SetButtonFace(SlotLeftTab, 0);
    SetButtonFace(SlotRightTab, 0);
}

void ToTray(int which, HWND window) {
    if (!window) return;
    if (window == g_ui.hMain) CloseSidePanelsWithMain();
    AddTrayIcon(which, window);
    ShowWindow(window, SW_HIDE);
}

void ToBar(int which, HWND window) {
    if (!window) return;
    if (window == g_ui.hMain) CloseSidePanelsWithMain();
    CloseWindow(window);
    DeleteTrayIcon(which, window);
}

// One item per CD drive in front of the tray-close item, which then goes.
void BuildTrayMenuEntries(HMENU popup, HWND owner) {
    for (int drive : ProbeCdDrives(true)) {
        std::wstring label = DriveItemLabel(drive);
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
        item.fType = MFT_STRING;
        item.wID = UINT(DriveCommand(drive));
        item.dwTypeData = &label[0];
        InsertMenuItemW(popup, ID_TRAY_CLOSE, FALSE, &item);
        DrawMenuBar(owner);
    }
    DeleteMenu(popup, ID_TRAY_CLOSE, MF_BYCOMMAND);
}

void ChangeSkin(int skin) {
    WriteSkin(skin);
    for (HWND w : {g_ui.hMain, g_ui.hLeftPanel, g_ui.hRightPanel})
        if (w) InvalidateRect(w, nullptr, FALSE);
}

void Magnify(int amount) {
    HWND video = MediaVideoWindow();
    RECT client = {};
    if (video) GetClientRect(video, &client);
    g_ui.zoom = amount;
    const DestinationRect d = MagnifiedDestination(client.right, client.bottom, amount);
    wchar_t where[96];
    wsprintfW(where, L"destination at %d %d %d %d", d.x, d.y, d.width, d.height);
    DeviceCommand(L"put", where);
}

bool PerformWindowAction(WindowAction action) {
    switch (action) {
    case WindowAction::MainToTray:
        ToTray(TrayMain, g_ui.hMain);
        return true;
    case WindowAction::MainToBar:
        ToBar(TrayMain, g_ui.hMain);
        return true;
    case WindowAction::PlaybackToTray:
        ToTray(TrayPlay, g_ui.hPlay);
        return true;
    case WindowAction::PlaybackToBar:
        ToBar(TrayPlay, g_ui.hPlay);
        return true;
    case WindowAction::StockToTray:
        ToTray(TrayStock, g_ui.hStock);
        return true;
    case WindowAction::StockToBar:
        ToBar(TrayStock, g_ui.hStock);
        return true;
    case WindowAction::AllToTray:
        ToTray(TrayMain, g_ui.hMain);
        ToTray(TrayPlay, g_ui.hPlay);
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

// One record per window and icon: the main window and the playback window may both show
// icon 300, and each is deleted by its own window.
static NOTIFYICONDATAW *FindTrayIcon(UINT id, HWND owner) {
    for (NOTIFYICONDATAW &record : g_ui.trayIcons)
        if (record.uID == id && record.hWnd == owner) return &record;
    return nullptr;
}

void AddTrayIcon(int which, HWND owner) {
    const TrayIconInfo &info = kTrayIcons[which];
    if (FindTrayIcon(info.id, owner)) return;  // already there
    NOTIFYICONDATAW record = {};
    record.cbSize = sizeof record;
    record.hWnd = owner;
    record.uID = info.id;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = info.callback;
    record.hIcon = LoadIconW(g_app.hInst, info.icon);
    lstrcpynW(record.szTip, info.tip, ARRAYSIZE(record.szTip));
    Shell_NotifyIconW(NIM_ADD, &record);
    g_ui.trayIcons.push_back(record);
}

void DeleteTrayIcon(int which, HWND owner) {
    std::vector<NOTIFYICONDATAW> &icons = g_ui.trayIcons;
    for (size_t i = 0; i < icons.size(); ++i) {
        if (icons[i].uID != kTrayIcons[which].id || icons[i].hWnd != owner) continue;
        Shell_NotifyIconW(NIM_DELETE, &icons[i]);
        icons.erase(icons.begin() + long(i));
        return;
    }
}

void DeleteAllTrayIcons() {
    for (NOTIFYICONDATAW &record : g_ui.trayIcons) Shell_NotifyIconW(NIM_DELETE, &record);
    g_ui.trayIcons.clear();
}

void PerformMainCommand(int command) {
    if (HandleTrayCommand(command)) return;
    if (command == ID_BACKUP_SAVE || command == ID_BACKUP_RESTORE) {
        if (command == ID_BACKUP_SAVE) BackupWithFolderBrowser(g_ui.hMain);
        else RestoreWithFolderBrowser(g_ui.hMain);
        return;
    }
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
        ToTray(TrayMain, g_ui.hPlay);
        return;
    case ID_MAIN_TO_BAR:
        ToBar(TrayMain, g_ui.hPlay);
        return;
    case ID_ALL_TO_TRAY:
        ToTray(TrayMain, g_ui.hPlay);
        AddTrayIcon(TrayPlay, g_ui.hPlay);
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
    if (popup && !(g_ui.hPlay && IsWindow(g_ui.hPlay))) {
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
    // Without a message of its own after the menu, a menu opened from the notification area
    // stays open when the user clicks elsewhere.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (menu) DestroyMenu(menu);
}
