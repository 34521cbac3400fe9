// The level bar the speed and volume bars share: a 150 x 20 child of the main window that
// draws a level over a frame and sets it where it is pressed or dragged.
#pragma once

#include <windows.h>

struct LevelBar {
    COLORREF levelPen;       // the level's outline
    COLORREF levelHatch;     // its cross-hatch
    int (*level)();          // the level's right edge, in pixels
    void (*setFromX)(int x); // a press or drag at x (unsigned, as the message carries it)
};

// The part of the bar a new level repaints.
extern const RECT kLevelBarRepaint;

// Draws the bar into dc; every pen and brush made here is deleted again (the volume bar
// repaints every 300 ms for as long as the program runs).
void PaintLevelBar(const LevelBar &bar, HDC dc);

// Paint, press, drag and release; anything else goes to the default procedure.
LRESULT LevelBarProc(const LevelBar &bar, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
