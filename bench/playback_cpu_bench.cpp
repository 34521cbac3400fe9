// Puts a program into 320 x 240 AVI playback, or leaves it idle, for bench/playback_cpu.sh,
// which reads the program's CPU time from the host meanwhile (Wine does not report another
// process's times):  playback_cpu_bench.exe player|minimal|loaded|empty|window <seconds>
//   player, minimal: the player and the one-window MCI program play the AVI
//   loaded, empty: the player idles with the AVI loaded and not playing, or with nothing stored
//   window: the program that opens one bare window
//   still: the player pauses the AVI, then its playback window is moved, then zoomed, each
//          step announced and held for screenshots
#include <windows.h>

#include <cstdio>
#include <vector>

#include "resources/resource.h"
#include "core/settings_table.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

// A registry past its first run with the file as entry 0; none for an empty path.
void StoreEntry(const std::wstring &path) {
    const wchar_t yes[] = L"YES";
    driver::DeleteProgramRegistry();
    driver::WriteRegistryValue(kRegKeyPaths[KeyKidou], kFirstRunValueName, REG_SZ, yes, sizeof yes);
    if (path.empty()) return;
    const std::wstring texts[4] = {L"bench.avi", L" 14 秒", L"AVIVideo", path};
    std::wstring padded[4];
    for (int k = 0; k < 4; ++k) {
        padded[k] = texts[k];
        padded[k].resize(500, L'\0');
        driver::WriteRegistryValue(kRegKeyPaths[kListKeyFirst + k], L"Stock0", REG_SZ,
                                   padded[k].data(), 1000);
    }
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"player";
    const DWORD seconds = argc > 2 ? DWORD(_wtoi(argv[2])) : 12;
    CreateDirectoryW(L"C:\\mirelo-bench", nullptr);
    const std::wstring avi = L"C:\\mirelo-bench\\video320.avi";
    if (!driver::WriteAvi(avi, 10 * (seconds + 4), 320, 240)) return 1;

    driver::Process p;
    HWND window = nullptr;
    if (mode == L"player" || mode == L"loaded" || mode == L"empty" || mode == L"still") {
        if (mode == L"empty")
            StoreEntry(L"");
        else
            StoreEntry(avi);
        p = driver::Launch(driver::MireloExePath());
        window = driver::WaitForMainWindow(p, 20000);
        if (window && mode != L"loaded" && mode != L"empty") PostMessageW(window, WM_COMMAND, ID_PLAY, 0);
    } else if (mode == L"window") {
        p = driver::Launch(driver::ProgramFolder() + L"minimal_window.exe");
        window = driver::WaitForWindow(p.id, L"MinimalWindow", 20000);
    } else {
        p = driver::Launch(driver::ProgramFolder() + L"minimal_player.exe", L"\"" + avi + L"\"");
        window = driver::WaitForWindow(p.id, L"MinimalPlayer", 20000);
    }
    if (!window) return 1;
    if (mode == L"still") {
        auto step = [](const char *what) {
            std::printf("%s\n", what);
            std::fflush(stdout);
            Sleep(3000);
        };
        Sleep(1500);
        PostMessageW(window, WM_COMMAND, ID_PAUSE, 0);
        step("paused");
        const std::vector<HWND> play = driver::WindowsOf(p.id, L"PWClassName");
        if (!play.empty()) {
            RECT r;
            GetWindowRect(play[0], &r);
            SetWindowPos(play[0], nullptr, r.left + 60, r.top + 40, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            step("moved");
            PostMessageW(play[0], WM_COMMAND, ID_ZOOM_200, 0);
            step("zoomed");
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        return driver::WaitForExit(p, 10000) == STILL_ACTIVE ? 1 : 0;
    }
    std::printf("playing\n");
    std::fflush(stdout);
    Sleep(seconds * 1000);
    PostMessageW(window, WM_CLOSE, 0, 0);
    return driver::WaitForExit(p, 10000) == STILL_ACTIVE ? 1 : 0;
}
