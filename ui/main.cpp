// Program entry: start-up in order, then the one message loop.
#include <windows.h>
#include <objbase.h>
#include <vfw.h>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/media_host.h"
#include "core/command_line.h"
#include "ui/shell/main_window.h"
#include "ui/shell/startup.h"
#include "services/mixer.h"
#include "services/transport.h"
#include "ui/shell/startup_trace.h"
#include "ui/accessories/reverse_process.h"
#include "services/registry.h"
#include "services/backup.h"

// Keep DLLs from being picked up from the current folder (a folder of media files may be
// anyone's): only the system folders are searched.
static void HardenDllSearch() {
    SetDllDirectoryW(L"");
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void *>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    HardenDllSearch();
    // The copy of the program that holds the media device (started by the program itself).
    if (IsMediaHostCommandLine(GetCommandLineW())) return RunMediaHost(GetCommandLineW());
    // The copy that plays a file backwards through a media window (the toolkit's "セット").
    if (IsReverseCommandLine(GetCommandLineW())) return RunReverseProcess(GetCommandLineW());
    TraceStartupStep("process started, wWinMain");
    StartMixerSetUp();  // the sound drivers load on another core while the windows come up
    ResetAppState();
    ResetWindowState();
    g_app.hInst = instance;
    g_app.pendingPieces = PendingCommandLinePieces(GetCommandLineW());
    // A restore the program did not finish is undone before anything reads the registry.
    RecoverInterruptedRestore();
    OpenRegistryKeys(g_app.keys);
    StartDeviceForStartupLoad();

    TraceStartupStep("registry opened");
    HWND main = CreateMainWindow();
    TraceStartupStep("main window made");
    ShowWindow(main, showCommand);
    UpdateWindow(main);
    TraceStartupStep("main window shown");

    CoInitialize(nullptr);
    AVIFileInit();
    FinishStartup(main);
    TraceStartupStep("first entry opening, media keys");
    HACCEL accelerators = LoadAcceleratorsW(instance, L"MYACCEL");

    MSG msg;
    bool idle = !StartupTraceOn();  // the first idle moment is looked for only when tracing
    for (;;) {
        if (!idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            TraceStartupStep("idle");
            idle = true;
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        // Keys typed into the settings dialog stay there (a capital letter typed into a
        // genre name is no shortcut); every other window's accelerators act through the
        // main window.
        if (g_ui.hSettings && IsDialogMessageW(g_ui.hSettings, &msg)) continue;
        if (TranslateAcceleratorW(g_ui.hMain, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    AVIFileExit();
    CoUninitialize();
    return int(msg.wParam);
}
