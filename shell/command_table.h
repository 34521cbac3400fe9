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
