#include "core/settings_table.h"

#include <cstring>
#include <cwchar>

#include "core/button_table.h"

const wchar_t *const kRegKeyPaths[kRegKeyCount] = {
    L"Software\\Mirelo\\Setting\\date",      L"Software\\Mirelo\\Setting\\Cap",
    L"Software\\Mirelo\\Setting\\Genre",     L"Software\\Mirelo\\Setting\\Kidou",
    L"Software\\Mirelo\\Setting\\FileTitle", L"Software\\Mirelo\\Setting\\FileTime",
    L"Software\\Mirelo\\Setting\\FileTipe",  L"Software\\Mirelo\\Setting\\FilePath",
    L"Software\\Mirelo\\Setting\\FilePos",
};

const wchar_t kFirstRunValueName[] = L"初回書き込み";
const wchar_t kFirstRunDone[] = L"YES";

namespace {

const wchar_t *const kDefaultGenres[kGenreCount] = {
    L"アニメ", L"ドラマ", L"スポーツ", L"音楽",     L"ペットと動物", L"ゲーム",
    L"面白",   L"ニュース", L"車",     L"バイク",   L"政治経済",     L"教養生活",
    L"映画",   L"教育",   L"旅行",     L"エンタ",   L"軍事",         L"科学",
    L"ラジオ", L"音声",   L"CM",       L"イベント",
};

struct StatusTextDefault {
    int r, g, b, x, y;
};
const StatusTextDefault kStatusDefaults[kStatusTextCount] = {
    {61, 1, 255, 160, 56},    {61, 1, 255, 235, 81},    {61, 1, 255, 176, 81},
    {255, 105, 105, 170, 36}, {255, 0, 0, 140, 81},     {255, 0, 0, 220, 81},
    {255, 155, 0, 85, 237},   {255, 155, 0, 80, 261},   {255, 155, 0, 168, 281},
};

// The maker's home page, opened by the globe button until the user sets another.
const wchar_t kDefaultUrl[] = L"https://www.oakhollow.jp/mirelo/";

SettingRow Dword(RegKey key, std::wstring name, int32_t *field) {
    return SettingRow{key, std::move(name), SettingDword, field, nullptr, 0, 0};
}

SettingRow Text(RegKey key, std::wstring name, wchar_t *buffer, int chars, int storedBytes) {
    return SettingRow{key, std::move(name), SettingText, nullptr, buffer, chars, storedBytes};
}

std::wstring GenreValueName(int n) { return L"Genre" + std::to_wstring(n); }

void AddGenreRows(std::vector<SettingRow> &rows, SettingsRecord &rec) {
    // Each genre name is stored as its whole 260-character slot.
    for (int n = 0; n < kGenreCount; ++n)
        rows.push_back(Text(KeyGenre, GenreValueName(n), rec.Genre[n], kTextChars,
                            kTextChars * 2));
}

}  // namespace

std::wstring ColourValueName(int n, int component) {
    return L"RGB" + std::to_wstring(n) + L"_" + std::to_wstring(component);
}

std::vector<SettingRow> SettingsRows(SettingsRecord &rec) {
    std::vector<SettingRow> rows;
    rows.push_back(Dword(KeyCap, L"CapWidth", &rec.CapWidth));
    rows.push_back(Dword(KeyCap, L"CapHight", &rec.CapHight));
    rows.push_back(Dword(KeyDate, L"Skin", &rec.Skin));
    rows.push_back(Dword(KeyCap, L"Capture", &rec.Capture));
    for (int c = 0; c < 3; ++c)
        for (int n = 1; n <= kStatusTextCount; ++n)
            rows.push_back(Dword(KeyDate, ColourValueName(n, c), &rec.rgb[n - 1][c]));
    AddGenreRows(rows, rec);
    for (int c = 0; c < 2; ++c)
        for (const ButtonPlacement &p : kButtonPlacements) {
            ButtonPos &pos = rec.buttons[p.slot];
            rows.push_back(Dword(KeyDate, p.stem + std::to_wstring(c), c == 0 ? &pos.x : &pos.y));
        }
    for (int n = 0; n < kStatusTextCount; ++n) {
        const std::wstring index = L"[" + std::to_wstring(n) + L"]";
        rows.push_back(Dword(KeyDate, L"nMWText_X" + index, &rec.nMWText_X[n]));
        rows.push_back(Dword(KeyDate, L"nMWText_Y" + index, &rec.nMWText_Y[n]));
    }
    rows.push_back(Text(KeyDate, L"URL", rec.URL, kUrlChars, kUrlChars));
    return rows;
}

std::vector<SettingRow> FirstRunRows(SettingsRecord &rec) {
    std::vector<SettingRow> rows;
    rows.push_back(Dword(KeyCap, L"Capture", &rec.Capture));
    rows.push_back(Dword(KeyCap, L"CapWidth", &rec.CapWidth));
    rows.push_back(Dword(KeyCap, L"CapHight", &rec.CapHight));
    rows.push_back(Dword(KeyDate, L"Skin", &rec.Skin));
    AddGenreRows(rows, rec);
    return rows;
}

void SetDefaultSettings(SettingsRecord &rec) {
    std::memset(&rec, 0, sizeof rec);
    rec.Skin = SkinCute;
    rec.Capture = 0;
    rec.CapWidth = 60;
    rec.CapHight = 40;
    for (int n = 0; n < kStatusTextCount; ++n) {
        const StatusTextDefault &d = kStatusDefaults[n];
        rec.rgb[n][0] = d.r;
        rec.rgb[n][1] = d.g;
        rec.rgb[n][2] = d.b;
        rec.nMWText_X[n] = d.x;
        rec.nMWText_Y[n] = d.y;
    }
    for (const ButtonPlacement &p : kButtonPlacements) rec.buttons[p.slot] = {p.x, p.y};
    std::wcsncpy(rec.URL, kDefaultUrl, kUrlChars - 1);
    for (int n = 0; n < kGenreCount; ++n)
        std::wcsncpy(rec.Genre[n], kDefaultGenres[n], kTextChars - 1);
}
