#include "ui/shell/media_keys.h"
#include "ui/shell/button_actions.h"

#include "services/cd_tray.h"
#include "services/media_device.h"
#include "services/mixer.h"
#include "services/recorder.h"
#include "ui/shell/recording.h"
#include "services/transport.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/main_window.h"
#include "services/stock_store.h"
#include "ui/playback/playback_window.h"
#include "resources/resource.h"
#include "services/registry.h"
#include "services/texts.h"
#include "ui/shell/window_commands.h"
#include "ui/shell/side_windows.h"
#include "ui/stock/file_dialog.h"
#include "ui/stock/stock_window.h"
#include "services/home_page.h"
#include "ui/settings/settings_dialog.h"
#include "ui/accessories/calculator_window.h"
#include "ui/accessories/clock_window.h"
#include "ui/accessories/photo_capture.h"
#include "ui/accessories/toolkit_page.h"

bool OnButtonPressed(int slot, int face) {
    switch (slot) {
    case SlotPlay:
        OnPlayPressed();
        return true;
    case SlotStop:
        if (g_ui.hPlay) InvalidateRect(g_ui.hPlay, nullptr, TRUE);
        return true;
    case SlotPause:
        OnPauseToggled(face);
        return true;
    case SlotFull:
        ToggleFullSize();
        return true;
    case SlotLeftTab:
        ToggleSidePanel(PanelLeft);
        return true;
    case SlotRightTab:
        ToggleSidePanel(PanelRight);
        return true;
    case SlotRepeat:
        g_app.repeat = face;
        OnRepeatToggled();
        return true;
    case SlotContinuous:
        g_app.continuous = face;
        return true;
    case SlotRandom:
        g_app.random = face;
        return true;
    case SlotSettings:
        if (face) return OpenSettingsDialog();
        // A page's file dialog, folder browser or box disables the dialog beneath it and
        // still works on the page: the dialog stays, and its face shows it open.
        if (g_ui.hSettings && !IsWindowEnabled(g_ui.hSettings)) {
            g_ui.buttonFace[SlotSettings] = 1;
            return true;
        }
        CloseSettingsDialog();
        return true;
    case SlotHomePage:
        OpenHomePage();
        return true;
    case SlotCalculator:
        if (face)
            OpenCalculator();
        else
            CloseCalculator();
        return true;
    case SlotClock:
        if (face)
            OpenClock();
        else
            CloseClock();
        return true;
    case SlotPhoto:
        OnPhotoPressed(g_ui.buttons[SlotPhoto]);
        return true;
    case SlotMute:
        // The face follows the program's mute state, whatever the mixer answers.
        SetMute(face);
        return true;
    case SlotRecord:
        return OnRecordPressed();
    case SlotTrayOpen:
    case SlotTrayClose:
    case SlotFile:
    case SlotPrevious:
    case SlotNext:
    case SlotListErase:
        return true;  // their work is done at the release
    default:
        return false;
    }
}

// The list-erase button: every genre and every thumbnail goes; the loaded media stays,
// rewound to its start.
static void OnListEraseReleased() {
    if (g_ui.hList) SendMessageW(g_ui.hList, LVM_DELETEALLITEMS, 0, 0);
    ClearAllLists();
    Rewind();
    RepaintStatus();
}

void OnButtonReleased(int slot) {
    switch (slot) {
    case SlotStop:
        OnStopReleased();
        break;
    case SlotTrayOpen:
        if (!OpenDefaultTray())
            MessageBoxW(nullptr, LoadProgramText(IDS_ERROR_OCCURRED).c_str(),
                        LoadProgramText(IDS_ERROR_CAPTION).c_str(), MB_OK);
        break;
    case SlotListErase:
        OnListEraseReleased();
        break;
    case SlotTrayClose:
        CloseDefaultTray();
        break;
    case SlotFile:
        OnFileReleased();
        break;
    case SlotPrevious:
        OnPreviousReleased();
        break;
    case SlotNext:
        OnNextReleased();
        break;
    default:
        break;  // the slot's command has no work on the release
    }
}

void ShutDown() {
    UnregisterMediaKeys(g_ui.hMain);
    RememberPosition();
    // The keys first: everything the run wrote is already in the registry.
    CloseRegistryKeys(g_app.keys);
    CloseMedia();
    DeleteAllTrayIcons();
    DiscardTake();  // a take still running is not saved
    CloseMixer();
    PostQuitMessage(0);
}
