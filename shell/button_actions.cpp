#include "shell/button_actions.h"

#include "shell/app_state.h"
#include "shell/registry.h"
#include "shell/side_windows.h"

void OnButtonPressed(int slot, int face) {
    switch (slot) {
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

void OnButtonReleased(int slot) {
    switch (slot) {
    default:
        break;  // the slot's command has no work on the release
    }
}

void ShutDown() {
    // The keys first: everything the run wrote is already in the registry.
    CloseRegistryKeys(g_app.keys);
    if (g_app.openParms.wDeviceID) mciSendCommandW(g_app.openParms.wDeviceID, MCI_CLOSE, 0, 0);
    for (NOTIFYICONDATAW &icon : g_app.tray)
        if (icon.cbSize) Shell_NotifyIconW(NIM_DELETE, &icon);
    if (g_app.mixer) mixerClose(g_app.mixer);
    PostQuitMessage(0);
}
