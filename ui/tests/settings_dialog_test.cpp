// The settings dialog on the real main window: its tabs, the three ways to close it, the
// main settings page, the genre names page and the skin editor, read back from the windows
// and the registry.

#include "tests/driver/app_fixture.h"
#include <commctrl.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/recorder.h"
#include "services/thumbnail.h"
#include "ui/window_state.h"
#include "ui/settings/settings_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/skinned_button.h"
#include "ui/shell/side_windows.h"

namespace {

const wchar_t kCap[] = L"Software\\Mirelo\\Setting\\Cap";
const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";
const wchar_t kGenre[] = L"Software\\Mirelo\\Setting\\Genre";

class SettingsDialog : public driver::AppTest {
  protected:
    void TearDown() override { CloseSettingsDialog(), AppTest::TearDown(); }
    static HWND Open() {
        PressButton(SlotSettings);
        driver::PumpMessages(20);
        return g_ui.hSettings;
    }
    // Clicks a tab where it is drawn, as the mouse would.
    static void ClickTab(int index) {
        HWND tabs = GetDlgItem(g_ui.hSettings, IDC_SETTINGS_TABS);
        RECT r = {};
        SendMessageW(tabs, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageW(tabs, message, MK_LBUTTON, at);
        driver::PumpMessages(10);
    }
    static void Click(HWND page, int id) { SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }
    static void Key(HWND page, int id, WPARAM key) {
        for (UINT message : {WM_KEYDOWN, WM_KEYUP}) SendMessageW(GetDlgItem(page, id), message, key, 0);
    }
    static std::wstring Text(HWND page, int id) { return driver::WindowText(GetDlgItem(page, id)); }
    static void Type(HWND page, int id, const std::wstring &text) { SetDlgItemTextW(page, id, text.c_str()); }
    // Types each field's text, then clicks the button.
    static void TypeAndClick(HWND page, std::initializer_list<std::pair<int, std::wstring>> fields, int button) {
        for (const auto &field : fields) Type(page, field.first, field.second);
        Click(page, button);
    }
    static void Choose(HWND page, int comboId, int index) {
        SendDlgItemMessageW(page, comboId, CB_SETCURSEL, WPARAM(index), 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), LPARAM(GetDlgItem(page, comboId)));
    }
    // A button's place inside its parent (a side window is made first: it comes when needed).
    static POINT Where(int slot) {
        MakeSideWindowHolding(slot);
        RECT r;
        GetWindowRect(g_ui.buttons[slot], &r);
        MapWindowPoints(nullptr, GetParent(g_ui.buttons[slot]), reinterpret_cast<POINT *>(&r), 2);
        return POINT{r.left, r.top};
    }
};

TEST_F(SettingsDialog, OpensWithFourTabsClosesEachWayAndEachGenreRowRenamesItsGenre) {
    StartApp();
    HWND dialog;
    ASSERT_TRUE(dialog = Open());

    const int shownBy[] = {IDD_MAIN_PAGE, IDD_GENRE_PAGE, IDD_TOOLKIT_PAGE, IDD_SKIN_PAGE};
    for (int tab : {2, 3, 1, 0}) {  // the main page shows first: it ends the round
        ClickTab(tab);
        for (HWND page : g_ui.settingsPages) EXPECT_EQ(IsWindowVisible(page) != 0, page == SettingsPage(shownBy[tab])) << tab;
    }

    // The close box, a second press of the button, Esc (Cancel's path); Enter in a field applies the
    // field with its own button and leaves the dialog open (keys go through the dialog
    // manager, as the program's message loop sends them).
    const auto key = [](HWND to, WPARAM vk) { MSG m = {to, WM_KEYDOWN, vk, 0, 0, {}}; return IsDialogMessageW(g_ui.hSettings, &m); };
    for (int way = 0; way < 3; ++way) {
        dialog = g_ui.hSettings ? g_ui.hSettings : Open();
        ASSERT_TRUE(dialog) << way;
        if (way == 0) SendMessageW(dialog, WM_CLOSE, 0, 0);
        if (way == 1) PressButton(SlotSettings);
        if (way == 2) {
            HWND genrePage = SettingsPage(IDD_GENRE_PAGE), field = GetDlgItem(genrePage, 1021);
            Type(genrePage, 1021, L"ライブ映像");
            SetFocus(field);
            bool boxed = false;  // a box here means Enter is closing the dialog
            driver::DialogHand box([&](HWND b) { if ((boxed = b != nullptr)) driver::PressDialogButton(b, IDOK); }, L"情報", 300);
            EXPECT_TRUE(key(field, VK_RETURN));
            box.Finish();
            driver::PumpMessages(10);
            EXPECT_TRUE(IsWindow(dialog) && !boxed) << "Enter closed the dialog";
            EXPECT_STREQ(g_app.settings.Genre[1], L"ライブ映像");
            EXPECT_TRUE(key(field, VK_ESCAPE));
        }
        driver::PumpMessages(10);
        EXPECT_FALSE(IsWindow(dialog) || g_ui.hSettings || g_ui.buttonFace[SlotSettings]) << way;
    }
    EXPECT_TRUE(Open()) << "a new dialog after the last close";

    // A page's file dialog: the button leaves the dialog beneath it (and its page) alone.
    HWND toolkit = SettingsPage(IDD_TOOLKIT_PAGE);
    driver::DialogHand chooser([](HWND d) {
        PostMessageW(g_ui.buttons[SlotSettings], WM_LBUTTONDOWN, 0, 0);
        Sleep(100), driver::PressDialogButton(d, IDCANCEL);
    }, L"ファイルの選択");
    SendMessageW(toolkit, WM_COMMAND, MAKEWPARAM(IDC_TK_AVI_EDIT, BN_CLICKED), 0);
    chooser.Finish();
    EXPECT_TRUE(IsWindow(toolkit) && g_ui.buttonFace[SlotSettings] == 1);

    // Each genre row, found by its label as a user reads it, renames the genre it names.
    ClickTab(1);
    HWND page = SettingsPage(IDD_GENRE_PAGE);
    for (int n = 1; n <= kGenreCount; ++n) {
        HWND label = GetWindow(page, GW_CHILD);
        while (label && driver::WindowText(label) != L"ｼﾞｬﾝﾙ" + std::to_wstring(n)) label = GetWindow(label, GW_HWNDNEXT);
        ASSERT_TRUE(label) << n;
        HWND edit = GetWindow(label, GW_HWNDNEXT), button = GetWindow(edit, GW_HWNDNEXT);
        const std::wstring name = L"名前" + std::to_wstring(n);
        SetWindowTextW(edit, name.c_str());
        SendMessageW(button, BM_CLICK, 0, 0);
        size_t bytes = 0;
        EXPECT_EQ(driver::ReadRegistryText(kGenre, (L"Genre" + std::to_wstring(n - 1)).c_str(), &bytes), name);
        EXPECT_EQ(bytes, 520u);
    }
    // A longer name is cut to 259 characters.
    Type(page, 1011, std::wstring(300, L'長'));
    SendMessageW(GetDlgItem(page, 142), BM_CLICK, 0, 0);
    EXPECT_EQ(std::wstring(g_app.settings.Genre[8]), std::wstring(259, L'長'));
}

TEST_F(SettingsDialog, MainPageControlsReachTheirUsersAndANewDialogShowsThem) {
    StartApp();
    HWND page = (Open(), SettingsPage(IDD_MAIN_PAGE));

    // A step of the capture frame slider is in the registry at once.
    Key(page, IDC_CAPTURE_SLIDER, VK_RIGHT);
    EXPECT_EQ(driver::ReadRegistryDword(kCap, L"Capture", 99), 1u);
    // The other sliders go through the same table; the record rate's reaches the recorder.
    Key(page, IDC_REC_RATE_SLIDER, VK_RIGHT);
    EXPECT_EQ(RecordingFormat().nSamplesPerSec, 27010u) << "the recorder's rate follows";

    const auto rate = [] { return RecordingFormat().nChannels * RecordingFormat().nSamplesPerSec; };
    Click(page, IDC_STEREO);
    EXPECT_EQ(rate(), 2 * 13500u);
    Click(page, IDC_MONO);
    EXPECT_EQ(rate(), 27000u);

    // Sizes, switches and channels: a new dialog shows what is in force.
    TypeAndClick(page, {{IDC_CAP_WIDTH, L"75px"}}, IDC_CAP_WIDTH_SET);
    TypeAndClick(page, {{IDC_CAP_HEIGHT, L"高さ"}}, IDC_CAP_HEIGHT_SET);
    EXPECT_EQ(driver::ReadRegistryDword(kCap, L"CapWidth", 0), 75u);
    EXPECT_EQ(driver::ReadRegistryDword(kCap, L"CapHight", 9), 0u) << "no number reads as 0";

    Click(page, IDC_CAPTURE_ON);
    Click(page, IDC_RIGHT_AUDIO); // no media is open: the flag and the box change all the same
    Click(page, IDC_STEREO);
    EXPECT_TRUE(!ThumbnailsOn() && ChannelOff(true));

    PressButton(SlotSettings);
    page = (Open(), SettingsPage(IDD_MAIN_PAGE));
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_CAPTURE_ON) * 100 + IsDlgButtonChecked(page, IDC_RIGHT_AUDIO) * 10 +
                  IsDlgButtonChecked(page, IDC_STEREO), 11u) << "capture off, right channel off, stereo";
    EXPECT_EQ(Text(page, IDC_REC_RATE_TEXT) + Text(page, IDC_CAP_HEIGHT), L"135000");
}

// Colours and places tried with Test show at once; saved, they stand after a restart.
TEST_F(SettingsDialog, ColoursAndPositionsTriedShowAtOnceAndSavedOnesStandAfterARestart) {
    StartApp();
    Open();
    ClickTab(3);
    HWND page = SettingsPage(IDD_SKIN_PAGE);
    Choose(page, IDC_COLOUR_LIST, 3); // "再生位置"
    for (auto key : {std::make_pair(IDC_RED_SLIDER, VK_HOME), {IDC_GREEN_SLIDER, VK_END}, {IDC_GREEN_SLIDER, VK_LEFT},
                     {IDC_BLUE_SLIDER, VK_HOME}, {IDC_BLUE_SLIDER, VK_RIGHT}})
        Key(page, key.first, key.second);

    Click(page, IDC_COLOUR_TEST);
    driver::PumpMessages(50);
    HDC dc = GetDC(g_ui.hMain);
    int tried = 0;  // pixels of the tried colour around "再生位置" at (170, 36)
    for (int y = 30; y < 56; ++y)
        for (int x = 165; x < 260; ++x) tried += GetPixel(dc, x, y) == RGB(0, 254, 1);
    ReleaseDC(g_ui.hMain, dc);
    EXPECT_GT(tried, 5) << "after the test";

    // A position test moves only the chosen button or text.
    struct Case { int item, slot, x, y; };
    // "左ｻｲﾄﾞｳｨﾝﾄﾞｳ", "ランダム" inside the right side window, "トラック戻り", "(字)Sp:" (only the text moves)
    const Case cases[] = {{11, SlotLeftTab, 20, 160}, {22, SlotRandom, 7, 9}, {8, SlotPrevious, 100, 200}, {29, -1, 300, -5}};
    for (const Case &c : cases) {
        POINT before[kButtonCount];
        for (int s = 0; s < kButtonCount; ++s) before[s] = Where(s);
        Choose(page, IDC_PLACE_LIST, c.item);
        TypeAndClick(page, {{IDC_PLACE_X, std::to_wstring(c.x)}, {IDC_PLACE_Y, std::to_wstring(c.y) + L"px"}},
                     IDC_PLACE_TEST);
        for (int s = 0; s < kButtonCount; ++s) {
            const POINT now = Where(s), expected = s == c.slot ? POINT{c.x, c.y} : before[s];
            EXPECT_TRUE(now.x == expected.x && now.y == expected.y) << c.item << " slot " << s;
        }
    }
    EXPECT_TRUE(g_app.settings.nMWText_X[6] == 300 && g_app.settings.nMWText_Y[6] == -5);

    // The two track buttons: each item shows and moves the button it names.
    Choose(page, IDC_PLACE_LIST, 9); // "トラック送り"
    TypeAndClick(page, {{IDC_PLACE_X, L"240"}, {IDC_PLACE_Y, L"130"}}, IDC_PLACE_TEST);
    Choose(page, IDC_COLOUR_LIST, 8);
    Key(page, IDC_RED_SLIDER, VK_HOME);
    TypeAndClick(page, {{IDC_URL, L"https://example.org/mine"}}, IDC_URL_TEST);
    TypeAndClick(page, {{IDC_URL, L"https://typed-but-not-tried.example/"}}, IDC_SKIN_SAVE);

    EXPECT_EQ(driver::ReadRegistryDword(kDate, L"B_TrSu0", 0), 240u) << "the next-track button";
    EXPECT_EQ(driver::ReadRegistryDword(kDate, L"B_TrMo0", 0), 100u) << "tried above";
    EXPECT_EQ(driver::ReadRegistryDword(kDate, L"RGB9_0", 7), 0u);
    EXPECT_EQ(driver::ReadRegistryDword(kDate, L"nMWText_Y[8]", 0), 281u);
    size_t bytes = 0;
    EXPECT_EQ(driver::ReadRegistryText(kDate, L"URL", &bytes), L"https://example.org/mine");
    EXPECT_EQ(bytes, 2048u);

    // Loading the values is tested with the registry; here the buttons take their places.
    TearDown();
    g_app.hInst = GetModuleHandleW(nullptr);
    StartApp();
    EXPECT_TRUE(Where(SlotNext).x == 240 && Where(SlotNext).y == 130);
    page = (Open(), SettingsPage(IDD_SKIN_PAGE));
    Choose(page, IDC_PLACE_LIST, 9);
    EXPECT_EQ(Text(page, IDC_PLACE_X) + L" " + Text(page, IDC_URL), L"240 https://example.org/mine");
}

// The printable characters of a text.
void AddCharacters(std::set<wchar_t> *to, const std::wstring &text) {
    for (wchar_t c : text)
        if (c >= L' ') to->insert(c);
}

BOOL CALLBACK AddStringBlock(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR to) {
    const WORD *p = static_cast<const WORD *>(LockResource(LoadResource(module, FindResourceW(module, name, type))));
    for (int i = 0; p && i < 16; p += 1 + *p, ++i)  // 16 counted strings a block
        AddCharacters(reinterpret_cast<std::set<wchar_t> *>(to), std::wstring(reinterpret_cast<const wchar_t *>(p + 1), *p));
    return TRUE;
}

BOOL CALLBACK AddWindowText(HWND window, LPARAM to) {
    AddCharacters(reinterpret_cast<std::set<wchar_t> *>(to), driver::WindowText(window));
    return TRUE;
}

// Every character of the program's string table and of the settings dialog's texts.
std::set<wchar_t> ProgramCharacters(HWND dialog) {
    std::set<wchar_t> all;
    EnumResourceNamesW(nullptr, MAKEINTRESOURCEW(6), AddStringBlock, LONG_PTR(&all)); // RT_STRING
    EnumChildWindows(dialog, AddWindowText, LPARAM(&all));
    return all;
}

// The characters a font has no glyph for, after its face's name.
std::wstring Missing(HFONT font, const std::set<wchar_t> &characters) {
    const std::wstring text(characters.begin(), characters.end());
    std::vector<WORD> glyphs(text.size());
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    GetGlyphIndicesW(dc, text.c_str(), int(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    DeleteDC(dc);
    std::wstring missing;
    for (size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF) missing.push_back(text[i]);
    return missing.empty() ? missing : std::wstring(face) + L": " + missing;
}

const wchar_t kWithoutFontLink[] = L"MIRELO_TEST_WITHOUT_FONT_LINK";

// Run again in a process of its own while the font link values are taken away, so that its
// interface font links to no Japanese font, as on a Western Windows; the check runs there.
TEST_F(SettingsDialog, JapaneseTextsHaveGlyphsInTheFontsOfTheControlsWithoutAFontLink) {
    if (!GetEnvironmentVariableW(kWithoutFontLink, nullptr, 0)) {
        HKEY link = nullptr;
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink",
                      0, KEY_ALL_ACCESS, &link);
        struct Value { std::wstring name; DWORD type; std::vector<BYTE> data; };
        std::vector<Value> kept;
        wchar_t name[256];
        std::vector<BYTE> data(8192);
        for (DWORD length = 256, size = 8192, type = 0;
             RegEnumValueW(link, 0, name, &length, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
             length = 256, size = 8192) {
            kept.push_back(Value{name, type, std::vector<BYTE>(data.begin(), data.begin() + size)});
            RegDeleteValueW(link, name);
        }
        ASSERT_FALSE(kept.empty()) << "the test prefix links a Japanese font";
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        SetEnvironmentVariableW(kWithoutFontLink, L"1");
        driver::Process child = driver::Launch(exe, L"--gtest_filter=SettingsDialog.JapaneseTexts*");
        SetEnvironmentVariableW(kWithoutFontLink, nullptr);
        const DWORD code = driver::WaitForExit(child, 120000);
        for (const Value &v : kept)
            RegSetValueExW(link, v.name.c_str(), 0, v.type, v.data.data(), DWORD(v.data.size()));
        RegCloseKey(link);
        EXPECT_EQ(code, 0u);
        return;
    }
    StartApp();
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    const std::set<wchar_t> characters = ProgramCharacters(dialog);
    EXPECT_GT(characters.size(), 300u) << "the string table is read";
    HWND tabs = GetDlgItem(dialog, IDC_SETTINGS_TABS);
    HWND list = g_ui.hList;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    HWND label = FindWindowExW(SettingsPage(IDD_MAIN_PAGE), nullptr, L"Static", nullptr);
    ASSERT_TRUE(label);
    const std::pair<HWND, const char *> controls[] = {
        {list, "list"}, {header, "header"}, {tabs, "tabs"}, {label, "label"}};
    for (const auto &c : controls)
        EXPECT_EQ(Missing(reinterpret_cast<HFONT>(SendMessageW(c.first, WM_GETFONT, 0, 0)),
                          characters), L"") << c.second;
    EXPECT_EQ(Missing(StatusFont(), characters), L"") << "the main window's texts";
}

} // namespace
