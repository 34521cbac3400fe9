#include "core/slide.h"

int PanelX(PanelSide side, int mainLeft, int slide) {
    return side == PanelLeft ? mainLeft - slide : mainLeft - slide + 118;
}

SlideTick SlideStep(PanelSide side, bool opening, int mainLeft, int &slide) {
    SlideTick tick = {PanelX(side, mainLeft, slide), false, false};
    // The left window moves out to the left (growing offset), the right one to the right.
    const int outward = side == PanelLeft ? 2 : -2;
    slide += opening ? outward : -outward;
    if (side == PanelLeft) {
        if (opening && slide >= 222) tick.stop = true;
        if (!opening && slide <= -20) tick.stop = tick.hide = true;
    } else {
        if (opening && slide <= -222) tick.stop = true;
        if (!opening && slide >= 20) tick.stop = tick.hide = true;
    }
    return tick;
}
