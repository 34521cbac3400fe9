// The main window's commands on the real windows: menus, skin, notification area, task bar,
// accelerators and the CD tray buttons.

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/skinned_button.h"
#include "ui/shell/window_commands.h"
#include "tests/driver/app_fixture.h"

namespace {

class Commands : public driver::AppTest {};

// The icon the program keeps for a window, or null.
const NOTIFYICONDATAW *Icon(HWND owner, UINT id) {
    for (const NOTIFYICONDATAW &record : g_ui.trayIcons)
        if (record.hWnd == owner && record.uID == id) return &record;
    return nullptr;
}

void OpenSideWindowsFully() {
    PressButton(SlotRightTab);
    PressButton(SlotLeftTab);
    // Full out is where a slide stops, 222 or a step beyond (the tray leaves them out there).
    driver::PumpUntil([] { return g_ui.right.slide <= -222 && g_ui.left.slide >= 222; }, 6000);
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

TEST_F(Commands, WindowsGoToTheNotificationAreaOrTaskBarAndBackAndTheSkinKeysMenusAndStuckBox) {
    HWND main = StartApp();
    for (int command : {ID_MAIN_TO_TRAY, ID_MAIN_TO_BAR}) {
        SCOPED_TRACE(command);
        OpenSideWindowsFully();
        ASSERT_TRUE(IsWindowVisible(g_ui.hRightPanel));
        SendMessageW(main, WM_COMMAND, command, 0);
        EXPECT_FALSE(IsWindowVisible(g_ui.hLeftPanel) || IsWindowVisible(g_ui.hRightPanel));
        EXPECT_EQ(g_ui.right.open + g_ui.left.open + g_ui.buttonFace[SlotRightTab] +
                      g_ui.buttonFace[SlotLeftTab], 0) << "closed, and the tabs show it";
        if (command == ID_MAIN_TO_TRAY) {
            EXPECT_FALSE(IsWindowVisible(main));
            EXPECT_TRUE(Icon(main, IDI_TRAY_MAIN));
            SendMessageW(main, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
            EXPECT_TRUE(IsWindowVisible(main));
            EXPECT_FALSE(Icon(main, IDI_TRAY_MAIN)) << "the icon is gone";
        } else {
            EXPECT_TRUE(IsIconic(main));
            ShowWindow(main, SW_RESTORE);
        }
    }

    // Each window keeps and deletes its own icon.
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_TRAY, 0);
    EXPECT_TRUE(Icon(g_ui.hStock, IDI_TRAY_STOCK));
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_BAR, 0);
    EXPECT_FALSE(Icon(g_ui.hStock, IDI_TRAY_STOCK)) << "the stock window's icon goes with it";

    // The main window and the playback window's own command both show icon 300.
    SendMessageW(main, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    SendMessageW(g_ui.hPlay, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    ASSERT_TRUE(Icon(main, IDI_TRAY_MAIN));
    // Bringing the main window back leaves the playback window its way back.
    SendMessageW(main, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(Icon(main, IDI_TRAY_MAIN));
    ASSERT_TRUE(Icon(g_ui.hPlay, IDI_TRAY_MAIN));
    SendMessageW(g_ui.hPlay, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(g_ui.hPlay));
    EXPECT_TRUE(g_ui.trayIcons.empty());

    SendMessageW(g_ui.hPlay, WM_COMMAND, ID_ALL_TO_TRAY, 0);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(Icon(g_ui.hPlay, IDI_TRAY_PLAY));

    // Each skin command stores the skin, read back only when it is a four-byte number.
    for (int skin : {1, 2, 0}) {
        SendMessageW(main, WM_COMMAND, skin == 0 ? ID_SKIN_CUTE : skin == 1 ? ID_SKIN_COOL : ID_SKIN_USER, 0);
        EXPECT_EQ(driver::ReadRegistryDword(L"Software\\Mirelo\\Setting\\date", L"Skin", 99), DWORD(skin));
    }

    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'C'));
    EXPECT_EQ(g_ui.buttonFace[SlotTrayClose], 1);
    EXPECT_TRUE(driver::PumpUntil([] { return g_ui.buttonFace[SlotTrayClose] == 0; }, 1000));

    driver::BoxAnswerer answer;
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'O'));
    EXPECT_EQ(g_ui.buttonFace[SlotTrayOpen], 1);
    ASSERT_TRUE(driver::PumpUntil([&] { return answer.Seen(); }, 3000)) << "no error box";
    EXPECT_EQ(answer.seen.text, L"エラーが発生しました");

    // Ctrl+R slides the right side window; Alt+A is track-forward (nothing to move to here).
    ASSERT_TRUE(TranslateKey(main, VK_CONTROL, 'R'));
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'A'));
    EXPECT_EQ(g_ui.buttonFace[SlotRightTab] + g_ui.buttonFace[SlotNext], 2);
    // Shift+R and Alt+K are in the table but their commands change nothing.
    int faces[kButtonCount];
    memcpy(faces, g_ui.buttonFace, sizeof faces);
    EXPECT_TRUE(TranslateKey(main, VK_SHIFT, 'R'));
    EXPECT_TRUE(TranslateKey(main, VK_MENU, 'K'));
    EXPECT_EQ(memcmp(faces, g_ui.buttonFace, sizeof faces), 0);
    EXPECT_EQ(g_app.settings.Skin, 0);
    EXPECT_TRUE(IsWindowVisible(main));

    // Without CD drives the body menu has no tray items; the icon menu keeps its own, and
    // greys the playback window's items when there is none.
    HMENU menu = nullptr;
    HMENU body = BuildBodyMenu(main, &menu);
    wchar_t label[64];
    EXPECT_EQ(GetMenuStringW(body, ID_TRAY_CLOSE, label, 64, MF_BYCOMMAND), 0);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(body, 7)), 0);  // "★トレイ開閉(&T)"
    DestroyMenu(menu);
    HMENU iconMenu = BuildTrayIconMenu(&menu);
    EXPECT_GT(GetMenuStringW(iconMenu, ID_TRAY_CLOSE, label, 64, MF_BYCOMMAND), 0);
    EXPECT_FALSE(GetMenuState(iconMenu, ID_FULL, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);
    HWND play = g_ui.hPlay;
    g_ui.hPlay = nullptr;
    iconMenu = BuildTrayIconMenu(&menu);
    EXPECT_TRUE(GetMenuState(iconMenu, ID_PLAY_TO_BAR, MF_BYCOMMAND) & MF_GRAYED);
    g_ui.hPlay = play;
    DestroyMenu(menu);

    // A device found stuck again while its box is up gives no second box.
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
