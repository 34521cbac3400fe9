// The transport: Play, Stop, Pause, the progress tick and what happens at the end of an
// entry, previous and next, and seeking with the position bar. It keeps the position in
// g_app and tells the windows what changed through the view they register.
//
// Each stock entry resumes where the user left it: the position is stored (stock store) at a
// pause, when another entry is loaded, at a genre change and at the end of the program, and a
// load starts there. Stop, the end of the media and a position in the last 5 s forget it.
#pragma once

#include <windows.h>

#include "core/settings_record.h"

// What the main window shows of the transport: the position text, the entry numbers and the
// program's copy of the position bar. The transport (and the stock list, for the numbers)
// writes it; the main window paints it.
struct TransportDisplay {
    wchar_t positionText[128];
    wchar_t currentNumberText[kTextChars];
    wchar_t totalNumberText[kTextChars];
    int barMax, barPage, barPos;
};
TransportDisplay &Display();

// Back to what the program shows at start: " 0 秒", no numbers, a bar of page 10.
void ResetTransport();

// What the windows do when the transport changes something they show. Any may be null.
struct TransportView {
    void (*barChanged)();            // Display().barMax, barPage or barPos changed
    void (*statusChanged)();         // the position and number texts changed
    void (*playbackChanged)();       // the playback window shows something else
    void (*videoChanged)();          // the video window was placed again or was replaced
    void (*progressTimer)(bool run); // timer 600 starts (again) or stops
    void (*pauseCleared)();          // playing again after a pause: the Pause face goes back
};
void SetTransportView(const TransportView &view);

// The first entry of the current genre is loaded (not played) while the main window is made:
// its numbers at once; the device opens it meanwhile, and `notify` finishes the load when
// WM_MEDIA_OPENED comes (or any device call does first).
void StartupLoad(HWND notify);

// Before any window: when the current genre has an entry for StartupLoad to open, the
// device's process is started now, so that it comes up while the windows do.
void StartDeviceForStartupLoad();

// Loads entry `index` of the current genre: open, length, bar range, the position where the
// entry was left (the bar shows it at once), video placement.
// With shellFallback an entry the device cannot open is handed to the shell.
void LoadEntry(int index, bool shellFallback);

// Loads entry `index` and plays it from where it was left with the progress running (a
// double-click in the stock list); a pause in force ends.
void PlayEntry(int index);

// Stores where the loaded entry is now, for its next load (a genre change, a delete of
// entries, the end of the program). A position in its last 5 s is stored as the start.
void RememberPosition();

// Plays from the current position and sends the current speed.
void StartPlaying();

// Starts (or restarts) the progress timer with the period of the settings.
void StartProgressTimer();

// The bar's range from the media length; its position in seconds.
void SetBarRange();
void SetBarPosition(int seconds);

// Back to the start of the media.
void Rewind();

// Where the device is, in milliseconds (0 without a device).
DWORD QueryPosition();

// The position time text and bar from the device's position (or from where the next play
// starts, when the media was loaded where it was left and has not played since).
void ShowDevicePosition();

// The device is playing (a pause counts as not playing).
bool TransportPlaying();

void OnPlayPressed();
void OnStopReleased();
void OnPauseToggled(int paused);
void OnPreviousReleased();
void OnNextReleased();

// Timer 600.
void ProgressTick();

// The main window's horizontal scroll message from the position bar.
void OnPositionScroll(int code, unsigned thumb);

// Sends "set music speed %d" with the current speed.
void SendSpeed();
