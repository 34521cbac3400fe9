#include "services/settings.h"

#include "services/registry.h"
#include "services/skin.h"

void LoadSettings(const RegistryKeys &keys, SettingsRecord &rec) {
    for (const SettingRow &row : SettingsRows(rec)) {
        HKEY key = keys.read[row.key];
        if (row.kind == SettingDword)
            ReadDwordValue(key, row.name.c_str(), row.number);
        else
            ReadTextValue(key, row.name.c_str(), row.text, size_t(row.textChars));
    }
    rec.Skin = EffectiveSkin(rec.Skin);
}

bool FirstRunDone(const RegistryKeys &keys) {
    wchar_t marker[kTextChars] = L"";
    ReadTextValue(keys.read[KeyKidou], kFirstRunValueName, marker, kTextChars);
    return lstrcmpW(marker, kFirstRunDone) == 0;
}

void WriteSettingRow(const RegistryKeys &keys, const SettingRow &row) {
    HKEY key = keys.write[row.key];
    if (row.kind == SettingDword)
        WriteDwordValue(key, row.name.c_str(), *row.number);
    else
        WriteFixedTextValue(key, row.name.c_str(), row.text, DWORD(row.storedBytes));
}

void WriteFirstRunDefaults(const RegistryKeys &keys, SettingsRecord &rec) {
    // The marker goes first, so an interrupted first run is not repeated.
    WriteFixedTextValue(keys.write[KeyKidou], kFirstRunValueName, kFirstRunDone,
                        DWORD((lstrlenW(kFirstRunDone) + 1) * sizeof(wchar_t)));
    for (const SettingRow &row : FirstRunRows(rec)) WriteSettingRow(keys, row);
}

void WriteSkin(int skin) {
    // A skin chosen again loads its bitmaps afresh: a user's file changed meanwhile shows.
    ForgetSkinBitmaps();
    g_app.settings.Skin = EffectiveSkin(skin);
    WriteDwordValue(g_app.keys.write[KeyDate], L"Skin", g_app.settings.Skin);
}

void StoreSetting(const void *field) {
    for (const SettingRow &row : SettingsRows(g_app.settings))
        if (row.number == field || row.text == field) WriteSettingRow(g_app.keys, row);
}

void StoreSkinSettings() {
    SettingsRecord &s = g_app.settings;
    for (const SettingRow &row : SettingsRows(s))
        if (row.key == KeyDate && row.number != &s.Skin) WriteSettingRow(g_app.keys, row);
}
