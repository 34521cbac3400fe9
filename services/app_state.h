// The process-wide record of the program's state below the windows (the windows' own state
// is in ui/window_state.h).
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <digitalv.h>

#include <string>
#include <vector>

#include "core/play_modes.h"
#include "core/settings_record.h"
#include "core/settings_table.h"

struct RegistryKeys {
    HKEY write[kRegKeyCount];  // created with write access
    HKEY read[kRegKeyCount];
    HKEY full[kListKeyCount];  // the four list keys with full access, for deleting values
};

struct AppState {
    HINSTANCE hInst;

    // Command-line pieces after the program path, consumed once by the start-up import.
    std::vector<std::wstring> pendingPieces;

    int currentGenre;
    int currentItem;

    wchar_t currentPath[kTextChars];  // the path of the entry loaded last


    int repeat, continuous, random, paused;
    CrtRand rng;  // the random mode's draws
    int speed;

    SettingsRecord settings;
    int nPlayLimiter;  // the progress tick's period in ms (the settings page's limiter)

    RegistryKeys keys;
};

extern AppState g_app;

// Puts every field at its starting value (zero, except where the program starts elsewhere),
// and the services' own state with it.
void ResetAppState();
