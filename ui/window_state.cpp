#include "ui/window_state.h"

#include <new>

WindowState g_ui;

void ResetWindowState() {
    g_ui.~WindowState();
    new (&g_ui) WindowState();
    g_ui.left.slide = 1;
    g_ui.right.slide = 1;
    g_ui.capture.shotCounter = 1;
    g_ui.nRecRate = 2700;
    g_ui.nShotCount = 1;
}
