#include "services/short_path.h"

#include <windows.h>

#include <vector>

std::wstring ShortPathOf(const std::wstring &path) {
    const DWORD need = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (need == 0) return std::wstring();
    std::vector<wchar_t> text(need + 1, L'\0');
    const DWORD got = GetShortPathNameW(path.c_str(), text.data(), need + 1);
    if (got == 0 || got > need) return std::wstring();
    return std::wstring(text.data(), got);
}

std::wstring CreateForShortPath(const std::wstring &path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::wstring();
    CloseHandle(file);
    return ShortPathOf(path);
}
