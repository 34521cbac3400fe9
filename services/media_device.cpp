#include "services/media_device.h"

#include <cwchar>
#include <memory>
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
void (*g_stuckListener)();

// A device that stopped answering keeps its alias: the next device gets another one.
int g_aliasGeneration;

// How long a command may take before its device counts as stuck for good. A stop or a seek
// takes milliseconds; opening and closing take seconds on a busy machine, and a close is only
// sent after a stop that answered.
const DWORD kCommandAnswerMs = 1500;
const DWORD kOpenCloseAnswerMs = 10000;

MCIDEVICEID Device() {
    return g_app.openParms.wDeviceID;
}

// The device lives on a thread of its own: the platform's device can wait inside a stop for
// threads of its own that never come back (seen under quick use: a stop sent while a stream
// of the media reaches its end). Commands are only taken from the thread that opened the
// device, so that thread opens it, sends it every command and closes it; the thread of the
// windows hands each command over and waits a bounded time, answering meanwhile what is sent
// to its windows. The device's video window belongs to the device's thread, which runs a
// message loop between commands.
enum JobKind { JobOpen, JobClose, JobCommand, JobString };

struct Job {
    JobKind kind = JobCommand;
    MCIDEVICEID device = 0;
    UINT command = 0;
    DWORD flags = 0;
    union {
        MCI_GENERIC_PARMS generic;
        MCI_PLAY_PARMS play;
        MCI_SEEK_PARMS seek;
        MCI_STATUS_PARMS status;
        MCI_SET_PARMS set;
    } parms = {};
    std::wstring text;  // JobString
    MCIERROR result = MCIERR_INTERNAL;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Job() { CloseHandle(done); }
};

const UINT kJobMessage = WM_APP + 0x31;

bool SendOpen();

void Execute(Job &job) {
    switch (job.kind) {
    case JobOpen:
        job.result = SendOpen() ? 0 : MCIERR_INTERNAL;
        break;
    case JobClose:
    case JobCommand:
        job.result = mciSendCommandW(job.device, job.command, job.flags,
                                     reinterpret_cast<DWORD_PTR>(&job.parms));
        break;
    case JobString:
        job.result = mciSendStringW(job.text.c_str(), nullptr, 0, nullptr);
        break;
    }
}

class DeviceThread {
  public:
    DeviceThread() {
        ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, Run, this, 0, &id_);
        if (thread_) WaitForSingleObject(ready_, 5000);
    }
    bool Post(const std::shared_ptr<Job> &job) {
        auto *held = new std::shared_ptr<Job>(job);
        if (thread_ && PostThreadMessageW(id_, kJobMessage, 0, reinterpret_cast<LPARAM>(held)))
            return true;
        delete held;
        return false;
    }

  private:
    static DWORD WINAPI Run(void *self) {
        DeviceThread *me = static_cast<DeviceThread *>(self);
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue exists now
        SetEvent(me->ready_);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!msg.hwnd && msg.message == kJobMessage) {
                auto *held = reinterpret_cast<std::shared_ptr<Job> *>(msg.lParam);
                Execute(**held);
                SetEvent((*held)->done);
                delete held;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return 0;
    }
    HANDLE ready_ = nullptr, thread_ = nullptr;
    DWORD id_ = 0;
};

DeviceThread *g_deviceThread;

// The device did not answer: it is left to its thread for good, its video window is hidden
// without waiting for that thread, and the windows are told.
void AbandonStuckDevice() {
    g_deviceThread = nullptr;  // the next device gets a thread of its own
    ++g_aliasGeneration;
    if (HWND video = g_app.hVideo) {
        if (g_videoListener.detaching) g_videoListener.detaching(video);
        ShowWindowAsync(video, SW_HIDE);
    }
    g_app.hVideo = nullptr;
    g_app.openParms.wDeviceID = 0;
    lstrcpynW(g_app.deviceType, kUnknownDeviceType, ARRAYSIZE(g_app.deviceType));
    g_app.lastPlayingPositionMs = 0;
    if (g_stuckListener) g_stuckListener();
}

// Hands the job to the device's thread and waits for it, answering meanwhile only what other
// threads send to this thread's windows: no input and no timer of the program runs in
// between. False when the device did not answer in time (it is then given up).
bool Carry(const std::shared_ptr<Job> &job, DWORD limitMs) {
    if (!g_deviceThread) g_deviceThread = new DeviceThread();
    if (!g_deviceThread->Post(job)) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        const DWORD r = waited >= limitMs ? WAIT_TIMEOUT
                                          : MsgWaitForMultipleObjects(1, &job->done, FALSE,
                                                                      limitMs - waited,
                                                                      QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        if (r == WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        AbandonStuckDevice();
        return false;
    }
}

template <class Parms> bool Send(UINT command, DWORD flags, Parms *parms) {
    if (!Device()) return false;
    auto job = std::make_shared<Job>();
    job->device = Device();
    job->command = command;
    job->flags = flags;
    static_assert(sizeof(Parms) <= sizeof job->parms, "the parameter block fits");
    CopyMemory(&job->parms, parms, sizeof(Parms));
    if (!Carry(job, kCommandAnswerMs)) return false;
    CopyMemory(parms, &job->parms, sizeof(Parms));
    return job->result == 0;
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
    if (g_aliasGeneration == 0)
        lstrcpynW(g_app.alias, kMediaAlias, ARRAYSIZE(g_app.alias));
    else
        wsprintfW(g_app.alias, L"%s%d", kMediaAlias, g_aliasGeneration % 10000);
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
        auto job = std::make_shared<Job>();
        job->kind = JobOpen;
        if (Carry(job, kOpenCloseAnswerMs) && job->result == 0) {
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
    // The play is stopped first, within the short limit; the close that follows has nothing
    // left to wait for. A device that did not stop is given up instead.
    DeviceStop();
    if (Device()) {
        auto job = std::make_shared<Job>();
        job->kind = JobClose;
        job->device = Device();
        job->command = MCI_CLOSE;
        Carry(job, kOpenCloseAnswerMs);
    }
    g_app.openParms.wDeviceID = 0;
    // Whatever was seen of the last media belongs to it alone.
    g_app.lastPlayingPositionMs = 0;
}

void SetVideoWindowListener(const VideoWindowListener &listener) {
    g_videoListener = listener;
}

void SetStuckDeviceListener(void (*stuck)()) {
    g_stuckListener = stuck;
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

bool DevicePause() {
    MCI_GENERIC_PARMS parms = {};
    return Send(MCI_PAUSE, 0, &parms);
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
    auto job = std::make_shared<Job>();
    job->kind = JobString;
    job->text = std::wstring(verb) + L" " + g_app.alias + L" " + rest;
    return Carry(job, kCommandAnswerMs) && job->result == 0;
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
