#include "ui/accessories/toolkit_page.h"

#include <string>

#include "core/toolkit.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/accessories/avi_cut.h"
#include "ui/accessories/pinpoint_playback.h"
#include "ui/accessories/reverse_playback.h"

namespace {

// The page while it is open: the repeat button tells it when the flag changes.
HWND s_page;

BOOL OnInitDialog(HWND page) {
    s_page = page;
    InitReversePlayback(page);
    ShowRepeat(page);
    ShowAviFrameRange(page);
    return TRUE;
}

void OnCommand(HWND page, int id) {
    switch (id) {
    case IDC_TK_MARK_START: OnPinpointMark(page, IDC_TK_PIN_START); break;
    case IDC_TK_MARK_END: OnPinpointMark(page, IDC_TK_PIN_END); break;
    case IDC_TK_PIN_PLAY: OnPinpointPlay(page); break;
    case IDC_TK_REPEAT: OnRepeatBox(page); break;
    case IDC_TK_DEVICE_TYPE: OnReverseDeviceType(page); break;
    case IDC_TK_CHOOSE_FILE: OnChooseReverseFile(page); break;
    case IDC_TK_SET: OnSetReverse(); break;
    case IDC_TK_AVI_EDIT: OnOpenAviEditor(page); break;
    case IDC_TK_CUT_START: OnCutMark(page, IDC_TK_CUT_START_TEXT); break;
    case IDC_TK_CUT_END: OnCutMark(page, IDC_TK_CUT_END_TEXT); break;
    case IDC_TK_SAVE: OnSaveCut(page); break;
    }
}

} // namespace

bool PageNumber(HWND page, int id, long *value) {
    wchar_t text[kTextChars] = L"";
    GetDlgItemTextW(page, id, text, kTextChars);
    return LeadingNumber(text, value);
}

void SetPageNumber(HWND page, int id, long value) {
    SetDlgItemTextW(page, id, std::to_wstring(value).c_str());
}

void OnRepeatToggled() {
    if (s_page) ShowRepeat(s_page);
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
            OnFrameSlider(hwnd);
        return TRUE;
    case WM_DESTROY:
        EndPinpoint(hwnd);
        if (s_page == hwnd) s_page = nullptr;
        return FALSE;
    }
    return FALSE;
}
