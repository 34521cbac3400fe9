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

static void ShowOk(HWND owner, UINT textId, UINT captionId) {
    MessageBoxW(owner, LoadProgramText(textId).c_str(), LoadProgramText(captionId).c_str(), MB_OK);
}

static void CreatePlaybackAndStockWindows(int thumbnailCapacity) {
    CreatePlaybackWindow();
    CreateStockWindow();
    InvalidateRect(g_ui.hList, nullptr, TRUE);
    ReplaceThumbnailList(thumbnailCapacity);
}

void RunStartupInitialisation(HWND mainWindow) {
    if (!FirstRunDone(g_app.keys)) {
        ShowOk(mainWindow, IDS_FIRST_RUN_PROMPT, IDS_FIRST_RUN_CAPTION);
        WriteFirstRunDefaults(g_app.keys, g_app.settings);
        ShowOk(mainWindow, IDS_FIRST_RUN_DONE, IDS_FIRST_RUN_DONE_CAPTION);
        g_app.currentItem = 0;
        CreatePlaybackAndStockWindows(100);
        return;
    }
    LoadSettings(g_app.keys, g_app.settings);
    CreatePlaybackAndStockWindows(10000);
    const int genre = g_app.currentGenre;
    g_app.counts[genre] = CountGenreEntries(genre);
    if (!AddFiles(TakeCommandLineFiles())) TellFolderHasNoMedia();
    RefillStockList();
    g_app.currentItem = 0;
    SetNumberTexts(g_app.counts[genre] > 0 ? 1 : 0, g_app.counts[genre]);
    InvalidateRect(mainWindow, nullptr, TRUE);
}
