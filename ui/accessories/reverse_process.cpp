#include "ui/accessories/reverse_process.h"

#include <vfw.h>

#include "core/toolkit.h"
#include "services/companion_process.h"

namespace {

// A device that has not been seen running backwards by then is taken for one that cannot.
enum { kDecideMs = 5000, kFallCheckMs = 150 };

// A device that holds the main thread in an open or a play still gets its answer out.
DWORD WINAPI EndUndecided(void *decided) {
    if (WaitForSingleObject(decided, kDecideMs) != WAIT_OBJECT_0)
        TerminateProcess(GetCurrentProcess(), kReverseCannot);
    return 0;
}

bool StartThread(LPTHREAD_START_ROUTINE body, void *argument) {
    HANDLE thread = CreateThread(nullptr, 0, body, argument, 0, nullptr);
    if (!thread) return false;
    CloseHandle(thread);
    return true;
}

// Whether the media window's device really runs backwards: its position must fall.
bool PlaysBackwards(HWND media, LRESULT playResult) {
    if (playResult != 0) return false;
    const LRESULT before = SendMessageW(media, MCIWNDM_GETPOSITIONW, 0, 0);
    Sleep(kFallCheckMs);
    const LRESULT after = SendMessageW(media, MCIWNDM_GETPOSITIONW, 0, 0);
    return after < before;
}

WNDPROC g_mediaProc;

// The process lasts as long as its media window.
LRESULT CALLBACK MediaWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) PostQuitMessage(0);
    return CallWindowProcW(g_mediaProc, hwnd, msg, wParam, lParam);
}

}  // namespace

bool IsReverseCommandLine(const wchar_t *commandLine) {
    ReverseRequest request;
    return commandLine && ReadReverseCommandLine(commandLine, &request);
}

int RunReverseProcess(const wchar_t *commandLine) {
    ReverseRequest request;
    if (!commandLine || !ReadReverseCommandLine(commandLine, &request))
        return kReverseBadCommandLine;
    if (!EndWithProgram(DWORD(request.programId), kReverseProgramGone)) return kReverseProgramGone;
    HANDLE decided = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!decided || !StartThread(EndUndecided, decided)) return kReverseCannot;

    // Failures report nothing: the window shows no error boxes of its own.
    HWND media = MCIWndCreateW(nullptr, GetModuleHandleW(nullptr), MCIWNDF_NOERRORDLG, nullptr);
    if (!media) return kReverseCannot;
    SendMessageW(media, MCIWNDM_NEWW, 0, reinterpret_cast<LPARAM>(request.device.c_str()));
    SendMessageW(media, MCIWNDM_CHANGESTYLES, MCIWNDF_NOOPEN, MCIWNDF_NOOPEN);
    SendMessageW(media, MCIWNDM_OPENW, 0, reinterpret_cast<LPARAM>(request.path.c_str()));
    const LRESULT played = SendMessageW(media, MCIWNDM_PLAYREVERSE, 0, 0);
    // Ended at once, without closing a device that may not answer a close either.
    if (!PlaysBackwards(media, played)) TerminateProcess(GetCurrentProcess(), kReverseCannot);
    SetEvent(decided);

    g_mediaProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(media, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MediaWindowProc)));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    TerminateProcess(GetCurrentProcess(), kReverseWindowClosed);
    return kReverseWindowClosed;
}

HANDLE StartReverseProcess(DWORD programId, const std::wstring &device, const std::wstring &path) {
    wchar_t module[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (!length || length >= MAX_PATH) return nullptr;
    std::wstring exe = module;
    exe = exe.substr(0, exe.rfind(L'\\') + 1) + L"Mirelo.exe";
    std::wstring commandLine = ReverseCommandLine(exe, programId, device, path);
    if (commandLine.empty()) return nullptr;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}
