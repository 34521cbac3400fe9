#include "ui/shell/startup.h"

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/texts.h"
#include "ui/playback/playback_window.h"
#include "services/settings.h"
#include "services/add_files.h"
#include "services/stock_store.h"
#include "ui/stock/stock_window.h"
#include "ui/shell/media_keys.h"
#include "ui/shell/side_windows.h"
#include "ui/shell/volume_bar.h"
#include "ui/shell/main_window.h"
#include "services/transport.h"
#include "ui/shell/startup_trace.h"

static void ShowOk(HWND owner, UINT textId, UINT captionId) {
    MessageBoxW(owner, LoadProgramText(textId).c_str(), LoadProgramText(captionId).c_str(), MB_OK);
}

static bool g_firstRun;

void RunStartupInitialisation(HWND mainWindow) {
    const bool firstRun = g_firstRun = !FirstRunDone(g_app.keys);
    if (firstRun) {
        ShowOk(mainWindow, IDS_FIRST_RUN_PROMPT, IDS_FIRST_RUN_CAPTION);
        WriteFirstRunDefaults(g_app.keys, g_app.settings);
        ShowOk(mainWindow, IDS_FIRST_RUN_DONE, IDS_FIRST_RUN_DONE_CAPTION);
    } else {
        LoadSettings(g_app.keys, g_app.settings);
    }
    const int genre = g_app.currentGenre;
    if (!firstRun) RecountGenre(genre);
    g_app.currentItem = 0;
    SetNumberTexts(EntryCount(genre) > 0 ? 1 : 0, EntryCount(genre));
}

// The playback and stock windows, with the current genre's list and the files of the command
// line, come once the main window has been painted: the user sees it first. The list is filled
// while they are hidden (a visible list view redraws its scroll bars after each change, about
// 10 ms each under Wine), and the main window is put back above them where the windows stack
// in the order they appear.
static void MakePlaybackAndStockWindows(HWND mainWindow, bool firstRun) {
    CreatePlaybackWindow();
    CreateStockWindow();
    const int genre = g_app.currentGenre;
    {
        ListDrawingHeld held;
        ReplaceThumbnailList(firstRun ? 100 : 10000);
        if (!firstRun) {
            if (!AddFiles(TakeCommandLineFiles())) TellFolderHasNoMedia();
            RefillStockList();
        }
    }
    ShowWindow(g_ui.hPlay, SW_SHOWNOACTIVATE);
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    // Lowered and raised again: only a change of place restacks it where no window manager does.
    SetWindowPos(mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0, keep);
    // Painted now, list and all, before the first entry's open takes the device's window.
    RedrawWindow(g_ui.hPlay, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SetNumberTexts(EntryCount(genre) > 0 ? 1 : 0, EntryCount(genre));
    RepaintStatus();
}

void FinishStartup(HWND mainWindow) {
    MakePlaybackAndStockWindows(mainWindow, g_firstRun);
    TraceStartupStep("playback and stock windows, list");
    RegisterMediaKeys(mainWindow);
    StartupLoad(mainWindow);
    StartVolumeTimer();
}
