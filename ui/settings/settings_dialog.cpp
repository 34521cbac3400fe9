#include "ui/settings/settings_dialog.h"

#include <algorithm>
#include <iterator>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/accessories/toolkit_page.h"
#include "ui/settings/genre_page.h"
#include "ui/settings/main_page.h"
#include "ui/settings/skin_page.h"
#include "ui/shell/program_font.h"
#include "ui/shell/skinned_button.h"

namespace {

INT_PTR CALLBACK EmptyPageProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

struct PageTemplate {
    int dialogId;
    DLGPROC proc;
};
// Every page, in the order they are made; g_ui.settingsPages follows this order.
const PageTemplate kPages[kSettingsPageCount] = {
    {IDD_MAIN_PAGE, MainPageProc},     {IDD_EMPTY_PAGE_1, EmptyPageProc},
    {IDD_EMPTY_PAGE_2, EmptyPageProc}, {IDD_GENRE_PAGE, GenrePageProc},
    {IDD_SKIN_PAGE, SkinPageProc},     {IDD_TOOLKIT_PAGE, ToolkitPageProc},
};

struct Tab {
    const wchar_t *text;
    int dialogId; // the page it shows
};
const Tab kTabs[] = {
    {L"メイン設定", IDD_MAIN_PAGE},
    {L"ジャンル設定", IDD_GENRE_PAGE},
    {L"ツールキット", IDD_TOOLKIT_PAGE},
    {L"スキン作成", IDD_SKIN_PAGE},
};
const int kTabCount = int(std::size(kTabs));

// The page a tab index shows; the two indexes after the tabs would show the pages that have
// none.
int PageOfTab(int index) {
    if (index >= 0 && index < kTabCount) return kTabs[index].dialogId;
    if (index == kTabCount) return IDD_EMPTY_PAGE_1;
    if (index == kTabCount + 1) return IDD_EMPTY_PAGE_2;
    return 0;
}

void ShowPage(int dialogId) {
    for (int i = 0; i < kSettingsPageCount; ++i)
        if (g_ui.settingsPages[i])
            ShowWindow(g_ui.settingsPages[i], kPages[i].dialogId == dialogId ? SW_SHOW : SW_HIDE);
}

void InsertTabs(HWND tabs) {
    for (int i = 0; i < kTabCount; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t *>(kTabs[i].text);
        SendMessageW(tabs, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
}

RECT DisplayArea(HWND tabs) {
    RECT area;
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

// The pages use a larger font than the dialog, so the tab control and the dialog grow until
// every page's controls fit into the display area with a margin.
void FitPages(HWND dialog, HWND tabs) {
    enum { kMargin = 8 };
    LONG width = 0, height = 0;
    for (HWND page : g_ui.settingsPages)
        for (HWND c = page ? GetWindow(page, GW_CHILD) : nullptr; c;
             c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, page, reinterpret_cast<POINT *>(&r), 2);
            width = std::max<LONG>(width, r.right + kMargin);
            height = std::max<LONG>(height, r.bottom + kMargin);
        }
    const RECT area = DisplayArea(tabs);
    const LONG growX = std::max<LONG>(0, width - (area.right - area.left));
    const LONG growY = std::max<LONG>(0, height - (area.bottom - area.top));
    if (!growX && !growY) return;
    for (HWND w : {tabs, dialog}) {
        RECT r;
        GetWindowRect(w, &r);
        SetWindowPos(w, nullptr, 0, 0, r.right - r.left + growX, r.bottom - r.top + growY,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Every page fills the tab control's display area.
void PlacePages(HWND dialog, HWND tabs) {
    RECT area = DisplayArea(tabs);
    MapWindowPoints(tabs, dialog, reinterpret_cast<POINT *>(&area), 2);
    for (HWND page : g_ui.settingsPages)
        if (page)
            MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       FALSE);
}

// Beside the main window, which stays on top of everything and would cover it.
void PlaceBesideMain(HWND dialog) {
    if (!g_ui.hMain) return;
    RECT main, own, work;
    GetWindowRect(g_ui.hMain, &main);
    GetWindowRect(dialog, &own);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = own.right - own.left, height = own.bottom - own.top;
    int x = main.right + 8;
    if (x + width > work.right) x = main.left - 8 - width;
    if (x < work.left) x = work.left;
    int y = main.top;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitCommonControlClasses() {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
}

BOOL OnInitDialog(HWND dialog) {
    g_ui.hSettings = dialog;
    InitCommonControlClasses();
    HWND tabs = GetDlgItem(dialog, IDC_SETTINGS_TABS);
    InsertTabs(tabs);
    for (int i = 0; i < kSettingsPageCount; ++i)
        g_ui.settingsPages[i] = CreateDialogParamW(
            g_app.hInst, MAKEINTRESOURCEW(kPages[i].dialogId), dialog, kPages[i].proc, 0);
    UseControlFont(dialog);
    FitPages(dialog, tabs);
    PlacePages(dialog, tabs);
    ShowPage(IDD_MAIN_PAGE);
    PlaceBesideMain(dialog);
    return TRUE;
}

void OnNotify(const NMHDR *header) {
    if (header->idFrom != IDC_SETTINGS_TABS || header->code != TCN_SELCHANGE) return;
    const int index = int(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0));
    ShowPage(PageOfTab(index));
}

// Closing from inside is the Setting button's second press, as a click would be.
void CloseByButton() {
    if (g_ui.buttonFace[SlotSettings] && g_ui.buttons[SlotSettings])
        PressButton(SlotSettings);
    else
        CloseSettingsDialog();
}

// A field and the button that applies what was typed into it.
struct FieldButton {
    int field, button;
};
const FieldButton kFieldButtons[] = {
    {IDC_CAP_WIDTH, IDC_CAP_WIDTH_SET}, {IDC_CAP_HEIGHT, IDC_CAP_HEIGHT_SET},
    {IDC_PLACE_X, IDC_PLACE_TEST},      {IDC_PLACE_Y, IDC_PLACE_TEST},
    {IDC_URL, IDC_URL_TEST},
};

int ButtonOfField(int field) {
    for (const FieldButton &pair : kFieldButtons)
        if (pair.field == field) return pair.button;
    return GenreFieldButton(field);
}

// Enter reaches the dialog as IDOK (it has no OK button). It applies the focused field with
// that field's own button and never closes the dialog, which would lose what was typed.
void OnEnter() {
    HWND field = GetFocus();
    HWND page = field ? GetParent(field) : nullptr;
    if (!page || GetParent(page) != g_ui.hSettings) return;
    const int button = ButtonOfField(GetDlgCtrlID(field));
    if (button)
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
}

void OnCommand(int id) {
    if (id == IDOK)
        OnEnter();
    else if (id == IDCANCEL)
        CloseByButton();  // Esc, as the Setting button's second press
}

void OnDestroy() {
    g_ui.hSettings = nullptr;
    for (HWND &page : g_ui.settingsPages)
        page = nullptr; // they go with the dialog
    // However the dialog went, the Setting button no longer shows it open.
    SetButtonFace(SlotSettings, 0);
}

} // namespace

bool OpenSettingsDialog() {
    if (g_ui.hSettings) return true;
    InitCommonControlClasses();
    HWND dialog = CreateDialogParamW(g_app.hInst, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr,
                                     SettingsDialogProc, 0);
    if (!dialog) return false;
    ShowWindow(dialog, SW_SHOW);
    return true;
}

void CloseSettingsDialog() {
    if (g_ui.hSettings) DestroyWindow(g_ui.hSettings);
}

HWND SettingsPage(int dialogId) {
    for (int i = 0; i < kSettingsPageCount; ++i)
        if (kPages[i].dialogId == dialogId) return g_ui.settingsPages[i];
    return nullptr;
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<const NMHDR *>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        CloseByButton();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    }
    return FALSE;
}
