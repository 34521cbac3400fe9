// Files dropped on the real main window, delivered as the platform delivers them.

#include <shlobj.h>

#include "services/transport.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "ui/window_state.h"
#include "services/stock_store.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"

namespace {

// A drop as the shell hands it over: a header, then the wide paths, each NUL-ended, and a NUL.
HDROP MakeDrop(const std::vector<std::wstring> &paths) {
    size_t chars = 1;
    for (const std::wstring &p : paths) chars += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    DROPFILES *header = static_cast<DROPFILES *>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    wchar_t *out = reinterpret_cast<wchar_t *>(header + 1);
    for (const std::wstring &p : paths) {
        memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        out += p.size() + 1;
    }
    *out = 0;
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class FileDrop : public driver::AppTest {};

TEST_F(FileDrop, ThreeDroppedFilesAreAppendedAndTheThirdStaysCurrent) {
    std::vector<std::wstring> paths;
    for (const wchar_t *name : {L"a.wav", L"b.wav", L"c.wav"}) {
        paths.push_back(driver::InTestFolder(L"drop", name));
        ASSERT_TRUE(driver::WriteWav(paths.back(), 1200));
    }
    // A path longer than the program can hold is refused, not cut.
    std::vector<std::wstring> dropped = paths;
    dropped.insert(dropped.begin() + 1, L"C:\\" + std::wstring(300, L'x') + L".wav");

    HWND main = StartApp();
    g_ui.zoom = 300;
    SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);

    // The store's contents are checked where files are added (tests/e2e, HostileMedia): here
    // that the long path is neither stored nor cut, and that the order holds.
    EXPECT_EQ(CountGenreEntries(0), 3);
    EXPECT_EQ(ReadStockField(0, 1, FieldPath), paths[1]);
    EXPECT_EQ(g_app.currentItem, 2);
    EXPECT_EQ(std::wstring(g_app.currentPath), paths[2]);
    EXPECT_STREQ(Display().currentNumberText, L"[3]");
    EXPECT_EQ(g_ui.zoom, 0);
    EXPECT_FALSE(driver::MediaPlaying());
    EXPECT_NEAR(double(MediaLengthMs()), 1200.0, 50.0);
}

}  // namespace
