#include "services/cd_tray.h"

#include <string>

#include "core/cd_commands.h"
#include "services/app_state.h"

namespace {

MCIERROR Send(const std::wstring &command) {
    return mciSendStringW(command.c_str(), nullptr, 0, nullptr);
}

}  // namespace

std::vector<int> ProbeCdDrives(bool cdRomTypesOnly) {
    std::vector<int> drives;
    for (int i = 0; i < kDriveLetterCount; ++i) {
        if (cdRomTypesOnly) {
            const std::wstring root = DriveLetter(i) + L":\\";
            if (GetDriveTypeW(root.c_str()) != DRIVE_CDROM) continue;
        }
        Send(OpenDriveCommand(i));
        const MCIERROR canEject = Send(kCdCanEject);
        Send(kCdClose);
        if (canEject == 0) drives.push_back(i);
    }
    return drives;
}

bool HandleTrayCommand(int command) {
    const int drive = DriveIndexOfCommand(command);
    if (drive < 0) return false;
    Send(OpenDriveCommand(drive));
    Send(kCdDoorOpen);  // the alias stays open until the Close button closes it
    return true;
}

bool OpenDefaultTray() {
    return Send(kCdDefaultOpen) == 0;
}

void CloseDefaultTray() {
    Send(kCdDefaultClose);
    Send(kCdClose);
}
