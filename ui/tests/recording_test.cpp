// Recording through the real Record button and the real save dialog, into files that
// tests/check_wav.sh reads back with sox afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "resources/resource.h"
#include "services/app_state.h"
#include "services/recorder.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"

namespace {

std::wstring ForCheck(const std::wstring &name) {
    const std::wstring folder = driver::ProgramFolder() + L"wav-check";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name;
    DeleteFileW(path.c_str());
    return path;
}

DWORD FileSize(const std::wstring &path) { // 0 when there is no file
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// What the test's hand typed into the save dialog, and what it saw there and after it.
struct SaveVisit {
    std::wstring path;
    bool cancel = false;
    std::wstring title, shownName, shownFolder;
    driver::BoxSeen box;
};

DWORD WINAPI UseSaveDialog(void *parameter) {
    SaveVisit &visit = *static_cast<SaveVisit *>(parameter);
    HWND dialog = driver::WaitForWindow(GetCurrentProcessId(), L"#32770", 15000);
    if (!dialog) return 1;
    Sleep(300);
    visit.title = driver::WindowText(dialog);
    HWND name = driver::FileNameBox(dialog);
    visit.shownName = driver::WindowText(name);
    wchar_t folder[MAX_PATH] = L"";
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    visit.shownFolder = folder;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(visit.path.c_str()));
    driver::PressDialogButton(dialog, visit.cancel ? IDCANCEL : IDOK);
    for (int i = 0; i < 250 && IsWindow(dialog); ++i)
        Sleep(20);
    if (visit.cancel) visit.box = driver::AnswerBox(GetCurrentProcessId(), 10000);
    return 0;
}

class Recording : public driver::AppTest {
  protected:
    void Record(DWORD ms) {
        PressButton(SlotRecord);
        EXPECT_EQ(g_app.recording + g_app.buttonFace[SlotRecord], 2);
        driver::PumpMessages(ms);
    }
    // Presses Record again and lets the hand answer the dialog; the recorder is idle after.
    void Stop(SaveVisit &visit) {
        HANDLE hand = CreateThread(nullptr, 0, UseSaveDialog, &visit, 0, nullptr);
        PressButton(SlotRecord);
        for (int i = 0; i < 3000 && WaitForSingleObject(hand, 0) == WAIT_TIMEOUT; ++i)
            driver::PumpMessages(10);
        CloseHandle(hand);
        ExpectIdle();
    }
    static void ExpectIdle() {
        EXPECT_EQ(g_app.recording + g_app.buttonFace[SlotRecord], 0);
        EXPECT_FALSE(g_app.waveIn || g_app.captureBuffer);
    }
};

TEST_F(Recording, TwoTakesAreSavedWithTheFormatTheyStartedWith) {
    SaveVisit first, second;
    first.path = ForCheck(L"take-mono.wav");
    second.path = ForCheck(L"take-stereo.wav");
    StartApp();
    Record(1000);
    Stop(first);
    EXPECT_EQ(first.title, L"名前を付けて録音ファイルを保存する");
    EXPECT_GT(FileSize(first.path), 44u + 27000 / 2) << "at least half a second";

    // The settings page may change the format at any time: only the value at the start counts.
    g_app.recordFormat.nSamplesPerSec = 22050;
    g_app.recordFormat.nChannels = 2;
    SendMessageW(g_app.hMain, WM_COMMAND, ID_RECORD, 0); // Alt+R and the menu item
    ASSERT_EQ(g_app.recording, 1);
    g_app.recordFormat.nSamplesPerSec = 8000;
    g_app.recordFormat.nChannels = 1;
    driver::PumpMessages(700);
    Stop(second);
    EXPECT_EQ(second.shownFolder + L"\\" + second.shownName, first.path)
        << "the second dialog opens on the first take's path";
    EXPECT_GT(FileSize(second.path), 44u);
}

TEST_F(Recording, CancellingSaysSoAndWritesNothing) {
    SaveVisit visit;
    visit.path = ForCheck(L"cancelled.wav");
    visit.cancel = true;
    StartApp();
    Record(300);
    Stop(visit);
    EXPECT_EQ(visit.box.text, L"録音をキャンセルしました");
    EXPECT_EQ(visit.box.caption, L"録音キャンセル");
    EXPECT_EQ(FileSize(visit.path), 0u);
}

// A format without channels passes the platform's input device and then crashes the sample
// converter behind it: it never reaches the device.
TEST_F(Recording, AFormatNoDeviceTakesIsReportedAndLeavesTheRecorderIdle) {
    StartApp();
    g_app.recordFormat.nChannels = 0;
    driver::BoxAnswerer answerer;
    PressButton(SlotRecord);
    for (int i = 0; i < 500 && !answerer.Seen(); ++i)
        driver::PumpMessages(10);
    EXPECT_EQ(answerer.seen.caption, L"録音");
    EXPECT_NE(answerer.seen.text.find(L"録音できません"), std::wstring::npos);
    ExpectIdle();
}

TEST_F(Recording, EndWhileRecordingClosesTheDeviceAndDropsTheTake) {
    StartApp();
    Record(200);
    PressButton(SlotEnd);
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(g_app.recording || g_app.waveIn || g_app.captureBuffer || g_app.mixer);
}

TEST(WavWriter, AFileThatCannotBeCreatedIsReportedAndAnOddTakeIsPadded) {
    const BYTE samples[3] = {128, 129, 130};
    const WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 27000, 27000, 1, 8, 0};
    const std::wstring missing = L"C:\\mirelo-test\\no-such-folder\\take.wav";
    EXPECT_FALSE(WriteWav(missing.c_str(), format, samples, 3));
    EXPECT_EQ(FileSize(missing), 0u);
    const std::wstring odd = ForCheck(L"odd.wav");
    ASSERT_TRUE(WriteWav(odd.c_str(), format, samples, 3));
    EXPECT_EQ(FileSize(odd), 48u) << "44 + 3 + one pad byte";
}

} // namespace
