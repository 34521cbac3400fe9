// Opening and closing CD trays: the Open and Close buttons act on the system's default CD
// audio device; a drive item of the pop-up menu opens that drive's tray.
#pragma once

#include <windows.h>

#include <vector>

// The drive indexes (0 = A) that the media device can open as CD audio. With
// cdRomTypesOnly, letters whose drive type is not CD-ROM are not asked at all, which gives
// the same list without three MCI round trips for every other letter.
std::vector<int> ProbeCdDrives(bool cdRomTypesOnly);

// A drive item's command: opens that drive and its tray. False for any other command.
bool HandleTrayCommand(int command);

// The Open and Close buttons' work, done when their 100 ms release timer fires. Opening
// returns false when the default CD audio device could not open its tray.
bool OpenDefaultTray();
void CloseDefaultTray();
