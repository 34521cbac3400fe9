// The transport: Play, Stop, Pause, the progress tick and what happens at the end of an
// entry, previous and next, and seeking with the position bar.
#pragma once

#include <windows.h>

// The first entry of the current genre is loaded (not played) while the main window is made.
void StartupLoad();

// Loads entry `index` of the current genre: open, length, bar range, video placement.
// With shellFallback an entry the device cannot open is handed to the shell.
void LoadEntry(int index, bool shellFallback);

// Plays from the current position and sends the current speed.
void StartPlaying();

// Starts (or restarts) the progress timer with the period of the settings.
void StartProgressTimer();

// The bar's range from the media length; its position in seconds.
void SetBarRange();
void SetBarPosition(int seconds);

void SeekToStart();
DWORD QueryPosition();

// The position time text and bar from the device's position.
void ShowDevicePosition();

void OnPlayPressed();
void OnStopPressed();
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
