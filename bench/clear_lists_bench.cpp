// Clear all lists with every genre full (110 entries) and every entry's thumbnail present,
// plus files the sweep must leave alone, in turns with the floor: deleting the 110 files.
// With "old", also once the old way, which must leave the same registry and folder:
//   old: the four keys, then DeleteFileW for 22 patterns x 20000 indexes (440,000 calls)
//   new: the four keys, then one listing of the folder and a delete per thumbnail it holds
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/window_state.h"
#include "services/app_state.h"
#include "services/registry.h"
#include "core/stock_names.h"
#include "services/stock_store.h"
#include "tests/driver/driver.h"
#include "bench/bench_common.h"

namespace {

const wchar_t *const kBystanders[] = {L"No[20000].bmp", L"23No[0].bmp", L"No[01].bmp",
                                      L"readme.txt"};

void PutFile(const std::wstring &path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    char bitmap[2048] = "BM";
    DWORD written = 0;
    WriteFile(f, bitmap, sizeof bitmap, &written, nullptr);
    CloseHandle(f);
}

void FillEveryGenre() {
    EnsureThumbnailFolder();
    for (int g = 0; g < kGenreCount; ++g) {
        for (int i = 0; i < kStockEntryLimit; ++i) {
            const std::wstring name = StockValueName(g, i);
            const std::wstring texts[] = {L"clip" + std::to_wstring(i) + L".mpg", L" 1 分 5 秒",
                                          L"MPEGVideo", L"C:\\Videos\\clip.mpg"};
            for (int f = 0; f < kStockFieldCount; ++f)
                WriteFixedTextValue(g_app.keys.write[kListKeyFirst + f], name.c_str(),
                                    texts[f].c_str(), kStockValueBytes);
            PutFile(ThumbnailPath(g, i));
        }
    }
    for (const wchar_t *name : kBystanders)
        PutFile(std::wstring(kThumbnailFolder) + L"\\" + name);
}

void ClearTheOldWay() {
    RecreateListKeys();
    for (int g = 0; g < kGenreCount; ++g)
        for (int i = 0; i < kThumbnailIndexLimit; ++i)
            DeleteFileW(ThumbnailPath(g, i).c_str());
}

// What a clear leaves: the values left in the four keys and the files left in the folder.
std::vector<std::wstring> Leftovers() {
    std::vector<std::wstring> left;
    for (int f = 0; f < kStockFieldCount; ++f) {
        DWORD values = 0;
        RegQueryInfoKeyW(g_app.keys.read[kListKeyFirst + f], nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
        left.push_back(L"key " + std::to_wstring(f) + L": " + std::to_wstring(values) + L" values");
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(kThumbnailFolder) + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                left.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(left.begin() + kStockFieldCount, left.end());
    return left;
}

double TimeMs(void (*clear)()) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    clear();
    QueryPerformanceCounter(&end);
    return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// The floor: deleting the same 110 thumbnail files, one call each.
void DeleteThe110Files() {
    for (int g = 0; g < kGenreCount; ++g)
        for (int i = 0; i < kStockEntryLimit; ++i) DeleteFileW(ThumbnailPath(g, i).c_str());
}

} // namespace

// clear_lists_bench.exe [rounds] [old]: Clear all lists in turns with the floor; with "old",
// also the old way once, checked to leave the same registry and folder.
int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const bool old = argc > 2 && std::string(argv[2]) == "old";
    driver::DeleteProgramRegistry();
    ResetAppState();
    ResetWindowState();
    OpenRegistryKeys(g_app.keys);

    bool same = true;
    if (old) {
        FillEveryGenre();
        const double oldMs = TimeMs(ClearTheOldWay);
        const std::vector<std::wstring> oldLeft = Leftovers();
        FillEveryGenre();
        const double newMs = TimeMs(ClearAllLists);
        const std::vector<std::wstring> newLeft = Leftovers();
        printf("Clear all lists, 110 entries with thumbnails and %d other files:\n",
               int(sizeof kBystanders / sizeof kBystanders[0]));
        printf("  old way (22 x 20000 DeleteFileW): %10.1f ms\n", oldMs);
        printf("  new way (one folder listing):     %10.1f ms\n", newMs);
        same = oldLeft == newLeft && newLeft.size() == kStockFieldCount + 4;
        printf("  same result: %s (%d files left)\n", same ? "yes" : "NO",
               int(newLeft.size()) - kStockFieldCount);
    }

    std::vector<double> program, floor;
    for (int r = 0; r < rounds; ++r) {
        FillEveryGenre();
        floor.push_back(TimeMs(DeleteThe110Files));
        FillEveryGenre();
        program.push_back(TimeMs(ClearAllLists));
    }
    bench::Row("clear all lists, 110 entries with thumbnails", "ms", bench::Median(program),
               bench::Median(floor));

    for (const wchar_t *name : kBystanders)
        DeleteFileW((std::wstring(kThumbnailFolder) + L"\\" + name).c_str());
    CloseRegistryKeys(g_app.keys);
    driver::DeleteProgramRegistry();
    return same ? 0 : 1;
}
