#include "shell/command_table.h"

#include "resources/resource.h"
#include "shell/button_table.h"

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
