#include <gtest/gtest.h>

#include "core/video_layout.h"

namespace {

TEST(VideoLayout, TheVideoSitsAboveTheStockBandAndNeverGetsANegativeSize) {
    struct Case {
        int width, height, band;
        bool full;
        VideoRect expected;
    };
    const Case cases[] = {
        // The usual sizes are placed by the video placement test on the real windows;
        // here: minimised, or dragged smaller than the band and the frame
        {0, 0, 100, false, {8, 8, 0, 0}},
        {12, 90, 100, false, {8, 8, 0, 0}},
        {-4, -4, 0, true, {0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        const VideoRect r = VideoPlacement(c.width, c.height, c.band, c.full);
        EXPECT_EQ(r.x, c.expected.x);
        EXPECT_EQ(r.y, c.expected.y);
        EXPECT_EQ(r.width, c.expected.width) << c.width << "x" << c.height;
        EXPECT_EQ(r.height, c.expected.height) << c.width << "x" << c.height;
    }
}

}  // namespace
