// Reverse playback through a media window, in a copy of the program of its own: a media device
// opened in the program's process can hold its thread for good, so the window, its device and
// the check that it really runs backwards live in that copy, which the program never waits on.
#pragma once

#include <windows.h>

#include <string>

// How the reverse process ends.
enum ReverseExit : DWORD {
    kReverseWindowClosed = 0,  // it played backwards until its window was closed
    kReverseBadCommandLine = 1,
    kReverseCannot = 3,        // the device does not run backwards (or never answered)
    kReverseProgramGone = 4,   // the program that started it has ended
    kReverseReplaced = 5,      // the program ended it for a newer press
};

// True when the command line asks for the reverse process.
bool IsReverseCommandLine(const wchar_t *commandLine);

// Runs the reverse process; it does not outlive the program whose id is on its command line.
int RunReverseProcess(const wchar_t *commandLine);

// Starts Mirelo.exe beside the running program as a reverse process for the program
// `programId`, playing `path` backwards on the device named `device`. Its process handle, or
// null when it could not start.
HANDLE StartReverseProcess(DWORD programId, const std::wstring &device, const std::wstring &path);
