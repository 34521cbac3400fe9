// The two side windows that slide out of the main window's edges (SWClassName, SWClassName2).
#pragma once

#include <windows.h>

#include "core/slide.h"

// Each side window is made when it is first needed, not at start-up, where it would only be
// hidden: by its tab, or, for the right one, when one of its play-mode buttons is pressed by a
// command (a key, a menu, the toolkit).
void MakeSideWindowHolding(int slot);

// A press of the tab button of that side: slide out, or back in (the window made first).
void ToggleSidePanel(PanelSide side);

// Hides both without changing their open flags (while the main window is dragged).
void HideSidePanels();
// Places the open ones beside the main window again (after a move).
void ReattachSidePanels();

LRESULT CALLBACK LeftPanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RightPanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
