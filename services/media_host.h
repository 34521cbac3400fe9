// The media device's own process. The platform's "mpegvideo" device can wait for good inside
// a stop, and once it does, no new device of that process can be opened either. So the one
// device lives in a second copy of the program started as a media host: it opens the device,
// sends it every command and owns its video window (a child of the playback window); the
// program waits a bounded time for each answer, and a host that does not answer is ended and
// replaced by a new one.
#pragma once

#include <windows.h>

// What the host posts to the window its video window is a child of (the playback window) when
// the user acts on the video: the right button (the menu at x, y in lParam), a double click,
// and the left button (a drag of the playback window).
enum : UINT {
    WM_VIDEO_MENU = 0x8010,
    WM_VIDEO_DOUBLE_CLICK = 0x8011,
    WM_VIDEO_DRAG = 0x8013,
};

// True when the command line asks for the media host.
bool IsMediaHostCommandLine(const wchar_t *commandLine);

// Runs the media host, which takes requests only from the program that started it (its id is
// on the command line), until that program ends; it then ends at once without waiting for
// its device. Returns the exit code.
int RunMediaHost(const wchar_t *commandLine);

// What the program asks the host for.
enum HostRequestKind : DWORD { HostOpen = 1, HostClose, HostCommand, HostString };

struct HostRequest {
    UINT command;  // HostCommand: the MCI command
    DWORD flags;
    DWORD from, to, item, timeFormat;
    DWORD_PTR parent;         // HostOpen: the playback window
    wchar_t text[512];        // HostOpen: the path; HostString: the command string
};

// Sends a request to the running host (an open starts one when none runs) and waits at most
// limitMs.
// False when the host did not answer in time or could not be started; the host is then
// ended. On success *result is the device's answer and, when `value` is given, *value the
// status value (or, for an open, the video window the device made; 0 when none).
bool AskMediaHost(HostRequestKind kind, const HostRequest &request, DWORD limitMs,
                  MCIERROR *result, DWORD_PTR *value);

// Starts a host, when none runs, without waiting for it to answer.
void StartMediaHostEarly();
// Ends the host at once (its device and video window go with it).
void EndMediaHost();

// Called with no file open: a host that has opened many files is ended (the next open starts a
// fresh one), so that what the platform's device keeps of each file does not pile up.
void RetireWornMediaHost();

// Tests only: a host is replaced after `opens` opens (0: the program's 16).
void SetOpensPerHostForTests(int opens);

// The running host's process id; 0 when none runs.
DWORD MediaHostProcessId();
