// The still-picture repaint of the video window runs only while there is one, and only for a
// moment after something happened to it.

#include <tuple>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/media_device.h"
#include "services/transport.h"
#include "tests/driver/app_fixture.h"
#include "ui/playback/video_window.h"
#include "ui/shell/skinned_button.h"

namespace {

class VideoRepaint : public driver::AppTest {};

// The video window belongs to the device's process: one whose thread does not answer cannot
// hold up its placement. It answers nothing until the event is set.
HWND g_silent;
DWORD WINAPI SilentWindow(void *release) {
    g_silent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    WaitForSingleObject(release, 5000);
    DestroyWindow(g_silent);
    return 0;
}

// KillTimer answers whether the timer was running (and stops it; each check starts it again).
TEST_F(VideoRepaint, TheTimerRunsOnlyWhileAVideoWindowExistsAndStopsItselfAndPlacingNeverWaits) {
    HWND main = StartApp();
    EXPECT_FALSE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "nothing loaded";

    driver::StoreStockEntry(0, 0, L"video", driver::MadeMedia(L"clip.mpg"));
    LoadEntry(0, false);
    ASSERT_TRUE(MediaVideoWindow());
    EXPECT_TRUE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "a video window";

    // A still picture left alone costs nothing; moving the window repaints it again.
    WatchVideoWindow();
    driver::PumpMessages(1000);  // 50 ticks of at least 10 ms
    EXPECT_FALSE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "still running with nothing happening";
    RECT r;
    GetWindowRect(g_ui.hPlay, &r);
    SetWindowPos(g_ui.hPlay, nullptr, r.left + 5, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "a move";

    WatchVideoWindow();  // running again, until the window goes
    CloseMedia();
    driver::PumpMessages(100);
    EXPECT_FALSE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "left running without a video window";

    driver::StoreStockEntry(0, 0, L"tone", driver::MadeMedia(L"tone.mp3"));
    LoadEntry(0, false);
    EXPECT_FALSE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "sound has no picture";

    // A video window that does not answer cannot hold up its placement.
    g_silent = nullptr;
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, SilentWindow, release, 0, nullptr);
    ASSERT_TRUE(driver::PumpUntil([] { return g_silent != nullptr; }, 2000));
    const DWORD start = GetTickCount();
    PlaceVideo(g_silent, false);
    EXPECT_LT(GetTickCount() - start, 2000u);
    SetEvent(release);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(release);
}

// Where the device's picture stands in the playback window, normally and in full size, on the
// real windows.
class VideoPlace : public driver::AppTest {};

TEST_F(VideoPlace, AnMpegVideoShowsAboveTheStockListAndFillsTheWindowInFullSize) {
    driver::StoreStockEntry(0, 0, L"video", driver::MadeMedia(L"clip.mpg"));
    StartApp();
    HWND video = MediaVideoWindow();
    ASSERT_TRUE(g_ui.hPlay && video) << "no video window";
    // The device's process moves its window when it gets to the request.
    auto placedAt = [video](LONG left) {
        RECT r = {};
        driver::PumpUntil([&] {
            GetWindowRect(video, &r);
            MapWindowPoints(nullptr, g_ui.hPlay, reinterpret_cast<POINT *>(&r), 2);
            return r.left == left;
        }, 2000);
        return r;
    };
    RECT client, stock;
    GetClientRect(g_ui.hPlay, &client);
    GetClientRect(g_ui.hStock, &stock);
    auto corners = [](const RECT &r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); };
    EXPECT_EQ(corners(placedAt(8)),
              std::make_tuple(8L, 8L, client.right - 8, client.bottom - stock.bottom - 8));

    PressButton(SlotFull);
    EXPECT_FALSE(IsWindowVisible(g_ui.hStock));
    GetClientRect(g_ui.hPlay, &client);
    EXPECT_EQ(corners(placedAt(0)), corners(client));

    // A double-click on the video is the Full button too.
    SendMessageW(video, WM_LBUTTONDBLCLK, 0, 0);
    driver::PumpMessages(100);  // the video window asks the playback window
    EXPECT_TRUE(g_ui.fullSize == 0 && IsWindowVisible(g_ui.hStock));
}

}  // namespace
