#include <gtest/gtest.h>

#include "core/slide.h"
#include "core/video_layout.h"

namespace {

struct SlideRun { int lastX, slide, ticks; bool hidden; };

SlideRun SlideUntilStop(PanelSide side, bool opening, int slide, int mainLeft = 1000) {
    SlideRun run = {0, slide, 0, false};
    for (SlideTick t = {}; !t.stop && run.ticks <= 1000; ++run.ticks) {
        t = SlideStep(side, opening, mainLeft, run.slide);
        run.lastX = t.x;
        run.hidden = t.stop && t.hide;
    }
    return run;
}

TEST(SideWindowSlide, OpeningAndClosingEndWhereTheyShould) {
    // endX relative to the main window's left edge
    struct Case { PanelSide side; bool opening; int from; int endSlide, endX; bool hidden; };
    const Case cases[] = {
        {PanelLeft, true, 1, 223, -221, false},
        {PanelLeft, false, 223, -21, 19, true},
        {PanelRight, true, 1, -223, 339, false},
        {PanelRight, false, -223, 21, 118 - 19, true},
    };
    for (const Case &c : cases) {
        const SlideRun run = SlideUntilStop(c.side, c.opening, c.from);
        EXPECT_EQ(run.slide, c.endSlide) << c.side << c.opening;
        EXPECT_EQ(run.lastX - 1000, c.endX) << c.side << c.opening;
        EXPECT_EQ(run.hidden, c.hidden) << c.side << c.opening;
    }
}

TEST(SideWindowSlide, AReversalMidSlideGoesOnFromWhereItIsWithoutAJump) {
    for (PanelSide side : {PanelLeft, PanelRight}) {
        int slide = 1;
        int lastX = 0;
        for (int i = 0; i < 30; ++i) lastX = SlideStep(side, true, 0, slide).x;
        const SlideTick back = SlideStep(side, false, 0, slide);
        EXPECT_EQ(back.x - lastX, side == PanelLeft ? -2 : 2) << "one step further, then back";
        const SlideTick next = SlideStep(side, false, 0, slide);
        EXPECT_EQ(next.x, lastX) << "the reversed slide retraces its path";
        EXPECT_FALSE(next.stop);
    }
}

TEST(SideWindowSlide, ClosingRightAfterOpeningHidesNearTheStart) {
    int slide = 1;
    SlideStep(PanelLeft, true, 0, slide);
    const SlideRun run = SlideUntilStop(PanelLeft, false, slide, 0);
    EXPECT_TRUE(run.hidden);
    EXPECT_EQ(run.slide, -21);
}

TEST(VideoLayout, TheVideoSitsAboveTheStockBandAndNeverGetsANegativeSize) {
    struct Case { int width, height, band; bool full; VideoRect expected; };
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
