// What the main window does first when it is created, in two steps so that the main window
// is on screen as soon as it can be: first what its own paint shows (the first run's set-up or
// the stored settings, the current genre's count), then, once it is shown, the rest.
#pragma once

#include <windows.h>

void RunStartupInitialisation(HWND mainWindow);

// The playback and stock windows and the current genre's list, the side windows, the files
// on the command line, the first entry's open, the media keys and the volume bar's timer.
// Called once the main window has been shown and painted.
void FinishStartup(HWND mainWindow);
