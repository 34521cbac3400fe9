#include "ui/accessories/photo_capture.h"

#include <shlobj.h>

#include <cstdint>
#include <vector>

#include "services/media_device.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/frame_capture.h"
#include "services/texts.h"
#include "services/thumbnail.h"
#include "ui/shell/file_chooser.h"

namespace {

const wchar_t kBmpFilter[] = L"bmp(*.bmp)\0*.bmp\0All files(*.*)\0*.*\0";

void StartShotTimer(HWND button) {
    SetTimer(button, TIMER_SHOT, UINT(g_ui.nShotInterval < 0 ? 0 : g_ui.nShotInterval), nullptr);
}

bool ChooseShotFolder(HWND button) {
    const std::wstring title = LoadProgramText(IDS_SHOT_FOLDER_TITLE);
    BROWSEINFOW info = {};
    info.hwndOwner = button;
    info.pszDisplayName = g_ui.capture.shotFolder;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return false;
    const bool ok = SHGetPathFromIDListW(chosen, g_ui.capture.shotFolder) != FALSE;
    CoTaskMemFree(chosen);
    return ok;
}

// The frame on screen, or the run ends with its message. The timer goes before the box, so
// that a short interval cannot stack boxes up while the first one is shown.
bool GrabOrReport(HWND button, bool series, std::vector<uint8_t> *picture) {
    const GrabResult result = GrabCurrentFrame(MediaPath().c_str(), picture);
    if (result == GrabResult::Grabbed) return true;
    KillTimer(button, TIMER_SHOT);
    UINT text = IDS_SHOT_NOT_AVI;
    if (result == GrabResult::DecoderFailed)
        text = series ? IDS_SHOT_SERIES_FRAME_FAILED : IDS_SHOT_FRAME_FAILED;
    MessageBoxW(nullptr, LoadProgramText(text).c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool AskFileName(HWND button) {
    const std::wstring title = LoadProgramText(IDS_SHOT_SAVE_TITLE);
    FileChooser dialog(button, kBmpFilter, g_ui.capture.fileName,
                       ARRAYSIZE(g_ui.capture.fileName));
    dialog.fileTitle = g_ui.capture.fileTitle;
    dialog.fileTitleChars = ARRAYSIZE(g_ui.capture.fileTitle);
    dialog.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    dialog.defaultExt = L"bmp";
    dialog.title = title.c_str();
    return ChooseFileToSave(dialog);
}

// A picture that could not be written ends the run before its one box: a series on a short
// interval would otherwise open a box on every tick inside the first box's message loop.
void WriteOrReport(HWND button, const wchar_t *path, const std::vector<uint8_t> &picture) {
    if (WriteBmpFile(path, picture.data(), picture.size())) return;
    KillTimer(button, TIMER_SHOT);
    g_ui.capture.shotCounter = 1;
    MessageBoxW(nullptr, LoadProgramText(IDS_FILE_CREATE_FAILED).c_str(), L"",
                MB_OK | MB_ICONWARNING);
}

void TakeSingleShot(HWND button) {
    KillTimer(button, TIMER_SHOT);
    std::vector<uint8_t> picture;
    if (!GrabOrReport(button, false, &picture)) return;
    if (AskFileName(button))
        WriteOrReport(button, g_ui.capture.fileName, picture);
    else
        MessageBoxW(nullptr, LoadProgramText(IDS_SHOT_CANCELLED).c_str(),
                    LoadProgramText(IDS_SHOT_CANCELLED_CAPTION).c_str(), MB_OK);
}

// A run of N shots writes Syasin2.bmp to SyasinN.bmp and, on its last tick, Syasin1.bmp.
void TakeSeriesShot(HWND button) {
    CaptureState &capture = g_ui.capture;
    if (++capture.shotCounter > g_ui.nShotCount) {
        KillTimer(button, TIMER_SHOT);
        capture.shotCounter = 1;
    }
    std::vector<uint8_t> picture;
    if (!GrabOrReport(button, true, &picture)) return;
    WriteOrReport(button, SeriesShotPath(capture.shotFolder, capture.shotCounter).c_str(), picture);
}

} // namespace

void OnPhotoPressed(HWND button) {
    if (g_ui.nShotCount > 1 && !ChooseShotFolder(button)) return;
    StartShotTimer(button);
}

void OnShotTimer(HWND button) {
    if (g_ui.nShotCount > 1)
        TakeSeriesShot(button);
    else
        TakeSingleShot(button);
}
