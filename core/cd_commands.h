// The CD tray's MCI command strings and the drive items of the pop-up menus. Builds natively.
#pragma once

#include <string>

enum { kDriveLetterCount = 26, kFirstDriveCommand = 550 };

// "A" .. "Z" for index 0 .. 25.
std::wstring DriveLetter(int index);

// The command of drive `index`'s menu item: 550 for A, 553 for D, 575 for Z.
inline int DriveCommand(int index) { return kFirstDriveCommand + index; }

// The drive index of a menu command, or -1 when it is not a drive item.
int DriveIndexOfCommand(int command);

// "open D:\ type cdaudio alias cdrom"
std::wstring OpenDriveCommand(int index);

// "D ドライブ"
std::wstring DriveItemLabel(int index);

extern const wchar_t kCdCanEject[];      // "capability cdrom can eject"
extern const wchar_t kCdClose[];         // "close cdrom"
extern const wchar_t kCdDoorOpen[];      // "set cdrom door open"
extern const wchar_t kCdDefaultOpen[];   // "set cdaudio door open wait"
extern const wchar_t kCdDefaultClose[];  // "set cdaudio door closed wait"
