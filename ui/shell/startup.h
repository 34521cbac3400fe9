// What the main window does first when it is created, in two steps so that the main window
// is on screen as soon as it can be: first the first run's set-up or the stored settings, the
// playback and stock windows with the current genre's list and the files of the command line,
// then, once the main window is shown, the rest.
#pragma once

#include <windows.h>

void RunStartupInitialisation(HWND mainWindow);

// The first entry's open, the media keys and the volume bar's timer (the side windows are
// made when first needed).
// Called once the main window has been shown and painted.
void FinishStartup(HWND mainWindow);
