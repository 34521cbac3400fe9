#include "services/skin.h"

#include <map>
#include <string>

#include "services/app_state.h"

const wchar_t kUserSkinFolder[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Bmp\\";

HBITMAP LoadUserSkinFile(const wchar_t *fileName) {
    const std::wstring path = std::wstring(kUserSkinFolder) + fileName;
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

// As a section of device-independent bits, as the user's own skin files are: Wine converts a
// resource to a device bitmap at about half a millisecond each (the main window alone draws
// twenty-seven at start-up), against a tenth of that for a section.
HBITMAP LoadBitmapResource(const wchar_t *name) {
    return static_cast<HBITMAP>(
        LoadImageW(g_app.hInst, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

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

namespace {

// The bitmaps loaded for the skin in `skin`, by what names them.
struct KeptBitmaps {
    int skin = -1;
    std::map<std::wstring, HBITMAP> bitmaps;
};

KeptBitmaps g_kept;

KeptBitmaps &Kept() {
    const int skin = EffectiveSkin(g_app.settings.Skin);
    if (g_kept.skin != skin) {
        ForgetSkinBitmaps();
        g_kept.skin = skin;
    }
    return g_kept;
}

// A bitmap that does not load is remembered as missing too, and not looked for again.
template <class Load> HBITMAP KeptBitmap(const std::wstring &key, Load load) {
    KeptBitmaps &kept = Kept();
    auto found = kept.bitmaps.find(key);
    if (found != kept.bitmaps.end()) return found->second;
    HBITMAP bitmap = load();
    kept.bitmaps[key] = bitmap;
    return bitmap;
}

std::wstring Name(const wchar_t *text) { return text ? text : L""; }

}  // namespace

HBITMAP SkinBitmap(const wchar_t *cuteResource, const wchar_t *coolResource,
                   const wchar_t *userFile) {
    return KeptBitmap(Name(cuteResource) + L'|' + Name(coolResource) + L'|' + Name(userFile),
                      [&] { return LoadSkinBitmap(cuteResource, coolResource, userFile); });
}

HBITMAP ResourceBitmap(const wchar_t *name) {
    return KeptBitmap(L"|" + Name(name), [&] { return LoadBitmapResource(name); });
}

HBITMAP MainBackground() {
    return SkinBitmap(L"MainWindow", L"MainWindow2", L"MainWindow.bmp");
}

void ForgetSkinBitmaps() {
    for (auto &kept : g_kept.bitmaps)
        if (kept.second) DeleteObject(kept.second);
    g_kept.bitmaps.clear();
    g_kept.skin = -1;
}
