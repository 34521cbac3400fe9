// Backup of the stock lists, colours, positions and home page to a folder, and restore.
#pragma once

#include <windows.h>

void BackupWithFolderBrowser(HWND owner);
void RestoreWithFolderBrowser(HWND owner);
