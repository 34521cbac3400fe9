#include "core/command_table.h"

#include "resources/resource.h"
#include "core/button_table.h"

const CommandPress kCommandPresses[] = {
    {ID_FILE, SlotFile},           {ID_HOME_PAGE, SlotHomePage},
    {ID_PLAY, SlotPlay},           {ID_STOP, SlotStop},
    {ID_PAUSE, SlotPause},         {ID_NEXT, SlotNext},
    {ID_PREVIOUS, SlotPrevious},   {ID_RECORD, SlotRecord},
    {ID_REPEAT, SlotRepeat},       {ID_CONTINUOUS, SlotContinuous},
    {ID_LIST_ERASE, SlotListErase}, {ID_MUTE, SlotMute},
    {ID_TRAY_CLOSE, SlotTrayClose}, {ID_TRAY_OPEN, SlotTrayOpen},
    {ID_RIGHT_WINDOW, SlotRightTab}, {ID_LEFT_WINDOW, SlotLeftTab},
    {ID_LEFT_WINDOW_2, SlotLeftTab}, {ID_FULL, SlotFull},
    {ID_END, SlotEnd},
};
const int kCommandPressCount = sizeof kCommandPresses / sizeof kCommandPresses[0];

int SlotForCommand(int command) {
    for (const CommandPress &c : kCommandPresses)
        if (c.command == command) return c.slot;
    return -1;
}

int ZoomAmountForCommand(int command) {
    if (command >= ID_ZOOM_200 && command <= ID_ZOOM_2000) return (command - ID_ZOOM_200 + 1) * 200;
    if (command >= ID_ZOOM_2200 && command <= ID_ZOOM_3000)
        return 2200 + (command - ID_ZOOM_2200) * 200;
    if (command == ID_ZOOM_ORIGINAL) return 0;
    return -1;
}

DestinationRect MagnifiedDestination(int width, int height, int amount) {
    return DestinationRect{-amount / 2, -amount / 2, width + amount, height + amount};
}

WindowAction ActionForCommand(int command) {
    switch (command) {
    case ID_MAIN_TO_TRAY:
        return WindowAction::MainToTray;
    case ID_MAIN_TO_BAR:
        return WindowAction::MainToBar;
    case ID_PLAY_TO_TRAY:
        return WindowAction::PlaybackToTray;
    case ID_PLAY_TO_BAR:
        return WindowAction::PlaybackToBar;
    case ID_STOCK_TO_TRAY:
        return WindowAction::StockToTray;
    case ID_STOCK_TO_BAR:
        return WindowAction::StockToBar;
    case ID_ALL_TO_TRAY:
        return WindowAction::AllToTray;
    case ID_SKIN_CUTE:
        return WindowAction::SkinCute;
    case ID_SKIN_COOL:
        return WindowAction::SkinCool;
    case ID_SKIN_USER:
        return WindowAction::SkinUser;
    default:
        return WindowAction::None;
    }
}
