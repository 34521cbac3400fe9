// The program's windows made inside a benchmark, as the program makes them at start-up, with
// nothing stored: for the benchmarks that time one command of the running program.
#pragma once

#include <windows.h>

#include "bench/bench_common.h"
#include "services/app_state.h"
#include "services/registry.h"
#include "ui/shell/main_window.h"
#include "ui/shell/startup.h"
#include "ui/window_state.h"

namespace bench {

inline HWND StartProgramInProcess() {
    StoreGenre({});
    ResetAppState();
    ResetWindowState();
    g_app.hInst = GetModuleHandleW(nullptr);
    OpenRegistryKeys(g_app.keys);
    HWND main = CreateMainWindow();
    ShowWindow(main, SW_SHOWNOACTIVATE);
    FinishStartup(main);
    driver::PumpMessages(200);
    return main;
}

}  // namespace bench
