#include "ui/stock/stock_window.h"

#include "services/add_files.h"
#include "services/media_device.h"
#include "services/transport.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/texts.h"
#include "ui/shell/main_window.h"
#include "ui/shell/program_font.h"
#include "ui/playback/video_window.h"
#include "ui/shell/window_class.h"
#include "ui/shell/window_commands.h"
#include "core/scaler.h"
#include "core/stock_names.h"
#include "services/stock_store.h"
#include "services/thumbnail.h"

const wchar_t kStockWindowClass[] = L"LWClassName";

namespace {

enum { kMaxRows = 5, kListLeft = 20, kDefaultImageWidth = 60, kDefaultImageHeight = 40 };

const wchar_t kListBackground[] = L"C:\\ListBk.bmp";

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

void SetTiledBackground() {
    // Without the picture the list keeps its plain background.
    if (GetFileAttributesW(kListBackground) == INVALID_FILE_ATTRIBUTES) return;
    LVBKIMAGEW image = {};
    image.ulFlags = LVBKIF_SOURCE_URL | LVBKIF_STYLE_TILE;
    image.pszImage = const_cast<wchar_t *>(kListBackground);
    SendMessageW(g_ui.hList, LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&image));
    SendMessageW(g_ui.hList, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
}

void InsertColumns() {
    for (int i = 0; i < int(ARRAYSIZE(kColumns)); ++i) {
        LVCOLUMNW col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = kColumns[i].width;
        col.pszText = const_cast<wchar_t *>(kColumns[i].header);
        col.iSubItem = i;
        SendMessageW(g_ui.hList, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
}

void CreateListView(HWND stock) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    RECT client;
    GetClientRect(stock, &client);
    g_ui.hList = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT,
                                  kListLeft, 0, client.right - kListLeft, client.bottom, stock,
                                  reinterpret_cast<HMENU>(IDC_STOCK_LIST), g_app.hInst, nullptr);
    if (!g_ui.hList) return;
    // The list keeps the size of the interface font it would have; the header takes its font.
    SendMessageW(g_ui.hList, WM_SETFONT, reinterpret_cast<WPARAM>(InterfaceSizedFont()), FALSE);
    g_listOldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_ui.hList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListViewProc)));
    // The tiled background is loaded through OLE.
    OleInitialize(nullptr);
    SetClassLongPtrW(
        g_ui.hList, GCLP_HCURSOR,
        reinterpret_cast<LONG_PTR>(LoadCursorW(g_app.hInst, MAKEINTRESOURCEW(IDC_MIRELO))));
    SetTiledBackground();
    InsertColumns();
    SendMessageW(g_ui.hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

void SetCell(int row, int column, const std::wstring &text) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t *>(text.c_str());
    SendMessageW(g_ui.hList, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ImageWidth() {
    return ListImageSide(g_app.settings.CapWidth, kDefaultImageWidth);
}
int ImageHeight() {
    return ListImageSide(g_app.settings.CapHight, kDefaultImageHeight);
}

// The entry's thumbnail, or the "no image" picture, scaled to the list's image size and added
// to the image list. Returns the image's index, or I_IMAGENONE when nothing could be added,
// so a failed picture never shifts the pictures of the rows after it.
int AddThumbnailImage(int genre, int index) {
    HBITMAP picture =
        static_cast<HBITMAP>(LoadImageW(nullptr, ThumbnailPath(genre, index).c_str(), IMAGE_BITMAP,
                                        0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    HBITMAP scaled = picture ? ScaleBitmap(picture, ImageWidth(), ImageHeight()) : nullptr;
    if (!scaled) {
        if (picture) DeleteObject(picture);
        picture = LoadBitmapW(g_app.hInst, L"Non_Image");
        scaled = picture ? ScaleBitmap(picture, ImageWidth(), ImageHeight()) : nullptr;
    }
    int image = -1;
    if (scaled && g_ui.thumbnails)
        image = ImageList_AddMasked(g_ui.thumbnails, scaled, RGB(0, 0, 0));
    if (scaled) DeleteObject(scaled);
    if (picture) DeleteObject(picture);
    return image >= 0 ? image : I_IMAGENONE;
}

int SelectedRow() {
    return int(SendMessageW(g_ui.hList, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

// The menu opens at the stock window's top-left corner, wherever the click was.
void ShowStockMenu(HWND hwnd) {
    HMENU menu = LoadMenuW(g_app.hInst, MAKEINTRESOURCEW(IDM_STOCK));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    for (int genre = 0; genre < kGenreCount; ++genre) {
        const int command = StockMenuCommand(genre);
        ModifyMenuW(popup, UINT(command), MF_BYCOMMAND | MF_STRING, UINT_PTR(command),
                    g_app.settings.Genre[genre]);
    }
    POINT corner = {0, 0};
    ClientToScreen(hwnd, &corner);
    TrackPopupMenu(popup, TPM_LEFTALIGN, corner.x, corner.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
}

void OnGenreChosen(int genre) {
    RememberPosition();
    ListDrawingHeld held;
    ReplaceThumbnailList(kMaxRows);
    LoadGenre(genre);
    RefillStockList();
    RepaintStatus();
    // The loaded media stays; an empty genre only rewinds it.
    if (EntryCount(genre) == 0) Rewind();
}

void PlaySelectedEntry() {
    g_ui.zoom = 0;
    const int row = SelectedRow();
    if (row >= 0) PlayEntry(row);
}

// Takes the selected rows out of the list, first to last; each one's entry index is its row
// now plus the rows already taken out before it.
std::vector<int> TakeSelectedRows() {
    std::vector<int> indices;
    const int rows = int(SendMessageW(g_ui.hList, LVM_GETITEMCOUNT, 0, 0));
    for (int taken = 0; taken < rows; ++taken) {
        const int row = SelectedRow();
        if (row < 0) break;
        SendMessageW(g_ui.hList, LVM_DELETEITEM, WPARAM(row), 0);
        indices.push_back(row + taken);
    }
    return indices;
}

void DeleteSelectedEntries() {
    g_ui.zoom = 0;
    if (SelectedRow() < 0) return;
    // Stored before the delete, the loaded entry's position moves with it.
    RememberPosition();
    {
        ListDrawingHeld held;
        ReplaceThumbnailList(kMaxRows);
        const std::vector<int> indices = TakeSelectedRows();
        SendMessageW(g_ui.hList, LVM_DELETEALLITEMS, 0, 0);
        DeleteStockEntries(indices);
        RefillStockList();
    }
    const int count = EntryCount(g_app.currentGenre);
    if (count > 0) {
        // The first entry is loaded again, not played, where it was left.
        g_app.currentItem = 0;
        LoadEntry(0, false);
        SetNumberText(Display().currentNumberText, 1);
    } else {
        SetNumberText(Display().currentNumberText, 0);
        CloseMedia();
    }
    SetNumberText(Display().totalNumberText, count);
    RepaintStatus();
}

void OnCommand(int command) {
    const int genre = GenreOfStockMenuCommand(command);
    if (genre >= 0) {
        OnGenreChosen(genre);
    } else if (command == ID_STOCK_DELETE) {
        DeleteSelectedEntries();
    }
}

void OnNotify(const NMHDR *header) {
    if (header->hwndFrom != g_ui.hList) return;
    if (header->code == NM_RCLICK) ShowStockMenu(GetParent(g_ui.hList));
    // Enter plays the selected entry as a double click does; Delete deletes the selection as
    // the menu's delete does, once the list has finished with its key.
    if (header->code == NM_DBLCLK || header->code == NM_RETURN) PlaySelectedEntry();
    if (header->code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN *>(header)->wVKey == VK_DELETE)
        PostMessageW(GetParent(g_ui.hList), WM_COMMAND, ID_STOCK_DELETE, 0);
}

void OnSize(int width, int height) {
    // Repainted as it moves: the stock window draws nothing of its own beneath the list, so
    // the part of the list a larger band uncovers would otherwise stay unpainted.
    if (g_ui.hList) MoveWindow(g_ui.hList, kListLeft, 0, width - kListLeft, height, TRUE);
    g_ui.zoom = 0;
    if (!g_ui.hPlay) return;
    RECT client;
    GetClientRect(g_ui.hPlay, &client);
    const RECT video = {8, 8, client.right - 8, client.bottom - height};
    InvalidateRect(g_ui.hPlay, &video, FALSE);
}

void OnTrayIcon(HWND hwnd, LPARAM mouse) {
    if (mouse != WM_LBUTTONDBLCLK) return;
    DeleteTrayIcon(TrayStock, hwnd);
    ShowWindow(hwnd, SW_SHOW);
}

} // namespace

void AddFilesAndShow(const std::vector<ChosenFile> &files) {
    g_ui.zoom = 0;
    ReplaceThumbnailList(kMaxRows);
    const bool everyFolderHadMedia = AddFiles(files);
    RefillStockList();
    SetBarRange();
    Rewind();
    PlaceVideoWindow();
    const int count = EntryCount(g_app.currentGenre);
    SetNumberTexts(count, count);
    // The last stored entry is current; with nothing stored there is no entry -1.
    g_app.currentItem = count > 0 ? count - 1 : 0;
    if (g_ui.hPlay) InvalidateRect(g_ui.hPlay, nullptr, TRUE);
    RepaintStatus();
    if (!everyFolderHadMedia) TellFolderHasNoMedia();
}

void TellFolderHasNoMedia() {
    // Said once the add has returned: a drop's sender is not kept waiting on the box.
    if (g_ui.hMain) PostMessageW(g_ui.hMain, WM_FOLDER_NO_MEDIA, 0, 0);
}

void SayFolderHasNoMedia() {
    MessageBoxW(g_ui.hMain, LoadProgramText(IDS_FOLDER_NO_MEDIA).c_str(), L"",
                MB_OK | MB_ICONINFORMATION);
}

// A picture of an added file that could not be written: the list would show none.
static void SayThumbnailNotWritten() {
    MessageBoxW(nullptr, LoadProgramText(IDS_FILE_CREATE_FAILED).c_str(), L"",
                MB_OK | MB_ICONWARNING);
}

HWND CreateStockWindow() {
    RegisterProgramClass(kStockWindowClass, StockWindowProc, L"Stock", nullptr);
    SetThumbnailNotWrittenListener(SayThumbnailNotWritten);
    RECT play = {};
    GetClientRect(g_ui.hPlay, &play);
    g_ui.hStock =
        CreateWindowExW(0, kStockWindowClass, L"ストックウィンドウ",
                        WS_CHILD | WS_THICKFRAME | WS_VISIBLE, play.left - 25, play.bottom - 94,
                        play.right + 50, 100, g_ui.hPlay, nullptr, g_app.hInst, nullptr);
    return g_ui.hStock;
}

namespace {
int g_listHolds;
}  // namespace

ListDrawingHeld::ListDrawingHeld() {
    if (g_listHolds++ == 0 && g_ui.hList) SendMessageW(g_ui.hList, WM_SETREDRAW, FALSE, 0);
}

ListDrawingHeld::~ListDrawingHeld() {
    if (--g_listHolds == 0 && g_ui.hList) SendMessageW(g_ui.hList, WM_SETREDRAW, TRUE, 0);
}

void ReplaceThumbnailList(int initialCapacity) {
    ListDrawingHeld held;
    // The list shows five rows at most: a larger initial capacity would only reserve memory
    // for pictures that are never shown.
    const int capacity =
        initialCapacity > 0 && initialCapacity < kMaxRows ? initialCapacity : kMaxRows;
    g_ui.thumbnails =
        ImageList_Create(ImageWidth(), ImageHeight(), ILC_COLOR32 | ILC_MASK, capacity, kMaxRows);
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(SendMessageW(
        g_ui.hList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(g_ui.thumbnails)));
    if (old && old != g_ui.thumbnails) ImageList_Destroy(old);
}

void RefillStockList() {
    if (!g_ui.hList) return;
    ListDrawingHeld held;
    SendMessageW(g_ui.hList, LVM_DELETEALLITEMS, 0, 0);
    // Every refill adds its pictures from the first image on.
    if (g_ui.thumbnails) ImageList_RemoveAll(g_ui.thumbnails);
    const int genre = g_app.currentGenre;
    for (int i = 0; i < EntryCount(genre) && i < kMaxRows; ++i) {
        const std::wstring title = ReadStockField(genre, i, FieldTitle);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.iImage = AddThumbnailImage(genre, i);
        item.pszText = const_cast<wchar_t *>(title.c_str());
        SendMessageW(g_ui.hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
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
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SIZING:
        // While the frame is dragged the video keeps its normal place, even in full size.
        PlaceVideo(false);
        return TRUE;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<const NMHDR *>(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_TRAY_STOCK:
        OnTrayIcon(hwnd, lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
