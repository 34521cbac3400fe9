// Adding a file as the File button does (open, length, thumbnail, list refill), for a
// 640 x 480 AVI and an MPEG-1 video, and a refill of a list of five rows with thumbnails.
//   add_file_bench.exe [media folder]    (default: the "media" folder beside the program)
// The program's windows are built in this process, as at a normal start.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "services/media_device.h"
#include "core/time_text.h"
#include "services/app_state.h"
#include "ui/shell/main_window.h"
#include "services/registry.h"
#include "services/add_files.h"
#include "core/stock_names.h"
#include "services/stock_store.h"
#include "ui/stock/stock_window.h"
#include "services/thumbnail.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kFolder[] = L"C:\\mirelo-bench";

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

void StartProgram() {
    driver::DeleteProgramRegistry();
    const wchar_t yes[] = L"YES";
    driver::WriteRegistryValue(L"Software\\Mirelo\\Setting\\Kidou", L"初回書き込み", REG_SZ, yes,
                               sizeof yes);
    ResetAppState();
    g_app.hInst = GetModuleHandleW(nullptr);
    OpenRegistryKeys(g_app.keys);
    EnsureThumbnailFolder();
    for (int i = 0; i < kStockEntryLimit; ++i)
        DeleteFileW(ThumbnailPath(0, i).c_str());
    ShowWindow(CreateMainWindow(), SW_SHOWNOACTIVATE);
    driver::PumpMessages(200);
}

// One file added as the File button adds one: a new image list, add, refill.
void TimeAdd(const wchar_t *label, const std::wstring &path) {
    const std::wstring title = path.substr(path.rfind(L'\\') + 1);
    const double start = NowMs();
    OpenMedia(path.c_str());
    const double opened = NowMs();
    const std::wstring length = TimeIntervalText(g_app.lengthMs);
    const std::wstring bitmap = ThumbnailPath(g_app.currentGenre, g_app.counts[g_app.currentGenre]);
    const double measured = NowMs();
    GrabThumbnail(path.c_str(), bitmap.c_str());
    const double grabbed = NowMs();
    CloseMedia();

    const double addStart = NowMs();
    ReplaceThumbnailList(kStockEntryLimit);
    AddOneFile(path.c_str(), title.c_str());
    RefillStockList();
    const double added = NowMs();
    const bool thumbnail = GetFileAttributesW(bitmap.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::printf("add %-14ls %8.1f ms  (open %.1f, length %.2f, thumbnail %.1f%s)\n", label,
                added - addStart, opened - start, measured - opened, grabbed - measured,
                thumbnail ? "" : ", none made");
}

} // namespace

int main(int argc, char **argv) {
    CoInitialize(nullptr);
    std::wstring media = driver::ProgramFolder() + L"media";
    if (argc > 1) {
        wchar_t given[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, argv[1], -1, given, MAX_PATH);
        given[MAX_PATH - 1] = L'\0';
        media = given;
    }
    CreateDirectoryW(kFolder, nullptr);
    const std::wstring avi = std::wstring(kFolder) + L"\\vga.avi";
    driver::WriteAvi(avi, 20, 640, 480);
    StartProgram();

    TimeAdd(L"640x480 AVI", avi);
    TimeAdd(L"MPG", media + L"\\clip.mpg");
    TimeAdd(L"640x480 MPG", media + L"\\vga.mpg");
    TimeAdd(L"640x480 AVI", avi);
    TimeAdd(L"MPG", media + L"\\clip.mpg");

    const int rounds = 20;
    const double start = NowMs();
    for (int i = 0; i < rounds; ++i) {
        ReplaceThumbnailList(kStockEntryLimit);
        RefillStockList();
    }
    std::printf("refill of %d rows with thumbnails: %.2f ms (mean of %d)\n",
                int(SendMessageW(g_app.hList, LVM_GETITEMCOUNT, 0, 0)), (NowMs() - start) / rounds,
                rounds);

    // The start-up list used to reserve room for ten thousand pictures.
    const SettingsRecord &s = g_app.settings;
    const double createStart = NowMs();
    HIMAGELIST big = ImageList_Create(s.CapWidth, s.CapHight, ILC_COLOR32 | ILC_MASK, 10000, 0);
    const double created = NowMs();
    ImageList_Destroy(big);
    std::printf("image list reserving 10000 pictures: %.1f ms to create\n", created - createStart);

    CloseMedia();
    DestroyWindow(g_app.hMain);
    DestroyWindow(g_app.hPlay);
    CloseRegistryKeys(g_app.keys);
    CoUninitialize();
    return 0;
}
