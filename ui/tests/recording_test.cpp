// Recording through the real Record button and the real save dialog, into files that
// tests/check_wav.sh reads back with sox afterwards.

#include "tests/driver/app_fixture.h"
#include <commdlg.h>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "core/wav_file.h"
#include "services/mixer.h"
#include "services/recorder.h"
#include "ui/shell/skinned_button.h"

namespace {

DWORD FileSize(const std::wstring &path) { return DWORD(driver::ReadBytes(path).size()); } // 0 when there is no file

// What the test's hand saw in the save dialog and after it.
struct SaveVisit {
    std::wstring shownPath;
    HWND owner = nullptr;
    size_t dialogs = 0; // open after Record was pressed again meanwhile
    driver::BoxSeen box;
};

class Recording : public driver::AppTest {
  protected:
    void Record(DWORD ms) {
        PressButton(SlotRecord);
        EXPECT_EQ(TakeRunning() + g_ui.buttonFace[SlotRecord], 2);
        driver::PumpMessages(ms);
    }
    // Presses Record again and saves to `path` in the dialog, or cancels it, answering the box
    // that follows when one is awaited; the recorder is idle after.
    SaveVisit Stop(const std::wstring &path, bool cancel = false, bool box = false) {
        SaveVisit visit;
        driver::DialogHand hand([&](HWND dialog) {
            if (!dialog) return;
            PostMessageW(g_ui.hMain, WM_COMMAND, ID_RECORD, 0); // Alt+R while it is open
            Sleep(150);
            visit.owner = GetWindow(dialog, GW_OWNER);
            visit.dialogs = driver::WindowsOf(GetCurrentProcessId(), L"#32770").size();
            HWND name = driver::FileNameBox(dialog);
            wchar_t folder[MAX_PATH] = L"";
            SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
            visit.shownPath = folder + (L"\\" + driver::WindowText(name));
            SetWindowTextW(name, path.c_str());
            driver::PressDialogButton(dialog, cancel ? IDCANCEL : IDOK);
            for (int i = 0; i < 250 && IsWindow(dialog); ++i) Sleep(20);
            if (cancel || box) visit.box = driver::AnswerBox(GetCurrentProcessId(), 10000);
        });
        PressButton(SlotRecord);
        hand.Finish();
        EXPECT_TRUE(TakeHoldsNothing());
        return visit;
    }
};

TEST_F(Recording, TakesKeepTheirFormatAndWhatTheBufferReceivedAFullOneSaysItStoppedACancelWritesNothing) {
    const std::wstring mono = driver::ForCheck(L"wav-check", L"take-mono.wav"), stereo = driver::ForCheck(L"wav-check", L"take-stereo.wav");
    StartApp();
    Record(600);
    const SaveVisit first = Stop(mono);
    EXPECT_GT(FileSize(mono), 44u + 27000 / 2) << "at least half a second";
    EXPECT_TRUE(first.owner == g_ui.hMain && first.dialogs == 1u) << "a second press opens no second dialog";

    // The settings page may change the format at any time: only the value at the start counts.
    RecordingFormat().nSamplesPerSec = 22050, RecordingFormat().nChannels = 2;
    SendMessageW(g_ui.hMain, WM_COMMAND, ID_RECORD, 0); // Alt+R and the menu item
    ASSERT_TRUE(TakeRunning());
    RecordingFormat().nSamplesPerSec = 8000, RecordingFormat().nChannels = 1;
    driver::PumpMessages(300);
    const SaveVisit second = Stop(stereo);
    EXPECT_EQ(second.shownPath, mono) << "the first take's path";
    EXPECT_GT(FileSize(stereo), 44u);

    const std::wstring cancelled = driver::ForCheck(L"wav-check", L"cancelled.wav");
    Record(100);
    const SaveVisit third = Stop(cancelled, true);
    EXPECT_EQ(third.box.text, L"録音をキャンセルしました");
    EXPECT_EQ(FileSize(cancelled), 0u);

    // A take is what its buffer received, all of it sound: a device that hands the buffer back
    // early (reset under the recorder here) keeps those bytes, and a take that fills its buffer
    // ends with a message.
    const std::wstring early = driver::InTestFolder(L"rec v1.0+b", L"early.wav"), full = driver::InTestFolder(L"rec v1.0+b", L"full.wav");
    DeleteFileW(early.c_str()), DeleteFileW(full.c_str());
    auto expectSilence = [](const std::string &wav, DWORD bytes) {
        ASSERT_EQ(wav.size(), WavLayoutFor(bytes).fileSize);
        EXPECT_EQ(wav.find_first_not_of('\x80', 44), WavLayoutFor(bytes).padBytes ? wav.size() - 1 : std::string::npos);
    };
    ASSERT_EQ(StartTake(100 * 27000), TakeStarted);
    driver::PumpMessages(200);
    waveInReset(TakeDevice());
    Stop(early);
    const std::string wav = driver::ReadBytes(early);
    ASSERT_GT(wav.size(), 44u);
    DWORD received = 0;  // the data chunk's size
    memcpy(&received, wav.data() + 40, 4);
    ASSERT_GT(received, 0u);
    expectSilence(wav, received);

    ASSERT_EQ(StartTake(2700), TakeStarted); // a tenth of a second
    driver::PumpMessages(400);
    const SaveVisit visit = Stop(full, false, true);
    EXPECT_NE(visit.box.text.find(L"上限"), std::wstring::npos) << "stopped at its limit";
    expectSilence(driver::ReadBytes(full), 2700);
}

TEST_F(Recording, AFormatNoDeviceTakesIsReportedAndEndWhileRecordingDropsTheTake) {
    StartApp();
    const WAVEFORMATEX format = RecordingFormat();
    RecordingFormat().nChannels = 0;
    driver::BoxAnswerer answerer;
    PressButton(SlotRecord);
    driver::PumpUntil([&] { return answerer.Seen(); }, 5000);
    EXPECT_NE(answerer.seen.text.find(L"録音できません"), std::wstring::npos);
    EXPECT_TRUE(TakeHoldsNothing());

    RecordingFormat() = format;
    // The End button, then the close request (Alt+F4, the task bar), which ends the same way.
    for (int way = 0; way < 2; ++way) {
        if (way) AppTest::TearDown(), g_app.hInst = GetModuleHandleW(nullptr), StartApp();
        Record(200);
        if (way) SendMessageW(g_ui.hMain, WM_CLOSE, 0, 0);
        else PressButton(SlotEnd);
        MSG quit;
        EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && TakeHoldsNothing() && !MixerIsOpen()) << way;
    }
}

TEST(WavWriter, AFailedWriteLeavesTheOldFileAndAnOddTakeIsPadded) {
    const BYTE samples[3] = {128, 129, 130};
    const WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 27000, 27000, 1, 8, 0};
    const std::wstring missing = L"C:\\mirelo-test\\no-such-folder\\take.wav";
    EXPECT_FALSE(WriteWav(missing.c_str(), format, samples, 3) || driver::Exists(missing));
    // A '+' in a folder's name is only a name here.
    const std::wstring odd = driver::InTestFolder(L"wav v1.0+b", L"odd.wav");
    ASSERT_TRUE(WriteWav(odd.c_str(), format, samples, 3));
    EXPECT_EQ(FileSize(odd), 48u) << "44 + 3 + one pad byte";
    CopyFileW(odd.c_str(), driver::ForCheck(L"wav-check", L"odd.wav").c_str(), FALSE);

    // Samples that cannot be read fail the write half-way.
    void *unreadable = VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS);
    EXPECT_FALSE(WriteWav(odd.c_str(), format, static_cast<const BYTE *>(unreadable), 4096));
    VirtualFree(unreadable, 0, MEM_RELEASE);
    EXPECT_EQ(FileSize(odd), 48u) << "the earlier file stays";
    EXPECT_EQ(driver::FilesIn(L"C:\\mirelo-test\\wav v1.0+b").size(), 1u) << "no draft left";
}

} // namespace
