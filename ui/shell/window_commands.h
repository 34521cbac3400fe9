// The commands of the main window's menu and accelerators: button presses, the notification
// area and task bar, the skin, the magnifier; and the pop-up menus that offer them.
#pragma once

#include <windows.h>

// Every command of menu 150 and the accelerators, as the main window performs it.
void PerformMainCommand(int command);

// The playback window's and the video window's commands: as the main window's, except that
// the main window's tray commands act on the playback window itself.
void PerformPlaybackCommand(int command);

// Menu 150's pop-up with the drive items in place of the tray-close item (the caller destroys
// the whole menu returned in *menu).
HMENU BuildBodyMenu(HWND owner, HMENU *menu);
// Menu 150's pop-up for the notification area: no drive items; the playback window's items
// greyed when it does not exist.
HMENU BuildTrayIconMenu(HMENU *menu);

// Shows the body pop-up with its top-left corner at `screen`, owned by `owner`.
void ShowBodyMenu(HWND owner, POINT screen);
// Shows the notification-area pop-up with its bottom edge at the cursor.
void ShowTrayIconMenu(HWND owner);

// The notification-area icons of the three windows: one record for each window and icon.
void AddTrayIcon(int which, HWND owner);
void DeleteTrayIcon(int which, HWND owner);
void DeleteAllTrayIcons();
