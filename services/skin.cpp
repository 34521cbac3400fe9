#include "shell/skin.h"

#include <string>

#include "shell/app_state.h"

const wchar_t kUserSkinFolder[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Bmp\\";

HBITMAP LoadUserSkinFile(const wchar_t *fileName) {
    const std::wstring path = std::wstring(kUserSkinFolder) + fileName;
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HBITMAP LoadBitmapResource(const wchar_t *name) { return LoadBitmapW(g_app.hInst, name); }

HBITMAP LoadMainBackground(int skin) {
    switch (EffectiveSkin(skin)) {
    case SkinCool:
        return LoadBitmapResource(L"MainWindow2");
    case SkinUser:
        if (HBITMAP file = LoadUserSkinFile(L"MainWindow.bmp")) return file;
        return LoadBitmapResource(L"MainWindow");
    default:
        return LoadBitmapResource(L"MainWindow");
    }
}
