// Start-up and clear-all with one genre of 5, 1,000 and 10,000 entries (written straight into
// the registry, each with a thumbnail file), as a restored or hand-edited registry can hold.
//   start-up: from process creation until Mirelo.exe's main window is shown and idle
//   backup and restore: the whole program state into a MireloSave folder and back (in this
//   process, through the program's own backup and restore; a backup carries five a genre)
//   clear all: the four list keys and every thumbnail deleted (in this process)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/stock_names.h"
#include "services/app_state.h"
#include "services/backup.h"
#include "services/registry.h"
#include "services/stock_store.h"
#include "tests/driver/driver.h"

namespace {

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(f.QuadPart);
}

void Store(int count) {
    EnsureThumbnailFolder();
    for (int i = 0; i < count; ++i) {
        const std::wstring name = StockValueName(0, i);
        const std::wstring texts[] = {L"clip" + std::to_wstring(i), L" 1 秒", L"waveaudio",
                                      L"C:\\missing\\clip.wav"};
        for (int f = 0; f < kStockFieldCount; ++f)
            RegSetValueExW(g_app.keys.write[kListKeyFirst + f], name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE *>(texts[f].c_str()),
                           DWORD((texts[f].size() + 1) * sizeof(wchar_t)));
        HANDLE h = CreateFileW(ThumbnailPath(0, i).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
}

// A backup of an earlier count would leave its thumbnails in the folder for the restore to copy.
void DeleteBackupFolder(const std::wstring &folder) {
    driver::DeleteFilesIn(folder.c_str());
    RemoveDirectoryW(folder.c_str());
}

double StartOnce() {
    const double start = Now();
    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND window = driver::WaitForWindow(p.id, L"MWClassName", 60000);
    if (window) WaitForInputIdle(p.handle, 60000);
    const double ms = Now() - start;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    driver::WaitForExit(p, 20000);
    return window ? ms : -1;
}

}  // namespace

int main(int argc, char **argv) {
    // Entry counts may be given on the command line; 5, 1,000 and 10,000 otherwise.
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {5, 1000, 10000};
    const wchar_t yes[] = L"YES";
    std::printf("%-8s %18s %12s %12s %12s\n", "entries", "start-up median", "backup", "restore",
                "clear all");
    const std::wstring parent = L"C:\\mirelo-bench";
    CreateDirectoryW(parent.c_str(), nullptr);
    bool failed = false;
    for (int count : counts) {
        driver::DeleteProgramRegistry();
        driver::WriteRegistryValue(L"Software\\Mirelo\\Setting\\Kidou", L"初回書き込み", REG_SZ,
                                   yes, sizeof yes);
        OpenRegistryKeys(g_app.keys);
        Store(count);
        std::vector<double> starts;
        for (int i = 0; i < 3; ++i) starts.push_back(StartOnce());
        std::sort(starts.begin(), starts.end());
        std::wstring where;
        DeleteBackupFolder(parent + L"\\MireloSave");
        double mark = Now();
        const bool saved = SaveBackup(parent, &where) == SaveOutcome::Saved;
        const double backup = Now() - mark;
        BackupCheck check;
        mark = Now();
        // A backup carries what a genre holds, the first five; a restore counts only when
        // those came back, in order.
        const int kept = std::min(count, int(kStockEntryLimit));
        const bool restored =
            saved &&
            RestoreBackup(parent + L"\\MireloSave", &check) == RestoreOutcome::Restored &&
            CountGenreEntries(0) == kept &&
            ReadStockField(0, kept - 1, FieldTitle) == L"clip" + std::to_wstring(kept - 1);
        const double restore = Now() - mark;
        const double start = Now();
        ClearAllLists();
        const double clear = Now() - start;
        CloseRegistryKeys(g_app.keys);
        std::printf("%-8d %15.1f ms %9.0f ms%s %9.0f ms%s %9.1f ms\n", count, starts[1], backup,
                    saved ? " " : "!", restore, restored ? " " : "!", clear);
        failed = failed || !saved || !restored || starts[0] < 0;
    }
    if (failed) std::printf("! marks a backup or restore that failed; a start-up of -1 failed\n");
    return failed ? 1 : 0;
}
