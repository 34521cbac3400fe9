#include "stock/stock_window.h"

#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/window_class.h"
#include "stock/stock_store.h"

const wchar_t kStockWindowClass[] = L"LWClassName";

namespace {

enum { kMaxRows = 5 };

struct Column {
    const wchar_t *header;
    int width;
};
const Column kColumns[] = {
    {L"タイトル", 200}, {L"No.", 40}, {L"全長時間", 100}, {L"ﾃﾞﾊﾞｲｽﾀｲﾌﾟ", 90}, {L"ﾌｧｲﾙﾊﾟｽ", 5000},
};

WNDPROC g_listOldProc;

// The list view's own procedure is wrapped so the program sees its messages first.
LRESULT CALLBACK ListViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(g_listOldProc, hwnd, msg, wParam, lParam);
}

void CreateListView(HWND stock) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    RECT client;
    GetClientRect(stock, &client);
    g_app.hList = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 20, 0,
                                  client.right - 20, client.bottom, stock,
                                  reinterpret_cast<HMENU>(IDC_STOCK_LIST), g_app.hInst, nullptr);
    if (!g_app.hList) return;
    g_listOldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_app.hList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListViewProc)));
    SetClassLongPtrW(g_app.hList, GCLP_HCURSOR,
                     reinterpret_cast<LONG_PTR>(
                         LoadCursorW(g_app.hInst, MAKEINTRESOURCEW(IDC_MIRELO))));
    for (int i = 0; i < int(sizeof kColumns / sizeof kColumns[0]); ++i) {
        LVCOLUMNW col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = kColumns[i].width;
        col.pszText = const_cast<wchar_t *>(kColumns[i].header);
        col.iSubItem = i;
        SendMessageW(g_app.hList, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    SendMessageW(g_app.hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

void SetCell(int row, int column, const std::wstring &text) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t *>(text.c_str());
    SendMessageW(g_app.hList, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

HWND CreateStockWindow() {
    RegisterProgramClass(kStockWindowClass, StockWindowProc, L"Stock", nullptr);
    RECT play = {};
    GetClientRect(g_app.hPlay, &play);
    g_app.hStock = CreateWindowExW(0, kStockWindowClass, L"ストックウィンドウ",
                                   WS_CHILD | WS_THICKFRAME | WS_VISIBLE, play.left - 25,
                                   play.bottom - 94, play.right + 50, 100, g_app.hPlay, nullptr,
                                   g_app.hInst, nullptr);
    return g_app.hStock;
}

void ReplaceThumbnailList(int initialCapacity) {
    const SettingsRecord &s = g_app.settings;
    g_app.thumbnails = ImageList_Create(s.CapWidth, s.CapHight, ILC_COLOR32 | ILC_MASK,
                                        initialCapacity, 0);
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(SendMessageW(
        g_app.hList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(g_app.thumbnails)));
    if (old && old != g_app.thumbnails) ImageList_Destroy(old);
}

void RefillStockList() {
    if (!g_app.hList) return;
    SendMessageW(g_app.hList, LVM_DELETEALLITEMS, 0, 0);
    const int genre = g_app.currentGenre;
    for (int i = 0; i < g_app.counts[genre] && i < kMaxRows; ++i) {
        const std::wstring title = ReadStockField(genre, i, FieldTitle);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.iImage = i;
        item.pszText = const_cast<wchar_t *>(title.c_str());
        SendMessageW(g_app.hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(i, 1, std::to_wstring(i + 1));
        SetCell(i, 2, ReadStockField(genre, i, FieldTime));
        SetCell(i, 3, ReadStockField(genre, i, FieldType));
        SetCell(i, 4, ReadStockField(genre, i, FieldPath));
    }
}

LRESULT CALLBACK StockWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        CreateListView(hwnd);
        return 0;
    case WM_SIZE:
        if (g_app.hList)
            MoveWindow(g_app.hList, 20, 0, LOWORD(lParam) - 20, HIWORD(lParam), FALSE);
        g_app.zoom = 0;
        return 0;
    case WM_ERASEBKGND:
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
