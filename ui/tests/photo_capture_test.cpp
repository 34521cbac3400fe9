// The Sya button on media that plays: a single shot saved through the real save dialog, a
// series of three into a folder chosen in the real folder dialog, and media without a picture.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "resources/resource.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/transport.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

std::wstring InFolder(const std::wstring &name) {
    return driver::InTestFolder(L"capture", name);
}

// Files ImageMagick reads back after the tests (tests/check_bmp.sh).
std::wstring ForCheck(const std::wstring &name) {
    const std::wstring folder = driver::ProgramFolder() + L"bmp-check";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name;
}

bool Exists(const std::wstring &path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What the test's hand does in the dialog the button opens, from a thread of its own.
struct Hand {
    std::wstring answer;  // typed file name, or the folder to select; empty: cancel
    std::wstring title;   // the dialog's title as seen
    bool folder = false;
    volatile LONG done = 0;
};

DWORD WINAPI UseDialog(void *parameter) {
    Hand &hand = *static_cast<Hand *>(parameter);
    HWND dialog = driver::WaitForWindow(GetCurrentProcessId(), L"#32770", 15000);
    if (dialog) {
        Sleep(300);
        hand.title = driver::WindowText(dialog);
        if (hand.answer.empty()) {
            driver::PressDialogButton(dialog, IDCANCEL);
        } else if (hand.folder) {
            // The tree fills in after the dialog shows: select, wait, select again.
            for (int i = 0; i < 2; ++i) {
                SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                             reinterpret_cast<LPARAM>(hand.answer.c_str()));
                Sleep(400);
            }
            driver::PressDialogButton(dialog, IDOK);
        } else {
            HWND name = GetDlgItem(dialog, 0x47C);
            if (HWND edit = FindWindowExW(name, nullptr, L"Edit", nullptr)) name = edit;
            if (!name) name = GetDlgItem(dialog, 0x480);
            SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(hand.answer.c_str()));
            driver::PressDialogButton(dialog, IDOK);
        }
    }
    InterlockedExchange(&hand.done, 1);
    return 0;
}

class PhotoCapture : public driver::AppTest {
  protected:
    // Loads the media as the first entry and plays it for a moment.
    void Play(const std::wstring &media) {
        ASSERT_TRUE(Exists(media));
        driver::StoreStockEntry(0, 0, L"media", media);
        StartApp();
        OnPlayPressed();
        for (int i = 0; i < 100 && !driver::MediaPlaying(); ++i) driver::PumpMessages(10);
        ASSERT_TRUE(driver::MediaPlaying());
        driver::PumpMessages(400);
    }

    // Presses the button with a hand on the dialog; pumps until the hand is done and `more`
    // milliseconds after.
    void PressWithHand(Hand &hand, DWORD more) {
        HANDLE thread = CreateThread(nullptr, 0, UseDialog, &hand, 0, nullptr);
        PressButton(SlotPhoto);
        for (int i = 0; i < 2000 && !hand.done; ++i) driver::PumpMessages(10);
        driver::PumpMessages(more);
        WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
    }

    // The capture left the device as it found it: counting in milliseconds and, unless the
    // media had time to end meanwhile (a save dialog takes seconds here), playing.
    void ExpectPlaybackUndisturbed(bool stillPlaying) {
        DWORD format = 0;
        EXPECT_TRUE(DeviceStatus(MCI_STATUS_TIME_FORMAT, &format));
        EXPECT_EQ(format, DWORD(MCI_FORMAT_MILLISECONDS));
        if (stillPlaying) EXPECT_TRUE(driver::MediaPlaying());
    }
};

TEST_F(PhotoCapture, ASingleShotIsSavedWhereTheSaveDialogSays) {
    struct Case {
        const wchar_t *media, *check;
    };
    // An MPEG file and an AVI file the AVI library cannot decode go through the filter graph;
    // the AVI file of the tests is decoded by the AVI library.
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"frames.avi"), 20, 64, 48));
    const Case cases[] = {{L"long.mpg", L"capture-mpg.bmp"},
                          {L"long-mjpeg.avi", L"capture-mjpeg.bmp"},
                          {L"frames.avi", L"capture-avi.bmp"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.check, c.check + lstrlenW(c.check)));
        const std::wstring media =
            lstrcmpW(c.media, L"frames.avi") ? driver::MadeMedia(c.media) : InFolder(c.media);
        const std::wstring target = InFolder(L"shot.bmp");
        DeleteFileW(target.c_str());
        Play(media);
        Hand hand;
        hand.answer = target;
        PressWithHand(hand, 200);
        EXPECT_EQ(hand.title, L"名前を付けて画像を保存する");
        ASSERT_TRUE(Exists(target));
        ExpectPlaybackUndisturbed(false);
        CopyFileW(target.c_str(), ForCheck(c.check).c_str(), FALSE);
        TearDown();
        SetUp();
    }
}

TEST_F(PhotoCapture, TheAviLibraryGivesTheFrameAtTheDevicesPosition) {
    const std::wstring avi = InFolder(L"frames.avi"), target = InFolder(L"frame.bmp");
    ASSERT_TRUE(driver::WriteAvi(avi, 20, 64, 48));
    DeleteFileW(target.c_str());
    Play(avi);
    Hand hand;
    hand.answer = target;
    PressWithHand(hand, 200);
    // Byte 0 of frame f is 40 f: after 400 ms of play, not the first frame any more.
    HANDLE file = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    BYTE first[55] = {};
    DWORD read = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    ReadFile(file, first, sizeof first, &read, nullptr);
    CloseHandle(file);
    ASSERT_EQ(read, sizeof first);
    const int frame = first[54] / 40;
    EXPECT_GE(frame, 2);
    EXPECT_LE(frame, 6);
}

TEST_F(PhotoCapture, ASeriesOfThreeFillsTheChosenFolderAndStops) {
    for (const wchar_t *media : {L"long.mpg", L"long-mjpeg.avi"}) {
        const std::wstring folder = InFolder(L"series");
        driver::DeleteFilesIn(folder.c_str());
        Play(driver::MadeMedia(media));
        g_app.nShotCount = 3;
        g_app.nShotInterval = 100;
        Hand hand;
        hand.answer = folder;
        hand.folder = true;
        PressWithHand(hand, 0);
        EXPECT_EQ(hand.title.empty(), false);
        for (int i = 0; i < 300 && g_app.capture.shotCounter != 1; ++i) driver::PumpMessages(10);
        driver::PumpMessages(300);
        for (int n = 1; n <= 3; ++n)
            EXPECT_TRUE(Exists(folder + L"\\Syasin" + std::to_wstring(n) + L".bmp")) << n;
        EXPECT_FALSE(Exists(folder + L"\\Syasin4.bmp"));
        EXPECT_EQ(g_app.capture.shotCounter, 1);
        ExpectPlaybackUndisturbed(true);
        CopyFileW((folder + L"\\Syasin1.bmp").c_str(),
                  ForCheck(std::wstring(L"series-") + (lstrcmpW(media, L"long.mpg") ? L"mjpeg" : L"mpg") +
                           L".bmp")
                      .c_str(),
                  FALSE);
        TearDown();
        SetUp();
    }
}

TEST_F(PhotoCapture, MediaWithoutAPictureGivesTheMessageAndNoFile) {
    Play(driver::MadeMedia(L"tone.mp3"));
    driver::BoxAnswerer answer;
    PressButton(SlotPhoto);
    for (int i = 0; i < 300 && !answer.Seen(); ++i) driver::PumpMessages(10);
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.seen.text, L"Aviファイルではないか,ファイルが破損しています");
    driver::PumpMessages(300);
    EXPECT_TRUE(driver::WindowsOf(GetCurrentProcessId(), L"#32770").empty()) << "no save dialog";
    ExpectPlaybackUndisturbed(true);
}

} // namespace
