// The main window's commands on the real windows: menus, skin, notification area, task bar,
// accelerators and the CD tray buttons.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/skinned_button.h"
#include "ui/shell/window_commands.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"

namespace {

class Commands : public driver::AppTest {};

TEST_F(Commands, EachSkinCommandWritesTheSkinAsAFourByteNumber) {
    HWND main = StartApp();
    for (int skin : {1, 2, 0}) {
        const int command = skin == 0 ? ID_SKIN_CUTE : skin == 1 ? ID_SKIN_COOL : ID_SKIN_USER;
        SendMessageW(main, WM_COMMAND, command, 0);
        // Read back only when stored as a four-byte number.
        EXPECT_EQ(driver::ReadRegistryDword(L"Software\\Mirelo\\Setting\\date", L"Skin", 99),
                  DWORD(skin));
        EXPECT_EQ(g_app.settings.Skin, skin);
    }
}

// The icon the program keeps for a window, or null.
const NOTIFYICONDATAW *Icon(HWND owner, UINT id) {
    for (const NOTIFYICONDATAW &record : g_ui.trayIcons)
        if (record.hWnd == owner && record.uID == id) return &record;
    return nullptr;
}

void OpenSideWindowsFully() {
    PressButton(SlotRightTab);
    PressButton(SlotLeftTab);
    for (int i = 0; i < 600 && (g_ui.right.slide != -223 || g_ui.left.slide != 223); ++i)
        driver::PumpMessages(10);
}

TEST_F(Commands, EachWindowGoesToTheNotificationAreaOrTheTaskBarAndComesBack) {
    HWND main = StartApp();
    for (int command : {ID_MAIN_TO_TRAY, ID_MAIN_TO_BAR}) {
        SCOPED_TRACE(command);
        OpenSideWindowsFully();
        ASSERT_TRUE(IsWindowVisible(g_ui.hRightPanel));
        SendMessageW(main, WM_COMMAND, command, 0);
        for (HWND panel : {g_ui.hLeftPanel, g_ui.hRightPanel})
            EXPECT_FALSE(IsWindowVisible(panel));
        EXPECT_EQ(g_ui.right.open + g_ui.left.open, 0);
        EXPECT_EQ(g_ui.buttonFace[SlotRightTab] + g_ui.buttonFace[SlotLeftTab], 0)
            << "the tabs show they are closed";
        if (command == ID_MAIN_TO_TRAY) {
            EXPECT_FALSE(IsWindowVisible(main));
            ASSERT_TRUE(Icon(main, IDI_TRAY_MAIN));
            EXPECT_EQ(Icon(main, IDI_TRAY_MAIN)->uCallbackMessage, UINT(WM_TRAY_MAIN));
            SendMessageW(main, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
            EXPECT_TRUE(IsWindowVisible(main));
            EXPECT_FALSE(Icon(main, IDI_TRAY_MAIN)) << "the icon is gone";
        } else {
            EXPECT_TRUE(IsIconic(main));
            ShowWindow(main, SW_RESTORE);
        }
    }

    // Each window keeps and deletes its own icon.
    SendMessageW(main, WM_COMMAND, ID_PLAY_TO_BAR, 0);
    EXPECT_TRUE(IsIconic(g_ui.hPlay));
    ShowWindow(g_ui.hPlay, SW_RESTORE);
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_TRAY, 0);
    EXPECT_FALSE(IsWindowVisible(g_ui.hStock));
    EXPECT_TRUE(Icon(g_ui.hStock, IDI_TRAY_STOCK));
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_BAR, 0);
    EXPECT_FALSE(Icon(g_ui.hStock, IDI_TRAY_STOCK)) << "the stock window's icon goes with it";

    // The main window and the playback window's own command both show icon 300.
    SendMessageW(main, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    SendMessageW(g_ui.hPlay, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    EXPECT_FALSE(IsWindowVisible(g_ui.hPlay));
    ASSERT_TRUE(Icon(main, IDI_TRAY_MAIN));
    ASSERT_TRUE(Icon(g_ui.hPlay, IDI_TRAY_MAIN));
    // Bringing the main window back leaves the playback window its way back.
    SendMessageW(main, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(Icon(main, IDI_TRAY_MAIN));
    ASSERT_TRUE(Icon(g_ui.hPlay, IDI_TRAY_MAIN));
    SendMessageW(g_ui.hPlay, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(g_ui.hPlay));
    EXPECT_TRUE(g_ui.trayIcons.empty());

    SendMessageW(g_ui.hPlay, WM_COMMAND, ID_ALL_TO_TRAY, 0);
    EXPECT_FALSE(IsWindowVisible(g_ui.hPlay));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(Icon(g_ui.hPlay, IDI_TRAY_PLAY));
    SendMessageW(g_ui.hPlay, WM_TRAY_PLAY, IDI_TRAY_PLAY, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(g_ui.hPlay));
    EXPECT_FALSE(Icon(g_ui.hPlay, IDI_TRAY_PLAY));
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
    HWND play = g_ui.hPlay;
    g_ui.hPlay = nullptr;  // as if the playback window did not exist
    iconMenu = BuildTrayIconMenu(&menu);
    EXPECT_TRUE(GetMenuState(iconMenu, ID_FULL, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(iconMenu, ID_PLAY_TO_BAR, MF_BYCOMMAND) & MF_GRAYED);
    g_ui.hPlay = play;
    DestroyMenu(menu);
}

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

TEST_F(Commands, AcceleratorsPressTheirButtonsTwoDoNothingAndOpenReportsTheMissingDrive) {
    HWND main = StartApp();
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'C'));
    EXPECT_EQ(g_ui.buttonFace[SlotTrayClose], 1);
    driver::PumpMessages(300);
    EXPECT_EQ(g_ui.buttonFace[SlotTrayClose], 0);

    driver::BoxAnswerer answer;
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'O'));
    EXPECT_EQ(g_ui.buttonFace[SlotTrayOpen], 1);
    for (int i = 0; i < 300 && !answer.Seen(); ++i) driver::PumpMessages(10);
    ASSERT_TRUE(answer.Seen()) << "no error box";
    EXPECT_EQ(answer.seen.text, L"エラーが発生しました");

    // Ctrl+R slides the right side window; Alt+A is track-forward (nothing to move to here).
    ASSERT_TRUE(TranslateKey(main, VK_CONTROL, 'R'));
    EXPECT_EQ(g_ui.buttonFace[SlotRightTab], 1);
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'A'));
    EXPECT_EQ(g_ui.buttonFace[SlotNext], 1);
    // Shift+R and Alt+K are in the table but their commands change nothing.
    int faces[kButtonCount];
    memcpy(faces, g_ui.buttonFace, sizeof faces);
    const int skin = g_app.settings.Skin;
    EXPECT_TRUE(TranslateKey(main, VK_SHIFT, 'R'));
    EXPECT_TRUE(TranslateKey(main, VK_MENU, 'K'));
    EXPECT_EQ(memcmp(faces, g_ui.buttonFace, sizeof faces), 0);
    EXPECT_EQ(g_app.settings.Skin, skin);
    EXPECT_TRUE(IsWindowVisible(main));
}

}  // namespace

namespace {

// A device found stuck again while its box is up gives no second box.
TEST_F(Commands, AStuckDeviceIsToldInOneBox) {
    HWND main = StartApp();
    size_t boxes = 0;
    driver::DialogHand hand([&](HWND box) {
        Sleep(300);
        boxes = driver::WindowsOf(GetCurrentProcessId(), L"#32770").size();
        for (int i = 0; i < 20 && box; ++i, Sleep(50))
            for (HWND open : driver::WindowsOf(GetCurrentProcessId(), L"#32770"))
                driver::PressDialogButton(open, IDOK);
    });
    PostMessageW(main, WM_DEVICE_STUCK, 0, 0);
    PostMessageW(main, WM_DEVICE_STUCK, 0, 0);
    hand.Finish();
    EXPECT_EQ(boxes, 1u);
}

}  // namespace
