#include "core/play_modes.h"

int PreviousItem(int item, int count, bool random, CrtRand &rng) {
    if (item <= 0) return -1;
    if (random && count <= 0) return -1;
    const int r = random ? rng.Next() % count : item;
    return r - 1 > 0 ? r - 1 : 0;
}

int NextItem(int item, int count, bool random, CrtRand &rng) {
    if (item >= count - 1) return -1;
    return random ? rng.Next() % count : item + 1;
}

EndOfMediaPlan PlanEndOfMedia(bool repeat, bool continuous, bool random, int count, int item,
                              CrtRand &rng) {
    EndOfMediaPlan plan = {false, false, -1, item, false};
    if (!repeat && !continuous) {
        plan.stopTimer = true;
        return plan;
    }
    plan.placeVideo = true;
    if (repeat && !continuous) plan.replay = true;
    if (random && count > 0) plan.item = rng.Next() % count - 1;
    if (continuous && repeat && plan.item == count - 1) plan.item = -1;
    if (continuous && plan.item < count - 1) {
        plan.item += 1;
        plan.load = plan.item;
    }
    return plan;
}

bool ScrollTarget(int code, int position, int page, int maximum, unsigned thumb, int *target) {
    switch (code) {
    case 0: // SB_LINELEFT
        *target = position - 1;
        return true;
    case 1: // SB_LINERIGHT
        *target = position + 1;
        return true;
    case 2: // SB_PAGELEFT
        *target = position - page;
        return true;
    case 3: // SB_PAGERIGHT
        *target = position + page;
        return true;
    case 4: // SB_THUMBPOSITION
    case 5: // SB_THUMBTRACK
        *target = int(thumb);
        return true;
    case 6: // SB_LEFT
        *target = 0;
        return true;
    case 7: // SB_RIGHT
        *target = maximum;
        return true;
    default: // SB_ENDSCROLL and anything else
        *target = position;
        return false;
    }
}
