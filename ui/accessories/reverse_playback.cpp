#include "ui/accessories/reverse_playback.h"

#include <string>

#include "core/file_selection.h"
#include "core/toolkit.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/accessories/reverse_process.h"
#include "ui/accessories/reverse_window.h"
#include "ui/shell/file_chooser.h"

namespace {

enum { kFileTitleChars = 100 };

// What reverse playback keeps for the whole run; the page itself lives as long as the dialog.
struct Reverse {
    int deviceIndex;          // entry of the device-type list
    wchar_t path[kTextChars]; // the file chosen
    wchar_t title[kFileTitleChars];
    // The last press: its process, the watch for that process's end, its file and the
    // program's own window when the media window could not play it backwards.
    HANDLE process;
    UINT_PTR watch;
    std::wstring pressedPath, pressedTitle;
    HWND window;
};
Reverse s_rev;

// Ends the last press's playback: its process (not waited for) and the program's own window.
void EndReversePlayback() {
    if (s_rev.watch) KillTimer(nullptr, s_rev.watch);
    s_rev.watch = 0;
    if (s_rev.process) {
        TerminateProcess(s_rev.process, kReverseReplaced);
        CloseHandle(s_rev.process);
        s_rev.process = nullptr;
    }
    if (ReversePlayerOf(s_rev.window)) DestroyWindow(s_rev.window);
    s_rev.window = nullptr;
}

// When the reverse process says its media window cannot play the file backwards, a WAV file
// is played backwards by the program itself.
void CALLBACK WatchReverseProcess(HWND, UINT, UINT_PTR, DWORD) {
    if (!s_rev.process || WaitForSingleObject(s_rev.process, 0) != WAIT_OBJECT_0) return;
    DWORD code = kReverseWindowClosed;
    GetExitCodeProcess(s_rev.process, &code);
    CloseHandle(s_rev.process);
    s_rev.process = nullptr;
    KillTimer(nullptr, s_rev.watch);
    s_rev.watch = 0;
    if (code == kReverseCannot)
        s_rev.window = OpenReverseWindow(s_rev.pressedPath.c_str(), s_rev.pressedTitle.c_str());
}

} // namespace

void InitReversePlayback(HWND page) {
    HWND types = GetDlgItem(page, IDC_TK_DEVICE_TYPE);
    for (int i = 0; i < kDeviceLabelCount; ++i)
        SendMessageW(types, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(DeviceLabel(i)));
    SendMessageW(types, CB_SETCURSEL, 0, 0);
    s_rev.deviceIndex = 0;
    SetDlgItemTextW(page, IDC_TK_FILE_NAME, s_rev.title);
}

void OnReverseDeviceType(HWND page) {
    const LRESULT index = SendDlgItemMessageW(page, IDC_TK_DEVICE_TYPE, CB_GETCURSEL, 0, 0);
    if (DeviceLabel(int(index))) s_rev.deviceIndex = int(index);
}

void OnChooseReverseFile(HWND page) {
    wchar_t names[kTextChars] = L"";
    wchar_t title[kFileTitleChars] = L"";
    const std::wstring filter = ReverseDialogFilter();
    FileChooser dialog(page, filter.c_str(), names, kTextChars);
    dialog.fileTitle = title;
    dialog.fileTitleChars = kFileTitleChars;
    dialog.title = L"ファイルの選択";
    dialog.flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
    if (!ChooseFileToOpen(dialog)) return;
    // With several files chosen the buffer holds a folder and names: the first one counts.
    const FileSelection chosen = ReadFileSelection(names, kTextChars);
    if (chosen.files.empty()) return;
    lstrcpynW(s_rev.path, chosen.files[0].path.c_str(), kTextChars);
    lstrcpynW(s_rev.title, chosen.files[0].title.c_str(), kFileTitleChars);
    SetDlgItemTextW(page, IDC_TK_FILE_NAME, s_rev.title);
}

// One playback at a time: a press ends the last one. The media window runs in a process of
// its own, watched on a timer of this thread (the page may close meanwhile).
void OnSetReverse() {
    if (!s_rev.path[0]) return;
    EndReversePlayback();
    s_rev.pressedPath = s_rev.path;
    s_rev.pressedTitle = s_rev.title;
    const std::wstring device = DeviceNameOfLabel(DeviceLabel(s_rev.deviceIndex));
    s_rev.process = StartReverseProcess(GetCurrentProcessId(), device, s_rev.pressedPath);
    if (s_rev.process) s_rev.watch = SetTimer(nullptr, 0, kReverseWatchMs, WatchReverseProcess);
    if (!s_rev.watch) {
        EndReversePlayback();
        s_rev.window = OpenReverseWindow(s_rev.pressedPath.c_str(), s_rev.pressedTitle.c_str());
    }
}

DWORD ReverseProcessId() {
    return s_rev.process ? GetProcessId(s_rev.process) : 0;
}
