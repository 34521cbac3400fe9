// The two backup commands: "保存" and "読み込み" of the settings page and of the pop-up menu.
#pragma once

#include <windows.h>

// Asks for a folder and writes a "MireloSave" backup into it.
void BackupWithFolderBrowser(HWND owner);

// Asks for a "MireloSave" folder and restores it; the list, the buttons and the colours show
// the restored state at once.
void RestoreWithFolderBrowser(HWND owner);

// Shows the state in memory after a restore: the current genre's list, every button at its
// position, the main window's text colours.
void ShowRestoredState();
