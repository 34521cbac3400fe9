#include "services/registry.h"

#include <vector>

#include "core/reg_value.h"

// The full-access handle of a list key; null for the other keys.
static HKEY *FullHandle(RegistryKeys &keys, int k) {
    const int list = k - kListKeyFirst;
    return list >= 0 && list < kListKeyCount ? &keys.full[list] : nullptr;
}

void OpenRegistryKey(RegistryKeys &keys, int k) {
    keys.write[k] = keys.read[k] = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kRegKeyPaths[k], 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_WRITE, nullptr, &keys.write[k], nullptr);
    RegOpenKeyExW(HKEY_CURRENT_USER, kRegKeyPaths[k], 0, KEY_READ, &keys.read[k]);
    if (HKEY *full = FullHandle(keys, k)) {
        *full = nullptr;
        RegOpenKeyExW(HKEY_CURRENT_USER, kRegKeyPaths[k], 0, KEY_ALL_ACCESS, full);
    }
}

static void CloseKey(HKEY &key) {
    if (key) RegCloseKey(key);
    key = nullptr;
}

void CloseRegistryKey(RegistryKeys &keys, int k) {
    CloseKey(keys.write[k]);
    CloseKey(keys.read[k]);
    if (HKEY *full = FullHandle(keys, k)) CloseKey(*full);
}

void OpenRegistryKeys(RegistryKeys &keys) {
    for (int k = 0; k < kRegKeyCount; ++k) OpenRegistryKey(keys, k);
}

void CloseRegistryKeys(RegistryKeys &keys) {
    for (int k = 0; k < kRegKeyCount; ++k) CloseRegistryKey(keys, k);
}

// Fetches a value's type and raw bytes, refusing values larger than maxBytes.
static bool QueryRaw(HKEY key, const wchar_t *name, size_t maxBytes, DWORD *type,
                     std::vector<uint8_t> *data) {
    if (!key) return false;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (size > maxBytes) return false;
    data->assign(size ? size : 1, 0);
    if (RegQueryValueExW(key, name, nullptr, type, data->data(), &size) != ERROR_SUCCESS)
        return false;
    data->resize(size);
    return true;
}

bool ReadDwordValue(HKEY key, const wchar_t *name, int32_t *value) {
    DWORD type = 0;
    std::vector<uint8_t> data;
    if (!QueryRaw(key, name, 4, &type, &data)) return false;
    const std::optional<int32_t> v = DecodeDword(type, data.data(), data.size());
    if (!v) return false;
    *value = *v;
    return true;
}

bool ReadTextValue(HKEY key, const wchar_t *name, wchar_t *buffer, size_t chars) {
    DWORD type = 0;
    std::vector<uint8_t> data;
    // Room for a full buffer plus terminators the writer may have padded after it.
    if (!QueryRaw(key, name, chars * sizeof(wchar_t) + 64, &type, &data)) return false;
    const std::optional<std::wstring> text = DecodeText(type, data.data(), data.size(), chars);
    if (!text) return false;
    CopyTerminated(buffer, chars, *text);
    return true;
}

bool WriteDwordValue(HKEY key, const wchar_t *name, int32_t value) {
    if (!key) return false;
    DWORD v = DWORD(value);
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v),
                          sizeof v) == ERROR_SUCCESS;
}

bool WriteFixedTextValue(HKEY key, const wchar_t *name, const wchar_t *text, DWORD storedBytes) {
    if (!key || storedBytes < sizeof(wchar_t)) return false;
    std::vector<wchar_t> buffer(storedBytes / sizeof(wchar_t), 0);
    lstrcpynW(buffer.data(), text ? text : L"", int(buffer.size()));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(buffer.data()),
                          storedBytes) == ERROR_SUCCESS;
}
