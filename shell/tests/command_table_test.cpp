#include <gtest/gtest.h>

#include "audio/cd_commands.h"
#include "resources/resource.h"
#include "shell/button_table.h"
#include "shell/command_table.h"

namespace {

TEST(Commands, MenuAndAcceleratorCommandsPressTheOwningButton) {
    const std::pair<int, int> presses[] = {
        {40105, SlotFile},       {40116, SlotHomePage},   {40043, SlotPlay},
        {40044, SlotStop},       {40045, SlotPause},      {40048, SlotNext},
        {40050, SlotPrevious},   {40051, SlotRecord},     {40069, SlotRepeat},
        {40108, SlotContinuous}, {40113, SlotListErase},  {40052, SlotMute},
        {40047, SlotTrayClose},  {40046, SlotTrayOpen},   {32884, SlotRightTab},
        {32885, SlotLeftTab},    {40053, SlotLeftTab},    {40020, SlotFull},
        {40011, SlotEnd},
    };
    for (const auto &p : presses) EXPECT_EQ(SlotForCommand(p.first), p.second) << p.first;
    EXPECT_EQ(kCommandPressCount, int(sizeof presses / sizeof presses[0]));
}

TEST(Commands, TheWindowCommandsAndThoseThatDoNothing) {
    const std::pair<int, WindowAction> actions[] = {
        {40013, WindowAction::MainToTray},     {40014, WindowAction::MainToBar},
        {40101, WindowAction::PlaybackToTray}, {40017, WindowAction::PlaybackToBar},
        {40075, WindowAction::StockToTray},    {40076, WindowAction::StockToBar},
        {40123, WindowAction::AllToTray},      {32914, WindowAction::SkinCute},
        {32915, WindowAction::SkinCool},       {32917, WindowAction::SkinUser},
    };
    for (const auto &a : actions) {
        EXPECT_EQ(ActionForCommand(a.first), a.second) << a.first;
        EXPECT_EQ(SlotForCommand(a.first), -1) << a.first;
    }
    // Shift+R and Alt+K send commands the main window does not handle.
    for (int ignored : {40024, 40041, 12345}) {
        EXPECT_EQ(SlotForCommand(ignored), -1);
        EXPECT_EQ(ActionForCommand(ignored), WindowAction::None);
        EXPECT_EQ(ZoomAmountForCommand(ignored), -1);
        EXPECT_EQ(DriveIndexOfCommand(ignored), -1);
    }
}

TEST(Magnifier, AmountsOfEveryItem) {
    const int ids[] = {32931, 32932, 32933, 32934, 32935, 32936, 32937, 32938,
                       32939, 32940, 32948, 32949, 32950, 32951, 32952};
    for (int i = 0; i < 15; ++i) EXPECT_EQ(ZoomAmountForCommand(ids[i]), 200 * (i + 1)) << ids[i];
    EXPECT_EQ(ZoomAmountForCommand(32941), 0);
    EXPECT_EQ(ZoomAmountForCommand(32947), -1);
}

TEST(Magnifier, TheVideoGrowsAroundItsCentre) {
    const DestinationRect d = MagnifiedDestination(519, 300, 200);
    EXPECT_EQ(d.x, -100);
    EXPECT_EQ(d.y, -100);
    EXPECT_EQ(d.width, 719);
    EXPECT_EQ(d.height, 500);
    const DestinationRect same = MagnifiedDestination(519, 300, 0);
    EXPECT_EQ(same.x, 0);
    EXPECT_EQ(same.width, 519);
}

TEST(CdTray, DriveItemsAndCommandStrings) {
    EXPECT_EQ(DriveItemLabel(3), L"D ドライブ");
    EXPECT_EQ(OpenDriveCommand(3), L"open D:\\ type cdaudio alias cdrom");
    EXPECT_EQ(DriveCommand(0), 550);
    EXPECT_EQ(DriveCommand(3), 553);
    EXPECT_EQ(DriveCommand(25), 575);
    EXPECT_EQ(DriveIndexOfCommand(554), 4);
    EXPECT_EQ(DriveIndexOfCommand(549), -1);
    EXPECT_EQ(DriveIndexOfCommand(576), -1);
    EXPECT_EQ(DriveLetter(26), L"");
}

}  // namespace
