// The stock window on the real windows: its list and thumbnails, the right-click menu, the
// genre and delete commands, and a genre filled through the File button's dialog.

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
#include "tests/driver/media_files.h"

namespace {

const wchar_t kFolder[] = L"C:\\mirelo-test\\stock window";

std::wstring InFolder(const std::wstring &name) {
    return driver::InTestFolder(L"stock window", name);
}

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

TEST_F(StockWindow, RowsShowThumbnailsGenreCommandsKeepTheMediaDeletingReloadsAndTheMenuOpensAtTheCorner) {
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
    EXPECT_NE(ImageColour(1), RGB(200, 40, 40)) << "no picture: the program's own";

    // A broken thumbnail file shows the same picture as a missing one.
    ASSERT_TRUE(driver::WriteBytes(ThumbnailPath(0, 0), "BM broken"));
    g_app.settings.CapWidth = 80;
    g_app.settings.CapHight = 50;
    ReplaceThumbnailList(1000000);
    RefillStockList();
    EXPECT_EQ(ImageColour(0), ImageColour(1));
    EXPECT_EQ(ImageColour(2), RGB(40, 40, 200));

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

    // The last row, by the Delete key: an empty list, "[0]" twice and the device closed.
    Select({0});
    SendMessageW(g_ui.hList, WM_KEYDOWN, VK_DELETE, 0);
    driver::PumpMessages(50);
    EXPECT_EQ(Rows() + EntryCount(0), 0);
    EXPECT_STREQ(Display().totalNumberText, L"[0]");
    EXPECT_FALSE(MediaIsOpen());

    // A right click well inside the list opens the genre menu at the window's top-left corner
    // with the genre names as they are now.
    lstrcpyW(g_app.settings.Genre[3], L"私の音楽");
    g_seenMenu = SeenMenu();
    SetTimer(nullptr, 0, 50, LookAtMenu);
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

TEST_F(StockWindow, FillingAGenreThroughTheFileDialogThenDoubleClickingPlaysTheSecondRow) {
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
        Sleep(500);
        driver::TypeFileName(dialog, L"\"a.avi\" \"b.wav\" \"c.wav\" \"d.wav\" \"e.wav\" \"f.wav\"");
    });
    PressButton(SlotFile);
    ASSERT_TRUE(hand.Finish());
    driver::PumpMessages(200);
    EXPECT_EQ(filters, 32) << "every pair of the filter reached the dialog";

    // Five listed in the dialog's order; the sixth was opened but not stored.
    ASSERT_EQ(Rows(), 5);
    const wchar_t *titles[] = {L"a.avi", L"b.wav", L"c.wav", L"d.wav", L"e.wav"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Cell(i, 0), titles[i]);
    EXPECT_EQ(MediaPath(), InFolder(L"f.wav"));
    EXPECT_STREQ(Display().currentNumberText, L"[5]");

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

    // Enter on the fourth row plays it as a double click does.
    Select({3});
    SendMessageW(g_ui.hList, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(g_app.currentItem, 3);
    EXPECT_EQ(std::wstring(g_app.currentPath), InFolder(L"d.wav"));
}

} // namespace
