// What the benchmarks share: a clock, medians, a process's working set, and a genre of
// stored entries with their thumbnails, written the way the program stores them.
#pragma once

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/settings_table.h"
#include "core/stock_names.h"
#include "services/stock_store.h"
#include "services/thumbnail.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace bench {

inline double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One line the benchmark script collects: figure, the program's median, the floor's median.
inline void Row(const char *figure, const char *unit, double program, double floor) {
    std::printf("ROW|%s|%s|%.2f|%.2f\n", figure, unit, program, floor);
    std::fflush(stdout);
}

inline SIZE_T WorkingSetOfOne(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h) return 0;
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    const SIZE_T ws = GetProcessMemoryInfo(h, &pmc, sizeof pmc) ? pmc.WorkingSetSize : 0;
    CloseHandle(h);
    return ws;
}

// The processes the given one started and that are still there (the media host).
inline std::vector<DWORD> ChildProcesses(DWORD pid) {
    std::vector<DWORD> children;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32W e = {};
    e.dwSize = sizeof e;
    for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e))
        if (e.th32ParentProcessID == pid && e.th32ProcessID != pid) children.push_back(e.th32ProcessID);
    CloseHandle(snap);
    return children;
}

// The working set of a process and of the processes it started (the media host), in KiB.
inline double WorkingSetKiB(DWORD pid) {
    SIZE_T total = WorkingSetOfOne(pid);
    for (DWORD child : ChildProcesses(pid)) total += WorkingSetOfOne(child);
    return double(total) / 1024.0;
}

// Waits (up to `ms`) until no process the given one started (the media host) is left, so the
// next run measured does not share the machine with the last one's leavings.
inline void WaitForChildrenGone(DWORD pid, DWORD ms) {
    for (DWORD waited = 0; waited < ms && !ChildProcesses(pid).empty(); waited += 50) Sleep(50);
}

inline void WriteStockValue(int key, const std::wstring &name, const std::wstring &text) {
    std::wstring padded = text;
    padded.resize(kStockValueBytes / sizeof(wchar_t), L'\0');
    driver::WriteRegistryValue(kRegKeyPaths[kListKeyFirst + key], name.c_str(), REG_SZ,
                               padded.data(), kStockValueBytes);
}

// A fresh registry past its first run whose genre 0 holds the given files, each with the
// thumbnail the program would have made for it (a copy of the first one where none is made).
// The media folder given as argument `index`, else the media made beside the benchmark.
inline std::wstring MediaFolderArgument(int argc, char **argv, int index) {
    if (argc <= index) return driver::ProgramFolder() + L"media";
    wchar_t given[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, argv[index], -1, given, MAX_PATH);
    given[MAX_PATH - 1] = L'\0';
    return given;
}

inline void StoreGenre(const std::vector<std::wstring> &paths) {
    const wchar_t yes[] = L"YES";
    driver::DeleteProgramRegistry();
    driver::WriteRegistryValue(kRegKeyPaths[KeyKidou], kFirstRunValueName, REG_SZ, yes, sizeof yes);
    EnsureThumbnailFolder();
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::wstring &path = paths[i];
        const std::wstring name = StockValueName(0, int(i));
        const std::wstring texts[4] = {path.substr(path.rfind(L'\\') + 1), L" 14 秒",
                                       L"MPEGVideo", path};
        for (int k = 0; k < 4; ++k) WriteStockValue(k, name, texts[k]);
        const std::wstring bitmap = ThumbnailPath(0, int(i));
        DeleteFileW(bitmap.c_str());
        GrabThumbnail(path.c_str(), bitmap.c_str());
        if (GetFileAttributesW(bitmap.c_str()) == INVALID_FILE_ATTRIBUTES && i > 0)
            CopyFileW(ThumbnailPath(0, 0).c_str(), bitmap.c_str(), FALSE);
    }
}

// The files of the start-up genre: a 320 x 240 AVI first, then the test media.
inline std::vector<std::wstring> GenreOfFive(const std::wstring &media) {
    CreateDirectoryW(L"C:\\mirelo-bench", nullptr);
    const std::wstring avi = L"C:\\mirelo-bench\\start320.avi";
    if (GetFileAttributesW(avi.c_str()) == INVALID_FILE_ATTRIBUTES)
        driver::WriteAvi(avi, 50, 320, 240);
    return {avi, media + L"\\clip.mpg", media + L"\\vga.mpg", media + L"\\tone.mp3",
            media + L"\\mjpeg.avi"};
}

}  // namespace bench
