// Adding a file as the File button does (open, length, thumbnail, list refill) for a 320 x 240
// AVI and an MPEG-1 video, in turns with the floor: opening the same file through the same MCI
// device in a program's own window and reading its length. Each added entry is deleted again
// as the list's Delete does; then the growth of the working set (with the media host's) over
// many more adds and deletes, against the floor's open and close repeated as often.
//   add_file_bench.exe [rounds] [adds and deletes] [media folder]
// The program's windows are built in this process, as at a normal start.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_common.h"
#include "core/file_selection.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/media_device.h"
#include "services/registry.h"
#include "services/thumbnail.h"
#include "ui/shell/main_window.h"
#include "ui/stock/stock_window.h"
#include "bench/in_process.h"

namespace {

// The File button's add of one file, timed; the new entry is then deleted from the list.
double AddAndDelete(const std::wstring &path) {
    const std::wstring title = path.substr(path.rfind(L'\\') + 1);
    const double start = bench::NowMs();
    AddFilesAndShow({ChosenFile{path, title}});
    driver::PumpMessages(0);
    const double added = bench::NowMs();
    const int last = int(SendMessageW(g_ui.hList, LVM_GETITEMCOUNT, 0, 0)) - 1;
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    SendMessageW(g_ui.hList, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED;
    SendMessageW(g_ui.hList, LVM_SETITEMSTATE, WPARAM(last), reinterpret_cast<LPARAM>(&item));
    SendMessageW(g_ui.hStock, WM_COMMAND, ID_STOCK_DELETE, 0);
    driver::PumpMessages(0);
    return added - start;
}

HWND g_floorWindow;

// The floor: the file opened through the device with its picture in a window, its length read.
double FloorOpen(const std::wstring &path) {
    const double start = bench::NowMs();
    const std::wstring open = L"open \"" + path + L"\" type mpegvideo alias floor style child parent " +
                              std::to_wstring(reinterpret_cast<UINT_PTR>(g_floorWindow));
    wchar_t length[64] = L"";
    if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) == 0) {
        mciSendStringW(L"set floor time format milliseconds", nullptr, 0, nullptr);
        mciSendStringW(L"status floor length", length, 64, nullptr);
    }
    const double end = bench::NowMs();
    mciSendStringW(L"close floor", nullptr, 0, nullptr);
    return end - start;
}

}  // namespace

int main(int argc, char **argv) {
    CoInitialize(nullptr);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int loops = argc > 2 ? std::max(0, std::atoi(argv[2])) : 100;
    const std::wstring media = bench::MediaFolderArgument(argc, argv, 3);
    const std::vector<std::wstring> five = bench::GenreOfFive(media);
    const std::wstring avi = five[0], mpg = five[1];
    g_floorWindow = CreateWindowExW(0, L"STATIC", L"floor", WS_POPUP | WS_VISIBLE, 600, 100, 535,
                                    400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    bench::StartProgramInProcess();
    // Entry 0 stays loaded, so every add opens its file while another is open, as in use.
    AddFilesAndShow({ChosenFile{mpg, L"clip.mpg"}});
    AddAndDelete(avi);
    FloorOpen(avi);

    std::vector<double> aviMs, mpgMs, aviFloor, mpgFloor, mpgDecode;
    bool decoded = true;
    for (int r = 0; r < rounds; ++r) {
        aviFloor.push_back(FloorOpen(avi));
        aviMs.push_back(AddAndDelete(avi));
        mpgFloor.push_back(FloorOpen(mpg));
        mpgMs.push_back(AddAndDelete(mpg));
        std::vector<uint8_t> picture;
        const double start = bench::NowMs();
        decoded = DecodeVideoFrame(mpg.c_str(), 0, &picture) && decoded;
        mpgDecode.push_back(bench::NowMs() - start);
    }
    // The AVI's picture is read through the AVI file calls and costs a few milliseconds.
    std::printf("of an MPG add, decoding its first frame alone: %.0f ms%s\n",
                bench::Median(mpgDecode), decoded ? "" : " (FAILED to decode)");
    bench::Row("add one AVI (320x240) to a genre", "ms", bench::Median(aviMs), bench::Median(aviFloor));
    bench::Row("add one MPG to a genre", "ms", bench::Median(mpgMs), bench::Median(mpgFloor));

    if (loops > 0) {
        // Growth over the loop: this process and the media host, against the floor's open
        // and close repeated as often in this process. The host is replaced now and then, so
        // its figure is the highest seen after any add, not the last.
        const DWORD self = GetCurrentProcessId();
        const double before = bench::WorkingSetKiB(self);
        const double ownStart = bench::WorkingSetOfOne(self) / 1024.0;
        double highest = before;
        for (int i = 0; i < loops; ++i) {
            AddAndDelete(i % 2 ? mpg : avi);
            highest = std::max(highest, bench::WorkingSetKiB(self));
        }
        driver::PumpMessages(200);
        const double added = bench::WorkingSetKiB(self);
        const double ownBefore = bench::WorkingSetOfOne(self) / 1024.0;
        for (int i = 0; i < loops; ++i) FloorOpen(i % 2 ? mpg : avi);
        const double floorGrowth = bench::WorkingSetOfOne(self) / 1024.0 - ownBefore;
        char figure[96];
        std::snprintf(figure, sizeof figure, "working set growth over %d adds and deletes", loops);
        bench::Row(figure, "KiB", highest - before, floorGrowth);
        std::printf("working set before the loop %.0f KiB, highest %.0f KiB, after %.0f KiB; "
                    "the program alone grew %.0f KiB\n",
                    before, highest, added, ownBefore - ownStart);
    }

    CloseMedia();
    DestroyWindow(g_ui.hMain);
    DestroyWindow(g_ui.hPlay);
    DestroyWindow(g_floorWindow);
    CloseRegistryKeys(g_app.keys);
    bench::StoreGenre({});
    CoUninitialize();
    return 0;
}
