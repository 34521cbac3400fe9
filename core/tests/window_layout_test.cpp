#include <gtest/gtest.h>

#include "core/slide.h"

namespace {

struct SlideRun {
    int lastX, slide, ticks;
    bool hidden;
};

SlideRun SlideUntilStop(PanelSide side, bool opening, int slide, int mainLeft = 1000) {
    SlideRun run = {0, slide, 0, false};
    for (;;) {
        const SlideTick t = SlideStep(side, opening, mainLeft, run.slide);
        run.lastX = t.x;
        ++run.ticks;
        if (t.stop) {
            run.hidden = t.hide;
            return run;
        }
        if (run.ticks > 1000) return run;
    }
}

TEST(SideWindowSlide, OpeningAndClosingEndWhereTheyShould) {
    struct Case {
        PanelSide side;
        bool opening;
        int from;
        int endSlide, endX;  // endX relative to the main window's left edge
        bool hidden;
    };
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

}  // namespace
