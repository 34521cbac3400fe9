// The settings dialog "セッティング": a tab control over the settings pages. The Setting
// button opens it on one press and destroys it on the next; its face shows it is open.
#pragma once

#include <windows.h>

// Makes and shows the dialog with all its pages; false when it could not be made.
bool OpenSettingsDialog();

// Destroys the dialog and its pages (nothing happens when it is closed).
void CloseSettingsDialog();

// The page made from that dialog resource, while the settings dialog exists; else null.
HWND SettingsPage(int dialogId);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
