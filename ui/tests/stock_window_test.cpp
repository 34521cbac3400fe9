// The stock window on the real windows: its list and thumbnails, the right-click menu, the
// genre and delete commands, a genre filled through the File button's dialog and by a drop,
// a genre far beyond five entries, the first entry's load at start, and the media keys.

#include <shlobj.h>

#include "resources/resource.h"
#include "services/media_device.h"
#include "services/registry.h"
#include "services/stock_store.h"
#include "services/transport.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"
#include "ui/shell/main_window.h"
#include "ui/shell/startup.h"
#include "ui/shell/skinned_button.h"
#include "ui/stock/stock_window.h"
#include "ui/window_state.h"

namespace {

const wchar_t kFolder[] = L"C:\\mirelo-test\\stock window";

std::wstring InFolder(const std::wstring &name) { return driver::InTestFolder(L"stock window", name); }

int Rows() { return ListView_GetItemCount(g_ui.hList); }

std::wstring Cell(int row, int column) {
    wchar_t text[512] = L"";
    ListView_GetItemText(g_ui.hList, row, column, text, 512);
    return text;
}

void Select(std::initializer_list<int> rows) {
    ListView_SetItemState(g_ui.hList, -1, 0, LVIS_SELECTED);
    for (int row : rows) ListView_SetItemState(g_ui.hList, row, LVIS_SELECTED, LVIS_SELECTED);
}

void Command(int id) { SendMessageW(g_ui.hStock, WM_COMMAND, id, 0); }

// The colour at the middle of a row's picture, drawn over white as the list draws it.
COLORREF ImageColour(int row) {
    LVITEMW item{}; item.mask = LVIF_IMAGE, item.iItem = row;
    SendMessageW(g_ui.hList, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    driver::AppTest::Canvas canvas;
    driver::AppTest::MakeCanvas(canvas, 60, 40);
    ImageList_Draw(g_ui.thumbnails, item.iImage, canvas.dc, 0, 0, ILD_NORMAL);
    return canvas.At(30, 20);
}

using StockWindow = driver::AppTest;

// What the stock menu showed while it was open: its rectangle and its items.
RECT g_menuRect;
std::vector<std::wstring> g_menuItems;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, timer);
    GetWindowRect(menuWindow, &g_menuRect);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[kTextChars] = L"";
        GetMenuStringW(menu, UINT(i), text, kTextChars, MF_BYPOSITION);
        g_menuItems.push_back(text);
    }
    EndMenu();
}

TEST_F(StockWindow, RowsShowThumbnailsGenreCommandsKeepTheMediaDeletingReloadsAndTheMenuOpensAtTheCorner) {
    // The tiled background is there (what it looks like is for the screenshots).
    ASSERT_TRUE(driver::WriteSolidBmp(L"C:\\ListBk.bmp", 8, 8, RGB(250, 240, 200)));
    // Three WAV entries in genre 0 and one in genre 1, each of its own length.
    const wchar_t *names[] = {L"one.wav", L"two.wav", L"three.wav", L"four.wav"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(driver::WriteWav(InFolder(names[i]), 1500 + 200 * i));
        driver::StoreStockEntry(i < 3 ? 0 : 1, i < 3 ? i : 0, names[i], InFolder(names[i]));
    }
    EnsureThumbnailFolder();
    ASSERT_TRUE(driver::WriteSolidBmp(ThumbnailPath(0, 0), 160, 120, RGB(200, 40, 40)));
    ASSERT_TRUE(driver::WriteSolidBmp(ThumbnailPath(0, 2), 64, 48, RGB(40, 40, 200)));
    StartApp();

    DeleteFileW(L"C:\\ListBk.bmp");
    ASSERT_EQ(Rows(), 3);
    // Filled while hidden, shown with the playback window.
    EXPECT_TRUE(IsWindowVisible(g_ui.hPlay) && IsWindowVisible(g_ui.hList));
    EXPECT_EQ(Cell(1, 0) + Cell(1, 1) + Cell(1, 2) + Cell(1, 3) + Cell(1, 4),
              L"two.wav2 1 秒mpegvideo" + InFolder(L"two.wav"));
    EXPECT_TRUE(ImageColour(0) == RGB(200, 40, 40) && ImageColour(2) == RGB(40, 40, 200));
    EXPECT_NE(ImageColour(1), RGB(200, 40, 40)) << "no picture: the program's own";

    // A broken thumbnail file shows the same picture as a missing one.
    ASSERT_TRUE(driver::WriteBytes(ThumbnailPath(0, 0), "BM broken"));
    g_app.settings.CapWidth = 80;
    g_app.settings.CapHight = 50;
    ReplaceThumbnailList(1000000);
    RefillStockList();
    EXPECT_EQ(ImageColour(0), ImageColour(1));

    StartPlaying();
    const std::wstring playing = g_app.currentPath;

    // Another genre: its list, the media plays on.
    Command(StockMenuCommand(1));
    EXPECT_TRUE(Rows() == 1 && Cell(0, 0) == L"four.wav");
    EXPECT_STREQ(Display().totalNumberText, L"[1]");
    EXPECT_TRUE(g_app.currentPath == playing && driver::MediaPlaying());

    // An empty genre rewinds the media but keeps it loaded.
    ASSERT_TRUE(driver::PumpUntil([] { return QueryPosition() > 500; }, 3000));
    Command(StockMenuCommand(21));
    EXPECT_TRUE(Rows() == 0 && !lstrcmpW(Display().currentNumberText, L"[0]"));
    EXPECT_TRUE(MediaIsOpen() && QueryPosition() < 300u);

    // Deleting rows 0 and 2 of three leaves the middle one, numbered 1, loaded not playing.
    Command(StockMenuCommand(0));
    StartPlaying();
    Select({0, 2});
    Command(ID_STOCK_DELETE);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0) + Cell(0, 1) + Display().currentNumberText, L"two.wav1[1]");
    EXPECT_EQ(g_app.currentPath, InFolder(L"two.wav"));
    EXPECT_TRUE(MediaIsOpen() && !driver::MediaPlaying());
    EXPECT_TRUE(IsWindowVisible(g_ui.hList)) << "its drawing held only while refilled";

    // Nothing selected: nothing happens.
    Select({});
    Command(ID_STOCK_DELETE);
    EXPECT_EQ(Rows(), 1);

    // The last row, by the Delete key: an empty list, "[0]" twice and the device closed.
    Select({0});
    SendMessageW(g_ui.hList, WM_KEYDOWN, VK_DELETE, 0);
    driver::PumpMessages(50);
    EXPECT_EQ(Rows() + EntryCount(0) + MediaIsOpen(), 0);
    EXPECT_STREQ(Display().totalNumberText, L"[0]");

    // A right click well inside the list opens the genre menu at the window's top-left corner
    // with the genre names as they are now.
    lstrcpyW(g_app.settings.Genre[3], L"私の音楽");
    g_menuItems.clear();
    SetTimer(nullptr, 0, 50, LookAtMenu);
    PostMessageW(g_ui.hList, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 30));
    PostMessageW(g_ui.hList, WM_RBUTTONUP, 0, MAKELPARAM(150, 30));
    driver::PumpUntil([] { return !g_menuItems.empty(); }, 2000);

    POINT corner = {0, 0};
    ClientToScreen(g_ui.hStock, &corner);
    EXPECT_TRUE(g_menuRect.left == corner.x && g_menuRect.top == corner.y);
    EXPECT_TRUE(g_menuItems.size() > 5 && g_menuItems[5] == L"私の音楽") << "the fourth genre's name as it is now";
}

// A drop as the shell hands it over: a header, then the wide paths, each NUL-ended, and a NUL.
HDROP MakeDrop(const std::vector<std::wstring> &paths) {
    std::wstring list;
    for (const std::wstring &p : paths) list += p + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    DROPFILES *header = static_cast<DROPFILES *>(GlobalLock(memory));
    *header = {sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(StockWindow, GenresFilledThroughTheFileDialogAndByADropAndTheFileDialogsRowsPlay) {
    // The thumbnails of each kind are tested where files are added; here the dialog's way.
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"a.avi"), 3, 64, 48));
    for (const wchar_t *name : {L"b.wav", L"c.wav", L"d.wav", L"e.wav", L"f.wav"})
        ASSERT_TRUE(driver::WriteWav(InFolder(name), 2500));
    StartApp();

    int filters = 0;
    driver::DialogHand hand([&](HWND dialog) {
        if (!dialog) return;
        filters = int(SendDlgItemMessageW(dialog, 0x470, CB_GETCOUNT, 0, 0));
        // Into the folder first, then the names, as a person types them.
        driver::TypeFileName(dialog, kFolder);
        Sleep(200);
        driver::TypeFileName(dialog, L"\"a.avi\" \"b.wav\" \"c.wav\" \"d.wav\" \"e.wav\" \"f.wav\"");
    });
    PressButton(SlotFile);
    ASSERT_TRUE(hand.Finish());
    EXPECT_EQ(filters, 32) << "every pair of the filter reached the dialog";

    // Five listed in the dialog's order; the sixth was opened but not stored.
    ASSERT_EQ(Rows(), 5);
    EXPECT_EQ(Cell(0, 0) + Cell(1, 0) + Cell(2, 0) + Cell(3, 0) + Cell(4, 0) + Display().currentNumberText,
              L"a.avib.wavc.wavd.wave.wav[5]");
    EXPECT_EQ(MediaPath(), InFolder(L"f.wav"));

    // A double click on the second row plays it.
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageW(g_ui.hList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    const LPARAM at = MAKELPARAM(row.left + 30, (row.top + row.bottom) / 2);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(g_ui.hList, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    EXPECT_TRUE(driver::PumpUntil([] { return driver::MediaPlaying(); }, 2000));
    EXPECT_TRUE(g_app.currentItem == 1 && g_app.currentPath == InFolder(L"b.wav"));

    // Enter on the fourth row plays it as a double click does.
    Select({3});
    SendMessageW(g_ui.hList, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(g_app.currentItem == 3 && g_app.currentPath == InFolder(L"d.wav"));

    // Dropped on the main window into another genre: appended in order, the last one loaded
    // and not playing; a path longer than the program can hold is refused, not cut. (The
    // store's contents are checked where files are added: HostileMedia.)
    Command(StockMenuCommand(1));
    g_ui.zoom = 300;
    const std::vector<std::wstring> dropped = {InFolder(L"b.wav"), L"C:\\" + std::wstring(300, L'x') + L".wav",
                                               InFolder(L"c.wav"), InFolder(L"d.wav")};
    SendMessageW(g_ui.hMain, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);
    EXPECT_EQ(CountGenreEntries(1), 3);
    EXPECT_EQ(ReadStockField(1, 1, FieldPath), InFolder(L"c.wav"));
    EXPECT_TRUE(g_app.currentItem == 2 && g_app.currentPath == InFolder(L"d.wav"));
    EXPECT_STREQ(Display().currentNumberText, L"[3]");
    EXPECT_TRUE(g_ui.zoom == 0 && !driver::MediaPlaying());
    EXPECT_NEAR(double(MediaLengthMs()), 2500.0, 50.0);
}

using LargeList = driver::AppTest;

TEST_F(LargeList, ThousandsOfEntriesStartListMoveDeleteAndClear) {
    const std::wstring wav = driver::InTestFolder(L"large list", L"tone.wav");
    ASSERT_TRUE(driver::WriteWav(wav, 1000));
    const int n = 1000;  // far beyond five; the benchmark times larger ones
    for (int i = 0; i < n; ++i) driver::StoreStockEntry(0, i, L"曲" + std::to_wstring(i), wav);
    StartApp();
    ASSERT_EQ(EntryCount(0), n);
    EXPECT_EQ(Rows(), 5) << "the list shows five rows";
    EXPECT_STREQ(Display().totalNumberText, L"[1000]");
    EXPECT_EQ(lstrcmpiW(g_app.currentPath, wav.c_str()), 0);
    for (auto step : {OnNextReleased, OnNextReleased, OnPreviousReleased}) step();
    EXPECT_EQ(g_app.currentItem, 1);
    g_app.random = 1;
    OnNextReleased();
    ASSERT_TRUE(g_app.currentItem >= 0 && g_app.currentItem < n);
    g_app.random = 0;

    DeleteStockEntries({0, n / 2, n - 1});
    EXPECT_EQ(EntryCount(0) + CountGenreEntries(0), 2 * (n - 3)) << "no gap before the count";
    EXPECT_EQ(ReadStockField(0, n / 2 - 1, FieldTitle), L"曲" + std::to_wstring(n / 2 + 1));
    EXPECT_EQ(ReadStockField(0, n - 4, FieldTitle), L"曲" + std::to_wstring(n - 2));

    SendMessageW(g_ui.hMain, WM_COMMAND, ID_LIST_ERASE, 0);  // Alt+L
    driver::PumpMessages(300);
    EXPECT_EQ(EntryCount(0) + Rows(), 0);
    EXPECT_STREQ(Display().totalNumberText, L"[0]");
    EXPECT_TRUE(MediaIsOpen()) << "the loaded media stays loaded";
}

using StartupOpen = driver::AppTest;

TEST_F(StartupOpen, TheFirstDeviceCallFindsTheFirstEntryLoadedAndTheLoadIsNotRepeated) {
    driver::StoreStockEntry(0, 0, L"tone", driver::MadeMedia(L"tone4s.wav"));
    OpenRegistryKeys(g_app.keys);
    FinishStartup(CreateMainWindow());  // no message is handled yet: the open may be under way
    EXPECT_TRUE(MediaIsOpen());
    EXPECT_GT(MediaLengthMs(), 1000u);
    EXPECT_EQ(Display().barMax, int(MediaLengthMs() / 1000)) << "the bar was not set for it";

    Display().barMax = 12345;  // a load made again would set the bar anew
    // The open's own message comes now: it is waited for and handled.
    MSG msg = {};
    for (const DWORD until = GetTickCount() + 5000; msg.message != WM_MEDIA_OPENED && GetTickCount() < until; Sleep(1))
        while (msg.message != WM_MEDIA_OPENED && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    ASSERT_EQ(msg.message, UINT(WM_MEDIA_OPENED)) << "the open's message never came";
    EXPECT_EQ(Display().barMax, 12345) << "the load was made a second time";
}

using MediaKeys = driver::AppTest;

void Press(WORD key) {
    INPUT input[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

TEST_F(MediaKeys, TheTransportKeysActWhileAnotherWindowHasTheFocus) {
    const std::wstring one = driver::InTestFolder(L"keys", L"one.wav"),
                       two = driver::InTestFolder(L"keys", L"two.wav");
    ASSERT_TRUE(driver::WriteWav(one, 3000) && driver::WriteWav(two, 3000));
    driver::StoreStockEntry(0, 0, L"one.wav", one);
    driver::StoreStockEntry(0, 1, L"two.wav", two);
    StartApp();
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    SetFocus(other);

    Press(VK_MEDIA_PLAY_PAUSE);
    EXPECT_TRUE(driver::PumpUntil([] { return driver::MediaPlaying(); }, 2000)) << "play";
    Press(VK_MEDIA_PLAY_PAUSE);
    EXPECT_TRUE(driver::PumpUntil([] { return g_app.paused != 0; }, 2000)) << "pause";
    Press(VK_MEDIA_PLAY_PAUSE);
    EXPECT_TRUE(driver::PumpUntil([] { return !g_app.paused && driver::MediaPlaying(); }, 2000));
    Press(VK_MEDIA_NEXT_TRACK);
    EXPECT_TRUE(driver::PumpUntil([] { return g_app.currentItem == 1; }, 2000)) << "next";
    DestroyWindow(other);
}

}  // namespace
