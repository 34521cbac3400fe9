// The one MCI device that plays every file, opened as "mpegvideo" under the alias "music"
// in a process of its own. It knows no window of the program: the playback window is only
// the parent it is given (SetVideoParent), and it keeps the video display window it makes.
#pragma once

#include <windows.h>

#include <string>

#include "core/device_type.h"

// The device-type text of a path: the system's device name for a table extension (read from
// the MCI Extensions table, at most 31 characters), "non" when the system maps none, "Non"
// for any other path. A table extension also shows `window` (the playback window).
std::wstring ResolveDeviceType(const wchar_t *path, HWND window);

// Closes the device, resolves the path's device-type text and opens the path with its video
// window as a child of the video parent (the window belongs to the device's process), trying a
// second time when the first open fails; switches the device to milliseconds and reads the
// length. After two failures the device type is "Non" and the length 0. A path too long for
// the program's buffers is not opened at all.
void OpenMedia(const wchar_t *path);

// OpenMedia for start-up, without making the program wait: the slow part (starting the
// device's process and opening the file in it) runs on a thread of its own while the windows
// come up, and `message` is posted to `notify` once it has an answer. FinishOpeningAhead
// (called for that message, and first thing by every device call, OpenMedia and MediaIsOpen)
// completes the open on the calling thread exactly as OpenMedia would and then calls
// `opened`. Without a thread the open is made at once, `opened` included.
void OpenMediaAhead(const wchar_t *path, HWND notify, UINT message, void (*opened)());

// Starts the device's process without waiting for it, so that it comes up beside the
// program's own start; the first open then finds it running.
void StartMediaDeviceEarly();
void FinishOpeningAhead();

// True while a device is open (the last open succeeded and nothing closed it since).
bool MediaIsOpen();

// What the last open found: its length in ms (0 when closed or not opened), the path it was
// given, that path's device-type text (kept after a close: the status line shows it), and the
// device type the program opened ("mpegvideo", or "Non" after a failed open).
DWORD MediaLengthMs();
const std::wstring &MediaPath();
const wchar_t *MediaTypeText();
const wchar_t *OpenedDeviceType();

// The device's video window while the open media has a picture; null otherwise.
HWND MediaVideoWindow();

// The window the device's video window is made a child of (the playback window).
void SetVideoParent(HWND playback);
HWND VideoParent();

// Changes with every open and close: what was seen of the media before belongs to another.
unsigned MediaSerial();

// Forgets the device (a closed device, no parent, both channels on): where the program and
// the tests start.
void ResetMediaDevice();

// Turns a channel of the sound off or back on, for the open media and every one opened
// after it; false when no device took the command.
bool SetChannelOff(bool right, bool off);
bool ChannelOff(bool right);

// Closes the device (nothing happens when none is open); its video window goes with it.
void CloseMedia();

// Told when the device stopped answering a command: its process is ended (its video window
// goes with it), the device counts as closed and the next open starts a new process.
void SetStuckDeviceListener(void (*stuck)());

// Commands to the open device, carried out in the device's own process (see media_host.h);
// this thread waits at most 1 s for a command (10 s for an open or a close), answering
// meanwhile what is sent to its windows. Without an open device nothing is sent and they
// fail; they fail too when the device does not answer in time.
bool DevicePlay();
bool DevicePlayFrom(DWORD ms);
bool DevicePause();
bool DeviceStop();
bool DeviceSeekToStart();
bool DeviceSeekTo(DWORD ms);
bool DeviceStatus(DWORD item, DWORD *value);
// A command string to the device's alias: DeviceCommand(L"set", L"speed 1000") sends
// "set music speed 1000". Nothing is sent without an open device.
bool DeviceCommand(const wchar_t *verb, const wchar_t *rest);

// What the shell may be asked to do with a path that could not be played, with the file
// system asked what the path is. Nothing is launched.
ShellVerb ShellHandOffForPath(const wchar_t *path);

// Hands the path to the shell when ShellHandOffForPath allows it: "open" with no owner window,
// "explore" with the playback window as owner, both with the normal show state. Any other
// path is refused quietly. Returns whether the shell was asked.
bool HandToShell(const wchar_t *path);
