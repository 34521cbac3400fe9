#include <gtest/gtest.h>

#include "core/play_modes.h"

namespace {

TEST(RandomDraws, AreTheRuntimeGeneratorsSequenceFromOne) {
    CrtRand rng;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int e : expected) EXPECT_EQ(rng.Next(), e);
}

TEST(Navigation, PreviousAndNext) {
    struct Case { const char *what; int item, count; bool random; int previous, next; };
    // First draws: 41, 18467; over five entries 41 % 5 = 1.
    const Case cases[] = {
        // In order at the first, middle and last entry: the transport's tests play them.
        {"second entry goes back to the first", 1, 5, false, 0, 2},
        {"past the last (after deletions)", 6, 5, false, 5, -1},
        {"random previous: draw 1, minus one", 3, 5, true, 0, 1},
        {"random at the first: previous does nothing", 0, 5, true, -1, 1},
        {"random at the last: next does nothing", 4, 5, true, 0, -1},
        {"random over an empty genre", 2, 0, true, -1, -1},
        {"empty genre", 0, 0, false, -1, -1},
    };
    for (const Case &c : cases) {
        CrtRand a, b;
        EXPECT_EQ(PreviousItem(c.item, c.count, c.random, a), c.previous) << c.what;
        EXPECT_EQ(NextItem(c.item, c.count, c.random, b), c.next) << c.what;
        // Nothing is drawn when the button does nothing.
        EXPECT_EQ(a.state() != 1u, c.random && c.previous != -1) << c.what;
        EXPECT_EQ(b.state() != 1u, c.random && c.next != -1) << c.what;
    }
}

TEST(EndOfMedia, FollowsTheRepeatContinuousAndRandomModes) {
    struct Case { const char *what; bool repeat, continuous, random; int count, item;
                  bool stop, replay; int load, after; };
    // The first draw is 41: over three entries 41 % 3 = 2, over five 41 % 5 = 1.
    const Case cases[] = {
        // No mode, repeat, continuous and its wrap with repeat: the transport's tests play them.
        {"no mode, random: still stops", false, false, true, 3, 1, true, false, -1, 1},
        {"repeat + random: replay, item draw - 1", true, false, true, 3, 0, false, true, -1, 1},
        {"continuous + repeat in the middle", true, true, false, 3, 1, false, false, 2, 2},
        {"continuous + random: draw 1 over five", false, true, true, 5, 4, false, false, 1, 1},
        {"continuous + repeat + random", true, true, true, 3, 0, false, false, 2, 2},
        {"continuous + repeat, one entry: for ever", true, true, false, 1, 0, false, false, 0, 0},
        {"continuous alone, one entry: stops", false, true, false, 1, 0, false, false, -1, 0},
        {"random over an empty genre: no draw", false, true, true, 0, 0, false, false, -1, 0},
    };
    for (const Case &c : cases) {
        CrtRand rng;
        const EndOfMediaPlan plan =
            PlanEndOfMedia(c.repeat, c.continuous, c.random, c.count, c.item, rng);
        EXPECT_EQ(plan.stopTimer, c.stop) << c.what;
        EXPECT_EQ(plan.replay, c.replay) << c.what;
        EXPECT_EQ(plan.load, c.load) << c.what;
        EXPECT_EQ(plan.item, c.after) << c.what;
        EXPECT_EQ(plan.placeVideo, !c.stop) << c.what;
    }
}

TEST(EndOfMedia, RandomWithRepeatAloneCanLeaveTheItemBeforeTheFirst) {
    // Advance the generator to a state whose next draw is a multiple of four.
    CrtRand rng;
    for (CrtRand probe = rng; probe.Next() % 4 != 0; probe = rng)
        rng.Next();
    const EndOfMediaPlan plan = PlanEndOfMedia(true, false, true, 4, 2, rng);
    EXPECT_EQ(plan.item, -1);
    EXPECT_TRUE(plan.replay);
}

TEST(PositionBar, EveryScrollCode) {
    struct Case { int code; bool moves; int target; };
    // position 30, page 10, maximum 95, thumb 61
    const Case cases[] = {{0, true, 29},  {1, true, 31},  {2, true, 20}, {3, true, 40},
                          {4, true, 61},  {5, true, 61},  {6, true, 0},  {7, true, 95},
                          {8, false, 30}, {42, false, 30}};
    for (const Case &c : cases) {
        int target = -999;
        EXPECT_EQ(ScrollTarget(c.code, 30, 10, 95, 61, &target), c.moves) << c.code;
        EXPECT_EQ(target, c.target) << c.code;
    }
    int target = 0;
    ScrollTarget(0, 0, 10, 95, 0, &target);
    EXPECT_EQ(target, -1) << "not clamped: the device refuses it";
    ScrollTarget(5, 0, 10, 95, 65535, &target);
    EXPECT_EQ(target, 65535) << "the thumb position is unsigned";
}

} // namespace
