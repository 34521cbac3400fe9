// The side windows on the real main window: slide out, slide back, reverse, follow a move.

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"

namespace {

class SideWindows : public driver::AppTest {
  protected:
    void WaitForSlide(const int &slide, int target) {
        driver::PumpUntil([&] { return slide == target; }, 10000);
    }
    static RECT Rect(HWND w) {
        RECT r = {};
        GetWindowRect(w, &r);
        return r;
    }
};

TEST_F(SideWindows, TabsSlideTheWindowsOutAndBackAMidSlidePressReversesAndADragHidesThem) {
    HWND main = StartApp();
    const RECT m = Rect(main);

    PressButton(SlotLeftTab);
    SendMessageW(main, WM_COMMAND, ID_RIGHT_WINDOW, 0);  // the menu command presses the tab
    EXPECT_EQ(g_ui.buttonFace[SlotLeftTab] + g_ui.buttonFace[SlotRightTab], 2);
    WaitForSlide(g_ui.left.slide, 223);
    WaitForSlide(g_ui.right.slide, -223);
    EXPECT_TRUE(IsWindowVisible(g_ui.hLeftPanel));
    EXPECT_EQ(Rect(g_ui.hLeftPanel).left, m.left - 221);
    EXPECT_EQ(Rect(g_ui.hLeftPanel).top, m.top + 100);
    EXPECT_EQ(Rect(g_ui.hRightPanel).left, m.left + 339);

    PressButton(SlotLeftTab);
    EXPECT_EQ(g_ui.buttonFace[SlotLeftTab], 0);
    WaitForSlide(g_ui.left.slide, -21);
    EXPECT_FALSE(IsWindowVisible(g_ui.hLeftPanel));
    EXPECT_EQ(Rect(g_ui.hLeftPanel).left, m.left + 19);

    // A second press mid-slide reverses from where it is.
    PressButton(SlotLeftTab);
    driver::PumpUntil([] { return g_ui.left.slide >= 60; }, 1000);
    const int reached = g_ui.left.slide;
    ASSERT_TRUE(reached > 20 && reached < 222) << reached;
    PressButton(SlotLeftTab);
    driver::PumpMessages(30);
    // It went back from where it was: never past `reached` + one step, never restarted.
    EXPECT_LE(g_ui.left.slide, reached + 2);
    EXPECT_GT(g_ui.left.slide, -21);
    WaitForSlide(g_ui.left.slide, -21);
    EXPECT_FALSE(IsWindowVisible(g_ui.hLeftPanel));

    // Dragging the body hides the open right window; the move's end puts it back.
    ASSERT_TRUE(IsWindowVisible(g_ui.hRightPanel));
    SendMessageW(main, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 250));
    // The press handed the move to the platform; no mouse is held here, so take that
    // request off the queue instead of entering the move loop.
    MSG move;
    EXPECT_TRUE(PeekMessageW(&move, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(move.wParam, WPARAM(HTCAPTION));
    EXPECT_FALSE(IsWindowVisible(g_ui.hRightPanel));
    EXPECT_EQ(g_ui.right.open, 1) << "hidden for the move, still open";
    // The platform's move loop would run here; move the window and end the move.
    SetWindowPos(main, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(main, WM_EXITSIZEMOVE, 0, 0);
    driver::PumpMessages(20);
    EXPECT_TRUE(IsWindowVisible(g_ui.hRightPanel));
    // Re-attached at the final offset, one step beyond where the slide last placed it.
    EXPECT_EQ(Rect(g_ui.hRightPanel).left, 50 + 223 + 118);
    EXPECT_EQ(Rect(g_ui.hRightPanel).top, 60 + 100);
}

TEST_F(SideWindows, ShapedButtonsToggleReleaseAndTakeAQuickSecondClick) {
    HWND main = StartApp();
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(main, r), ERROR);
    EXPECT_FALSE(PtInRegion(r, 395, 2)) << "top-right corner is cut";
    ASSERT_NE(GetWindowRgn(g_ui.buttons[SlotPlay], r), ERROR);
    EXPECT_FALSE(PtInRegion(r, 32, 5));
    EXPECT_EQ(GetWindowRgn(g_ui.buttons[SlotRepeat], r), ERROR) << "created after the shapes";
    DeleteObject(r);

    for (int slot : {SlotRepeat, SlotContinuous, SlotRandom}) PressButton(slot);
    EXPECT_EQ(g_app.repeat + g_app.continuous + g_app.random, 3);
    // A double click is two presses: the toggle is back off.
    HWND button = g_ui.buttons[SlotContinuous];
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(button, WM_LBUTTONUP, 0, 0);
    SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_EQ(g_app.continuous + g_ui.buttonFace[SlotContinuous], 2) << "two presses from on";

    // Momentary buttons go back on their own timer. (Not the File button: its release opens
    // the file dialog.)
    PressButton(SlotNext);
    PressButton(SlotTrayClose);
    EXPECT_EQ(g_ui.buttonFace[SlotNext], 1);
    EXPECT_TRUE(driver::PumpUntil(
        [] { return g_ui.buttonFace[SlotNext] + g_ui.buttonFace[SlotTrayClose] == 0; }, 1000));

    // While paused the blocked buttons ignore presses; the play-mode toggles do not.
    PressButton(SlotRepeat);
    g_app.paused = 1;
    for (int slot : {SlotPlay, SlotListErase, SlotTrayOpen, SlotTrayClose}) {
        PressButton(slot);
        EXPECT_EQ(g_ui.buttonFace[slot], 0) << slot;
    }
    PressButton(SlotRepeat);
    EXPECT_EQ(g_ui.buttonFace[SlotRepeat], 1) << "a play-mode toggle while paused";
}

}  // namespace
