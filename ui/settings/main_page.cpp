#include "ui/settings/main_page.h"

#include <string>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/media_device.h"
#include "services/recorder.h"
#include "services/settings.h"
#include "services/thumbnail.h"
#include "ui/settings/backup_restore.h"
#include "ui/settings/page_text.h"

namespace {

void RecordRateMoved() {
    RecordingFormat().nSamplesPerSec = DWORD(g_ui.nRecRate) * 10;
}

void CaptureMoved() {
    StoreSetting(&g_app.settings.Capture); // at every step, while dragging too
}

struct Slider {
    int id, textId;
    int low, high;
    int *value;
    int shownFactor; // the edit shows the value times this
    void (*moved)(); // after a move by the user, or null
};
const Slider kSliders[] = {
    {IDC_REC_RATE_SLIDER, IDC_REC_RATE_TEXT, 1, 10000, &g_ui.nRecRate, 10, RecordRateMoved},
    {IDC_CAPTURE_SLIDER, IDC_CAPTURE_TEXT, 0, 30000, &g_app.settings.Capture, 1, CaptureMoved},
    {IDC_LIMITER_SLIDER, IDC_LIMITER_TEXT, 0, 30000, &g_app.nPlayLimiter, 1, nullptr},
    {IDC_SHOT_INTERVAL_SLIDER, IDC_SHOT_INTERVAL_TEXT, 0, 30000, &g_ui.nShotInterval, 1, nullptr},
    {IDC_SHOT_COUNT_SLIDER, IDC_SHOT_COUNT_TEXT, 1, 30000, &g_ui.nShotCount, 1, nullptr},
};

// Moves a slider by program (no notification) and shows its value.
void ShowSlider(HWND page, const Slider &s) {
    SendDlgItemMessageW(page, s.id, TBM_SETPOS, TRUE, *s.value);
    ShowNumber(page, s.textId, *s.value * s.shownFactor);
}

void Tick(HWND page, int id, bool on) {
    CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED);
}

// Mono records one channel at 27000 Hz, stereo two at 13500 Hz; the slider follows.
void ChooseChannels(HWND page, bool stereo) {
    Tick(page, IDC_MONO, !stereo);
    Tick(page, IDC_STEREO, stereo);
    RecordingFormat().nChannels = stereo ? 2 : 1;
    g_ui.nRecRate = stereo ? 1350 : 2700;
    RecordRateMoved();
    ShowSlider(page, kSliders[0]);
}

void OnInit(HWND page) {
    for (const Slider &s : kSliders) {
        SendDlgItemMessageW(page, s.id, TBM_SETRANGEMIN, FALSE, s.low);
        SendDlgItemMessageW(page, s.id, TBM_SETRANGEMAX, FALSE, s.high);
        ShowSlider(page, s);
    }
    RecordRateMoved();
    // The boxes show what is in force, as the page left it the last time.
    const bool stereo = RecordingFormat().nChannels == 2;
    Tick(page, IDC_MONO, !stereo);
    Tick(page, IDC_STEREO, stereo);
    Tick(page, IDC_RIGHT_AUDIO, ChannelOff(true));
    Tick(page, IDC_LEFT_AUDIO, ChannelOff(false));
    Tick(page, IDC_CAPTURE_ON, ThumbnailsOn());
    ShowNumber(page, IDC_CAP_WIDTH, g_app.settings.CapWidth);
    ShowNumber(page, IDC_CAP_HEIGHT, g_app.settings.CapHight);
}

void OnSlider(HWND page, HWND slider) {
    for (const Slider &s : kSliders) {
        if (GetDlgItem(page, s.id) != slider) continue;
        *s.value = int(SendMessageW(slider, TBM_GETPOS, 0, 0));
        ShowNumber(page, s.textId, *s.value * s.shownFactor);
        if (s.moved) s.moved();
    }
}

// A channel of the sound off or back on, for this media and the next; the box shows it.
void ToggleChannel(HWND page, int id, bool right) {
    SetChannelOff(right, !ChannelOff(right));
    Tick(page, id, ChannelOff(right));
}

// The thumbnail size from its edit; the stock list shows it from its next paint.
void SetCaptureSize(HWND page, int editId, int32_t &side, bool repaintNow) {
    side = ReadNumber(page, editId);
    StoreSetting(&side);
    if (!g_ui.hStock) return;
    InvalidateRect(g_ui.hStock, nullptr, TRUE);
    if (repaintNow) UpdateWindow(g_ui.hStock);
}

void OnCommand(HWND page, int id) {
    switch (id) {
    case IDC_MONO:
    case IDC_STEREO:
        ChooseChannels(page, id == IDC_STEREO);
        break;
    case IDC_RIGHT_AUDIO:
        ToggleChannel(page, id, true);
        break;
    case IDC_LEFT_AUDIO:
        ToggleChannel(page, id, false);
        break;
    case IDC_CAPTURE_ON:
        SetThumbnailsOn(!ThumbnailsOn());
        Tick(page, id, ThumbnailsOn());
        break;
    case IDC_CAP_WIDTH_SET:
        SetCaptureSize(page, IDC_CAP_WIDTH, g_app.settings.CapWidth, true);
        break;
    case IDC_CAP_HEIGHT_SET:
        SetCaptureSize(page, IDC_CAP_HEIGHT, g_app.settings.CapHight, false);
        break;
    case IDC_BACKUP_SAVE:
        BackupWithFolderBrowser(page);
        break;
    case IDC_BACKUP_RESTORE:
        RestoreWithFolderBrowser(page);
        break;
    }
}

} // namespace

INT_PTR CALLBACK MainPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInit(page);
        return TRUE;
    case WM_HSCROLL:
        OnSlider(page, reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(page, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
