// The media device's process beside the real program goes with the program however the
// program ends. (That it takes requests from the program alone is tested in-process.)
#include <gtest/gtest.h>

#include "tests/driver/driver.h"

namespace {

// The device's picture inside the playback window; `host` gets the process that made it (a
// host that was slow to answer on a busy machine may have been replaced meanwhile).
HWND VideoOf(const driver::Process &program, DWORD *host) {
    HWND play = driver::WaitForWindow(program.id, L"PWClassName", 20000);
    for (const DWORD start = GetTickCount(); play && GetTickCount() - start < 20000; Sleep(50))
        for (HWND w = GetWindow(play, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindowThreadProcessId(w, host) && *host != program.id) return w;
    return nullptr;
}

// That host's window, which takes the program's requests.
HWND HostWindow(const driver::Process &program, DWORD host) {
    const std::wstring title = L"MireloMediaHost " + std::to_wstring(program.id);
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, L"MireloMediaHost", title.c_str()); w;
         w = FindWindowExW(HWND_MESSAGE, w, L"MireloMediaHost", title.c_str())) {
        DWORD id = 0;
        if (GetWindowThreadProcessId(w, &id) && id == host) return w;
    }
    return nullptr;
}

TEST(MediaHost, EndsWithTheProgramHoweverItEnds) {
    const std::wstring clip = driver::ProgramFolder() + L"media\\long.mpg";
    ASSERT_TRUE(driver::Exists(clip)) << "ctest runs tests/make_media.sh first";
    driver::CompleteFirstRun();
    // 0: the End button, 1: the close request (Alt+F4, the task bar), 2: the program killed.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        driver::Process p = driver::Launch(driver::MireloExePath(), way ? L"" : L"\"" + clip + L"\"");
        HWND main = driver::WaitForMainWindow(p, 30000);
        DWORD hostId = 0;
        HWND video = main ? VideoOf(p, &hostId) : nullptr;
        if (!video) driver::Kill(p);  // its host goes with it
        ASSERT_TRUE(video) << "no device";
        driver::Send(GetDlgItem(main, 0), WM_LBUTTONDOWN);  // Play, handled when this returns
        HWND window = HostWindow(p, hostId);
        HANDLE host = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, hostId);
        if (way > 0) {
            // Its device holds the host's thread for good, as a stop of some devices can.
            HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr));
            EXPECT_NE(SuspendThread(thread), DWORD(-1));
            CloseHandle(thread);
        }
        if (way == 0) PostMessageW(GetDlgItem(main, 7), WM_LBUTTONDOWN, 0, 0);
        if (way == 1) PostMessageW(main, WM_CLOSE, 0, 0);
        if (way == 2) TerminateProcess(p.handle, 1);
        EXPECT_EQ(WaitForSingleObject(host, 3000), WAIT_OBJECT_0) << "the host stays";
        EXPECT_EQ(driver::WaitForExit(p, 3000), way == 2 ? 1u : 0u);
        TerminateProcess(host, 1);
        CloseHandle(host);
    }
}

}  // namespace
