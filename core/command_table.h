// Menu and accelerator commands that are performed by pressing a button. Builds natively.
#pragma once

struct CommandPress {
    int command;
    int slot;
};

extern const CommandPress kCommandPresses[];
extern const int kCommandPressCount;

// The slot a command presses, or -1 when the command is not a button press.
int SlotForCommand(int command);

// The magnifier's items: how many pixels each adds to the video's width and height; 0 for the
// item that puts it back to its own size, -1 for any other command.
int ZoomAmountForCommand(int command);

// The destination rectangle (x, y, width, height) that draws a video `amount` pixels larger
// than its window of width x height, centred, so its edges are cut off.
struct DestinationRect {
    int x, y, width, height;
};
DestinationRect MagnifiedDestination(int width, int height, int amount);

enum class WindowAction {
    None,
    MainToTray,
    MainToBar,
    PlaybackToTray,
    PlaybackToBar,
    StockToTray,
    StockToBar,
    AllToTray,
    SkinCute,
    SkinCool,
    SkinUser,
};

// The commands the main window performs itself, apart from button presses and the magnifier.
WindowAction ActionForCommand(int command);
