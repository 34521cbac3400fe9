// The transport on real media without windows: its view is a plain record of what it asked
// for, and the progress tick runs by hand while that view's timer is on.

#include "services/add_files.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/registry.h"
#include "services/stock_store.h"
#include "services/transport.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"

namespace {

std::wstring InFolder(const wchar_t *name) { return driver::InTestFolder(L"transport", name); }

bool g_timer;          // the progress timer the view was told to run
int g_pauseCleared;    // times the view was told the Pause face goes back

class Transport : public testing::Test {
  protected:
    void SetUp() override {
        driver::DeleteProgramRegistry();
        ResetAppState();
        g_timer = false;
        g_pauseCleared = 0;
        SetTransportView({nullptr, nullptr, nullptr, nullptr, [](bool run) { g_timer = run; },
                          [] { ++g_pauseCleared; }});
        // Three short entries of different lengths, so each one is recognisable.
        const wchar_t *names[] = {L"one.wav", L"two.wav", L"three.wav"};
        const int lengths[] = {600, 700, 800};
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(driver::WriteWav(InFolder(names[i]), lengths[i]));
            driver::StoreStockEntry(0, i, names[i], InFolder(names[i]));
        }
        g_app.nPlayLimiter = 40;
    }
    void TearDown() override {
        CloseMedia();
        SetTransportView({});
        CloseRegistryKeys(g_app.keys);
        ResetAppState();
    }
    // The genre's first entry loaded as at start-up.
    void Start() {
        OpenRegistryKeys(g_app.keys);
        LoadGenre(0);
        StartupLoad(nullptr);
        FinishOpeningAhead();
    }

    // Ticks as the timer would until `done` holds or the time runs out; notes every entry
    // that starts playing.
    template <class Done> bool RunUntil(Done done, DWORD timeoutMs) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
            driver::PumpMessages(g_app.nPlayLimiter);
            if (g_timer) ProgressTick();
            const std::wstring path = g_app.currentPath;
            if (driver::MediaPlaying() && (played.empty() || played.back() != path)) played.push_back(path);
            if (done()) return true;
        }
        return false;
    }

    std::vector<std::wstring> played;
};

TEST_F(Transport, TheFirstEntryWaitsLoadedAndTheButtonsMoveWithinTheGenre) {
    Start();
    EXPECT_EQ(std::wstring(g_app.currentPath), InFolder(L"one.wav"));
    EXPECT_EQ(std::wstring(Display().currentNumberText) + Display().totalNumberText, L"[1][3]");
    EXPECT_FALSE(driver::MediaPlaying()) << "loaded at start, not played";
    EXPECT_NEAR(double(MediaLengthMs()), 600.0, 50.0);
    EXPECT_EQ(Display().barMax, 0) << "600 ms is 0 whole seconds";

    OnPreviousReleased();
    EXPECT_EQ(g_app.currentItem, 0) << "previous at the first";
    EXPECT_FALSE(driver::MediaPlaying());

    // Without a mode, playback stops at the start of the entry.
    OnPlayPressed();
    EXPECT_TRUE(g_timer);
    ASSERT_TRUE(RunUntil([] { return !g_timer; }, 6000));
    EXPECT_FALSE(driver::MediaPlaying()) << "no mode: stopped";
    EXPECT_TRUE(Display().barPos == 0 && QueryPosition() < 100u && g_app.currentItem == 0);

    const int expected[] = {1, 2, 2, 1};  // next, next, next at the last, previous
    for (int k = 0; k < 4; ++k) {
        k < 3 ? OnNextReleased() : OnPreviousReleased();
        ASSERT_EQ(g_app.currentItem, expected[k]) << "step " << k;
        EXPECT_EQ(g_app.currentPath, InFolder(expected[k] == 1 ? L"two.wav" : L"three.wav")) << k;
        EXPECT_TRUE(driver::MediaPlaying()) << "step " << k;
    }

    // Repeat alone replays the same entry: seen near its end, then playing near its start.
    g_app.repeat = 1;
    bool nearEnd = false;
    ASSERT_TRUE(RunUntil([&] {
        const DWORD now = QueryPosition();
        nearEnd = nearEnd || now >= 550;
        return nearEnd && now < 300 && driver::MediaPlaying();
    }, 8000));
    EXPECT_EQ(g_app.currentItem, 1) << "repeat plays the same entry again";
}

TEST_F(Transport, ContinuousPlaysEachEntryInTurnRestsAtTheLastAndWrapsWithRepeat) {
    Start();
    g_app.continuous = 1;
    OnPlayPressed();
    ASSERT_TRUE(RunUntil([] {
        return g_app.currentItem == 2 && !driver::MediaPlaying() && Display().barPos == 0 &&
               lstrcmpW(Display().positionText, L" 0 秒") == 0;
    }, 15000));
    EXPECT_EQ(played, (std::vector<std::wstring>{InFolder(L"one.wav"), InFolder(L"two.wav"), InFolder(L"three.wav")}));
    EXPECT_LT(QueryPosition(), 100u);
    // At rest on the last entry nothing plays, whatever is switched on now.
    g_app.repeat = g_app.random = 1;
    RunUntil([] { return driver::MediaPlaying(); }, 300);
    EXPECT_FALSE(driver::MediaPlaying());
    EXPECT_EQ(g_app.currentItem, 2);

    // Continuous with repeat: after the last, the first.
    g_app.random = 0;
    played.clear();
    OnPlayPressed();
    ASSERT_TRUE(RunUntil([this] { return played.size() >= 2; }, 10000));
    EXPECT_TRUE(played[0] == InFolder(L"three.wav") && played[1] == InFolder(L"one.wav"));
    EXPECT_EQ(g_app.currentItem, 0);
}

// One long entry through pause, the position bar, stop, a pause ended from the list, and a
// file added while it plays.
TEST_F(Transport, PauseTheBarAndStopActOnTheDevice) {
    ASSERT_TRUE(driver::WriteWav(InFolder(L"long.wav"), 4000));
    driver::StoreStockEntry(0, 0, L"long.wav", InFolder(L"long.wav"));
    driver::StoreStockEntry(0, 1, L"long.wav", InFolder(L"long.wav"));
    Start();
    EXPECT_EQ(Display().barMax, 4);
    OnPlayPressed();
    ASSERT_TRUE(RunUntil([] { return Display().barPos >= 1 && QueryPosition() > 1300; }, 6000));
    OnPauseToggled(1);
    EXPECT_FALSE(driver::MediaPlaying()) << "paused";
    OnPauseToggled(0);
    EXPECT_TRUE(driver::MediaPlaying());
    const DWORD resumedAt = QueryPosition();
    EXPECT_GE(resumedAt, 1000u);
    EXPECT_LT(resumedAt, 1250u) << "played again from the whole second the bar showed";

    // While it plays, every thumb-track message moves the playback.
    OnPositionScroll(SB_THUMBTRACK, 2);
    EXPECT_TRUE(driver::MediaPlaying());
    EXPECT_NEAR(double(QueryPosition()), 2000.0, 150.0);
    EXPECT_EQ(Display().barPos, 2);
    OnPositionScroll(SB_LINELEFT, 0);
    EXPECT_NEAR(double(QueryPosition()), 1000.0, 150.0);
    OnPositionScroll(SB_LEFT, 0);
    EXPECT_LT(QueryPosition(), 150u);
    // One line left at 0 asks for -1 s: refused, and the real position is read back.
    OnPositionScroll(SB_LINELEFT, 0);
    EXPECT_TRUE(QueryPosition() < 150u && Display().barPos == 0);
    // The end of a drag moves nothing: the bar just follows the device, still near the start.
    OnPositionScroll(SB_ENDSCROLL, 0);
    EXPECT_LE(Display().barPos, 1);

    ASSERT_TRUE(RunUntil([] { return QueryPosition() > 300; }, 5000));
    OnStopReleased();
    EXPECT_FALSE(g_timer) << "the progress tick has stopped";
    EXPECT_FALSE(driver::MediaPlaying());
    EXPECT_TRUE(QueryPosition() < 100u && Display().barPos == 0) << "stop rewinds";
    EXPECT_STREQ(Display().positionText, L" 0 秒");
    OnPlayPressed();
    EXPECT_TRUE(driver::MediaPlaying()) << "the media stays loaded";

    OnPauseToggled(1);
    PlayEntry(1);
    EXPECT_EQ(g_app.paused, 0) << "playing an entry from the list ends a pause";
    EXPECT_EQ(g_pauseCleared, 1);
    EXPECT_TRUE(g_timer) << "the bar follows it";
    EXPECT_TRUE(driver::MediaPlaying());

    // While the progress runs in a mode that plays on, a shorter file added (as the File
    // button and a drop do) is loaded, not played.
    g_app.continuous = g_app.repeat = 1;
    ASSERT_TRUE(driver::WriteWav(InFolder(L"short.wav"), 700));
    AddFiles({ChosenFile{InFolder(L"short.wav"), L"short.wav"}});
    RunUntil([] { return driver::MediaPlaying(); }, 600);
    EXPECT_FALSE(driver::MediaPlaying());
    EXPECT_EQ(MediaPath(), InFolder(L"short.wav"));
}

TEST_F(Transport, AStoredPathTooLongForTheProgramIsNotOpenedCut) {
    // The 259 characters the program could hold name a real file; the stored path is longer.
    std::wstring cut = InFolder(L"");
    cut += std::wstring(259 - cut.size() - 4, L'x') + L".wav";
    ASSERT_EQ(cut.size(), 259u);
    ASSERT_TRUE(driver::WriteWav(cut, 900));
    driver::StoreStockEntry(0, 1, L"long name", cut + L"-and-more.wav");
    Start();
    LoadEntry(1, true);
    EXPECT_FALSE(MediaIsOpen());
    EXPECT_NE(MediaPath(), cut);
    DeleteFileW(cut.c_str());
}

} // namespace
