// Choosing bitmaps by skin: program resources, or files of the user's own skin.
#pragma once

#include <windows.h>

// The folder of the user-defined skin's bitmap files.
extern const wchar_t kUserSkinFolder[];

// Loads a bitmap from the user's skin folder; null when the file is missing or unreadable.
HBITMAP LoadUserSkinFile(const wchar_t *fileName);

// Loads a bitmap resource of the program by name.
HBITMAP LoadBitmapResource(const wchar_t *name);

// The bitmap of the skin in force: the user's file under the user-defined skin when it loads,
// otherwise the cute or the cool resource (the cute one for the user-defined skin).
HBITMAP LoadSkinBitmap(const wchar_t *cuteResource, const wchar_t *coolResource,
                       const wchar_t *userFile);

// The main window's background for the skin in force.
HBITMAP LoadMainBackground();

// The same bitmaps, kept loaded: each is loaded at its first use and stays until the skin in
// force changes or ForgetSkinBitmaps is called. The caller draws with them and never deletes
// them.
HBITMAP SkinBitmap(const wchar_t *cuteResource, const wchar_t *coolResource,
                   const wchar_t *userFile);
HBITMAP ResourceBitmap(const wchar_t *name);
HBITMAP MainBackground();

// Deletes every kept bitmap, so the next use loads them again (the user's files included).
void ForgetSkinBitmaps();
