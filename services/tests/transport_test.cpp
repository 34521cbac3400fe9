// Playback on the real windows with real media: the transport, the play modes at the end of
// an entry, previous and next, and the video window's place.
#include <gtest/gtest.h>

#include "services/media_device.h"
#include "services/transport.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/playback/playback_window.h"
#include "ui/stock/stock_window.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

std::wstring InFolder(const wchar_t *name) {
    return driver::InTestFolder(L"transport", name);
}

class Transport : public driver::AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        // Three short entries of different lengths, so each one is recognisable.
        const wchar_t *names[] = {L"one.wav", L"two.wav", L"three.wav"};
        const int lengths[] = {900, 1100, 1300};
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(driver::WriteWav(InFolder(names[i]), lengths[i]));
            driver::StoreStockEntry(0, i, names[i], InFolder(names[i]));
        }
        g_app.nPlayLimiter = 40;
    }

    // Pumps until `done` holds or the time runs out; notes every entry that starts playing.
    template <class Done> bool RunUntil(Done done, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            driver::PumpMessages(10);
            const std::wstring path = g_app.currentPath;
            if (driver::MediaPlaying() && (played.empty() || played.back() != path)) played.push_back(path);
            if (done()) return true;
        }
        return false;
    }

    std::vector<std::wstring> played;
};

TEST_F(Transport, TheFirstEntryWaitsLoadedAndTheButtonsMoveWithinTheGenre) {
    StartApp();
    EXPECT_EQ(std::wstring(g_app.currentPath), InFolder(L"one.wav"));
    EXPECT_EQ(g_app.counts[0], 3);
    EXPECT_STREQ(Display().currentNumberText, L"[1]");
    EXPECT_STREQ(Display().totalNumberText, L"[3]");
    EXPECT_FALSE(driver::MediaPlaying()) << "loaded at start, not played";
    EXPECT_TRUE(MediaIsOpen()) << "device " << MediaIsOpen();
    EXPECT_NEAR(double(MediaLengthMs()), 900.0, 50.0);
    EXPECT_EQ(Display().barMax, 0) << "900 ms is 0 whole seconds";

    PressButton(SlotPrevious);
    driver::PumpMessages(250);
    EXPECT_EQ(g_app.currentItem, 0) << "previous at the first";
    EXPECT_FALSE(driver::MediaPlaying());

    // Without a mode, playback stops at the start of the entry.
    PressButton(SlotPlay);
    ASSERT_TRUE(RunUntil([] { return !driver::MediaPlaying() && Display().barPos == 0; }, 6000));
    driver::PumpMessages(300);
    EXPECT_FALSE(driver::MediaPlaying()) << "no mode: stopped";
    EXPECT_EQ(std::wstring(g_app.currentPath), InFolder(L"one.wav"));
    EXPECT_LT(QueryPosition(), 100u);

    const int expected[] = {1, 2, 2, 1};  // next, next, next at the last, previous
    for (int k = 0; k < 4; ++k) {
        PressButton(k < 3 ? SlotNext : SlotPrevious);
        driver::PumpMessages(250);
        ASSERT_EQ(g_app.currentItem, expected[k]) << "step " << k;
        EXPECT_EQ(std::wstring(g_app.currentPath),
                  InFolder(expected[k] == 1 ? L"two.wav" : L"three.wav")) << "step " << k;
        EXPECT_TRUE(driver::MediaPlaying()) << "step " << k;
    }

    // Repeat alone replays the same entry: seen near its end, then playing near its start.
    PressButton(SlotRepeat);
    bool nearEnd = false;
    ASSERT_TRUE(RunUntil(
        [&] {
            const DWORD now = QueryPosition();
            nearEnd = nearEnd || now >= 800;
            return nearEnd && now < 400 && driver::MediaPlaying();
        },
        8000));
    EXPECT_EQ(std::wstring(g_app.currentPath), InFolder(L"two.wav"));
    EXPECT_EQ(g_app.currentItem, 1);
    EXPECT_TRUE(driver::MediaPlaying());
}

TEST_F(Transport, ContinuousPlaysEachEntryInTurnRestsAtTheLastAndWrapsWithRepeat) {
    StartApp();
    PressButton(SlotContinuous);
    PressButton(SlotPlay);
    ASSERT_TRUE(RunUntil(
        [] {
            return g_app.currentItem == 2 && !driver::MediaPlaying() && Display().barPos == 0 &&
                   lstrcmpW(Display().positionText, L" 0 秒") == 0;
        },
        15000));
    const std::vector<std::wstring> expected = {InFolder(L"one.wav"), InFolder(L"two.wav"),
                                                InFolder(L"three.wav")};
    EXPECT_EQ(played, expected);
    EXPECT_LT(QueryPosition(), 100u);

    // At rest on the last entry nothing plays, whatever is switched on now.
    PressButton(SlotRepeat);
    PressButton(SlotRandom);
    driver::PumpMessages(600);
    EXPECT_FALSE(driver::MediaPlaying()) << "a mode change at rest waits for the next end";
    EXPECT_EQ(g_app.currentItem, 2);

    // Continuous with repeat: after the last, the first.
    PressButton(SlotRandom);
    played.clear();
    PressButton(SlotPlay);
    ASSERT_TRUE(RunUntil([this] { return played.size() >= 2; }, 10000));
    EXPECT_EQ(played[0], InFolder(L"three.wav"));
    EXPECT_EQ(played[1], InFolder(L"one.wav"));
    EXPECT_EQ(g_app.currentItem, 0);
}

// One long entry through pause, the position bar, stop, a pause ended from the list, and a
// file added while it plays.
TEST_F(Transport, PauseTheBarAndStopActOnTheDevice) {
    ASSERT_TRUE(driver::WriteWav(InFolder(L"long.wav"), 4000));
    driver::StoreStockEntry(0, 0, L"long.wav", InFolder(L"long.wav"));
    driver::StoreStockEntry(0, 1, L"long.wav", InFolder(L"long.wav"));
    HWND main = StartApp();
    EXPECT_EQ(Display().barMax, 4);
    PressButton(SlotPlay);
    ASSERT_TRUE(RunUntil([] { return Display().barPos >= 1 && QueryPosition() > 1300; }, 6000));
    PressButton(SlotPause);
    EXPECT_EQ(g_app.paused, 1);
    driver::PumpMessages(200);
    EXPECT_FALSE(driver::MediaPlaying()) << "paused";
    PressButton(SlotStop);
    EXPECT_EQ(g_ui.buttonFace[SlotStop], 0) << "Stop does nothing while paused";
    PressButton(SlotPause);
    EXPECT_EQ(g_app.paused, 0);
    EXPECT_TRUE(driver::MediaPlaying());
    const DWORD resumedAt = QueryPosition();
    EXPECT_GE(resumedAt, 1000u);
    EXPECT_LT(resumedAt, 1250u) << "played again from the whole second the bar showed";

    // While it plays, every thumb-track message moves the playback.
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 2), 0);
    EXPECT_TRUE(driver::MediaPlaying());
    EXPECT_NEAR(double(QueryPosition()), 2000.0, 150.0);
    EXPECT_EQ(Display().barPos, 2);
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), 0);
    EXPECT_NEAR(double(QueryPosition()), 1000.0, 150.0);
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_LEFT, 0), 0);
    EXPECT_LT(QueryPosition(), 150u);
    // One line left at 0 asks for -1 s: refused, and the real position is read back.
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), 0);
    EXPECT_LT(QueryPosition(), 150u);
    EXPECT_EQ(Display().barPos, 0);
    // The end of a drag moves nothing: the bar just follows the device, still near the start.
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    EXPECT_LE(Display().barPos, 1);

    ASSERT_TRUE(RunUntil([] { return QueryPosition() > 600; }, 5000));
    PressButton(SlotStop);
    driver::PumpMessages(300);
    EXPECT_FALSE(driver::MediaPlaying());
    EXPECT_LT(QueryPosition(), 100u) << "stop rewinds";
    EXPECT_STREQ(Display().positionText, L" 0 秒");
    EXPECT_EQ(Display().barPos, 0);
    lstrcpyW(Display().currentNumberText, L"-");
    driver::PumpMessages(200);
    EXPECT_STREQ(Display().currentNumberText, L"-") << "the progress tick has stopped";
    PressButton(SlotPlay);
    EXPECT_TRUE(driver::MediaPlaying()) << "the media stays loaded";

    PressButton(SlotPause);
    ASSERT_EQ(g_app.paused, 1);
    PlayEntry(1);
    EXPECT_EQ(g_app.paused, 0) << "playing an entry from the list ends a pause";
    EXPECT_EQ(g_ui.buttonFace[SlotPause], 0);
    ASSERT_TRUE(RunUntil([] { return Display().barPos >= 1; }, 4000)) << "the bar follows it";
    EXPECT_TRUE(driver::MediaPlaying());

    // While the progress runs in a mode that plays on, a shorter file comes in as the File
    // button and a drop bring it: loaded, not played.
    PressButton(SlotContinuous);
    PressButton(SlotRepeat);
    ASSERT_TRUE(driver::WriteWav(InFolder(L"short.wav"), 700));
    AddFilesAndShow({ChosenFile{InFolder(L"short.wav"), L"short.wav"}});
    driver::PumpMessages(600);
    EXPECT_FALSE(driver::MediaPlaying());
    EXPECT_EQ(MediaPath(), InFolder(L"short.wav"));
}

TEST_F(Transport, AnEntryResumesWhereItWasPausedAfterTheEndUntilItIsStopped) {
    const wchar_t kPositions[] = L"Software\\Mirelo\\Setting\\FilePos";
    ASSERT_TRUE(driver::WriteWav(InFolder(L"fifteen.wav"), 15000));
    driver::StoreStockEntry(0, 0, L"fifteen.wav", InFolder(L"fifteen.wav"));
    HWND main = StartApp();
    PressButton(SlotPlay);
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 8), 0);
    PressButton(SlotPause);
    PressButton(SlotEnd);
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_NEAR(double(driver::ReadRegistryDword(kPositions, L"Stock0", 0)), 8000.0, 500.0);

    AppTest::TearDown();
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

TEST_F(Transport, AStoredPathTooLongForTheProgramIsNotOpenedCut) {
    // The 259 characters the program could hold name a real file; the stored path is longer.
    std::wstring cut = InFolder(L"");
    cut += std::wstring(259 - cut.size() - 4, L'x') + L".wav";
    ASSERT_EQ(cut.size(), 259u);
    ASSERT_TRUE(driver::WriteWav(cut, 900));
    driver::StoreStockEntry(0, 1, L"long name", cut + L"-and-more.wav");
    StartApp();
    LoadEntry(1, true);
    EXPECT_FALSE(MediaIsOpen());
    EXPECT_NE(MediaPath(), cut);
    DeleteFileW(cut.c_str());
}

TEST_F(Transport, AnMpegVideoShowsAboveTheStockListAndFillsTheWindowInFullSize) {
    driver::StoreStockEntry(0, 0, L"video", driver::MadeMedia(L"clip.mpg"));
    StartApp();
    HWND video = MediaVideoWindow();
    ASSERT_TRUE(g_ui.hPlay && video) << "no video window";
    auto inPlaybackWindow = [video] {
        RECT r;
        GetWindowRect(video, &r);
        MapWindowPoints(nullptr, g_ui.hPlay, reinterpret_cast<POINT *>(&r), 2);
        return r;
    };
    // The device's process moves its window when it gets to the request.
    auto placedAt = [&](LONG left) {
        driver::PumpUntil([&] { return inPlaybackWindow().left == left; }, 2000);
        return inPlaybackWindow();
    };
    RECT client, stock;
    GetClientRect(g_ui.hPlay, &client);
    GetClientRect(g_ui.hStock, &stock);
    RECT r = placedAt(8);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 8);
    EXPECT_EQ(r.right - r.left, client.right - 16);
    EXPECT_EQ(r.bottom - r.top, client.bottom - stock.bottom - 16);

    PressButton(SlotFull);
    EXPECT_EQ(g_ui.fullSize, 1);
    EXPECT_EQ(g_ui.buttonFace[SlotFull], 1);
    EXPECT_FALSE(IsWindowVisible(g_ui.hStock));
    GetClientRect(g_ui.hPlay, &client);
    r = placedAt(0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);

    // A double-click on the video is the Full button too.
    SendMessageW(video, WM_LBUTTONDBLCLK, 0, 0);
    driver::PumpMessages(100);  // the video window asks the playback window
    EXPECT_EQ(g_ui.fullSize, 0);
    EXPECT_TRUE(IsWindowVisible(g_ui.hStock));
}

} // namespace
