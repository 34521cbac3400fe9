#include "audio/cd_tray.h"

#include <string>

#include "audio/cd_commands.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/texts.h"

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

void BuildTrayMenuEntries(HMENU popup, HWND owner) {
    for (int drive : ProbeCdDrives(true)) {
        std::wstring label = DriveItemLabel(drive);
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
        item.fType = MFT_STRING;
        item.wID = UINT(DriveCommand(drive));
        item.dwTypeData = &label[0];
        InsertMenuItemW(popup, ID_TRAY_CLOSE, FALSE, &item);
        DrawMenuBar(owner);
    }
    DeleteMenu(popup, ID_TRAY_CLOSE, MF_BYCOMMAND);
}

bool HandleTrayCommand(int command) {
    const int drive = DriveIndexOfCommand(command);
    if (drive < 0) return false;
    Send(OpenDriveCommand(drive));
    Send(kCdDoorOpen);  // the alias stays open until the Close button closes it
    return true;
}

void OnTrayOpenReleased() {
    if (Send(kCdDefaultOpen) != 0)
        MessageBoxW(nullptr, LoadProgramText(IDS_ERROR_OCCURRED).c_str(),
                    LoadProgramText(IDS_ERROR_CAPTION).c_str(), MB_OK);
}

void OnTrayCloseReleased() {
    Send(kCdDefaultClose);
    Send(kCdClose);
}
