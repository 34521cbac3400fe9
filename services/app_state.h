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

    // The playback window, which the device's video window is a child of, and that video window.
    HWND hPlay, hVideo;

    int currentGenre;
    int counts[kGenreCount];
    int currentItem;

    // The one media device.
    MCI_DGV_OPEN_PARMSW openParms;
    wchar_t deviceType[32];  // "mpegvideo", or "Non" after a failed open
    wchar_t alias[8];
    std::wstring mediaPath;  // the element the device was last opened with
    wchar_t currentPath[kTextChars];
    wchar_t currentTypeText[kTextChars];
    DWORD lengthMs;
    DWORD lastPlayingPositionMs;  // where the last progress tick saw the media playing

    // Texts the main window paints.
    wchar_t positionText[128];
    wchar_t currentNumberText[kTextChars];
    wchar_t totalNumberText[kTextChars];
    wchar_t lengthText[128];

    // The program's copy of the position bar.
    int barMax, barPage, barPos;

    int repeat, continuous, random, paused;
    CrtRand rng;  // the random mode's draws
    int speed;

    SettingsRecord settings;
    // Options of the main settings page, kept for this run only.
    int nRecRate, nPlayLimiter, nShotInterval, nShotCount;
    int bCaptureOn, bLeftAudioOff, bRightAudioOff;


    RegistryKeys keys;

};

extern AppState g_app;

// Puts every field at its starting value (zero, except where the program starts elsewhere).
void ResetAppState();
