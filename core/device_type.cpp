#include "core/device_type.h"

const wchar_t *const kMediaExtensions[kMediaExtensionCount] = {
    L"aifc", L"aiff", L"au",  L"m3u", L"mp2",  L"mp3", L"mpa", L"snd", L"cda", L"mid",  L"rmi",
    L"midi", L"wav",  L"rm",  L"swf", L"mp4",  L"wvx", L"dat", L"vob", L"3gp", L"k3g",  L"lmp4",
    L"skm",  L"m1v",  L"m2v", L"mpg", L"mpeg", L"avi", L"aif", L"mov", L"mpe", L"mpv2", L"mp2v",
    L"qt",   L"asf",  L"lsf", L"lsx", L"wax",  L"wvx", L"wm",  L"asx", L"ivf", L"wma",  L"wmv",
    L"wmx",  L"wmp",  L"wpl", L"jpg", L"gif",  L"bmp", L"png",
};

const wchar_t kUnknownDeviceType[] = L"Non";
const wchar_t kUnmappedDeviceType[] = L"non";

namespace {

std::wstring UpperAscii(std::wstring text) {
    for (wchar_t &c : text)
        if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
    return text;
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

std::wstring FileNameOf(const std::wstring &path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring MediaTableEntry(const std::wstring &path) {
    const std::wstring name = FileNameOf(path);
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    const std::wstring extension = name.substr(dot + 1);
    for (const wchar_t *lower : kMediaExtensions) {
        if (extension == lower) return extension;
        if (extension == UpperAscii(lower)) return extension;
    }
    return std::wstring();
}

std::wstring DeviceTypeText(const std::wstring &systemDeviceName) {
    return systemDeviceName.empty() ? std::wstring(kUnmappedDeviceType) : systemDeviceName;
}

bool IsPlainFullPath(const std::wstring &path) {
    size_t rest; // where the part that may not hold a ":" begins
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') {
        rest = 3;
    } else if (path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\' &&
               path[2] != L'?' && path[2] != L'.') {
        rest = 2; // a share, not a "\\?\" or "\\.\" device path
    } else {
        return false;
    }
    return path.find_first_of(L":*?\"<>|", rest) == std::wstring::npos;
}

ShellVerb ShellHandOffFor(const std::wstring &path, PathKind kind) {
    if (!IsPlainFullPath(path)) return ShellVerb::Refuse;
    switch (kind) {
    case PathKind::Folder:
        return ShellVerb::Explore;
    case PathKind::File:
        return MediaTableEntry(path).empty() ? ShellVerb::Refuse : ShellVerb::Open;
    case PathKind::Missing:
        break;
    }
    return ShellVerb::Refuse;
}

const wchar_t *ShellVerbText(ShellVerb verb) {
    switch (verb) {
    case ShellVerb::Open:
        return L"open";
    case ShellVerb::Explore:
        return L"explore";
    case ShellVerb::Refuse:
        break;
    }
    return nullptr;
}
