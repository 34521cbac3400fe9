// Each entry plays on from where the user left it, across a restart, until Stop or its end.

#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/transport.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"

namespace {

class Resume : public driver::AppTest {};

TEST_F(Resume, AnEntryResumesWhereItWasPausedAfterTheEndUntilItIsStopped) {
    const wchar_t kPositions[] = L"Software\\Mirelo\\Setting\\FilePos";
    for (int i : {0, 1}) {
        const std::wstring path = driver::InTestFolder(L"resume", i ? L"two.wav" : L"fifteen.wav");
        ASSERT_TRUE(driver::WriteWav(path, i ? 3000 : 15000));
        driver::StoreStockEntry(0, i, L"entry", path);
    }
    HWND main = StartApp();
    PressButton(SlotPlay);
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 8), 0);
    PressButton(SlotPause);
    PressButton(SlotEnd);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_NEAR(double(driver::ReadRegistryDword(kPositions, L"Stock0", 0)), 8000.0, 500.0);

    TearDown();
    g_app.hInst = GetModuleHandleW(nullptr);
    main = StartApp();
    EXPECT_EQ(Display().barPos, 8) << "the bar shows it once the entry is loaded";
    PressButton(SlotPlay);
    EXPECT_TRUE(driver::MediaPlaying());
    EXPECT_NEAR(double(QueryPosition()), 8000.0, 500.0);
    // Next keeps the place as well; Previous comes back to it.
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
    PressButton(SlotNext);
    driver::PumpMessages(250);
    EXPECT_NEAR(double(driver::ReadRegistryDword(kPositions, L"Stock0", 0)), 4000.0, 800.0);
    PressButton(SlotPrevious);
    driver::PumpMessages(250);
    EXPECT_NEAR(double(QueryPosition()), 4000.0, 800.0);

    PressButton(SlotStop);
    driver::PumpMessages(300);
    EXPECT_EQ(driver::ReadRegistryDword(kPositions, L"Stock0", 0), 0u) << "a stop forgets it";
    PressButton(SlotPlay);
    EXPECT_LT(QueryPosition(), 500u);

    // A stored place in the last 5 s, or beyond the media, plays from the start.
    for (DWORD stored : {10000u, 60000u}) {
        driver::WriteRegistryValue(kPositions, L"Stock0", REG_DWORD, &stored, 4);
        LoadEntry(0, false);
        EXPECT_EQ(Display().barPos, 0) << stored;
        EXPECT_LT(QueryPosition(), 500u) << stored;
    }
}

}  // namespace
