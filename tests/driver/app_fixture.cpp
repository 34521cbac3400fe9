#include "tests/driver/app_fixture.h"


#include "services/media_device.h"
#include "services/mixer.h"
#include "services/recorder.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/main_window.h"
#include "ui/shell/startup.h"
#include "services/registry.h"
#include "services/skin.h"
#include "services/thumbnail.h"
#include "core/stock_names.h"
#include "tests/driver/driver.h"
#include "ui/shell/window_commands.h"

namespace driver {

const wchar_t kCapFolder[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Cap";
const wchar_t kSkinFolder[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Bmp";

void AppTest::SetUp() {
    DeleteProgramRegistry();
    DeleteFilesIn(kSkinFolder);
    const wchar_t yes[] = L"YES";
    WriteRegistryValue(L"Software\\Mirelo\\Setting\\Kidou", L"初回書き込み", REG_SZ, yes, sizeof yes);
    ResetAppState();
    ResetWindowState();
    ForgetSkinBitmaps();  // no test sees the bitmaps another one drew with
    g_app.hInst = GetModuleHandleW(nullptr);
    DeleteFilesIn(kCapFolder);
}

HWND AppTest::StartApp() {
    OpenRegistryKeys(g_app.keys);
    HWND main = CreateMainWindow();
    ShowWindow(main, SW_SHOWNOACTIVATE);
    UpdateWindow(main);
    FinishStartup(main);
    PumpMessages(50);
    FinishOpeningAhead();  // the first entry is loaded, as once the program has started
    return main;
}

void AppTest::TearDown() {
    CloseMedia();
    DiscardTake();
    CloseMixer();
    for (HWND *w : {&g_ui.hLeftPanel, &g_ui.hRightPanel, &g_ui.hMain, &g_ui.hPlay,
                    &g_ui.hCalculator, &g_ui.hClock, &g_ui.hAviEdit})
        if (*w && IsWindow(*w)) DestroyWindow(*w);
    DeleteAllTrayIcons();
    CloseRegistryKeys(g_app.keys);
    PumpMessages(10);
    ResetAppState();
    ResetWindowState();
    DeleteFilesIn(kSkinFolder);
    DeleteFilesIn(kCapFolder);
}

std::wstring InTestFolder(const wchar_t *folder, const std::wstring &name) {
    const std::wstring path = std::wstring(L"C:\\mirelo-test\\") + folder;
    CreateDirectoryW(L"C:\\mirelo-test", nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\" + name;
}

std::wstring MadeMedia(const std::wstring &name) {
    return ProgramFolder() + L"media\\" + name;
}

AppTest::Canvas::~Canvas() {
    if (dc) SelectObject(dc, old), DeleteDC(dc);
    if (bitmap) DeleteObject(bitmap);
}

void AppTest::MakeCanvas(Canvas &canvas, int width, int height) {
    HDC screen = GetDC(nullptr);
    canvas.dc = CreateCompatibleDC(screen);
    canvas.bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    canvas.old = SelectObject(canvas.dc, canvas.bitmap);
    canvas.width = width, canvas.height = height;
    RECT all = {0, 0, width, height};
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void StoreStockEntry(int genre, int index, const std::wstring &title, const std::wstring &path) {
    const std::wstring name = StockValueName(genre, index);
    const std::wstring texts[4] = {title, L" 1 秒", L"mpegvideo", path};
    for (int k = 0; k < 4; ++k) {
        HKEY key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRegKeyPaths[kListKeyFirst + k], 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr) == ERROR_SUCCESS)
            WriteFixedTextValue(key, name.c_str(), texts[k].c_str(), 1000), RegCloseKey(key);
    }
}

bool MediaPlaying() {
    DWORD mode = 0;
    return DeviceStatus(MCI_STATUS_MODE, &mode) && mode == MCI_MODE_PLAY;
}

bool WriteSolidBmp(const std::wstring &path, int width, int height, COLORREF colour) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER ih = {sizeof ih, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::string picture(reinterpret_cast<const char *>(&ih), sizeof ih);
    picture.resize(sizeof ih + size_t(stride * height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char *p = &picture[sizeof ih + size_t(y * stride + x * 3)];
            for (int k = 0; k < 3; ++k) p[k] = char(colour >> (8 * (2 - k)));  // blue, green, red
        }
    return WriteBmpFile(path.c_str(), picture.data(), picture.size());
}

}  // namespace driver
