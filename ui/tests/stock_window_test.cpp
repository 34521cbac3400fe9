// The stock window on the real windows: its list and thumbnails, the right-click menu, the
// genre and delete commands, and a genre filled through the File button's dialog.
#include <gtest/gtest.h>

#include "services/media_device.h"
#include "services/transport.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/skinned_button.h"
#include "core/stock_names.h"
#include "services/stock_store.h"
#include "ui/stock/stock_window.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kFolder[] = L"C:\\mirelo-test\\stock window";

std::wstring InFolder(const std::wstring &name) {
    return driver::InTestFolder(L"stock window", name);
}

int Rows() {
    return int(SendMessageW(g_ui.hList, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring Cell(int row, int column) {
    wchar_t text[512] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(g_ui.hList, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

void Select(std::initializer_list<int> rows) {
    LVITEMW none = {};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(g_ui.hList, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&none));
    for (int row : rows) {
        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageW(g_ui.hList, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    }
}

void Command(int id) {
    SendMessageW(g_ui.hStock, WM_COMMAND, id, 0);
}

// The colour at the middle of a row's picture, drawn over white as the list draws it.
COLORREF ImageColour(int row) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageW(g_ui.hList, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    driver::AppTest::Canvas canvas;
    driver::AppTest::MakeCanvas(canvas, 60, 40);
    ImageList_Draw(g_ui.thumbnails, item.iImage, canvas.dc, 0, 0, ILD_NORMAL);
    return canvas.At(30, 20);
}

class StockWindow : public driver::AppTest {
  protected:
    void TearDown() override {
        AppTest::TearDown();
        DeleteFileW(L"C:\\ListBk.bmp");
    }
    // Three WAV entries in genre 0 and one in genre 1, each of its own length.
    void StoreWavEntries() {
        const wchar_t *names[] = {L"one.wav", L"two.wav", L"three.wav", L"four.wav"};
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(driver::WriteWav(InFolder(names[i]), 1500 + 200 * i));
            driver::StoreStockEntry(i < 3 ? 0 : 1, i < 3 ? i : 0, names[i], InFolder(names[i]));
        }
    }
};

TEST_F(StockWindow, EachRowShowsItsThumbnailOrTheNoImagePicture) {
    // The tiled background is there (what it looks like is for the screenshots).
    ASSERT_TRUE(driver::WriteSolidBmp(L"C:\\ListBk.bmp", 8, 8, RGB(250, 240, 200)));
    StoreWavEntries();
    EnsureThumbnailFolder();
    ASSERT_TRUE(driver::WriteSolidBmp(ThumbnailPath(0, 0), 160, 120, RGB(200, 40, 40)));
    ASSERT_TRUE(driver::WriteSolidBmp(ThumbnailPath(0, 2), 64, 48, RGB(40, 40, 200)));
    StartApp();

    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(1, 0) + Cell(1, 1) + Cell(1, 2) + Cell(1, 3), L"two.wav2 1 秒mpegvideo");
    EXPECT_EQ(Cell(1, 4), InFolder(L"two.wav"));
    EXPECT_EQ(ImageColour(0), RGB(200, 40, 40));
    EXPECT_EQ(ImageColour(2), RGB(40, 40, 200));
    const COLORREF none = ImageColour(1);
    EXPECT_NE(none, RGB(200, 40, 40));
    EXPECT_NE(none, RGB(40, 40, 200));

    // A broken thumbnail file shows the same picture as a missing one.
    ASSERT_TRUE(driver::WriteBytes(ThumbnailPath(0, 0), "BM broken"));
    g_app.settings.CapWidth = 80;
    g_app.settings.CapHight = 50;
    ReplaceThumbnailList(1000000);
    RefillStockList();
    EXPECT_EQ(ImageColour(0), ImageColour(1));
    EXPECT_EQ(ImageColour(2), RGB(40, 40, 200));
}

// Looks at the stock menu while it is open, then closes it.
struct SeenMenu {
    RECT rect = {};
    std::vector<std::wstring> items;
} g_seenMenu;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, timer);
    GetWindowRect(menuWindow, &g_seenMenu.rect);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[kTextChars] = L"";
        GetMenuStringW(menu, UINT(i), text, kTextChars, MF_BYPOSITION);
        g_seenMenu.items.push_back(text);
    }
    EndMenu();
}

TEST_F(StockWindow, RightClickOpensTheGenreMenuAtTheTopLeftCornerWithTheGenreNames) {
    StartApp();
    lstrcpyW(g_app.settings.Genre[3], L"私の音楽");
    g_seenMenu = SeenMenu();
    SetTimer(nullptr, 0, 50, LookAtMenu);
    // A right click well inside the list, away from the corner.
    PostMessageW(g_ui.hList, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 30));
    PostMessageW(g_ui.hList, WM_RBUTTONUP, 0, MAKELPARAM(150, 30));
    driver::PumpUntil([] { return !g_seenMenu.items.empty(); }, 2000);

    POINT corner = {0, 0};
    ClientToScreen(g_ui.hStock, &corner);
    EXPECT_EQ(g_seenMenu.rect.left, corner.x);
    EXPECT_EQ(g_seenMenu.rect.top, corner.y);
    ASSERT_GT(g_seenMenu.items.size(), 5u);
    EXPECT_EQ(g_seenMenu.items[5], L"私の音楽") << "the fourth genre's name as it is now";
}

TEST_F(StockWindow, GenreCommandsKeepTheMediaAndDeletingRowsReloadsTheFirstEntry) {
    StoreWavEntries();
    StartApp();
    ASSERT_EQ(Rows(), 3);
    StartPlaying();
    const std::wstring playing = g_app.currentPath;

    // Another genre: its list, the media plays on.
    Command(StockMenuCommand(1));
    EXPECT_EQ(g_app.currentGenre, 1);
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0), L"four.wav");
    EXPECT_STREQ(Display().totalNumberText, L"[1]");
    EXPECT_EQ(std::wstring(g_app.currentPath), playing);
    EXPECT_TRUE(driver::MediaPlaying());

    // An empty genre rewinds the media but keeps it loaded.
    ASSERT_TRUE(driver::PumpUntil([] { return QueryPosition() > 500; }, 3000));
    Command(StockMenuCommand(21));
    EXPECT_EQ(Rows(), 0);
    EXPECT_STREQ(Display().currentNumberText, L"[0]");
    EXPECT_TRUE(MediaIsOpen());
    EXPECT_LT(QueryPosition(), 300u);

    // Deleting rows 0 and 2 of three leaves the middle one, numbered 1, loaded not playing.
    Command(StockMenuCommand(0));
    ASSERT_EQ(Rows(), 3);
    StartPlaying();
    Select({0, 2});
    Command(ID_STOCK_DELETE);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0) + Cell(0, 1), L"two.wav1");
    EXPECT_EQ(std::wstring(g_app.currentPath), InFolder(L"two.wav"));
    EXPECT_TRUE(MediaIsOpen() && !driver::MediaPlaying());
    EXPECT_STREQ(Display().currentNumberText, L"[1]");

    // Nothing selected: nothing happens.
    Select({});
    Command(ID_STOCK_DELETE);
    EXPECT_EQ(Rows(), 1);

    // The last row: an empty list, "[0]" twice and the device closed.
    Select({0});
    Command(ID_STOCK_DELETE);
    EXPECT_EQ(Rows() + g_app.counts[0], 0);
    EXPECT_STREQ(Display().totalNumberText, L"[0]");
    EXPECT_FALSE(MediaIsOpen());
}

TEST_F(StockWindow, FillingAGenreThroughTheFileDialogThenDoubleClickingPlaysTheSecondRow) {
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"a.avi"), 3, 64, 48));
    ASSERT_TRUE(driver::WriteWav(InFolder(L"b.wav"), 2500));
    ASSERT_TRUE(CopyFileW(driver::MadeMedia(L"clip.mpg").c_str(),
                          InFolder(L"c.mpg").c_str(), FALSE));
    ASSERT_TRUE(driver::WriteWav(InFolder(L"d.wav"), 800));
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"e.avi"), 3, 32, 32));
    ASSERT_TRUE(driver::WriteWav(InFolder(L"f.wav"), 900));
    StartApp();

    int filters = 0;
    driver::DialogHand hand([&](HWND dialog) {
        if (!dialog) return;
        filters = int(SendDlgItemMessageW(dialog, 0x470, CB_GETCOUNT, 0, 0));
        // Into the folder first, then the names, as a person types them.
        driver::TypeFileName(dialog, kFolder);
        Sleep(500);
        driver::TypeFileName(dialog, L"\"a.avi\" \"b.wav\" \"c.mpg\" \"d.wav\" \"e.avi\" \"f.wav\"");
    });
    PressButton(SlotFile);
    ASSERT_TRUE(hand.Finish());
    driver::PumpMessages(200);
    EXPECT_EQ(filters, 32) << "every pair of the filter reached the dialog";

    // Five listed in the dialog's order (the store's contents are checked by HostileMedia);
    // the sixth was opened but not stored.
    ASSERT_EQ(Rows(), 5);
    const wchar_t *titles[] = {L"a.avi", L"b.wav", L"c.mpg", L"d.wav", L"e.avi"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Cell(i, 0), titles[i]);
    EXPECT_EQ(MediaPath(), InFolder(L"f.wav"));
    EXPECT_STREQ(Display().currentNumberText, L"[5]");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(driver::Exists(ThumbnailPath(0, i)), i % 2 == 0) << "a thumbnail for video " << i;

    // A double click on the second row plays it.
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageW(g_ui.hList, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    const LPARAM at = MAKELPARAM(row.left + 30, (row.top + row.bottom) / 2);
    SendMessageW(g_ui.hList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(g_ui.hList, WM_LBUTTONUP, 0, at);
    SendMessageW(g_ui.hList, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(g_ui.hList, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(driver::PumpUntil([] { return driver::MediaPlaying(); }, 2000));
    EXPECT_EQ(g_app.currentItem, 1);
    EXPECT_EQ(std::wstring(g_app.currentPath), InFolder(L"b.wav"));
}

} // namespace
