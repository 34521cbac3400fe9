// Start-up time, for Mirelo.exe (with a genre of five entries and their thumbnails, a
// 320 x 240 AVI first; and with nothing stored) and for a program that opens one bare window,
// run in turns: from the launch until the main window is first painted whole (what the user
// waits to see) and until the program first finds its message queue empty. Both programs say
// each moment on standard error when MIRELO_STARTUP_TRACE is set; the moment is taken when
// the line arrives here. (The platform's WaitForInputIdle cannot tell: any thread of the
// program that peeks at its messages, as the media device's waits do, counts as idle.) Also
// the working set once idle.
//   startup_bench.exe [rounds] [media folder]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_common.h"

namespace {

struct Start {
    double paintMs = -1, idleMs = -1, workingSetKiB = 0;
};

Start MeasureOnce(const std::wstring &exe, const wchar_t *windowClass) {
    Start s;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) return s;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    SetEnvironmentVariableW(L"MIRELO_STARTUP_TRACE", L"1");
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    std::wstring commandLine = L"\"" + exe + L"\"";
    PROCESS_INFORMATION pi = {};
    const double start = bench::NowMs();
    const BOOL started = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(L"MIRELO_STARTUP_TRACE", nullptr);
    CloseHandle(writeEnd);
    if (started) {
        std::string said;
        char chunk[512];
        DWORD got = 0;
        while (s.idleMs < 0 && ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got) {
            said.append(chunk, got);
            const double now = bench::NowMs() - start;
            if (s.paintMs < 0 && said.find("startup: main window shown") != std::string::npos)
                s.paintMs = now;
            if (said.find("startup: idle") != std::string::npos) s.idleMs = now;
        }
        driver::Process p;
        p.handle = pi.hProcess;
        p.id = pi.dwProcessId;
        CloseHandle(pi.hThread);
        if (HWND window = driver::WaitForWindow(p.id, windowClass, 30000)) {
            Sleep(300);  // the media host, when one is started, settles
            s.workingSetKiB = bench::WorkingSetKiB(p.id);
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        driver::WaitForExit(p, 10000);
        bench::WaitForChildrenGone(p.id, 10000);
        Sleep(100);
    }
    CloseHandle(readEnd);
    return s;
}

}  // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::wstring media = bench::MediaFolderArgument(argc, argv, 2);
    const std::wstring floorExe = driver::ProgramFolder() + L"minimal_window.exe";
    const std::vector<std::wstring> five = bench::GenreOfFive(media);
    std::vector<Start> floor, fives, empty;
    for (int r = 0; r < rounds; ++r) {
        floor.push_back(MeasureOnce(floorExe, L"MinimalWindow"));
        bench::StoreGenre(five);
        fives.push_back(MeasureOnce(driver::MireloExePath(), L"MWClassName"));
        bench::StoreGenre({});
        empty.push_back(MeasureOnce(driver::MireloExePath(), L"MWClassName"));
    }
    auto median = [](const std::vector<Start> &runs, double Start::*figure) {
        std::vector<double> v;
        for (const Start &s : runs) v.push_back(s.*figure);
        return bench::Median(v);
    };
    const double floorIdle = median(floor, &Start::idleMs);
    const double floorPaint = median(floor, &Start::paintMs);
    bench::Row("start, five entries (AVI first), shown and idle", "ms",
               median(fives, &Start::idleMs), floorIdle);
    bench::Row("start, nothing stored, shown and idle", "ms", median(empty, &Start::idleMs),
               floorIdle);
    bench::Row("start to first whole paint, five entries", "ms", median(fives, &Start::paintMs),
               floorPaint);
    bench::Row("start to first whole paint, nothing stored", "ms",
               median(empty, &Start::paintMs), floorPaint);
    bench::Row("working set after start, five entries", "KiB",
               median(fives, &Start::workingSetKiB), median(floor, &Start::workingSetKiB));
    bench::Row("working set after start, nothing stored", "KiB",
               median(empty, &Start::workingSetKiB), median(floor, &Start::workingSetKiB));
    bench::StoreGenre({});
    return 0;
}
