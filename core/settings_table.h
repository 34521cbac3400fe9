// Where every setting lives in the registry, as one table, and the built-in defaults.
// Builds natively: no platform types here.
#pragma once

#include <string>
#include <vector>

#include "core/settings_record.h"

// The nine keys under HKEY_CURRENT_USER.
enum RegKey : int {
    KeyDate,
    KeyCap,
    KeyGenre,
    KeyKidou,
    KeyFileTitle,
    KeyFileTime,
    KeyFileTipe,
    KeyFilePath,
    KeyFilePos,  // where each stock entry was left, beside the four list keys
    kRegKeyCount,
};
enum { kListKeyFirst = KeyFileTitle, kListKeyCount = 4 };

extern const wchar_t *const kRegKeyPaths[kRegKeyCount];

// The first-run marker in the Kidou key and the value it holds once set-up is done.
extern const wchar_t kFirstRunValueName[];
extern const wchar_t kFirstRunDone[];

enum SettingKind { SettingDword, SettingText };

struct SettingRow {
    RegKey key;
    std::wstring name;
    SettingKind kind;
    int32_t *number;      // SettingDword
    wchar_t *text;        // SettingText
    int textChars;        // buffer size in UTF-16 units, terminator included
    int storedBytes;      // the fixed data length a writer uses (0 for DWORDs)
};

// Every stored setting of rec, in the order the program loads them at start.
std::vector<SettingRow> SettingsRows(SettingsRecord &rec);

// Only the values the first run writes: Capture, CapWidth, CapHight, Skin, Genre0..21.
std::vector<SettingRow> FirstRunRows(SettingsRecord &rec);

// The built-in defaults.
void SetDefaultSettings(SettingsRecord &rec);

// Name of a status-text colour component: RGB<n>_<c>, n = 1..9, c = 0..2.
std::wstring ColourValueName(int n, int component);
