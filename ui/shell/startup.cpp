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

static void ShowOk(HWND owner, UINT textId, UINT captionId) {
    MessageBoxW(owner, LoadProgramText(textId).c_str(), LoadProgramText(captionId).c_str(), MB_OK);
}

void RunStartupInitialisation(HWND mainWindow) {
    const bool firstRun = !FirstRunDone(g_app.keys);
    if (firstRun) {
        ShowOk(mainWindow, IDS_FIRST_RUN_PROMPT, IDS_FIRST_RUN_CAPTION);
        WriteFirstRunDefaults(g_app.keys, g_app.settings);
        ShowOk(mainWindow, IDS_FIRST_RUN_DONE, IDS_FIRST_RUN_DONE_CAPTION);
    } else {
        LoadSettings(g_app.keys, g_app.settings);
    }
    // The playback and stock windows, with the current genre's list, come up before the main
    // window is shown: the main window then stands above them however the windows are
    // stacked in the order they appear, and the list is painted under its own windows. The
    // list is filled while they are hidden: a visible list view redraws its scroll bars after
    // each change (about 10 ms each under Wine).
    CreatePlaybackWindow();
    CreateStockWindow();
    const int genre = g_app.currentGenre;
    {
        ListDrawingHeld held;
        ReplaceThumbnailList(firstRun ? 100 : 10000);
        if (!firstRun) {
            RecountGenre(genre);
            if (!AddFiles(TakeCommandLineFiles())) TellFolderHasNoMedia();
            RefillStockList();
        }
    }
    ShowWindow(g_ui.hPlay, SW_SHOW);
    g_app.currentItem = 0;
    SetNumberTexts(EntryCount(genre) > 0 ? 1 : 0, EntryCount(genre));
}

void FinishStartup(HWND mainWindow) {
    RegisterMediaKeys(mainWindow);
    StartupLoad(mainWindow);
    StartVolumeTimer();
}
