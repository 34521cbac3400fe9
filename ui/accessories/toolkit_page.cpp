#include "ui/accessories/toolkit_page.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "core/file_selection.h"
#include "core/toolkit.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/avi_edit.h"
#include "services/media_device.h"
#include "services/texts.h"
#include "services/transport.h"
#include "ui/accessories/avi_edit_window.h"
#include "ui/accessories/reverse_process.h"
#include "ui/accessories/reverse_window.h"
#include "ui/shell/skinned_button.h"

namespace {

enum { kFileTitleChars = 100 };

// What the page keeps for the whole run; the page itself lives as long as the dialog.
struct Toolkit {
    HWND page;
    DWORD pinStart, pinEnd;
    int deviceIndex;                    // entry of the device-type list
    wchar_t reversePath[kTextChars];    // the file for reverse playback
    wchar_t reverseTitle[kFileTitleChars];
    // The last press: its process, the watch for that process's end, its file and the
    // program's own window when the media window could not play it backwards.
    HANDLE reverseProcess;
    UINT_PTR reverseWatch;
    std::wstring pressedPath, pressedTitle;
    HWND reverseWindow;
    std::wstring aviSource;             // the file of the AVI edit window and the save
};
Toolkit s_tk;

std::wstring ItemText(HWND page, int id) {
    wchar_t text[kTextChars] = L"";
    GetDlgItemTextW(page, id, text, kTextChars);
    return text;
}

bool ItemNumber(HWND page, int id, long *value) {
    return LeadingNumber(ItemText(page, id), value);
}

void SetItemNumber(HWND page, int id, long value) {
    SetDlgItemTextW(page, id, std::to_wstring(value).c_str());
}

void ShowRepeat(HWND page) {
    CheckDlgButton(page, IDC_TK_REPEAT, g_app.repeat ? BST_CHECKED : BST_UNCHECKED);
}

// The slider follows the edit window's video.
void SetSliderRange(HWND page) {
    HWND slider = GetDlgItem(page, IDC_TK_FRAME_SLIDER);
    const long max = PreviewSliderMax(AviEditFrames(g_ui.hAviEdit));
    // The range's ends one at a time: a packed range keeps only 16 bits of each.
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(slider, TBM_SETRANGEMAX, TRUE, max);
    SendMessageW(slider, TBM_SETPOS, TRUE, 0);
}

long SliderPosition(HWND page) {
    return long(SendDlgItemMessageW(page, IDC_TK_FRAME_SLIDER, TBM_GETPOS, 0, 0));
}

// --- pinpoint playback -------------------------------------------------------------------

void OnMark(HWND page, int field) {
    if (MediaIsOpen()) SetItemNumber(page, field, long(QueryPosition()));
}

void OnPinpointPlay(HWND page) {
    long start = 0, end = 0;
    ItemNumber(page, IDC_TK_PIN_START, &start);
    ItemNumber(page, IDC_TK_PIN_END, &end);
    s_tk.pinStart = DWORD(start < 0 ? 0 : start);
    s_tk.pinEnd = DWORD(end < 0 ? 0 : end);
    if (!MediaIsOpen()) return;
    DevicePlayFrom(s_tk.pinStart);
    SetTimer(page, TIMER_PINPOINT, kPinpointPeriodMs, nullptr);
}

void PinpointTick(HWND page) {
    if (!MediaIsOpen()) {
        KillTimer(page, TIMER_PINPOINT);
        return;
    }
    switch (NextPinpointStep(QueryPosition(), s_tk.pinEnd, g_app.repeat == 1)) {
    case PinpointStep::Wait:
        break;
    case PinpointStep::Replay:
        DevicePlayFrom(s_tk.pinStart);
        break;
    case PinpointStep::Stop:
        KillTimer(page, TIMER_PINPOINT);
        DeviceSeekTo(s_tk.pinStart);  // a seek stops the device there
        break;
    }
}

// The box and the repeat button toggle the one flag; the button tells the page back.
void OnRepeatBox(HWND page) {
    PressButton(SlotRepeat);
    ShowRepeat(page);
}

// --- reverse playback --------------------------------------------------------------------

void OnDeviceType(HWND page) {
    const LRESULT index = SendDlgItemMessageW(page, IDC_TK_DEVICE_TYPE, CB_GETCURSEL, 0, 0);
    if (DeviceLabel(int(index))) s_tk.deviceIndex = int(index);
}

void OnChooseReverseFile(HWND page) {
    wchar_t names[kTextChars] = L"";
    wchar_t title[kFileTitleChars] = L"";
    const std::wstring filter = ReverseDialogFilter();
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = names;
    dialog.nMaxFile = kTextChars;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = kFileTitleChars;
    dialog.lpstrTitle = L"ファイルの選択";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return;
    // With several files chosen the buffer holds a folder and names: the first one counts.
    const FileSelection chosen = ReadFileSelection(names, kTextChars);
    if (chosen.files.empty()) return;
    lstrcpynW(s_tk.reversePath, chosen.files[0].path.c_str(), kTextChars);
    lstrcpynW(s_tk.reverseTitle, chosen.files[0].title.c_str(), kFileTitleChars);
    SetDlgItemTextW(page, IDC_TK_FILE_NAME, s_tk.reverseTitle);
}

// Ends the last press's playback: its process (not waited for) and the program's own window.
void EndReversePlayback() {
    if (s_tk.reverseWatch) KillTimer(nullptr, s_tk.reverseWatch);
    s_tk.reverseWatch = 0;
    if (s_tk.reverseProcess) {
        TerminateProcess(s_tk.reverseProcess, kReverseReplaced);
        CloseHandle(s_tk.reverseProcess);
        s_tk.reverseProcess = nullptr;
    }
    if (ReversePlayerOf(s_tk.reverseWindow)) DestroyWindow(s_tk.reverseWindow);
    s_tk.reverseWindow = nullptr;
}

// When the reverse process says its media window cannot play the file backwards, a WAV file
// is played backwards by the program itself.
void CALLBACK WatchReverseProcess(HWND, UINT, UINT_PTR, DWORD) {
    if (!s_tk.reverseProcess || WaitForSingleObject(s_tk.reverseProcess, 0) != WAIT_OBJECT_0)
        return;
    DWORD code = kReverseWindowClosed;
    GetExitCodeProcess(s_tk.reverseProcess, &code);
    CloseHandle(s_tk.reverseProcess);
    s_tk.reverseProcess = nullptr;
    KillTimer(nullptr, s_tk.reverseWatch);
    s_tk.reverseWatch = 0;
    if (code == kReverseCannot)
        s_tk.reverseWindow = OpenReverseWindow(s_tk.pressedPath.c_str(), s_tk.pressedTitle.c_str());
}

// One playback at a time: a press ends the last one. The media window runs in a process of
// its own, watched on a timer of this thread (the page may close meanwhile).
void OnSetReverse() {
    if (!s_tk.reversePath[0]) return;
    EndReversePlayback();
    s_tk.pressedPath = s_tk.reversePath;
    s_tk.pressedTitle = s_tk.reverseTitle;
    const std::wstring device = DeviceNameOfLabel(DeviceLabel(s_tk.deviceIndex));
    s_tk.reverseProcess = StartReverseProcess(GetCurrentProcessId(), device, s_tk.pressedPath);
    if (s_tk.reverseProcess)
        s_tk.reverseWatch = SetTimer(nullptr, 0, kReverseWatchMs, WatchReverseProcess);
    if (!s_tk.reverseWatch) {
        EndReversePlayback();
        s_tk.reverseWindow = OpenReverseWindow(s_tk.pressedPath.c_str(), s_tk.pressedTitle.c_str());
    }
}

// --- AVI editing -------------------------------------------------------------------------

// The AVI file to work on: the edit window's, else the loaded media when it is an AVI file,
// else one the user chooses; empty after a cancel.
// The open and save dialogs of the AVI tools: AVI files only, into a buffer of kTextChars.
std::wstring AviFilter() {
    std::wstring filter = LoadProgramText(IDS_AVI_FILTER);
    filter += L'\0';
    filter += L"*.avi";
    filter += L'\0';
    return filter;
}

OPENFILENAMEW AviFileDialog(HWND page, const std::wstring &filter, wchar_t *name) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = kTextChars;
    return dialog;
}

std::wstring ChooseAviSource(HWND page, bool ask) {
    std::wstring start = s_tk.aviSource;
    if (start.empty()) {
        const std::wstring loaded = g_app.currentPath;
        if (loaded.size() > 4 && lstrcmpiW(loaded.c_str() + loaded.size() - 4, L".avi") == 0)
            start = loaded;
    }
    if (!ask) return start;
    wchar_t name[kTextChars] = L"";
    lstrcpynW(name, start.c_str(), kTextChars);
    const std::wstring filter = AviFilter();
    OPENFILENAMEW dialog = AviFileDialog(page, filter, name);
    dialog.lpstrTitle = L"ファイルの選択";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameW(&dialog) ? std::wstring(name) : std::wstring();
}

void OnOpenAviEditor(HWND page) {
    const std::wstring source = ChooseAviSource(page, true);
    if (source.empty()) return;
    s_tk.aviSource = source;
    OpenAviEditWindow(source.c_str());
    SetSliderRange(page);
}

void OnCutMark(HWND page, int field) {
    const long position = SliderPosition(page);
    ShowAviEditFrame(g_ui.hAviEdit, position);
    SetItemNumber(page, field, position);
}

std::wstring FolderOf(const std::wstring &path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// The dialog asked about the AVI only: an existing WAV of the same name is replaced only when
// the user says so. False keeps it (the AVI is still saved).
bool MayReplaceWav(HWND page, const std::wstring &wav) {
    if (GetFileAttributesW(wav.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    std::wstring text = LoadProgramText(IDS_WAV_EXISTS);
    const size_t at = text.find(L"%s");
    if (at != std::wstring::npos) text.replace(at, 2, wav);
    return MessageBoxW(page, text.c_str(), LoadProgramText(IDS_WAV_EXISTS_CAPTION).c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// Where the cut goes: TEST05.AVI beside the source is offered; the WAV takes the same name,
// or stays unwritten (empty) when the user keeps the one there.
bool ChooseCutTarget(HWND page, const std::wstring &source, std::wstring *avi, std::wstring *wav) {
    wchar_t name[kTextChars] = L"";
    lstrcpynW(name, (FolderOf(source) + L"TEST05.AVI").c_str(), kTextChars);
    const std::wstring filter = AviFilter();
    OPENFILENAMEW dialog = AviFileDialog(page, filter, name);
    dialog.lpstrDefExt = L"avi";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&dialog)) return false;
    *avi = name;
    const size_t dot = avi->find_last_of(L'.');
    const size_t slash = avi->find_last_of(L"\\/");
    *wav = (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)
                ? avi->substr(0, dot)
                : *avi) +
           L".WAV";
    if (!MayReplaceWav(page, *wav)) wav->clear();
    return true;
}

void ShowProblem(HWND page, UINT text) {
    MessageBoxW(page, LoadProgramText(text).c_str(), LoadProgramText(IDS_ERROR_CAPTION).c_str(),
                MB_OK | MB_ICONWARNING);
}

void OnSaveCut(HWND page) {
    const std::wstring source = s_tk.aviSource.empty() ? ChooseAviSource(page, true) : s_tk.aviSource;
    if (source.empty()) return;
    AviPreview probe;
    if (!probe.Open(source.c_str())) {
        ShowProblem(page, IDS_AVI_UNREADABLE);
        return;
    }
    probe.Close();
    CutMarks marks;
    marks.haveStart = ItemNumber(page, IDC_TK_CUT_START_TEXT, &marks.start);
    marks.haveEnd = ItemNumber(page, IDC_TK_CUT_END_TEXT, &marks.end);
    std::wstring avi, wav;
    if (!ChooseCutTarget(page, source, &avi, &wav)) return;
    bool wroteWav = false;
    switch (SaveAviCut(source.c_str(), marks, avi.c_str(), wav.c_str(), &wroteWav)) {
    case CutResult::Saved:
        break;
    case CutResult::SourceUnreadable:
        ShowProblem(page, IDS_AVI_UNREADABLE);
        break;
    case CutResult::VideoNotWritten:
    case CutResult::AudioNotWritten:
        ShowProblem(page, IDS_FILE_CREATE_FAILED);
        break;
    }
}

// --- the page ----------------------------------------------------------------------------

BOOL OnInitDialog(HWND page) {
    s_tk.page = page;
    HWND types = GetDlgItem(page, IDC_TK_DEVICE_TYPE);
    for (int i = 0; i < kDeviceLabelCount; ++i)
        SendMessageW(types, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(DeviceLabel(i)));
    SendMessageW(types, CB_SETCURSEL, 0, 0);
    s_tk.deviceIndex = 0;
    SetDlgItemTextW(page, IDC_TK_FILE_NAME, s_tk.reverseTitle);
    ShowRepeat(page);
    SetSliderRange(page);
    return TRUE;
}

void OnCommand(HWND page, int id) {
    switch (id) {
    case IDC_TK_MARK_START: OnMark(page, IDC_TK_PIN_START); break;
    case IDC_TK_MARK_END: OnMark(page, IDC_TK_PIN_END); break;
    case IDC_TK_PIN_PLAY: OnPinpointPlay(page); break;
    case IDC_TK_REPEAT: OnRepeatBox(page); break;
    case IDC_TK_DEVICE_TYPE: OnDeviceType(page); break;
    case IDC_TK_CHOOSE_FILE: OnChooseReverseFile(page); break;
    case IDC_TK_SET: OnSetReverse(); break;
    case IDC_TK_AVI_EDIT: OnOpenAviEditor(page); break;
    case IDC_TK_CUT_START: OnCutMark(page, IDC_TK_CUT_START_TEXT); break;
    case IDC_TK_CUT_END: OnCutMark(page, IDC_TK_CUT_END_TEXT); break;
    case IDC_TK_SAVE: OnSaveCut(page); break;
    }
}

}  // namespace

DWORD ReverseProcessId() {
    return s_tk.reverseProcess ? GetProcessId(s_tk.reverseProcess) : 0;
}

void OnRepeatToggled() {
    if (s_tk.page) ShowRepeat(s_tk.page);
}

INT_PTR CALLBACK ToolkitPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(hwnd);
    case WM_COMMAND:
        OnCommand(hwnd, LOWORD(wParam));
        return TRUE;
    case WM_TIMER:
        if (wParam == TIMER_PINPOINT) PinpointTick(hwnd);
        return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(hwnd, IDC_TK_FRAME_SLIDER))
            ShowAviEditFrame(g_ui.hAviEdit, SliderPosition(hwnd));
        return TRUE;
    case WM_DESTROY:
        KillTimer(hwnd, TIMER_PINPOINT);
        if (s_tk.page == hwnd) s_tk.page = nullptr;
        return FALSE;
    }
    return FALSE;
}
