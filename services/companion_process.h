// The program's companion processes (the media host, the reverse player) never outlive it.
#pragma once

#include <windows.h>

// Ends this process with `exitCode` the moment process `programId` ends, whatever this process
// is doing then (a thread of its own waits for it). False when that process cannot be watched
// (it is gone already, or the watch cannot start).
bool EndWithProgram(DWORD programId, UINT exitCode);
