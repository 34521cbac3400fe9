#include "services/media_device.h"

#include <cwchar>
#include <vector>

#include "services/app_state.h"
#include "services/registry.h"

namespace {

const wchar_t kMciExtensionsKey[] =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions";
const wchar_t kMediaDeviceType[] = L"mpegvideo";
const wchar_t kMediaAlias[] = L"music";

enum { kSystemDeviceNameChars = 64 / 2 }; // the system's name is read into 64 bytes

VideoWindowListener g_videoListener;

MCIDEVICEID Device() {
    return g_app.openParms.wDeviceID;
}

bool Send(UINT command, DWORD flags, void *parms) {
    if (!Device()) return false;
    return mciSendCommandW(Device(), command, flags, reinterpret_cast<DWORD_PTR>(parms)) == 0;
}

// The system's device name for a table extension; empty when the key or value is missing,
// not text, or longer than the buffer.
std::wstring SystemDeviceName(const std::wstring &extension) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMciExtensionsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::wstring();
    wchar_t name[kSystemDeviceNameChars] = L"";
    if (!ReadTextValue(key, extension.c_str(), name, kSystemDeviceNameChars)) name[0] = L'\0';
    RegCloseKey(key);
    return name;
}

bool SendOpen() {
    MCI_DGV_OPEN_PARMSW &parms = g_app.openParms;
    lstrcpynW(g_app.deviceType, kMediaDeviceType, ARRAYSIZE(g_app.deviceType));
    lstrcpynW(g_app.alias, kMediaAlias, ARRAYSIZE(g_app.alias));
    parms = MCI_DGV_OPEN_PARMSW();
    parms.dwCallback = reinterpret_cast<DWORD_PTR>(g_app.hPlay);
    parms.lpstrDeviceType = g_app.deviceType;
    parms.lpstrElementName = &g_app.mediaPath[0];
    parms.lpstrAlias = g_app.alias;
    parms.dwStyle = WS_CHILD;
    parms.hWndParent = g_app.hPlay;
    const DWORD flags =
        MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS;
    if (mciSendCommandW(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&parms)) == 0) return true;
    // No identifier survives a failed open, so no later command can reach another device.
    parms.wDeviceID = 0;
    return false;
}

std::vector<HWND> ChildrenOfParent() {
    std::vector<HWND> children;
    if (!g_app.hPlay) return children;
    for (HWND w = GetWindow(g_app.hPlay, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        children.push_back(w);
    return children;
}

// The device puts its picture in a new child of the parent window: only a window the open
// itself made is taken, so no other child of the parent is ever taken for the picture.
void RecordVideoWindow(const std::vector<HWND> &before) {
    for (HWND child : ChildrenOfParent()) {
        bool old = false;
        for (HWND w : before) old = old || w == child;
        if (old) continue;
        g_app.hVideo = child;
        if (g_videoListener.attached) g_videoListener.attached(child);
        return;
    }
}

void SetMillisecondFormat() {
    MCI_SET_PARMS set = {};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    Send(MCI_SET, MCI_SET_TIME_FORMAT, &set);
}

// A device that did not open answers nothing, so the previous length stays.
void QueryLength() {
    DWORD length = 0;
    if (DeviceStatus(MCI_STATUS_LENGTH, &length)) g_app.lengthMs = length;
}

PathKind KindOfPath(const wchar_t *path) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

} // namespace

std::wstring ResolveDeviceType(const wchar_t *path, HWND window) {
    const std::wstring entry = MediaTableEntry(path ? path : L"");
    if (entry.empty()) return kUnknownDeviceType;
    if (window) ShowWindow(window, SW_SHOW);
    return DeviceTypeText(SystemDeviceName(entry));
}

void OpenMedia(const wchar_t *path) {
    CloseMedia();
    const size_t length = path ? wcsnlen(path, kTextChars) : 0;
    // A path the program's buffers would cut names another file: it is not opened.
    g_app.mediaPath = length < size_t(kTextChars) && path ? path : L"";
    lstrcpynW(g_app.currentTypeText,
              ResolveDeviceType(g_app.mediaPath.c_str(), g_app.hPlay).c_str(),
              ARRAYSIZE(g_app.currentTypeText));
    for (int attempt = 0; attempt < 2 && !g_app.mediaPath.empty(); ++attempt) {
        const std::vector<HWND> before = ChildrenOfParent();
        if (SendOpen()) {
            RecordVideoWindow(before);
            break;
        }
    }
    if (!Device()) lstrcpynW(g_app.deviceType, kUnknownDeviceType, ARRAYSIZE(g_app.deviceType));
    SetMillisecondFormat();
    QueryLength();
}

bool MediaIsOpen() {
    return g_app.deviceType[0] && lstrcmpW(g_app.deviceType, kUnknownDeviceType) != 0;
}

void CloseMedia() {
    if (g_app.hVideo && g_videoListener.detaching) g_videoListener.detaching(g_app.hVideo);
    g_app.hVideo = nullptr;
    MCI_GENERIC_PARMS parms = {};
    Send(MCI_CLOSE, 0, &parms);
    g_app.openParms.wDeviceID = 0;
    // Whatever was seen of the last media belongs to it alone.
    g_app.lastPlayingPositionMs = 0;
}

void SetVideoWindowListener(const VideoWindowListener &listener) {
    g_videoListener = listener;
}

// Every command carries a parameter block, even without flags: some devices refuse a null one.
bool DevicePlay() {
    MCI_PLAY_PARMS play = {};
    return Send(MCI_PLAY, 0, &play);
}

bool DevicePlayFrom(DWORD ms) {
    MCI_PLAY_PARMS play = {};
    play.dwFrom = ms;
    return Send(MCI_PLAY, MCI_FROM, &play);
}

bool DeviceStop() {
    MCI_GENERIC_PARMS parms = {};
    return Send(MCI_STOP, 0, &parms);
}

bool DeviceSeekToStart() {
    MCI_SEEK_PARMS seek = {};
    return Send(MCI_SEEK, MCI_SEEK_TO_START, &seek);
}

bool DeviceSeekTo(DWORD ms) {
    MCI_SEEK_PARMS seek = {};
    seek.dwTo = ms;
    return Send(MCI_SEEK, MCI_TO, &seek);
}

bool DeviceStatus(DWORD item, DWORD *value) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = item;
    if (!Send(MCI_STATUS, MCI_STATUS_ITEM, &status)) return false;
    *value = DWORD(status.dwReturn);
    return true;
}

bool DeviceCommand(const wchar_t *verb, const wchar_t *rest) {
    if (!Device()) return false;
    const std::wstring command = std::wstring(verb) + L" " + g_app.alias + L" " + rest;
    return mciSendStringW(command.c_str(), nullptr, 0, nullptr) == 0;
}

ShellVerb ShellHandOffForPath(const wchar_t *path) {
    if (!path) return ShellVerb::Refuse;
    return ShellHandOffFor(std::wstring(path), KindOfPath(path));
}

bool HandToShell(const wchar_t *path) {
    const ShellVerb verb = ShellHandOffForPath(path);
    if (verb == ShellVerb::Refuse) return false;
    HWND owner = verb == ShellVerb::Explore ? g_app.hPlay : nullptr;
    ShellExecuteW(owner, ShellVerbText(verb), path, nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}
