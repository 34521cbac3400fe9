#include "services/media_device.h"

#include <cwchar>
#include <vector>

#include "services/app_state.h"
#include "services/media_host.h"
#include "services/registry.h"

namespace {

const wchar_t kMciExtensionsKey[] =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions";
const wchar_t kMediaDeviceType[] = L"mpegvideo";
const wchar_t kMediaAlias[] = L"music";

enum { kSystemDeviceNameChars = 64 / 2 }; // the system's name is read into 64 bytes

void (*g_stuckListener)();

// The device as the program last opened it.
struct DeviceState {
    bool open;                   // the last open succeeded and nothing closed it since
    wchar_t deviceType[32];      // "mpegvideo", or "Non" after a failed open
    wchar_t alias[8];
    std::wstring mediaPath;      // the element the device was last opened with
    wchar_t typeText[kTextChars];  // the device-type text of that path
    DWORD lengthMs;
    HWND parent;                 // the playback window, parent of the device's video window
    HWND video;                  // that video window (it belongs to the device's process)
    unsigned serial;             // counts the opens and closes
} g_device;

// How long a command may take before the device counts as stuck for good. A stop or a seek
// takes milliseconds; opening and closing take seconds on a busy machine, and a close is only
// sent after a stop that answered.
const DWORD kCommandAnswerMs = 1000;
const DWORD kOpenCloseAnswerMs = 10000;

// The start-up open while it runs on its own thread (see OpenMediaAhead).
struct OpeningAhead {
    HANDLE thread = nullptr;
    bool waiting = false;  // FinishOpeningAhead waits for the thread
    HostRequest request = {};
    bool answered = false;
    MCIERROR result = 0;
    DWORD_PTR video = 0;
    HWND notify = nullptr;
    UINT message = 0;
    void (*opened)() = nullptr;
} g_ahead;

bool Device() {
    FinishOpeningAhead();
    return g_device.open;
}

// The device did not answer and its process was ended: its video window went with it, and the
// windows are told so that they can say so and load the media again.
void GiveUpStuckDevice() {
    g_device.video = nullptr;
    g_device.open = false;
    lstrcpynW(g_device.deviceType, kUnknownDeviceType, ARRAYSIZE(g_device.deviceType));
    ++g_device.serial;
    if (g_stuckListener) g_stuckListener();
}

// One request to the device's process; false (and the device given up) without an answer.
bool Ask(HostRequestKind kind, const HostRequest &request, DWORD limitMs, MCIERROR *result,
         DWORD_PTR *value) {
    if (AskMediaHost(kind, request, limitMs, result, value)) return true;
    if (Device()) GiveUpStuckDevice();
    return false;
}

bool Send(UINT command, DWORD flags, const HostRequest &fields, DWORD_PTR *value = nullptr) {
    if (!Device()) return false;
    HostRequest request = fields;
    request.command = command;
    request.flags = flags;
    MCIERROR result = 0;
    if (!Ask(HostCommand, request, kCommandAnswerMs, &result, value)) return false;
    return result == 0;
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

// The open of g_device.mediaPath, with its video window (if the media has a picture) as a child
// of the playback window.
HostRequest OpenRequest() {
    lstrcpynW(g_device.deviceType, kMediaDeviceType, ARRAYSIZE(g_device.deviceType));
    lstrcpynW(g_device.alias, kMediaAlias, ARRAYSIZE(g_device.alias));
    HostRequest request = {};
    request.parent = reinterpret_cast<DWORD_PTR>(g_device.parent);
    lstrcpynW(request.text, g_device.mediaPath.c_str(), ARRAYSIZE(request.text));
    // No identifier survives a failed open, so no later command can reach another device.
    g_device.open = false;
    return request;
}

bool TakeOpenAnswer(bool answered, MCIERROR result, DWORD_PTR video) {
    if (!answered || result) return false;
    g_device.open = true;  // the one device of the device's process
    g_device.video = reinterpret_cast<HWND>(video);
    return true;
}

// Opens the element in the device's process.
bool SendOpen() {
    const HostRequest request = OpenRequest();
    MCIERROR result = 0;
    DWORD_PTR video = 0;
    const bool answered = AskMediaHost(HostOpen, request, kOpenCloseAnswerMs, &result, &video);
    return TakeOpenAnswer(answered, result, video);
}

void SetMillisecondFormat() {
    HostRequest set = {};
    set.timeFormat = MCI_FORMAT_MILLISECONDS;
    Send(MCI_SET, MCI_SET_TIME_FORMAT, set);
}

// A device that did not open answers nothing: the media has no length, rather than the
// previous media's, which would otherwise be stored with the new entry and set the bar.
void QueryLength() {
    DWORD length = 0;
    g_device.lengthMs = DeviceStatus(MCI_STATUS_LENGTH, &length) ? length : 0;
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

namespace {

// What every open does before the device is asked.
void BeginOpen(const wchar_t *path) {
    CloseMedia();
    const size_t length = path ? wcsnlen(path, kTextChars) : 0;
    // A path the program's buffers would cut names another file: it is not opened.
    g_device.mediaPath = length < size_t(kTextChars) && path ? path : L"";
    lstrcpynW(g_device.typeText,
              ResolveDeviceType(g_device.mediaPath.c_str(), g_device.parent).c_str(),
              ARRAYSIZE(g_device.typeText));
}

// The channels the settings page turned off, for every file the device opens.
bool g_leftOff, g_rightOff;

bool SendChannel(const wchar_t *side, bool off) {
    const std::wstring rest = std::wstring(L"audio ") + side + (off ? L" off" : L" on");
    return DeviceCommand(L"set", rest.c_str());
}

// A device opens with both channels on; the ones the settings page turned off stay off.
void ApplyChannels() {
    if (g_leftOff) SendChannel(L"left", true);
    if (g_rightOff) SendChannel(L"right", true);
}

// ... and after: `attempts` more tries unless it is open, then the time format, the length
// and the channels.
void EndOpen(int attempts) {
    for (int attempt = 0; attempt < attempts && !g_device.mediaPath.empty(); ++attempt)
        if (SendOpen()) break;
    if (!Device()) lstrcpynW(g_device.deviceType, kUnknownDeviceType, ARRAYSIZE(g_device.deviceType));
    SetMillisecondFormat();
    QueryLength();
    ApplyChannels();
}

DWORD WINAPI AskOpenAhead(void *) {
    g_ahead.answered = AskMediaHost(HostOpen, g_ahead.request, kOpenCloseAnswerMs,
                                    &g_ahead.result, &g_ahead.video);
    PostMessageW(g_ahead.notify, g_ahead.message, 0, 0);
    return 0;
}

}  // namespace

void OpenMedia(const wchar_t *path) {
    BeginOpen(path);
    EndOpen(2);
}

void OpenMediaAhead(const wchar_t *path, HWND notify, UINT message, void (*opened)()) {
    BeginOpen(path);
    g_ahead.opened = opened;
    if (!g_device.mediaPath.empty()) {
        g_ahead.request = OpenRequest();
        g_ahead.notify = notify;
        g_ahead.message = message;
        g_ahead.thread = CreateThread(nullptr, 0, AskOpenAhead, nullptr, 0, nullptr);
        if (g_ahead.thread) return;
    }
    EndOpen(2);
    g_ahead.opened = nullptr;
    if (opened) opened();
}

void StartMediaDeviceEarly() {
    StartMediaHostEarly();
}

void FinishOpeningAhead() {
    HANDLE thread = g_ahead.thread;
    // A message answered during the wait below may reach the device again: the open is not
    // finished yet, so there is no device for it, and the outer call finishes the open.
    if (!thread || g_ahead.waiting) return;
    g_ahead.waiting = true;
    // The device's process makes its video window a child of the playback window, and waits
    // for this thread to answer what that sends: it is answered while the open goes on.
    MSG msg;
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1)
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    g_ahead.waiting = false;
    CloseHandle(thread);
    g_ahead.thread = nullptr;
    void (*opened)() = g_ahead.opened;
    g_ahead.opened = nullptr;
    EndOpen(TakeOpenAnswer(g_ahead.answered, g_ahead.result, g_ahead.video) ? 0 : 1);
    if (opened) opened();
}

bool MediaIsOpen() {
    return Device();  // the type text outlives a close: the status line keeps showing it
}

void CloseMedia() {
    FinishOpeningAhead();
    g_device.video = nullptr;
    // The play is stopped first, within the short limit; the close that follows has nothing
    // left to wait for. A device that did not stop is given up instead.
    DeviceStop();
    if (Device()) {
        MCIERROR result = 0;
        if (Ask(HostClose, HostRequest(), kOpenCloseAnswerMs, &result, nullptr))
            RetireWornMediaHost();
    }
    g_device.open = false;
    // Whatever was seen of the last media belongs to it alone.
    ++g_device.serial;
    g_device.lengthMs = 0;
}

void SetStuckDeviceListener(void (*stuck)()) {
    g_stuckListener = stuck;
}

// Every command carries a parameter block, even without flags: some devices refuse a null one.
bool DevicePlay() {
    return Send(MCI_PLAY, 0, HostRequest());
}

bool DevicePlayFrom(DWORD ms) {
    HostRequest play = {};
    play.from = ms;
    return Send(MCI_PLAY, MCI_FROM, play);
}

bool DevicePause() {
    return Send(MCI_PAUSE, 0, HostRequest());
}

bool DeviceStop() {
    return Send(MCI_STOP, 0, HostRequest());
}

bool DeviceSeekToStart() {
    return Send(MCI_SEEK, MCI_SEEK_TO_START, HostRequest());
}

bool DeviceSeekTo(DWORD ms) {
    HostRequest seek = {};
    seek.to = ms;
    return Send(MCI_SEEK, MCI_TO, seek);
}

bool DeviceStatus(DWORD item, DWORD *value) {
    HostRequest status = {};
    status.item = item;
    DWORD_PTR answer = 0;
    if (!Send(MCI_STATUS, MCI_STATUS_ITEM, status, &answer)) return false;
    *value = DWORD(answer);
    return true;
}

bool DeviceCommand(const wchar_t *verb, const wchar_t *rest) {
    if (!Device()) return false;
    HostRequest request = {};
    const std::wstring text = std::wstring(verb) + L" " + g_device.alias + L" " + rest;
    lstrcpynW(request.text, text.c_str(), ARRAYSIZE(request.text));
    MCIERROR result = 0;
    return Ask(HostString, request, kCommandAnswerMs, &result, nullptr) && result == 0;
}

bool SetChannelOff(bool right, bool off) {
    (right ? g_rightOff : g_leftOff) = off;
    return SendChannel(right ? L"right" : L"left", off);
}

DWORD MediaLengthMs() {
    FinishOpeningAhead();
    return g_device.lengthMs;
}

const std::wstring &MediaPath() {
    return g_device.mediaPath;
}

const wchar_t *MediaTypeText() {
    return g_device.typeText;
}

const wchar_t *OpenedDeviceType() {
    return g_device.deviceType;
}

HWND MediaVideoWindow() {
    return g_device.video;
}

void SetVideoParent(HWND playback) {
    g_device.parent = playback;
}

HWND VideoParent() {
    return g_device.parent;
}

unsigned MediaSerial() {
    return g_device.serial;
}

void ResetMediaDevice() {
    const unsigned serial = g_device.serial + 1;  // nothing seen before may match again
    g_device = DeviceState();
    g_device.serial = serial;
    g_leftOff = g_rightOff = false;
}

bool ChannelOff(bool right) {
    return right ? g_rightOff : g_leftOff;
}

ShellVerb ShellHandOffForPath(const wchar_t *path) {
    if (!path) return ShellVerb::Refuse;
    return ShellHandOffFor(std::wstring(path), KindOfPath(path));
}

bool HandToShell(const wchar_t *path) {
    const ShellVerb verb = ShellHandOffForPath(path);
    if (verb == ShellVerb::Refuse) return false;
    HWND owner = verb == ShellVerb::Explore ? g_device.parent : nullptr;
    ShellExecuteW(owner, ShellVerbText(verb), path, nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}
