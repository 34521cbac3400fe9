// What the main window does first when it is created: the first run's set-up or the load of
// the stored settings, then the playback and stock windows and the current genre's list.
#pragma once

#include <windows.h>

void RunStartupInitialisation(HWND mainWindow);
