#include "playback/media_device.h"

#include "shell/app_state.h"
#include "shell/playback_window.h"
#include "shell/registry.h"

#include <algorithm>
#include <vector>

namespace {

const wchar_t kMciExtensionsKey[] =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions";
const wchar_t kMediaDeviceType[] = L"mpegvideo";
const wchar_t kMediaAlias[] = L"music";

enum { kSystemDeviceNameChars = 64 / 2 }; // the system's name is read into 64 bytes

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

// The children of the playback window that follow the stock window.
std::vector<HWND> ChildrenAfterStock() {
    std::vector<HWND> children;
    if (!g_app.hPlay) return children;
    for (HWND w = FindWindowExW(g_app.hPlay, g_app.hStock, nullptr, nullptr); w;
         w = FindWindowExW(g_app.hPlay, w, nullptr, nullptr))
        children.push_back(w);
    return children;
}

// The device puts its picture in a new child of the playback window, after the stock window.
// Only a window the open itself made is taken, so no other child of the playback window is
// ever taken for the picture. Its procedure is replaced once.
void AttachVideoWindow(const std::vector<HWND> &before) {
    for (HWND video : ChildrenAfterStock()) {
        if (std::find(before.begin(), before.end(), video) != before.end()) continue;
        g_app.hVideo = video;
        const WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(video, GWLP_WNDPROC));
        if (current == VideoWindowProc) return;
        g_app.videoOldProc = current;
        SetWindowLongPtrW(video, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(VideoWindowProc));
        return;
    }
}

void DetachVideoWindow() {
    if (g_app.hVideo && IsWindow(g_app.hVideo) && g_app.videoOldProc)
        SetWindowLongPtrW(g_app.hVideo, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(g_app.videoOldProc));
    g_app.hVideo = nullptr;
    g_app.videoOldProc = nullptr;
}

void SetMillisecondFormat() {
    MCI_SET_PARMS set = {};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandW(g_app.openParms.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT,
                    reinterpret_cast<DWORD_PTR>(&set));
}

// A device that did not open answers nothing, so the previous length stays.
void QueryLength() {
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_LENGTH;
    if (mciSendCommandW(g_app.openParms.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM,
                        reinterpret_cast<DWORD_PTR>(&status)) == 0)
        g_app.lengthMs = DWORD(status.dwReturn);
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
    g_app.mediaPath = path ? path : L"";
    lstrcpynW(g_app.currentTypeText,
              ResolveDeviceType(g_app.mediaPath.c_str(), g_app.hPlay).c_str(),
              ARRAYSIZE(g_app.currentTypeText));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::vector<HWND> before = ChildrenAfterStock();
        if (SendOpen()) {
            AttachVideoWindow(before);
            break;
        }
        lstrcpynW(g_app.deviceType, kUnknownDeviceType, ARRAYSIZE(g_app.deviceType));
    }
    SetMillisecondFormat();
    QueryLength();
}

bool MediaIsOpen() {
    return g_app.deviceType[0] && lstrcmpW(g_app.deviceType, kUnknownDeviceType) != 0;
}

void CloseMedia() {
    DetachVideoWindow();
    if (g_app.openParms.wDeviceID) mciSendCommandW(g_app.openParms.wDeviceID, MCI_CLOSE, 0, 0);
    g_app.openParms.wDeviceID = 0;
}

void PlaceVideoWindow() {
    if (!g_app.hVideo || !g_app.hPlay) return;
    RECT area;
    if (g_app.fullSize) {
        GetClientRect(g_app.hPlay, &area);
    } else {
        area = VideoArea();
    }
    const int width = area.right > area.left ? area.right - area.left : 0;
    const int height = area.bottom > area.top ? area.bottom - area.top : 0;
    SetWindowPos(g_app.hVideo, HWND_TOP, area.left, area.top, width, height, 0);
    ShowWindow(g_app.hVideo, SW_SHOW);
    InvalidateRect(g_app.hVideo, nullptr, TRUE);
}

// The playback window's handling comes first (commands, dragging, full size); every other
// message goes to the device's own procedure.
LRESULT CALLBACK VideoWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleVideoWindowMessage(hwnd, msg, wParam, lParam, &result)) return result;
    if (!g_app.videoOldProc) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return CallWindowProcW(g_app.videoOldProc, hwnd, msg, wParam, lParam);
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
