// The slide of the two side windows out of and back into the main window. Builds natively.
#pragma once

enum PanelSide { PanelLeft, PanelRight };

// The side window's left edge for a main window whose left edge is mainLeft.
int PanelX(PanelSide side, int mainLeft, int slide);

struct SlideTick {
    int x;      // where the side window is placed on this tick
    bool stop;  // the slide has ended: the timer stops
    bool hide;  // ...and the window is hidden (a closing that has ended)
};

// One 10 ms tick: places the window at the current offset, then moves the offset 2 pixels.
// `opening` is the direction; a reversal just flips it and the slide goes on from `slide`.
SlideTick SlideStep(PanelSide side, bool opening, int mainLeft, int &slide);
