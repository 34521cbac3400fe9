// Choosing bitmaps by skin: program resources, or files of the user's own skin.
#pragma once

#include <windows.h>

// The folder of the user-defined skin's bitmap files.
extern const wchar_t kUserSkinFolder[];

// Loads a bitmap from the user's skin folder; null when the file is missing or unreadable.
HBITMAP LoadUserSkinFile(const wchar_t *fileName);

// Loads a bitmap resource of the program by name.
HBITMAP LoadBitmapResource(const wchar_t *name);

// The main window's background for the skin: MainWindow, MainWindow2, or the user's file.
HBITMAP LoadMainBackground(int skin);
