#include "core/button_table.h"

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

namespace {
const Box kFlat = {0, 15, 64, 55};  // the flattened ellipse of the transport buttons
const Box k64 = {0, 0, 64, 64};
const Box k30 = {0, 0, 30, 30};
const Box k50 = {0, 0, 50, 50};
const Box k34 = {0, 0, 34, 34};
const Box kTab = {0, 0, 9, 72};
}  // namespace

const ButtonArt kButtonArt[kButtonCount] = {
    {SlotPlay, L"Shadow", L"Play_Normal", L"Play_Push", L"Play_Normal.bmp", L"Play_Push.bmp", 64,
     KindMomentary, kFlat, true},
    {SlotStop, L"Shadow", L"Stop_Normal", L"Stop_Push", L"Stop_Nomal.bmp", L"Stop_push.bmp", 64,
     KindMomentary, kFlat, true},
    {SlotPause, L"Shadow", L"Pouse_Normal", L"Pouse_Push", L"Pause_Nomal.bmp", L"Pause_push.bmp",
     64, KindToggle, kFlat, true},
    {SlotTrayOpen, L"Shadow", L"Open_Normal", L"Open_Push", L"Open_Nomal.bmp", L"Open_push.bmp",
     64, KindMomentary, kFlat, true},
    {SlotTrayClose, L"Shadow", L"Close_Normal", L"Close_Push", L"Close_Nomal.bmp",
     L"Close_push.bmp", 64, KindMomentary, kFlat, true},
    {SlotFile, L"File_Shadow", L"File_Normal", L"File_Push", L"File_Nomal.bmp", L"File_push.bmp",
     64, KindMomentary, k64, true},
    {SlotMute, L"Mute_Shadow", L"Mute_Normal", L"Mute_Push", L"Mute_Nomal.bmp", L"Mute_push.bmp",
     64, KindToggle, k30, true},
    {SlotEnd, L"50_SHADOW", L"End_Normal", L"End_Push", L"End_Nomal.bmp", L"End_push.bmp", 64,
     KindFinal, k50, true},
    {SlotPrevious, L"32_Shadow", L"Track_Left_Normal", L"Track_Left_Push",
     L"Track_Left_Nomal.bmp", L"Track_Left_push.bmp", 32, KindMomentary, k34, true},
    {SlotNext, L"32_Shadow", L"Track_Right_Normal", L"Track_Right_Push",
     L"Track_Right_Nomal.bmp", L"Track_Right_push.bmp", 32, KindMomentary, k34, true},
    {SlotRecord, L"32_Shadow", L"Record_Normal", L"Record_Push", L"Record_Nomal.bmp",
     L"Record_push.bmp", 64, KindToggle, k34, true},
    // The repeat button is created with the right side window, after the shapes are set,
    // so it keeps its rectangle.
    {SlotRepeat, L"32_Shadow", L"Return_Normal", L"Return_Push", L"Return_Nomal.bmp",
     L"Return_push.bmp", 64, KindToggle, k34, false},
    {SlotLeftTab, nullptr, L"Setting_Button_Normal", L"Setting_Button_Push",
     L"Setting_Button_Nomal.bmp", L"Setting_Button_push.bmp", 64, KindToggle, kTab, false},
    {SlotContinuous, L"32_Shadow", L"Renzoku_Normal", L"Renzoku_Push", L"Renzoku_Nomal.bmp",
     L"Renzoku_push.bmp", 64, KindToggle, k34, false},
    {SlotListErase, L"32_Shadow", L"Kesi_Normal", L"Kesi_Push", L"Kesi_Nomal.bmp",
     L"Kesi_push.bmp", 32, KindMomentary, k34, false},
    {SlotHomePage, L"50_SHADOW", L"IB_Normal", L"IB_Push", L"IB_Nomal.bmp", L"IB_push.bmp", 64,
     KindMomentary, k50, false},
    {SlotRightTab, nullptr, L"Setting_Button_Normal", L"Setting_Button_Push",
     L"Setting_Button_Nomal.bmp", L"Setting_Button_push.bmp", 64, KindToggle, kTab, false},
    {SlotClock, L"22_Shadow", L"Time_Normal", L"Time_Push", L"Time_Nomal.bmp", L"Time_push.bmp",
     64, KindToggle, k30, false},
    {SlotCalculator, L"22_Shadow", L"Den_Normal", L"Den_Push", L"Den_Nomal.bmp", L"Den_push.bmp",
     64, KindToggle, k30, false},
    {SlotPhoto, L"32_SHADOW", L"Sya_Normal", L"Sya_Push", L"Sya_Nomal.bmp", L"Sya_push.bmp", 32,
     KindMomentary, k34, false},
    {SlotRandom, L"22_Shadow", L"Randam_Normal", L"Randam_Push", L"Randam_Nomal.bmp",
     L"Randam_push.bmp", 64, KindToggle, k30, false},
    {SlotSettings, L"32_Shadow", L"Setting_Normal", L"Setting_Push", L"Setting_Nomal.bmp",
     L"Setting_push.bmp", 64, KindToggle, k34, false},
    {SlotFull, L"32_Shadow", L"Full_Normal", L"Full_Push", L"Full_Nomal.bmp", L"Full_push.bmp",
     64, KindToggle, k34, true},
};

bool BlockedWhilePaused(int slot) {
    switch (slot) {
    case SlotPlay:
    case SlotStop:
    case SlotTrayOpen:
    case SlotTrayClose:
    case SlotPrevious:
    case SlotNext:
    case SlotListErase:
        return true;
    default:
        return false;
    }
}
