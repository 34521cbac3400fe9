#include "services/skin.h"

#include <string>

#include "services/app_state.h"

const wchar_t kUserSkinFolder[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Bmp\\";

HBITMAP LoadUserSkinFile(const wchar_t *fileName) {
    const std::wstring path = std::wstring(kUserSkinFolder) + fileName;
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HBITMAP LoadBitmapResource(const wchar_t *name) { return LoadBitmapW(g_app.hInst, name); }

HBITMAP LoadSkinBitmap(const wchar_t *cuteResource, const wchar_t *coolResource,
                       const wchar_t *userFile) {
    switch (EffectiveSkin(g_app.settings.Skin)) {
    case SkinCool:
        return LoadBitmapResource(coolResource);
    case SkinUser:
        if (HBITMAP file = LoadUserSkinFile(userFile)) return file;
        return LoadBitmapResource(cuteResource);
    default:
        return LoadBitmapResource(cuteResource);
    }
}

HBITMAP LoadMainBackground() {
    return LoadSkinBitmap(L"MainWindow", L"MainWindow2", L"MainWindow.bmp");
}
