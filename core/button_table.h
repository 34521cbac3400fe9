// The 23 skinned button slots and where each one sits by default.
#pragma once

#include "core/settings_record.h"

enum ButtonSlot : int {
    SlotPlay = 0,
    SlotStop = 1,
    SlotPause = 2,
    SlotTrayOpen = 3,
    SlotTrayClose = 4,
    SlotFile = 5,
    SlotMute = 6,
    SlotEnd = 7,
    SlotPrevious = 8,
    SlotNext = 9,
    SlotRecord = 10,
    SlotRepeat = 11,
    SlotLeftTab = 12,
    SlotContinuous = 13,
    SlotListErase = 14,
    SlotHomePage = 15,
    SlotRightTab = 16,
    SlotClock = 17,
    SlotCalculator = 18,
    SlotPhoto = 19,
    SlotRandom = 20,
    SlotSettings = 21,
    SlotFull = 22,
};

enum ButtonParent : int { ParentMain, ParentRightPanel };

struct ButtonPlacement {
    int slot;
    const wchar_t *stem;  // registry values are stem + "0" (x) and stem + "1" (y)
    ButtonParent parent;
    int x, y;  // default position inside the parent
    int width, height;
};

// In registry order, which is also the order the settings are loaded in.
extern const ButtonPlacement kButtonPlacements[kButtonCount];

const ButtonPlacement &PlacementOfSlot(int slot);

enum ButtonKind { KindMomentary, KindToggle, KindFinal };

struct Box {
    int left, top, right, bottom;
};

struct ButtonArt {
    int slot;
    const wchar_t *mask;  // null: copied without a mask (the two tab buttons)
    const wchar_t *normal, *push;          // program resources
    const wchar_t *normalFile, *pushFile;  // files of the user-defined skin
    int area;                              // drawn square, from the top-left corner
    ButtonKind kind;
    Box repaint;  // repainted (without erase) after a press; also the shape's bounds
    bool shaped;  // the window is clipped to the ellipse in `repaint`
};

// Indexed by slot.
extern const ButtonArt kButtonArt[kButtonCount];

// Slots whose press is ignored entirely while playback is paused (the face does not change).
bool BlockedWhilePaused(int slot);
