// Start-up time: from process creation until the main window is shown and the program idles
// in its message loop, for Mirelo.exe (with a genre of five entries and their thumbnails, a
// 320 x 240 AVI first; and with nothing stored) and for a program that opens one bare window,
// run in turns. Also the working set once idle.
//   startup_bench.exe [rounds] [media folder]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_common.h"

namespace {

struct Start {
    double ms = -1, workingSetKiB = 0;
};

Start MeasureOnce(const std::wstring &exe, const wchar_t *windowClass) {
    Start s;
    const double start = bench::NowMs();
    driver::Process p = driver::Launch(exe);
    HWND window = driver::WaitForWindow(p.id, windowClass, 30000);
    if (window) WaitForInputIdle(p.handle, 30000);
    const double end = bench::NowMs();
    if (window) {
        s.ms = end - start;
        Sleep(300);  // the media host, when one is started, settles
        s.workingSetKiB = bench::WorkingSetKiB(p.id);
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    driver::WaitForExit(p, 10000);
    Sleep(100);
    return s;
}

}  // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::wstring media = driver::ProgramFolder() + L"media";
    if (argc > 2) {
        wchar_t given[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, argv[2], -1, given, MAX_PATH);
        media = given;
    }
    const std::wstring floorExe = driver::ProgramFolder() + L"minimal_window.exe";
    const std::vector<std::wstring> five = bench::GenreOfFive(media);
    std::vector<double> floorMs, fiveMs, emptyMs, floorWs, fiveWs, emptyWs;
    for (int r = 0; r < rounds; ++r) {
        Start f = MeasureOnce(floorExe, L"MinimalWindow");
        floorMs.push_back(f.ms);
        floorWs.push_back(f.workingSetKiB);
        bench::StoreGenre(five);
        Start m = MeasureOnce(driver::MireloExePath(), L"MWClassName");
        fiveMs.push_back(m.ms);
        fiveWs.push_back(m.workingSetKiB);
        bench::StoreGenre({});
        Start e = MeasureOnce(driver::MireloExePath(), L"MWClassName");
        emptyMs.push_back(e.ms);
        emptyWs.push_back(e.workingSetKiB);
    }
    const double floor = bench::Median(floorMs);
    bench::Row("start, five entries (AVI first), shown and idle", "ms", bench::Median(fiveMs), floor);
    bench::Row("start, nothing stored, shown and idle", "ms", bench::Median(emptyMs), floor);
    bench::Row("working set after start, five entries", "KiB", bench::Median(fiveWs),
               bench::Median(floorWs));
    bench::Row("working set after start, nothing stored", "KiB", bench::Median(emptyWs),
               bench::Median(floorWs));
    bench::StoreGenre({});
    return 0;
}
