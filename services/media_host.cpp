#include "services/media_host.h"

#include <mmsystem.h>
#include <digitalv.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "services/companion_process.h"


namespace {

const wchar_t kHostSwitch[] = L"/mediahost";
const wchar_t kHostClass[] = L"MireloMediaHost";
const UINT kLastValueMessage = WM_APP + 0x41;
const DWORD kHostStartMs = 10000;

// ---- The host's side ----

struct HostState {
    DWORD programId = 0;  // the program that started this host; no one else is obeyed
    MCIDEVICEID device = 0;
    HWND parent = nullptr, video = nullptr;
    WNDPROC videoOldProc = nullptr;
    DWORD_PTR lastValue = 0;
} g_host;

// The video window's clicks belong to the program's playback window: they are passed on as
// posted messages, so the host never waits for the program.
LRESULT CALLBACK HostVideoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND play = g_host.parent;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_COMMAND:
        PostMessageW(play, WM_COMMAND, wParam, 0);
        return 0;
    case WM_RBUTTONDOWN: {
        POINT at = {short(LOWORD(lParam)), short(HIWORD(lParam))};
        ClientToScreen(hwnd, &at);
        PostMessageW(play, WM_VIDEO_MENU, 0, MAKELPARAM(at.x, at.y));
        return 0;
    }
    case WM_LBUTTONDOWN:
        PostMessageW(play, WM_VIDEO_DRAG, 0, 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        PostMessageW(play, WM_VIDEO_DOUBLE_CLICK, 0, 0);
        return 0;
    }
    return CallWindowProcW(g_host.videoOldProc, hwnd, msg, wParam, lParam);
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        children.push_back(w);
    return children;
}

MCIERROR HostOpenDevice(const HostRequest &r) {
    g_host.parent = reinterpret_cast<HWND>(r.parent);
    const std::vector<HWND> before = ChildrenOf(g_host.parent);
    wchar_t type[] = L"mpegvideo", alias[] = L"music";
    std::wstring path(r.text, wcsnlen(r.text, ARRAYSIZE(r.text)));
    MCI_DGV_OPEN_PARMSW parms = {};
    parms.dwCallback = r.parent;
    parms.lpstrDeviceType = type;
    parms.lpstrElementName = &path[0];
    parms.lpstrAlias = alias;
    parms.dwStyle = WS_CHILD;
    parms.hWndParent = g_host.parent;
    const MCIERROR error = mciSendCommandW(
        0, MCI_OPEN,
        MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS,
        reinterpret_cast<DWORD_PTR>(&parms));
    g_host.device = error ? 0 : parms.wDeviceID;
    g_host.video = nullptr;
    g_host.lastValue = 0;
    if (error) return error;
    // The device puts its picture in a new child of the playback window.
    for (HWND child : ChildrenOf(g_host.parent)) {
        const bool old = std::find(before.begin(), before.end(), child) != before.end();
        if (old || GetWindowThreadProcessId(child, nullptr) != GetCurrentThreadId()) continue;
        g_host.video = child;
        g_host.videoOldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostVideoProc)));
        break;
    }
    g_host.lastValue = reinterpret_cast<DWORD_PTR>(g_host.video);
    return 0;
}

MCIERROR HostSendCommand(const HostRequest &r) {
    if (!g_host.device) return MCIERR_INVALID_DEVICE_ID;
    union {
        MCI_GENERIC_PARMS generic;
        MCI_PLAY_PARMS play;
        MCI_SEEK_PARMS seek;
        MCI_STATUS_PARMS status;
        MCI_SET_PARMS set;
    } parms = {};
    switch (r.command) {
    case MCI_PLAY:
        parms.play.dwFrom = r.from;
        parms.play.dwTo = r.to;
        break;
    case MCI_SEEK:
        parms.seek.dwTo = r.to;
        break;
    case MCI_STATUS:
        parms.status.dwItem = r.item;
        break;
    case MCI_SET:
        parms.set.dwTimeFormat = r.timeFormat;
        break;
    }
    const MCIERROR error = mciSendCommandW(g_host.device, r.command, r.flags,
                                           reinterpret_cast<DWORD_PTR>(&parms));
    if (r.command == MCI_STATUS) g_host.lastValue = parms.status.dwReturn;
    return error;
}

MCIERROR HostCloseDevice() {
    if (!g_host.device) return 0;
    if (g_host.video && IsWindow(g_host.video) && g_host.videoOldProc)
        SetWindowLongPtrW(g_host.video, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(g_host.videoOldProc));
    MCI_GENERIC_PARMS parms = {};
    const MCIERROR error =
        mciSendCommandW(g_host.device, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&parms));
    g_host.device = 0;
    g_host.video = nullptr;
    return error;
}

LRESULT HostRun(const COPYDATASTRUCT *data) {
    if (!data || data->cbData != sizeof(HostRequest)) return MCIERR_INTERNAL;
    HostRequest request;
    CopyMemory(&request, data->lpData, sizeof request);
    request.text[ARRAYSIZE(request.text) - 1] = L'\0';
    switch (data->dwData) {
    case HostOpen:
        return HostOpenDevice(request);
    case HostClose:
        return HostCloseDevice();
    case HostCommand:
        return HostSendCommand(request);
    case HostString:
        return mciSendStringW(request.text, nullptr, 0, nullptr);
    }
    return MCIERR_INTERNAL;
}

// A request carries a window of its sender; one from any other process than the program
// that started this host is not obeyed (a stranger could make it open or run anything).
bool FromProgram(WPARAM sender) {
    DWORD id = 0;
    HWND window = reinterpret_cast<HWND>(sender);
    return window && GetWindowThreadProcessId(window, &id) && id == g_host.programId;
}

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA)
        return FromProgram(wParam) ? HostRun(reinterpret_cast<const COPYDATASTRUCT *>(lParam))
                                   : MCIERR_INTERNAL;
    if (msg == kLastValueMessage) return FromProgram(wParam) ? LRESULT(g_host.lastValue) : 0;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::wstring HostTitle(DWORD programId) {
    return std::wstring(kHostClass) + L" " + std::to_wstring(programId);
}

// ---- The program's side ----

struct HostProcess {
    HANDLE process = nullptr;
    HWND window = nullptr;
    int opens = 0;  // files it opened
} g_running;

// A window of the program that goes with every request, so that the host knows the sender.
// It belongs to the thread that asked first and goes when that thread ends (the start-up open
// asks from a thread of its own), so it is made again when gone.
HWND g_sender;

HWND SenderWindow() {
    if (!g_sender || !IsWindow(g_sender))
        g_sender = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    return g_sender;
}

// The host's window only when the process this program started made it: a host of an
// earlier run or any other program's window of that name is never taken for it.
HWND HostWindowOf(HANDLE process, const std::wstring &title) {
    const DWORD id = GetProcessId(process);
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, kHostClass, title.c_str()); w;
         w = FindWindowExW(HWND_MESSAGE, w, kHostClass, title.c_str())) {
        DWORD owner = 0;
        if (GetWindowThreadProcessId(w, &owner) && owner == id) return w;
    }
    return nullptr;
}

// The platform's device keeps some memory of every file it opened (a few megabytes each on
// some systems) until its process ends: a host is replaced once it has opened this many.
enum { kOpensPerHost = 16 };
int g_opensPerHost = kOpensPerHost;

// Waits for the host's window, answering what is sent to this thread meanwhile.
HWND WaitForHostWindow(HANDLE process) {
    const std::wstring title = HostTitle(GetCurrentProcessId());
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kHostStartMs) {
        if (HWND w = HostWindowOf(process, title)) return w;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    return nullptr;
}

// The host is the program itself, Mirelo.exe beside the running program (which is Mirelo.exe
// too, except in the tests and benchmarks). Started without waiting for it.
bool LaunchHost() {
    wchar_t module[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (!length || length >= MAX_PATH) return false;
    std::wstring exe = module;
    exe = exe.substr(0, exe.rfind(L'\\') + 1) + L"Mirelo.exe";
    std::wstring commandLine = std::wstring(L"\"") + exe + L"\" " + kHostSwitch + L" " +
                               std::to_wstring(GetCurrentProcessId());
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    g_running.process = pi.hProcess;
    return true;
}

// The early start's thread: starting a process takes long enough to delay the first paint.
// Made once in a run and kept, so that any thread can wait for it at any time.
HANDLE g_earlyStart;

DWORD WINAPI EarlyStart(void *) {
    LaunchHost();
    return 0;
}

void WaitForEarlyStart() {
    if (g_earlyStart) WaitForSingleObject(g_earlyStart, INFINITE);
}

// The host that runs (or was started early), ready to take requests.
bool StartHost() {
    if (!g_running.process && !LaunchHost()) return false;
    g_running.window = WaitForHostWindow(g_running.process);
    if (!g_running.window) EndMediaHost();
    return g_running.window != nullptr;
}

}  // namespace

void StartMediaHostEarly() {
    if (g_earlyStart || g_running.process) return;
    g_earlyStart = CreateThread(nullptr, 0, EarlyStart, nullptr, 0, nullptr);
}

// The host's command line is exactly: "<program path>" /mediahost <process id>. A file name
// that merely contains the switch never makes a host.
static const wchar_t *HostIdText(const wchar_t *commandLine) {
    if (!commandLine || commandLine[0] != L'"') return nullptr;
    const wchar_t *end = wcschr(commandLine + 1, L'"');
    if (!end) return nullptr;
    const std::wstring expected = std::wstring(L" ") + kHostSwitch + L" ";
    if (wcsncmp(end + 1, expected.c_str(), expected.size()) != 0) return nullptr;
    const wchar_t *id = end + 1 + expected.size();
    if (!*id) return nullptr;
    for (const wchar_t *p = id; *p; ++p)
        if (*p < L'0' || *p > L'9') return nullptr;
    return id;
}

bool IsMediaHostCommandLine(const wchar_t *commandLine) {
    return HostIdText(commandLine) != nullptr;
}

int RunMediaHost(const wchar_t *commandLine) {
    const wchar_t *id = HostIdText(commandLine);
    if (!id) return 1;
    const DWORD programId = DWORD(wcstoul(id, nullptr, 10));
    // The host ends as soon as the program is gone, however it went, even while the device
    // holds its thread: nothing is asked of the device then, since a close of a playing device
    // can wait for good and would keep the media file and the program's file in use.
    if (!EndWithProgram(programId, 0)) return 1;
    g_host.programId = programId;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, kHostClass, HostTitle(programId).c_str(), 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    // Runs until the program ends (EndWithProgram).
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}

bool AskMediaHost(HostRequestKind kind, const HostRequest &request, DWORD limitMs,
                  MCIERROR *result, DWORD_PTR *value) {
    WaitForEarlyStart();
    if (g_running.process && WaitForSingleObject(g_running.process, 0) == WAIT_OBJECT_0)
        EndMediaHost();
    // Only an open takes a new host: a device whose host is gone is gone too.
    if (!g_running.window && (kind != HostOpen || !StartHost())) return false;
    COPYDATASTRUCT data = {kind, sizeof request, const_cast<HostRequest *>(&request)};
    DWORD_PTR answer = 0, last = 0;
    const WPARAM sender = reinterpret_cast<WPARAM>(SenderWindow());
    // While it waits, this thread still answers what the host's windows send to it. The value
    // is a second round trip, asked for only by those who want it.
    if (!SendMessageTimeoutW(g_running.window, WM_COPYDATA, sender,
                             reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, limitMs, &answer) ||
        (value && !SendMessageTimeoutW(g_running.window, kLastValueMessage, sender, 0,
                                       SMTO_NORMAL, limitMs, &last))) {
        // The next open starts a new host: none is started now, since the program may be
        // ending (a stop that did not answer at the End button).
        EndMediaHost();
        return false;
    }
    *result = MCIERROR(answer);
    if (value) *value = last;
    if (kind == HostOpen) ++g_running.opens;
    return true;
}

void RetireWornMediaHost() {
    if (g_running.opens < g_opensPerHost) return;
    EndMediaHost();  // the next open starts a fresh one; none is started for a program that ends
}

void SetOpensPerHostForTests(int opens) {
    g_opensPerHost = opens ? opens : kOpensPerHost;
}

DWORD MediaHostProcessId() {
    WaitForEarlyStart();
    return g_running.process ? GetProcessId(g_running.process) : 0;
}

void EndMediaHost() {
    WaitForEarlyStart();
    if (g_running.process) {
        // Not waited for: the process goes, with its device and its video window, on its own.
        TerminateProcess(g_running.process, 2);
        CloseHandle(g_running.process);
    }
    g_running = HostProcess();
}
