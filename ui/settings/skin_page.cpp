#include "ui/settings/skin_page.h"

#include <cwchar>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/settings.h"
#include "ui/settings/page_text.h"

namespace {

// The colour list, slot by slot: the text each slot colours on the main window.
const wchar_t *const kColourSlotTexts[kStatusTextCount] = {
    L"時間", L"All[番号]", L"One[番号]", L"再生位置", L"Track", L"All", L"Sp", L"Vol", L"Mute",
};

// The position list: 23 buttons by slot, then the nine texts by index.
struct PlaceItem {
    const wchar_t *text;
    int slot;      // a button's slot, or -1 for a text
    int textIndex; // a text's index, or -1 for a button
};
const PlaceItem kPlaceItems[] = {
    {L"再生", SlotPlay, -1},
    {L"停止", SlotStop, -1},
    {L"一時停止", SlotPause, -1},
    {L"トレイ開く", SlotTrayOpen, -1},
    {L"トレイ出す", SlotTrayClose, -1},
    {L"ファイルオープン", SlotFile, -1},
    {L"ﾐｭｰﾄ", SlotMute, -1},
    {L"終了", SlotEnd, -1},
    {L"トラック戻り", SlotPrevious, -1},
    {L"トラック送り", SlotNext, -1},
    {L"録音", SlotRecord, -1},
    {L"左ｻｲﾄﾞｳｨﾝﾄﾞｳ", SlotLeftTab, -1},
    {L"リスト消去", SlotListErase, -1},
    {L"ブラウザ", SlotHomePage, -1},
    {L"右ｻｲﾄﾞｳｨﾝﾄﾞｳ", SlotRightTab, -1},
    {L"時計", SlotClock, -1},
    {L"電卓", SlotCalculator, -1},
    {L"写真", SlotPhoto, -1},
    {L"設定", SlotSettings, -1},
    {L"フルボタン", SlotFull, -1},
    {L"繰り返し", SlotRepeat, -1},
    {L"連続", SlotContinuous, -1},
    {L"ランダム", SlotRandom, -1},
    {L"(字)時間", -1, 0},
    {L"(字)All[]", -1, 1},
    {L"(字)Track[]", -1, 2},
    {L"(字)再生位置", -1, 3},
    {L"(字)Track", -1, 4},
    {L"(字)All", -1, 5},
    {L"(字)Sp:", -1, 6},
    {L"(字)Vol:", -1, 7},
    {L"(字):Mute:", -1, 8},
};
const int kPlaceItemCount = int(sizeof kPlaceItems / sizeof kPlaceItems[0]);

const int kColourSliders[3] = {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER};

// Where the page writes the selected slot's red, green and blue, in pixels.
const RECT kValueArea = {260, 65, 310, 115};

// The stored place of a list item: a button's own entry, or a text's.
struct Place {
    int32_t *x, *y;
};
Place PlaceOf(const PlaceItem &item) {
    SettingsRecord &s = g_app.settings;
    if (item.slot >= 0) return {&s.buttons[item.slot].x, &s.buttons[item.slot].y};
    return {&s.nMWText_X[item.textIndex], &s.nMWText_Y[item.textIndex]};
}

int Selected(HWND page, int comboId) {
    return int(SendDlgItemMessageW(page, comboId, CB_GETCURSEL, 0, 0));
}

void FillList(HWND page, int comboId, const wchar_t *const *texts, int count) {
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageW(page, comboId, CB_INSERTSTRING, WPARAM(i),
                            reinterpret_cast<LPARAM>(texts[i]));
    SendDlgItemMessageW(page, comboId, CB_SETCURSEL, 0, 0);
}

void ShowColourSlot(HWND page) {
    const int32_t *rgb = g_app.settings.rgb[g_ui.nColorSlot];
    for (int c = 0; c < 3; ++c)
        SendDlgItemMessageW(page, kColourSliders[c], TBM_SETPOS, TRUE, rgb[c]);
}

void ShowPlace(HWND page, int item) {
    const Place place = PlaceOf(kPlaceItems[item]);
    ShowNumber(page, IDC_PLACE_X, *place.x);
    ShowNumber(page, IDC_PLACE_Y, *place.y);
}

void OnInit(HWND page) {
    FillList(page, IDC_COLOUR_LIST, kColourSlotTexts, kStatusTextCount);
    const wchar_t *placeTexts[kPlaceItemCount];
    for (int i = 0; i < kPlaceItemCount; ++i)
        placeTexts[i] = kPlaceItems[i].text;
    FillList(page, IDC_PLACE_LIST, placeTexts, kPlaceItemCount);
    for (int id : kColourSliders) {
        SendDlgItemMessageW(page, id, TBM_SETRANGEMIN, FALSE, 0);
        SendDlgItemMessageW(page, id, TBM_SETRANGEMAX, FALSE, 255);
    }
    g_ui.nColorSlot = 0;
    ShowColourSlot(page);
    ShowPlace(page, 0);
    SendDlgItemMessageW(page, IDC_URL, EM_LIMITTEXT, kTextChars - 1, 0);
    SetDlgItemTextW(page, IDC_URL, g_app.settings.URL);
    InvalidateRect(page, nullptr, TRUE);
}

void OnColourSlotChosen(HWND page) {
    const int slot = Selected(page, IDC_COLOUR_LIST);
    if (slot >= 0 && slot < kStatusTextCount) {
        g_ui.nColorSlot = slot;
        ShowColourSlot(page);
    }
    InvalidateRect(page, &kValueArea, TRUE);
}

// All three sliders go into the slot; the main window shows it at its next paint.
void OnColourSlider(HWND page) {
    int32_t *rgb = g_app.settings.rgb[g_ui.nColorSlot];
    for (int c = 0; c < 3; ++c)
        rgb[c] = int32_t(SendDlgItemMessageW(page, kColourSliders[c], TBM_GETPOS, 0, 0));
    InvalidateRect(page, &kValueArea, TRUE);
}

void PaintValues(HWND page) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(page, &ps);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(page, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const int32_t *rgb = g_app.settings.rgb[g_ui.nColorSlot];
    for (int c = 0; c < 3; ++c) {
        wchar_t text[16];
        const int length = std::swprintf(text, 16, L"%d", rgb[c]);
        TextOutW(dc, kValueArea.left, kValueArea.top + 15 * c, text, length > 0 ? length : 0);
    }
    SelectObject(dc, oldFont);
    EndPaint(page, &ps);
}

void OnPlaceChosen(HWND page) {
    const int item = Selected(page, IDC_PLACE_LIST);
    if (item >= 0 && item < kPlaceItemCount) ShowPlace(page, item);
}

// The chosen button moves at once, keeping its size; a text moves at the main window's
// repaint, which follows at once.
void OnPlaceTest(HWND page) {
    const int item = Selected(page, IDC_PLACE_LIST);
    if (item >= 0 && item < kPlaceItemCount) {
        g_ui.nPlaceItem = item;
        const Place place = PlaceOf(kPlaceItems[item]);
        *place.x = ReadNumber(page, IDC_PLACE_X);
        *place.y = ReadNumber(page, IDC_PLACE_Y);
        const int slot = kPlaceItems[item].slot;
        if (slot >= 0 && g_ui.buttons[slot]) {
            const ButtonPlacement &size = PlacementOfSlot(slot);
            MoveWindow(g_ui.buttons[slot], *place.x, *place.y, size.width, size.height, TRUE);
        }
    }
    if (g_ui.hMain) InvalidateRect(g_ui.hMain, nullptr, FALSE);
}

// The address the home page button opens from now on; "セーブ" keeps it.
void OnAddressTest(HWND page) {
    wchar_t address[kTextChars] = L"";
    GetDlgItemTextW(page, IDC_URL, address, kTextChars);
    std::wcsncpy(g_app.settings.URL, address, kUrlChars - 1);
    g_app.settings.URL[kUrlChars - 1] = L'\0';
}

void OnCommand(HWND page, int id, int code) {
    switch (id) {
    // A choice in a list; text typed into a list's own field chooses nothing.
    case IDC_COLOUR_LIST:
        if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) OnColourSlotChosen(page);
        break;
    case IDC_PLACE_LIST:
        if (code == CBN_SELCHANGE) OnPlaceChosen(page);
        break;
    case IDC_COLOUR_TEST:
        if (code == BN_CLICKED && g_ui.hMain) InvalidateRect(g_ui.hMain, nullptr, TRUE);
        break;
    case IDC_PLACE_TEST:
        if (code == BN_CLICKED) OnPlaceTest(page);
        break;
    case IDC_URL_TEST:
        if (code == BN_CLICKED) OnAddressTest(page);
        break;
    case IDC_SKIN_SAVE:
        if (code == BN_CLICKED) StoreSkinSettings();
        break;
    }
}

} // namespace

INT_PTR CALLBACK SkinPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInit(page);
        return TRUE;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        OnColourSlider(page);
        return TRUE;
    case WM_PAINT:
        PaintValues(page);
        return TRUE;
    }
    return FALSE;
}
