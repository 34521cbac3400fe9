// What the main window does first when it is created, in two steps so that the main window
// is on screen as soon as it can be: first the first run's set-up or the stored settings and
// the current genre's count (what the main window's first paint shows), then, once the main
// window is shown, the playback and stock windows with the list and the files of the command
// line, and the rest.
#pragma once

#include <windows.h>

void RunStartupInitialisation(HWND mainWindow);

// The playback and stock windows with the list, the first entry's open, the media keys and
// the volume bar's timer (the side windows are made when first needed).
// Called once the main window has been shown and painted.
void FinishStartup(HWND mainWindow);
