// Where the device's picture stands in the playback window, normally and in full size. The
// transport's own tests run without windows; this one needs the real ones.
#include <gtest/gtest.h>

#include "services/app_state.h"
#include "services/media_device.h"
#include "ui/window_state.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"

namespace {

class VideoPlace : public driver::AppTest {};

TEST_F(VideoPlace, AnMpegVideoShowsAboveTheStockListAndFillsTheWindowInFullSize) {
    driver::StoreStockEntry(0, 0, L"video", driver::MadeMedia(L"clip.mpg"));
    StartApp();
    HWND video = MediaVideoWindow();
    ASSERT_TRUE(g_ui.hPlay && video) << "no video window";
    auto inPlaybackWindow = [video] {
        RECT r;
        GetWindowRect(video, &r);
        MapWindowPoints(nullptr, g_ui.hPlay, reinterpret_cast<POINT *>(&r), 2);
        return r;
    };
    // The device's process moves its window when it gets to the request.
    auto placedAt = [&](LONG left) {
        driver::PumpUntil([&] { return inPlaybackWindow().left == left; }, 2000);
        return inPlaybackWindow();
    };
    RECT client, stock;
    GetClientRect(g_ui.hPlay, &client);
    GetClientRect(g_ui.hStock, &stock);
    RECT r = placedAt(8);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 8);
    EXPECT_EQ(r.right - r.left, client.right - 16);
    EXPECT_EQ(r.bottom - r.top, client.bottom - stock.bottom - 16);

    PressButton(SlotFull);
    EXPECT_EQ(g_ui.fullSize, 1);
    EXPECT_EQ(g_ui.buttonFace[SlotFull], 1);
    EXPECT_FALSE(IsWindowVisible(g_ui.hStock));
    GetClientRect(g_ui.hPlay, &client);
    r = placedAt(0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);

    // A double-click on the video is the Full button too.
    SendMessageW(video, WM_LBUTTONDBLCLK, 0, 0);
    driver::PumpMessages(100);  // the video window asks the playback window
    EXPECT_EQ(g_ui.fullSize, 0);
    EXPECT_TRUE(IsWindowVisible(g_ui.hStock));
}

}  // namespace
