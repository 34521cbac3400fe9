// The main window's shell on the real windows: the side windows and the shaped buttons, the
// commands (menus, skin, notification area, task bar, accelerators, CD tray buttons), the
// calculator and desk clock, the volume bar and Mute button against the platform's mixer
// (checked through a mixer handle of the test's own), and the drawing of the buttons and the
// main window, read back pixel by pixel.

#include <windows.h>
#include <mmsystem.h>
#include <winternl.h>

#include <algorithm>

#include "resources/resource.h"
#include "services/app_state.h"
#include "services/bitmap_region.h"
#include "services/registry.h"
#include "services/settings.h"
#include "services/skin.h"
#include "services/transport.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/pixel_region.h"
#include "ui/accessories/calculator_window.h"
#include "ui/accessories/clock_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/skinned_button.h"
#include "ui/shell/window_commands.h"
#include "ui/window_state.h"

namespace {

int CALLBACK CountFontRecords(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM count) {
    *reinterpret_cast<int *>(count) += record->iType == EMR_EXTCREATEFONTINDIRECTW;
    return 1;
}

using SideWindows = driver::AppTest;
void WaitForSlide(const int &slide, int target) { driver::PumpUntil([&] { return slide == target; }, 10000); }
std::pair<int, int> Corner(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return {r.left, r.top};
}

TEST_F(SideWindows, TabsSlideTheWindowsOutAndBackAMidSlidePressReversesAndADragHidesThem) {
    HWND main = StartApp();
    const auto m = Corner(main);
    PressButton(SlotLeftTab);
    SendMessageW(main, WM_COMMAND, ID_RIGHT_WINDOW, 0);  // the menu command presses the tab
    WaitForSlide(g_ui.left.slide, 223);
    WaitForSlide(g_ui.right.slide, -223);
    EXPECT_TRUE(IsWindowVisible(g_ui.hLeftPanel));
    EXPECT_EQ(Corner(g_ui.hLeftPanel), std::make_pair(m.first - 221, m.second + 100));
    EXPECT_EQ(Corner(g_ui.hRightPanel).first, m.first + 339);
    PressButton(SlotLeftTab);
    WaitForSlide(g_ui.left.slide, -21);
    EXPECT_FALSE(IsWindowVisible(g_ui.hLeftPanel));
    EXPECT_EQ(Corner(g_ui.hLeftPanel).first, m.first + 19);

    // A second press mid-slide reverses from where it is.
    PressButton(SlotLeftTab);
    driver::PumpUntil([] { return g_ui.left.slide >= 60; }, 1000);
    const int reached = g_ui.left.slide;
    ASSERT_TRUE(reached > 20 && reached < 222) << reached;
    PressButton(SlotLeftTab);
    driver::PumpMessages(30);
    // It went back from where it was: never past `reached` + one step, never restarted.
    EXPECT_TRUE(g_ui.left.slide <= reached + 2 && g_ui.left.slide > -21) << g_ui.left.slide;
    WaitForSlide(g_ui.left.slide, -21);
    EXPECT_FALSE(IsWindowVisible(g_ui.hLeftPanel));

    // Dragging the body hides the open right window; the move's end puts it back.
    ASSERT_TRUE(IsWindowVisible(g_ui.hRightPanel));
    SendMessageW(main, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 250));
    // The press handed the move to the platform; no mouse is held here, so take that
    // request off the queue instead of entering the move loop.
    MSG move;
    EXPECT_TRUE(PeekMessageW(&move, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) && move.wParam == HTCAPTION);
    EXPECT_TRUE(!IsWindowVisible(g_ui.hRightPanel) && g_ui.right.open) << "hidden for the move, still open";
    // The platform's move loop would run here; move the window and end the move.
    SetWindowPos(main, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(main, WM_EXITSIZEMOVE, 0, 0);
    driver::PumpMessages(20);
    EXPECT_TRUE(IsWindowVisible(g_ui.hRightPanel));
    // Re-attached at the final offset, one step beyond where the slide last placed it.
    EXPECT_EQ(Corner(g_ui.hRightPanel), std::make_pair(50 + 223 + 118, 60 + 100));
}

using Commands = driver::AppTest;

// The icon the program keeps for a window, or null.
const NOTIFYICONDATAW *Icon(HWND owner, UINT id) {
    for (const NOTIFYICONDATAW &record : g_ui.trayIcons)
        if (record.hWnd == owner && record.uID == id) return &record;
    return nullptr;
}

// Translates a key with modifiers through the program's accelerator table, as its message
// loop does, with the modifier keys held in this thread's keyboard state.
bool TranslateKey(HWND main, BYTE modifier, WORD key) {
    BYTE state[256], held[256];
    GetKeyboardState(state);
    memcpy(held, state, sizeof held);
    held[modifier] = 0x80;
    SetKeyboardState(held);
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), L"MYACCEL");
    MSG msg = {main, UINT(modifier == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN), key,
               modifier == VK_MENU ? LPARAM(1) << 29 : 0, 0, {}};
    const bool done = TranslateAcceleratorW(main, table, &msg) != 0;
    DestroyAcceleratorTable(table);
    SetKeyboardState(state);
    return done;
}

TEST_F(Commands, WindowsGoToTheNotificationAreaOrTaskBarAndBackAndTheSkinKeysMenusAndStuckBox) {
    HWND main = StartApp();
    for (int command : {ID_MAIN_TO_TRAY, ID_MAIN_TO_BAR}) {
        SCOPED_TRACE(command);
        for (int slot : {SlotRightTab, SlotLeftTab}) PressButton(slot);
        // Full out is where a slide stops, 222 or a step beyond (the tray leaves them out there).
        ASSERT_TRUE(driver::PumpUntil([] { return g_ui.right.slide <= -222 && g_ui.left.slide >= 222; }, 6000));
        SendMessageW(main, WM_COMMAND, command, 0);
        EXPECT_FALSE(IsWindowVisible(g_ui.hLeftPanel) || IsWindowVisible(g_ui.hRightPanel));
        EXPECT_EQ(g_ui.right.open + g_ui.left.open + g_ui.buttonFace[SlotRightTab] +
                      g_ui.buttonFace[SlotLeftTab], 0) << "closed, and the tabs show it";
        if (command == ID_MAIN_TO_BAR) {
            EXPECT_TRUE(IsIconic(main));
            ShowWindow(main, SW_RESTORE);
            continue;
        }
        EXPECT_TRUE(!IsWindowVisible(main) && Icon(main, IDI_TRAY_MAIN));
        SendMessageW(main, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(IsWindowVisible(main) && !Icon(main, IDI_TRAY_MAIN));
    }

    // Each window keeps and deletes its own icon.
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_TRAY, 0);
    EXPECT_TRUE(Icon(g_ui.hStock, IDI_TRAY_STOCK));
    SendMessageW(main, WM_COMMAND, ID_STOCK_TO_BAR, 0);
    EXPECT_FALSE(Icon(g_ui.hStock, IDI_TRAY_STOCK)) << "the stock window's icon goes with it";

    // The main window and the playback window's own command both show icon 300; bringing the
    // main window back leaves the playback window its way back.
    SendMessageW(main, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    SendMessageW(g_ui.hPlay, WM_COMMAND, ID_MAIN_TO_TRAY, 0);
    SendMessageW(main, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(Icon(main, IDI_TRAY_MAIN));
    ASSERT_TRUE(Icon(g_ui.hPlay, IDI_TRAY_MAIN));
    SendMessageW(g_ui.hPlay, WM_TRAY_MAIN, IDI_TRAY_MAIN, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(g_ui.hPlay) && g_ui.trayIcons.empty());
    SendMessageW(g_ui.hPlay, WM_COMMAND, ID_ALL_TO_TRAY, 0);
    EXPECT_TRUE(IsWindowVisible(main) && Icon(g_ui.hPlay, IDI_TRAY_PLAY));

    // Each skin command stores its skin (the monkey's answer probe stands on the other two).
    SendMessageW(main, WM_COMMAND, ID_SKIN_USER, 0);
    EXPECT_EQ(driver::ReadRegistryDword(L"Software\\Mirelo\\Setting\\date", L"Skin", 99), 2u);
    SendMessageW(main, WM_COMMAND, ID_SKIN_CUTE, 0);
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'C'));
    EXPECT_TRUE(driver::PumpUntil([] { return g_ui.buttonFace[SlotTrayClose] == 0; }, 1000));
    driver::BoxAnswerer answer;
    ASSERT_TRUE(TranslateKey(main, VK_MENU, 'O'));
    ASSERT_TRUE(driver::PumpUntil([&] { return answer.Seen(); }, 3000)) << "no error box";
    EXPECT_EQ(answer.seen.text, L"エラーが発生しました");

    // Ctrl+R slides the right side window; Alt+A is track-forward (nothing to move to here).
    ASSERT_TRUE(TranslateKey(main, VK_CONTROL, 'R') && TranslateKey(main, VK_MENU, 'A'));
    EXPECT_EQ(g_ui.buttonFace[SlotRightTab] + g_ui.buttonFace[SlotNext], 2);
    // Shift+R and Alt+K are in the table but their commands change nothing.
    int faces[kButtonCount];
    memcpy(faces, g_ui.buttonFace, sizeof faces);
    EXPECT_TRUE(TranslateKey(main, VK_SHIFT, 'R') && TranslateKey(main, VK_MENU, 'K'));
    EXPECT_EQ(memcmp(faces, g_ui.buttonFace, sizeof faces), 0);
    EXPECT_TRUE(g_app.settings.Skin == 0 && IsWindowVisible(main));

    // Without CD drives the body menu has no tray items; the icon menu keeps its own, and
    // greys the playback window's items when there is none.
    HMENU menu = nullptr, body = BuildBodyMenu(main, &menu);
    wchar_t label[64];
    EXPECT_EQ(GetMenuStringW(body, ID_TRAY_CLOSE, label, 64, MF_BYCOMMAND), 0);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(body, 7)), 0);  // "★トレイ開閉(&T)"
    DestroyMenu(menu);
    HMENU iconMenu = BuildTrayIconMenu(&menu);
    EXPECT_GT(GetMenuStringW(iconMenu, ID_TRAY_CLOSE, label, 64, MF_BYCOMMAND), 0);
    EXPECT_FALSE(GetMenuState(iconMenu, ID_FULL, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);
    HWND play = nullptr;
    std::swap(play, g_ui.hPlay);
    iconMenu = BuildTrayIconMenu(&menu);
    EXPECT_TRUE(GetMenuState(iconMenu, ID_PLAY_TO_BAR, MF_BYCOMMAND) & MF_GRAYED);
    g_ui.hPlay = play;
    DestroyMenu(menu);

    // A device found stuck again while its box is up gives no second box.
    size_t boxes = 0;
    driver::DialogHand hand([&](HWND box) {
        const auto open = [] { return driver::WindowsOf(GetCurrentProcessId(), L"#32770"); };
        Sleep(200);
        boxes = open().size();
        for (; box && !open().empty(); Sleep(50))
            for (HWND each : open()) driver::PressDialogButton(each, IDOK);
    });
    for (int i = 0; i < 2; ++i) PostMessageW(main, WM_DEVICE_STUCK, 0, 0);
    hand.Finish();
    EXPECT_EQ(boxes, 1u);
}

HRGN WindowShape(HWND window) {
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, shape) != ERROR) return shape;
    DeleteObject(shape);
    return nullptr;
}

std::vector<COLORREF> DrawnButton(int slot, int skin, int face);

// Den and Toke open a shaped calculator and clock that work and close again.

TEST_F(SideWindows, ShapedButtonsToggleReleaseAndTakeAQuickSecondClickTheAccessoriesOpenAndWork) {
    HWND main = StartApp();
    // A face reaches the screen through the main window, at the button's place, and the button
    // is left with nothing more to paint.
    const COLORREF pushed = DrawnButton(SlotStop, SkinCute, 1)[35 * 72 + 32];
    ASSERT_NE(pushed, DrawnButton(SlotStop, SkinCute, 0)[35 * 72 + 32]);
    g_ui.buttonFace[SlotStop] = 0;
    SetButtonFace(SlotStop, 1);
    UpdateWindow(g_ui.buttons[SlotStop]);
    EXPECT_FALSE(GetUpdateRect(g_ui.buttons[SlotStop], nullptr, FALSE));
    POINT at = {32, 35};
    MapWindowPoints(g_ui.buttons[SlotStop], main, &at, 1);
    HDC dc = GetDC(main);
    EXPECT_EQ(GetPixel(dc, at.x, at.y), pushed);
    ReleaseDC(main, dc);
    SetButtonFace(SlotStop, 0);

    HRGN r = WindowShape(main);
    ASSERT_TRUE(r && !PtInRegion(r, 395, 2)) << "top-right corner is cut";
    EXPECT_TRUE(GetWindowRgn(g_ui.buttons[SlotPlay], r) != ERROR && !PtInRegion(r, 32, 5));

    // The right side window comes with the first press of one of its buttons, unshaped.
    EXPECT_FALSE(g_ui.hLeftPanel || g_ui.hRightPanel) << "made when first needed";
    for (int slot : {SlotRepeat, SlotContinuous, SlotRandom}) PressButton(slot);
    EXPECT_EQ(g_app.repeat + g_app.continuous + g_app.random, 3);
    EXPECT_EQ(GetWindowRgn(g_ui.buttons[SlotRepeat], r), ERROR);
    DeleteObject(r);
    // A double click is two presses: the toggle is back off.
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK})
        SendMessageW(g_ui.buttons[SlotContinuous], m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, 0);
    EXPECT_EQ(g_app.continuous + g_ui.buttonFace[SlotContinuous], 2) << "two presses from on";

    // Momentary buttons go back on their own timer. (Not the File button: its release opens
    // the file dialog.)
    for (int slot : {SlotNext, SlotTrayClose}) PressButton(slot);
    EXPECT_TRUE(driver::PumpUntil(
        [] { return g_ui.buttonFace[SlotNext] + g_ui.buttonFace[SlotTrayClose] == 0; }, 1000));

    // While paused the blocked buttons ignore presses; the play-mode toggles do not.
    PressButton(SlotRepeat);
    g_app.paused = 1;
    for (int slot : {SlotPlay, SlotListErase, SlotTrayOpen, SlotTrayClose, SlotRepeat}) PressButton(slot);
    EXPECT_EQ(g_ui.buttonFace[SlotPlay] + g_ui.buttonFace[SlotListErase] + g_ui.buttonFace[SlotTrayOpen] +
              g_ui.buttonFace[SlotTrayClose], 0);
    EXPECT_EQ(g_ui.buttonFace[SlotRepeat], 1) << "a play-mode toggle while paused";
    g_app.paused = 0;

    PressButton(SlotCalculator);
    HWND calculator = g_ui.hCalculator;
    ASSERT_TRUE(calculator && IsWindowVisible(calculator));
    // The keys reach the display (the arithmetic is tested platform-free).
    const int d = KeyDigitFirst;
    for (int key : {d, d + 1, int(KeyPoint), d + 4, int(KeyMultiply), d + 3, int(KeyEquals)})
        SendMessageW(GetDlgItem(calculator, key), BM_CLICK, 0, 0);
    EXPECT_EQ(driver::WindowText(GetDlgItem(calculator, IDC_CALCULATOR_DISPLAY)), L"50.000");

    // Shaped: the top-left corner is cut.
    HRGN shape = WindowShape(calculator);
    EXPECT_TRUE(shape && !PtInRegion(shape, 2, 2));

    PressButton(SlotCalculator);
    EXPECT_FALSE(IsWindow(calculator) || g_ui.hCalculator || g_ui.buttonFace[SlotCalculator]);

    PressButton(SlotClock);
    HWND clock = g_ui.hClock;
    ASSERT_TRUE(clock && IsWindowVisible(clock));

    // The region made from the mask's runs is the one a pixel-by-pixel cut gives (the runs
    // themselves are tested platform-free).
    DeleteObject(shape);
    shape = WindowShape(clock);
    HBITMAP mask = LoadBitmapW(g_app.hInst, L"TOKEIRGN");
    HRGN slow = RegionFromBitmapPixelByPixel(mask);
    EXPECT_TRUE(shape && EqualRgn(shape, slow)) << "the clock has its mask's shape";
    for (HGDIOBJ o : {HGDIOBJ(slow), HGDIOBJ(mask), HGDIOBJ(shape)}) DeleteObject(o);

    // The first tick fills the texts (their forms are tested platform-free).
    EXPECT_TRUE(driver::PumpUntil([] { return g_ui.clockTexts.date[0] != 0; }, 1000));

    // The texts are drawn in their colour over the face, in a Japanese font that exists here
    // and has digits: "00" and "88" do not come out as the same boxes.
    auto colouredPixels = [](const wchar_t *time) {
        lstrcpyW(g_ui.clockTexts.time, time);
        Canvas canvas;
        MakeCanvas(canvas, 296, 296);
        DrawClock(canvas.dc);
        int coloured = 0;
        for (int y = 182; y < 255; ++y)
            for (int x = 30; x < 230; ++x)
                if (canvas.At(x, y) == RGB(0xE3, 0x00, 0x7B)) ++coloured;
        return coloured;
    };
    const int zeros = colouredPixels(L"00時00分00秒");
    EXPECT_TRUE(zeros > 200 && zeros != colouredPixels(L"88時88分88秒")) << zeros;
    // Two paints recorded in a metafile: a font is recorded once however often it is
    // selected, so fonts made for each text or each paint show as more than the two sizes.
    HDC record = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    DrawClock(record);
    DrawClock(record);
    HENHMETAFILE recorded = CloseEnhMetaFile(record);
    int fonts = 0;
    EnumEnhMetaFile(nullptr, recorded, CountFontRecords, &fonts, nullptr);
    DeleteEnhMetaFile(recorded);
    EXPECT_EQ(fonts, 2) << "the clock's two fonts are made once";

    PressButton(SlotClock);
    EXPECT_FALSE(IsWindow(clock) || g_ui.hClock);
}

// Mixer device 0's speakers controls, through a handle of the test's own.
struct OutsideMixer {
    HMIXEROBJ mixer = nullptr;
    DWORD volume = 0, mute = 0; // control ids
    OutsideMixer() {
        mixerOpen(reinterpret_cast<HMIXER *>(&mixer), 0, 0, 0, 0);
        MIXERLINEW line{}; line.cbStruct = sizeof line;
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        mixerGetLineInfoW(mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE);
        for (DWORD type : {MIXERCONTROL_CONTROLTYPE_VOLUME, MIXERCONTROL_CONTROLTYPE_MUTE}) {
            MIXERCONTROLW control{}; control.cbStruct = sizeof control;
            MIXERLINECONTROLSW controls = {sizeof controls, line.dwLineID, {type}, 1, sizeof control, &control};
            EXPECT_EQ(mixerGetLineControlsW(mixer, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE),
                      MMSYSERR_NOERROR);
            (type == MIXERCONTROL_CONTROLTYPE_VOLUME ? volume : mute) = control.dwControlID;
        }
    }
    ~OutsideMixer() { mixerClose(reinterpret_cast<HMIXER>(mixer)); }
    // Reads a control's value, or with `set` writes it.
    DWORD Get(DWORD id, const DWORD *set = nullptr) {
        DWORD value = set ? *set : 0xDEAD;
        MIXERCONTROLDETAILS d = {sizeof d, id, 1, {nullptr}, sizeof value, &value};
        EXPECT_EQ(set ? mixerSetControlDetails(mixer, &d, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                      : mixerGetControlDetailsW(mixer, &d, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE), 0u);
        return value;
    }
    void Set(DWORD id, DWORD value) { Get(id, &value); }
};

// The process's GDI objects: the platform's own count where it keeps one; under Wine, whose
// count is a stub, the live entries of the process's GDI handle table.
DWORD GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    struct Entry { UINT64 object; ULONG owner; USHORT unique; UCHAR type, flags; UINT64 user; };
    const BYTE *peb = reinterpret_cast<const BYTE *>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const Entry *table = *reinterpret_cast<const Entry *const *>(peb + (sizeof(void *) == 8 ? 0xF8 : 0x94));
    DWORD n = 0;
    for (int i = 0; table && i < 0x10000; ++i) n += table[i].type != 0;
    return n;
}

using VolumeBar = driver::AppTest;

TEST_F(VolumeBar, PressesSetTheMixerOutsideChangesMoveTheBarMuteTogglesAndRepaintsLeakNothing) {
    OutsideMixer outside;
    outside.Set(outside.volume, 40000);
    outside.Set(outside.mute, 1);
    HWND main = StartApp();
    // The platform may keep the level as a fraction: a value reads back within one step.
    EXPECT_NEAR(outside.Get(outside.volume), 39976, 1) << "set-up snaps to 61 %";
    HWND bar = g_ui.hVolumeBar;
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(149, 10));
    EXPECT_NEAR(outside.Get(outside.volume), 64879, 1) << "the right end is 99 %";
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 10));
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(0, 10));
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(75, 10));
    EXPECT_EQ(outside.Get(outside.volume), 0u) << "dragged to the left end, no drag after the release";

    outside.Set(outside.volume, 32767);
    EXPECT_TRUE(driver::PumpUntil([] { return g_ui.volumeBarPos == 74; }, 450)) << "50 % within 300 ms";

    // A muted start shows the pushed face; Mute twice returns control and face.
    EXPECT_EQ(g_ui.buttonFace[SlotMute], 1);
    PressButton(SlotMute);
    EXPECT_EQ(outside.Get(outside.mute) + g_ui.buttonFace[SlotMute], 0u);
    SendMessageW(main, WM_COMMAND, ID_MUTE, 0); // Shift+M and the menu item
    EXPECT_EQ(outside.Get(outside.mute) + g_ui.buttonFace[SlotMute], 2u);
    outside.Set(outside.mute, 0);

    // The count is a real one: a new pen shows as one more object.
    const DWORD before = GdiObjectCount();
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(GdiObjectCount(), before + 1);
    DeleteObject(pen);
    for (int i = 0; i < 2000; ++i) InvalidateRect(bar, nullptr, TRUE), UpdateWindow(bar);
    EXPECT_LE(GdiObjectCount(), before + 2) << before << " before 2000 repaints";
}


using driver::AppTest;

const std::wstring kSkinDir = std::wstring(driver::kSkinFolder) + L"\\";

std::vector<COLORREF> DrawnButton(int slot, int skin, int face) {
    g_app.settings.Skin = skin;
    g_ui.buttonFace[slot] = face;
    AppTest::Canvas c;
    AppTest::MakeCanvas(c, 72, 72);
    DrawButton(c.dc, slot);
    std::vector<COLORREF> out;
    for (int i = 0; i < 72 * 72; ++i) out.push_back(c.At(i % 72, i / 72));
    return out;
}

using SkinTest = AppTest;

TEST_F(SkinTest, BothSkinsShowTheSameButtonsMasksKeepCornersClearAndAUserFileReplacesOnlyItsFace) {
    for (int slot = 0; slot < kButtonCount; ++slot) {
        for (int face = 0; face < 2; ++face)
            EXPECT_EQ(DrawnButton(slot, SkinCute, face), DrawnButton(slot, SkinCool, face)) << slot << face;
        const std::vector<COLORREF> px = DrawnButton(slot, SkinCute, 0);
        const auto drawn = std::count_if(px.begin(), px.end(), [](COLORREF c) { return c != RGB(255, 255, 255); });
        EXPECT_TRUE(!kButtonArt[slot].mask || (px[0] == RGB(255, 255, 255) && drawn > 100)) << slot;
    }

    // A user skin file replaces only its own face, inside the program's own mask. The bitmaps
    // stay loaded between paints: a file changed on disk shows from the next choice of a skin,
    // and the bitmaps of the skin left are deleted.
    const std::wstring face = kSkinDir + L"Stop_Nomal.bmp";
    ASSERT_TRUE(driver::WriteSolidBmp(face, 64, 64, RGB(250, 0, 250)));
    OpenRegistryKeys(g_app.keys);
    WriteSkin(SkinUser);
    const std::vector<COLORREF> stop = DrawnButton(SlotStop, SkinUser, 0);
    // The file's face inside the outline, the corner kept transparent by the mask.
    EXPECT_TRUE(stop[35 * 72 + 32] == RGB(250, 0, 250) && stop[1 * 72 + 1] == RGB(255, 255, 255));
    ASSERT_TRUE(driver::WriteSolidBmp(face, 64, 64, RGB(0, 200, 0)));
    EXPECT_EQ(DrawnButton(SlotStop, SkinUser, 0), stop) << "kept";
    WriteSkin(SkinUser);
    EXPECT_EQ(DrawnButton(SlotStop, SkinUser, 0)[35 * 72 + 32], RGB(0, 200, 0)) << "chosen again";

    const HBITMAP mask = ResourceBitmap(L"Shadow"), background = MainBackground();
    for (int i = 0; i < 20; ++i) DrawnButton(SlotStop, SkinUser, i % 2);
    EXPECT_TRUE(ResourceBitmap(L"Shadow") == mask && MainBackground() == background);
    WriteSkin(SkinCool);
    EXPECT_EQ(GetObjectType(mask) + GetObjectType(background), 0u);

    // The pushed face has no file: it falls back to the program's own, independently.
    EXPECT_EQ(DrawnButton(SlotStop, SkinUser, 1), DrawnButton(SlotStop, SkinCute, 1));
    EXPECT_EQ(DrawnButton(SlotPlay, SkinUser, 0), DrawnButton(SlotPlay, SkinCute, 0));
    EXPECT_NE(DrawnButton(SlotStop, SkinCute, 0), stop) << "the file outside the user skin";
}

// The main window painted into a canvas with the given skin and position time.
void PaintMain(AppTest::Canvas &c, int skin, const wchar_t *time = L" 1 分 23 秒") {
    g_app.settings.Skin = skin;
    lstrcpyW(Display().positionText, time);
    AppTest::MakeCanvas(c, 400, 371);
    PaintMainWindow(c.dc);
}

COLORREF MainPixel(int skin) {
    AppTest::Canvas c;
    PaintMain(c, skin);
    return c.At(200, 200);
}

TEST_F(SkinTest, TheBackgroundFollowsTheSkinTextsTheirColoursAndPlacesAndTheTimeLosesItsBlanks) {
    EXPECT_NE(MainPixel(SkinCute), MainPixel(SkinCool));
    EXPECT_EQ(MainPixel(SkinUser), MainPixel(SkinCute)) << "no file";
    EXPECT_EQ(MainPixel(7), MainPixel(SkinCute)) << "stored skin out of range";
    ASSERT_TRUE(driver::WriteSolidBmp(kSkinDir + L"MainWindow.bmp", 398, 371, RGB(9, 99, 199)));
    EXPECT_EQ(MainPixel(SkinUser), RGB(9, 99, 199));

    // Text 9 in its colour at its place and nowhere else; text 1, the position time, is drawn
    // without its blanks (its right end is where it is without them).
    const COLORREF colour = RGB(7, 201, 13);
    for (int n : {0, 8}) g_app.settings.rgb[n][0] = 7, g_app.settings.rgb[n][1] = 201, g_app.settings.rgb[n][2] = 13;
    g_app.settings.nMWText_X[8] = 60, g_app.settings.nMWText_Y[8] = 120;
    auto right = [&](const wchar_t *time) {
        Canvas c;
        PaintMain(c, SkinUser, time);
        int found = 0, inside = 0, elsewhere = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                if (c.At(x, y) != colour) continue;
                if (y >= 56 && y < 80 && x >= 160) found = std::max(found, x);
                else if (x >= 60 && x < 150 && y >= 120 && y < 144) ++inside;
                else ++elsewhere;
            }
        EXPECT_TRUE(inside > 5 && elsewhere == 0) << "text 9 at its position only: " << inside << " " << elsewhere;
        return found;
    };
    EXPECT_EQ(right(L" 1 分 23 秒"), right(L"1分23秒"));
}

}  // namespace
