#include "ui/accessories/pinpoint_playback.h"

#include "core/button_table.h"
#include "core/toolkit.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/transport.h"
#include "ui/accessories/toolkit_page.h"
#include "ui/shell/skinned_button.h"

namespace {

DWORD s_pinStart, s_pinEnd;

} // namespace

void OnPinpointMark(HWND page, int field) {
    if (MediaIsOpen()) SetPageNumber(page, field, long(QueryPosition()));
}

void OnPinpointPlay(HWND page) {
    long start = 0, end = 0;
    PageNumber(page, IDC_TK_PIN_START, &start);
    PageNumber(page, IDC_TK_PIN_END, &end);
    s_pinStart = DWORD(start < 0 ? 0 : start);
    s_pinEnd = DWORD(end < 0 ? 0 : end);
    if (!MediaIsOpen()) return;
    DevicePlayFrom(s_pinStart);
    SetTimer(page, TIMER_PINPOINT, kPinpointPeriodMs, nullptr);
}

void PinpointTick(HWND page) {
    if (!MediaIsOpen()) {
        KillTimer(page, TIMER_PINPOINT);
        return;
    }
    switch (NextPinpointStep(QueryPosition(), s_pinEnd, g_app.repeat == 1)) {
    case PinpointStep::Wait:
        break;
    case PinpointStep::Replay:
        DevicePlayFrom(s_pinStart);
        break;
    case PinpointStep::Stop:
        KillTimer(page, TIMER_PINPOINT);
        DeviceSeekTo(s_pinStart); // a seek stops the device there
        break;
    }
}

void EndPinpoint(HWND page) {
    KillTimer(page, TIMER_PINPOINT);
}

void ShowRepeat(HWND page) {
    CheckDlgButton(page, IDC_TK_REPEAT, g_app.repeat ? BST_CHECKED : BST_UNCHECKED);
}

// The box and the repeat button toggle the one flag; the button tells the page back.
void OnRepeatBox(HWND page) {
    PressButton(SlotRepeat);
    ShowRepeat(page);
}
