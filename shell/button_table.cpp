#include "shell/button_table.h"

const ButtonPlacement kButtonPlacements[kButtonCount] = {
    {SlotPlay, L"B_Play", ParentMain, 225, 270, 64, 64},
    {SlotStop, L"B_Stop", ParentMain, 270, 236, 64, 64},
    {SlotPause, L"B_Pause", ParentMain, 295, 196, 64, 64},
    {SlotTrayOpen, L"B_TryOp", ParentMain, 305, 154, 64, 64},
    {SlotTrayClose, L"B_TryCl", ParentMain, 297, 112, 64, 64},
    {SlotFile, L"B_FOpen", ParentMain, 75, 68, 64, 64},
    {SlotMute, L"B_Mute", ParentMain, 175, 301, 30, 30},
    {SlotEnd, L"B_End", ParentMain, 38, 119, 50, 50},
    {SlotNext, L"B_TrSu", ParentMain, 210, 121, 32, 32},
    {SlotPrevious, L"B_TrMo", ParentMain, 170, 121, 32, 32},
    {SlotRecord, L"B_Roc", ParentMain, 125, 43, 32, 32},
    {SlotLeftTab, L"B_LWin", ParentMain, 5, 156, 9, 72},
    {SlotListErase, L"B_LiEl", ParentMain, 310, 93, 32, 32},
    {SlotHomePage, L"B_Brow", ParentMain, 30, 173, 50, 50},
    {SlotRightTab, L"B_RWin", ParentMain, 383, 155, 9, 72},
    {SlotClock, L"B_Toke", ParentMain, 16, 37, 22, 22},
    {SlotCalculator, L"B_Den", ParentMain, 13, 60, 22, 22},
    {SlotPhoto, L"B_Sya", ParentMain, 285, 70, 32, 32},
    {SlotSettings, L"B_Sett", ParentMain, 42, 225, 32, 32},
    {SlotFull, L"B_Full", ParentMain, 259, 50, 32, 32},
    {SlotRepeat, L"B_Retu", ParentRightPanel, 140, 20, 32, 32},
    {SlotContinuous, L"B_Ren", ParentRightPanel, 110, 35, 32, 32},
    {SlotRandom, L"B_Rand", ParentRightPanel, 95, 60, 22, 22},
};

const ButtonPlacement &PlacementOfSlot(int slot) {
    for (const ButtonPlacement &p : kButtonPlacements)
        if (p.slot == slot) return p;
    return kButtonPlacements[0];
}
