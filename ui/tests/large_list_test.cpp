// A genre far beyond five entries, as a restored or hand-edited registry can hold: the
// program starts with it, lists it, moves through it, deletes from it and clears it.

#include "core/settings_table.h"
#include "services/media_device.h"
#include "core/stock_names.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/stock_store.h"
#include "services/transport.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"

namespace {

// Entries written straight into the registry, short values (the program reads any length).
void StoreEntries(int genre, int count, const std::wstring &path) {
    HKEY keys[4];
    for (int f = 0; f < 4; ++f) RegCreateKeyW(HKEY_CURRENT_USER, kRegKeyPaths[kListKeyFirst + f], &keys[f]);
    for (int i = 0; i < count; ++i) {
        const std::wstring name = StockValueName(genre, i);
        const std::wstring texts[] = {L"曲" + std::to_wstring(i), L" 1 秒", L"waveaudio", path};
        for (int f = 0; f < 4; ++f)
            RegSetValueExW(keys[f], name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE *>(texts[f].c_str()),
                           DWORD((texts[f].size() + 1) * sizeof(wchar_t)));
    }
    for (HKEY key : keys) RegCloseKey(key);
}

using LargeList = driver::AppTest;

TEST_F(LargeList, ThousandsOfEntriesStartListMoveDeleteAndClear) {
    const std::wstring wav = driver::InTestFolder(L"large list", L"tone.wav");
    ASSERT_TRUE(driver::WriteWav(wav, 1000));
    const int n = 2000;  // far beyond five; the benchmark times larger ones
    StoreEntries(0, n, wav);
    StartApp();
    ASSERT_EQ(EntryCount(0), n);
    EXPECT_EQ(SendMessageW(g_ui.hList, LVM_GETITEMCOUNT, 0, 0), 5) << "the list shows five rows";
    EXPECT_STREQ(Display().totalNumberText, L"[2000]");
    EXPECT_EQ(lstrcmpiW(g_app.currentPath, wav.c_str()), 0);

    OnNextReleased();
    OnNextReleased();
    OnPreviousReleased();
    EXPECT_EQ(g_app.currentItem, 1);
    g_app.random = 1;
    OnNextReleased();
    ASSERT_TRUE(g_app.currentItem >= 0 && g_app.currentItem < n);
    g_app.random = 0;

    DeleteStockEntries({0, n / 2, n - 1});
    EXPECT_EQ(EntryCount(0), n - 3);
    EXPECT_EQ(CountGenreEntries(0), n - 3) << "no gap before the count";
    EXPECT_EQ(ReadStockField(0, n / 2 - 1, FieldTitle), L"曲" + std::to_wstring(n / 2 + 1));
    EXPECT_EQ(ReadStockField(0, n - 4, FieldTitle), L"曲" + std::to_wstring(n - 2));

    SendMessageW(g_ui.hMain, WM_COMMAND, ID_LIST_ERASE, 0);  // Alt+L
    driver::PumpMessages(300);
    EXPECT_EQ(EntryCount(0), 0);
    EXPECT_EQ(SendMessageW(g_ui.hList, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_STREQ(Display().totalNumberText, L"[0]");
    EXPECT_TRUE(MediaIsOpen()) << "the loaded media stays loaded";
}

}  // namespace
