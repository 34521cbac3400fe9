// The main window's commands on the real windows: menus, skin, notification area, task bar,
// accelerators and the CD tray buttons.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "playback/media_device.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/skinned_button.h"
#include "shell/window_commands.h"
#include "stock/stock_store.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

struct MenuLine {
    int depth;
    std::wstring label;  // "-" for a separator
    UINT id;             // 0 for a sub-menu or separator
};

void Walk(HMENU menu, int depth, std::vector<MenuLine> &out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            out.push_back({depth, L"-", 0});
        } else {
            out.push_back({depth, text, info.hSubMenu ? 0 : info.wID});
            if (info.hSubMenu) Walk(info.hSubMenu, depth + 1, out);
        }
    }
}

TEST(Menus, ThePopUpMenuHasEveryLabelInItsOrder) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_POPUP));
    ASSERT_TRUE(menu);
    wchar_t top[64] = L"";
    GetMenuStringW(menu, 0, top, 64, MF_BYPOSITION);
    EXPECT_STREQ(top, L"表示されない");
    std::vector<MenuLine> lines;
    Walk(GetSubMenu(menu, 0), 0, lines);
    const std::vector<MenuLine> expected = {
        {0, L"★虫眼鏡", 0},
        {1, L" +200", 32931}, {1, L" +400", 32932}, {1, L" +600", 32933}, {1, L" +800", 32934},
        {1, L"+1000", 32935}, {1, L"+1200", 32936}, {1, L"+1400", 32937}, {1, L"+1600", 32938},
        {1, L"+1800", 32939}, {1, L"+2000", 32940}, {1, L"+2200", 32948}, {1, L"+2400", 32949},
        {1, L"+2600", 32950}, {1, L"+2800", 32951}, {1, L"+3000", 32952},
        {1, L"元のサイズ", 32941},
        {0, L"★ファイル選択\t(Sift + F)", 40105},
        {0, L"-", 0},
        {0, L"★ブラウザ\t(Sift + W)", 40116},
        {0, L"★ファイル操作(&C)", 0},
        {1, L"再生\t(Alt + P)", 40043}, {1, L"停止\t(Alt + S)", 40044},
        {1, L"一時停止\t(Alt +  I)", 40045}, {1, L"トラック送り\t(Alt + O)", 40048},
        {1, L"トラック戻し\t(Alt + M)", 40050}, {1, L"録音\t(Alt + R)", 40051},
        {1, L"繰り返し再生\t(Alt + K)", 40069}, {1, L"連続再生\t(Alt + X)", 40108},
        {1, L"リスト消去\t(Alt + L)", 40113},
        {0, L"★音声操作(&O)", 0},
        {1, L"ミュート\t(Shift + M)", 40052},
        {0, L"-", 0},
        {0, L"★トレイ開閉(&T)", 0},
        {1, L"トレイクローズ\t(Alt + C)", 40047},
        {0, L"-", 0},
        {0, L"★本体ウィンドウ(&M)", 0},
        {1, L"トレイに入れる\t(Shift + T)", 40013}, {1, L"バーに入れる\t(Shift + B)", 40014},
        {0, L"★サイドウィンドウ(&S)", 0},
        {1, L"右ウィンドウ\t(Ctl + R)", 32884}, {1, L"左ウィンドウ\t(Ctl + L)", 32885},
        {0, L"★再生ウィンドウ(&P)", 0},
        {1, L"トレイに入れる\t(Ctl + T)", 40101}, {1, L"バーに入れる\t(Ctl + B)", 40017},
        {1, L"-", 0}, {1, L"最大化・元のサイズ\t(Ctl + M)", 40020},
        {0, L"★全ウィンドウ", 0},
        {1, L"全てトレイに入れる", 40123},
        {0, L"-", 0},
        {0, L"★スキンチェンジ", 0},
        {1, L"可愛いスキン", 32914}, {1, L"クールなスキン", 32915}, {1, L"(ユーザー定義)", 32917},
        {0, L"-", 0},
        {0, L"★バックアップ", 0},
        {1, L"保存", 32910}, {1, L"読み込み", 32909},
        {0, L"-", 0},
        {0, L"★終了(&X)\t(Shift + X)", 40011},
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].depth, expected[i].depth) << i;
        EXPECT_EQ(lines[i].label, expected[i].label) << i;
        EXPECT_EQ(lines[i].id, expected[i].id) << i;
    }
    DestroyMenu(menu);
}

TEST(Menus, TheStockMenuDeletesAndSwitchesGenres) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_STOCK));
    ASSERT_TRUE(menu);
    std::vector<MenuLine> lines;
    Walk(GetSubMenu(menu, 0), 0, lines);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[0].label, L"選択項目の削除");
    EXPECT_EQ(lines[0].id, 40119u);
    EXPECT_EQ(lines[1].label, L"-");
    const UINT ids[22] = {32867, 32868, 32869, 32870, 32871, 32872, 32873, 32874,
                          32875, 32876, 32891, 32893, 32894, 32895, 32896, 32897,
                          32898, 32899, 32900, 32901, 32902, 32903};
    for (int g = 0; g < 22; ++g) EXPECT_EQ(lines[2 + g].id, ids[g]) << g;
    DestroyMenu(menu);
}

class Commands : public driver::AppTest {};

TEST_F(Commands, EachSkinCommandWritesTheSkinAsAFourByteNumber) {
    HWND main = StartApp();
    for (int skin : {1, 2, 0}) {
        const int command = skin == 0 ? ID_SKIN_CUTE : skin == 1 ? ID_SKIN_COOL : ID_SKIN_USER;
        SendMessageW(main, WM_COMMAND, command, 0);
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(driver::ReadRegistryValue(L"Software\\Mirelo\\Setting\\date", L"Skin", &type,
                                              &data));
        EXPECT_EQ(type, DWORD(REG_DWORD));
        ASSERT_EQ(data.size(), 4u);
        EXPECT_EQ(*reinterpret_cast<DWORD *>(data.data()), DWORD(skin));
        EXPECT_EQ(g_app.settings.Skin, skin);
    }
}

TEST_F(Commands, TheMainWindowGoesToTheNotificationAreaAndComesBackWithoutItsSideWindows) {
    HWND main = StartApp();
    PressButton(SlotRightTab);
    for (int i = 0; i < 600 && g_app.right.slide != -223; ++i) driver::PumpMessages(10);
    ASSERT_TRUE(IsWindowVisible(g_app.hRightPanel));

    SendMessageW(main, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(IsWindowVisible(g_app.hRightPanel));
    EXPECT_EQ(g_app.right.open, 0);
    EXPECT_EQ(g_app.tray[TrayMain].uID, UINT(IDI_TRAY_MAIN));
    EXPECT_EQ(g_app.tray[TrayMain].uCallbackMessage, UINT(WM_TRAY_MAIN));
    EXPECT_STREQ(g_app.tray[TrayMain].szTip, L"Mirelo");
    EXPECT_NE(g_app.tray[TrayMain].cbSize, 0u);

    SendMessageW(main, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsWindowVisible(g_app.hRightPanel));
    EXPECT_EQ(g_app.tray[TrayMain].cbSize, 0u) << "the icon is gone";
}

TEST_F(Commands, TaskBarCommandsMinimiseTheirWindows) {
    HWND main = StartApp();
    SendMessageW(main, WM_COMMAND, ID_PLAY_TO_BAR, 0);
    EXPECT_TRUE(IsIconic(g_app.hPlay));
    ShowWindow(g_app.hPlay, SW_RESTORE);
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_TRAY, 0);
    EXPECT_FALSE(IsWindowVisible(g_app.hStock));
    EXPECT_EQ(g_app.tray[TrayStock].uID, UINT(IDI_TRAY_STOCK));
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_BAR, 0);
    EXPECT_EQ(g_app.tray[TrayStock].cbSize, 0u);
    SendMessageW(main, WM_COMMAND, ID_MAIN_TO_BAR, 0);
    EXPECT_TRUE(IsIconic(main));
}

TEST_F(Commands, ThePlaybackWindowsOwnTrayCommandsLeaveTheMainWindowAlone) {
    HWND main = StartApp();
    SendMessageW(g_app.hPlay, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    EXPECT_FALSE(IsWindowVisible(g_app.hPlay));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(g_app.tray[TrayMain].hWnd, g_app.hPlay);
    EXPECT_STREQ(g_app.tray[TrayMain].szTip, L"Mirelo");
    SendMessageW(g_app.hPlay, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(g_app.hPlay));

    SendMessageW(g_app.hPlay, WM_COMMAND, ID_ALL_TO_TRAY, 0);
    EXPECT_FALSE(IsWindowVisible(g_app.hPlay));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(g_app.tray[TrayPlay].uID, UINT(IDI_TRAY_PLAY));
    SendMessageW(g_app.hPlay, WM_TRAY_PLAY, IDI_TRAY_PLAY, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(g_app.hPlay));
}

TEST_F(Commands, WithoutCdDrivesTheBodyMenuHasNoTrayItemsAndTheIconMenuKeepsItsOwn) {
    HWND main = StartApp();
    HMENU menu = nullptr;
    HMENU body = BuildBodyMenu(main, &menu);
    ASSERT_TRUE(body);
    wchar_t label[64];
    EXPECT_EQ(GetMenuStringW(body, ID_TRAY_CLOSE, label, 64, MF_BYCOMMAND), 0);
    HMENU trayPopup = GetSubMenu(body, 7);  // "★トレイ開閉(&T)"
    ASSERT_TRUE(trayPopup);
    EXPECT_EQ(GetMenuItemCount(trayPopup), 0);
    DestroyMenu(menu);

    HMENU iconMenu = BuildTrayIconMenu(&menu);
    EXPECT_GT(GetMenuStringW(iconMenu, ID_TRAY_CLOSE, label, 64, MF_BYCOMMAND), 0);
    EXPECT_FALSE(GetMenuState(iconMenu, ID_FULL, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);
    HWND play = g_app.hPlay;
    g_app.hPlay = nullptr;  // as if the playback window did not exist
    iconMenu = BuildTrayIconMenu(&menu);
    EXPECT_TRUE(GetMenuState(iconMenu, ID_FULL, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(iconMenu, ID_PLAY_TO_BAR, MF_BYCOMMAND) & MF_GRAYED);
    g_app.hPlay = play;
    DestroyMenu(menu);
}

// Answers the first message box of this process from another thread.
struct BoxAnswerer {
    std::wstring text, caption;
    std::atomic<bool> seen{false};
    std::thread thread;
    BoxAnswerer() {
        thread = std::thread([this] {
            for (int i = 0; i < 500 && !seen; ++i) {
                if (HWND box = driver::WaitForWindow(GetCurrentProcessId(), L"#32770", 20)) {
                    text = driver::MessageBoxText(box);
                    caption = driver::WindowText(box);
                    seen = true;
                    driver::PressDialogButton(box, IDOK);
                }
            }
        });
    }
    ~BoxAnswerer() { thread.join(); }
};

// Translates a key with modifiers through the program's accelerator table, as its message
// loop does, with the modifier keys held in this thread's keyboard state.
bool TranslateKey(HWND main, BYTE modifier, WORD key) {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE held[256];
    memcpy(held, state, sizeof held);
    held[modifier] = 0x80;
    SetKeyboardState(held);
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), L"MYACCEL");
    MSG msg = {};
    msg.hwnd = main;
    msg.message = modifier == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = modifier == VK_MENU ? LPARAM(1) << 29 : 0;
    const bool done = TranslateAcceleratorW(main, table, &msg) != 0;
    DestroyAcceleratorTable(table);
    SetKeyboardState(state);
    return done;
}

TEST_F(Commands, AltOAndAltCPressTheTrayButtonsAndOpenReportsTheMissingDrive) {
    HWND main = StartApp();
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'C'));
    EXPECT_EQ(g_app.buttonFace[SlotTrayClose], 1);
    driver::PumpMessages(300);
    EXPECT_EQ(g_app.buttonFace[SlotTrayClose], 0);

    BoxAnswerer answer;
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'O'));
    EXPECT_EQ(g_app.buttonFace[SlotTrayOpen], 1);
    for (int i = 0; i < 300 && !answer.seen; ++i) driver::PumpMessages(10);
    ASSERT_TRUE(answer.seen) << "no error box";
    EXPECT_EQ(answer.text, L"エラーが発生しました");
    EXPECT_EQ(answer.caption, L"エラー");
}

TEST_F(Commands, AcceleratorsActThroughTheMainWindowAndTwoDoNothing) {
    HWND main = StartApp();
    // Ctrl+R slides the right side window; Alt+A is track-forward (nothing to move to here).
    ASSERT_TRUE(TranslateKey(main, VK_CONTROL, 'R'));
    EXPECT_EQ(g_app.buttonFace[SlotRightTab], 1);
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'A'));
    EXPECT_EQ(g_app.buttonFace[SlotNext], 1);
    // Shift+R and Alt+K are in the table but their commands change nothing.
    int faces[kButtonCount];
    memcpy(faces, g_app.buttonFace, sizeof faces);
    const int skin = g_app.settings.Skin;
    EXPECT_TRUE(TranslateKey(main, VK_SHIFT, 'R'));
    EXPECT_TRUE(TranslateKey(main, VK_MENU, 'K'));
    EXPECT_EQ(memcmp(faces, g_app.buttonFace, sizeof faces), 0);
    EXPECT_EQ(g_app.settings.Skin, skin);
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(Commands, ListEraseEmptiesEveryGenreAndKeepsTheMediaLoaded) {
    CreateDirectoryW(L"C:\\mirelo-test", nullptr);
    const std::wstring wav = L"C:\\mirelo-test\\erase.wav";
    ASSERT_TRUE(driver::WriteWav(wav, 1500));
    driver::StoreStockEntry(0, 0, L"erase.wav", wav);
    driver::StoreStockEntry(0, 1, L"erase.wav", wav);
    driver::StoreStockEntry(7, 0, L"other", L"C:\\other.mp3");
    HWND main = StartApp();
    ASSERT_EQ(SendMessageW(g_app.hList, LVM_GETITEMCOUNT, 0, 0), 2);
    SendMessageW(main, WM_COMMAND, ID_LIST_ERASE, 0);  // Alt+L
    driver::PumpMessages(300);
    EXPECT_EQ(CountGenreEntries(0), 0);
    EXPECT_EQ(CountGenreEntries(7), 0);
    EXPECT_EQ(SendMessageW(g_app.hList, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_STREQ(g_app.totalNumberText, L"[0]");
    EXPECT_STREQ(g_app.currentNumberText, L"[0]");
    EXPECT_EQ(g_app.currentPath[0], 0);
    EXPECT_TRUE(MediaIsOpen()) << "the loaded media stays loaded";
}

TEST_F(Commands, WhilePausedTheTrayButtonsIgnorePresses) {
    StartApp();
    g_app.paused = 1;
    PressButton(SlotTrayOpen);
    PressButton(SlotTrayClose);
    EXPECT_EQ(g_app.buttonFace[SlotTrayOpen], 0);
    EXPECT_EQ(g_app.buttonFace[SlotTrayClose], 0);
}

}  // namespace
