// The Sya button on media that plays: single shots saved through the real save dialog, a
// series of three into a folder chosen in the real folder dialog, a series that cannot write,
// and media without a picture.

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/media_device.h"
#include "services/thumbnail.h"
#include "services/transport.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/media_files.h"

namespace {

std::wstring InFolder(const std::wstring &name) { return driver::InTestFolder(L"capture", name); }

class PhotoCapture : public driver::AppTest {
  protected:
    // Plays entry `index` from its start until the device is past `ms`.
    void Play(int index, DWORD ms) {
        PlayEntry(index);
        ASSERT_TRUE(driver::PumpUntil([ms] { return QueryPosition() >= ms; }, 3000));
    }
    // Presses the button with `hand` on the dialog it opens.
    void PressWithHand(std::function<void(HWND)> hand) {
        driver::DialogHand h(std::move(hand));
        PressButton(SlotPhoto);
        h.Finish();
    }
    // The capture left the device as it found it: counting in milliseconds and, unless the
    // media had time to end meanwhile (a save dialog takes seconds here), playing.
    void ExpectPlaybackUndisturbed(bool stillPlaying) {
        DWORD format = 0;
        EXPECT_TRUE(DeviceStatus(MCI_STATUS_TIME_FORMAT, &format) && format == MCI_FORMAT_MILLISECONDS);
        if (stillPlaying) { EXPECT_TRUE(driver::MediaPlaying()); }
    }
};

TEST_F(PhotoCapture, ShotsAreSavedWhereTheDialogsSayASeriesStopsAtItsCountOrAtTheFirstFailure) {
    // An MPEG file and an AVI file the AVI library cannot decode go through the filter graph;
    // the AVI file of the tests is decoded by the AVI library.
    const std::wstring media[] = {driver::MadeMedia(L"long.mpg"), driver::MadeMedia(L"long-mjpeg.avi"), InFolder(L"frames.avi"), driver::MadeMedia(L"tone.mp3")};
    ASSERT_TRUE(driver::WriteAvi(media[2], 20, 64, 48));
    for (int i = 0; i < 4; ++i) driver::StoreStockEntry(0, i, L"media", media[i]);
    StartApp();
    const wchar_t *checks[] = {L"capture-mpg.bmp", L"capture-mjpeg.bmp", L"capture-avi.bmp"};
    for (int i = 0; i < 3; ++i) {
        const std::wstring target = InFolder(L"shot.bmp");
        DeleteFileW(target.c_str());
        Play(i, i == 2 ? 400 : 50);
        PressWithHand([&](HWND dialog) { driver::TypeFileName(dialog, target); });
        ASSERT_TRUE(driver::PumpUntil([&] { return driver::Exists(target); }, 1000)) << checks[i];
        ExpectPlaybackUndisturbed(false);
        if (i == 2) {
            // Byte 0 of frame f is 40 f: after 400 ms of play, not the first frame any more.
            const std::string bmp = driver::ReadBytes(target);
            const int frame = bmp.size() > 54 ? BYTE(bmp[54]) / 40 : -1;
            EXPECT_TRUE(frame >= 2 && frame <= 6) << frame << ": not the frame at the device's position";
        }
        CopyFileW(target.c_str(), driver::ForCheck(L"bmp-check", checks[i]).c_str(), FALSE);
    }

    // Media without a picture gives the message and no save dialog.
    Play(3, 1);
    driver::BoxAnswerer answer;
    PressButton(SlotPhoto);
    ASSERT_TRUE(driver::PumpUntil([&] { return answer.Seen(); }, 3000));
    EXPECT_EQ(answer.seen.text, L"Aviファイルではないか,ファイルが破損しています");
    driver::PumpMessages(100);
    EXPECT_TRUE(driver::WindowsOf(GetCurrentProcessId(), L"#32770").empty()) << "no save dialog";
    ExpectPlaybackUndisturbed(true);

    // A series is the same grab on a timer: three into the folder chosen, then no fourth.
    const std::wstring folder = InFolder(L"series");
    driver::DeleteFilesIn(folder.c_str());
    Play(0, 1);
    g_ui.nShotCount = 3, g_ui.nShotInterval = 100;
    PressWithHand([&](HWND) {
        driver::Process self = {GetCurrentProcess(), GetCurrentProcessId()};
        driver::AnswerFolderBrowser(self, folder);
    });
    driver::PumpUntil([] { return g_ui.capture.shotCounter == 1; }, 3000);
    driver::PumpMessages(300);  // three intervals: no fourth shot
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(driver::Exists(folder + L"\\Syasin" + std::to_wstring(n) + L".bmp"), n < 4) << n;
    ExpectPlaybackUndisturbed(true);
    CopyFileW((folder + L"\\Syasin1.bmp").c_str(), driver::ForCheck(L"bmp-check", L"series-mpg.bmp").c_str(), FALSE);

    // A series into a folder where no picture can be written ends at the first failure with
    // one box, however short its interval.
    g_ui.nShotCount = 5, g_ui.nShotInterval = 10;
    const std::wstring unwritable = L"C:\\" + std::wstring(MAX_PATH - 10, L'x');
    lstrcpynW(g_ui.capture.shotFolder, unwritable.c_str(), ARRAYSIZE(g_ui.capture.shotFolder));
    size_t boxes = 0;
    driver::DialogHand hand([&](HWND) {
        Sleep(200);  // ticks that come meanwhile would open more boxes
        boxes = driver::WindowsOf(GetCurrentProcessId(), L"#32770").size();
        // A run that went on ends once its pictures can be written; every box is answered.
        lstrcpynW(g_ui.capture.shotFolder, folder.c_str(), ARRAYSIZE(g_ui.capture.shotFolder));
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 3000; Sleep(50)) {
            const std::vector<HWND> open = driver::WindowsOf(GetCurrentProcessId(), L"#32770");
            if (open.empty() && GetTickCount() - start > 200) break;
            for (HWND box : open) driver::PressDialogButton(box, IDOK);
        }
    });
    SetTimer(g_ui.buttons[SlotPhoto], TIMER_SHOT, 10, nullptr);
    hand.Finish();
    EXPECT_EQ(boxes, 1u);
    driver::PumpMessages(100);
    EXPECT_TRUE(driver::WindowsOf(GetCurrentProcessId(), L"#32770").empty()) << "the run went on";
}

// A picture whose pixels cannot be read fails half-way: the earlier file stays as it was.
TEST(CapturedPicture, AWriteThatFailsHalfWayLeavesTheEarlierFile) {
    const std::wstring target = InFolder(L"kept.bmp");
    ASSERT_TRUE(driver::WriteBytes(target, "earlier picture"));
    const DWORD page = 4096;
    BYTE *area = static_cast<BYTE *>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_TRUE(area && VirtualAlloc(area, page, MEM_COMMIT, PAGE_READWRITE));
    // The header ends its readable page; the pixels lie in the page after it.
    BITMAPINFOHEADER *header = reinterpret_cast<BITMAPINFOHEADER *>(area + page - 40);
    *header = BITMAPINFOHEADER{40, 64, 48, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    EXPECT_FALSE(WriteBmpFile(target.c_str(), header, 40 + 64 * 48 * 3));
    VirtualFree(area, 0, MEM_RELEASE);
    EXPECT_EQ(driver::ReadBytes(target), "earlier picture");
}

} // namespace
