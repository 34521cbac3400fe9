// The toolkit page on the real windows and devices: pinpoint playback of the loaded media,
// backwards playback of a chosen WAV file, and the AVI edit window with its save.

#include "tests/driver/app_fixture.h"
#include <commctrl.h>
#include <vfw.h>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/avi_edit.h"
#include "services/reverse_wave.h"
#include "services/short_path.h"
#include "services/transport.h"
#include "ui/accessories/avi_edit_window.h"
#include "ui/accessories/reverse_process.h"
#include "ui/accessories/reverse_window.h"
#include "ui/accessories/reverse_playback.h"
#include "ui/accessories/toolkit_page.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/media_files.h"

namespace {

std::wstring InFolder(const wchar_t *name) { return driver::InTestFolder(L"toolkit", name); }

// A window whose creation fails after it took its state (WM_CREATE refused here): the frees
// of that state are counted, and a second one is not made.
void *g_watched;
int g_watchedFrees;
WNDPROC g_realProc;

LRESULT CALLBACK RefuseCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_realProc, hwnd, msg, wParam, lParam);
    if (msg == WM_NCCREATE) g_watched = reinterpret_cast<void *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return msg == WM_CREATE ? -1 : result;
}

LRESULT CALLBACK RefuseAccessoryWindows(int code, WPARAM wParam, LPARAM lParam) {
    HWND made = reinterpret_cast<HWND>(wParam);
    const LONG_PTR proc = code == HCBT_CREATEWND ? GetWindowLongPtrW(made, GWLP_WNDPROC) : 0;
    if (proc == LONG_PTR(AviEditWindowProc) || proc == LONG_PTR(ReverseWindowProc))
        g_realProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(made, GWLP_WNDPROC, LONG_PTR(RefuseCreate)));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The video stream of an AVI file, or null.
PAVISTREAM OpenVideo(const std::wstring &path) {
    PAVISTREAM video = nullptr;
    return AVIStreamOpenFromFileW(&video, path.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr) ? nullptr : video;
}

class ToolkitPage : public driver::AppTest {
  protected:
    void TearDown() override {
        if (host) DestroyWindow(host);
        for (HWND w : driver::WindowsOf(GetCurrentProcessId(), L"RPClassName")) DestroyWindow(w);
        AppTest::TearDown();
    }
    HWND OpenPage() {
        // The settings dialog that hosts the page initialises the common controls.
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSW wc = {0, DefWindowProcW, 0, 0, g_app.hInst, nullptr, nullptr, nullptr, nullptr, L"ToolkitTestHost"};
        RegisterClassW(&wc);
        if (!host) host = CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPED, 0, 0, 500, 480, nullptr, nullptr, g_app.hInst, nullptr);
        return page = CreateDialogParamW(g_app.hInst, MAKEINTRESOURCEW(IDD_TOOLKIT_PAGE), host, ToolkitPageProc, 0);
    }
    void Command(int id) { SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // Presses a button that opens a file dialog and answers it with a path.
    void Choose(int button, const std::wstring &path) {
        driver::DialogHand hand([path](HWND dialog) { driver::TypeFileName(dialog, path); });
        Command(button);
    }
    void Marks(const wchar_t *start, const wchar_t *end) {
        SetDlgItemTextW(page, IDC_TK_PIN_START, start);
        SetDlgItemTextW(page, IDC_TK_PIN_END, end);
        Command(IDC_TK_PIN_PLAY);
    }

    HWND host = nullptr, page = nullptr;
};

TEST_F(ToolkitPage, PinpointMarksPlayTheStretchOnceOrWithRepeatUntilItIsSwitchedOff) {
    driver::StoreStockEntry(0, 0, L"tone4s.wav", driver::MadeMedia(L"tone4s.wav"));
    StartApp();
    ASSERT_TRUE(OpenPage());
    const DWORD pressed = GetTickCount();
    Marks(L"1000", L"1500");
    ASSERT_TRUE(driver::PumpUntil([] { return driver::MediaPlaying(); }, 2000));
    ASSERT_TRUE(driver::PumpUntil([] { return !driver::MediaPlaying(); }, 3000));
    EXPECT_NEAR(double(GetTickCount() - pressed), 800.0, 400.0) << "stopped soon after the end mark";
    EXPECT_NEAR(double(QueryPosition()), 1000.0, 60.0);

    // With repeat the stretch wraps until repeat is switched off.
    Command(IDC_TK_REPEAT);
    Marks(L"1000", L"1500");
    // Seen near the end mark, then back near the start while still playing: a wrap.
    const auto playingBetween = [](DWORD low, DWORD high) { return driver::PumpUntil([=] {
        return driver::MediaPlaying() && QueryPosition() >= low && QueryPosition() < high; }, 3000); };
    ASSERT_TRUE(playingBetween(1350, 1700));
    ASSERT_TRUE(playingBetween(0, 1200));

    // The side window's button switches it off: playback stops at the end.
    PressButton(SlotRepeat);
    ASSERT_TRUE(driver::PumpUntil([] { return !driver::MediaPlaying(); }, 2000));
    EXPECT_NEAR(double(QueryPosition()), 1000.0, 60.0);

    // The button again: a page made afterwards shows the flag too.
    PressButton(SlotRepeat);
    DestroyWindow(page);
    OpenPage();
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_TK_REPEAT), UINT(BST_CHECKED));
}

TEST_F(ToolkitPage, SetOnAWavPlaysItBackwardsUntilItsWindowCloses) {
    // A Japanese name, which the multimedia file calls do not take on a Western system, in a
    // folder whose '+' they would read as the start of a compound-file element.
    const std::wstring wav = driver::InTestFolder(L"tk v1.0+b", L"逆再生.wav");
    ASSERT_TRUE(driver::WriteWav(wav, 3000));
    ASSERT_TRUE(OpenPage());
    Choose(IDC_TK_CHOOSE_FILE, wav);

    // The media window runs in a process of its own, which the page does not wait for. Here
    // it cannot play backwards: the process says so and ends, and the program's own player
    // takes the WAV over.
    const auto ownWindows = [] { return driver::WindowsOf(GetCurrentProcessId(), L"RPClassName"); };
    Command(IDC_TK_SET);
    const DWORD reverser = ReverseProcessId();
    EXPECT_TRUE(reverser && ownWindows().empty()) << "a process of its own, not awaited";
    ASSERT_TRUE(driver::PumpUntil([&] { return ownWindows().size() == 1; }, 8000));
    EXPECT_TRUE(ReverseProcessId() == 0 && driver::WindowsOf(reverser, L"MCIWndClass").empty() &&
                driver::WindowsOf(GetCurrentProcessId(), L"MCIWndClass").empty());
    const HWND window = ownWindows()[0];
    const ReversePlayer *player = ReversePlayerOf(window);
    ASSERT_TRUE(player);
    const DWORD before = player->PlayedBytes();
    EXPECT_TRUE(driver::PumpUntil([&] { return player->PlayedBytes() > before; }, 2000));
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));

    // A press ends the last one's process and window: one of each at a time.
    Command(IDC_TK_SET);
    driver::Process first = {OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, ReverseProcessId())};
    Command(IDC_TK_SET);
    EXPECT_EQ(driver::WaitForExit(first, 3000), DWORD(kReverseReplaced)) << "ended by the press, before its own answer";
    const auto answered = [&] { return ReverseProcessId() == 0 && !ownWindows().empty(); };
    ASSERT_TRUE(driver::PumpUntil(answered, 8000));
    Command(IDC_TK_SET);
    ASSERT_TRUE(driver::PumpUntil(answered, 8000));
    driver::PumpMessages(300);
    EXPECT_EQ(ownWindows().size(), 1u);

    // A file the program's player cannot take leaves no window once the process has ended.
    Choose(IDC_TK_CHOOSE_FILE, driver::MadeMedia(L"tone.mp3"));
    Command(IDC_TK_SET);
    DestroyWindow(page);
    EXPECT_TRUE(driver::PumpUntil([] { return ReverseProcessId() == 0; }, 8000));
    EXPECT_TRUE(ownWindows().empty());

    // A reverse process whose program has gone ends by itself.
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    STARTUPINFOW si{}; si.cb = sizeof si;
    PROCESS_INFORMATION gone = {};
    ASSERT_TRUE(CreateProcessW(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si, &gone));
    driver::Process orphan = {StartReverseProcess(gone.dwProcessId, L"waveaudio", wav)};
    TerminateProcess(gone.hProcess, 0);
    EXPECT_EQ(driver::WaitForExit(orphan, 8000), DWORD(kReverseProgramGone));
    CloseHandle(gone.hThread), CloseHandle(gone.hProcess);
}

// A tiny WAV whose data chunk claims 511 MB is read as the bytes it holds, even when the
// process has no block of memory that large free.
TEST(ReverseWave, ASizeInTheFileIsBoundedByTheFile) {
    auto le32 = [](uint32_t v) { return std::string(reinterpret_cast<const char *>(&v), 4); };
    const uint16_t fmt[8] = {WAVE_FORMAT_PCM, 1, 22050, 0, 44100, 0, 2, 16};
    const std::string bytes = "RIFF" + le32(44) + "WAVEfmt " + le32(16) +
                              std::string(reinterpret_cast<const char *>(fmt), 16) + "data" +
                              le32(0x1FF00000) + std::string("\x01\x00\x02\x00\x03\x00", 6);
    const std::wstring path = InFolder(L"claims-511mb.wav");
    ASSERT_TRUE(driver::WriteBytes(path, bytes));
    std::vector<void *> held; // in a 32-bit process, leaves no free block of 128 MB
    for (void *p; sizeof(void *) == 4 && held.size() < 64 &&
                  (p = VirtualAlloc(nullptr, 128 << 20, MEM_RESERVE, PAGE_NOACCESS));)
        held.push_back(p);
    WAVEFORMATEX format = {};
    std::vector<uint8_t> reversed;
    const bool read = ReadWaveReversed(path.c_str(), &format, &reversed);
    for (void *p : held) VirtualFree(p, 0, MEM_RELEASE);
    ASSERT_TRUE(read);
    EXPECT_EQ(reversed, (std::vector<uint8_t>{3, 0, 2, 0, 1, 0}));
}

// Makes entry k of the index of driver::WriteAvi's file claim `size` bytes of data.
bool ClaimSize(const std::wstring &path, int k, uint32_t size) {
    std::string bytes = driver::ReadBytes(path);
    const size_t index = bytes.rfind("idx1");
    if (index == std::string::npos || index + 24 + 16 * k > bytes.size()) return false;
    memcpy(&bytes[index + 8 + 16 * k + 12], &size, 4);
    return driver::WriteBytes(path, bytes);
}

TEST_F(ToolkitPage, AviEditorPreviewsEachFrameSavesTheMarkedStretchAndKeepsTheUsersFiles) {
    const std::wstring source = InFolder(L"元の 動画.avi");
    const std::wstring saved = InFolder(L"切り取り.avi"), sound = InFolder(L"切り取り.WAV");
    ASSERT_TRUE(driver::WriteAvi(source, 30, 64, 48, true));
    ASSERT_TRUE(OpenPage());
    Choose(IDC_TK_AVI_EDIT, source);
    ASSERT_TRUE(g_ui.hAviEdit);
    HWND slider = GetDlgItem(page, IDC_TK_FRAME_SLIDER);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 29) << "every frame can be marked";

    SendMessageW(slider, TBM_SETPOS, TRUE, 14);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 14), LPARAM(slider));
    Canvas preview;
    MakeCanvas(preview, 80, 60);
    ASSERT_TRUE(PaintAviEditFrame(g_ui.hAviEdit, preview.dc));
    for (POINT p : {POINT{0, 0}, POINT{63, 47}}) {  // byte i of frame f's bottom-up rows is 7 i + 40 f
        const int i = (47 - p.y) * 64 * 3 + p.x * 3;
        EXPECT_EQ(preview.At(p.x, p.y), RGB(BYTE((i + 2) * 7 + 14 * 40), BYTE((i + 1) * 7 + 14 * 40), BYTE(i * 7 + 14 * 40)));
    }
    EXPECT_EQ(preview.At(64, 0), RGB(255, 255, 255)) << "drawn at its own size";

    SendMessageW(slider, TBM_SETPOS, TRUE, 5);
    Command(IDC_TK_CUT_START);
    SendMessageW(slider, TBM_SETPOS, TRUE, 9);
    Command(IDC_TK_CUT_END);

    DeleteFileW(saved.c_str()), DeleteFileW(sound.c_str());
    Choose(IDC_TK_SAVE, saved);
    // Frames 5..9 of the same size, their first byte that of frame 5.
    PAVISTREAM video = OpenVideo(ShortPathOf(saved));
    ASSERT_TRUE(video);
    EXPECT_EQ(AVIStreamLength(video), 5);
    std::vector<BYTE> frame(64 * 48 * 3);
    EXPECT_EQ(AVIStreamRead(video, 0, 1, frame.data(), LONG(frame.size()), nullptr, nullptr), 0);
    EXPECT_EQ(frame[0], BYTE(5 * 40));
    AVIStreamRelease(video);

    // The sound of those five frames, half a second, from sample 11025 on.
    WAVEFORMATEX wf = {};
    std::vector<uint8_t> reversed;
    ASSERT_TRUE(ReadWaveReversed(sound.c_str(), &wf, &reversed));
    EXPECT_EQ(wf.nSamplesPerSec, DWORD(driver::kAviSoundRate));
    ASSERT_EQ(reversed.size(), size_t(driver::kAviSoundRate / 2 * 2));
    EXPECT_EQ(reversed[reversed.size() - 2] | reversed.back() << 8, uint16_t(11025 * 7));

    // Saved beside a WAV nobody chose: it is asked about; "no" keeps it and still saves the AVI.
    const std::wstring avi = InFolder(L"interview.avi"), wav = InFolder(L"interview.wav");
    ASSERT_TRUE(driver::WriteBytes(wav, "older sound"));
    DeleteFileW(avi.c_str());
    std::wstring asked;
    {
        driver::DialogHand target([&](HWND dialog) { driver::TypeFileName(dialog, avi); });
        driver::DialogHand no([&](HWND box) {
            if (box) asked = driver::MessageBoxText(box), driver::PressDialogButton(box, IDNO);
        }, L"WAVファイルの上書き");
        Command(IDC_TK_SAVE);
    }
    EXPECT_NE(asked.find(L"上書きしますか"), std::wstring::npos) << "asked: " << asked.size();
    EXPECT_TRUE(driver::Exists(avi));
    EXPECT_TRUE(driver::ReadBytes(wav) == "older sound");

    // The source under its short name, or in a folder with a '+', is still the one file.
    bool wroteWav = true;
    const auto cutTo = [&](const std::wstring &to, const std::wstring &sound) {
        return SaveAviCut(source.c_str(), CutMarks(), to.c_str(), sound.empty() ? nullptr : sound.c_str(), &wroteWav);
    };
    const std::wstring alias = ShortPathOf(source);
    ASSERT_TRUE(!alias.empty() && alias != source);
    const std::string original = driver::ReadBytes(source);
    EXPECT_EQ(cutTo(alias, L""), CutResult::VideoNotWritten);
    EXPECT_TRUE(driver::ReadBytes(source) == original) << "the source is never written over";
    const std::wstring plus = InFolder(L"x.y+z");
    CreateDirectoryW(plus.c_str(), nullptr);
    EXPECT_EQ(cutTo(plus + L"\\cut.avi", plus + L"\\cut.wav"), CutResult::Saved);
    EXPECT_TRUE(wroteWav);
    EXPECT_GT(driver::ReadBytes(plus + L"\\cut.wav").size(), 44u);

    // Sound that cannot be read leaves the old WAV; a frame that claims gigabytes, the old AVI;
    // neither leaves a draft behind.
    DestroyWindow(g_ui.hAviEdit);  // the preview keeps the source open
    ASSERT_TRUE(ClaimSize(source, 2 * 3 + 1, 0x7FFFFF00));
    EXPECT_EQ(cutTo(avi, wav), CutResult::AudioNotWritten);
    EXPECT_TRUE(driver::ReadBytes(wav) == "older sound");
    const std::string cut = driver::ReadBytes(avi);
    ASSERT_TRUE(ClaimSize(source, 2 * 4, 0x7FFFFF00));
    EXPECT_EQ(cutTo(avi, wav), CutResult::SourceUnreadable);
    EXPECT_TRUE(driver::ReadBytes(avi) == cut);
    EXPECT_TRUE(driver::ReadBytes(wav) == "older sound");
    for (const std::wstring &name : driver::FilesIn(L"C:\\mirelo-test\\toolkit"))
        EXPECT_EQ(name.find(L".tmp"), std::wstring::npos) << "draft left";

    // A video without sound gives only the AVI.
    const std::wstring silent = InFolder(L"silent.avi"), silentWav = InFolder(L"silent-cut.wav");
    ASSERT_TRUE(driver::WriteAvi(silent, 4, 32, 32));
    DeleteFileW(silentWav.c_str());
    wroteWav = true;
    EXPECT_EQ(SaveAviCut(silent.c_str(), CutMarks(), InFolder(L"silent-cut.avi").c_str(), silentWav.c_str(), &wroteWav), CutResult::Saved);
    EXPECT_FALSE(wroteWav || driver::Exists(silentWav));

    // The slider reaches the last frame of a long video.
    ASSERT_TRUE(driver::WriteAvi(InFolder(L"long.avi"), 70000, 2, 2));
    Choose(IDC_TK_AVI_EDIT, InFolder(L"long.avi"));
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 69999);

    // A file that is no AVI leaves an empty preview, and a message on save.
    ASSERT_TRUE(driver::WriteRandomBytes(InFolder(L"junk.avi")));
    Choose(IDC_TK_AVI_EDIT, InFolder(L"junk.avi"));
    ASSERT_TRUE(g_ui.hAviEdit);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), LPARAM(slider));
    Canvas canvas;
    MakeCanvas(canvas, 8, 8);
    EXPECT_FALSE(PaintAviEditFrame(g_ui.hAviEdit, canvas.dc));
    driver::BoxAnswerer answerer;
    Command(IDC_TK_SAVE);
    EXPECT_TRUE(driver::PumpUntil([&] { return answerer.Seen(); }, 3000));
    EXPECT_EQ(answerer.seen.text, L"AVIファイルを開けませんでした。");
}

TEST_F(ToolkitPage, ACutStartsAtTheKeyFrameItsFirstFramesDependOn) {
    // Frames 17..25 of a video with a key frame every ten: the copy starts at a key frame at or
    // before 17 and keeps the source's flags (tests/check_avi.sh decodes it afterwards).
    const std::wstring cut = driver::ForCheck(L"avi-check", L"cut-delta.avi");
    const CutMarks marks = {true, true, 17, 25};
    bool wroteWav = true;
    ASSERT_EQ(SaveAviCut(driver::MadeMedia(L"delta.avi").c_str(), marks, cut.c_str(), nullptr, &wroteWav), CutResult::Saved);
    // The key frame the platform's reader finds (it may see fewer than the file marks).
    PAVISTREAM video = OpenVideo(driver::MadeMedia(L"delta.avi"));
    ASSERT_TRUE(video);
    const long key = AVIStreamFindSample(video, 17, FIND_PREV | FIND_KEY);
    AVIStreamRelease(video);
    ASSERT_TRUE(key >= 0 && key <= 10) << key;
    ASSERT_TRUE(video = OpenVideo(cut));
    EXPECT_EQ(AVIStreamLength(video), 26 - key);
    EXPECT_TRUE(AVIStreamIsKeyFrame(video, 0) && !AVIStreamIsKeyFrame(video, 1));
    AVIStreamRelease(video);
}

TEST_F(ToolkitPage, AWindowWhoseCreationFailsFreesItsStateOnce) {
    const std::wstring wav = InFolder(L"refused.wav");
    ASSERT_TRUE(driver::WriteWav(wav, 500));
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseAccessoryWindows, nullptr, GetCurrentThreadId());
    for (int reverse = 0; reverse < 2; ++reverse) {
        g_watched = nullptr, g_watchedFrees = 0;
        EXPECT_FALSE(reverse ? OpenReverseWindow(wav.c_str(), L"t") : OpenAviEditWindow(wav.c_str()));
        EXPECT_TRUE(g_watched && g_watchedFrees == 1) << reverse;
    }
    g_watched = nullptr;
    UnhookWindowsHookEx(hook);
}

}  // namespace

// Counts the frees of the watched state (see AWindowWhoseCreationFailsFreesItsStateOnce).
void operator delete(void *p) noexcept {
    if (p && p == g_watched && g_watchedFrees++) return;
    free(p);
}
