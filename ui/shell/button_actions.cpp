#include "shell/button_actions.h"

#include "audio/cd_tray.h"
#include "playback/media_device.h"
#include "playback/transport.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "stock/stock_store.h"
#include "shell/playback_window.h"
#include "shell/registry.h"
#include "shell/side_windows.h"
#include "stock/add_files.h"

void OnButtonPressed(int slot, int face) {
    switch (slot) {
    case SlotPlay:
        OnPlayPressed();
        break;
    case SlotStop:
        OnStopPressed();
        break;
    case SlotPause:
        OnPauseToggled(face);
        break;
    case SlotFull:
        ToggleFullSize();
        break;
    case SlotLeftTab:
        ToggleSidePanel(PanelLeft);
        break;
    case SlotRightTab:
        ToggleSidePanel(PanelRight);
        break;
    case SlotRepeat:
        g_app.repeat = face;
        break;
    case SlotContinuous:
        g_app.continuous = face;
        break;
    case SlotRandom:
        g_app.random = face;
        break;
    default:
        break;  // the slot's command has no work on the press
    }
}

// The list-erase button: every genre and every thumbnail goes; the loaded media stays,
// rewound to its start.
static void OnListEraseReleased() {
    if (g_app.hList) SendMessageW(g_app.hList, LVM_DELETEALLITEMS, 0, 0);
    ClearAllLists();
    SeekToStart();
    SeekToStart();
    if (g_app.hMain) InvalidateRect(g_app.hMain, &kStatusRect, FALSE);
}

void OnButtonReleased(int slot) {
    switch (slot) {
    case SlotStop:
        OnStopReleased();
        break;
    case SlotTrayOpen:
        OnTrayOpenReleased();
        break;
    case SlotListErase:
        OnListEraseReleased();
        break;
    case SlotTrayClose:
        OnTrayCloseReleased();
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
    // The keys first: everything the run wrote is already in the registry.
    CloseRegistryKeys(g_app.keys);
    CloseMedia();
    for (NOTIFYICONDATAW &icon : g_app.tray)
        if (icon.cbSize) Shell_NotifyIconW(NIM_DELETE, &icon);
    if (g_app.mixer) mixerClose(g_app.mixer);
    PostQuitMessage(0);
}
