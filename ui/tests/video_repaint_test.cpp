// The still-picture repaint of the video window runs only while there is one.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/transport.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"

namespace {

class VideoRepaint : public driver::AppTest {};

// KillTimer answers whether the timer was running (and stops it; each check starts it again).
TEST_F(VideoRepaint, TheTimerRunsOnlyWhileAVideoWindowExistsAndStopsItself) {
    HWND main = StartApp();
    EXPECT_FALSE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "nothing loaded";

    driver::StoreStockEntry(0, 0, L"video", driver::MadeMedia(L"clip.mpg"));
    LoadEntry(0, false);
    ASSERT_TRUE(g_app.hVideo);
    EXPECT_TRUE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "a video window";

    LoadEntry(0, false);
    CloseMedia();
    driver::PumpMessages(100);
    EXPECT_FALSE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "left running without a video window";

    driver::StoreStockEntry(0, 0, L"tone", driver::MadeMedia(L"tone.mp3"));
    LoadEntry(0, false);
    EXPECT_FALSE(KillTimer(main, TIMER_VIDEO_REPAINT)) << "sound has no picture";
}

}  // namespace
