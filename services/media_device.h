// The one MCI device that plays every file, opened as "mpegvideo" under the alias "music",
// and the video display window it creates inside the playback window.
#pragma once

#include <windows.h>

#include <string>

#include "playback/device_type.h"

// The device-type text of a path: the system's device name for a table extension (read from
// the MCI Extensions table, at most 31 characters), "non" when the system maps none, "Non"
// for any other path. A table extension also shows `window` (the playback window).
std::wstring ResolveDeviceType(const wchar_t *path, HWND window);

// Closes the device, resolves the path into g_app.currentTypeText and opens the path, trying
// a second time when the first open fails; attaches the video display window, switches the
// device to milliseconds and reads the length into g_app.lengthMs. After two failures the
// record's device type is "Non" and the previous length stays.
void OpenMedia(const wchar_t *path);

// True when the last open succeeded (the record's device type is not "Non").
bool MediaIsOpen();

// Closes the device (nothing happens when none is open); its video window goes with it.
void CloseMedia();

// Moves the video display window over the playback window's video area (or the whole client
// area in full size), on top of its siblings, and shows it. Nothing without a video window.
void PlaceVideoWindow();

// The procedure installed on the video display window: the playback window's handling
// first, then the device's own procedure.
LRESULT CALLBACK VideoWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// What the shell may be asked to do with a path that could not be played, with the file
// system asked what the path is. Nothing is launched.
ShellVerb ShellHandOffForPath(const wchar_t *path);

// Hands the path to the shell when ShellHandOffForPath allows it: "open" with no owner window,
// "explore" with the playback window as owner, both with the normal show state. Any other
// path is refused quietly. Returns whether the shell was asked.
bool HandToShell(const wchar_t *path);
