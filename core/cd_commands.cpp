#include "core/cd_commands.h"

const wchar_t kCdCanEject[] = L"capability cdrom can eject";
const wchar_t kCdClose[] = L"close cdrom";
const wchar_t kCdDoorOpen[] = L"set cdrom door open";
const wchar_t kCdDefaultOpen[] = L"set cdaudio door open wait";
const wchar_t kCdDefaultClose[] = L"set cdaudio door closed wait";

std::wstring DriveLetter(int index) {
    if (index < 0 || index >= kDriveLetterCount) return std::wstring();
    return std::wstring(1, wchar_t(L'A' + index));
}

int DriveIndexOfCommand(int command) {
    const int index = command - kFirstDriveCommand;
    return index >= 0 && index < kDriveLetterCount ? index : -1;
}

std::wstring OpenDriveCommand(int index) {
    return L"open " + DriveLetter(index) + L":\\ type cdaudio alias cdrom";
}

std::wstring DriveItemLabel(int index) { return DriveLetter(index) + L" ドライブ"; }
