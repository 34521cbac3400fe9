#include "ui/accessories/avi_cut.h"

#include <commctrl.h>

#include <string>

#include "core/toolkit.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "services/avi_edit.h"
#include "services/texts.h"
#include "ui/accessories/avi_edit_window.h"
#include "ui/accessories/toolkit_page.h"
#include "ui/shell/file_chooser.h"
#include "ui/window_state.h"

namespace {

// The file of the AVI edit window and the save, for the whole run.
std::wstring s_aviSource;

long SliderPosition(HWND page) {
    return long(SendDlgItemMessageW(page, IDC_TK_FRAME_SLIDER, TBM_GETPOS, 0, 0));
}

// The open and save dialogs of the AVI tools: AVI files only, into a buffer of kTextChars.
std::wstring AviFilter() {
    std::wstring filter = LoadProgramText(IDS_AVI_FILTER);
    filter += L'\0';
    filter += L"*.avi";
    filter += L'\0';
    return filter;
}

// The AVI file to work on: the edit window's, else the loaded media when it is an AVI file,
// else one the user chooses; empty after a cancel.
std::wstring ChooseAviSource(HWND page) {
    std::wstring start = s_aviSource;
    if (start.empty()) {
        const std::wstring loaded = g_app.currentPath;
        if (loaded.size() > 4 && lstrcmpiW(loaded.c_str() + loaded.size() - 4, L".avi") == 0)
            start = loaded;
    }
    wchar_t name[kTextChars] = L"";
    lstrcpynW(name, start.c_str(), kTextChars);
    const std::wstring filter = AviFilter();
    FileChooser dialog(page, filter.c_str(), name, kTextChars);
    dialog.title = L"ファイルの選択";
    dialog.flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return ChooseFileToOpen(dialog) ? std::wstring(name) : std::wstring();
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
    FileChooser dialog(page, filter.c_str(), name, kTextChars);
    dialog.defaultExt = L"avi";
    dialog.flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!ChooseFileToSave(dialog)) return false;
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

} // namespace

void ShowAviFrameRange(HWND page) {
    HWND slider = GetDlgItem(page, IDC_TK_FRAME_SLIDER);
    const long max = PreviewSliderMax(AviEditFrames(g_ui.hAviEdit));
    // The range's ends one at a time: a packed range keeps only 16 bits of each.
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(slider, TBM_SETRANGEMAX, TRUE, max);
    SendMessageW(slider, TBM_SETPOS, TRUE, 0);
}

void OnFrameSlider(HWND page) {
    ShowAviEditFrame(g_ui.hAviEdit, SliderPosition(page));
}

void OnOpenAviEditor(HWND page) {
    const std::wstring source = ChooseAviSource(page);
    if (source.empty()) return;
    s_aviSource = source;
    OpenAviEditWindow(source.c_str());
    ShowAviFrameRange(page);
}

void OnCutMark(HWND page, int field) {
    const long position = SliderPosition(page);
    ShowAviEditFrame(g_ui.hAviEdit, position);
    SetPageNumber(page, field, position);
}

void OnSaveCut(HWND page) {
    const std::wstring source = s_aviSource.empty() ? ChooseAviSource(page) : s_aviSource;
    if (source.empty()) return;
    AviPreview probe;
    if (!probe.Open(source.c_str())) {
        ShowProblem(page, IDS_AVI_UNREADABLE);
        return;
    }
    probe.Close();
    CutMarks marks;
    marks.haveStart = PageNumber(page, IDC_TK_CUT_START_TEXT, &marks.start);
    marks.haveEnd = PageNumber(page, IDC_TK_CUT_END_TEXT, &marks.end);
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
