// Recording through the real Record button and the real save dialog, into files that
// tests/check_wav.sh reads back with sox afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "resources/resource.h"
#include "services/app_state.h"
#include "services/mixer.h"
#include "services/recorder.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"

namespace {

std::wstring ForCheck(const std::wstring &name) {
    const std::wstring folder = driver::ProgramFolder() + L"wav-check";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name;
}

bool Exists(const std::wstring &path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What the test's hand did in the save dialog and saw there.
struct SaveVisit {
    std::wstring path; // typed into the name box
    bool cancel = false;
    std::wstring title, shownName, shownFolder;
    driver::BoxSeen box; // the message box after a cancel
};

DWORD WINAPI UseSaveDialog(void *parameter) {
    SaveVisit &visit = *static_cast<SaveVisit *>(parameter);
    const DWORD self = GetCurrentProcessId();
    HWND dialog = driver::WaitForWindow(self, L"#32770", 15000);
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
    if (visit.cancel) visit.box = driver::AnswerBox(self, 10000);
    return 0;
}

class Recording : public driver::AppTest {
  protected:
    void TearDown() override {
        DiscardTake();
        CloseMixer();
        AppTest::TearDown();
    }
    // Presses Record a second time and lets the hand answer the dialog.
    void StopThrough(SaveVisit &visit) {
        HANDLE hand = CreateThread(nullptr, 0, UseSaveDialog, &visit, 0, nullptr);
        PressButton(SlotRecord);
        for (int i = 0; i < 3000 && WaitForSingleObject(hand, 0) == WAIT_TIMEOUT; ++i)
            driver::PumpMessages(10);
        CloseHandle(hand);
    }
    void Record(DWORD ms) {
        PressButton(SlotRecord);
        ASSERT_EQ(g_app.recording, 1);
        EXPECT_EQ(g_app.buttonFace[SlotRecord], 1);
        driver::PumpMessages(ms);
    }
};

DWORD FileSize(const std::wstring &path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

TEST_F(Recording, TwoTakesAreSavedWithTheFormatTheyStartedWith) {
    const std::wstring mono = ForCheck(L"take-mono.wav"), stereo = ForCheck(L"take-stereo.wav");
    DeleteFileW(mono.c_str());
    DeleteFileW(stereo.c_str());
    StartApp();

    Record(1000);
    SaveVisit first;
    first.path = mono;
    StopThrough(first);
    EXPECT_EQ(first.title, L"名前を付けて録音ファイルを保存する");
    EXPECT_EQ(g_app.recording, 0);
    EXPECT_EQ(g_app.buttonFace[SlotRecord], 0);
    EXPECT_FALSE(g_app.waveIn || g_app.captureBuffer);
    EXPECT_GT(FileSize(mono), 44u + 27000 / 2) << "about a second at 27000 bytes a second";

    // The settings page may change the format at any time: only the value at the start counts.
    g_app.recordFormat.nSamplesPerSec = 22050;
    g_app.recordFormat.nChannels = 2;
    SendMessageW(g_app.hMain, WM_COMMAND, ID_RECORD, 0); // Alt+R and the menu item
    ASSERT_EQ(g_app.recording, 1);
    g_app.recordFormat.nSamplesPerSec = 8000;
    g_app.recordFormat.nChannels = 1;
    driver::PumpMessages(700);
    SaveVisit second;
    second.path = stereo;
    StopThrough(second);
    EXPECT_EQ(second.shownFolder + L"\\" + second.shownName, mono)
        << "the second dialog opens on the first take's path";
    EXPECT_EQ(FileSize(stereo) % 2, 0u) << "whole stereo frames, no pad byte";
}

TEST_F(Recording, CancellingSaysSoAndWritesNothing) {
    const std::wstring path = ForCheck(L"cancelled.wav");
    DeleteFileW(path.c_str());
    StartApp();
    Record(300);
    SaveVisit visit;
    visit.path = path;
    visit.cancel = true;
    StopThrough(visit);
    EXPECT_EQ(visit.box.text, L"録音をキャンセルしました");
    EXPECT_EQ(visit.box.caption, L"録音キャンセル");
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(g_app.recording, 0);
    EXPECT_EQ(g_app.buttonFace[SlotRecord], 0);
    EXPECT_FALSE(g_app.waveIn || g_app.captureBuffer);
}

// A format without channels passes the platform's input device and then crashes the sample
// converter behind it; it never reaches the device.
TEST_F(Recording, AFormatNoDeviceTakesIsReportedAndLeavesTheRecorderIdle) {
    StartApp();
    g_app.recordFormat.nChannels = 0;
    driver::BoxAnswerer answerer;
    PressButton(SlotRecord);
    for (int i = 0; i < 500 && !answerer.Seen(); ++i)
        driver::PumpMessages(10);
    EXPECT_EQ(answerer.seen.caption, L"録音");
    EXPECT_NE(answerer.seen.text.find(L"録音できません"), std::wstring::npos);
    EXPECT_EQ(g_app.recording, 0);
    EXPECT_EQ(g_app.buttonFace[SlotRecord], 0);
    EXPECT_FALSE(g_app.waveIn || g_app.captureBuffer);
}

TEST_F(Recording, EndWhileRecordingClosesTheDeviceAndDropsTheTake) {
    StartApp();
    Record(200);
    PressButton(SlotEnd);
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(g_app.recording, 0);
    EXPECT_FALSE(g_app.waveIn || g_app.captureBuffer || g_app.mixer);
}

TEST(WavWriter, AFileThatCannotBeCreatedIsReportedAndLeavesNothing) {
    const BYTE samples[3] = {128, 129, 130};
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 27000, 27000, 1, 8, 0};
    const std::wstring path = L"C:\\mirelo-test\\no-such-folder\\take.wav";
    EXPECT_FALSE(WriteWav(path.c_str(), format, samples, 3));
    EXPECT_FALSE(Exists(path));
    const std::wstring odd = ForCheck(L"odd.wav");
    ASSERT_TRUE(WriteWav(odd.c_str(), format, samples, 3));
    EXPECT_EQ(FileSize(odd), 48u) << "44 + 3 + one pad byte";
}

} // namespace
